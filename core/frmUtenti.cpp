#include "frmUtenti.h"

#include "Conversions.h"
#include "DataBase.h"
#include "MemoBox.h"
#include "MsgBox.h"
#include "PasswordBox.h"
#include "db/Recordset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

frmUtenti::frmUtenti(QWidget *parent)
    : EditForm(ListEditor, {QStringLiteral("Utenti"), QStringLiteral("IdUtente"), QStringLiteral("Gestione utenze"), 4001}, parent)
{
    setWindowTitle(QStringLiteral("Gestione utenti"));

    txtNome = textBox("txtNome");
    txtCognome = textBox("txtCognome");
    txtData = textBox("txtData");
    txtComuNascita = textBox("txtComuNascita");
    txtTel = textBox("txtTel");
    txtCell = textBox("txtCell");
    txtMail = textBox("txtMail");
    txtWeb = textBox("txtWeb");
    txtnote = new MemoBox(Frame1);
    txtnote->setObjectName(QStringLiteral("txtnote"));
    txtnote->setMaxLength(255);
    txtnote->setFont(QFont(QStringLiteral("Tahoma")));
    txtnote->setFixedHeight(66);
    txtUserId = textBox("txtUserId");
    txtUserId->setEnabled(false);
    txtPassword = textBox("txtPassword");
    PasswordBox::showAsterisks(txtPassword);
    txtPassword->setMaxLength(50);
    cboRuolo = new QComboBox(Frame1);
    cboRuolo->setObjectName(QStringLiteral("cboRuolo"));
    cboRuolo->addItems({QStringLiteral("Utente"), QStringLiteral("Admin")});
    cboRuolo->setCurrentIndex(-1);
    ckeBlocca = new QCheckBox(QStringLiteral("Blocca utente in modifica"), Frame1);
    ckeBlocca->setObjectName(QStringLiteral("ckeBlocca"));

    addField(0, 0, QStringLiteral("Nome:"), txtNome);
    addField(1, 0, QStringLiteral("Cognome:"), txtCognome);
    addField(2, 0, QStringLiteral("Data nascita:"), txtData);
    addField(3, 0, QStringLiteral("Comune di nascità:"), txtComuNascita);
    addField(4, 0, QStringLiteral("Telefono:"), txtTel);
    addField(5, 0, QStringLiteral("Cell:"), txtCell);
    addField(6, 0, QStringLiteral("E-Mail:"), txtMail);
    addField(7, 0, QStringLiteral("Web:"), txtWeb);
    addField(0, 1, QStringLiteral("UserName:"), txtUserId);
    addField(1, 1, QStringLiteral("Password:"), txtPassword);
    addField(2, 1, QStringLiteral("Ruolo:"), cboRuolo);
    fieldsLayout()->addWidget(ckeBlocca, 3, 3);
    addField(4, 1, QStringLiteral("Commento:"), txtnote, 4);

    bind(txtNome, QStringLiteral("Nome"));
    bind(txtCognome, QStringLiteral("Cognome"));
    bind(txtData, QStringLiteral("DataNascita"));
    bind(txtComuNascita, QStringLiteral("ComuNascita"));
    bind(txtTel, QStringLiteral("Tel"));
    bind(txtCell, QStringLiteral("Cell"));
    bind(txtMail, QStringLiteral("Mail"));
    bind(txtWeb, QStringLiteral("Web"));
    bind(txtnote, QStringLiteral("Commento"));
    bind(txtUserId, QStringLiteral("Nome"));
    bind(txtPassword, QStringLiteral("Pwd"));
    bind(cboRuolo, QStringLiteral("Ruolo"));
    bind(ckeBlocca, QStringLiteral("LockAccess"));
    dateBox(txtData);

    setList({QStringLiteral("select IdUtente,Nome,Cognome,Ruolo,DataNascita,Commento FROM Utenti"),
             {{QStringLiteral("file"), QStringLiteral("Nome"), 105},
              {QStringLiteral("size"), QStringLiteral("Cognome"), 105},
              {QStringLiteral("type"), QStringLiteral("Ruolo"), 90},
              {QStringLiteral("date"), QStringLiteral("Data nascita"), 90},
              {QStringLiteral("note"), QStringLiteral("Commento"), 190}},
             QString()});
    placeButtons({Command1, Command6, cmdOk, cmdCancel});
    // Tab reads the fields as they stand, one column after the other, then the buttons left to right.
    setFocusOrder({txtNome, txtCognome, txtData, txtComuNascita, txtTel, txtCell, txtMail, txtWeb, txtUserId,
                   txtPassword, cboRuolo, ckeBlocca, txtnote, Command1, Command6, cmdOk, cmdCancel});
    resize(700, 600);
}

bool frmUtenti::allowLoad()
{
    // The role is compared exactly: case and blanks count.
    if (DataBase::UserRole == QLatin1String("Admin"))
        return true;
    MsgBox(QStringLiteral("Non si dispone di Autorizzazioni per la richiesta"), MsgKind::Information,
           QStringLiteral("Accesso negato alla risorsa"));
    return false;
}

bool frmUtenti::allowDelete()
{
    // The row marked Administrator stays, without a word.
    const QVariant administrator = rs().value(QStringLiteral("Administrator"));
    return Conv::isNull(administrator) || !Conv::toBool(administrator);
}

QString frmUtenti::requiredFieldMessage() const
{
    if (txtNome->text().trimmed().isEmpty())
        return QStringLiteral("Campo Nome vuoto: impossibile effettuare la registrazione.");
    return {};
}
