// The four lists of the main window's grid: contacts, anniversaries, movements and reminders.

#include "frmMain.h"

#include "AppError.h"
#include "Conversions.h"
#include "DataBase.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "HTMLHelp.h"
#include "ListFill.h"
#include "ListGrid.h"
#include "db/Recordset.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <functional>
#include <initializer_list>

namespace {

struct ListColumn
{
    const char *key;
    const char *header;
    int width;
};

struct ListLayout
{
    int helpId;
    int listMode;
    std::initializer_list<ListColumn> columns;
    int rowHeight;
    const char *searchColumn;
    const char *idField;
    bool markDue;          // dates due within ten days in red, and counted
};

struct ListCounts
{
    int rows = 0;
    int due = 0;
};

const QColor DueText(255, 0, 0);

QString userId() { return QString::number(DataBase::UserId); }

} // namespace

// Rebuilds the grid from one read-only query. perRecord runs on each record before its cells
// are written. A failure shows its warning and leaves the rows written so far: the counts are
// those of the rows the grid holds either way.
static ListCounts buildList(ListGrid *grid, const ListLayout &layout,
                                           const std::function<QString()> &query,
                                           const std::function<void(const Recordset &)> &perRecord = {})
{
    ListFill::Layout fill{{}, QString::fromLatin1(layout.searchColumn), layout.rowHeight,
                          QString::fromLatin1(layout.idField)};
    for (const ListColumn &c : layout.columns)
        fill.columns.append({QString::fromUtf8(c.key), QString::fromUtf8(c.header), c.width});
    ListCounts counts;
    std::function<void(int, int, const QVariant &)> markDue;
    if (layout.markDue) {
        markDue = [&](int row, int column, const QVariant &value) {
            if (Funzioni::IsDueWithinTenDays(value)) {
                grid->setCellForeColor(row, column, DueText);
                ++counts.due;
            }
        };
    }
    Guarded(QStringLiteral("Messaggio da Focolarium"), [&] { ListFill::fill(grid, fill, query, perRecord, markDue); });
    counts.rows = grid->rows();
    return counts;
}

// Steps shared by every list before its rows: the help id and the list mode.
static void enterList(int &listMode, int &windowHelpId, const ListLayout &layout)
{
    HTMLHelp::CurrentHelpId = layout.helpId;
    windowHelpId = layout.helpId;
    listMode = layout.listMode;
}

void frmMain::ShowContactList()
{
    const ListLayout layout{6001, 0,
                        {{"file", "Nome", 150}, {"size", "Cognome", 150}, {"Telefono", "Telefono", 120},
                         {"Cellulare", "Cellulare", 120}, {"Descr", "Descr", 300}},
                        18, "size", "IdContatto", false};
    enterList(ListMode, m_helpContextId, layout);
    const auto counts = buildList(grdThis, layout, [] {
        return QStringLiteral("select IdContatto,Nome,cognome,tel,cell,Altro FROM Contatti WHERE IdUtente = ")
            + userId() + QStringLiteral(" OR Condividi = -1");
    });
    lblStatus->setText(QString::number(counts.rows) + QStringLiteral(" contatti"));
}

void frmMain::ShowAnniversaryList()
{
    const ListLayout layout{8001, 0,
                        {{"file", "Nome", 150}, {"size", "Cognome", 150}, {"type", "E-Mail", 120},
                         {"date", "Compleanno", 120}, {"date1", "Anniversario", 120}, {"date2", "Onomastico", 120}},
                        18, "size", "IdContatto", true};
    enterList(ListMode, m_helpContextId, layout);
    const auto counts = buildList(grdThis, layout, [] {
        return QStringLiteral("select IdContatto,Nome,cognome,email,Compleanno,Annivers,Onomast FROM QryRicorrenze "
                              "WHERE IdUtente = ")
            + userId() + QStringLiteral(" OR Condividi = -1");
    });
    lblStatus->setText(QStringLiteral("Trovate %1 ricorrenze su %2 righe").arg(counts.due).arg(counts.rows));
}

void frmMain::ShowMovementList(const QString &filter)
{
    const ListLayout layout{2001, 1,
                        {{"date", "Data registrazione", 90}, {"date1", "Data movimento", 90},
                         {"type", "Descrizione", 100}, {"num", "Entrate €", 70}, {"num1", "Uscite €", 70},
                         {"File", "Conto(Banca)", 120}, {"Pag", "Tipo pagamento", 120}, {"Mov", "Tipo movimento", 120}},
                        16, "date", "IdMov", false};
    enterList(ListMode, m_helpContextId, layout);
    const QString year = cboAnno->currentText();
    double income = 0;
    double expense = 0;
    const auto counts = buildList(
        grdThis, layout,
        [&] {
            // Only a whole number of the year combo reaches the SQL; any other text fails the list.
            QString yearFilter;
            if (!year.isEmpty()) {
                static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]{1,9}$"));
                if (!wholeNumber.match(year).hasMatch())
                    throw AppError::typeMismatch();
                yearFilter = QStringLiteral("AND DatePart('yyyy',DataMov)=") + year;
            }
            return QStringLiteral("select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov "
                                  "FROM qryMov WHERE IdMov > 0 ")
                + yearFilter + QLatin1Char(' ') + filter + QStringLiteral(" Order BY DataMov");
        },
        [&](const Recordset &rs) {
            // Both amounts read before either counts: a record that fails adds nothing, as it shows no row.
            const double in = Conv::toDouble(rs.value(QStringLiteral("Entrata")));
            const double out = Conv::toDouble(rs.value(QStringLiteral("Uscita")));
            income += in;
            expense += out;
        });
    lblStatus->setText(QStringLiteral("Entrate  ") + Conv::currency(income) + QStringLiteral("         Uscite  ")
                       + Conv::currency(expense) + QStringLiteral("       =  ") + Conv::currency(income - expense)
                       + QStringLiteral("          per ") + QString::number(counts.rows)
                       + QStringLiteral(" record selezionati"));
}

void frmMain::ShowReminderList()
{
    const ListLayout layout{3001, 2,
                        {{"file", "Descrizione", 400}, {"date", "Data", 190}, {"type", "Eseguito Vero/Falso", 190}},
                        18, "file", "IdPromemoria", true};
    enterList(ListMode, m_helpContextId, layout);
    const bool hideDone = findChild<QAction *>(QStringLiteral("mnuProEseguiti"))->isChecked();
    const auto counts = buildList(grdThis, layout, [hideDone] {
        return QStringLiteral("select * FROM Promemoria") + (hideDone ? QStringLiteral(" WHERE Eseguito <> -1") : QString())
            + QLatin1Char(' ');
    });
    lblStatus->setText(QStringLiteral("In scadenza %1 su %2 promemoria").arg(counts.due).arg(counts.rows));
}
