// Help: the help file's path, its topics, the help window and F1 in a form.

#include "HTMLHelp.h"
#include "HelpViewer.h"
#include "Shell.h"

#include <QDialog>
#include <QFile>
#include <QAbstractTextDocumentLayout>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

class TestHTMLHelp : public QObject
{
    Q_OBJECT

    static void closeViewer()
    {
        if (QTextBrowser *viewer = HelpViewer::window()) {
            viewer->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QVERIFY(!HelpViewer::window());
    }

    // Where the block holding the anchor begins in the document, in pixels.
    static int topOf(QTextBrowser *viewer, const QString &anchor)
    {
        QTextDocument *doc = viewer->document();
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().anchorNames().contains(anchor))
                    return qRound(doc->documentLayout()->blockBoundingRect(block).top());
        return -1;
    }

private slots:
    void cleanup()
    {
        closeViewer();
        Shell::setAppPath(QString());
    }

    void helpFilePath()
    {
        Shell::setAppPath(QStringLiteral("/opt/focolarium"));
        QCOMPARE(HTMLHelp::HelpFilePath(1), QStringLiteral("/opt/focolarium/Help.html"));
        QCOMPARE(HTMLHelp::HelpFilePath(0), QString());
        QCOMPARE(HTMLHelp::HelpFilePath(2), QString());
    }

    void missingFileShowsNothing()
    {
        QTemporaryDir empty;
        Shell::setAppPath(empty.path());
        HTMLHelp::ShowHelpTopic(1, 1001);
        QVERIFY(!HelpViewer::window());
    }

    void everyContextIdHasItsTopic_data()
    {
        QTest::addColumn<int>("id");
        for (int id : {1001, 2001, 3001, 4001, 5001, 6001, 7001, 8001, 9001, 10001, 11001, 12001, 0})
            QTest::newRow(qPrintable(QString::number(id))) << id;
    }
    void everyContextIdHasItsTopic()
    {
        QFETCH(int, id);
        Shell::setAppPath(QStringLiteral(PROGRAM_DIR));
        QFile file(HTMLHelp::HelpFilePath(1));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains(QStringLiteral("<a name=\"%1\"></a>").arg(id)));

        HTMLHelp::ShowHelpTopic(1, id);
        QTextBrowser *viewer = HelpViewer::window();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->source().fragment(), QString::number(id));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Guida di Focolarium"));
        // The topic's heading stands at the top of the window.
        QCOMPARE(topOf(viewer, QString::number(id)) - viewer->verticalScrollBar()->value(), 0);
    }

    void escClosesTheHelpWindow()
    {
        Shell::setAppPath(QStringLiteral(PROGRAM_DIR));
        HTMLHelp::ShowHelpTopic(1, 4001);
        QPointer<QTextBrowser> viewer = HelpViewer::window();
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QTest::keyClick(viewer, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!viewer);
    }

    // Whole on the screen, centred with its frame as the forms open, wherever the form stands.
    void helpWindowOpensCentred()
    {
        Shell::setAppPath(QStringLiteral(PROGRAM_DIR));
        QDialog form;
        form.setGeometry(10, 40, 300, 200);
        HTMLHelp::setFormHelpId(&form, 7001);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F1);
        QTextBrowser *viewer = HelpViewer::window();
        QVERIFY(viewer);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QRect desk = viewer->screen()->availableGeometry();
        QVERIFY(desk.contains(viewer->frameGeometry()));
        QCOMPARE(viewer->frameGeometry().center(), desk.center());
    }

    void f1OpensTheFormsOwnTopic()
    {
        Shell::setAppPath(QStringLiteral(PROGRAM_DIR));
        QDialog form;
        auto *box = new QLineEdit(&form);
        HTMLHelp::setFormHelpId(&form, 7001);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F1);
        QVERIFY(HelpViewer::window());
        QCOMPARE(HelpViewer::window()->source().fragment(), QStringLiteral("7001"));

        HTMLHelp::setFormHelpId(&form, 8001);   // a list built in the form changes its id
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(box, Qt::Key_F1);
        QCOMPARE(HelpViewer::window()->source().fragment(), QStringLiteral("8001"));
        QCOMPARE(HTMLHelp::CurrentHelpId, 0);   // F1 shows the form's id; it does not set the current one
    }
};

QTEST_MAIN(TestHTMLHelp)
#include "tst_htmlhelp.moc"
