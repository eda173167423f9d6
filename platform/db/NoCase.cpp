#include "NoCase.h"

#include "Conversions.h"

#include <QChar>
#include <sqlite3.h>

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

int userVersion(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        version = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return version;
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

void install(sqlite3 *db)
{
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, collate, nullptr);
}

bool bringOver(sqlite3 *db)
{
    const int version = userVersion(db);
    if (version < 0 || version >= kOrderVersion)
        return true;
    const QByteArray sql = "BEGIN IMMEDIATE; REINDEX NOCASE; PRAGMA user_version = " + QByteArray::number(kOrderVersion)
        + "; COMMIT;";
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

void markCurrent(sqlite3 *db)
{
    const QByteArray sql = "PRAGMA user_version = " + QByteArray::number(kOrderVersion);
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

}
