// The users administration: the role check, its controls, the protected Administrator row, the
// stamp and a locked administrator.

#include "FormFixture.h"

#include "MemoBox.h"
#include "frmUtenti.h"

#include <QCheckBox>
#include <QComboBox>
#include <memory>

class tst_frmUtenti : public QObject, FormTest<frmUtenti>
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void onlyTheExactRoleAdminOpensIt_data()
    {
        QTest::addColumn<QString>("role");
        QTest::newRow("lower case") << "admin";
        QTest::newRow("trailing blank") << "Admin ";
        QTest::newRow("user") << "Utente";
        QTest::newRow("none") << "";
    }
    void onlyTheExactRoleAdminOpensIt()
    {
        QFETCH(QString, role);
        DataBase::UserRole = role;
        frmUtenti form;
        form.show();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QCOMPARE(msg->count(), 2);
        QCOMPARE(msg->last(), (MsgRecord{"Non si dispone di Autorizzazioni per la richiesta", MsgKind::Information,
                                         "Accesso negato alla risorsa"}));
        QCOMPARE(form.editMode(), -1);   // nothing opened
    }

    void controlsAndTheirLimits()
    {
        auto form = openForm();
        QCOMPARE(msg->count(), 0);
        auto *password = ui::field(form.get(), "txtPassword");
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password), int('*'));
        QTest::keyClicks(password, QString(51, QLatin1Char('x')));
        QCOMPARE(password->text().size(), 50);
        auto *notes = ui::field<MemoBox>(form.get(), "txtnote");
        QTest::keyClicks(notes, QString(256, QLatin1Char('n')));
        QCOMPARE(notes->toPlainText().size(), 255);
        auto *role = ui::field<QComboBox>(form.get(), "cboRuolo");
        QVERIFY(!role->isEditable());
        QCOMPARE(role->count(), 2);
        QCOMPARE(role->itemText(0), QStringLiteral("Utente"));
        QCOMPARE(role->itemText(1), QStringLiteral("Admin"));
        QCOMPARE(role->currentIndex(), -1);
        QVERIFY(!ui::field(form.get(), "txtUserId")->isEnabled());
        ListGrid *g = ui::grid(form.get());
        QCOMPARE(g->columns(), 5);
        QCOMPARE(g->rows(), 1);
        QCOMPARE(g->cellText(1, 1), QStringLiteral(" Admin"));
        QCOMPARE(g->cellText(1, 3), QStringLiteral(" Admin"));
        ui::shoot(form.get(), QStringLiteral("frmUtenti"));
    }

    // Tab reads the fields as they stand on screen, column by column, then the buttons left to right.
    void tabFollowsTheScreen()
    {
        auto form = openForm();
        QWidget *at = ui::field(form.get(), "txtNome");
        at->setFocus();
        QStringList order;
        for (int i = 0; i < 15; ++i) {
            QTest::keyClick(at, Qt::Key_Tab);
            at = QApplication::focusWidget();
            QVERIFY(at);
            order << at->objectName();
        }
        QCOMPARE(order, (QStringList{"txtCognome", "txtData", "txtComuNascita", "txtTel", "txtCell", "txtMail", "txtWeb",
                                     "txtPassword", "cboRuolo", "ckeBlocca", "txtnote",
                                     "Command1", "Command6", "cmdOk", "cmdCancel"}));
    }

    void newUserFirstSaveUnstampedThenStamped()
    {
        auto form = openForm();
        ui::type(form.get(), "txtNome", QStringLiteral("Anna"));
        ui::type(form.get(), "txtPassword", QStringLiteral("Segreta"));
        ui::type(form.get(), "txtData", QStringLiteral("12/05/1990"));
        ui::field<QCheckBox>(form.get(), "ckeBlocca")->click();
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(msg->last().title, QStringLiteral("Gestione utenze"));
        auto row = db->rows(QStringLiteral("SELECT Pwd, Ruolo, LockAccess, DataNascita, DataUpdate FROM Utenti WHERE Nome = 'Anna'")).first();
        QCOMPARE(row[0].toString(), QStringLiteral("Segreta"));
        QVERIFY(row[1].isNull());           // saved without a role
        QVERIFY(row[2].toInt() != 0);
        QCOMPARE(row[3].toString(), QStringLiteral("1990-05-12"));
        QVERIFY(row[4].isNull());
        QCOMPARE(ui::field(form.get(), "txtUserId")->text(), QStringLiteral("Anna"));
        QCOMPARE(ui::grid(form.get())->rows(), 2);

        ui::field<QComboBox>(form.get(), "cboRuolo")->setCurrentIndex(0);
        ui::type(form.get(), "txtNome", QStringLiteral("Annina"));
        ui::click(form.get(), "cmdOk");
        row = db->rows(QStringLiteral("SELECT Nome, Ruolo, DataUpdate FROM Utenti WHERE Pwd = 'Segreta'")).first();
        QCOMPARE(row[0].toString(), QStringLiteral("Annina"));
        QCOMPARE(row[1].toString(), QStringLiteral("Utente"));
        QCOMPARE(row[2].toString(), QStringLiteral("2024-03-05"));
        QCOMPARE(ui::field(form.get(), "txtUserId")->text(), QStringLiteral("Annina"));
    }

    void nameOfBlanksIsRefused()
    {
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        ui::type(form.get(), "txtNome", QStringLiteral("  "));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last(), (MsgRecord{"Campo Nome vuoto: impossibile effettuare la registrazione.", MsgKind::Warning,
                                         "Gestione utenze"}));
        QCOMPARE(db->value(QStringLiteral("SELECT Nome FROM Utenti WHERE IdUtente = 1")).toString(), QStringLiteral("Admin"));
        QCOMPARE(form->editMode(), 1);
    }

    void administratorRowIsNotDeleted()
    {
        db->exec(QStringLiteral("INSERT INTO Utenti (IdUtente, Nome, Ruolo, Administrator) VALUES (2, 'Ospite', 'Utente', 0);"));
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->count(), 0);
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Utenti")).toInt(), 2);
        QVERIFY(ui::pick(form.get(), 2));
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->last().text, QStringLiteral("Record Cancellato!"));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Utenti")).toInt(), 1);
    }

    void lockedAdministratorOpensOnTheFirstUser()
    {
        DataBase::UserLockType = 1;
        auto form = openForm();
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Information);
        QCOMPARE(msg->last().title, QStringLiteral("Gestione utenze"));
        QCOMPARE(ui::field(form.get(), "txtNome")->text(), QStringLiteral("Admin"));
        QCOMPARE(ui::grid(form.get())->rows(), 1);
        ui::click(form.get(), "Command1");
        QCOMPARE(msg->count(), 2);
        QCOMPARE(msg->last().kind, MsgKind::Information);
        ui::type(form.get(), "txtCognome", QStringLiteral("Rossi"));
        ui::click(form.get(), "cmdOk");
        QVERIFY(msg->last().text.endsWith(QStringLiteral(" Operazione Annullata")));
        QVERIFY(db->value(QStringLiteral("SELECT Cognome FROM Utenti WHERE IdUtente = 1")).isNull());
    }

    // Esc on the open role list closes only the list; Esc on the form then asks as ever.
    void escOnAnOpenListOnlyClosesIt()
    {
        auto form = openForm();
        auto *role = ui::field<QComboBox>(form.get(), "cboRuolo");
        role->setFocus();
        role->showPopup();
        QVERIFY(QApplication::activePopupWidget());
        QTest::keyPress(static_cast<QWidget *>(nullptr), Qt::Key_Escape);    // to the open list
        QVERIFY(!QApplication::activePopupWidget());
        QTest::keyRelease(static_cast<QWidget *>(nullptr), Qt::Key_Escape);  // lands on the form
        QCOMPARE(msg->count(), 0);
        QVERIFY(form->isVisible());

        msg->answer(MsgAnswer::Yes);
        QTest::keyClick(role, Qt::Key_Escape);
        QCOMPARE(msg->last().text, QStringLiteral("Uscire senza salvare le modifiche?"));
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(tst_frmUtenti)
#include "tst_frmutenti.moc"
