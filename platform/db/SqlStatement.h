#pragma once
// One prepared SQLite statement, finalized when it goes out of scope. Every failure raises
// AppError through DbError.

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

class SqlStatement
{
public:
    // Prepares SQLite text; a text holding more than one statement is refused.
    SqlStatement(sqlite3 *db, const QString &sql);
    // Prepares a text of the programs' (Jet) dialect, translated first.
    static SqlStatement fromJet(sqlite3 *db, const QString &jetSql);
    ~SqlStatement();
    SqlStatement(SqlStatement &&other) noexcept;
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    sqlite3_stmt *handle() const { return m_stmt; }
    void bind(int index, const QVariant &value);   // 1-based; the value's stored form
    bool step();                                   // true: a row is there; false: done
    int columnCount() const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};
