#pragma once
// The main window: explorer bar of tasks, the list grid, the status line and the menus. Every
// task of the household manager starts here (RunTask.cpp); the grid shows one of four lists
// (Lists.cpp).

#include "ImageList.h"
#include "report/Report.h"

#include <QMainWindow>
#include <map>
#include <memory>
#include <optional>

class ExplorerBar;
class ExplorerBarItem;
class ListGrid;
class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class StatusBar;

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Which list the grid shows: 0 contacts or anniversaries, 1 movements, 2 reminders.
    int listMode() const { return ListMode; }
    int helpContextId() const { return m_helpContextId; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

    // The one place where the window opens another form, modally over itself. recordId, when
    // given, goes to the editor's record-id property first; without it the editor keeps its own.
    // The working year is taken from the year combo before, the search panel refreshed after.
    virtual void showForm(const QString &form, std::optional<int> recordId = std::nullopt);
    // A new instance of the form of that name; null for a name the program has no form for.
    virtual std::unique_ptr<QDialog> createForm(const QString &form);
    // Hands the grid (and, for the movements, the status text) to a list report.
    virtual void printReport(const QString &report);

private:
    friend class tst_frmMain;

    // Load (frmMain.cpp)
    void buildMenus();
    void buildExplorerBar();
    QWidget *buildSearchPanel();
    void fitYearRow();
    void buildStatusBar();
    void SetupPopMenu();
    void SetMenuIcon(int icon, const QString &menuName);
    QAction *addMenuEntry(QMenu *menu, const QString &name, const QString &caption,
                          const QKeySequence &shortcut = {});
    void applyResizeRule();

    // Tasks and commands (RunTask.cpp)
    void RunTask(const QString &key);
    void StartBackup();
    void showAbout();
    void connectCommands();
    void vbalExplorerBarCtl1_ItemClick(ExplorerBarItem *item);
    void grdThis_ColumnClick(int column);
    void grdThis_DblClick(int row, int column);
    void grdThis_MouseUp(Qt::MouseButton button, int x, int y);
    void openSelectedRecord(const QString &form);
    void mnuPromEseguito_Click();
    void mnuProEseguiti_Click();
    void mnuHelp_Click();
    void focusGrid();
    int selectedId() const;        // the record id of the grid's selected cell; raises when none

    // The movement search panel (Search.cpp)
    void connectSearchPanel();
    void firstPaint();
    void fillFilterCombos();
    void formOpening();
    void formClosed();
    void yearComboActivated();
    void yearComboDeactivated();
    void cmdSearch_Click();
    void cmdReset_Click();

    // The four lists (Lists.cpp)
    void ShowContactList();
    void ShowAnniversaryList();
    void ShowMovementList(const QString &filter);
    void ShowReminderList();

    int ListMode = 0;
    bool m_painted = false;        // the first paint filled the search panel's combos
    int m_helpContextId = 0;
    ImageList ilsIcons;

    ExplorerBar *vbalExplorerBarCtl1 = nullptr;
    ListGrid *grdThis = nullptr;
    QWidget *picStatus = nullptr;
    QLabel *lblStatus = nullptr;
    StatusBar *sbMain = nullptr;
    QComboBox *cboUtenti = nullptr;
    QComboBox *cboTipoPag = nullptr;
    QComboBox *cboConti = nullptr;
    QComboBox *cboMov = nullptr;
    QWidget *picSearch = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtDal = nullptr;
    QLineEdit *txtAl = nullptr;
    QRadioButton *OptSegno_1 = nullptr;
    QRadioButton *OptSegno_2 = nullptr;
    QComboBox *cboAnno = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdReset = nullptr;

    // The list reports, each made the first time it prints; a report keeps its records until it
    // prints again.
    std::map<QString, std::unique_ptr<Report>> m_reports;

    // The popup menus of the grid; not offered in the menu bar.
    QMenu *mnuRubrica = nullptr;
    QMenu *mnuMoviment = nullptr;
    QMenu *mnuPromemor = nullptr;
};
