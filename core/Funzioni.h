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

// Trims the box's text and, when it reads as a date (separators / , . - or blanks, or 6 or 8
// digits in a row), rewrites it as the short date and returns true. A refused text with two
// separators in a row, or one that is no date, puts the focus back in the box; an empty text,
// or one without any separator that is not 6 or 8 digits, is refused without moving the focus.
bool CheckDateText(QLineEdit *box);

// True when the value is (or reads as) a date from today to ten days ahead, both included.
bool IsDueWithinTenDays(const QVariant &value);

}
