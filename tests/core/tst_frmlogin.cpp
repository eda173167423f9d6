// The sign-in form driven as a user meets it, on a fresh program folder and a fresh settings store.

#include "Clock.h"
#include "DataBase.h"
#include "ErrorOf.h"
#include "FrmStart.h"
#include "PWSettings.h"
#include "ProgramFolder.h"
#include "Seams.h"
#include "Shell.h"
#include "db/Connection.h"
#include "frmLogin.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kTooLongName = QString(500, QLatin1Char('n'));
const QString kTooLongPassword = QString(250, QLatin1Char('\'')) + QString(250, QLatin1Char('p'));

struct Outcome
{
    bool shown = false;          // the form came on the screen (no automatic sign-in)
    bool signedIn = false;
    bool mainVisible = false;
    QString caption;             // the main window's caption afterwards
};

template <typename T>
T *control(QDialog *form, const char *name)
{
    T *found = form->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

void typeInto(QWidget *box, const QString &text)
{
    if (auto *combo = qobject_cast<QComboBox *>(box))
        combo->lineEdit()->clear();
    else if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->clear();
    box->setFocus();
    for (const QChar c : text) {   // Qt's test keys know ASCII only: an accented letter comes as its text
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void clickCheck(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

}

class TestFrmLogin : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MsgRecorder> m_msgs;
    int m_endRequests = 0;

    // One start of the program from the sign-in form on: the script plays the user on the shown form.
    Outcome run(const std::function<void(QDialog *)> &script = {})
    {
        Outcome outcome;
        QPointer<QMainWindow> mainWindow;
        FrmStart splash([&] {
            mainWindow = new QMainWindow;
            mainWindow->setWindowTitle(QStringLiteral("Focolarium"));
            return mainWindow.data();
        }, QStringLiteral("tst_frmlogin"));
        frmLogin login(&splash);
        Shell::setModalHandler([&](QDialog *form) {
            outcome.shown = true;
            form->show();
            if (!QTest::qWaitForWindowActive(form))
                qWarning("the sign-in form did not become active");
            if (script)
                script(form);
            return form->result();
        });
        login.showModal();
        outcome.signedIn = login.signedIn();
        if (mainWindow) {
            outcome.mainVisible = mainWindow->isVisible();
            outcome.caption = mainWindow->windowTitle();
        }
        return outcome;
    }

    // Signs in as the user with the password typed (the family as remembered, the first one at first).
    Outcome signIn(const QString &user, const QString &password, int family = 0)
    {
        return run([&](QDialog *form) {
            control<QComboBox>(form, "cboAzienda")->setCurrentIndex(family);
            typeInto(control<QComboBox>(form, "cmbUsers"), user);
            typeInto(control<QLineEdit>(form, "txtPassword"), password);
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
        });
    }

    void addUser(const QString &family, const QString &name, const QString &pwdSql, const QString &role = "'Utente'",
                 int locked = 0)
    {
        ProgramFolder::execute(m_folder->familyPath(family),
                               QStringLiteral("INSERT INTO Utenti (Nome, Pwd, Ruolo, LockAccess) VALUES (%1, %2, %3, %4)")
                                   .arg(name, pwdSql, role)
                                   .arg(locked));
    }

    static QString quoted(const QString &text) { return "'" + QString(text).replace("'", "''") + "'"; }

    QSettings store() const { return QSettings(QStringLiteral("Focolarium"), QStringLiteral("Focolarium")); }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCoreApplication::setOrganizationName(QStringLiteral("Focolarium"));
        QCoreApplication::setApplicationName(QStringLiteral("Focolarium"));
        Shell::setEndProgramHandler([this] { ++m_endRequests; });
    }

    void init()
    {
        m_settingsDir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir->path());
        m_folder = std::make_unique<ProgramFolder>();
        m_msgs = std::make_unique<MsgRecorder>();
        m_endRequests = 0;
        Clock::setNow(QDateTime(QDate(2024, 5, 10), QTime(9, 0)));
        DataBase::ConnString.clear();
        DataBase::UserId = 0;
        DataBase::UserRole.clear();
        DataBase::SetUserLockType(0);
        DataBase::WorkYear = 0;
        DataBase::AdoConnect().close();
    }

    void cleanup()
    {
        Shell::setModalHandler({});
        DataBase::AdoConnect().close();
        m_msgs.reset();
        m_folder.reset();
        Clock::setNow({});
    }

    void formReadsAsDesigned()
    {
        run([](QDialog *form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Focolarium Login"));
            QCOMPARE(control<QLabel>(form, "Label1")->text(), QStringLiteral("Famiglia:"));
            QCOMPARE(control<QLabel>(form, "lblUsername")->text(), QStringLiteral("Username:"));
            QCOMPARE(control<QLabel>(form, "lblPassword")->text(), QStringLiteral("Password:"));
            QCOMPARE(control<QCheckBox>(form, "Check1")->text(), QStringLiteral("&Salva Password"));
            QCOMPARE(control<QCheckBox>(form, "Check2")->text(), QStringLiteral("&Connetti automaticamente"));
            auto *login = control<QPushButton>(form, "cmdcon");
            QCOMPARE(login->text(), QStringLiteral("&Login"));
            QCOMPARE(login->toolTip(), QStringLiteral("Autenticazione"));
            QVERIFY(login->isDefault());
            auto *cancel = control<QPushButton>(form, "cmdCancel");
            QCOMPARE(cancel->text(), QStringLiteral("&Chiudi"));
            QCOMPARE(cancel->toolTip(), QStringLiteral("Esci"));
            QCOMPARE(control<QLineEdit>(form, "txtPassword")->echoMode(), QLineEdit::Password);

            // First run: the family list, no family remembered yet but index 0, the user "Admin".
            auto *families = control<QComboBox>(form, "cboAzienda");
            QCOMPARE(families->count(), 1);
            QCOMPARE(families->itemText(0), QStringLiteral("Famiglia"));
            QCOMPARE(families->currentIndex(), 0);
            QCOMPARE(control<QComboBox>(form, "cmbUsers")->currentText(), QStringLiteral("Admin"));
            QVERIFY(control<QLineEdit>(form, "txtPassword")->text().isEmpty());
            QVERIFY(!control<QCheckBox>(form, "Check1")->isChecked());
            QVERIFY(!control<QCheckBox>(form, "Check2")->isEnabled());

            auto *years = control<QComboBox>(form, "cboAnno");
            QCOMPARE(years->count(), 11);
            QCOMPARE(years->itemText(0), QStringLiteral("2019"));
            QCOMPARE(years->itemText(10), QStringLiteral("2029"));
            QCOMPARE(years->currentText(), QStringLiteral("2024"));
            QCOMPARE(DataBase::WorkYear, short(2024));

            clickCheck(control<QCheckBox>(form, "Check1"));
            QVERIFY(control<QCheckBox>(form, "Check2")->isEnabled());
            clickCheck(control<QCheckBox>(form, "Check1"));
            QVERIFY(!control<QCheckBox>(form, "Check2")->isEnabled());
        });
        QCOMPARE(m_msgs->count(), 0);
    }

    void password_data()
    {
        QTest::addColumn<QString>("name");        // as stored
        QTest::addColumn<QString>("pwdSql");      // the stored Pwd as an SQL value
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("typedPassword");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("right password") << "anna" << "'segreta'" << "anna" << "segreta" << true;
        QTest::newRow("wrong password") << "anna" << "'segreta'" << "anna" << "sbagliata" << false;
        QTest::newRow("password with other case") << "anna" << "'segreta'" << "anna" << "Segreta" << false;
        QTest::newRow("name in other case, blanks around") << "anna" << "'segreta'" << "  ANNA " << " segreta  " << true;
        QTest::newRow("empty password, Null pwd") << "anna" << "NULL" << "anna" << "" << true;
        QTest::newRow("empty password, empty pwd") << "anna" << "''" << "anna" << "" << true;
        QTest::newRow("blanks only, empty pwd") << "anna" << "''" << "anna" << "   " << true;
        QTest::newRow("empty password, pwd set") << "anna" << "'segreta'" << "anna" << "" << false;
        QTest::newRow("password given, Null pwd") << "anna" << "NULL" << "anna" << "segreta" << false;
        QTest::newRow("accented name in other case") << "Nicolò" << "'x'" << "NICOLÒ" << "x" << true;
        QTest::newRow("accented password in other case") << "Nicolò" << "'Perché'" << "Nicolò" << "PERCHÉ" << false;
        QTest::newRow("apostrophes") << "D'Amico" << "'l''ora'" << "D'Amico" << "l'ora" << true;
        QTest::newRow("apostrophe, wrong password") << "D'Amico" << "'l''ora'" << "D'Amico" << "l'or" << false;
        QTest::newRow("name closing the quote") << "anna" << "'segreta'" << "anna' OR '1'='1" << "x" << false;
        QTest::newRow("password closing the quote") << "anna" << "'segreta'" << "anna" << "x' OR 'a'='a" << false;
        QTest::newRow("SQL words matching exactly") << "x' OR 1=1 --" << "'DROP TABLE Utenti;'" << "x' OR 1=1 --"
                                                    << "DROP TABLE Utenti;" << true;
        QTest::newRow("500 characters, exact") << kTooLongName << quoted(kTooLongPassword) << kTooLongName
                                               << kTooLongPassword << true;
        QTest::newRow("500 characters, one short") << kTooLongName << quoted(kTooLongPassword) << kTooLongName
                                                   << kTooLongPassword.chopped(1) << false;
    }

    void password()
    {
        QFETCH(QString, name);
        QFETCH(QString, pwdSql);
        QFETCH(QString, typedName);
        QFETCH(QString, typedPassword);
        QFETCH(bool, accepted);
        addUser(QStringLiteral("Famiglia"), quoted(name), pwdSql);

        const Outcome outcome = signIn(typedName, typedPassword);
        QCOMPARE(outcome.signedIn, accepted);
        QCOMPARE(outcome.mainVisible, accepted);
        if (accepted) {
            QCOMPARE(m_msgs->count(), 0);
            QCOMPARE(DataBase::UserRole, QStringLiteral("Utente"));
            QCOMPARE(DataBase::UserId, short(2));
            QCOMPARE(DataBase::ConnString, m_folder->familyConnString());
            QCOMPARE(DataBase::AdoConnect().state(), 1);
            QCOMPARE(outcome.caption, QStringLiteral("Focolarium - Famiglia(") + typedName + QStringLiteral(")"));
        } else {
            QCOMPARE(m_msgs->count(), 1);
            QCOMPARE(m_msgs->last(), (MsgRecord{"Utente non valido", MsgKind::Information, "Accesso utente"}));
            QCOMPARE(DataBase::AdoConnect().state(), 0);
            QCOMPARE(outcome.caption, QStringLiteral("Focolarium"));
        }
        // Nothing a user typed reached the family's data.
        QCOMPARE(ProgramFolder::select(m_folder->familyPath(), "SELECT count(*) FROM Utenti").first().first().toInt(), 2);
    }

    void signInState_data()
    {
        QTest::addColumn<int>("lockAccess");
        QTest::addColumn<int>("lockType");
        QTest::newRow("free user") << 0 << 2;
        QTest::newRow("locked user") << -1 << 1;
    }

    void signInState()
    {
        QFETCH(int, lockAccess);
        QFETCH(int, lockType);
        m_folder->addFamily(QStringLiteral("Rossi"));
        addUser(QStringLiteral("Rossi"), "'anna'", "'pw'", "'Admin'", lockAccess);

        const Outcome outcome = run([](QDialog *form) {
            control<QComboBox>(form, "cboAzienda")->setCurrentIndex(1);
            typeInto(control<QComboBox>(form, "cboAnno"), QStringLiteral("2022"));
            typeInto(control<QComboBox>(form, "cmbUsers"), QStringLiteral("anna"));
            typeInto(control<QLineEdit>(form, "txtPassword"), QStringLiteral("pw"));
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
        });
        QVERIFY(outcome.signedIn);
        QCOMPARE(outcome.caption, QStringLiteral("Focolarium - Rossi(anna)"));
        QCOMPARE(DataBase::UserLockType, quint8(lockType));
        // A locked user's shared connection writes nothing, whatever path tries.
        QCOMPARE(errorOf([] { DataBase::AdoConnect().execute(QStringLiteral("UPDATE Utenti SET Cognome = 'x'")); }),
                 lockType == 1 ? AppError::ReadOnly : 0L);
        QCOMPARE(DataBase::UserRole, QStringLiteral("Admin"));
        QCOMPARE(DataBase::UserId, short(2));
        QCOMPARE(DataBase::WorkYear, short(2022));
        QCOMPARE(DataBase::ConnString, m_folder->familyConnString(QStringLiteral("Rossi")));
        QCOMPARE(DataBase::AdoConnect().fileName(), m_folder->familyPath(QStringLiteral("Rossi")));
        QCOMPARE(DataBase::Sett().SelectAzienda(), short(1));
        QCOMPARE(DataBase::Sett().UserName(), QStringLiteral("anna"));
    }

    void nullRoleFailsBeforeTheMainWindow()
    {
        addUser(QStringLiteral("Famiglia"), "'anna'", "NULL", "NULL");
        const Outcome outcome = signIn(QStringLiteral("anna"), QString());
        QVERIFY(!outcome.signedIn);
        QVERIFY(!outcome.mainVisible);
        QCOMPARE(outcome.caption, QStringLiteral("Focolarium"));
        QCOMPARE(m_msgs->count(), 1);
        QCOMPARE(m_msgs->last().title, QStringLiteral("Messaggio di Login"));
        QCOMPARE(m_msgs->last().kind, MsgKind::Information);
        QVERIFY(!m_msgs->last().text.isEmpty());
    }

    void rememberedChoices()
    {
        m_folder->addFamily(QStringLiteral("Rossi"));
        addUser(QStringLiteral("Rossi"), "'anna'", "'pw'");

        // First run: save the password, no automatic sign-in.
        Outcome first = run([](QDialog *form) {
            control<QComboBox>(form, "cboAzienda")->setCurrentIndex(1);
            typeInto(control<QComboBox>(form, "cmbUsers"), QStringLiteral("anna"));
            typeInto(control<QLineEdit>(form, "txtPassword"), QStringLiteral("pw"));
            clickCheck(control<QCheckBox>(form, "Check1"));
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
        });
        QVERIFY(first.signedIn);
        QCOMPARE(store().value("Options/Password").toString(), QStringLiteral("pw"));
        QCOMPARE(store().value("Options/SavePassword").toString(), QStringLiteral("True"));
        QCOMPARE(store().value("Options/AutoLogon").toString(), QStringLiteral("False"));

        // Second run: everything filled in; now clear "Salva Password" and sign in again.
        Outcome second = run([](QDialog *form) {
            QCOMPARE(control<QComboBox>(form, "cboAzienda")->currentText(), QStringLiteral("Rossi"));
            QCOMPARE(control<QComboBox>(form, "cmbUsers")->currentText(), QStringLiteral("anna"));
            auto *password = control<QLineEdit>(form, "txtPassword");
            QCOMPARE(password->text(), QStringLiteral("pw"));
            QCOMPARE(password->selectedText(), QStringLiteral("pw"));
            QVERIFY(control<QCheckBox>(form, "Check1")->isChecked());
            QVERIFY(control<QCheckBox>(form, "Check2")->isEnabled());
            QVERIFY(!control<QCheckBox>(form, "Check2")->isChecked());
            clickCheck(control<QCheckBox>(form, "Check1"));
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
        });
        QVERIFY(second.shown);
        QVERIFY(second.signedIn);
        QVERIFY(!store().contains("Options/Password"));
        QCOMPARE(store().value("Options/SavePassword").toString(), QStringLiteral("False"));

        // Third run: the password is no longer offered.
        run([](QDialog *form) {
            QCOMPARE(control<QComboBox>(form, "cmbUsers")->currentText(), QStringLiteral("anna"));
            QVERIFY(control<QLineEdit>(form, "txtPassword")->text().isEmpty());
            QVERIFY(!control<QCheckBox>(form, "Check1")->isChecked());
            form->close();
        });
    }

    void automaticSignIn()
    {
        addUser(QStringLiteral("Famiglia"), "'anna'", "'pw'");
        Outcome first = run([](QDialog *form) {
            typeInto(control<QComboBox>(form, "cmbUsers"), QStringLiteral("anna"));
            typeInto(control<QLineEdit>(form, "txtPassword"), QStringLiteral("pw"));
            clickCheck(control<QCheckBox>(form, "Check1"));
            clickCheck(control<QCheckBox>(form, "Check2"));
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
        });
        QVERIFY(first.signedIn);
        QCOMPARE(store().value("Options/AutoLogon").toString(), QStringLiteral("True"));

        DataBase::AdoConnect().close();
        const Outcome second = run();
        QVERIFY(!second.shown);
        QVERIFY(second.signedIn);
        QVERIFY(second.mainVisible);
        QCOMPARE(second.caption, QStringLiteral("Focolarium - Famiglia(anna)"));
        QCOMPARE(DataBase::AdoConnect().state(), 1);
        QCOMPARE(m_msgs->count(), 0);
    }

    void failedAutomaticSignInShowsTheForm()
    {
        QSettings settings = store();
        settings.setValue("Options/UserName", "nessuno");
        settings.setValue("Options/SavePassword", "True");
        settings.setValue("Options/AutoLogon", "True");
        settings.sync();
        const Outcome outcome = run([](QDialog *form) { form->close(); });
        QVERIFY(outcome.shown);
        QVERIFY(!outcome.signedIn);
        QCOMPARE(m_msgs->count(), 1);
        QCOMPARE(m_msgs->last().text, QStringLiteral("Utente non valido"));
    }

    void familyIndexBeyondTheList()
    {
        QSettings settings = store();
        settings.setValue("Options/SelectAzienda", "5");
        settings.sync();
        const Outcome outcome = run([this](QDialog *form) {
            QCOMPARE(control<QComboBox>(form, "cboAzienda")->currentIndex(), -1);
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
            QCOMPARE(m_msgs->count(), 1);
            QVERIFY(form->isVisible());
            form->close();
        });
        QVERIFY(!outcome.signedIn);
        QCOMPARE(m_msgs->last(), (MsgRecord{"Indice della matrice delle proprietà non valido", MsgKind::Information,
                                            "Messaggio di Login"}));
    }

    void familyRowGone()
    {
        run([this](QDialog *form) {
            ProgramFolder::execute(m_folder->logoPath(), QStringLiteral("DELETE FROM Aziende"));
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
            form->close();
        });
        QCOMPARE(m_msgs->count(), 1);
        QCOMPARE(m_msgs->last().text, QStringLiteral("Famiglia non valida"));
        QCOMPARE(m_msgs->last().title, QStringLiteral("Accesso utente"));
    }

    void familyDatabaseMissing()
    {
        QVERIFY(QFile::remove(m_folder->familyPath()));
        const Outcome outcome = signIn(QStringLiteral("Admin"), QString());
        QVERIFY(!outcome.signedIn);
        QVERIFY(m_msgs->count() >= 2);
        QCOMPARE(m_msgs->shown().at(0).title, QStringLiteral("Errore Di ConnVERIFICA: Connect failed"));
        QCOMPARE(m_msgs->shown().at(0).kind, MsgKind::PlainOkCancel);
        QCOMPARE(m_msgs->last().title, QStringLiteral("Messaggio di Login"));
        QVERIFY(DataBase::ConnString.isEmpty());
    }

    void familiesDatabaseMissing()
    {
        QVERIFY(QFile::remove(m_folder->logoPath()));
        run([this](QDialog *form) {
            QCOMPARE(control<QComboBox>(form, "cboAzienda")->count(), 0);
            const int shown = m_msgs->count();
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
            QCOMPARE(m_msgs->count(), shown);   // "&Login" does nothing with no families
            form->close();
        });
        QCOMPARE(m_msgs->shown().at(0).title, QStringLiteral("Errore Di ConnAziende: Connect failed"));
        QCOMPARE(m_msgs->shown().at(1).title, QStringLiteral("Messaggio di Login"));
        QCOMPARE(m_msgs->shown().at(1).kind, MsgKind::Information);
    }

    void yearBox_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("99") << "99" << QStringList{"Campo Numerico", "Campo data Annuo"};
        QTest::newRow("20245") << "20245" << QStringList{"Campo data Annuo"};
        QTest::newRow("letters") << "abcd" << QStringList{"Campo Numerico"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("four digits") << "2023" << QStringList{};
    }

    void yearBox()
    {
        QFETCH(QString, year);
        QFETCH(QStringList, titles);
        run([&](QDialog *form) {
            auto *years = control<QComboBox>(form, "cboAnno");
            typeInto(years, year);
            QTest::mouseClick(control<QPushButton>(form, "cmdcon"), Qt::LeftButton);
            QStringList seen;
            for (const MsgRecord &box : m_msgs->shown()) {
                seen << box.title;
                QCOMPARE(box.kind, MsgKind::Error);
            }
            QCOMPARE(seen, titles);
            if (!titles.isEmpty()) {
                QVERIFY(form->isVisible());   // the button did nothing
                QVERIFY(years->hasFocus());
                QCOMPARE(m_msgs->last().text, titles.last() == "Campo Numerico"
                                                   ? QStringLiteral("Il Campo Anno è Numerico")
                                                   : QStringLiteral("Il Campo deve contenere un valore data Annuo "));
                form->close();
            }
        });
    }

    // The year list opens on the year the box shows, typed or not.
    void yearListOpensOnTheShownYear_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("current");
        QTest::newRow("as loaded") << QString() << "2024";
        QTest::newRow("a listed year typed") << "2021"
                                             << "2021";
        QTest::newRow("a year past the list typed") << "1990" << "";
    }
    void yearListOpensOnTheShownYear()
    {
        QFETCH(QString, typed);
        QFETCH(QString, current);
        run([&](QDialog *form) {
            auto *years = control<QComboBox>(form, "cboAnno");
            if (!typed.isNull())
                typeInto(years, typed);
            years->setFocus();
            QTest::keyClick(years, Qt::Key_Down, Qt::AltModifier);
            QVERIFY(years->view()->isVisible());
            QCOMPARE(years->view()->currentIndex().data().toString(), current);
            years->hidePopup();
            form->close();
        });
    }

    void enterSignsIn_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("in the password") << "txtPassword" << "2024" << true;
        QTest::newRow("in the user name") << "cmbUsers" << "2024" << true;
        QTest::newRow("in a bad year") << "cboAnno" << "20245" << false;
        QTest::newRow("on Chiudi") << "cmdCancel" << "2024" << false;
    }

    void enterSignsIn()
    {
        QFETCH(QString, box);
        QFETCH(QString, year);
        QFETCH(bool, accepted);
        const Outcome outcome = run([&](QDialog *form) {
            typeInto(control<QComboBox>(form, "cboAnno"), year);
            auto *target = form->findChild<QWidget *>(box);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
            if (form->isVisible())
                form->close();
        });
        QCOMPARE(outcome.signedIn, accepted);
        QCOMPARE(m_msgs->count(), accepted || box == "cmdCancel" ? 0 : 1);
        QCOMPARE(m_endRequests, box == "cmdCancel" ? 1 : 0);
    }

    void yearBoxStopsTab()
    {
        run([this](QDialog *form) {
            auto *years = control<QComboBox>(form, "cboAnno");
            typeInto(years, QStringLiteral("99"));
            QTest::keyClick(years, Qt::Key_Tab);
            QCOMPARE(m_msgs->count(), 2);
            QVERIFY(years->hasFocus());
            form->close();
        });
    }

    void escapeAndCloseEndTheProgram_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc on the password") << true;
        QTest::newRow("Chiudi") << false;
    }

    void escapeAndCloseEndTheProgram()
    {
        QFETCH(bool, escape);
        run([&](QDialog *form) {
            auto *years = control<QComboBox>(form, "cboAnno");
            typeInto(years, QStringLiteral("99"));   // a bad year does not hold the program back
            typeInto(control<QComboBox>(form, "cmbUsers"), QStringLiteral("qualcuno"));
            m_msgs->clear();
            if (escape)
                QTest::keyClick(control<QLineEdit>(form, "txtPassword"), Qt::Key_Escape);
            else
                QTest::mouseClick(control<QPushButton>(form, "cmdCancel"), Qt::LeftButton);
            QCOMPARE(m_endRequests, 1);
            QCOMPARE(m_msgs->count(), 0);
            QVERIFY(form->isVisible());   // the program ends at once; the form runs no unload
            form->close();
        });
        QCOMPARE(DataBase::Sett().UserName(), QStringLiteral("Admin"));
    }

    // Esc on the open families list closes only the list.
    void escOnAnOpenListOnlyClosesIt()
    {
        run([&](QDialog *form) {
            auto *families = control<QComboBox>(form, "cboAzienda");
            families->setFocus();
            families->showPopup();
            QVERIFY(QApplication::activePopupWidget());
            QTest::keyPress(static_cast<QWidget *>(nullptr), Qt::Key_Escape);    // to the open list
            QVERIFY(!QApplication::activePopupWidget());
            QTest::keyRelease(static_cast<QWidget *>(nullptr), Qt::Key_Escape);  // lands on the form
            QCOMPARE(m_endRequests, 0);
            QVERIFY(form->isVisible());
            form->close();
        });
    }
};

QTEST_MAIN(TestFrmLogin)
#include "tst_frmlogin.moc"
