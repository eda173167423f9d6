#pragma once
// The movement editor: one income or expense of table Movimenti, opened on the id in Movimento
// (0 opens a new movement).

#include "EditForm.h"

class QComboBox;

class frmMov : public EditForm
{
    Q_OBJECT
    // The movement to edit, set by the opener before showing the form.
    Q_PROPERTY(int Movimento READ recordId WRITE setRecordId)
public:
    explicit frmMov(QWidget *parent = nullptr);

protected:
    QString requiredFieldMessage() const override;
    void bindingControls() override;
    void beforeWrite() override;
    void afterWrite(bool wasNew) override;

private:
    QLineEdit *ruledOutAmount() const;
    double amountOf(const QLineEdit *box) const;
    void dtcMov_Change(const QString &text);
    bool amountLeft(QLineEdit *box, QLineEdit *other);

    QLineEdit *txtReg;
    QLineEdit *txtMov;
    QLineEdit *txtInfo;
    QLineEdit *txtEntrata;
    QLineEdit *txtUscita;
    QComboBox *dtcConto;
    QComboBox *dtcTipoPag;
    QComboBox *dtcMov;
};
