#pragma once
// The settings form: the day counts, the start-up windows and the sign-in choices kept by Sett.
// It reads them when it is shown and writes them all at once on "&Applica".

#include "LoadingDialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

class frmSettings : public LoadingDialog
{
    Q_OBJECT
public:
    explicit frmSettings(QWidget *parent = nullptr);

protected:
    bool runLoad() override;
    bool event(QEvent *e) override;

private:
    void load();
    void apply();
    bool dayBoxCheck(QLineEdit *box);

    QTabWidget *tabSettings;
    QLineEdit *txtGiorniScadenza;
    QLineEdit *txtMemoria;
    QCheckBox *CkeScadenze;
    QCheckBox *CkeGiacenze;
    QCheckBox *CkePro;
    QCheckBox *ckeAppuntament;
    QCheckBox *CkePass;
    QCheckBox *CkeAutoConn;
    QPushButton *cmdApplica;
    QPushButton *cmdChiudi;
};
