#include "frmTipoPag.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

frmTipoPag::frmTipoPag(QWidget *parent)
    : EditForm(ListEditor,
               {QStringLiteral("TipoPag"), QStringLiteral("IdTipoPag"), QStringLiteral("Edit Tipo Pagamenti"), 12001}, parent)
{
    setWindowTitle(QStringLiteral("Gestione tipo di pagamenti"));

    txtDescr = textBox("txtDescr");
    txtAltro = textBox("txtAltro");
    addField(0, 0, QStringLiteral("Descrizione:"), txtDescr);
    addField(1, 0, QStringLiteral("Altro:"), txtAltro);
    auto *Picture3 = new QWidget(Frame1);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    fieldsLayout()->addWidget(Picture3, 2, 1);

    bind(txtDescr, QStringLiteral("NomePag"));
    bind(txtAltro, QStringLiteral("Commento"));

    setList({QStringLiteral("select IdTipoPag,NomePag,Commento FROM TipoPag"),
             {{QStringLiteral("size"), QStringLiteral("Descrizione"), 310}, {QStringLiteral("File"), QStringLiteral("Altro"), 275}},
             QStringLiteral("size")});
    addStatusBar();
    resize(640, 480);
}

QString frmTipoPag::requiredFieldMessage() const
{
    if (txtDescr->text().trimmed().isEmpty())
        return QStringLiteral("Campo descrizione vuoto impossibile effettuare la registrazione.");
    return {};
}
