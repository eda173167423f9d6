// The value, SQL and date helpers of module Funzioni.

#include "Clock.h"
#include "Funzioni.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>
#include <QtTest>

class TestFunzioni : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void cleanup() { Clock::setNow(QDateTime()); }

    void nullToLong_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("Null") << QVariant() << 0;
        QTest::newRow("empty text") << QVariant(QString()) << 0;
        QTest::newRow("abc") << QVariant(QStringLiteral("abc")) << 0;
        QTest::newRow("2.5") << QVariant(2.5) << 2;
        QTest::newRow("3.5") << QVariant(3.5) << 4;
        QTest::newRow("text 1.234,5") << QVariant(QStringLiteral("1.234,5")) << 1234;
        QTest::newRow("overflow ignored") << QVariant(QStringLiteral("3000000000")) << 0;
        QTest::newRow("true") << QVariant(true) << -1;
    }
    void nullToLong()
    {
        QFETCH(QVariant, value);
        QFETCH(int, expected);
        QCOMPARE(Funzioni::NullToLong(value), expected);
    }

    void nullToString_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Null") << QVariant() << "";
        QTest::newRow("text") << QVariant(QStringLiteral("Rossi")) << "Rossi";
        QTest::newRow("decimal") << QVariant(2.5) << "2,5";
        QTest::newRow("yes") << QVariant(true) << "Vero";
        QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << "05/03/2024";
    }
    void nullToString()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(Funzioni::NullToString(value), expected);
    }

    void sqlQuote_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("O'Neil") << QVariant(QStringLiteral("O'Neil")) << "O''Neil";
        QTest::newRow("Null") << QVariant() << "";
        QTest::newRow("no apostrophe") << QVariant(QStringLiteral("Rossi")) << "Rossi";
        QTest::newRow("every apostrophe") << QVariant(QStringLiteral("'a''")) << "''a''''";
        QTest::newRow("number") << QVariant(12) << "12";
    }
    void sqlQuote()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(Funzioni::SqlQuote(value), expected);
    }

    void sqlDate()
    {
        QCOMPARE(Funzioni::SqlDate(QDate(2024, 3, 5), false), QStringLiteral("# 03/05/2024 #"));
        QCOMPARE(Funzioni::SqlDate(QDate(2024, 3, 5), true), QStringLiteral("# 03/05/2024 12.00 PM #"));
        QCOMPARE(Funzioni::SqlDate(QDate(2024, 12, 31), false), QStringLiteral("# 12/31/2024 #"));
    }

    void checkDateText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<bool>("focusBack");   // the focus is put back in the box

        QTest::newRow("dashes") << "1-2-2024" << true << "01/02/2024" << false;
        QTest::newRow("dots") << "1.2.2024" << true << "01/02/2024" << false;
        QTest::newRow("commas") << "1,2,2024" << true << "01/02/2024" << false;
        QTest::newRow("slashes") << "1/2/2024" << true << "01/02/2024" << false;
        QTest::newRow("blanks around") << "  1/2/2024 " << true << "01/02/2024" << false;
        QTest::newRow("two-digit year") << "01-02-24" << true << "01/02/2024" << false;
        QTest::newRow("month name") << "5 marzo 2024" << true << "05/03/2024" << false;
        QTest::newRow("no year") << "5/3" << true << "05/03/2025" << false;
        QTest::newRow("eight digits") << "01022024" << true << "01/02/2024" << false;
        QTest::newRow("six digits") << "010224" << true << "01/02/2024" << false;
        QTest::newRow("two slashes") << "1//2/2024" << false << "1//2/2024" << true;
        QTest::newRow("blank before slash") << "1 /2/2024" << false << "1 /2/2024" << true;
        QTest::newRow("31 February") << "31/02/2024" << false << "31/02/2024" << true;
        QTest::newRow("eight digits, no date") << "32012024" << false << "32012024" << true;
        QTest::newRow("seven digits") << "0102024" << false << "0102024" << false;
        QTest::newRow("four digits") << "2024" << false << "2024" << false;
        QTest::newRow("letters") << "ieri" << false << "ieri" << false;
        QTest::newRow("blanks only") << "    " << false << "" << false;
        QTest::newRow("empty") << "" << false << "" << false;
    }
    void checkDateText()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, boxText);
        QFETCH(bool, focusBack);

        Clock::setNow(QDateTime(QDate(2025, 6, 1), QTime(10, 0)));
        QWidget window;
        auto *box = new QLineEdit(&window);
        auto *other = new QLineEdit(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QCOMPARE(QApplication::focusWidget(), other);

        box->setText(typed);
        QCOMPARE(Funzioni::CheckDateText(box), accepted);
        QCOMPARE(box->text(), boxText);
        QCOMPARE(QApplication::focusWidget() == box, focusBack);
    }

    void isDueWithinTenDays_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("due");

        // Today is 28 December 2024: the ten days run into the next year.
        QTest::newRow("today") << QVariant(QDate(2024, 12, 28)) << true;
        QTest::newRow("today, late evening") << QVariant(QDateTime(QDate(2024, 12, 28), QTime(23, 59))) << true;
        QTest::newRow("tenth day ahead") << QVariant(QDate(2025, 1, 7)) << true;
        QTest::newRow("eleventh day ahead") << QVariant(QDate(2025, 1, 8)) << false;
        QTest::newRow("yesterday") << QVariant(QDate(2024, 12, 27)) << false;
        QTest::newRow("text date") << QVariant(QStringLiteral("02/01/2025")) << true;
        QTest::newRow("Null") << QVariant() << false;
        QTest::newRow("empty text") << QVariant(QString()) << false;
        QTest::newRow("not a date") << QVariant(QStringLiteral("abc")) << false;
    }
    void isDueWithinTenDays()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, due);
        Clock::setNow(QDateTime(QDate(2024, 12, 28), QTime(8, 0)));
        QCOMPARE(Funzioni::IsDueWithinTenDays(value), due);
    }
};

QTEST_MAIN(TestFunzioni)
#include "tst_funzioni.moc"
