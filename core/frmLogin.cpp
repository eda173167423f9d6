#include "frmLogin.h"

#include "AppError.h"
#include "Clock.h"
#include "ComboFill.h"
#include "Conversions.h"
#include "DataBase.h"
#include "EditableCombo.h"
#include "EscKey.h"
#include "FrmStart.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "LeaveCheck.h"
#include "MsgBox.h"
#include "PWSettings.h"
#include "PasswordBox.h"
#include "Pictures.h"
#include "Shell.h"
#include "db/Connection.h"
#include "db/Recordset.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

using Funzioni::SqlQuote;

namespace {

const QString kMsgTitle = QStringLiteral("Messaggio di Login");

// The runtime's error for reading the item data of a list with nothing selected.
const long kInvalidArrayIndex = 381;

// Leading and trailing blanks only; other white space belongs to the text.
QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString familiesConnectionText()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=tubo;"
                          "Persist Security Info=False;Data Source=")
        + Shell::appPath() + QStringLiteral("/Dati/logo.mdb");
}

}

frmLogin::frmLogin(FrmStart *splash, QWidget *parent)
    : LoadingDialog(parent), m_splash(splash)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Focolarium Login"));
    offerCloseOnly();
    openCentredOnScreen();

    imgBorder = new QLabel(this);
    imgBorder->setObjectName(QStringLiteral("imgBorder"));
    imgBorder->setFixedWidth(72);
    imgBorder->setAlignment(Qt::AlignTop);

    Label1 = new QLabel(QStringLiteral("Famiglia:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cboAzienda = new QComboBox(this);
    cboAzienda->setObjectName(QStringLiteral("cboAzienda"));
    cboAzienda->setMinimumWidth(190);
    Label1->setBuddy(cboAzienda);

    cboAnno = new EditableCombo(this);
    cboAnno->setObjectName(QStringLiteral("cboAnno"));
    cboAnno->setMinimumContentsLength(5);

    lblUsername = new QLabel(QStringLiteral("Username:"), this);
    lblUsername->setObjectName(QStringLiteral("lblUsername"));
    cmbUsers = new QComboBox(this);
    cmbUsers->setObjectName(QStringLiteral("cmbUsers"));
    cmbUsers->setEditable(true);
    cmbUsers->setInsertPolicy(QComboBox::NoInsert);
    lblUsername->setBuddy(cmbUsers);

    lblPassword = new QLabel(QStringLiteral("Password:"), this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    PasswordBox::showAsterisks(txtPassword);
    lblPassword->setBuddy(txtPassword);

    Check1 = new QCheckBox(QStringLiteral("&Salva Password"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2 = new QCheckBox(QStringLiteral("&Connetti automaticamente"), this);
    Check2->setObjectName(QStringLiteral("Check2"));

    cmdcon = new QPushButton(QStringLiteral("&Login"), this);
    cmdcon->setObjectName(QStringLiteral("cmdcon"));
    cmdcon->setToolTip(QStringLiteral("Autenticazione"));
    cmdcon->setDefault(true);
    cmdcon->setAutoDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Chiudi"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setToolTip(QStringLiteral("Esci"));
    cmdCancel->setAutoDefault(false);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(cboAzienda, 0, 1);
    fields->addWidget(cboAnno, 0, 2);
    fields->addWidget(lblUsername, 1, 0);
    fields->addWidget(cmbUsers, 1, 1, 1, 2);
    fields->addWidget(lblPassword, 2, 0);
    fields->addWidget(txtPassword, 2, 1, 1, 2);
    fields->addWidget(Check1, 3, 1, 1, 2);
    fields->addWidget(Check2, 4, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdcon);
    buttons->addWidget(cmdCancel);

    auto *right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch();
    right->addLayout(buttons);

    // The border image runs the form's full height, from the top edge to the bottom one.
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(14);
    outer->addWidget(imgBorder);
    right->setContentsMargins(0, 14, 12, 12);
    outer->addLayout(right);
    setFixedSize(sizeHint().expandedTo(QSize(430, 212)));
    imgBorder->setPixmap(Pictures::loginBorder(QSize(72, height())));

    setTabOrder(cboAzienda, cboAnno);
    setTabOrder(cboAnno, cmbUsers);
    setTabOrder(cmbUsers, txtPassword);
    setTabOrder(txtPassword, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, cmdcon);
    setTabOrder(cmdcon, cmdCancel);

    connect(Check1, &QCheckBox::toggled, this, [this](bool ticked) { Check2->setEnabled(ticked); });
    connect(cmdcon, &QPushButton::clicked, this, &frmLogin::cmdcon_Click);
    connect(cmdCancel, &QPushButton::clicked, this, [] { Shell::endProgram(); });
    LeaveCheck::install(cboAnno, [this] { return cboAnno_Validate(); });
    LeaveCheck::setCausesCheck(cmdCancel, false);

    // Esc anywhere on the form ends the program (the dialog's own Esc would only close the form).
    EscKey::onRelease(this, [] { Shell::endProgram(); });
}

frmLogin::~frmLogin() = default;

void frmLogin::showModal()
{
    Form_Load();
    if (m_unloaded)
        return;
    Shell::showModal(this);
}

void frmLogin::Form_Load()
{
    Guarded(kMsgTitle, [this] {
        if (m_splash)
            m_splash->unloadForSignIn();
        ConnAziende();
        Check2->setEnabled(Check1->isChecked());

        cboAzienda->clear();
        {
            Recordset families;
            families.open(QStringLiteral("SELECT IdAzienda,NomeAzienda FROM Aziende ;"), m_connAziende.get(),
                          Recordset::OpenKeyset, Recordset::LockReadOnly);
            for (; !families.eof(); families.moveNext())
                cboAzienda->addItem(Funzioni::NullToString(families.value(QStringLiteral("NomeAzienda"))),
                                    families.value(QStringLiteral("IdAzienda")));
        }
        cboAzienda->setCurrentIndex(-1);

        DataBase::WorkYear = short(Clock::today().year());
        ComboFill::setYears(cboAnno, DataBase::WorkYear);

        LoadLoginSettings();
    }, MsgKind::Information);
}

void frmLogin::ConnAziende()
{
    m_connAziende = std::make_unique<Connection>();
    Guarded(QStringLiteral("Errore Di ConnAziende: Connect failed"), [this] {
        m_connAziende->setCursorLocation(3);
        m_connAziende->open(familiesConnectionText(), QString(), QString(), -1);
    }, MsgKind::PlainOkCancel);
}

void frmLogin::LoadLoginSettings()
{
    PWSettings &sett = DataBase::Sett();
    AppError::ignoring([&] { Check1->setChecked(sett.SavePass()); });
    AppError::ignoring([&] {
        m_autoConnect = sett.Autocon();
        Check2->setChecked(m_autoConnect);
    });
    AppError::ignoring([&] { cmbUsers->setEditText(sett.UserName()); });
    AppError::ignoring([&] {
        txtPassword->setText(sett.Password());
        txtPassword->selectAll();
    });
    AppError::ignoring([&] {
        if (cboAzienda->count() > 0) {
            const int index = sett.SelectAzienda();
            // An index outside the list leaves no family selected.
            if (index >= -1 && index < cboAzienda->count())
                cboAzienda->setCurrentIndex(index);
        }
    });
    AppError::ignoring([&] {
        if (m_autoConnect)
            cmdcon->click();
    });
}

void frmLogin::SaveLoginSettings()
{
    PWSettings &sett = DataBase::Sett();
    AppError::ignoring([&] { sett.setUserName(cmbUsers->currentText()); });
    AppError::ignoring([&] {
        if (cboAzienda->count() > 0)
            sett.setSelectAzienda(short(cboAzienda->currentIndex()));
    });
    AppError::ignoring([&] { sett.setAutocon(Check2->isChecked()); });
    if (Check1->isChecked()) {
        AppError::ignoring([&] { sett.setSavePass(true); });
        AppError::ignoring([&] { sett.setPassword(txtPassword->text()); });
    } else {
        // Turning saving off removes the stored password.
        AppError::ignoring([&] { sett.setPassword(txtPassword->text()); });
        AppError::ignoring([&] { sett.setSavePass(false); });
    }
}

bool frmLogin::SelectFamily(short familyId)
{
    Recordset family;
    family.open(QStringLiteral("SELECT * FROM Aziende where IdAzienda=") + QString::number(familyId),
                m_connAziende.get(), Recordset::OpenKeyset, Recordset::LockReadOnly);
    if (family.eof()) {
        MsgBox(QStringLiteral("Famiglia non valida"), MsgKind::Information, QStringLiteral("Accesso utente"));
        family.close();
        return false;
    }
    ConnVERIFICA(trimBlanks(Funzioni::NullToString(family.value(QStringLiteral("Indirizzo"))))
                 + QStringLiteral(";Jet OLEDB:Database Password=tubo"));
    family.close();
    return true;
}

void frmLogin::ConnVERIFICA(const QString &connectionText)
{
    m_connVerifica = std::make_unique<Connection>();
    Guarded(QStringLiteral("Errore Di ConnVERIFICA: Connect failed"), [this, &connectionText] {
        m_connVerifica->setCursorLocation(3);
        m_connVerifica->open(connectionText, QString(), QString(), -1);
        DataBase::ConnString = connectionText;
    }, MsgKind::PlainOkCancel);
}

void frmLogin::cmdcon_Click()
{
    // Enter presses the default button without moving the focus: the year box is checked all the same.
    const QWidget *focused = QApplication::focusWidget();
    if (focused && isAncestorOf(focused) && !LeaveCheck::checkFocusedBox())
        return;
    try {
        if (cboAzienda->count() == 0)
            return;
        if (cboAzienda->currentIndex() < 0)
            throw AppError(kInvalidArrayIndex, QStringLiteral("Indice della matrice delle proprietà non valido"));
        if (!SelectFamily(Conv::toInt16(cboAzienda->currentData())))
            return;

        const QString password = trimBlanks(txtPassword->text());
        const QString passwordClause = password.isEmpty()
            ? QStringLiteral(" AND (pwd IS NULL OR pwd ='')")
            : QStringLiteral(" AND pwd =  '") + SqlQuote(password) + QStringLiteral("'");
        const QString userQuery = QStringLiteral("SELECT * FROM utenti where nome='")
            + SqlQuote(trimBlanks(cmbUsers->currentText())) + QStringLiteral("' ") + passwordClause;

        Recordset user;
        user.open(userQuery, m_connVerifica.get(), Recordset::OpenKeyset, Recordset::LockReadOnly);
        if (user.eof()) {
            MsgBox(QStringLiteral("Utente non valido"), MsgKind::Information, QStringLiteral("Accesso utente"));
            return;
        }

        SaveLoginSettings();
        DataBase::BuildStr();
        DataBase::UserId = Conv::toInt16(user.value(QStringLiteral("IdUtente")));
        DataBase::UserRole = Conv::toText(user.value(QStringLiteral("Ruolo")));
        const QVariant locked = user.value(QStringLiteral("LockAccess"));
        DataBase::SetUserLockType((!Conv::isNull(locked) && !Conv::toBool(locked)) ? 2 : 1);

        QMainWindow *mainWindow = m_splash ? m_splash->mainWindow() : nullptr;
        if (mainWindow)
            mainWindow->setWindowTitle(mainWindow->windowTitle() + QStringLiteral(" - ") + cboAzienda->currentText()
                                       + QStringLiteral("(") + cmbUsers->currentText() + QStringLiteral(")"));
        m_signedIn = true;
        unloadForm();
        if (mainWindow)
            mainWindow->show();
    } catch (const AppError &e) {
        const bool connectionFailed = e.number() == AppError::Unspecified
            || e.number() == AppError::AuthenticationFailed;
        MsgBox(connectionFailed
                   ? QStringLiteral("Per accedere è necessario impostare la connessione al Server con l'apposita "
                                    "Utility Programmi\\Contabro\\Linkario.exe. Nota: Accertarsi che il Server sia "
                                    "raggiungibile dalla rete.")
                   : e.description(),
               MsgKind::Information, kMsgTitle);
    } catch (const std::exception &e) {
        MsgBox(QString::fromUtf8(e.what()), MsgKind::Information, kMsgTitle);
    }
}

bool frmLogin::cboAnno_Validate()
{
    const QString text = cboAnno->currentText();
    bool valid = true;
    // A short number is no year either, so it earns both messages.
    if (!text.isEmpty() && (!Conv::isNumeric(text) || text.size() < 4)) {
        MsgBox(QStringLiteral("Il Campo Anno è Numerico"), MsgKind::Error, QStringLiteral("Campo Numerico"));
        valid = false;
    }
    if ((!text.isEmpty() && text.size() < 4) || text.size() > 4) {
        MsgBox(QStringLiteral("Il Campo deve contenere un valore data Annuo "), MsgKind::Error,
               QStringLiteral("Campo data Annuo"));
        valid = false;
    }
    return valid;
}

void frmLogin::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    AppError::ignoring([&] { DataBase::WorkYear = Conv::toInt16(cboAnno->currentText()); });
    AppError::ignoring([&] {
        if (m_connVerifica)
            m_connVerifica->close();
        m_connVerifica.reset();
    });
    AppError::ignoring([&] {
        if (m_connAziende)
            m_connAziende->close();
        m_connAziende.reset();
    });
}

void frmLogin::unloadForm()
{
    close();
    // A form closed before it was ever shown gets no close event of its own.
    Form_Unload();
}

void frmLogin::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    QDialog::closeEvent(event);
}
