#pragma once
// The payment types editor: table TipoPag.

#include "EditForm.h"

class frmTipoPag : public EditForm
{
    Q_OBJECT
public:
    explicit frmTipoPag(QWidget *parent = nullptr);

protected:
    QString requiredFieldMessage() const override;

private:
    QLineEdit *txtDescr;
    QLineEdit *txtAltro;
};
