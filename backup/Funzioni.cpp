#include "Funzioni.h"

#include "Conversions.h"
#include "db/JetSql.h"
#include "Shell.h"

namespace Funzioni {

QString SqlQuote(const QVariant &value)
{
    return JetSql::quote(value);
}

QString NullToString(const QVariant &value)
{
    if (Conv::isNull(value))
        return QString();
    return Conv::toText(value);
}

int NullToLong(const QVariant &value)
{
    if (Conv::isNull(value))
        return 0;
    return Conv::toInt32(value);
}

QString BrowseFolder(QWidget *owner, const QString &title, const QString &folder)
{
    return Shell::browseFolder(owner, title, folder);
}

}
