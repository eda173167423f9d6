#include "Conversions.h"

#include "AppError.h"
#include "Clock.h"

#include <QLocale>
#include <QTime>
#include <cfloat>
#include <climits>
#include <cmath>

namespace {

const QLocale &italian()
{
    static const QLocale locale(QLocale::Italian, QLocale::Italy);
    return locale;
}

// Day 0 of the runtime's date serial numbers.
const QDate kSerialBase(1899, 12, 30);

bool isTextType(const QVariant &v)
{
    const int id = v.typeId();
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
}

bool isNumberType(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
    case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
    case QMetaType::Double: case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isWholeType(const QVariant &v) { return isNumberType(v) && v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float; }

// A number typed in the Italian form: dot for thousands (in groups of three), decimal comma,
// optional sign and exponent, blanks around it, and the euro sign before or after.
bool parseNumber(const QString &text, double &out)
{
    QString s = text.trimmed();
    // A sign may stand before the euro sign ("-€ 20,00"), as the euro display format writes it.
    QString sign;
    if ((s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) && s.mid(1).trimmed().startsWith(QChar(0x20AC))) {
        sign = s.left(1);
        s = s.mid(1).trimmed();
    }
    if (s.startsWith(QChar(0x20AC)))
        s = sign + s.mid(1).trimmed();
    else if (s.endsWith(QChar(0x20AC)))
        s = s.chopped(1).trimmed();
    if (s.isEmpty())
        return false;
    bool ok = false;
    const double d = italian().toDouble(s, &ok);
    if (!ok || !std::isfinite(d))
        return false;
    out = d;
    return true;
}

int monthFromName(const QString &word)
{
    const QString w = word.toLower();
    for (int m = 1; m <= 12; ++m) {
        if (w == italian().monthName(m, QLocale::LongFormat).toLower()
            || w == italian().monthName(m, QLocale::ShortFormat).toLower()
            || w == italian().standaloneMonthName(m, QLocale::LongFormat).toLower())
            return m;
    }
    return 0;
}

bool isWeekdayName(const QString &word)
{
    const QString w = word.toLower();
    for (int d = 1; d <= 7; ++d) {
        if (w == italian().dayName(d, QLocale::LongFormat).toLower()
            || w == italian().dayName(d, QLocale::ShortFormat).toLower())
            return true;
    }
    return false;
}

bool allDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// Two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999.
int fullYear(const QString &token)
{
    const int y = token.toInt();
    if (token.size() <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

bool parseTime(const QString &word, QTime &time)
{
    const QStringList parts = word.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    int values[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        if (!allDigits(parts[i]) || parts[i].size() > 2)
            return false;
        values[i] = parts[i].toInt();
    }
    time = QTime(values[0], values[1], values[2]);
    return time.isValid();
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char(',');
}

// Splits a date into its words: letters and digits, each pair parted by blanks or by one of / - . ,
// (with blanks allowed around it). Two marks in a row, or a mark at either end, is no date.
bool dateWords(const QString &s, QStringList &words)
{
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        int start = i;
        while (i < n && s[i].isLetterOrNumber())
            ++i;
        if (i == start)
            return false;
        words.append(s.mid(start, i - start));
        if (i == n)
            break;
        int marks = 0;
        while (i < n && (s[i].isSpace() || isSeparator(s[i]))) {
            if (isSeparator(s[i]))
                ++marks;
            ++i;
        }
        if (marks > 1 || i == n)
            return false;
    }
    return !words.isEmpty();
}

// Reads a date, with an optional time of day ("HH:mm" or "HH:mm:ss") after it, in the Italian
// order: day, month (number or name), year. A missing year is the current one; a four-digit
// first number reads as year, month, day.
bool parseDateText(const QString &text, QDate &date, QTime &time)
{
    QStringList blankWords = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    time = QTime();
    if (!blankWords.isEmpty() && blankWords.last().contains(QLatin1Char(':'))) {
        if (!parseTime(blankWords.takeLast(), time))
            return false;
    }
    QStringList words;
    if (!dateWords(blankWords.join(QLatin1Char(' ')), words))
        return false;
    if (words.size() > 1 && isWeekdayName(words.first()))
        words.removeFirst();

    int day = 0, month = 0, year = 0;
    auto monthOf = [](const QString &w) { return allDigits(w) ? (w.size() <= 2 ? w.toInt() : 0) : monthFromName(w); };
    if (words.size() == 3) {
        if (allDigits(words[0]) && words[0].size() >= 3) {
            if (!allDigits(words[2]) || words[2].size() > 2)
                return false;
            year = words[0].toInt();
            month = monthOf(words[1]);
            day = words[2].toInt();
        } else {
            if (!allDigits(words[0]) || words[0].size() > 2 || !allDigits(words[2]) || words[2].size() > 4)
                return false;
            day = words[0].toInt();
            month = monthOf(words[1]);
            year = fullYear(words[2]);
        }
    } else if (words.size() == 2) {
        if (!allDigits(words[0]) || words[0].size() > 2)
            return false;
        day = words[0].toInt();
        month = monthOf(words[1]);
        year = Clock::today().year();
    } else {
        return false;
    }
    if (month < 1 || month > 12 || year < 100 || year > 9999)
        return false;
    date = QDate(year, month, day);
    return date.isValid();
}

double serialOf(const QDateTime &dt)
{
    const double days = double(kSerialBase.daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime fromSerial(double serial)
{
    if (!std::isfinite(serial) || serial < -657434.0 || serial >= 2958466.0)
        throw AppError::overflow();
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    const QDate day = kSerialBase.addDays(qint64(whole));
    return QDateTime(day, QTime(0, 0).addMSecs(int(std::llround(fraction * 86400000.0)) % 86400000));
}

QDateTime dateTimeOf(const QVariant &v)
{
    if (Conv::isNull(v))
        throw AppError::invalidUseOfNull();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QDateTime:
        return v.toDateTime();
    case QMetaType::QTime:
        return QDateTime(kSerialBase, v.toTime());
    case QMetaType::Bool:
        return fromSerial(v.toBool() ? -1.0 : 0.0);
    default:
        break;
    }
    if (isNumberType(v))
        return fromSerial(v.toDouble());
    if (isTextType(v)) {
        QDate date;
        QTime time;
        if (parseDateText(v.toString(), date, time))
            return QDateTime(date, time.isValid() ? time : QTime(0, 0));
    }
    throw AppError::typeMismatch();
}

// The runtime's text of a double: up to 15 significant digits (7 for a single), decimal comma, no thousands,
// exponent as "E+16" / "E-07" for very large or very small values.
QString doubleText(double d, int digits)
{
    if (d == 0)
        return QStringLiteral("0");
    QString s = QString::number(d, 'g', digits);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mantissa = s.left(e);
        QString exponent = s.mid(e + 1);
        const QChar sign = exponent.at(0);
        exponent = exponent.mid(1);
        while (exponent.size() < 2)
            exponent.prepend(QLatin1Char('0'));
        s = mantissa + QLatin1Char('E') + sign + exponent;
    }
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}

double wholeRounded(const QVariant &v)
{
    if (isWholeType(v))
        return v.toDouble();
    const double d = Conv::toDouble(v);
    if (!std::isfinite(d))
        throw AppError::overflow();
    return std::nearbyint(d);   // the default rounding mode sends halves to the even neighbour
}

} // namespace

namespace Conv {

bool isNull(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return true;
    if (v.typeId() == QMetaType::QDate)
        return !v.toDate().isValid();
    if (v.typeId() == QMetaType::QDateTime)
        return !v.toDateTime().isValid();
    return false;
}

bool isNumeric(const QVariant &v)
{
    if (isNull(v))
        return false;
    if (isNumberType(v) || v.typeId() == QMetaType::Bool)
        return true;
    double d;
    return isTextType(v) && parseNumber(v.toString(), d);
}

bool isDate(const QVariant &v)
{
    if (isNull(v))
        return false;
    switch (v.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return true;
    default:
        break;
    }
    if (!isTextType(v))
        return false;
    QDate date;
    QTime time;
    return parseDateText(v.toString(), date, time);
}

short toInt16(const QVariant &v)
{
    const double r = wholeRounded(v);
    if (r < SHRT_MIN || r > SHRT_MAX)
        throw AppError::overflow();
    return short(r);
}

int toInt32(const QVariant &v)
{
    const double r = wholeRounded(v);
    if (r < INT_MIN || r > INT_MAX)
        throw AppError::overflow();
    return int(r);
}

double toDouble(const QVariant &v)
{
    if (isNull(v))
        throw AppError::invalidUseOfNull();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    if (isNumberType(v))
        return v.toDouble();
    switch (v.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        return serialOf(dateTimeOf(v));
    default:
        break;
    }
    double d;
    if (isTextType(v) && parseNumber(v.toString(), d))
        return d;
    throw AppError::typeMismatch();
}

bool toBool(const QVariant &v)
{
    if (isNull(v))
        throw AppError::invalidUseOfNull();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isTextType(v)) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
            || s.compare(QLatin1String("Vero"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0
            || s.compare(QLatin1String("Falso"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble(v) != 0;
}

QDate toDate(const QVariant &v) { return dateTimeOf(v).date(); }

QDateTime toDateTime(const QVariant &v) { return dateTimeOf(v); }

QString toText(const QVariant &v)
{
    if (isNull(v))
        throw AppError::invalidUseOfNull();
    switch (v.typeId()) {
    case QMetaType::QString:
    case QMetaType::QChar:
        return v.toString();
    case QMetaType::QByteArray:
        return QString::fromUtf8(v.toByteArray());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("Vero") : QStringLiteral("Falso");
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return generalDate(v);
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Double:
        return doubleText(v.toDouble(), 15);
    case QMetaType::Float:
        return doubleText(v.toFloat(), 7);
    default:
        break;
    }
    if (isWholeType(v))
        return v.typeId() == QMetaType::ULongLong ? QString::number(v.toULongLong()) : QString::number(v.toLongLong());
    if (v.canConvert<QString>())
        return v.toString();
    throw AppError::typeMismatch();
}

QString shortDate(const QDate &d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString longDate(const QDate &d)
{
    return d.isValid() ? italian().toString(d, QStringLiteral("dddd d MMMM yyyy")) : QString();
}

int weekday(const QDate &d) { return d.dayOfWeek() % 7 + 1; }

QString generalDate(const QVariant &v)
{
    if (isNull(v))
        return QString();
    const QDateTime dt = dateTimeOf(v);
    QString text = shortDate(dt.date());
    if (dt.time().isValid() && dt.time().msecsSinceStartOfDay() != 0)
        text += QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm:ss"));
    return text;
}

QString euro(double amount)
{
    if (std::fabs(amount) < 0.005)
        amount = 0;
    const QString digits = italian().toString(std::fabs(amount), 'f', 2);
    return (amount < 0 ? QStringLiteral("-€ ") : QStringLiteral("€ ")) + digits;
}

QString currency(double amount)
{
    if (std::fabs(amount) < 0.005)
        amount = 0;   // no "-0,00"
    return italian().toString(amount, 'f', 2) + QStringLiteral(" €");
}

namespace {

// The code point at i, and i moved past it; a lone surrogate stands for itself.
char32_t nextCodePoint(QStringView s, qsizetype &i)
{
    const QChar c = s[i++];
    if (c.isHighSurrogate() && i < s.size() && s[i].isLowSurrogate())
        return QChar::surrogateToUcs4(c, s[i++]);
    return c.unicode();
}

}

Wildcard::Wildcard(QStringView pattern, Dialect dialect)
{
    const auto add = [this](Token::Kind kind, std::u32string chars = {}) {
        m_tokens.push_back({kind, std::move(chars)});
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const char32_t c = nextCodePoint(pattern, i);
        if (c == '*' || (dialect == Find && c == '%')) {
            if (m_tokens.empty() || m_tokens.back().kind != Token::Run)   // a run of stars is one star
                add(Token::Run);
        } else if (c == '?' || (dialect == Find && c == '_')) {
            add(Token::One);
        } else if (dialect == Like && c == '#') {
            add(Token::Digit);
        } else if (dialect == Like && c == '[') {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i);
            if (close < 0) {
                m_valid = false;
                return;
            }
            QStringView list = pattern.mid(i, close - i);
            const bool negated = list.startsWith(QLatin1Char('!'));
            if (negated)
                list = list.mid(1);
            std::u32string chars;
            for (qsizetype k = 0; k < list.size();)
                chars += foldCase(nextCodePoint(list, k));
            add(negated ? Token::NotList : Token::List, std::move(chars));
            i = close + 1;
        } else {
            add(Token::Char, std::u32string(1, foldCase(c)));
        }
    }
}

bool Wildcard::matches(QStringView text) const
{
    if (!m_valid)
        return false;
    const auto inList = [](const std::u32string &list, char32_t c) {
        for (size_t k = 0; k < list.size(); ++k) {
            if (k + 2 < list.size() && list[k + 1] == '-') {   // a range; '-' first or last is itself
                if (list[k] <= c && c <= list[k + 2])
                    return true;
                k += 2;
            } else if (list[k] == c) {
                return true;
            }
        }
        return false;
    };
    const auto fits = [&](const Token &t, char32_t c) {
        switch (t.kind) {
        case Token::One: return true;
        case Token::Digit: return c >= '0' && c <= '9';
        case Token::Char: return t.chars[0] == c;
        case Token::List: return inList(t.chars, c);
        case Token::NotList: return !inList(t.chars, c);
        case Token::Run: break;
        }
        return false;
    };
    // Every token but a run takes exactly one character, so on a mismatch it is enough to let the
    // last run seen take one character more: no earlier run need ever be revisited.
    const size_t n = m_tokens.size();
    size_t p = 0;
    qsizetype t = 0;
    size_t runAt = n;          // the last run seen, n when none
    qsizetype runTo = 0;       // where the text after that run starts
    while (t < text.size()) {
        if (p < n && m_tokens[p].kind == Token::Run) {
            runAt = p++;
            runTo = t;
            continue;
        }
        qsizetype after = t;
        if (p < n && fits(m_tokens[p], foldCase(nextCodePoint(text, after)))) {
            ++p;
            t = after;
        } else if (runAt < n) {
            p = runAt + 1;
            nextCodePoint(text, runTo);
            t = runTo;
        } else {
            return false;
        }
    }
    while (p < n && m_tokens[p].kind == Token::Run)
        ++p;
    return p == n;
}

bool wildcardMatch(QStringView text, QStringView pattern, Wildcard::Dialect dialect)
{
    return Wildcard(pattern, dialect).matches(text);
}

} // namespace Conv
