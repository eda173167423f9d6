#pragma once
// One prepared SQLite statement, finalized when it goes out of scope. Every failure raises
// AppError through DbError. On a connection that still compares text in an older file's order the
// statement runs in a transaction of its own, which first follows the file's order (NoCase).

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
    // A table, column or index name as SQLite text reads it, whatever it holds.
    static QString quotedName(const QString &name);
    ~SqlStatement();
    SqlStatement(SqlStatement &&other) noexcept;
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    sqlite3_stmt *handle() const { return m_stmt; }
    void bind(int index, const QVariant &value);   // 1-based; the value's stored form
    bool step();                                   // true: a row is there; false: done
    int columnCount() const;

private:
    void begin();
    void commit();
    [[noreturn]] void fail(int rc);

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_begun = false;         // stepped at least once
    bool m_transaction = false;   // in a transaction this statement began
};
