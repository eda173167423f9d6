#include "RawDb.h"

#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

namespace RawDb {

namespace {

sqlite3 *openFile(const QString &file, int flags)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.toStdString());
    }
    return db;
}

}

void create(const QString &file, const QStringList &statements)
{
    QFile::remove(file);
    sqlite3 *db = openFile(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const QByteArray sql = (QStringLiteral("BEGIN;\n") + statements.join(QStringLiteral(";\n"))
                            + QStringLiteral(";\nCOMMIT;")).toUtf8();
    char *error = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "?";
        sqlite3_free(error);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    sqlite3_close(db);
}

QVariant scalar(const QString &file, const QString &sql)
{
    sqlite3 *db = openFile(file, SQLITE_OPEN_READONLY);
    sqlite3_stmt *stmt = nullptr;
    QVariant result;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW) {
        switch (sqlite3_column_type(stmt, 0)) {
        case SQLITE_INTEGER: result = qlonglong(sqlite3_column_int64(stmt, 0)); break;
        case SQLITE_FLOAT: result = sqlite3_column_double(stmt, 0); break;
        case SQLITE_TEXT:
            result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
            break;
        default: break;
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

QString connectionText(const QString &file)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=") + file
        + QStringLiteral(";Jet OLEDB:Database Password=tubo");
}

}
