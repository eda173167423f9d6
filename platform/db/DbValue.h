#pragma once
// How the database layer types its values: a column's declared type gives its kind; values
// are read from SQLite as typed QVariants and written back in the stored forms (dates as ISO
// text yyyy-MM-dd, Yes/No as -1/0).

#include <QVariant>

struct sqlite3_stmt;

namespace DbValue {

enum class Kind { Unknown, Integer, Double, Date, Bool, Text, Memo, Blob };

struct ColumnType
{
    Kind kind = Kind::Unknown;
    int size = 0;   // defined size of TEXT(n)
};

// The kind of a declared type ("INTEGER", "LONG", "DOUBLE", "DATE", "YESNO", "TEXT(50)", "MEMO", ...);
// nullptr (an expression) gives Unknown.
ColumnType fromDeclared(const char *declared);

// The access layer's field type number (Recordset::FieldType) of a kind; Unknown kinds take it
// from a sample value.
int fieldType(Kind kind, const QVariant &sample = {});

// Column col of the statement's current row, typed by kind. Unknown: by storage class, with a
// text that is exactly an ISO date read as a QDate.
QVariant read(sqlite3_stmt *stmt, int col, Kind kind);
// The value as stored (qlonglong, double, QString, QByteArray; invalid for NULL).
QVariant readStored(sqlite3_stmt *stmt, int col);

// A value about to be written to a column of this kind: Null stays Null, an empty text is Null
// outside text columns, anything else converts to the kind's type or raises AppError.
QVariant convert(Kind kind, const QVariant &value);
// The stored form of a typed value.
QVariant toStored(const QVariant &value);
// Binds the stored form of value to parameter index (1-based).
int bind(sqlite3_stmt *stmt, int index, const QVariant &value);

// yyyy-MM-dd exactly -> a valid QDate, else an invalid one.
QDate parseIsoDate(const char *text, int length);

}
