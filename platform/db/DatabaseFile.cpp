#include "DatabaseFile.h"

#include "AppError.h"
#include "DbValue.h"
#include "NoCase.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

AppError fileError(const QString &text)
{
    return AppError(AppError::Unspecified, text);
}

// One open file, closed on every way out.
class File
{
public:
    File(const QString &path, int flags)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) != SQLITE_OK) {
            const QString why = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("memoria esaurita");
            sqlite3_close(m_db);
            throw fileError(QStringLiteral("Impossibile aprire il database %1: %2").arg(path, why));
        }
        sqlite3_busy_timeout(m_db, 5000);
        exec("PRAGMA foreign_keys = ON; PRAGMA journal_mode = DELETE;");
    }
    ~File() { sqlite3_close(m_db); }
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    void exec(const char *sql)
    {
        char *message = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            const QString why = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
            sqlite3_free(message);
            throw fileError(why);
        }
    }

    // Runs every statement of the text; calls onRow for each row a statement yields.
    template<typename OnRow>
    void run(const QString &sql, const QVariantMap &params, OnRow onRow)
    {
        const QByteArray text = sql.toUtf8();
        const char *next = text.constData();
        const char *end = next + text.size();
        while (next < end) {
            sqlite3_stmt *stmt = nullptr;
            const char *tail = nullptr;
            if (sqlite3_prepare_v2(m_db, next, int(end - next), &stmt, &tail) != SQLITE_OK)
                throw error();
            next = tail;
            if (!stmt)   // blanks or a comment after the last statement
                continue;
            try {
                bind(stmt, params);
                int rc;
                while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
                    onRow(stmt);
                if (rc != SQLITE_DONE)
                    throw error();
            } catch (...) {
                sqlite3_finalize(stmt);
                throw;
            }
            sqlite3_finalize(stmt);
        }
    }

    // Runs body in one transaction, undone on failure, comparing text in the order of the file's mark.
    void transaction(const char *begin, const std::function<void()> &body)
    {
        NoCase::transaction(m_db, begin, body, [this](int) { return error(); });
    }

    void markCurrent() { NoCase::markCurrent(m_db); }

private:
    AppError error() const { return fileError(QString::fromUtf8(sqlite3_errmsg(m_db))); }

    void bind(sqlite3_stmt *stmt, const QVariantMap &params)
    {
        for (int i = 1; i <= sqlite3_bind_parameter_count(stmt); ++i) {
            const QString name = QString::fromUtf8(sqlite3_bind_parameter_name(stmt, i)).mid(1);
            if (!params.contains(name))
                throw fileError(QStringLiteral("Parametro senza valore: %1").arg(name));
            const int rc = DbValue::bind(stmt, i, params.value(name));
            if (rc != SQLITE_OK)
                throw error();
        }
    }

    sqlite3 *m_db = nullptr;
};

}

namespace DatabaseFile {

QString readSql(const QString &sqlFile)
{
    QFile file(sqlFile);
    if (!file.open(QIODevice::ReadOnly))
        throw fileError(QStringLiteral("Impossibile leggere %1: %2").arg(sqlFile, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

void create(const QString &path, const QStringList &sqlFiles)
{
    if (QFileInfo::exists(path))
        throw fileError(QStringLiteral("Il database %1 esiste già").arg(path));
    QString sql;
    for (const QString &sqlFile : sqlFiles)
        sql += readSql(sqlFile) + QLatin1Char('\n');
    try {
        File file(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        file.transaction("BEGIN", [&] {
            file.markCurrent();
            file.run(sql, {}, [](sqlite3_stmt *) {});
        });
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

void execute(const QString &path, const QString &sql, const QVariantMap &params)
{
    File file(path, SQLITE_OPEN_READWRITE);
    file.transaction("BEGIN IMMEDIATE", [&] { file.run(sql, params, [](sqlite3_stmt *) {}); });
}

QVector<QVector<QVariant>> select(const QString &path, const QString &sql)
{
    File file(path, SQLITE_OPEN_READONLY);
    QVector<QVector<QVariant>> rows;
    file.transaction("BEGIN", [&] {
        file.run(sql, {}, [&rows](sqlite3_stmt *stmt) {
            QVector<QVariant> row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                row.append(DbValue::readStored(stmt, c));
            rows.append(row);
        });
    });
    return rows;
}

void copy(const QString &from, const QString &to)
{
    if (!QFileInfo::exists(from))
        throw AppError(AppError::FileNotFound, QStringLiteral("Il database %1 non esiste").arg(from));
    if (QFileInfo::exists(to))
        throw fileError(QStringLiteral("Il database %1 esiste già").arg(to));
    QFile source(from);
    if (!source.copy(to))
        throw fileError(QStringLiteral("Impossibile copiare %1 in %2: %3").arg(from, to, source.errorString()));
}

}
