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
    QString requiredFieldMessage() const override;
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
