#pragma once
// The sign-in form: family, user name, password and working year, with the choices remembered
// in the settings store. A valid sign-in opens the family's database on the shared connection,
// fills the sign-in state and shows the main window.

#include "LoadingDialog.h"
#include <memory>

class Connection;
class FrmStart;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public LoadingDialog
{
    Q_OBJECT
public:
    // splash: the start-up form that opens this one; it is unloaded when this form loads.
    explicit frmLogin(FrmStart *splash, QWidget *parent = nullptr);
    ~frmLogin() override;

    // Loads the form and shows it modally, unless the automatic sign-in has already closed it.
    void showModal();
    bool signedIn() const { return m_signedIn; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();            // runs once, whichever way the form goes
    void unloadForm();
    void ConnAziende();
    bool SelectFamily(short familyId);
    void ConnVERIFICA(const QString &connectionText);
    void LoadLoginSettings();
    void SaveLoginSettings();
    void cmdcon_Click();
    bool cboAnno_Validate();

    FrmStart *m_splash;
    QLabel *imgBorder = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cboAzienda = nullptr;
    QLabel *lblUsername = nullptr;
    QComboBox *cmbUsers = nullptr;
    QLabel *lblPassword = nullptr;
    QLineEdit *txtPassword = nullptr;
    QComboBox *cboAnno = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QPushButton *cmdcon = nullptr;
    QPushButton *cmdCancel = nullptr;

    std::unique_ptr<Connection> m_connAziende;
    std::unique_ptr<Connection> m_connVerifica;
    bool m_autoConnect = false;
    bool m_unloaded = false;
    bool m_signedIn = false;
};
