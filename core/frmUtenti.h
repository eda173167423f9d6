#pragma once
// The users administration: the users of the signed-in family, table Utenti. Administrators only.

#include "EditForm.h"

class MemoBox;
class QCheckBox;
class QComboBox;
class QLineEdit;

class frmUtenti : public EditForm
{
    Q_OBJECT
public:
    explicit frmUtenti(QWidget *parent = nullptr);

protected:
    QString tableName() const override { return QStringLiteral("Utenti"); }
    QString keyColumn() const override { return QStringLiteral("IdUtente"); }
    QString messageTitle() const override { return QStringLiteral("Gestione utenze"); }
    int helpId() const override { return 4001; }
    QString requiredFieldMessage() const override;
    QString listQuery() const override;
    QVector<ListColumn> listColumns() const override;
    bool allowLoad() override;
    bool allowDelete() override;

private:
    QLineEdit *txtNome;
    QLineEdit *txtCognome;
    QLineEdit *txtData;
    QLineEdit *txtComuNascita;
    QLineEdit *txtTel;
    QLineEdit *txtCell;
    QLineEdit *txtMail;
    QLineEdit *txtWeb;
    MemoBox *txtnote;
    QLineEdit *txtUserId;
    QLineEdit *txtPassword;
    QComboBox *cboRuolo;
    QCheckBox *ckeBlocca;
};
