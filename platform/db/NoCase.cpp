#include "NoCase.h"

#include "Conversions.h"
#include "SqlStatement.h"

#include <QChar>
#include <QVector>
#include <algorithm>
#include <sqlite3.h>
#include <unordered_map>

namespace {

// The version of the text order stored in PRAGMA user_version; files made before it have 0.
constexpr int kOrderVersion = 1;

// The next character of a UTF-8 text; a byte that starts no valid sequence stands for itself, so that
// any text, well formed or not, has one fixed order.
char32_t next(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    int more = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : 0;
    if (more == 0 || end - p < more)
        return lead;
    char32_t c = lead & (0x3f >> more);
    for (int i = 0; i < more; ++i) {
        if ((p[i] & 0xc0) != 0x80)
            return lead;
        c = (c << 6) | (p[i] & 0x3f);
    }
    p += more;
    return c;
}

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return NoCase::compare(QByteArrayView(static_cast<const char *>(a), lengthA),
                           QByteArrayView(static_cast<const char *>(b), lengthB));
}

// SQLite's own NOCASE to the letter: the order older files were indexed in.
int letters(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const int r = sqlite3_strnicmp(static_cast<const char *>(a), static_cast<const char *>(b),
                                   std::min(lengthA, lengthB));
    return r ? r : lengthA - lengthB;
}

// The order each connection compares in: true folding, false the older one. SQLite drops a
// connection's collation when it closes, and the entry goes with it.
std::unordered_map<sqlite3 *, bool> orders;

void forget(void *db)
{
    orders.erase(static_cast<sqlite3 *>(db));
}

int setOrder(sqlite3 *db, bool folding)
{
    const auto it = orders.find(db);
    if (it != orders.end() && it->second == folding)
        return SQLITE_OK;
    const int rc = sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, db, folding ? collate : letters, forget);
    if (rc == SQLITE_OK)
        orders[db] = folding;   // after the call: replacing a collation forgets the old one's entry
    return rc;
}

int exec(sqlite3 *db, const QByteArray &sql)
{
    return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

// The rows of a query, every column as text.
QVector<QStringList> rows(sqlite3 *db, const QByteArray &sql)
{
    QVector<QStringList> result;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
            result << row;
        }
    }
    sqlite3_finalize(stmt);
    return result;
}

QByteArray quoted(const QString &name)
{
    return SqlStatement::quotedName(name).toUtf8();
}

// Inside the failed re-index's transaction: the tables with an index that the folding order cannot
// rebuild, because it makes two of its keys equal. Only the indexes that compare with NOCASE are tried.
QStringList clashingTables(sqlite3 *db)
{
    QStringList tables;
    for (const QStringList &index : rows(db, "SELECT name, tbl_name FROM sqlite_master WHERE type = 'index' "
                                             "ORDER BY tbl_name, name")) {
        bool nocase = false;
        for (const QStringList &column : rows(db, "PRAGMA index_xinfo(" + quoted(index[0]) + ")"))   // key, coll
            nocase = nocase || (column.value(5) == QLatin1String("1")
                                && column.value(4).compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0);
        if (nocase && !tables.contains(index[1]) && (exec(db, "REINDEX " + quoted(index[0])) & 0xff) == SQLITE_CONSTRAINT)
            tables << index[1];
    }
    return tables;
}

}

namespace NoCase {

int compare(QByteArrayView a, QByteArrayView b)
{
    auto *p = reinterpret_cast<const unsigned char *>(a.data());
    auto *q = reinterpret_cast<const unsigned char *>(b.data());
    const auto *endP = p + a.size();
    const auto *endQ = q + b.size();
    while (p < endP && q < endQ) {
        char32_t x = *p;
        char32_t y = *q;
        if (x < 0x80 && y < 0x80) {   // the common case, without decoding
            ++p;
            ++q;
        } else {
            x = next(p, endP);
            y = next(q, endQ);
        }
        x = Conv::foldCase(x);
        y = Conv::foldCase(y);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return (p < endP) - (q < endQ);
}

int follow(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt);
    const int version = rc == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW)
        return rc;
    return setOrder(db, version >= kOrderVersion);
}

void transaction(sqlite3 *db, const char *begin, const std::function<void()> &work,
                 const std::function<AppError(int rc)> &error)
{
    if (const int rc = exec(db, begin); rc != SQLITE_OK)
        throw error(rc);
    try {
        if (const int rc = follow(db); rc != SQLITE_OK)
            throw error(rc);
        work();
        if (const int rc = exec(db, "COMMIT"); rc != SQLITE_OK)
            throw error(rc);
    } catch (...) {
        exec(db, "ROLLBACK");
        throw;
    }
}

bool older(sqlite3 *db)
{
    const auto it = orders.find(db);
    return it == orders.end() || !it->second;
}

QStringList bringOver(sqlite3 *db)
{
    if (!older(db) || exec(db, "BEGIN IMMEDIATE") != SQLITE_OK)
        return {};   // busy or read-only: a later open tries again
    int rc = follow(db);
    if (rc == SQLITE_OK && !older(db)) {   // another connection brought it over meanwhile
        if (exec(db, "COMMIT") != SQLITE_OK)
            exec(db, "ROLLBACK");
        return {};
    }
    if (rc == SQLITE_OK)
        rc = setOrder(db, true);
    if (rc == SQLITE_OK)
        rc = exec(db, "REINDEX NOCASE");
    QStringList clashes;
    if ((rc & 0xff) == SQLITE_CONSTRAINT)
        clashes = clashingTables(db);
    if (rc == SQLITE_OK)
        rc = exec(db, "PRAGMA user_version = " + QByteArray::number(kOrderVersion));
    if (rc == SQLITE_OK)
        rc = exec(db, "COMMIT");
    if (rc != SQLITE_OK) {
        exec(db, "ROLLBACK");
        setOrder(db, false);
    }
    return clashes;
}

void markCurrent(sqlite3 *db)
{
    if (exec(db, "PRAGMA user_version = " + QByteArray::number(kOrderVersion)) == SQLITE_OK)
        setOrder(db, true);
}

}
