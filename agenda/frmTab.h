#pragma once
// The grid form of a short list of the planner: a data grid bound to its data source, the row of
// buttons that drive the source, the navigation strip with the record's position, and the keys.
// frmTurni keeps the shifts and frmPostazioni the workstations; they differ in caption and source.

#include "LoadingDialog.h"

#include <functional>
#include <memory>

class DataGrid;
class QLabel;
class QPushButton;
class clsTab;

class frmTab : public LoadingDialog
{
    Q_OBJECT
public:
    ~frmTab() override;

    clsTab *primaryCLS() const { return PrimaryCLS.get(); }
    bool editing() const { return mbEditFlag; }

protected:
    using SourceMaker = std::function<std::unique_ptr<clsTab>()>;
    frmTab(const QString &name, const QString &caption, SourceMaker makeSource, QWidget *parent);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    // Load, before each showing; a form whose data source cannot be made is not shown.
    bool runLoad() override;
    void SetButtons(bool visible);
    void Form_KeyDown(int key, Qt::KeyboardModifiers shift);
    void PrimaryCLS_MoveComplete();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdUpdate_Click();
    void cmdCancel_Click();
    void cmdClose_Click();
    bool writePendingRow();   // false when the table refused it
    // The buttons that show their failures in a plain box under the program's title.
    void trapped(const std::function<void()> &action);

    SourceMaker m_makeSource;
    std::unique_ptr<clsTab> PrimaryCLS;
    bool mbEditFlag = false;

    DataGrid *grdDataGrid;
    QWidget *picButtons;
    QPushButton *cmdAdd;
    QPushButton *cmdUpdate;
    QPushButton *cmdEdit;
    QPushButton *cmdCancel;
    QPushButton *cmdDelete;
    QPushButton *cmdRefresh;
    QPushButton *cmdClose;
    QWidget *picStatBox;
    QPushButton *cmdFirst;
    QPushButton *cmdPrevious;
    QPushButton *cmdNext;
    QPushButton *cmdLast;
    QLabel *lblStatus;
};

class frmTurni : public frmTab
{
    Q_OBJECT
public:
    explicit frmTurni(QWidget *parent = nullptr);
};

class frmPostazioni : public frmTab
{
    Q_OBJECT
public:
    explicit frmPostazioni(QWidget *parent = nullptr);
};
