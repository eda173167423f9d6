// The movement search panel of the main window: the filter combos, the sign options, the movement
// date range and the year combo that follows the working year.

#include "frmMain.h"

#include "AppError.h"
#include "ComboFill.h"
#include "Conversions.h"
#include "DataBase.h"
#include "DateBox.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "StatusBar.h"
#include "db/Connection.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// Releasing Delete on a sign option deselects it: the search goes back to both signs.
class DeleteDeselects : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete)
            deselect(static_cast<QRadioButton *>(watched));
        return QObject::eventFilter(watched, event);
    }

public:
    // One option of a group may be selected, or none: an exclusive option would refuse to go off.
    static void deselect(QRadioButton *option)
    {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
};

} // namespace

void frmMain::connectSearchPanel()
{
    DateBox::install(txtDal);
    DateBox::install(txtAl);
    for (QRadioButton *option : {OptSegno_1, OptSegno_2})
        option->installEventFilter(new DeleteDeselects(option));
    connect(cmdSearch, &QPushButton::clicked, this, &frmMain::cmdSearch_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmMain::cmdReset_Click);
}

// The filter combos are filled after the window's first paint, and again after each form of the
// program (rows added, renamed or deleted there are offered at once).
void frmMain::firstPaint()
{
    if (m_painted)
        return;
    m_painted = true;
    QTimer::singleShot(0, this, [this] {
        Guarded(QStringLiteral("Messaggio da Focolarium"), [this] {
            fillFilterCombos();
            sbMain->setPanelText(3, QStringLiteral("Premi F1 per la guida"));
            sbMain->refresh();
        });
    });
}

// Each combo keeps the row the user had chosen while that row still exists; else it offers all.
void frmMain::fillFilterCombos()
{
    Connection &db = DataBase::AdoConnect();
    const auto types = db.query(QStringLiteral(
        "select Tipomov.IdTipoMov,Tipomov.Descrizione & ' ('& IIF(Tipomov.EntrateUscite=0,'Uscita','Entrata')& ')' "
        "as Mov from Tipomov"));
    const auto payments = db.query(QStringLiteral("select * from TipoPag"));
    const auto users = db.query(QStringLiteral("select IdUtente,Nome from Utenti"));
    const auto accounts = db.query(QStringLiteral("select IdConto, (Descrizione & ' - ' & NConto) as Descr from Conti"));
    const std::tuple<QComboBox *, const char *, const QVector<QVector<QVariant>> &> filters[] = {
        {cboUtenti, "Tutti gli utenti", users},
        {cboTipoPag, "Tutti i tipi pagamento", payments},
        {cboConti, "Tutti i conti", accounts},
        {cboMov, "Tutti i tipi movimenti", types}};
    for (const auto &[combo, all, rows] : filters) {
        const QVariant chosen = combo->currentIndex() > 0 ? combo->currentData() : QVariant();
        combo->clear();
        combo->addItem(QString::fromUtf8(all), 0);
        ComboFill::addRows(combo, rows);
        combo->setCurrentIndex(chosen.isValid() ? std::max(combo->findData(chosen), 0) : 0);
    }
}

// A form of the program is about to take the user from the window: the working year takes the
// year combo's.
void frmMain::formOpening() { yearComboDeactivated(); }

// Back from a form of the program: the year combo is built again around the working year, and the
// filters offer the rows as the form left them.
void frmMain::formClosed()
{
    yearComboActivated();
    Guarded(QStringLiteral("Messaggio da Focolarium"), [this] { fillFilterCombos(); });
}

// The year combo offers five years either side of the working year and shows it.
void frmMain::yearComboActivated() { ComboFill::setYears(cboAnno, DataBase::WorkYear); }

// A year typed or chosen in the combo becomes the working year; any other text leaves it.
void frmMain::yearComboDeactivated()
{
    AppError::ignoring([this] { DataBase::WorkYear = Conv::toInt16(cboAnno->currentText()); });
}

// Only the combos' ids and dates that passed the date check go into the filter.
void frmMain::cmdSearch_Click()
{
    QString filter;
    const std::pair<QComboBox *, const char *> combos[] = {{cboUtenti, " AND IdUtente = "},
                                                           {cboTipoPag, " AND IdTipoPag = "},
                                                           {cboConti, " AND IdConto = "},
                                                           {cboMov, " AND IdTipoMov = "}};
    for (const auto &[combo, condition] : combos) {
        const int id = combo->currentIndex() >= 0 ? combo->currentData().toInt() : 0;
        if (id > 0)
            filter += QLatin1String(condition) + QString::number(id);
    }
    if (OptSegno_1->isChecked())
        filter += QStringLiteral(" AND Entrata > 0");
    if (OptSegno_2->isChecked())
        filter += QStringLiteral(" AND Uscita > 0");
    if (Conv::isDate(txtDal->text()) && Conv::isDate(txtAl->text()))
        filter += QStringLiteral(" AND DataMov BETWEEN ") + Funzioni::SqlDate(Conv::toDate(txtDal->text()), false)
            + QStringLiteral(" AND ") + Funzioni::SqlDate(Conv::toDate(txtAl->text()), true);
    ShowMovementList(filter);
}

// Clears the filters but the year; the list on screen stays until the next search.
void frmMain::cmdReset_Click()
{
    for (QComboBox *combo : {cboUtenti, cboTipoPag, cboConti, cboMov})
        combo->setCurrentIndex(0);
    for (QRadioButton *option : {OptSegno_1, OptSegno_2})
        DeleteDeselects::deselect(option);
    txtDal->clear();
    txtAl->clear();
}
