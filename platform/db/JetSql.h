#pragma once
// The SQL dialect the programs write (Access/Jet) translated to SQLite in one place.
// Tokenized: nothing inside a string literal is touched. Date literals # mm/dd/yyyy # become ISO
// texts ('yyyy-MM-dd', with " HH:mm:ss" when they carry a time, so the noon upper bound sorts after
// the plain day); "..." texts become '...'; True/False -1/0; "Delete * from" loses the "*";
// & and + beside a text literal join texts; "DatePart('yyyy', column) = year" standing alone as a
// condition of a WHERE, ON or HAVING clause reads only the column's dates of that year, through
// ranges an index serves, and DatePart still decides each. LIKE keeps Jet's patterns:
// registerFunctions gives the connection a LIKE that reads them.

#include <QString>
#include <QVariant>

struct sqlite3;

namespace JetSql {

// Jet text -> SQLite text. Never throws and never crashes, whatever the input; text it does
// not understand is passed through for SQLite to accept or refuse.
QString translate(const QString &jet);

// Registers on a connection the SQL functions the translated texts rely on: jet_concat (Jet's &,
// Null as empty), DatePart, Now() and the zero-argument date() (Jet's Date()), both from Clock, so
// that the saved queries' "today" follows Clock::setNow. IIF is SQLite's own.
void registerFunctions(sqlite3 *db);

// A value as the text between the apostrophes of a Jet string literal: its text with every
// apostrophe doubled; Null gives "". A value with no text raises AppError.
QString quote(const QVariant &value);

}
