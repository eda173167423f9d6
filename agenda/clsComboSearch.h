#pragma once
// Completes what the user types into a combo from the combo's own choices. The owner keeps one
// instance and attaches one combo with setClient():
//  - a QComboBox (editable): the choices are its entries; the untyped rest of the first entry that
//    the typed part begins (as a wildcard pattern, without case) is filled in and selected, and
//    leaving the box or Enter gives a text equal to an entry that entry's own case;
//  - a DataCombo: the choices are the rows of its row source, found with the recordset's find on
//    its list field; the typed keys are kept in a buffer from the box's focus on.

#include <QObject>
#include <QPointer>
#include <QString>

class DataCombo;
class QComboBox;
class QKeyEvent;
class Recordset;

class clsComboSearch : public QObject
{
    Q_OBJECT
public:
    explicit clsComboSearch(QObject *parent = nullptr);
    ~clsComboSearch() override;

    // Attaches a DataCombo or a QComboBox; anything else raises AppError 0x80040001 and attaches
    // nothing. Attaching one kind keeps an earlier client of the other kind.
    void setClient(QObject *client);

    static constexpr long ClientError = 0x80040001;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Combo box
    void m_cbo_Change();
    void m_cbo_KeyDown(int key);
    void m_cbo_LostFocus();
    // Data combo: KeyPress answers whether the key is swallowed.
    void m_DCombo_GotFocus();
    bool m_DCombo_KeyPress(QKeyEvent *key);
    void search();
    void SelectTypedPart(int n);

    QPointer<QComboBox> m_cbo;
    QPointer<DataCombo> m_DCombo;
    QPointer<Recordset> m_rs;
    QString m_listFieldName;
    int m_listField = -1;
    QString m_buffer;
    bool m_newSearch = false;
    bool m_busy = false;
};
