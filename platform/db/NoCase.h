#pragma once
// Case-blind text comparison for the databases: the collation NOCASE, replaced on every connection
// by one that folds the case of every letter ("NICOLÒ" = "nicolò"), not of ASCII letters only.
// Passwords keep the binary collation and still match exactly.

#include <QByteArrayView>

struct sqlite3;

namespace NoCase {

// Orders two UTF-8 texts by their case-folded characters: < 0, 0 or > 0.
int compare(QByteArrayView a, QByteArrayView b);

// Puts the collation on a connection; every connection that reads or writes the files needs it,
// or it would find the indexes of text columns in an order it does not expect.
void install(sqlite3 *db);

// A file whose indexes were built with SQLite's own NOCASE (an older file) gets them rebuilt once and
// is then marked (PRAGMA user_version). Returns false when the file is busy; the next open tries again.
bool bringOver(sqlite3 *db);

// Marks a file whose indexes were built with this collation (a file just made).
void markCurrent(sqlite3 *db);

}
