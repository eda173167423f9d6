// The incremental search of a combo: keys typed through the real widgets, the text and its selected
// tail read back.

#include "AppError.h"
#include "DataCombo.h"
#include "Seams.h"
#include "clsComboSearch.h"
#include "db/Recordset.h"

#include <QComboBox>
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>

namespace {

// A script of keys typed where the focus is, as the keyboard does: letters, \b Backspace, \x7f Delete,
// \r Enter; \t leaves the box. A letter outside Latin-1 comes whole in one key press, as the keyboard
// sends it (an emoji too: two UTF-16 units, one key).
void play(QWidget *box, QWidget *elsewhere, const QString &keys)
{
    QVERIFY(box->hasFocus());
    for (const char32_t u : keys.toUcs4()) {
        const QChar c = u < 0x10000 ? QChar(char16_t(u)) : QChar();
        if (u > 0xff) {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString::fromUcs4(&u, 1),
                                Qt::NoModifier);
            continue;
        }
        if (c == QLatin1Char('\b'))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        else if (c == QChar(0x7f))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        else if (c == QLatin1Char('\r'))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (c == QLatin1Char('\t'))
            elsewhere->setFocus(Qt::TabFocusReason);
        else
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
}

}

class tst_clsComboSearch : public QObject
{
    Q_OBJECT

    QWidget host;
    QComboBox *cbo = nullptr;
    DataCombo *dtc = nullptr;
    QLineEdit *other = nullptr;
    Recordset rs;

private slots:
    void initTestCase()
    {
        auto *layout = new QHBoxLayout(&host);
        cbo = new QComboBox(&host);
        cbo->setEditable(true);
        dtc = new DataCombo(&host);
        other = new QLineEdit(&host);
        layout->addWidget(cbo);
        layout->addWidget(dtc);
        layout->addWidget(other);
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));

        rs.appendField(QStringLiteral("Nome"), Recordset::VarWChar, 50);
        rs.open();
        for (const char *name : {"ABCD", "ABXY", "D'Amico", "\U00010428ve"}) {
            rs.addNew();
            rs.setValue(0, QString::fromUtf8(name));
        }
        rs.updateBatch();
        dtc->setRowSource(&rs);
        dtc->setListField(QStringLiteral("Nome"));
    }

    void comboBoxCompletes_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        const QStringList abcd{QStringLiteral("ABCD"), QStringLiteral("ABXY")};
        const QStringList abc{QStringLiteral("AB"), QStringLiteral("ABC")};
        const QStringList wild{QStringLiteral("ABCD"), QStringLiteral("XYZW")};
        QTest::newRow("first entry") << abcd << "a" << "aBCD" << "BCD";
        QTest::newRow("typing on") << abcd << "ab" << "abCD" << "CD";
        QTest::newRow("second entry") << abcd << "abx" << "abxY" << "Y";
        QTest::newRow("leaving takes the entry's case") << abcd << "abx\t" << "ABXY" << "";
        QTest::newRow("no entry begins so") << abcd << "ax\t" << "ax" << "";
        QTest::newRow("free text stays") << abcd << "Abz\t" << "Abz" << "";
        QTest::newRow("an equal entry is not offered") << abc << "ab" << "abC" << "C";
        QTest::newRow("Delete drops the tail") << abc << QStringLiteral("ab\x7f") << "ab" << "";
        QTest::newRow("then leaving normalises") << abc << QStringLiteral("ab\x7f\t") << "AB" << "";
        QTest::newRow("Backspace completes again") << abcd << "abx\b" << "abCD" << "CD";
        QTest::newRow("Enter normalises") << abcd << "abx\r" << "ABXY" << "";
        QTest::newRow("? is any character") << wild << "?y" << "?yZW" << "ZW";
        QTest::newRow("* is any run") << wild << "*z" << "*zZW" << "ZW";
        QTest::newRow("unclosed [ offers nothing") << QStringList{QStringLiteral("[AB")} << "[" << "[" << "";
    }
    void comboBoxCompletes()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, keys);
        cbo->clear();
        cbo->addItems(entries);
        cbo->setEditText(QString());
        clsComboSearch search;
        search.setClient(cbo);
        cbo->setFocus(Qt::TabFocusReason);
        play(cbo, other, keys);
        QTEST(cbo->currentText(), "text");
        QTEST(cbo->lineEdit()->selectedText(), "selected");
        if (keys.endsWith(QLatin1Char('\r')))
            QVERIFY(cbo->hasFocus());
        QCOMPARE(cbo->count(), entries.size());   // Enter adds nothing to the list
    }

    void dataComboFinds_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("first row") << "a" << "ABCD" << "BCD";
        QTest::newRow("typing on") << "abx" << "ABXY" << "Y";
        QTest::newRow("a key no row continues") << "abq" << "ABCD" << "CD";
        QTest::newRow("Backspace shortens") << "abx\b" << "ABCD" << "CD";
        QTest::newRow("apostrophe") << "d'a" << "D'Amico" << "mico";
        QTest::newRow("Enter first clears") << "\r" << "" << "";
        QTest::newRow("Backspace first clears") << "\b" << "" << "";
        QTest::newRow("nothing found at once clears") << "q" << "" << "";
        QTest::newRow("letter outside the basic plane") << "\U00010428" << "\U00010428ve" << "ve";
        QTest::newRow("Backspace drops the whole letter") << "\U00010428\b" << "" << "";
        QTest::newRow("an emoji no row continues") << "ab\U0001F600" << "ABCD" << "CD";
    }
    void dataComboFinds()
    {
        QFETCH(QString, keys);
        MsgRecorder msg;
        clsComboSearch search;
        search.setClient(dtc);
        other->setFocus(Qt::TabFocusReason);
        dtc->setEditText(QStringLiteral("old"));
        dtc->setFocus(Qt::TabFocusReason);
        play(dtc, other, keys);
        QTEST(dtc->currentText(), "text");
        QTEST(dtc->lineEdit()->selectedText(), "selected");
        QCOMPARE(msg.count(), 0);
    }

    // A box destroyed while it has the focus sends its focus-out from the base widget's destructor,
    // when it is a combo no more: the search must leave it alone.
    void aDyingClientIsLeftAlone_data()
    {
        QTest::addColumn<bool>("dataCombo");
        QTest::newRow("combo box") << false;
        QTest::newRow("data combo") << true;
    }
    void aDyingClientIsLeftAlone()
    {
        QFETCH(bool, dataCombo);
        MsgRecorder msg;
        clsComboSearch search;
        QComboBox *box = dataCombo ? new DataCombo(&host) : new QComboBox(&host);
        if (auto *d = qobject_cast<DataCombo *>(box)) {
            d->setRowSource(&rs);
            d->setListField(QStringLiteral("Nome"));
        }
        box->setEditable(true);
        box->addItem(QStringLiteral("ABCD"));
        search.setClient(box);
        box->show();
        box->setFocus(Qt::TabFocusReason);
        box->setEditText(QStringLiteral("abcd"));
        QStringList rewritten;
        connect(box->lineEdit(), &QLineEdit::textChanged, this, [&](const QString &t) { rewritten << t; });
        delete box;
        QCOMPARE(rewritten, QStringList());
        QCOMPARE(msg.count(), 0);
    }

    void failuresAreTheClassOwn()
    {
        MsgRecorder msg;
        clsComboSearch search;
        QLineEdit notACombo;
        try {
            search.setClient(&notACombo);
            QFAIL("a line edit was attached");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), clsComboSearch::ClientError);
            QCOMPARE(e.description(), QStringLiteral("The object must be a DataCombo or a ComboBox."));
        }

        DataCombo unset(&host);
        search.setClient(&unset);
        unset.show();
        unset.setFocus(Qt::TabFocusReason);
        QCOMPARE(msg.count(), 1);
        QCOMPARE(msg.last().text, QStringLiteral("There was an error in m_DCombo_GotFocus. Likely cause is that the "
                                                 "Class has not correctly been initialised."));
        // Without a list field the key press fails inside and says so under its own title.
        QTest::keyClicks(&unset, QStringLiteral("a"));
        QCOMPARE(msg.count(), 2);
        QVERIFY(msg.last().text.startsWith(QStringLiteral("Unexpected Error - ")));
        QCOMPARE(msg.last().title, QStringLiteral("clsDataComboSearch.m_DCombo_KeyPress"));
        QCOMPARE(msg.last().kind, MsgKind::Error);   // an error box, with its icon
    }
};

QTEST_MAIN(tst_clsComboSearch)
#include "tst_clscombosearch.moc"
