#pragma once
// A combo box fed by a recordset: its row source gives the rows and its list field the column whose
// values the list shows. The text stays editable; what it holds is the caller's business.

#include <QComboBox>
#include <QPointer>
#include <QSignalBlocker>
#include <QString>
#include <QVariant>

class Recordset;

class DataCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit DataCombo(QWidget *parent = nullptr);

    // The list is refilled from the row source's list field whenever either is set.
    void setRowSource(Recordset *rs);
    Recordset *rowSource() const;
    void setListField(const QString &name);
    QString listField() const { return m_listField; }

    // Widens a combo's drop-down to show its longest entry whole, and the combo itself up to its
    // maximum width and three quarters of its screen, unless its width is its host's (it adjusts to a
    // minimum contents length).
    static void fitEntries(QComboBox *combo);

    // Refilling any combo's list is the program's doing, never the user's choice. While a Refill
    // lives the combo sends no signal; when it ends the combo shows again the row it showed before
    // (same text and data), or no row when the new list lacks it, an editable combo keeps its text,
    // and the combo fits its new entries. So no change handler runs for a refill.
    class Refill
    {
    public:
        explicit Refill(QComboBox *combo);
        ~Refill();
        Refill(const Refill &) = delete;
        Refill &operator=(const Refill &) = delete;

    private:
        QPointer<QComboBox> m_combo;
        QSignalBlocker m_silence;
        QString m_text;
        QVariant m_data;
        bool m_hadRow;
    };

private:
    void refill();

    QPointer<Recordset> m_rowSource;
    QString m_listField;
};
