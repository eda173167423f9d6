#pragma once
// The SQL dialect the programs write (Access/Jet) translated to SQLite in one place.
// Tokenized: nothing inside a string literal is touched.

#include <QString>

struct sqlite3;

namespace JetSql {

// Jet text -> SQLite text. Never throws and never crashes, whatever the input; text it does
// not understand is passed through for SQLite to accept or refuse.
QString translate(const QString &jet);

// Registers on a connection the SQL functions the translation relies on
// (text joining with Null as empty, DatePart, IIF, ...).
void registerFunctions(sqlite3 *db);

}
