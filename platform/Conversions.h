#pragma once
// The runtime's value conversions, under the Italian regional settings (day before month,
// decimal comma, dot for thousands). Null is an invalid QVariant. Every conversion of the
// programs goes through here; a failed conversion raises AppError (type mismatch or overflow).

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <string>
#include <vector>

namespace Conv {

bool isNull(const QVariant &v);                 // invalid QVariant, or a null QVariant of any type
bool isNumeric(const QVariant &v);              // numbers, bools, texts that read as numbers ("1.234,5", " 12 ")
bool isDate(const QVariant &v);                 // dates, and texts that read as a date in the Italian order

short toInt16(const QVariant &v);               // rounds halves to even; overflow/type mismatch raise; Null raises
int toInt32(const QVariant &v);                 // as above, 32 bits
double toDouble(const QVariant &v);             // texts in the Italian form; Null raises
bool toBool(const QVariant &v);                 // numbers (non-zero is true), "Vero"/"Falso", "True"/"False"
QDate toDate(const QVariant &v);                // dates, date-times and texts in the Italian order; raises type mismatch
QDateTime toDateTime(const QVariant &v);        // keeps a time of day when there is one
QString toText(const QVariant &v);              // the text form: short date (plus HH:mm:ss when there is a time),
                                                // "Vero"/"Falso", decimal comma without thousands; Null raises

QString shortDate(const QDate &d);              // dd/MM/yyyy
QString longDate(const QDate &d);               // dddd d MMMM yyyy
int weekday(const QDate &d);                    // Sunday = 1 .. Saturday = 7
QString generalDate(const QVariant &v);         // short date, plus " HH:mm:ss" when there is a time of day
QString currency(double amount);                // "1.234,56 €"
QString euro(double amount);                    // "€ 1.234,56", "-€ 20,00": the amount boxes' display format

// A character without regard to case: the one fold of the wildcard matcher and of the databases'
// case-blind order, so that what "=" finds a pattern of the same text finds too.
inline char32_t foldCase(char32_t c)
{
    if (c < 0x80)   // the common case, without the table
        return c - 'A' < 26 ? c + ('a' - 'A') : c;
    return QChar::toCaseFolded(c);
}

// A wildcard pattern, matched against a whole text without regard to case, in time bounded by
// the text's length times the pattern's. The dialects:
//   Find      a recordset's find: '*' or '%' any run of characters (also none), '?' or '_' one character;
//   Like      SQL LIKE and the search combos: '*' any run, '?' one character, '#' one digit,
//             "[list]" one character of the list, "[!list]" one not in it, "a-z" a range in a list;
//             an unclosed '[' makes a pattern that matches nothing;
//   FileName  file names: '*' any run, '?' one character.
// Every other character stands for itself. A character is a whole code point (a letter outside the
// basic plane too), folded as the databases' case-blind collation folds it.
class Wildcard
{
public:
    enum Dialect { Find, Like, FileName };
    Wildcard(QStringView pattern, Dialect dialect);
    bool matches(QStringView text) const;

private:
    struct Token
    {
        enum Kind { Run, One, Digit, Char, List, NotList } kind;
        std::u32string chars;   // Char: the character; lists: the list; case-folded
    };
    std::vector<Token> m_tokens;
    bool m_valid = true;
};

bool wildcardMatch(QStringView text, QStringView pattern, Wildcard::Dialect dialect);

} // namespace Conv
