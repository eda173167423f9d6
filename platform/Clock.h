#pragma once
// The one clock of the programs: "today" and "now". Tests set it to a fixed moment.

#include <QDate>
#include <QDateTime>

namespace Clock {
QDateTime now();
QDate today();
void setNow(const QDateTime &fixed);   // an invalid QDateTime returns to the system clock
}
