#include "RawDb.h"

#include "db/DatabaseFile.h"

#include <QFile>

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
