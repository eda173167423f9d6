#include "Funzioni.h"

#include "AppError.h"
#include "Clock.h"
#include "Conversions.h"
#include "db/JetSql.h"

#include <QLineEdit>

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
    return JetSql::quote(value);
}

QString SqlDate(const QDate &day, bool upperBound)
{
    return QStringLiteral("# ") + day.toString(QStringLiteral("MM/dd/yyyy"))
        + (upperBound ? QStringLiteral(" 12.00 PM #") : QStringLiteral(" #"));
}

bool CheckDateText(QLineEdit *box)
{
    box->setText(box->text().trimmed());
    if (box->text().isEmpty())
        return false;

    QString work = box->text();
    for (QChar &c : work)
        if (c == QLatin1Char('/') || c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char('-'))
            c = QLatin1Char(' ');
    if (work.contains(QStringLiteral("  "))) {
        box->setFocus();
        return false;
    }
    if (!work.contains(QLatin1Char(' '))) {
        if (!Conv::isNumeric(work) || (work.size() != 8 && work.size() != 6))
            return false;
        work = work.left(2) + QLatin1Char(' ') + work.mid(2, 2) + QLatin1Char(' ') + work.mid(4);
    }
    if (Conv::isDate(work)) {
        box->setText(Conv::shortDate(Conv::toDate(work)));
        return true;
    }
    box->setFocus();
    return false;
}

bool IsDueWithinTenDays(const QVariant &value)
{
    if (!Conv::isDate(value))
        return false;
    const qint64 days = Clock::today().daysTo(Conv::toDate(value));
    return days >= 0 && days <= 10;
}

}
