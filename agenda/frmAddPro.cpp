#include "frmAddPro.h"

#include "Clock.h"
#include "Conversions.h"
#include "DataBase.h"
#include "DateBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

frmAddPro::frmAddPro(QWidget *parent)
    : EditForm(SingleRecord, {QStringLiteral("Promemoria"), QStringLiteral("IdPromemoria"),
                              QStringLiteral("Edit Promemoria"), 3001},
               parent)
{
    setWindowTitle(QStringLiteral("Gestione promemoria"));
    openCentredOnScreen();
    offerCloseOnly();

    txtData = textBox("txtData");
    ckeEseguito = new QCheckBox(QStringLiteral("Eseguito"), Frame1);
    ckeEseguito->setObjectName(QStringLiteral("ckeEseguito"));
    txtDescr = textBox("txtDescr");
    txtDescr->setFixedHeight(txtDescr->sizeHint().height() * 2);
    txtDescr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addField(0, 0, QStringLiteral("Data"), txtData);
    fieldsLayout()->addWidget(ckeEseguito, 0, 2, Qt::AlignRight);
    addField(1, 0, QStringLiteral("Descrizione:"), txtDescr, 1, 2);
    fieldsLayout()->setColumnStretch(1, 1);

    bind(txtDescr, QStringLiteral("Testo"));
    bind(txtData, QStringLiteral("data"));
    bind(ckeEseguito, QStringLiteral("Eseguito"));
    DateBox::install(txtData, DateBox::Format::ShortDate);

    placeButtons({Command1, Command6, cmdOk, cmdCancel});
    // Stamped, then deleted by statement; told before the form loads again as a new reminder.
    setDeleteStatement({QStringLiteral("DELETE From Promemoria Where IdPromemoria = %1 "), true, true});
    // A failed delete shows the error's description alone.
    failureTexts().remove.clear();
    failureTexts().deleteTail.clear();
    resize(460, 190);
}

QString frmAddPro::requiredFieldMessage() const
{
    if (txtDescr->text().trimmed().isEmpty())
        return QStringLiteral("Campo descrizione vuoto impossibile effettuare la registrazione.");
    return {};
}

QString frmAddPro::openByIdSql(int id) const
{
    return QStringLiteral("SELECT * FROM Promemoria WHERE IdPromemoria = %1 ").arg(id);
}

// A reminder started by the load is dated today; one started by "&Nuovo" has no date.
void frmAddPro::recordLoaded(bool found)
{
    if (!found)
        txtData->setText(Conv::shortDate(Clock::today()));
}
