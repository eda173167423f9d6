#pragma once
// A new family: its database made from the template, then its row in the families database.

#include "LoadingDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmBackup;

class frmNewAzienda : public LoadingDialog
{
    Q_OBJECT
public:
    explicit frmNewAzienda(frmBackup *owner);

    void done(int result) override;   // unloading refills the owner's families list

protected:
    bool runLoad() override;

private:
    void Command1_Click();                       // create
    bool NomeValido(const QString &name);        // refuses a name that cannot make a new family
    bool CopyTemplateDb(const QString &name);
    void AddAzienda(const QString &name);

    frmBackup *m_owner;
    QGroupBox *Frame1;
    QLabel *Label2;
    QLineEdit *txtNome;
    QLabel *Label1;
    QComboBox *Combo1;
    QPushButton *Command1;
    QPushButton *Command2;
};
