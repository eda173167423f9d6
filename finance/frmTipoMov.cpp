#include "frmTipoMov.h"

#include "Conversions.h"
#include "db/Recordset.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

frmTipoMov::frmTipoMov(QWidget *parent)
    : EditForm(ListEditor,
               {QStringLiteral("TipoMov"), QStringLiteral("IdTipoMov"), QStringLiteral("Edit Tipo Movimenti"), 12001}, parent)
{
    setWindowTitle(QStringLiteral("Gestione tipo movimenti"));

    txtDescr = textBox("txtDescr");
    txtAltro = textBox("txtAltro");
    addField(0, 0, QStringLiteral("Descrizione:"), txtDescr);
    addField(1, 0, QStringLiteral("Altro:"), txtAltro);

    // Income or expense: unbound, one group, neither chosen when the form opens.
    Picture3 = new QWidget(Frame1);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    optEntrate = new QRadioButton(QStringLiteral("Entrate"), Picture3);
    optEntrate->setObjectName(QStringLiteral("optEntrate"));
    OptUscite = new QRadioButton(QStringLiteral("Uscite"), Picture3);
    OptUscite->setObjectName(QStringLiteral("OptUscite"));
    auto *group = new QButtonGroup(Picture3);
    group->addButton(optEntrate);
    group->addButton(OptUscite);
    auto *options = new QHBoxLayout(Picture3);
    options->setContentsMargins(0, 0, 0, 0);
    options->addWidget(optEntrate);
    options->addWidget(OptUscite);
    options->addStretch(1);
    fieldsLayout()->addWidget(Picture3, 2, 1);

    bind(txtDescr, QStringLiteral("Descrizione"));
    bind(txtAltro, QStringLiteral("Commento"));

    setList({QStringLiteral("select IdTipoMov,Descrizione,Entrate,Uscite,Commento FROM qryTipoMov"),
             {{QStringLiteral("file"), QStringLiteral("Descrizione"), 235},
              {QStringLiteral("size"), QStringLiteral("Entrate"), 70},
              {QStringLiteral("type"), QStringLiteral("Uscite"), 70},
              {QStringLiteral("date"), QStringLiteral("Altro"), 204}},
             QStringLiteral("size")});
    addStatusBar();
    resize(640, 480);
}

QString frmTipoMov::requiredFieldMessage() const
{
    if (txtDescr->text().trimmed().isEmpty())
        return QStringLiteral("Campo descrizione vuoto impossibile effettuare la registrazione.");
    if (!optEntrate->isChecked() && !OptUscite->isChecked())
        return QStringLiteral("Il record deve appartenere a entrate oppure uscite");
    return {};
}

void frmTipoMov::beforeWrite()
{
    rs().setValue(QStringLiteral("EntrateUscite"), optEntrate->isChecked() ? 1 : 0);
}

void frmTipoMov::recordLoaded(bool found)
{
    if (!found)
        return;
    const bool income = Conv::toBool(rs().value(QStringLiteral("EntrateUscite")));
    optEntrate->setChecked(income);
    OptUscite->setChecked(!income);
}
