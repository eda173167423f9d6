#pragma once
// The accounts editor: the family's bank and other accounts, table Conti.

#include "EditForm.h"

class frmConti : public EditForm
{
    Q_OBJECT
public:
    explicit frmConti(QWidget *parent = nullptr);

protected:
    QString requiredFieldMessage() const override;

private:
    QLineEdit *txtConto;
    QLineEdit *txtComune;
    QLineEdit *txtDescr;
    QLineEdit *txtApertura;
    QLineEdit *txtChiusura;
    QLineEdit *txtInfo;
};
