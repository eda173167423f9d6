// The main window's task dispatcher, its menu commands and the grid's mouse commands.

#include "frmMain.h"

#include "AppError.h"
#include "Conversions.h"
#include "DataBase.h"
#include "EditForm.h"
#include "ExplorerBar.h"
#include "Guarded.h"
#include "HTMLHelp.h"
#include "ListGrid.h"
#include "MsgBox.h"
#include "RptContatti.h"
#include "RptMov.h"
#include "RptPromemoria.h"
#include "Shell.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "frmAddAppunta.h"
#include "frmAddPro.h"
#include "frmAppunta.h"
#include "frmConti.h"
#include "frmMov.h"
#include "frmProp.h"
#include "frmSettings.h"
#include "frmTab.h"
#include "frmTipoMov.h"
#include "frmTipoPag.h"
#include "frmUtenti.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <functional>
#include <memory>

void frmMain::RunTask(const QString &key)
{
    // Compared in this order, every character as written; the first equal key runs.
    const std::pair<const char *, std::function<void()>> tasks[] = {
        {"NEWCONTATTO", [this] { showForm(QStringLiteral("frmProp")); focusGrid(); }},
        {"SELCONTATTO", [this] { ShowContactList(); }},
        {"Settaggi", [this] { showForm(QStringLiteral("frmSettings")); focusGrid(); }},
        {"DATECONTATTI", [this] { ShowAnniversaryList(); }},
        // The contacts report takes the five columns of the contacts list, not the anniversaries.
        {"PRTCONTATTI", [this] {
             if (ListMode == 0 && grdThis->rows() > 0 && grdThis->columns() == 5)
                 printReport(QStringLiteral("RptContatti"));
         }},
        {"CONTI", [this] { showForm(QStringLiteral("frmConti")); focusGrid(); }},
        {"WINVER", [this] { showAbout(); }},
        {"END", [] { QCoreApplication::exit(0); }},
        {"TIPOMOVIMENTI", [this] { showForm(QStringLiteral("frmTipoMov")); focusGrid(); }},
        {"TIPOPAG", [this] { showForm(QStringLiteral("frmTipoPag")); focusGrid(); }},
        {"NEWMOV", [this] { showForm(QStringLiteral("frmMov")); focusGrid(); }},
        {"MOVIMENTI", [this] { ShowMovementList(QString()); }},
        {"PRINTMOV", [this] {
             if (ListMode == 1 && grdThis->rows() > 0)
                 printReport(QStringLiteral("RptMov"));
         }},
        {"APPUNTA", [this] { showForm(QStringLiteral("frmAppunta")); }},
        {"DB", [this] { StartBackup(); }},
        {"PROMEMORIA", [this] { ShowReminderList(); }},
        {"NEWPROMEMORIA", [this] { showForm(QStringLiteral("frmAddPro")); }},
        {"PRTPROMEMORIA", [this] {
             if (ListMode == 2 && grdThis->rows() > 0)
                 printReport(QStringLiteral("RptPromemoria"));
         }},
    };
    for (const auto &[taskKey, action] : tasks) {
        if (key == QLatin1String(taskKey)) {
            Guarded(QString(), action);
            return;
        }
    }
}

// Each form lands here with its own module: a fresh instance, since every editor's unload sets its
// record id back to 0 anyway; a given id goes to its record-id property, and it is shown through
// Shell::showModal.
//   frmProp (Contatto), frmMov (Movimento), frmAddPro (Promemoria), frmAddAppunta (IdAppunta);
//   frmSettings, frmConti, frmTipoMov, frmTipoPag, frmUtenti, frmAppunta, frmPostazioni, frmTurni.
void frmMain::showForm(const QString &form, std::optional<int> recordId)
{
    const std::unique_ptr<QDialog> dialog = createForm(form);
    if (!dialog)
        return;
    if (auto *editor = qobject_cast<EditForm *>(dialog.get()); editor && recordId)
        editor->setRecordId(*recordId);
    formOpening();
    const auto back = qScopeGuard([this] { formClosed(); });
    Shell::showModal(dialog.get());
}

namespace {
template <class Form> std::unique_ptr<QDialog> makeForm(QWidget *parent) { return std::make_unique<Form>(parent); }
}

// A form not built yet opens nothing.
std::unique_ptr<QDialog> frmMain::createForm(const QString &form)
{
    static const std::pair<const char *, std::unique_ptr<QDialog> (*)(QWidget *)> forms[] = {
        {"frmSettings", &makeForm<frmSettings>},
        {"frmConti", &makeForm<frmConti>},
        {"frmTipoMov", &makeForm<frmTipoMov>},
        {"frmTipoPag", &makeForm<frmTipoPag>},
        {"frmUtenti", &makeForm<frmUtenti>},
        {"frmMov", &makeForm<frmMov>},
        {"frmAddPro", &makeForm<frmAddPro>},
        {"frmProp", &makeForm<frmProp>},
        {"frmAppunta", &makeForm<frmAppunta>},
        {"frmAddAppunta", &makeForm<frmAddAppunta>},
        {"frmPostazioni", &makeForm<frmPostazioni>},
        {"frmTurni", &makeForm<frmTurni>},
    };
    for (const auto &[name, make] : forms) {
        if (form == QLatin1String(name))
            return make(this);
    }
    return nullptr;
}

namespace {
template <class R> R &single(std::unique_ptr<Report> &slot)
{
    if (!slot)
        slot = std::make_unique<R>();
    return static_cast<R &>(*slot);
}
}

// The list reports fill themselves from the grid: RptContatti and RptPromemoria from the grid,
// RptMov from the grid and the status text.
void frmMain::printReport(const QString &report)
{
    std::unique_ptr<Report> &slot = m_reports[report];
    if (report == QLatin1String("RptMov"))
        single<RptMov>(slot).Riempi(*grdThis, lblStatus->text());
    else if (report == QLatin1String("RptContatti"))
        single<RptContatti>(slot).Riempi(*grdThis);
    else if (report == QLatin1String("RptPromemoria"))
        single<RptPromemoria>(slot).Riempi(*grdThis);
}

void frmMain::focusGrid() { grdThis->setFocus(); }

int frmMain::selectedId() const { return grdThis->cellItemData(grdThis->selectedRow(), grdThis->selectedCol()); }

void frmMain::StartBackup()
{
    if (DataBase::UserRole == QLatin1String("Admin")) {
        Shell::startDetached(Shell::appPath() + QStringLiteral("/focolarium-backup"));
        return;
    }
    MsgBox(QStringLiteral("Non si dispone di Autorizzazioni per la richiesta"), MsgKind::Information,
           QStringLiteral("Accesso negato alla risorsa"));
}

void frmMain::showAbout()
{
    MsgBox(QStringLiteral("Focolarium\n\nMovimenti finanziari, rubrica, promemoria e appuntamenti della famiglia."),
           MsgKind::Information, QStringLiteral("Informazioni su Focolarium"));
}

void frmMain::connectCommands()
{
    auto on = [this](const char *name, std::function<void()> command) {
        if (QAction *a = findChild<QAction *>(QString::fromLatin1(name)))
            connect(a, &QAction::triggered, this, [command] { Guarded(QString(), command); });
    };
    auto task = [this](const char *key) { return [this, key] { RunTask(QString::fromLatin1(key)); }; };

    on("mnuNuoCon", task("NEWCONTATTO"));
    on("mnuNewMov", task("NEWMOV"));
    on("mnuNewApp", [this] { showForm(QStringLiteral("frmAddAppunta")); });
    on("mnuNewPro", task("NEWPROMEMORIA"));
    on("mnuEsci", [this] { close(); });
    on("mnuVisContatti", task("SELCONTATTO"));
    on("mnuvisAvv", task("DATECONTATTI"));
    on("mnuVisMov", task("MOVIMENTI"));
    on("mnuVisApp", [this] { showForm(QStringLiteral("frmAppunta")); });
    on("mnuVisPro", task("PROMEMORIA"));
    on("mnuProEseguiti", [this] { mnuProEseguiti_Click(); });
    on("mnuPrtCon", task("PRTCONTATTI"));
    on("mnuPrtMov", task("PRINTMOV"));
    on("mnuPrtPro", task("PRTPROMEMORIA"));
    on("mnuInfoVer", task("WINVER"));
    on("mnuGestioneDb", task("DB"));
    on("mnuSettaggi", task("Settaggi"));
    on("mnuUtenti", [this] { showForm(QStringLiteral("frmUtenti")); });
    on("mnuTipiMov", task("TIPOMOVIMENTI"));
    on("mnuCC", task("CONTI"));
    on("mnuTipiPag", task("TIPOPAG"));
    on("mnuPostazioni", [this] { showForm(QStringLiteral("frmPostazioni")); });
    on("mnuTurni", [this] { showForm(QStringLiteral("frmTurni")); });
    on("mnuHelp", [this] { mnuHelp_Click(); });
    on("mnuSelContact", [this] { openSelectedRecord(QStringLiteral("frmProp")); });
    on("mnuNewContact", task("NEWCONTATTO"));
    on("mnuSelMoviment", [this] { openSelectedRecord(QStringLiteral("frmMov")); });
    on("mnuAddMov", task("NEWMOV"));
    on("mnuSelPromemor", [this] { openSelectedRecord(QStringLiteral("frmAddPro")); });
    on("mnuNewPromemor", task("NEWPROMEMORIA"));
    on("mnuPromEseguito", [this] { mnuPromEseguito_Click(); });

    connect(vbalExplorerBarCtl1, &ExplorerBar::itemClick, this, &frmMain::vbalExplorerBarCtl1_ItemClick);
    connect(grdThis, &ListGrid::columnClick, this,
            [this](int column) { Guarded(QString(), [this, column] { grdThis_ColumnClick(column); }); });
    connect(grdThis, &ListGrid::dblClick, this, &frmMain::grdThis_DblClick);
    connect(grdThis, &ListGrid::mouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) { grdThis_MouseUp(button, x, y); });
}

void frmMain::vbalExplorerBarCtl1_ItemClick(ExplorerBarItem *item) { RunTask(item->key()); }

void frmMain::mnuProEseguiti_Click()
{
    // The entry is checkable: the click has already inverted its mark, which the list reads.
    ShowReminderList();
}

void frmMain::mnuHelp_Click()
{
    AppError::ignoring([] { HTMLHelp::ShowHelpTopic(1, HTMLHelp::CurrentHelpId); });
}

// Each click on a column sorts it the other way from the last click on that column.
void frmMain::grdThis_ColumnClick(int column)
{
    grdThis->clearSortKeys();
    const bool ascending = grdThis->columnTag(column).isEmpty();
    grdThis->setColumnTag(column, ascending ? QStringLiteral("DESC") : QString());
    const QString key = grdThis->columnKey(column);
    ListGrid::SortType type = ListGrid::SortText;
    if (key == QLatin1String("num") || key == QLatin1String("num1"))
        type = ListGrid::SortNumeric;
    else if (key == QLatin1String("date") || key == QLatin1String("date1") || key == QLatin1String("date2"))
        type = ListGrid::SortDate;
    grdThis->setSortKey(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder, type);
    Shell::setMousePointer(11);
    grdThis->sort();
    Shell::setMousePointer(0);
}

void frmMain::grdThis_DblClick(int row, int column)
{
    Guarded(QStringLiteral("Focolarium"), [&] {
        const int id = grdThis->cellItemData(row, column);
        switch (ListMode) {
        case 0: showForm(QStringLiteral("frmProp"), id); break;
        case 1: showForm(QStringLiteral("frmMov"), id); break;
        case 2: showForm(QStringLiteral("frmAddPro"), id); break;
        default: break;
        }
    }, MsgKind::PlainOkCancel);
}

void frmMain::grdThis_MouseUp(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::RightButton)
        return;
    const QPoint at = grdThis->viewport()->mapToGlobal(QPoint(x, y));
    Guarded(QStringLiteral("Focolarium"), [&] {
        switch (ListMode) {
        case 0: mnuRubrica->popup(at); break;
        case 1: mnuMoviment->popup(at); break;
        case 2: {
            const int id = selectedId();
            Recordset rs;
            rs.open(QStringLiteral("SELECT Eseguito From Promemoria Where IdPromemoria = %1 ").arg(id),
                    &DataBase::AdoConnect());
            const bool done = Conv::toBool(rs.value(0));
            rs.close();
            findChild<QAction *>(QStringLiteral("mnuPromEseguito"))->setChecked(done);
            mnuPromemor->popup(at);
            break;
        }
        default: break;
        }
    }, MsgKind::PlainOkCancel);
}

// "Seleziona ...": the editor opens on the selected row's record, or keeps its own id when
// the selected cell cannot be read.
void frmMain::openSelectedRecord(const QString &form)
{
    std::optional<int> id;
    AppError::ignoring([&] { id = selectedId(); });
    AppError::ignoring([&] { showForm(form, id); });
}

void frmMain::mnuPromEseguito_Click()
{
    int id = 0;
    AppError::ignoring([&] { id = selectedId(); });
    // A refused write (a locked user) is told, and the reminder is not shown as done.
    if (!Guarded(QString(), [&] {
            DataBase::AdoConnect().execute(
                QStringLiteral("UPDATE Promemoria SET Eseguito=-1 Where IdPromemoria = %1 ").arg(id));
        }))
        return;
    AppError::ignoring([&] { findChild<QAction *>(QStringLiteral("mnuPromEseguito"))->setChecked(true); });
    AppError::ignoring([&] { grdThis->setCellText(grdThis->selectedRow(), 3, QStringLiteral(" Vero")); });
}
