#pragma once
// Value and SQL helpers shared by the forms.

#include <QDate>
#include <QString>
#include <QVariant>

class QLineEdit;

namespace Funzioni {

int NullToLong(const QVariant &value);          // Null or unreadable -> 0; halves round to even
QString NullToString(const QVariant &value);    // Null or unreadable -> ""
QString SqlQuote(const QVariant &value);        // apostrophes doubled; Null -> ""
QString SqlDate(const QDate &day, bool upperBound);   // "# mm/dd/yyyy #" or "# mm/dd/yyyy 12.00 PM #"

}
