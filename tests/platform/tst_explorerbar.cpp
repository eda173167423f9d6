#include "ExplorerBar.h"
#include "ImageList.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class tst_ExplorerBar : public QObject
{
    Q_OBJECT
private slots:
    void groupsItemsAndClicks()
    {
        ImageList icons;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        icons.setIcon(3, QIcon(red));
        QVERIFY(icons.icon(2).isNull());
        QVERIFY(icons.icon(-1).isNull());
        QVERIFY(!icons.icon(3).isNull());

        ExplorerBar bar;
        bar.setImageList(&icons);
        bar.resize(220, 400);
        ExplorerBarGroup *tasks = bar.addGroup(QStringLiteral("TASKS"), QStringLiteral("Attività"));
        ExplorerBarGroup *search = bar.addGroup(QStringLiteral("SEARCH"), QStringLiteral("Ricerca"));
        tasks->setToolTipText(QStringLiteral("Le attività."));
        ExplorerBarItem *open = tasks->addItem(QStringLiteral("OPEN"), QStringLiteral("&Apri"), 3);
        open->setToolTipText(QStringLiteral("Apre."));
        ExplorerBarItem *spacer = search->addItem(QStringLiteral("GAP"));
        spacer->setSpacingAfter(-5);
        auto *box = new QLineEdit;
        ExplorerBarItem *host = search->addItem(QStringLiteral("BOX"), {}, -1, ExplorerBarItem::ControlHost);
        host->setControl(box);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));

        QCOMPARE(bar.groups().size(), 2);
        QCOMPARE(bar.groups().at(1), search);
        QCOMPARE(bar.group(QStringLiteral("TASKS")), tasks);
        QCOMPARE(bar.item(QStringLiteral("BOX")), host);
        QCOMPARE(bar.item(QStringLiteral("box")), nullptr);
        QCOMPARE(tasks->toolTipText(), QStringLiteral("Le attività."));
        QCOMPARE(open->toolTipText(), QStringLiteral("Apre."));
        QCOMPARE(open->iconIndex(), 3);
        QCOMPARE(host->control(), box);
        QCOMPARE(box->parentWidget(), host);
        QVERIFY(box->isVisible());
        QCOMPARE(spacer->sizeHint().height(), 3);
        QVERIFY(bar.backColor(true) != bar.backColor(false));

        QSignalSpy clicks(&bar, &ExplorerBar::itemClick);
        QTest::mouseClick(open, Qt::LeftButton);
        QTest::mouseClick(open, Qt::RightButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.first().at(0).value<ExplorerBarItem *>()->key(), QStringLiteral("OPEN"));
    }

    void collapsing()
    {
        ExplorerBar bar;
        ExplorerBarGroup *g = bar.addGroup(QStringLiteral("G"), QStringLiteral("Gruppo"));
        ExplorerBarItem *item = g->addItem(QStringLiteral("I"), QStringLiteral("Voce"));
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QWidget *header = item->parentWidget()->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).first();

        QTest::mouseClick(header, Qt::LeftButton);   // not collapsible yet
        QVERIFY(g->expanded());
        QVERIFY(item->isVisible());
        g->setCollapsible(true);
        QTest::mouseClick(header, Qt::LeftButton);
        QVERIFY(!g->expanded());
        QVERIFY(!item->isVisible());
        QTest::mouseClick(header, Qt::LeftButton);
        QVERIFY(item->isVisible());
    }
};

QTEST_MAIN(tst_ExplorerBar)
#include "tst_explorerbar.moc"
