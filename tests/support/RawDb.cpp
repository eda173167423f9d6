#include "RawDb.h"

#include "db/DatabaseFile.h"

#include <QFile>
#include <sqlite3.h>

namespace RawDb {

void create(const QString &file, const QStringList &statements)
{
    QFile::remove(file);
    QFile empty(file);
    if (!empty.open(QIODevice::WriteOnly))
        qFatal("cannot create %s", qPrintable(file));
    empty.close();
    DatabaseFile::execute(file, statements.join(QStringLiteral(";\n")));
}

void createOlder(const QString &file, const QStringList &statements)
{
    QFile::remove(file);
    sqlite3 *db = nullptr;
    const QByteArray sql = statements.join(QStringLiteral(";\n")).toUtf8();
    if (sqlite3_open(QFile::encodeName(file).constData(), &db) != SQLITE_OK
        || sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("cannot create %s: %s", qPrintable(file), sqlite3_errmsg(db));
    sqlite3_close(db);
}

QVariant scalar(const QString &file, const QString &sql)
{
    return DatabaseFile::select(file, sql).value(0).value(0);
}

QString connectionText(const QString &file)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=") + file
        + QStringLiteral(";Jet OLEDB:Database Password=tubo");
}

}
