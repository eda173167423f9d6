#pragma once
// The database layer's errors: SQLite's codes mapped, in this one place, to the numbers the
// forms tell apart, and the layer's own errors, all with Italian descriptions.

#include "AppError.h"

#include <QString>

struct sqlite3;

namespace DbError {

// A text longer than the defined size of its field.
constexpr long DataTooLong = 0x80040E21;
// A find criterion or a field name that the layer cannot use.
constexpr long BadArgument = 3001;
// An SQL text that cannot be run as one statement.
constexpr long BadSql = 0x80040E14;

// The error for a failed SQLite call on db (result code rc, extended codes included).
AppError fromSqlite(sqlite3 *db, int rc);
[[noreturn]] void raise(sqlite3 *db, int rc);

AppError cannotOpen(const QString &file, const QString &why);
AppError conflict();
AppError readOnly();
AppError objectClosed();
AppError noCurrentRecord();
AppError itemNotFound(const QString &name);
AppError notUpdatable(const QString &field);
AppError tooLong(const QString &field, int definedSize);
AppError badArgument(const QString &what);
AppError badSql(const QString &why);

}
