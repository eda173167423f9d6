#include "SqlStatement.h"

#include "DbError.h"
#include "DbValue.h"
#include "JetSql.h"

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

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

SqlStatement::SqlStatement(SqlStatement &&other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

void SqlStatement::bind(int index, const QVariant &value)
{
    const int rc = DbValue::bind(m_stmt, index, value);
    if (rc != SQLITE_OK)
        DbError::raise(m_db, rc);
}

bool SqlStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    DbError::raise(m_db, sqlite3_extended_errcode(m_db));
}

int SqlStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}
