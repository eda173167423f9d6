#pragma once
// A date picker with a tick box in front of it: ticked it holds the date it shows; unticked it
// holds no date (Null) and shows a date greyed, which ticking takes: the last one when the user
// unticked it, today when it was given no date. A date is typed section by section and taken as
// typed: a day the month shown lacks is kept until the text is whole, never moved to another day.

#include <QDate>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class TypedDateEdit;

class DatePicker : public QWidget
{
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    // The shown date while ticked, else Null (an invalid QVariant). A typed text that is no date
    // (unfinished, or 29/02/2023) holds no date either.
    QVariant value() const;
    // A date (or date and time) ticks the box and shows the date; anything else clears it, so that
    // a record without the date never offers another record's.
    void setValue(const QVariant &value);
    // Today's date, greyed and unticked: a box ticked later takes today.
    void clear();

    // False while the ticked box shows a text that is no date.
    bool isComplete() const;

    // The date the box's text denotes; invalid while it denotes none.
    QDate shownDate() const;
    QCheckBox *tickBox() const { return m_tick; }
    QDateEdit *dateBox() const;

signals:
    void valueChanged();

private:
    void changed();

    QCheckBox *m_tick;
    TypedDateEdit *m_date;
    QVariant m_told;   // the value valueChanged last told
};
