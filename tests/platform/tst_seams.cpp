// The check on leaving a box, the message-box seam and the program folder.

#include "AppError.h"
#include "Italian.h"
#include "LeaveCheck.h"
#include "MsgBox.h"
#include "Seams.h"
#include "Shell.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
struct Form
{
    QDialog dialog;
    QLineEdit *box = new QLineEdit(&dialog);
    QLineEdit *other = new QLineEdit(&dialog);
    QPushButton *ok = new QPushButton(QStringLiteral("&Ok"), &dialog);
    QPushButton *cancel = new QPushButton(QStringLiteral("&Cancel"), &dialog);
    int checks = 0;
    bool pass = false;
    bool raise = false;

    Form()
    {
        box->move(0, 0);
        other->move(0, 30);
        ok->move(0, 60);
        cancel->move(100, 60);
        LeaveCheck::install(box, [this] {
            ++checks;
            if (raise)
                throw AppError(AppError::TypeMismatch, QStringLiteral("Tipo non corrispondente"));
            return pass;
        });
        LeaveCheck::setCausesCheck(cancel, false);
        dialog.show();
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("the test window did not become active");
        box->setFocus();
    }
};
}

class tst_seams : public QObject
{
    Q_OBJECT

private slots:
    void failedCheckStopsButtonAndKeepsFocus_data()
    {
        QTest::addColumn<bool>("pass");
        QTest::newRow("check fails") << false;
        QTest::newRow("check passes") << true;
    }
    void failedCheckStopsButtonAndKeepsFocus()
    {
        QFETCH(bool, pass);
        Form form;
        QCOMPARE(QApplication::focusWidget(), form.box);
        form.pass = pass;
        QSignalSpy clicked(form.ok, &QPushButton::clicked);
        QTest::mouseClick(form.ok, Qt::LeftButton);
        QCOMPARE(form.checks, 1);
        QCOMPARE(clicked.count(), pass ? 1 : 0);
        if (!pass)
            QCOMPARE(QApplication::focusWidget(), form.box);
    }

    // A check that raises an error fails like a refusing one, and its message is shown.
    void checkThatRaisesShowsItsMessageAndStopsTheButton()
    {
        MsgRecorder boxes;
        Form form;
        form.raise = true;
        QSignalSpy clicked(form.ok, &QPushButton::clicked);
        QTest::mouseClick(form.ok, Qt::LeftButton);
        QCOMPARE(form.checks, 1);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(QApplication::focusWidget(), form.box);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("Tipo non corrispondente"));
        QCOMPARE(boxes.last().kind, MsgKind::Error);
        form.raise = false;
        form.pass = true;
        QTest::mouseClick(form.ok, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void shortcutOfAButtonRunsTheCheck()
    {
        Form form;
        QSignalSpy clicked(form.ok, &QPushButton::clicked);
        QTest::keyClick(&form.dialog, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(form.checks, 1);
        QCOMPARE(clicked.count(), 0);
    }

    void tabAndClickOnOtherBoxRunTheCheck()
    {
        Form form;
        QTest::keyClick(form.box, Qt::Key_Tab);
        QCOMPARE(form.checks, 1);
        QCOMPARE(QApplication::focusWidget(), form.box);
        QTest::mouseClick(form.other, Qt::LeftButton);
        QCOMPARE(form.checks, 2);
        QCOMPARE(QApplication::focusWidget(), form.box);
        form.pass = true;
        QTest::keyClick(form.box, Qt::Key_Tab);
        QCOMPARE(form.checks, 3);
        QVERIFY(QApplication::focusWidget() != form.box);
    }

    void buttonThatCausesNoCheckAlwaysWorks()
    {
        Form form;
        QSignalSpy clicked(form.cancel, &QPushButton::clicked);
        QTest::mouseClick(form.cancel, Qt::LeftButton);
        QCOMPARE(form.checks, 0);
        QCOMPARE(clicked.count(), 1);
    }

    void clickInsideTheBoxRunsNoCheck()
    {
        Form form;
        QTest::mouseClick(form.box, Qt::LeftButton);
        QCOMPARE(form.checks, 0);
    }

    void messageBoxSeamRecordsAndAnswers()
    {
        MsgRecorder boxes;
        boxes.answer(MsgAnswer::No);
        QCOMPARE(MsgBox(QStringLiteral("Uscire?"), MsgKind::WarningQuestion, QStringLiteral("Titolo")), MsgAnswer::No);
        QCOMPARE(MsgBox(QStringLiteral("Fatto"), MsgKind::Information), MsgAnswer::Ok);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.shown().at(0).title, QStringLiteral("Titolo"));
        QCOMPARE(boxes.last().title, QStringLiteral("Focolarium"));   // no title: the program's
        QCOMPARE(boxes.last().kind, MsgKind::Information);
    }

    // The dialogs Qt itself draws speak Italian, as the programs set them up.
    void qtTextsAreItalian_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("question") << int(MsgKind::Question) << QStringList({"Sì", "No"});
        QTest::newRow("ok and cancel") << int(MsgKind::PlainOkCancel) << QStringList({"OK", "Annulla"});
    }
    void qtTextsAreItalian()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, buttons);
        QVERIFY(Italian::apply());
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton *button : box->buttons())
                shown << button->text().remove(QLatin1Char('&'));
            box->reject();
        });
        MsgBox(QStringLiteral("Continuare?"), MsgKind(kind), QStringLiteral("Prova"));
        std::sort(shown.begin(), shown.end());
        std::sort(buttons.begin(), buttons.end());
        QCOMPARE(shown, buttons);
    }

    // A box is never narrower than its title as a title bar draws it: the title in bold beside the
    // bar's icon and its three buttons (the window manager cuts a title that does not fit).
    void boxHoldsItsWholeTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("appointments") << "Registrazione appuntamenti" << "Registrazione completata.";
        QTest::newRow("number field") << "Errore Campo numerico" << "Il Campo Anno è Numerico";
        QTest::newRow("deleted") << "Delete Successfull!" << "Record Cancellato!";
        QTest::newRow("program's") << "Messaggio Focolarium" << "Ok";
    }
    void boxHoldsItsWholeTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        int width = 0;
        int textWidth = 0;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            width = box->width();
            textWidth = box->fontMetrics().horizontalAdvance(text);
            box->grab().save(QStringLiteral("/tmp/shots/MsgBox_%1.png").arg(QTest::currentDataTag()));
            box->accept();
        });
        QDir().mkpath(QStringLiteral("/tmp/shots"));
        MsgBox(text, MsgKind::Information, title);
        QFont bold = QApplication::font();
        bold.setBold(true);
        const int iconAndButtons = 100;
        QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(title) + iconAndButtons,
                 qPrintable(QString::number(width)));
        QVERIFY(width > textWidth);
    }

    void fileDialogIsItalian()
    {
        QVERIFY(Italian::apply());
        QFileDialog dialog(nullptr, QStringLiteral("Seleziona percorso."));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        auto *buttonBox = dialog.findChild<QDialogButtonBox *>();
        QVERIFY(buttonBox);
        QCOMPARE(buttonBox->button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&')), QStringLiteral("Apri"));
        QCOMPARE(buttonBox->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Annulla"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("fileNameLabel"))->text().remove(QLatin1Char('&')),
                 QStringLiteral("Nome del file:"));
    }

    void appPathCanBeReplaced()
    {
        Shell::setAppPath(QStringLiteral("/tmp/x/"));
        QCOMPARE(Shell::appPath(), QStringLiteral("/tmp/x"));
        Shell::setAppPath(QString());
        QCOMPARE(Shell::appPath(), QCoreApplication::applicationDirPath());
    }

    void mousePointerRestores()
    {
        QCOMPARE(Shell::mousePointer(), 0);
        Shell::setMousePointer(11);
        QCOMPARE(Shell::mousePointer(), 11);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        Shell::setMousePointer(0);
        QVERIFY(!QApplication::overrideCursor());
    }

    void secondCopyIsDetected()
    {
        const QString name = QStringLiteral("focolarium-test-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(!Shell::prevInstance(name));
        QVERIFY(!Shell::prevInstance(name));   // the holder itself is not a second copy
        Shell::releaseInstance();
    }
};

QTEST_MAIN(tst_seams)
#include "tst_seams.moc"
