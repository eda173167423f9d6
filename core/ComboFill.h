#pragma once
// Fills the program's combos: a pick list from a query's rows, the year combos around a year.

#include <QVariant>
#include <QVector>

class QComboBox;

namespace ComboFill {

// Field 1 of each row as the shown text (Null shows as nothing) and field 0, the record's id, as the
// row's 32-bit item data; the combo then fits its entries.
void addRows(QComboBox *combo, const QVector<QVector<QVariant>> &rows);

// Offers the eleven years from five before `year` to five after it and shows `year`, its own entry,
// so that the arrow keys go on from it.
void setYears(QComboBox *combo, int year);

}
