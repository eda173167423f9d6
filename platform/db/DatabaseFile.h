#pragma once
// Whole database files: make one from SQL files, run SQL on one, copy one. Used by the schema tool
// and the test fixture; the programs themselves go through Connection. Failures raise AppError
// (0x80004005 with SQLite's own message).

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QVector>

namespace DatabaseFile {

// Makes a new database file (rollback journal) and applies the SQL files to it in one transaction.
// Fails when the file exists; a failed file is removed again.
void create(const QString &path, const QStringList &sqlFiles);

// Runs the statements of an SQL text on an existing file in one transaction, foreign keys on. Named
// parameters (:Name) take their values from params, by name without the colon.
void execute(const QString &path, const QString &sql, const QVariantMap &params = {});

// The rows of a query on an existing file, values as SQLite stores them (Null = invalid QVariant).
QVector<QVector<QVariant>> select(const QString &path, const QString &sql);

// Copies a database file; fails when the source is missing or the destination exists.
void copy(const QString &from, const QString &to);

// The text of an SQL file.
QString readSql(const QString &sqlFile);

}
