#pragma once
// The accounts editor: the family's bank and other accounts, table Conti.

#include "EditForm.h"

class QLineEdit;

class frmConti : public EditForm
{
    Q_OBJECT
public:
    explicit frmConti(QWidget *parent = nullptr);

protected:
    QString tableName() const override { return QStringLiteral("Conti"); }
    QString keyColumn() const override { return QStringLiteral("IdConto"); }
    QString messageTitle() const override { return QStringLiteral("Edit Conti/correnti"); }
    int helpId() const override { return 12001; }
    QString requiredFieldMessage() const override;
    QString listQuery() const override;
    QVector<ListColumn> listColumns() const override;
    QString searchColumnKey() const override { return QStringLiteral("size"); }

private:
    QLineEdit *txtConto;
    QLineEdit *txtComune;
    QLineEdit *txtDescr;
    QLineEdit *txtApertura;
    QLineEdit *txtChiusura;
    QLineEdit *txtInfo;
};
