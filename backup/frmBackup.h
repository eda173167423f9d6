#pragma once
// The Backup program's window: the families list of the families database, one family's name,
// database connection text and paths, and the backup copy of its database.

#include "db/Connection.h"

#include "LoadingDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QToolButton;

class frmBackup : public LoadingDialog
{
    Q_OBJECT
public:
    explicit frmBackup(QWidget *parent = nullptr);
    ~frmBackup() override;

    // Refills the families list and loads its first family.
    void riempiClo();

    // The families database, open for the life of the form; the new-family form reads it.
    Connection AdoConnectAziende;

    int idAzienda() const { return m_idAzienda; }

protected:
    bool runLoad() override;
    bool event(QEvent *event) override;

private:
    void Form_Load();
    void ConnAziende();
    void LoadAzienda(int id);
    void UpdateAzienda(const QString &value, const QString &column);
    QString SelectDbFile();
    void showHelp();

    void cboAzienda_Click();
    void Command4_Click();   // save the name
    void Command5_Click();   // new family
    void Command11_Click();  // delete the family
    void Command8_Click();   // pick the origin
    void Command9_Click();   // pick the destination
    void Command2_Click();   // save the database frame
    void Command7_Click();   // run the backup

    QMenuBar *m_menu;
    QGroupBox *Frame1;
    QLabel *Label1;
    QComboBox *cboAzienda;
    QLineEdit *txtAzienda;
    QToolButton *Command4;
    QPushButton *Command5;
    QToolButton *Command11;
    QGroupBox *Frame2;
    QLabel *Label6;
    QLineEdit *txtStrAccess;
    QLabel *Label2;
    QLabel *lblOriginale;
    QToolButton *Command8;
    QLabel *Label3;
    QLabel *lblDest;
    QToolButton *Command9;
    QToolButton *Command2;
    QPushButton *Command7;
    QPushButton *Command1;

    int m_idAzienda = 0;   // the loaded family, 0 until one is loaded
    QString m_helpFile;   // set with the help id when the form is activated
    int m_helpId = 0;
};
