#pragma once
// A date picker with a tick box in front of it: ticked it holds the date it shows; unticked it
// holds no date (Null) and shows a date greyed, which ticking takes: the last one when the user
// unticked it, today when it was given no date.

#include <QDate>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QDateEdit;

class DatePicker : public QWidget
{
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    // The shown date while ticked, else Null (an invalid QVariant).
    QVariant value() const;
    // A date (or date and time) ticks the box and shows the date; anything else clears it, so that
    // a record without the date never offers another record's.
    void setValue(const QVariant &value);
    // Today's date, greyed and unticked: a box ticked later takes today.
    void clear();

    QDate shownDate() const;
    QCheckBox *tickBox() const { return m_tick; }
    QDateEdit *dateBox() const { return m_date; }

signals:
    void valueChanged();

private:
    QCheckBox *m_tick;
    QDateEdit *m_date;
};
