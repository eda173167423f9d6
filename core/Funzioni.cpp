#include "Funzioni.h"

#include "AppError.h"
#include "Conversions.h"

namespace Funzioni {

int NullToLong(const QVariant &value)
{
    if (Conv::isNull(value))
        return 0;
    try {
        return Conv::toInt32(value);
    } catch (const AppError &) {
        return 0;
    }
}

QString NullToString(const QVariant &value)
{
    if (Conv::isNull(value))
        return QString();
    try {
        return Conv::toText(value);
    } catch (const AppError &) {
        return QString();
    }
}

QString SqlQuote(const QVariant &value)
{
    if (Conv::isNull(value))
        return QString();
    QString text = Conv::toText(value);
    return text.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString SqlDate(const QDate &day, bool upperBound)
{
    return QStringLiteral("# ") + day.toString(QStringLiteral("MM/dd/yyyy"))
        + (upperBound ? QStringLiteral(" 12.00 PM #") : QStringLiteral(" #"));
}

}
