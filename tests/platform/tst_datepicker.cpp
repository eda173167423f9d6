// The date picker takes a date typed section by section as typed: a day the month shown lacks is
// neither moved to another day nor held as one.

#include "Clock.h"
#include "DatePicker.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

class tst_DatePicker : public QObject
{
    Q_OBJECT

private slots:
    void typedSectionBySection_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("leap day, another year shown") << QDate(2026, 3, 5) << "29022000" << QVariant(QDate(2000, 2, 29));
        QTest::newRow("31st, April shown") << QDate(2026, 4, 15) << "31012024" << QVariant(QDate(2024, 1, 31));
        QTest::newRow("no leap day in 2023") << QDate(2026, 3, 5) << "29022023" << QVariant();
        QTest::newRow("no 31 April") << QDate(2026, 3, 5) << "31042024" << QVariant();
    }
    void typedSectionBySection()
    {
        QFETCH(QDate, today);
        QFETCH(QString, keys);
        QFETCH(QVariant, value);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Clock::setNow(QDateTime(today, QTime(10, 0)));
        DatePicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QTest::mouseClick(picker.tickBox(), Qt::LeftButton, {}, QPoint(4, picker.tickBox()->height() / 2));
        QTest::keyClick(picker.tickBox(), Qt::Key_Tab);
        QTest::keyClicks(picker.dateBox(), keys);
        QTest::keyClick(picker.dateBox(), Qt::Key_Return);
        QCOMPARE(picker.dateBox()->text(), keys.left(2) + '/' + keys.mid(2, 2) + '/' + keys.mid(4));
        QCOMPARE(picker.value(), value);

        // A date set afterwards (the hidden one Qt kept for 31/04, say) is known: unticking it is a change.
        picker.setValue(QDate(2024, 4, 30));
        QSignalSpy told(&picker, &DatePicker::valueChanged);
        picker.tickBox()->click();
        QCOMPARE(told.count(), 1);
    }
};

QTEST_MAIN(tst_DatePicker)
#include "tst_datepicker.moc"
