#include "ComboFill.h"

#include "Conversions.h"
#include "DataCombo.h"
#include "Funzioni.h"

#include <QComboBox>

namespace ComboFill {

void addRows(QComboBox *combo, const QVector<QVector<QVariant>> &rows)
{
    for (const auto &row : rows)
        combo->addItem(Funzioni::NullToString(row.value(1)), Conv::toInt32(row.value(0)));
    DataCombo::fitEntries(combo);
}

void setYears(QComboBox *combo, int year)
{
    combo->clear();
    for (int y = year - 5; y <= year + 5; ++y)
        combo->addItem(QString::number(y));
    combo->setCurrentIndex(5);
}

}
