#pragma once
// The appointment editor "Registrazione appuntamenti": one row of Appunta, a client on a day
// (Monday to Saturday) at a workstation and a shift. The planner and the main window open it by
// its record id; closing it reloads the planner's week.

#include "EditForm.h"

#include <memory>

class DatePicker;
class MemoBox;
class QComboBox;
class clsComboSearch;

class frmAddAppunta : public EditForm
{
    Q_OBJECT
    Q_PROPERTY(int IdAppunta READ recordId WRITE setRecordId)
public:
    explicit frmAddAppunta(QWidget *parent = nullptr);
    ~frmAddAppunta() override;

protected:
    QString requiredFieldMessage() const override;
    void bindingControls() override;
    void recordLoaded(bool found) override;
    void beforeWrite() override;
    void afterWrite(bool wasNew) override;
    void unloading() override;
    QString stampColumn() const override { return QStringLiteral("Data_Update"); }

private:
    void FillClientList();

    QComboBox *txtCliente;
    DatePicker *DTPicker1;
    QComboBox *dtcPostazione;
    QComboBox *dtcTurni;
    MemoBox *txtDescr;
    std::unique_ptr<clsComboSearch> m_search;
};
