#pragma once
// The reminder editor: one reminder of the family, table Promemoria. Reminders have no owner.

#include "EditForm.h"

class QCheckBox;

class frmAddPro : public EditForm
{
    Q_OBJECT
    // The reminder to edit when the form is next shown; 0 starts a new one.
    Q_PROPERTY(int Promemoria READ recordId WRITE setRecordId)
public:
    explicit frmAddPro(QWidget *parent = nullptr);

protected:
    QString requiredFieldMessage() const override;
    QString openByIdSql(int id) const override;
    void recordLoaded(bool found) override;

private:
    QLineEdit *txtData;
    QCheckBox *ckeEseguito;
    QLineEdit *txtDescr;
};
