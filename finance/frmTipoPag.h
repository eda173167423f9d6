#pragma once
// The payment types editor: table TipoPag.

#include "EditForm.h"

class QLineEdit;

class frmTipoPag : public EditForm
{
    Q_OBJECT
public:
    explicit frmTipoPag(QWidget *parent = nullptr);

protected:
    QString tableName() const override { return QStringLiteral("TipoPag"); }
    QString keyColumn() const override { return QStringLiteral("IdTipoPag"); }
    QString messageTitle() const override { return QStringLiteral("Edit Tipo Pagamenti"); }
    int helpId() const override { return 12001; }
    QString requiredFieldMessage() const override;
    QString listQuery() const override;
    QVector<ListColumn> listColumns() const override;
    QString searchColumnKey() const override { return QStringLiteral("size"); }
    bool listTrapsErrors() const override { return false; }

private:
    QLineEdit *txtDescr;
    QLineEdit *txtAltro;
};
