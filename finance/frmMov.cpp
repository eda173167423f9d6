#include "frmMov.h"

#include "ComboFill.h"
#include "Conversions.h"
#include "DataBase.h"
#include "DateBox.h"
#include "LeaveCheck.h"
#include "MsgBox.h"
#include "db/Connection.h"
#include "db/Recordset.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace {

// The caption that warns of two amounts: the user's only warning there, so the form opens wide
// enough to show it whole.
const QString kBothAmountsCaption =
    QStringLiteral("Gestione movimenti (Entrata e Uscita non possono contenere un valore superiore a 0).");

QString euroFormat(const QVariant &value) { return Conv::euro(Conv::toDouble(value)); }

} // namespace

frmMov::frmMov(QWidget *parent)
    : EditForm(SingleRecord, {QStringLiteral("Movimenti"), QStringLiteral("IdMov"), QStringLiteral("Edit movimenti"), 9001},
               parent)
{
    setWindowTitle(QStringLiteral("Gestione movimenti"));
    setLongestCaption(kBothAmountsCaption);

    // Made in the order of the frame, which is the order of the Tab key.
    auto dataCombo = [this](const char *name) {
        auto *combo = new QComboBox(Frame1);
        combo->setObjectName(QLatin1String(name));
        combo->setMinimumContentsLength(18);
        return combo;
    };
    txtReg = textBox("txtReg");
    txtMov = textBox("txtMov");
    dtcConto = dataCombo("dtcConto");
    dtcTipoPag = dataCombo("dtcTipoPag");
    dtcMov = dataCombo("dtcMov");
    txtEntrata = textBox("txtEntrata");
    txtUscita = textBox("txtUscita");
    txtInfo = textBox("txtInfo");
    for (QLineEdit *amount : {txtEntrata, txtUscita})
        amount->setAlignment(Qt::AlignRight);

    addField(0, 0, QStringLiteral("Data registrazione:"), txtReg);
    addField(0, 1, QStringLiteral("Data movimento:"), txtMov);
    addField(1, 0, QStringLiteral("Conto/banca:"), dtcConto, 1, 3);
    addField(2, 0, QStringLiteral("Tipo pagamento:"), dtcTipoPag);
    addField(2, 1, QStringLiteral("Tipo movimento:"), dtcMov);
    addField(3, 0, QStringLiteral("Entrata:"), txtEntrata);
    addField(3, 1, QStringLiteral("Uscita:"), txtUscita);
    addField(4, 0, QStringLiteral("Altro:"), txtInfo, 1, 3);

    bind(txtReg, QStringLiteral("DataReg"));
    bind(txtMov, QStringLiteral("DataMov"));
    bind(txtInfo, QStringLiteral("Descrizione"));
    bind(txtUscita, QStringLiteral("Uscita"), euroFormat);
    bind(txtEntrata, QStringLiteral("Entrata"), euroFormat);
    bind(dtcConto, QStringLiteral("IdConto"));
    bind(dtcTipoPag, QStringLiteral("IdTipoPag"));
    bind(dtcMov, QStringLiteral("IdTipoMov"));

    for (QLineEdit *date : {txtReg, txtMov}) {
        dateBox(date);
        DateBox::todayOnDoubleClick(date);
    }
    LeaveCheck::install(txtEntrata, [this] { return amountLeft(txtEntrata, txtUscita); });
    LeaveCheck::install(txtUscita, [this] { return amountLeft(txtUscita, txtEntrata); });
    connect(dtcMov, &QComboBox::currentTextChanged, this, &frmMov::dtcMov_Change);
    // Deleted by statement; the form loads again as a new movement before it tells so.
    setDeleteStatement({QStringLiteral("DELETE FROM Movimenti where IdMov= %1")});
    resize(560, 260);
}

// The three lists are read again at every binding: movement types, payment types, accounts.
void frmMov::bindingControls()
{
    Connection &db = DataBase::AdoConnect();
    const auto types = db.query(QStringLiteral(
        "select Tipomov.IdTipoMov,Tipomov.Descrizione & ' ('& IIF(Tipomov.EntrateUscite=0,'Uscita','Entrata')& ')' as Mov "
        "from Tipomov Order By Tipomov.Descrizione"));
    const auto payments = db.query(QStringLiteral("select * from TipoPag Order by NomePag"));
    const auto accounts = db.query(
        QStringLiteral("select IdConto, (Descrizione & ' - ' & NConto) as Descr from Conti Order by Descrizione"));
    const std::pair<QComboBox *, const QVector<QVector<QVariant>> &> lists[] = {
        {dtcConto, accounts}, {dtcTipoPag, payments}, {dtcMov, types}};
    for (const auto &[combo, rows] : lists) {
        combo->clear();
        ComboFill::addRows(combo, rows);
    }
}

// The amount box that the type shown rules out; none while no type is shown.
QLineEdit *frmMov::ruledOutAmount() const
{
    const QString type = dtcMov->currentText();
    if (type.isEmpty())
        return nullptr;
    return type.contains(QStringLiteral("(Entrata)")) ? txtUscita : txtEntrata;
}

// An amount box's text as the amount it holds: empty, or no number, is 0; so is the box the type
// rules out, which only keeps its amount on screen for a change of type.
double frmMov::amountOf(const QLineEdit *box) const
{
    if (box == ruledOutAmount())
        return 0.0;
    return Conv::isNumeric(box->text()) ? Conv::toDouble(box->text()) : 0.0;
}

QString frmMov::requiredFieldMessage() const
{
    if (dtcTipoPag->currentIndex() < 0 || dtcMov->currentIndex() < 0)
        return QStringLiteral("Tipo pagamento e tipo movimenti sono campi obbligatori.");
    const double income = amountOf(txtEntrata);
    const double expense = amountOf(txtUscita);
    if (income > 0 && expense > 0)
        return QStringLiteral("Entrata e Uscita non possono contenere un valore superiore a 0.");
    if (income == 0 && expense == 0)
        return QStringLiteral("Entrata e Uscita non possono contenere un valore = 0.");
    return {};
}

void frmMov::beforeWrite()
{
    if (QLineEdit *ruledOut = ruledOutAmount())
        rs().setValue(ruledOut == txtEntrata ? QStringLiteral("Entrata") : QStringLiteral("Uscita"), 0);
    rs().setValue(QStringLiteral("IdUtente"), DataBase::UserId);
}

// A new movement is reopened by the id it was given, so that a delete removes exactly it.
void frmMov::afterWrite(bool wasNew)
{
    if (!wasNew)
        return;
    rs().close();
    LoadRecord(recordId());
}

// The movement type tells which amount the movement carries; the other box keeps its value.
void frmMov::dtcMov_Change(const QString &text)
{
    if (text.isEmpty())
        return;
    QLineEdit *ruledOut = ruledOutAmount();
    txtEntrata->setEnabled(ruledOut != txtEntrata);
    txtUscita->setEnabled(ruledOut != txtUscita);
}

// Leaving an amount box: a number is required, and at most one of the two boxes may be above 0.
bool frmMov::amountLeft(QLineEdit *box, QLineEdit *other)
{
    try {
        if (box->text().isEmpty())
            box->setText(QStringLiteral("0"));
        if (!Conv::isNumeric(box->text())) {
            MsgBox(QStringLiteral("Il Campo è Numerico"), MsgKind::Error, QStringLiteral("Errore Campo numerico"));
            box->setText(QStringLiteral("0"));
            return false;
        }
        if (amountOf(box) > 0 && amountOf(other) > 0) {
            box->setText(QStringLiteral("0"));
            setWindowTitle(kBothAmountsCaption);
            return false;
        }
    } catch (const std::exception &) {
    }
    return true;
}
