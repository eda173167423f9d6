#pragma once
// A form whose load runs before each showing, modal or not; a load that refuses keeps the form
// from showing (and a modal showing returns Rejected at once).

#include <QDialog>

class LoadingDialog : public QDialog
{
    Q_OBJECT
public:
    int exec() override;
    void setVisible(bool visible) override;

protected:
    using QDialog::QDialog;
    // False keeps the form hidden.
    virtual bool runLoad() = 0;

private:
    bool m_loadedForShow = false;   // exec ran the load; the showing it asks for must not again
};
