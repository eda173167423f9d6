#pragma once
// Fills a pick list from a query's rows: field 1 as the shown text (Null shows as nothing) and
// field 0, the record's id, as the row's 32-bit item data; the combo then fits its entries.

#include <QVariant>
#include <QVector>

class QComboBox;

namespace ComboFill {

void addRows(QComboBox *combo, const QVector<QVector<QVariant>> &rows);

}
