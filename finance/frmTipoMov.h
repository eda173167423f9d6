#pragma once
// The movement types editor: table TipoMov, each type income or expense.

#include "EditForm.h"

class QRadioButton;

class frmTipoMov : public EditForm
{
    Q_OBJECT
public:
    explicit frmTipoMov(QWidget *parent = nullptr);

protected:
    QString requiredFieldMessage() const override;
    void beforeWrite() override;
    void recordLoaded(bool found) override;

private:
    QLineEdit *txtDescr;
    QLineEdit *txtAltro;
    QWidget *Picture3;
    QRadioButton *optEntrate;
    QRadioButton *OptUscite;
};
