// The date box as the user meets it: typing into a box and clicking a button or pressing Tab.

#include "DateBox.h"
#include "Seams.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {
struct Form
{
    QDialog dialog;
    QLineEdit *txtData = new QLineEdit(&dialog);
    QLineEdit *txtAltro = new QLineEdit(&dialog);
    QPushButton *cmdOk = new QPushButton(QStringLiteral("&Ok"), &dialog);

    explicit Form(DateBox::Format format)
    {
        txtData->setObjectName(QStringLiteral("txtData"));
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(txtData);
        layout->addWidget(txtAltro);
        layout->addWidget(cmdOk);
        DateBox::install(txtData, format);
        dialog.show();
        dialog.activateWindow();
    }
    bool ready()
    {
        if (!QTest::qWaitForWindowActive(&dialog))
            return false;
        txtData->setFocus();
        return QApplication::focusWidget() == txtData;
    }
};
}

class TestDateBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void leavingByClick_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("boxText");

        const int general = int(DateBox::Format::GeneralDate), shortDate = int(DateBox::Format::ShortDate);
        QTest::newRow("dashes") << general << "1-2-2024" << true << "01/02/2024";
        QTest::newRow("six digits, short date box") << shortDate << "050324" << true << "05/03/2024";
        QTest::newRow("empty") << general << "" << true << "";
        QTest::newRow("two slashes") << general << "1//2/2024" << false << "1//2/2024";
        QTest::newRow("seven digits") << general << "0102024" << false << "0102024";
        QTest::newRow("four digits") << shortDate << "2024" << false << "2024";
        QTest::newRow("no such day") << general << "31/02/2024" << false << "31/02/2024";
        QTest::newRow("blanks only") << general << "   " << false << "";
    }
    void leavingByClick()
    {
        QFETCH(int, format);
        QFETCH(QString, typed);
        QFETCH(bool, passes);
        QFETCH(QString, boxText);

        MsgRecorder boxes;
        Form form{DateBox::Format(format)};
        QVERIFY(form.ready());
        QSignalSpy clicked(form.cmdOk, &QPushButton::clicked);
        QTest::keyClicks(form.dialog.findChild<QLineEdit *>(QStringLiteral("txtData")), typed);
        QTest::mouseClick(form.cmdOk, Qt::LeftButton);

        QCOMPARE(form.txtData->text(), boxText);
        QCOMPARE(clicked.count(), passes ? 1 : 0);
        if (passes) {
            QCOMPARE(boxes.count(), 0);
        } else {
            QCOMPARE(boxes.count(), 1);
            QCOMPARE(boxes.last(), (MsgRecord{"Correggere la sintassi della data", MsgKind::Error, "Data Error"}));
            QCOMPARE(QApplication::focusWidget(), form.txtData);
        }
    }

    void blanksOnlyPassOnTheSecondTry()
    {
        MsgRecorder boxes;
        Form form(DateBox::Format::GeneralDate);
        QVERIFY(form.ready());
        QSignalSpy clicked(form.cmdOk, &QPushButton::clicked);
        QTest::keyClicks(form.txtData, QStringLiteral("  "));
        QTest::mouseClick(form.cmdOk, Qt::LeftButton);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseClick(form.cmdOk, Qt::LeftButton);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(clicked.count(), 1);
    }

    void leavingByTab()
    {
        MsgRecorder boxes;
        Form form(DateBox::Format::GeneralDate);
        QVERIFY(form.ready());
        QTest::keyClicks(form.txtData, QStringLiteral("1 /2/2024"));
        QTest::keyClick(form.txtData, Qt::Key_Tab);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(QApplication::focusWidget(), form.txtData);

        form.txtData->clear();
        QTest::keyClicks(form.txtData, QStringLiteral("1.2.24"));
        QTest::keyClick(form.txtData, Qt::Key_Tab);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(form.txtData->text(), QStringLiteral("01/02/2024"));
        QCOMPARE(QApplication::focusWidget(), form.txtAltro);
    }
};

QTEST_MAIN(TestDateBox)
#include "tst_datebox.moc"
