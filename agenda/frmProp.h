#pragma once
// The contact editor: one entry of the family's address book, table Contatti, on six tabs.

#include "EditForm.h"

class QTabWidget;

class frmProp : public EditForm
{
    Q_OBJECT
    // The contact to edit when the form is next shown; 0 starts a new one.
    Q_PROPERTY(int Contatto READ recordId WRITE setRecordId)
public:
    explicit frmProp(QWidget *parent = nullptr);

protected:
    QString requiredFieldMessage() const override;
    void prepareLoad() override;
    void newStarted() override;
    void beforeWrite() override;

private:
    void tabChanged(int index);

    QTabWidget *Sst1;
    QLineEdit *txtFirst;
    QLineEdit *txtLast;
    QVector<QWidget *> m_firstBoxes;   // the box that takes the focus when its tab is shown
};
