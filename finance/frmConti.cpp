#include "frmConti.h"

#include <QLineEdit>

frmConti::frmConti(QWidget *parent)
    : EditForm(ListEditor, {QStringLiteral("Conti"), QStringLiteral("IdConto"), QStringLiteral("Edit Conti/correnti"), 12001},
               parent)
{
    setWindowTitle(QStringLiteral("Conti/correnti bancari o altri conti"));

    txtConto = textBox("txtConto");
    txtComune = textBox("txtComune");
    txtDescr = textBox("txtDescr");
    txtApertura = textBox("txtApertura");
    txtChiusura = textBox("txtChiusura");
    txtInfo = textBox("txtInfo");
    addField(0, 0, QStringLiteral("N°:"), txtConto);
    addField(0, 1, QStringLiteral("Comune:"), txtComune);
    addField(1, 0, QStringLiteral("Descrizione:"), txtDescr, 1, 3);
    addField(2, 0, QStringLiteral("Data apertura:"), txtApertura);
    addField(2, 1, QStringLiteral("Data chiusura:"), txtChiusura);
    addField(3, 0, QStringLiteral("Altro:"), txtInfo, 1, 3);

    bind(txtConto, QStringLiteral("NConto"));
    bind(txtComune, QStringLiteral("ComuConto"));
    bind(txtDescr, QStringLiteral("Descrizione"));
    bind(txtApertura, QStringLiteral("DataApertura"));
    bind(txtChiusura, QStringLiteral("DataChiusura"));
    bind(txtInfo, QStringLiteral("info"));
    dateBox(txtApertura);
    dateBox(txtChiusura);

    setList({QStringLiteral("select IdConto,NConto,comuconto,descrizione,DataApertura FROM Conti"),
             {{QStringLiteral("file"), QStringLiteral("N°"), 150},
              {QStringLiteral("size"), QStringLiteral("Comune"), 150},
              {QStringLiteral("type"), QStringLiteral("Descrizione"), 165},
              {QStringLiteral("date"), QStringLiteral("Data apertura"), 120}},
             QStringLiteral("size")});
    addStatusBar();
    resize(640, 520);
}

QString frmConti::requiredFieldMessage() const
{
    if (txtDescr->text().trimmed().isEmpty() || txtConto->text().trimmed().isEmpty())
        return QStringLiteral("Campo N° o descrizione vuoto impossibile effettuare la registrazione.");
    return {};
}
