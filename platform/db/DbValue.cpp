#include "DbValue.h"

#include "Conversions.h"
#include "Recordset.h"

#include <QDate>
#include <QDateTime>
#include <sqlite3.h>

namespace DbValue {

namespace {

int digits(const char *p, int n)
{
    int value = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

QVariant integer(sqlite3_int64 v)
{
    if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
        return QVariant(int(v));
    return QVariant(qlonglong(v));
}

QString text(sqlite3_stmt *stmt, int col)
{
    const char *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
    return QString::fromUtf8(p, sqlite3_column_bytes(stmt, col));
}

QByteArray blob(sqlite3_stmt *stmt, int col)
{
    const char *p = static_cast<const char *>(sqlite3_column_blob(stmt, col));
    return QByteArray(p, sqlite3_column_bytes(stmt, col));
}

// Dates come as yyyy-MM-dd; a time of day, when one was stored, is kept as a QDateTime.
QVariant dateText(sqlite3_stmt *stmt, int col)
{
    const char *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
    const int n = sqlite3_column_bytes(stmt, col);
    const QDate d = parseIsoDate(p, n < 10 ? n : 10);
    if (d.isValid()) {
        if (n == 10)
            return d;
        if ((n == 19 || n == 16) && (p[10] == ' ' || p[10] == 'T')) {
            const QTime t = QTime::fromString(QString::fromLatin1(p + 11, n - 11),
                                              n == 19 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
            if (t.isValid())
                return t == QTime(0, 0) ? QVariant(d) : QVariant(QDateTime(d, t));
        }
    }
    return QString::fromUtf8(p, n);
}

}

QDate parseIsoDate(const char *p, int n)
{
    if (n != 10 || p[4] != '-' || p[7] != '-')
        return {};
    const int y = digits(p, 4), m = digits(p + 5, 2), d = digits(p + 8, 2);
    if (y < 0 || m < 0 || d < 0)
        return {};
    return QDate(y, m, d);
}

ColumnType fromDeclared(const char *declared)
{
    ColumnType t;
    if (!declared)
        return t;
    const QByteArray decl = QByteArray(declared).trimmed().toUpper();
    if (decl.isEmpty())
        return t;
    if (decl.startsWith("YESNO") || decl.startsWith("BOOL") || decl == "BIT")
        t.kind = Kind::Bool;
    else if (decl.startsWith("DATE") || decl.startsWith("TIME"))
        t.kind = Kind::Date;
    else if (decl.startsWith("MEMO") || decl.contains("CLOB") || decl.startsWith("LONGTEXT"))
        t.kind = Kind::Memo;
    else if (decl.contains("CHAR") || decl.startsWith("TEXT") || decl.startsWith("STRING"))
        t.kind = Kind::Text;
    else if (decl.contains("INT") || decl.startsWith("LONG") || decl.startsWith("BYTE") || decl.startsWith("COUNTER"))
        t.kind = Kind::Integer;
    else if (decl.contains("DOUB") || decl.contains("REAL") || decl.contains("FLOA") || decl.startsWith("CURRENCY")
             || decl.startsWith("NUMERIC") || decl.startsWith("DECIMAL") || decl.startsWith("SINGLE"))
        t.kind = Kind::Double;
    else if (decl.contains("BLOB") || decl.startsWith("BINARY"))
        t.kind = Kind::Blob;
    if (t.kind == Kind::Text) {
        const int open = decl.indexOf('('), close = decl.indexOf(')');
        if (open > 0 && close > open)
            t.size = decl.mid(open + 1, close - open - 1).trimmed().toInt();
    }
    return t;
}

int fieldType(Kind kind, const QVariant &sample)
{
    switch (kind) {
    case Kind::Integer: return Recordset::Integer;
    case Kind::Double: return Recordset::Double;
    case Kind::Date: return Recordset::Date;
    case Kind::Bool: return Recordset::Boolean;
    case Kind::Text: return Recordset::VarWChar;
    case Kind::Memo: return Recordset::LongVarWChar;
    case Kind::Blob: return Recordset::LongVarBinary;
    case Kind::Unknown: break;
    }
    switch (sample.typeId()) {
    case QMetaType::Int: return Recordset::Integer;
    case QMetaType::LongLong: return Recordset::BigInt;
    case QMetaType::Double: return Recordset::Double;
    case QMetaType::QDate:
    case QMetaType::QDateTime: return Recordset::Date;
    case QMetaType::Bool: return Recordset::Boolean;
    case QMetaType::QByteArray: return Recordset::LongVarBinary;
    default: return Recordset::VarWChar;
    }
}

QVariant read(sqlite3_stmt *stmt, int col, Kind kind)
{
    const int storage = sqlite3_column_type(stmt, col);
    if (storage == SQLITE_NULL)
        return {};
    switch (kind) {
    case Kind::Text:
    case Kind::Memo:
        return storage == SQLITE_BLOB ? QVariant(blob(stmt, col)) : QVariant(text(stmt, col));
    case Kind::Integer:
        if (storage == SQLITE_INTEGER)
            return integer(sqlite3_column_int64(stmt, col));
        if (storage == SQLITE_FLOAT)
            return sqlite3_column_double(stmt, col);
        break;
    case Kind::Double:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return sqlite3_column_double(stmt, col);
        break;
    case Kind::Bool:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return sqlite3_column_double(stmt, col) != 0;
        break;
    case Kind::Date:
        if (storage == SQLITE_TEXT)
            return dateText(stmt, col);
        break;
    case Kind::Blob:
    case Kind::Unknown:
        break;
    }
    switch (storage) {
    case SQLITE_INTEGER:
        return integer(sqlite3_column_int64(stmt, col));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, col);
    case SQLITE_TEXT: {
        if (kind == Kind::Unknown && sqlite3_column_bytes(stmt, col) == 10) {
            const QDate d = parseIsoDate(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)), 10);
            if (d.isValid())
                return d;
        }
        return text(stmt, col);
    }
    default:
        return blob(stmt, col);
    }
}

QVariant readStored(sqlite3_stmt *stmt, int col)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return qlonglong(sqlite3_column_int64(stmt, col));
    case SQLITE_FLOAT: return sqlite3_column_double(stmt, col);
    case SQLITE_TEXT: return text(stmt, col);
    default: return blob(stmt, col);
    }
}

QVariant convert(Kind kind, const QVariant &value)
{
    if (Conv::isNull(value))
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    switch (kind) {
    case Kind::Text:
    case Kind::Memo:
        return isText ? value : QVariant(Conv::toText(value));
    case Kind::Unknown:
    case Kind::Blob:
        return value;
    default:
        break;
    }
    if (isText && value.toString().isEmpty())
        return {};
    switch (kind) {
    case Kind::Integer: return Conv::toInt32(value);
    case Kind::Double: return Conv::toDouble(value);
    case Kind::Date: {
        if (value.typeId() == QMetaType::QDateTime && value.toDateTime().time() != QTime(0, 0))
            return value;
        return Conv::toDate(value);
    }
    case Kind::Bool: return Conv::toBool(value);
    default: return value;
    }
}

QVariant toStored(const QVariant &value)
{
    if (Conv::isNull(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool: return qlonglong(value.toBool() ? -1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
        return value.toLongLong();
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        return qlonglong(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QDate: return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(Qt::ISODate);
        return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case QMetaType::QByteArray: return value;
    default: return value.toString();
    }
}

int bind(sqlite3_stmt *stmt, int index, const QVariant &value)
{
    const QVariant stored = toStored(value);
    switch (stored.typeId()) {
    case QMetaType::LongLong: return sqlite3_bind_int64(stmt, index, stored.toLongLong());
    case QMetaType::Double: return sqlite3_bind_double(stmt, index, stored.toDouble());
    case QMetaType::QString: {
        const QByteArray utf8 = stored.toString().toUtf8();
        return sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = stored.toByteArray();
        return sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    default: return sqlite3_bind_null(stmt, index);
    }
}

}
