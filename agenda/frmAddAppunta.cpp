#include "frmAddAppunta.h"

#include "AppError.h"
#include "Clock.h"
#include "ComboFill.h"
#include "Conversions.h"
#include "DataBase.h"
#include "DatePicker.h"
#include "Funzioni.h"
#include "MemoBox.h"
#include "MsgBox.h"
#include "Twips.h"
#include "clsComboSearch.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "frmAppunta.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The shifts are listed by their Ora text alone: the appointment stores that text.
void fillShifts(QComboBox *box)
{
    box->clear();
    Recordset rs;
    rs.open(QStringLiteral("Select * from Turni"), &DataBase::AdoConnect(), Recordset::OpenStatic,
            Recordset::LockReadOnly);
    for (; !rs.eof(); rs.moveNext())
        box->addItem(Funzioni::NullToString(rs.value(QStringLiteral("Ora"))));
}

} // namespace

frmAddAppunta::frmAddAppunta(QWidget *parent)
    : EditForm(SingleRecord,
               {QStringLiteral("Appunta"), QStringLiteral("IdAppunta"), QStringLiteral("Registrazione appuntamenti"),
                11001},
               parent)
{
    setWindowTitle(QStringLiteral("Registrazione appuntamenti"));
    openCentredOnScreen();
    offerCloseOnly();
    fieldTabs("SSTab1");
    addTab(QStringLiteral("Appuntamento"), true);

    txtCliente = new QComboBox(fieldsParent());
    txtCliente->setObjectName(QStringLiteral("txtCliente"));
    txtCliente->setEditable(true);
    txtCliente->setInsertPolicy(QComboBox::NoInsert);
    txtCliente->setCompleter(nullptr);   // the incremental search completes
    DTPicker1 = new DatePicker(fieldsParent());
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    dtcPostazione = new QComboBox(fieldsParent());
    dtcPostazione->setObjectName(QStringLiteral("dtcPostazione"));
    dtcTurni = new QComboBox(fieldsParent());
    dtcTurni->setObjectName(QStringLiteral("dtcTurni"));
    txtDescr = new MemoBox(fieldsParent());
    txtDescr->setObjectName(QStringLiteral("txtDescr"));
    txtDescr->setMaxLength(4000);
    txtDescr->setFont(QFont(QStringLiteral("Tahoma")));

    addField(0, 0, QStringLiteral("Contatto:"), txtCliente);
    addField(1, 0, QStringLiteral("Data:"), DTPicker1);
    addField(2, 0, QStringLiteral("Postazione:"), dtcPostazione);
    addField(3, 0, QStringLiteral("Turno:"), dtcTurni);
    fieldsLayout()->setAlignment(addField(4, 0, QStringLiteral("Note:"), txtDescr), Qt::AlignLeft | Qt::AlignTop);
    // The design's widths, in twips; a list grows to show its longest entry.
    for (const auto &[field, twips] : {std::pair<QWidget *, int>{DTPicker1, 2775}, {dtcPostazione, 2775}, {dtcTurni, 1215}}) {
        field->setMinimumWidth(Twips::px(twips));
        fieldsLayout()->setAlignment(field, Qt::AlignLeft);
    }
    txtDescr->setFixedHeight(Twips::px(1335));

    bind(txtCliente, QStringLiteral("Cliente"));
    // Bound so that a changed date is a pending change like any other; the save writes it again.
    bind(DTPicker1, QStringLiteral("Data"));
    bind(dtcPostazione, QStringLiteral("IdPostazione"));
    bind(dtcTurni, QStringLiteral("IdTurno"));
    bind(txtDescr, QStringLiteral("Note"));

    // Delete on the left; "Registra", the default, and "&Chiudi" on the right; no "&Nuovo".
    cmdOk->setObjectName(QStringLiteral("cmdReg"));
    cmdOk->setText(QStringLiteral("Registra"));
    cmdOk->setDefault(true);
    cmdCancel->setObjectName(QStringLiteral("Command1"));
    cmdCancel->setText(QStringLiteral("&Chiudi"));
    cmdCancel->setToolTip(QStringLiteral("Esci"));
    placeButtons({Command6, nullptr, cmdOk, cmdCancel});
    setFocusOrder({txtCliente, DTPicker1, dtcPostazione, dtcTurni, txtDescr, cmdOk, cmdCancel, Command6});

    // Stamped, then deleted by statement; told before the form loads again as a new appointment.
    setDeleteStatement({QStringLiteral("DELETE From Appunta Where IdAppunta = %1 "), true, true});
    failureTexts().save[AppError::Unspecified] =
        QStringLiteral("Attenzione: orario non disponibile. Esiste già un' appuntamento a questa ora.");
    failureTexts().remove.clear();
    failureTexts().deleteTail = QStringLiteral(" Errore durante Elimina.");
    failureTexts().loadKind = MsgKind::Warning;
    resize(Twips::px(6795), Twips::px(4410));
}

frmAddAppunta::~frmAddAppunta() = default;

// The checks in this order; the first that fails is the message.
QString frmAddAppunta::requiredFieldMessage() const
{
    if (dtcTurni->currentText().isEmpty())
        return QStringLiteral("Campo turno vuoto, impossibile effettuare la registrazione.");
    if (txtCliente->currentText().isEmpty())
        return QStringLiteral("Campo cliente vuoto, impossibile effettuare la registrazione.");
    if (dtcPostazione->currentText().isEmpty())
        return QStringLiteral("Campo Postazione vuoto, impossibile effettuare la registrazione.");
    if (!DTPicker1->value().isValid())
        return QStringLiteral("Campo data vuoto, impossibile effettuare la registrazione.");
    if (DTPicker1->shownDate().dayOfWeek() == Qt::Sunday)
        return QStringLiteral("La Domenica non è valida, impossibile effettuare la registrazione.");
    return {};
}

// The lists are read afresh on every load; the shift is stored as its Ora text.
void frmAddAppunta::bindingControls()
{
    fillShifts(dtcTurni);
    dtcPostazione->clear();
    ComboFill::addRows(dtcPostazione, DataBase::AdoConnect().query(QStringLiteral(
                                          "Select IdPosto,Nominativo + ' - ' + DescrBreve as DescrBreve from Postazioni")));
    FillClientList();
}

// Every contact once, whoever owns it; a failure shows its message and the load goes on.
void frmAddAppunta::FillClientList()
{
    txtCliente->clear();
    try {
        ComboFill::addRows(txtCliente, DataBase::AdoConnect().query(QStringLiteral(
                                           "SELECT IdContatto, Cognome & ' ' & Nome as UserName FROM Contatti ORDER BY Cognome")));
    } catch (const AppError &e) {
        MsgBox(QStringLiteral("ERROR! Err# ") + QString::number(e.number()) + QStringLiteral(" Desc: ") + e.description(),
               MsgKind::Error, QStringLiteral("Focolarium"));
    }
}

void frmAddAppunta::recordLoaded(bool found)
{
    if (!found)
        DTPicker1->setValue(Clock::today());
    m_search = std::make_unique<clsComboSearch>();
    m_search->setClient(txtCliente);
}

// The day columns follow the chosen date: IdGiorno counts from Sunday = 1.
void frmAddAppunta::beforeWrite()
{
    const QDate day = DTPicker1->shownDate();
    rs().setValue(QStringLiteral("IdGiorno"), Conv::weekday(day));
    rs().setValue(QStringLiteral("Anno"), day.year());
    rs().setValue(QStringLiteral("Data"), day);
}

// A new appointment is read back by its id, so the form shows it as saved.
void frmAddAppunta::afterWrite(bool wasNew)
{
    if (!wasNew)
        return;
    rs().close();
    LoadRecord(recordId());
}

void frmAddAppunta::unloading()
{
    if (frmAppunta *planner = frmAppunta::openPlanner())
        planner->ReConnectList();
}
