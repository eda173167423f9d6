#pragma once
// The movement types editor: table TipoMov, each type income or expense.

#include "EditForm.h"

class QLineEdit;
class QRadioButton;
class QWidget;

class frmTipoMov : public EditForm
{
    Q_OBJECT
public:
    explicit frmTipoMov(QWidget *parent = nullptr);

protected:
    QString tableName() const override { return QStringLiteral("TipoMov"); }
    QString keyColumn() const override { return QStringLiteral("IdTipoMov"); }
    QString messageTitle() const override { return QStringLiteral("Edit Tipo Movimenti"); }
    int helpId() const override { return 12001; }
    QString requiredFieldMessage() const override;
    QString listQuery() const override;
    QVector<ListColumn> listColumns() const override;
    QString searchColumnKey() const override { return QStringLiteral("size"); }
    bool listTrapsErrors() const override { return false; }
    void beforeWrite() override;
    void recordLoaded(bool found) override;

private:
    QLineEdit *txtDescr;
    QLineEdit *txtAltro;
    QWidget *Picture3;
    QRadioButton *optEntrate;
    QRadioButton *OptUscite;
};
