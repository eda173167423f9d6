#include "SqlStatement.h"

#include "DbError.h"
#include "DbValue.h"
#include "JetSql.h"
#include "NoCase.h"

#include <sqlite3.h>

SqlStatement::SqlStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    if (!db)
        throw DbError::objectClosed();
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, &tail);
    if (rc != SQLITE_OK)
        DbError::raise(db, rc);
    if (!m_stmt)
        throw DbError::badSql(QStringLiteral("Istruzione SQL non valida: il testo è vuoto."));
    for (const char *p = tail; p && *p; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            throw DbError::badSql(QStringLiteral("Caratteri trovati dopo la fine dell'istruzione SQL."));
        }
    }
}

SqlStatement SqlStatement::fromJet(sqlite3 *db, const QString &jetSql)
{
    return SqlStatement(db, JetSql::translate(jetSql));
}

QString SqlStatement::quotedName(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
    if (m_transaction && sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

SqlStatement::SqlStatement(SqlStatement &&other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_begun(other.m_begun), m_transaction(other.m_transaction)
{
    other.m_stmt = nullptr;
    other.m_transaction = false;
}

void SqlStatement::bind(int index, const QVariant &value)
{
    const int rc = DbValue::bind(m_stmt, index, value);
    if (rc != SQLITE_OK)
        DbError::raise(m_db, rc);
}

bool SqlStatement::step()
{
    if (!m_begun)
        begin();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(sqlite3_extended_errcode(m_db));
    commit();
    return false;
}

// Another connection may bring an older file over at any time; holding the file's lock from reading
// its order to the statement's end keeps this connection from comparing in the wrong one meanwhile.
void SqlStatement::begin()
{
    m_begun = true;
    if (!NoCase::older(m_db) || !sqlite3_get_autocommit(m_db))
        return;
    const char *sql = sqlite3_stmt_readonly(m_stmt) ? "BEGIN" : "BEGIN IMMEDIATE";
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        DbError::raise(m_db, sqlite3_extended_errcode(m_db));
    m_transaction = true;
    const int rc = NoCase::follow(m_db);
    if (rc != SQLITE_OK)
        fail(rc);
}

void SqlStatement::commit()
{
    if (!m_transaction)
        return;
    sqlite3_reset(m_stmt);
    if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sqlite3_extended_errcode(m_db));
    m_transaction = false;
}

void SqlStatement::fail(int rc)
{
    const AppError error = DbError::fromSqlite(m_db, rc);
    if (m_transaction) {
        sqlite3_reset(m_stmt);
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_transaction = false;
    }
    throw error;
}

int SqlStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}
