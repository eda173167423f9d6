// Backup's own value helpers: strict conversions that raise instead of giving 0 or "".

#include "AppError.h"
#include "Funzioni.h"

#include <QLocale>
#include <QtTest>

class tst_Funzioni : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void nullToLong_data();
    void nullToLong();
    void nullToString_data();
    void nullToString();
    void sqlQuote_data();
    void sqlQuote();
};

void tst_Funzioni::nullToLong_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("expected");
    QTest::addColumn<long>("error");
    QTest::newRow("Null") << QVariant() << 0 << 0L;
    QTest::newRow("number") << QVariant(42) << 42 << 0L;
    QTest::newRow("2.5 to even") << QVariant(2.5) << 2 << 0L;
    QTest::newRow("3.5 to even") << QVariant(3.5) << 4 << 0L;
    QTest::newRow("above 16 bits") << QVariant(70000) << 70000 << 0L;
    QTest::newRow("text number") << QVariant(QStringLiteral("17")) << 17 << 0L;
    QTest::newRow("abc") << QVariant(QStringLiteral("abc")) << 0 << AppError::TypeMismatch;
    QTest::newRow("empty text") << QVariant(QString()) << 0 << AppError::TypeMismatch;
    QTest::newRow("too large") << QVariant(3e10) << 0 << AppError::Overflow;
}

void tst_Funzioni::nullToLong()
{
    QFETCH(QVariant, value);
    QFETCH(int, expected);
    QFETCH(long, error);
    try {
        const int result = Funzioni::NullToLong(value);
        QCOMPARE(error, 0L);
        QCOMPARE(result, expected);
    } catch (const AppError &e) {
        QCOMPARE(e.number(), error);
    }
}

void tst_Funzioni::nullToString_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Null") << QVariant() << QString();
    QTest::newRow("text") << QVariant(QStringLiteral("Rossi")) << QStringLiteral("Rossi");
    QTest::newRow("number") << QVariant(12) << QStringLiteral("12");
    QTest::newRow("decimal comma") << QVariant(2.5) << QStringLiteral("2,5");
}

void tst_Funzioni::nullToString()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(Funzioni::NullToString(value), expected);
}

void tst_Funzioni::sqlQuote_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("O'Neil") << QVariant(QStringLiteral("O'Neil")) << QStringLiteral("O''Neil");
    QTest::newRow("two") << QVariant(QStringLiteral("'a'")) << QStringLiteral("''a''");
    QTest::newRow("Null") << QVariant() << QString();
    QTest::newRow("plain") << QVariant(QStringLiteral("Rossi")) << QStringLiteral("Rossi");
}

void tst_Funzioni::sqlQuote()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(Funzioni::SqlQuote(value), expected);
}

QTEST_MAIN(tst_Funzioni)
#include "tst_funzionibackup.moc"
