// What the movement benchmarks share: a family database of 100,000 movements, the movements
// list's query, the bare SQLite read of it, and the best of several timed runs.
#pragma once

#include <QDate>
#include <QString>

struct sqlite3;

namespace BenchFamily {

constexpr int movements = 100000;

// The movements list's query as the program writes it for the year 2024.
extern const char *const listQuery;

// How the movements are spread. The plain family has every movement in one year, registered on its
// day; the varied one spans years, registers a few days late, leaves one movement in twenty
// without an account and stamps DataUpdate.
struct Spread
{
    QDate first, last;
    const char *lookups;   // the INSERTs of the accounts, payment types and movement types
    int accounts, payTypes, movTypes;
    bool varied;
    quint32 seed;
};

// Throws AppError with SQLite's message when rc is a failure.
void check(sqlite3 *db, int rc);

// Makes the family database file with the schema and `count` movements.
void fill(const QString &file, const Spread &spread, int count = movements);

// Adds `count` contacts of user 1 to the family file, their notes from empty to a few lines long.
void addContacts(const QString &file, int count);

struct Result
{
    qint64 nanoseconds = 0;
    int rows = 0;
    qint64 checksum = 0;   // keeps the reads from being optimized away
};

// The bare read: the query translated, opened on its own connection and stepped through. asText
// fetches every column as text (as a grid shows it); otherwise each value in its own type.
Result bareRead(const QString &file, const char *jetQuery, bool asText);

template <typename F>
Result best(int runs, F &&run)
{
    Result bestRun = run();
    for (int i = 1; i < runs; ++i) {
        const Result r = run();
        if (r.nanoseconds < bestRun.nanoseconds)
            bestRun = r;
    }
    return bestRun;
}

}
