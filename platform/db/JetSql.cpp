#include "JetSql.h"

#include "Clock.h"
#include "AppError.h"
#include "Conversions.h"
#include "DbValue.h"

#include <QDate>
#include <QLocale>
#include <QSet>
#include <QTime>

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

// The translation works on tokens: string literals, [bracketed] names and # date literals are
// single tokens, so nothing inside them is ever rewritten. Text joins (&, and + beside a text
// literal) need the operands of the operator, which a small precedence-aware walk over the
// token list finds: a "segment" is a run of tokens between operators that bind looser than &
// (comparisons, keywords, commas); inside a segment & splits first, then + and -.

namespace {

enum class Kind { Word, Bracket, Number, String, Date, Op, Open, Close, Comma, Raw };

struct Token
{
    Kind kind;
    QString text;       // the SQLite text to emit
    bool space = false; // blank before it in the source
    QString body;       // a string literal's value, unquoted
};

QString quoted(const QString &value)
{
    QString s = value;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c.unicode() >= 0x80; }
bool isWordChar(QChar c) { return isWordStart(c) || c.isDigit() || c == QLatin1Char('$'); }
bool isAsciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

// Reads an unsigned number of at most maxDigits digits; false when there is none.
bool readNumber(const QString &s, int &i, int maxDigits, int &value, int *digits = nullptr)
{
    int n = 0;
    value = 0;
    while (i < s.size() && isAsciiDigit(s[i]) && n < maxDigits) {
        value = value * 10 + (s[i].unicode() - '0');
        ++i;
        ++n;
    }
    if (digits)
        *digits = n;
    return n > 0;
}

void skipBlanks(const QString &s, int &i)
{
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
}

// The inside of a Jet date literal, "mm/dd/yyyy" (or yyyy-mm-dd) with an optional time of day
// "hh:mm[:ss]" or "hh.mm[.ss]" and AM/PM, as an ISO text. Midnight gives the plain date, so the
// noon upper bound "12.00 PM" gives 'yyyy-MM-dd 12:00:00', which sorts after the plain date of
// that day and before the next day.
bool jetDateToIso(const QString &inside, QString &iso)
{
    const QString s = inside.trimmed();
    int i = 0, a = 0, b = 0, c = 0, na = 0, nc = 0;
    if (!readNumber(s, i, 4, a, &na) || i >= s.size())
        return false;
    const QChar sep = s[i];
    if (sep != QLatin1Char('/') && sep != QLatin1Char('-'))
        return false;
    ++i;
    if (!readNumber(s, i, 2, b) || i >= s.size() || s[i] != sep)
        return false;
    ++i;
    if (!readNumber(s, i, 4, c, &nc))
        return false;
    int year, month, day;
    if (na == 4) {          // yyyy-mm-dd
        year = a, month = b, day = c;
        if (nc > 2)
            return false;
    } else {                // mm/dd/yyyy
        if (na > 2 || (nc != 2 && nc != 4))
            return false;
        month = a, day = b, year = nc == 2 ? (c < 30 ? 2000 + c : 1900 + c) : c;
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return false;

    int hour = 0, minute = 0, second = 0;
    skipBlanks(s, i);
    if (i < s.size() && isAsciiDigit(s[i])) {
        if (!readNumber(s, i, 2, hour) || i >= s.size())
            return false;
        const QChar tsep = s[i];
        if (tsep != QLatin1Char(':') && tsep != QLatin1Char('.'))
            return false;
        ++i;
        int nm = 0;
        if (!readNumber(s, i, 2, minute, &nm) || nm != 2)
            return false;
        if (i < s.size() && s[i] == tsep) {
            ++i;
            int ns = 0;
            if (!readNumber(s, i, 2, second, &ns) || ns != 2)
                return false;
        }
        skipBlanks(s, i);
        const QString rest = s.mid(i).toUpper();
        if (rest == QLatin1String("AM") || rest == QLatin1String("PM")) {
            if (hour < 1 || hour > 12)
                return false;
            hour = hour % 12 + (rest == QLatin1String("PM") ? 12 : 0);
            i = s.size();
        }
        if (hour > 23 || minute > 59 || second > 59)
            return false;
    }
    if (i != s.size())
        return false;
    iso = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (hour || minute || second)
        iso += QStringLiteral(" %1:%2:%3").arg(hour, 2, 10, QLatin1Char('0'))
                   .arg(minute, 2, 10, QLatin1Char('0')).arg(second, 2, 10, QLatin1Char('0'));
    return true;
}

std::vector<Token> tokenize(const QString &s)
{
    std::vector<Token> out;
    const int n = int(s.size());
    int i = 0;
    bool space = false;
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            space = true;
            ++i;
            continue;
        }
        Token t{Kind::Op, {}, space, {}};
        space = false;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Jet takes both quotes as text delimiters; a doubled quote stands for itself.
            QString body;
            int j = i + 1;
            bool closed = false;
            while (j < n) {
                if (s[j] == c) {
                    if (j + 1 < n && s[j + 1] == c) {
                        body += c;
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                body += s[j++];
            }
            if (closed) {
                t.kind = Kind::String;
                t.text = quoted(body);
                t.body = body;
                i = j;
            } else {            // unterminated: SQLite refuses it as it stands
                t.kind = Kind::Raw;
                t.text = s.mid(i);
                i = n;
            }
        } else if (c == QLatin1Char('[')) {
            const int j = int(s.indexOf(QLatin1Char(']'), i + 1));
            t.kind = j < 0 ? Kind::Raw : Kind::Bracket;
            t.text = j < 0 ? s.mid(i) : s.mid(i, j - i + 1);
            i = j < 0 ? n : j + 1;
        } else if (c == QLatin1Char('#')) {
            // A date literal; anything else keeps a bare "#", which SQLite refuses.
            int j = i + 1;
            while (j < n && j - i <= 40 && s[j] != QLatin1Char('#') && s[j] != QLatin1Char('\'')
                   && s[j] != QLatin1Char('"'))
                ++j;
            QString iso;
            if (j < n && s[j] == QLatin1Char('#') && jetDateToIso(s.mid(i + 1, j - i - 1), iso)) {
                t.kind = Kind::Date;
                t.text = quoted(iso);
                i = j + 1;
            } else {
                t.kind = Kind::Raw;
                t.text = QStringLiteral("#");
                ++i;
            }
        } else if (isAsciiDigit(c) || (c == QLatin1Char('.') && i + 1 < n && isAsciiDigit(s[i + 1]))) {
            int j = i;
            while (j < n && isAsciiDigit(s[j]))
                ++j;
            if (j < n && s[j] == QLatin1Char('.')) {
                ++j;
                while (j < n && isAsciiDigit(s[j]))
                    ++j;
            }
            if (j < n && (s[j] == QLatin1Char('e') || s[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (s[k] == QLatin1Char('+') || s[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && isAsciiDigit(s[k])) {
                    j = k;
                    while (j < n && isAsciiDigit(s[j]))
                        ++j;
                }
            }
            t.kind = Kind::Number;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (isWordStart(c)) {
            int j = i + 1;
            while (j < n && isWordChar(s[j]))
                ++j;
            t.kind = Kind::Word;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('(')) {
            t.kind = Kind::Open, t.text = c, ++i;
        } else if (c == QLatin1Char(')')) {
            t.kind = Kind::Close, t.text = c, ++i;
        } else if (c == QLatin1Char(',')) {
            t.kind = Kind::Comma, t.text = c, ++i;
        } else {
            static const char *const pairs[] = {"<>", "<=", ">=", "!=", "==", "||", "<<", ">>"};
            t.text = c;
            if (i + 1 < n) {
                const QString two = s.mid(i, 2);
                for (const char *p : pairs)
                    if (two == QLatin1String(p))
                        t.text = two;
            }
            i += int(t.text.size());
        }
        out.push_back(std::move(t));
    }
    return out;
}

bool isWord(const Token &t, const char *upper)
{
    return t.kind == Kind::Word && t.text.compare(QLatin1String(upper), Qt::CaseInsensitive) == 0;
}

bool isOp(const Token &t, const char *op) { return t.kind == Kind::Op && t.text == QLatin1String(op); }

bool isKeyword(const QString &word)
{
    static const QSet<QString> keywords = {
        "SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "LIKE", "IS", "IN", "BETWEEN", "AS", "ORDER", "BY",
        "GROUP", "HAVING", "ON", "JOIN", "INNER", "LEFT", "RIGHT", "OUTER", "FULL", "CROSS", "NATURAL", "USING",
        "CASE", "WHEN", "THEN", "ELSE", "END", "SET", "VALUES", "INTO", "UPDATE", "DELETE", "INSERT", "UNION",
        "ALL", "DISTINCT", "DISTINCTROW", "TOP", "ASC", "DESC", "LIMIT", "OFFSET", "ESCAPE", "COLLATE", "EXISTS",
        "GLOB", "REGEXP", "MATCH", "CREATE", "TABLE", "VIEW", "INDEX", "DROP", "ALTER", "WITH", "INTERSECT",
        "EXCEPT"};
    return keywords.contains(word.toUpper());
}

bool isAnyWord(const Token &t, std::initializer_list<const char *> uppers)
{
    for (const char *upper : uppers)
        if (isWord(t, upper))
            return true;
    return false;
}

// For each "(", the index of its ")", and the other way round; -1 when unmatched.
std::vector<int> matchBrackets(const std::vector<Token> &t)
{
    std::vector<int> match(t.size(), -1);
    std::vector<int> open;
    for (int i = 0; i < int(t.size()); ++i) {
        if (t[i].kind == Kind::Open) {
            open.push_back(i);
        } else if (t[i].kind == Kind::Close && !open.empty()) {
            match[i] = open.back();
            match[open.back()] = i;
            open.pop_back();
        }
    }
    return match;
}

// Whether the token at i ends a condition that stands alone: what follows binds more loosely than
// a comparison.
bool endsCondition(const std::vector<Token> &t, size_t i)
{
    return i >= t.size() || t[i].kind == Kind::Close || isOp(t[i], ";")
        || isAnyWord(t[i], {"AND", "OR", "ORDER", "GROUP", "HAVING", "LIMIT", "UNION"});
}

// Where a condition of a WHERE, ON or HAVING clause may begin: right after the clause's keyword,
// after one of its conjunctions or disjunctions, or inside a bracket that is itself such a condition.
// There, a row the condition leaves out is simply not chosen. Not so under NOT, inside CASE, in a
// select list or among a function's arguments, where a row left unread by the year filter's ranges
// would count as false instead of being refused by DatePart. A BETWEEN takes the first AND of its
// own bracket or CASE that no other BETWEEN has taken; that AND joins no conditions.
std::vector<bool> conditionStarts(const std::vector<Token> &t)
{
    struct Level
    {
        bool condition;    // a WHERE, ON or HAVING condition (or a bracket that is one)
        int betweens = 0;  // BETWEENs still waiting for their AND
        bool isCase = false;
    };
    const std::vector<int> match = matchBrackets(t);
    std::vector<Level> levels{{true}};   // a bare condition counts as one
    std::vector<bool> starts(t.size(), false);
    bool opens = true;
    for (size_t i = 0; i < t.size(); ++i) {
        starts[i] = opens;
        Level &level = levels.back();
        const Token &k = t[i];
        opens = false;
        if (k.kind == Kind::Open) {
            const bool condition = starts[i] && match[i] > int(i) && endsCondition(t, size_t(match[i]) + 1);
            levels.push_back({condition});
            opens = condition;
        } else if (k.kind == Kind::Close) {
            while (levels.size() > 1 && levels.back().isCase)
                levels.pop_back();
            if (levels.size() > 1)
                levels.pop_back();
        } else if (isWord(k, "CASE")) {
            levels.push_back({false, 0, true});
        } else if (isWord(k, "END")) {
            if (level.isCase)
                levels.pop_back();
        } else if (isWord(k, "BETWEEN")) {
            ++level.betweens;
        } else if (isWord(k, "AND") && level.betweens > 0) {
            --level.betweens;
        } else if (isWord(k, "AND") || isWord(k, "OR")) {
            opens = level.condition && level.betweens == 0;
        } else if (isAnyWord(k, {"WHERE", "ON", "HAVING"})) {
            level.condition = true;
            level.betweens = 0;
            opens = true;
        } else if (isAnyWord(k, {"WHEN", "THEN", "ELSE"})) {
            level.betweens = 0;
        } else if (k.kind == Kind::Comma || isOp(k, ";")
                   || isAnyWord(k, {"SELECT", "FROM", "JOIN", "ORDER", "GROUP", "LIMIT", "UNION", "INTERSECT",
                                    "EXCEPT", "SET", "VALUES", "DELETE", "UPDATE", "INSERT"})) {
            level.condition = false;
            level.betweens = 0;
        }
    }
    return starts;
}

// "DatePart('yyyy', column) = year", the movements list's year filter. Evaluated as it stands, DatePart
// reads every row of every year. Dates are stored as ISO texts, and those of the year lie between
// "year-01-01" and the next year's, a range that an index on the column serves; a date stored as a
// serial number lies among the serials of that year (within a day: the time of day of a negative
// serial counts away from zero). So the condition becomes "(in one of the two ranges) AND DatePart
// (...) = year": the ranges only choose the rows to read and DatePart still decides each of them, so
// Null stays Null and a malformed date among them is refused as before. Only a plain column and a
// whole-number year, standing alone as a condition, are rewritten; any other form keeps DatePart.
struct YearFilter
{
    size_t start, column, columnEnd, end;   // DatePart, the column's first token and the ends
    int year;
};

std::optional<YearFilter> yearFilter(const std::vector<Token> &t, size_t i, const std::vector<bool> &starts)
{
    const size_t n = t.size();
    if (!starts[i] || !isWord(t[i], "DATEPART") || i + 3 >= n || t[i + 1].kind != Kind::Open
        || t[i + 2].kind != Kind::String || t[i + 2].body.compare(QLatin1String("yyyy"), Qt::CaseInsensitive) != 0
        || t[i + 3].kind != Kind::Comma)
        return {};
    size_t k = i + 4;
    const size_t column = k;
    for (;;) {   // name, [name], table.name
        if (k >= n || !(t[k].kind == Kind::Bracket || (t[k].kind == Kind::Word && !isKeyword(t[k].text))))
            return {};
        if (++k < n && isOp(t[k], ".")) {
            ++k;
            continue;
        }
        break;
    }
    const size_t columnEnd = k;
    if (k + 2 >= n || t[k].kind != Kind::Close || !isOp(t[k + 1], "=") || t[k + 2].kind != Kind::Number)
        return {};
    bool whole = false;
    const int year = t[k + 2].text.toInt(&whole);
    if (!whole || year < 1 || year > 9998 || !endsCondition(t, k + 3))
        return {};
    return YearFilter{i, column, columnEnd, k + 3, year};
}

void appendYearRange(std::vector<Token> &out, const std::vector<Token> &in, const YearFilter &f)
{
    auto add = [&out](Kind kind, const QString &text, bool blank) { out.push_back(Token{kind, text, blank, {}}); };
    auto column = [&](bool blank) {
        for (size_t k = f.column; k < f.columnEnd; ++k)
            add(in[k].kind, in[k].text, k == f.column ? blank : false);
    };
    auto range = [&](bool blank, Kind kind, const QString &from, const QString &to) {
        column(blank);
        add(Kind::Op, QStringLiteral(">="), true);
        add(kind, from, true);
        add(Kind::Word, QStringLiteral("AND"), true);
        column(true);
        add(Kind::Op, QStringLiteral("<"), true);
        add(kind, to, true);
    };
    auto day = [](int year) { return QStringLiteral("'%1-01-01'").arg(year, 4, 10, QLatin1Char('0')); };
    auto serial = [](int year) { return qint64(Conv::toDouble(QDate(year, 1, 1))); };
    add(Kind::Open, QStringLiteral("("), in[f.start].space);
    add(Kind::Open, QStringLiteral("("), false);
    range(false, Kind::Date, day(f.year), day(f.year + 1));
    add(Kind::Word, QStringLiteral("OR"), true);
    range(true, Kind::Number, QString::number(serial(f.year) - 1), QString::number(serial(f.year + 1) + 1));
    add(Kind::Close, QStringLiteral(")"), false);
    add(Kind::Word, QStringLiteral("AND"), true);
    const size_t datePart = out.size();
    out.insert(out.end(), in.begin() + f.start, in.begin() + f.end);
    out[datePart].space = true;
    add(Kind::Close, QStringLiteral(")"), false);
}

std::vector<Token> rewriteYearFilters(const std::vector<Token> &in)
{
    const std::vector<bool> starts = conditionStarts(in);
    std::vector<Token> out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        if (const std::optional<YearFilter> filter = yearFilter(in, i, starts)) {
            appendYearRange(out, in, *filter);
            i = filter->end - 1;
        } else {
            out.push_back(in[i]);
        }
    }
    return out;
}

// Rewrites that need only a token and its neighbours: True/False, "Delete * from".
std::vector<Token> rewriteTokens(std::vector<Token> in)
{
    std::vector<Token> out;
    out.reserve(in.size() + 2);
    const size_t n = in.size();
    for (size_t i = 0; i < n; ++i) {
        Token &t = in[i];
        if (isWord(t, "TRUE") || isWord(t, "FALSE")) {
            const bool qualified = i > 0 && (isOp(in[i - 1], ".") || isWord(in[i - 1], "AS"));
            const bool called = i + 1 < n && (in[i + 1].kind == Kind::Open || isOp(in[i + 1], "."));
            if (!qualified && !called) {
                t.text = isWord(t, "TRUE") ? QStringLiteral("-1") : QStringLiteral("0");
                t.kind = Kind::Number;
            }
        } else if (isWord(t, "DELETE")) {
            // "Delete * from X" and "Delete X.* from X": SQLite takes no column list.
            size_t j = i + 1;
            while (j < n && (isOp(in[j], "*") || isOp(in[j], ".") || in[j].kind == Kind::Comma
                             || in[j].kind == Kind::Bracket || (in[j].kind == Kind::Word && !isWord(in[j], "FROM"))))
                ++j;
            if (j > i + 1 && j < n && isWord(in[j], "FROM") && isOp(in[j - 1], "*")) {
                out.push_back(std::move(t));
                i = j - 1;
                continue;
            }
        }
        out.push_back(std::move(t));
    }
    return out;
}

class Emitter
{
public:
    explicit Emitter(std::vector<Token> tokens) : t(std::move(tokens)), match(matchBrackets(t)) {}

    QString run()
    {
        range(0, int(t.size()), 0);
        return out;
    }

private:
    // Deeper than this the text is emitted as it is: SQLite's parser refuses such nesting anyway.
    static constexpr int MaxDepth = 200;

    std::vector<Token> t;
    std::vector<int> match;
    QString out;

    void put(const QString &piece, bool space)
    {
        if (!out.isEmpty() && !piece.isEmpty()) {
            const QChar last = out.back(), first = piece.front();
            // Never let two tokens run together into a comment or a parameter name.
            const bool glue = (last == QLatin1Char('-') && first == QLatin1Char('-'))
                || (last == QLatin1Char('/') && first == QLatin1Char('*')) || last == QLatin1Char('#');
            if ((space || glue) && last != QLatin1Char(' '))
                out += QLatin1Char(' ');
        }
        out += piece;
    }

    bool isGroup(int i) const { return t[i].kind == Kind::Open && match[i] > i; }
    bool isCall(int i, int e) const
    {
        return t[i].kind == Kind::Word && !isKeyword(t[i].text) && i + 1 < e && isGroup(i + 1);
    }

    // Operators that bind at least as tightly as &; everything else ends a segment.
    bool isBoundary(int i) const
    {
        const Token &k = t[i];
        switch (k.kind) {
        case Kind::Word:
            return isKeyword(k.text);
        case Kind::Open:
            return !isGroup(i);
        case Kind::Close:
        case Kind::Comma:
        case Kind::Raw:
            return true;
        case Kind::Op: {
            static const QSet<QString> inside = {"+", "-", "*", "/", "\\", "^", "&", ".", "%"};
            return !inside.contains(k.text);
        }
        default:
            return false;
        }
    }

    int unitEnd(int i, int e) const
    {
        if (isGroup(i))
            return match[i] + 1;
        if (isCall(i, e))
            return match[i + 1] + 1;
        return i + 1;
    }

    void range(int b, int e, int depth)
    {
        int i = b;
        while (i < e) {
            if (isBoundary(i) || depth > MaxDepth) {
                put(t[i].text, t[i].space);
                ++i;
                continue;
            }
            const int s = i;
            while (i < e && !isBoundary(i))
                i = unitEnd(i, e);
            segment(s, i, depth);
        }
    }

    void unit(int i, int e, int depth, bool space)
    {
        int open = i;
        if (isCall(i, e)) {
            put(t[i].text, space);
            open = i + 1;
            space = t[open].space;
        } else if (!isGroup(i)) {
            put(t[i].text, space);
            return;
        }
        put(QStringLiteral("("), space);
        range(open + 1, match[open], depth + 1);
        put(QStringLiteral(")"), t[match[open]].space);
    }

    void units(const std::vector<int> &u, size_t from, size_t to, int e, int depth, bool firstSpace)
    {
        for (size_t k = from; k < to; ++k)
            unit(u[k], e, depth, k == from ? firstSpace : t[u[k]].space);
    }

    // a & b & c: the parts joined by a function that takes Null as empty. Joined texts compare
    // without regard to case, as Jet compares texts.
    void segment(int s, int e, int depth)
    {
        std::vector<int> u;
        for (int i = s; i < e; i = unitEnd(i, e))
            u.push_back(i);
        std::vector<size_t> amps;
        for (size_t k = 0; k < u.size(); ++k)
            if (isOp(t[u[k]], "&"))
                amps.push_back(k);
        bool wellFormed = !amps.empty() && amps.front() > 0 && amps.back() + 1 < u.size();
        for (size_t k = 1; wellFormed && k < amps.size(); ++k)
            wellFormed = amps[k] > amps[k - 1] + 1;
        if (!wellFormed) {     // no & (or a stray one, left for SQLite to refuse)
            part(u, 0, u.size(), e, depth, t[s].space);
            return;
        }
        put(QStringLiteral("jet_concat("), t[s].space);
        size_t from = 0;
        for (size_t k = 0; k <= amps.size(); ++k) {
            const size_t to = k < amps.size() ? amps[k] : u.size();
            if (k > 0)
                put(QStringLiteral(","), false);
            part(u, from, to, e, depth, k > 0);
            from = to + 1;
        }
        put(QStringLiteral(") COLLATE NOCASE"), false);
    }

    // a + 'text' + b: joined as text (Null gives Null, as with Jet's +) when every binary operator of
    // the chain is + and one of its terms is a text literal; otherwise left as arithmetic.
    void part(const std::vector<int> &u, size_t from, size_t to, int e, int depth, bool firstSpace)
    {
        std::vector<size_t> plus;
        bool minus = false;
        for (size_t k = from + 1; k < to; ++k) {
            const Token &op = t[u[k]];
            const Token &prev = t[u[k - 1]];
            const bool binary = prev.kind != Kind::Op;
            if (binary && isOp(op, "+"))
                plus.push_back(k);
            else if (binary && isOp(op, "-"))
                minus = true;
        }
        bool text = false;
        if (!plus.empty() && !minus) {
            size_t start = from;
            for (size_t k = 0; k <= plus.size(); ++k) {
                const size_t end = k < plus.size() ? plus[k] : to;
                if (end == start + 1 && t[u[start]].kind == Kind::String)
                    text = true;
                if (end == start)
                    return units(u, from, to, e, depth, firstSpace);   // "a + + 'b'": not a chain
                start = end + 1;
            }
        }
        if (!text)
            return units(u, from, to, e, depth, firstSpace);
        put(QStringLiteral("("), firstSpace);
        size_t start = from;
        for (size_t k = 0; k <= plus.size(); ++k) {
            const size_t end = k < plus.size() ? plus[k] : to;
            if (k > 0)
                put(QStringLiteral("||"), true);
            if (end == start + 1) {
                unit(u[start], e, depth, k > 0);
            } else {
                put(QStringLiteral("("), k > 0);
                units(u, start, end, e, depth, false);
                put(QStringLiteral(")"), false);
            }
            start = end + 1;
        }
        put(QStringLiteral(") COLLATE NOCASE"), false);
    }
};

// ---- SQL functions ----

// A value's text as & joins it: whole numbers without a fraction.
void appendText(QByteArray &out, sqlite3_value *v)
{
    if (sqlite3_value_type(v) == SQLITE_FLOAT) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", sqlite3_value_double(v));
        out += buf;
    } else {
        const unsigned char *text = sqlite3_value_text(v);
        if (text)
            out.append(reinterpret_cast<const char *>(text), sqlite3_value_bytes(v));
    }
}

// like(pattern, text), for "text LIKE pattern": Jet's wildcards ('*', '?', '#', "[list]"), without
// regard to case, through the program's one matcher; the pattern is compiled once per statement.
QString valueText(sqlite3_value *v)
{
    QByteArray bytes;
    appendText(bytes, v);
    return QString::fromUtf8(bytes);
}

void jetLike(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return;   // Null
    auto *pattern = static_cast<Conv::Wildcard *>(sqlite3_get_auxdata(ctx, 0));
    std::optional<Conv::Wildcard> uncached;
    if (!pattern) {
        sqlite3_set_auxdata(ctx, 0, new Conv::Wildcard(valueText(argv[0]), Conv::Wildcard::Like),
                            [](void *p) { delete static_cast<Conv::Wildcard *>(p); });
        pattern = static_cast<Conv::Wildcard *>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern)
            pattern = &uncached.emplace(valueText(argv[0]), Conv::Wildcard::Like);
    }
    sqlite3_result_int(ctx, pattern->matches(valueText(argv[1])) ? 1 : 0);
}

// jet_concat(a, b, ...): Jet's &, Null taken as empty; Null only when every operand is Null.
void jetConcat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    QByteArray out;
    bool any = false;
    for (int k = 0; k < argc; ++k) {
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL)
            continue;
        any = true;
        appendText(out, argv[k]);
    }
    if (!any)
        sqlite3_result_null(ctx);
    else
        sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

struct Moment
{
    QDate date;
    int hour = 0, minute = 0, second = 0;
};

// A stored date: ISO text 'yyyy-MM-dd' with an optional time, or a date serial number.
bool readMoment(sqlite3_value *v, Moment &m)
{
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        try {
            const QDateTime dt = Conv::toDateTime(sqlite3_value_double(v));
            const QTime t = dt.time();
            m.date = dt.date();
            m.hour = t.hour(), m.minute = t.minute(), m.second = t.second();
            return true;
        } catch (const AppError &) {
            return false;   // beyond the dates there are
        }
    }
    if (type != SQLITE_TEXT)
        return false;
    const char *s = reinterpret_cast<const char *>(sqlite3_value_text(v));
    const int n = sqlite3_value_bytes(v);
    if (n < 10)
        return false;
    m.date = DbValue::parseIsoDate(s, 10);
    if (!m.date.isValid())
        return false;
    if (n == 10)
        return true;
    auto digits = [&](int at, int &value) {
        if (at + 2 > n || s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9')
            return false;
        value = (s[at] - '0') * 10 + (s[at + 1] - '0');
        return true;
    };
    if ((s[10] != ' ' && s[10] != 'T') || !digits(11, m.hour) || n < 16 || s[13] != ':' || !digits(14, m.minute))
        return false;
    if (n > 16 && (s[16] != ':' || !digits(17, m.second)))
        return false;
    return m.hour < 24 && m.minute < 60 && m.second < 60;
}

// Weekday counted from the first day of the week fd (1 Sunday .. 7 Saturday).
int weekday(const QDate &d, int fd)
{
    return (Conv::weekday(d) - fd + 7) % 7 + 1;
}

// Week of the year: week 1 holds 1 January (fw 1), or is the first with four days (2), or
// the first full week (3); with 2 and 3 early January may fall in the last week of the year before.
int weekOfYear(const QDate &d, int fd, int fw)
{
    auto startOfWeek = [fd](const QDate &x) { return x.addDays(1 - weekday(x, fd)); };
    auto firstWeek = [&](int year) {
        const QDate anchor(year, 1, fw == 2 ? 4 : fw == 3 ? 7 : 1);
        return startOfWeek(anchor);
    };
    QDate first = firstWeek(d.year());
    if (d < first)
        first = firstWeek(d.year() - 1);
    else if (fw != 1 && d >= firstWeek(d.year() + 1))
        return 1;   // the last days of December in the next year's first week
    return int(first.daysTo(startOfWeek(d)) / 7) + 1;
}

void fail(sqlite3_context *ctx, const char *message) { sqlite3_result_error(ctx, message, -1); }

// DatePart(interval, date [, firstdayofweek [, firstweekofyear]]).
void datePart(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    static const char *const invalidArgument = "Chiamata di routine o argomento non validi.";
    if (argc < 2 || argc > 4)
        return fail(ctx, invalidArgument);
    for (int k = 0; k < argc; ++k)
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL)
            return sqlite3_result_null(ctx);
    const QByteArray interval = QByteArray(reinterpret_cast<const char *>(sqlite3_value_text(argv[0]))).toLower();
    // 0 means the regional setting: the week starts on Monday and week 1 has four days.
    const int sysFirstDay = QLocale().firstDayOfWeek() % 7 + 1;
    int fd = argc > 2 ? sqlite3_value_int(argv[2]) : 1;
    int fw = argc > 3 ? sqlite3_value_int(argv[3]) : 1;
    if (fd < 0 || fd > 7 || fw < 0 || fw > 3)
        return fail(ctx, invalidArgument);
    if (fd == 0)
        fd = sysFirstDay;
    if (fw == 0)
        fw = 2;
    Moment m;
    if (!readMoment(argv[1], m))
        return fail(ctx, "Tipo non corrispondente");
    int r;
    if (interval == "yyyy")
        r = m.date.year();
    else if (interval == "q")
        r = (m.date.month() - 1) / 3 + 1;
    else if (interval == "m")
        r = m.date.month();
    else if (interval == "y")
        r = m.date.dayOfYear();
    else if (interval == "d")
        r = m.date.day();
    else if (interval == "w")
        r = weekday(m.date, fd);
    else if (interval == "ww")
        r = weekOfYear(m.date, fd, fw);
    else if (interval == "h")
        r = m.hour;
    else if (interval == "n")
        r = m.minute;
    else if (interval == "s")
        r = m.second;
    else
        return fail(ctx, invalidArgument);
    sqlite3_result_int(ctx, r);
}

void resultText(sqlite3_context *ctx, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// date() and Jet's Date(): today from the program's clock; now(): Jet's Now().
void today(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, Clock::today().toString(QStringLiteral("yyyy-MM-dd")));
}

void now(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, Clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

} // namespace

namespace JetSql {

QString translate(const QString &jet)
{
    return Emitter(rewriteTokens(rewriteYearFilters(tokenize(jet)))).run();
}

void registerFunctions(sqlite3 *db)
{
    if (!db)
        return;
    const int pure = SQLITE_UTF8 | SQLITE_INNOCUOUS | SQLITE_DETERMINISTIC;
    const int clock = SQLITE_UTF8 | SQLITE_INNOCUOUS;
    sqlite3_create_function_v2(db, "jet_concat", -1, pure, nullptr, jetConcat, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "datepart", -1, pure, nullptr, datePart, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 2, pure, nullptr, jetLike, nullptr, nullptr, nullptr);
    // Only the zero-argument forms: date(x, ...) stays SQLite's own.
    sqlite3_create_function_v2(db, "date", 0, clock, nullptr, today, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "now", 0, clock, nullptr, now, nullptr, nullptr, nullptr);
}

QString quote(const QVariant &value)
{
    if (Conv::isNull(value))
        return QString();
    return Conv::toText(value).replace(QLatin1Char('\''), QStringLiteral("''"));
}

}
