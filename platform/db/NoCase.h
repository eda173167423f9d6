#pragma once
// Case-blind text comparison for the databases: the collation NOCASE, which on a connection folds the
// case of every letter ("NICOLÒ" = "nicolò"), not of ASCII letters only. Passwords keep the binary
// collation and still match exactly.
//
// A file's indexes are built in one order, and a connection that compares in another finds and places
// rows wrongly. So a file keeps a mark (PRAGMA user_version): files made before the folding order have
// none and were indexed by SQLite's own NOCASE (letters A to Z). A connection compares in the order of
// its file's mark; an older file is brought over (re-indexed and marked in one write transaction) when
// a connection gets its write lock, and until then is read and written in the older order.

#include "AppError.h"

#include <QByteArrayView>
#include <QStringList>
#include <functional>

struct sqlite3;

namespace NoCase {

// Orders two UTF-8 texts by their case-folded characters: < 0, 0 or > 0.
int compare(QByteArrayView a, QByteArrayView b);

// Gives a connection the order of its file's mark; every connection that reads or writes the files
// needs it. Returns SQLite's result code of reading the mark. The mark can change only under a write
// lock, so call it with the file locked when the order must hold for what follows.
int follow(sqlite3 *db);

// Runs work in one transaction opened by begin ("BEGIN" or "BEGIN IMMEDIATE") that first follows the
// file's mark under the transaction's lock, so that no other connection changes the order meanwhile.
// A failure rolls back and raises again; error makes what a failed BEGIN, mark or COMMIT raises.
void transaction(sqlite3 *db, const char *begin, const std::function<void()> &work,
                 const std::function<AppError(int rc)> &error);

// Whether the connection compares in the older order: its statements must then follow the mark
// inside their own transaction, since another connection may bring the file over at any time.
bool older(sqlite3 *db);

// Brings an older file over when it can: waits for the write lock as the busy timeout says, rebuilds the text indexes
// in the folding order and marks the file, all or nothing. A busy or read-only file stays in the
// older order (a later open tries again). Returns the tables whose rows are equal in the folding order
// only, which keep the file in the older order; empty otherwise.
QStringList bringOver(sqlite3 *db);

// Marks a file whose indexes are built with the folding order (a file being made), and follows it.
void markCurrent(sqlite3 *db);

}
