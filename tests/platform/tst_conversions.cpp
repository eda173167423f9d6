#include "Clock.h"
#include "Conversions.h"
#include "ErrorOf.h"

#include <QLocale>
#include <QtTest>

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Clock::setNow(QDateTime(QDate(2024, 6, 15), QTime(9, 0)));
    }
    void cleanupTestCase() { Clock::setNow(QDateTime()); }

    void toInteger_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("int16");       // expected 16-bit result
        QTest::addColumn<long>("error16");    // or the error it raises
        QTest::addColumn<int>("int32");
        QTest::addColumn<long>("error32");

        const long ov = AppError::Overflow, tm = AppError::TypeMismatch, nu = AppError::InvalidUseOfNull;
        QTest::newRow("2.5 to even") << QVariant(2.5) << 2 << 0L << 2 << 0L;
        QTest::newRow("3.5 to even") << QVariant(3.5) << 4 << 0L << 4 << 0L;
        QTest::newRow("-2.5 to even") << QVariant(-2.5) << -2 << 0L << -2 << 0L;
        QTest::newRow("-3.5 to even") << QVariant(-3.5) << -4 << 0L << -4 << 0L;
        QTest::newRow("2.51 up") << QVariant(2.51) << 3 << 0L << 3 << 0L;
        QTest::newRow("text 2,5") << QVariant(QStringLiteral("2,5")) << 2 << 0L << 2 << 0L;
        QTest::newRow("text thousands") << QVariant(QStringLiteral("1.234,5")) << 1234 << 0L << 1234 << 0L;
        QTest::newRow("text blanks") << QVariant(QStringLiteral("  12 ")) << 12 << 0L << 12 << 0L;
        QTest::newRow("32767") << QVariant(32767) << 32767 << 0L << 32767 << 0L;
        QTest::newRow("32767.5 overflows 16") << QVariant(32767.5) << 0 << ov << 32768 << 0L;
        QTest::newRow("-32768.5 rounds in") << QVariant(-32768.5) << -32768 << 0L << -32768 << 0L;
        QTest::newRow("-32769") << QVariant(-32769) << 0 << ov << -32769 << 0L;
        QTest::newRow("2147483647.5") << QVariant(2147483647.5) << 0 << ov << 0 << ov;
        QTest::newRow("text 40000") << QVariant(QStringLiteral("40000")) << 0 << ov << 40000 << 0L;
        QTest::newRow("abc") << QVariant(QStringLiteral("abc")) << 0 << tm << 0 << tm;
        QTest::newRow("empty text") << QVariant(QString()) << 0 << tm << 0 << tm;
        QTest::newRow("dot decimal is no number") << QVariant(QStringLiteral("12.50")) << 0 << tm << 0 << tm;
        QTest::newRow("Null") << QVariant() << 0 << nu << 0 << nu;
        QTest::newRow("true is -1") << QVariant(true) << -1 << 0L << -1 << 0L;
        QTest::newRow("date serial") << QVariant(QDate(2024, 1, 1)) << 0 << ov << 45292 << 0L;
        QTest::newRow("date text") << QVariant(QStringLiteral("1/2/2024")) << 0 << tm << 0 << tm;
    }
    void toInteger()
    {
        QFETCH(QVariant, value);
        QFETCH(int, int16);
        QFETCH(long, error16);
        QFETCH(int, int32);
        QFETCH(long, error32);

        short got16 = 0;
        QCOMPARE(errorOf([&] { got16 = Conv::toInt16(value); }), error16);
        if (!error16)
            QCOMPARE(int(got16), int16);
        int got32 = 0;
        QCOMPARE(errorOf([&] { got32 = Conv::toInt32(value); }), error32);
        if (!error32)
            QCOMPARE(got32, int32);
    }

    void numeric_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("number");   // toDouble's result when numeric

        QTest::newRow("thousands and comma") << QVariant(QStringLiteral("1.234,5")) << true << 1234.5;
        QTest::newRow("blanks around") << QVariant(QStringLiteral(" 12 ")) << true << 12.0;
        QTest::newRow("negative") << QVariant(QStringLiteral("-0,75")) << true << -0.75;
        QTest::newRow("euro") << QVariant(QStringLiteral("1.234,56 €")) << true << 1234.56;
        QTest::newRow("sign before the euro") << QVariant(QStringLiteral("-€ 20,00")) << true << -20.0;
        QTest::newRow("exponent") << QVariant(QStringLiteral("1,5E3")) << true << 1500.0;
        QTest::newRow("double") << QVariant(2.25) << true << 2.25;
        QTest::newRow("bool") << QVariant(false) << true << 0.0;
        QTest::newRow("abc") << QVariant(QStringLiteral("abc")) << false << 0.0;
        QTest::newRow("empty") << QVariant(QStringLiteral("")) << false << 0.0;
        QTest::newRow("blanks") << QVariant(QStringLiteral("   ")) << false << 0.0;
        QTest::newRow("misplaced thousands") << QVariant(QStringLiteral("1.23.456")) << false << 0.0;
        QTest::newRow("date text") << QVariant(QStringLiteral("01/02/2024")) << false << 0.0;
        QTest::newRow("date") << QVariant(QDate(2024, 2, 1)) << false << 0.0;
        QTest::newRow("Null") << QVariant() << false << 0.0;
    }
    void numeric()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, numeric);
        QFETCH(double, number);

        QCOMPARE(Conv::isNumeric(value), numeric);
        if (numeric)
            QCOMPARE(Conv::toDouble(value), number);
        else if (value.typeId() == QMetaType::QString)
            QCOMPARE(errorOf([&] { Conv::toDouble(value); }), AppError::TypeMismatch);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");   // invalid when the text is no date

        auto day = [](int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); };
        QTest::newRow("1/2/2024") << "1/2/2024" << day(2024, 2, 1);
        QTest::newRow("01-02-24") << "01-02-24" << day(2024, 2, 1);
        QTest::newRow("1.2.2024") << "1.2.2024" << day(2024, 2, 1);
        QTest::newRow("1,2,2024") << "1,2,2024" << day(2024, 2, 1);
        QTest::newRow("blanks") << "01 02 2024" << day(2024, 2, 1);
        QTest::newRow("blank before slash") << "1 /2/2024" << day(2024, 2, 1);
        QTest::newRow("29 -> 2029") << "1/1/29" << day(2029, 1, 1);
        QTest::newRow("30 -> 1930") << "1/1/30" << day(1930, 1, 1);
        QTest::newRow("99 -> 1999") << "31/12/99" << day(1999, 12, 31);
        QTest::newRow("no year: this year") << "5/3" << day(2024, 3, 5);
        QTest::newRow("month name") << "5 marzo 2024" << day(2024, 3, 5);
        QTest::newRow("month short name") << "5-mar-2024" << day(2024, 3, 5);
        QTest::newRow("long date") << "martedì 5 marzo 2024" << day(2024, 3, 5);
        QTest::newRow("year first") << "2024-03-05" << day(2024, 3, 5);
        QTest::newRow("with time") << "05/03/2024 14:30:15" << QDateTime(QDate(2024, 3, 5), QTime(14, 30, 15));
        QTest::newRow("with short time") << "05/03/2024 7:05" << QDateTime(QDate(2024, 3, 5), QTime(7, 5));
        QTest::newRow("29 Feb leap") << "29/02/2024" << day(2024, 2, 29);
        QTest::newRow("31/02/2024") << "31/02/2024" << QDateTime();
        QTest::newRow("29 Feb not leap") << "29/02/2023" << QDateTime();
        QTest::newRow("month 13") << "01/13/2024" << QDateTime();
        QTest::newRow("two marks") << "1//2/2024" << QDateTime();
        QTest::newRow("trailing mark") << "1/2/2024/" << QDateTime();
        QTest::newRow("eight digits") << "01022024" << QDateTime();
        QTest::newRow("one number") << "2024" << QDateTime();
        QTest::newRow("letters") << "abc" << QDateTime();
        QTest::newRow("four numbers") << "1/2/3/4" << QDateTime();
        QTest::newRow("bad time") << "1/2/2024 25:00" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);

        QCOMPARE(Conv::isDate(text), expected.isValid());
        if (expected.isValid()) {
            QCOMPARE(Conv::toDateTime(text), expected);
            QCOMPARE(Conv::toDate(text), expected.date());
        } else {
            QCOMPARE(errorOf([&] { Conv::toDate(text); }), AppError::TypeMismatch);
        }
    }

    void text_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << "05/03/2024";
        QTest::newRow("date-time midnight") << QVariant(QDateTime(QDate(2024, 3, 5), QTime(0, 0))) << "05/03/2024";
        QTest::newRow("date-time") << QVariant(QDateTime(QDate(2024, 3, 5), QTime(8, 7, 6))) << "05/03/2024 08:07:06";
        QTest::newRow("true") << QVariant(true) << "Vero";
        QTest::newRow("false") << QVariant(false) << "Falso";
        QTest::newRow("decimal comma") << QVariant(1234.5) << "1234,5";
        QTest::newRow("whole double") << QVariant(1234.0) << "1234";
        QTest::newRow("negative double") << QVariant(-0.25) << "-0,25";
        QTest::newRow("large double") << QVariant(1e16) << "1E+16";
        QTest::newRow("small double") << QVariant(1.5e-7) << "1,5E-07";
        QTest::newRow("single") << QVariant(0.1f) << "0,1";
        QTest::newRow("int") << QVariant(1234567) << "1234567";
        QTest::newRow("long long") << QVariant(qlonglong(-9000000000)) << "-9000000000";
        QTest::newRow("text") << QVariant(QStringLiteral("O'Neil")) << "O'Neil";
        QTest::newRow("empty text") << QVariant(QString()) << "";
    }
    void text()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(Conv::toText(value), text);
    }

    void booleans_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<long>("error");

        QTest::newRow("True") << QVariant(QStringLiteral("True")) << true << 0L;
        QTest::newRow("false lower") << QVariant(QStringLiteral("false")) << false << 0L;
        QTest::newRow("Vero") << QVariant(QStringLiteral("Vero")) << true << 0L;
        QTest::newRow("Falso") << QVariant(QStringLiteral("Falso")) << false << 0L;
        QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << false << 0L;
        QTest::newRow("text -1") << QVariant(QStringLiteral("-1")) << true << 0L;
        QTest::newRow("number 2") << QVariant(2) << true << 0L;
        QTest::newRow("yes") << QVariant(QStringLiteral("yes")) << false << AppError::TypeMismatch;
        QTest::newRow("empty") << QVariant(QStringLiteral("")) << false << AppError::TypeMismatch;
        QTest::newRow("Null") << QVariant() << false << AppError::InvalidUseOfNull;
    }
    void booleans()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, expected);
        QFETCH(long, error);
        bool got = !expected;
        QCOMPARE(errorOf([&] { got = Conv::toBool(value); }), error);
        if (!error)
            QCOMPARE(got, expected);
    }

    void nullValues()
    {
        QVERIFY(Conv::isNull(QVariant()));
        QVERIFY(Conv::isNull(QVariant(QMetaType::fromType<QString>())));   // a typed Null from a column
        QVERIFY(!Conv::isNull(QVariant(QString())));
        QVERIFY(!Conv::isNull(QVariant(0)));
        QCOMPARE(errorOf([] { Conv::toText(QVariant()); }), AppError::InvalidUseOfNull);
        QCOMPARE(errorOf([] { Conv::toDouble(QVariant()); }), AppError::InvalidUseOfNull);
        QCOMPARE(errorOf([] { Conv::toDate(QVariant()); }), AppError::InvalidUseOfNull);
        QVERIFY(!Conv::isDate(QVariant()));
        QCOMPARE(Conv::generalDate(QVariant()), QString());
    }

    void formats()
    {
        QCOMPARE(Conv::shortDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
        QCOMPARE(Conv::longDate(QDate(2024, 3, 5)), QStringLiteral("martedì 5 marzo 2024"));
        QCOMPARE(QVector<int>({Conv::weekday(QDate(2024, 3, 10)), Conv::weekday(QDate(2024, 3, 11)),
                               Conv::weekday(QDate(2024, 3, 16))}),
                 QVector<int>({1, 2, 7}));
        QCOMPARE(Conv::generalDate(QStringLiteral("5-3-24")), QStringLiteral("05/03/2024"));
        QCOMPARE(Conv::generalDate(QStringLiteral("5/3/2024 9:30")), QStringLiteral("05/03/2024 09:30:00"));
        QCOMPARE(errorOf([] { Conv::generalDate(QStringLiteral("abc")); }), AppError::TypeMismatch);
        QCOMPARE(Conv::currency(1234.56), QStringLiteral("1.234,56 €"));
        QCOMPARE(Conv::currency(-1234567.5), QStringLiteral("-1.234.567,50 €"));
        QCOMPARE(Conv::currency(-0.001), QStringLiteral("0,00 €"));
        // The text form reads back as the same value.
        QCOMPARE(Conv::toDouble(Conv::toText(1234.56)), 1234.56);
        QCOMPARE(Conv::toDouble(Conv::currency(1234.56)), 1234.56);
        for (double amount : {1234567.5, -20.0, 0.4})
            QCOMPARE(Conv::toDouble(Conv::euro(amount)), amount);
        QCOMPARE(Conv::euro(-1234.5), QStringLiteral("-€ 1.234,50"));
        QCOMPARE(Conv::toDateTime(Conv::toText(QDateTime(QDate(2024, 3, 5), QTime(8, 7, 6)))),
                 QDateTime(QDate(2024, 3, 5), QTime(8, 7, 6)));
    }

    void wildcards_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("dialect");
        QTest::addColumn<bool>("matches");
        const int find = Conv::Wildcard::Find, like = Conv::Wildcard::Like, file = Conv::Wildcard::FileName;
        QTest::newRow("whole text only") << "Banca" << "banc" << find << false;
        QTest::newRow("case-blind") << "Banca Uno" << "BANCA*" << find << true;
        QTest::newRow("run may be empty") << "ab" << "a*b" << like << true;
        QTest::newRow("one character") << "posta" << "p?sta" << file << true;
        QTest::newRow("one is not none") << "psta" << "p?sta" << find << false;
        QTest::newRow("percent, underscore") << "posta" << "%o_ta" << find << true;
        QTest::newRow("percent is itself in LIKE") << "posta" << "%o_ta" << like << false;
        QTest::newRow("run retried after a miss") << "abcabd" << "*ab?" << find << true;
        QTest::newRow("run retried, no fit") << "abcabe" << "*abd" << find << false;
        QTest::newRow("digit") << "Via 7" << "Via #" << like << true;
        QTest::newRow("digit is a letter") << "Via x" << "Via #" << like << false;
        QTest::newRow("hash is itself in a find") << "n#1" << "n#1" << find << true;
        QTest::newRow("list") << "cane" << "[bc]ane" << like << true;
        QTest::newRow("negated list") << "cane" << "[!bc]ane" << like << false;
        QTest::newRow("range, either case") << "Mela" << "[a-z]ELA" << like << true;
        QTest::newRow("range misses") << "4ela" << "[a-z]ela" << like << false;
        QTest::newRow("dash at the end is itself") << "-x" << "[a-]x" << like << true;
        QTest::newRow("bracketed star is itself") << "a*" << "a[*]" << like << true;
        QTest::newRow("bracket is itself in a file name") << "[1].txt" << "[1]*" << file << true;
        QTest::newRow("unclosed bracket matches nothing") << "[ab" << "[ab*" << like << false;
        QTest::newRow("unclosed bracket, bare star") << "x" << "*[" << like << false;
        QTest::newRow("range outside the basic plane") << "\U00010428" << "[\U00010400-\U0001040F]" << like << true;
        QTest::newRow("negated list of an emoji") << "\U0001F601" << "[!\U0001F600]" << like << true;
        QTest::newRow("empty pattern, empty text") << "" << "" << like << true;
        QTest::newRow("only stars, empty text") << "" << "***" << find << true;
        // Backtracking over every way to place the runs would take ages here.
        const QString longText = QStringLiteral("a").repeated(200);
        QTest::newRow("twenty runs, found") << longText << QStringLiteral("*a").repeated(20) + "*" << like << true;
        QTest::newRow("twenty runs, not found") << longText << QStringLiteral("*a").repeated(20) + "b" << find << false;
        QTest::newRow("twenty runs and ones") << longText << QStringLiteral("*?a").repeated(20) + "*b" << file << false;
    }
    void wildcards()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(int, dialect);
        QFETCH(bool, matches);
        QCOMPARE(Conv::wildcardMatch(text, pattern, Conv::Wildcard::Dialect(dialect)), matches);
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
