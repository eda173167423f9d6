#pragma once
// Database files for the database layer's tests, made and read through DatabaseFile (not the layer
// under test), so that the layer is checked against what is really in the file.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace RawDb {

// Creates file (replacing it) and runs the statements on it in one transaction.
void create(const QString &file, const QStringList &statements);
// Creates file (replacing it) as SQLite alone makes it: text indexes built with its own NOCASE (letters
// A to Z), and no mark of the program's order.
void createOlder(const QString &file, const QStringList &statements);
// Runs one statement on file and gives the first column of the first row, as stored
// (qlonglong, double, QString; invalid for NULL or no row).
QVariant scalar(const QString &file, const QString &sql);
// "Provider=...;Data Source=<file>" as the programs write it.
QString connectionText(const QString &file);

}
