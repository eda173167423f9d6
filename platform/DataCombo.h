#pragma once
// A combo box fed by a recordset: its row source gives the rows and its list field the column whose
// values the list shows. The text stays editable; what it holds is the caller's business.

#include <QComboBox>
#include <QPointer>
#include <QString>

class Recordset;

class DataCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit DataCombo(QWidget *parent = nullptr);

    // The list is refilled from the row source's list field whenever either is set.
    void setRowSource(Recordset *rs);
    Recordset *rowSource() const { return m_rowSource; }
    void setListField(const QString &name);
    QString listField() const { return m_listField; }

private:
    void refill();

    QPointer<Recordset> m_rowSource;
    QString m_listField;
};
