#include "Recordset.h"

#include "Connection.h"
#include "Conversions.h"
#include "DbError.h"
#include "DbValue.h"
#include "JetSql.h"
#include "SqlStatement.h"

#include <QHash>
#include <QRegularExpression>
#include <optional>
#include <sqlite3.h>

using DbValue::Kind;

namespace {

struct Column
{
    QString name;
    QString origin;     // the column of the table it comes from ("" for an expression)
    QString table;      // that table
    Kind kind = Kind::Unknown;
    int size = 0;
    int type = Recordset::VarWChar;
    bool base = false;  // a column of the table that updates write
};

struct Row
{
    QVector<QVariant> values;
    QVector<QVariant> stored;   // as read from the database, for the optimistic check (editable only)
    QVector<QVariant> before;   // the values before a pending edit, for cancelUpdate
    QVector<bool> changed;
    quint64 serial = 0;
    qint64 rowid = 0;
    bool hasRowid = false;
    int status = Recordset::EditNone;
};

QString quoted(const QString &identifier) { return SqlStatement::quotedName(identifier); }

// A bare table or saved-query name rather than an SQL text.
bool isName(const QString &source)
{
    static const QRegularExpression name(QStringLiteral("^\\s*(\\w+|\\[[^\\]]+\\])\\s*$"));
    return name.match(source).hasMatch();
}

Kind kindOfFieldType(int type)
{
    switch (type) {
    case Recordset::Integer:
    case Recordset::BigInt: return Kind::Integer;
    case Recordset::Double:
    case Recordset::Currency: return Kind::Double;
    case Recordset::Date: return Kind::Date;
    case Recordset::Boolean: return Kind::Bool;
    case Recordset::LongVarChar:
    case Recordset::LongVarWChar: return Kind::Memo;
    case Recordset::LongVarBinary: return Kind::Blob;
    default: return Kind::Text;
    }
}

}

struct Recordset::Data
{
    Connection *connection = nullptr;
    QString source;
    int cursorType = OpenForwardOnly;
    int lockType = LockReadOnly;
    bool open = false;
    bool memory = false;

    QVector<Column> columns;
    QHash<QString, int> byName;   // lower-case name -> first position
    QVector<Row> rows;
    int current = 0;              // -1 BOF, rows.size() EOF
    bool onDeleted = false;       // the current record was just deleted: the next move starts from its place
    int beforeAdd = -1;           // the current row when addNew started
    quint64 nextSerial = 1;

    QString table;                // the table that updates write
    int key = -1;                 // position of its INTEGER PRIMARY KEY, -1 when not selected

    bool editable() const { return memory || lockType != LockReadOnly; }
    // What was read is kept, to check writes and deletes against it, by a recordset that writes
    // and by a static one (whose record a statement of the caller may delete).
    bool keepsRead() const { return editable() || cursorType == OpenStatic; }
    bool hasCurrent() const { return !onDeleted && current >= 0 && current < rows.size(); }
    sqlite3 *db() const
    {
        sqlite3 *h = connection ? connection->handle() : nullptr;
        if (!h)
            throw DbError::objectClosed();
        return h;
    }

    void checkOpen() const
    {
        if (!open)
            throw DbError::objectClosed();
    }
    void checkWritable() const
    {
        checkOpen();
        if (!editable())
            throw DbError::readOnly();
    }
    Row &currentRow()
    {
        if (!hasCurrent())
            throw DbError::noCurrentRecord();
        return rows[current];
    }
    int column(int index) const
    {
        if (index < 0 || index >= columns.size())
            throw DbError::itemNotFound(QString::number(index));
        return index;
    }
    int column(const QString &name) const
    {
        const auto it = byName.constFind(name.toLower());
        if (it == byName.constEnd())
            throw DbError::itemNotFound(name);
        return it.value();
    }
    void indexNames()
    {
        byName.clear();
        for (int c = 0; c < columns.size(); ++c)
            if (!byName.contains(columns[c].name.toLower()))
                byName.insert(columns[c].name.toLower(), c);
    }
    Row newRow()
    {
        Row r;
        r.values.resize(columns.size());
        r.serial = nextSerial++;
        return r;
    }

    // Runs a write statement with its parameters bound in order.
    void run(const QString &sql, const QVector<QVariant> &params)
    {
        SqlStatement stmt(db(), sql);
        for (int i = 0; i < params.size(); ++i)
            stmt.bind(i + 1, params[i]);
        stmt.step();
    }

    void readSource();
    std::optional<SqlStatement> withRowid(sqlite3 *h, const QString &sql);
    void describe(sqlite3_stmt *stmt, int first);
    void write(Row &row);
    void insert(Row &row);
    void updateRow(Row &row);
    void reread(Row &row);
    QString rowCondition(const Row &row, QVector<QVariant> &params) const;
    void checkAsRead(const Row &row);
    void runOnRowAsRead(const QString &statement, QVector<QVariant> params, const Row &row);
    void remove(Row &row);
    void leaveCurrent();
    void setValue(int index, const QVariant &value);
    int startOf(const QVariant &start) const;
};

void Recordset::Data::describe(sqlite3_stmt *stmt, int first)
{
    const int n = sqlite3_column_count(stmt) - first;
    columns.resize(n);
    table.clear();
    key = -1;
    for (int c = 0; c < n; ++c) {
        Column &col = columns[c];
        const int i = c + first;
        col.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        const DbValue::ColumnType t = DbValue::fromDeclared(sqlite3_column_decltype(stmt, i));
        col.kind = t.kind;
        col.size = t.size;
        col.type = DbValue::fieldType(t.kind);
        const char *tableName = sqlite3_column_table_name(stmt, i);
        const char *origin = sqlite3_column_origin_name(stmt, i);
        col.table = tableName ? QString::fromUtf8(tableName) : QString();
        col.origin = origin ? QString::fromUtf8(origin) : QString();
        if (table.isEmpty() && !col.table.isEmpty())
            table = col.table;
        col.base = !col.table.isEmpty() && col.table == table;
    }
    indexNames();
    if (!keepsRead() || table.isEmpty())
        return;
    // The key: the table's INTEGER PRIMARY KEY (the row id) when it is among the columns.
    for (int c = 0; c < n && key < 0; ++c) {
        if (!columns[c].base)
            continue;
        const char *declared = nullptr;
        int primary = 0;
        const QByteArray tableUtf8 = table.toUtf8(), originUtf8 = columns[c].origin.toUtf8();
        if (sqlite3_table_column_metadata(sqlite3_db_handle(stmt), sqlite3_column_database_name(stmt, c + first),
                                          tableUtf8.constData(), originUtf8.constData(), &declared, nullptr,
                                          nullptr, &primary, nullptr) == SQLITE_OK
            && primary && declared && qstricmp(declared, "INTEGER") == 0)
            key = c;
    }
}

// An editable recordset that does not select its table's key reads the row id as a hidden first
// column, so that its writes find exactly the row that was read.
std::optional<SqlStatement> Recordset::Data::withRowid(sqlite3 *h, const QString &sql)
{
    static const QRegularExpression select(QStringLiteral("^\\s*select\\s+(?!distinct\\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = select.match(sql);
    if (!m.hasMatch())
        return std::nullopt;
    const QString text = sql.left(m.capturedEnd()) + QStringLiteral("rowid AS \"rowid\", ") + sql.mid(m.capturedEnd());
    try {
        SqlStatement stmt(h, text);
        const char *origin = sqlite3_column_table_name(stmt.handle(), 0);
        if (origin && QString::fromUtf8(origin) == table)
            return stmt;
    } catch (const AppError &) {
    }
    return std::nullopt;
}

void Recordset::Data::readSource()
{
    sqlite3 *h = db();
    const QString sql = isName(source)
        ? QStringLiteral("SELECT * FROM ") + quoted(source.trimmed().remove(QLatin1Char('[')).remove(QLatin1Char(']')))
        : JetSql::translate(source);
    std::optional<SqlStatement> stmt(std::in_place, h, sql);
    describe(stmt->handle(), 0);
    int first = 0;
    if (keepsRead() && !table.isEmpty() && key < 0) {
        if (std::optional<SqlStatement> plus = withRowid(h, sql)) {
            stmt.emplace(std::move(*plus));
            first = 1;
            describe(stmt->handle(), first);
        }
    }
    const int n = columns.size();
    QVector<Kind> kinds(n);
    for (int c = 0; c < n; ++c)
        kinds[c] = columns[c].kind;
    const bool keepStored = keepsRead();
    rows.clear();
    sqlite3_stmt *s = stmt->handle();
    while (stmt->step()) {
        Row r = newRow();
        for (int c = 0; c < n; ++c)
            r.values[c] = DbValue::read(s, c + first, kinds[c]);
        if (keepStored) {
            r.stored.resize(n);
            for (int c = 0; c < n; ++c)
                r.stored[c] = columns[c].base ? DbValue::readStored(s, c + first) : QVariant();
            if (first == 1 && sqlite3_column_type(s, 0) == SQLITE_INTEGER) {
                r.rowid = sqlite3_column_int64(s, 0);
                r.hasRowid = true;
            } else if (key >= 0 && r.stored[key].isValid()) {
                r.rowid = r.stored[key].toLongLong();
                r.hasRowid = true;
            }
        }
        rows.append(std::move(r));
    }
    // Expressions have no declared type: their field type follows the first value there is.
    for (int c = 0; c < n; ++c) {
        if (columns[c].kind != Kind::Unknown)
            continue;
        for (const Row &r : std::as_const(rows)) {
            if (r.values[c].isValid()) {
                columns[c].type = DbValue::fieldType(Kind::Unknown, r.values[c]);
                break;
            }
        }
    }
    current = 0;
    onDeleted = false;
    beforeAdd = -1;
}

// The condition that finds row in the table as it was read: its key or row id, and every column
// of the table that was read still holding the value read, to the letter: a change of letter case
// by another user is a change, whatever the column's collation.
QString Recordset::Data::rowCondition(const Row &row, QVector<QVariant> &params) const
{
    QStringList checks;
    for (int c = 0; c < columns.size(); ++c) {
        if (!columns[c].base)
            continue;
        checks << quoted(columns[c].origin) + QStringLiteral(" IS ? COLLATE BINARY");
        params << row.stored.value(c);
    }
    if (key < 0 && row.hasRowid) {
        checks << QStringLiteral("rowid = ?");
        params << row.rowid;
    }
    const QString where = checks.join(QStringLiteral(" AND "));
    if (key >= 0 || row.hasRowid)
        return where;
    // No key among the columns: the first row of the table that holds every value read.
    return QStringLiteral("rowid = (SELECT rowid FROM %1 WHERE %2 LIMIT 1)").arg(quoted(table), where);
}

// Raises the conflict error unless row is in the table as it was read (or last written).
void Recordset::Data::checkAsRead(const Row &row)
{
    QVector<QVariant> params;
    const QString where = rowCondition(row, params);
    SqlStatement stmt(db(), QStringLiteral("SELECT 1 FROM %1 WHERE %2").arg(quoted(table), where));
    for (int i = 0; i < params.size(); ++i)
        stmt.bind(i + 1, params[i]);
    if (!stmt.step())
        throw DbError::conflict();
}

// Runs an UPDATE or DELETE of the table (params are its own) on row, only while row is in the
// table as it was read: otherwise the conflict error, and nothing changed.
void Recordset::Data::runOnRowAsRead(const QString &statement, QVector<QVariant> params, const Row &row)
{
    const QString where = rowCondition(row, params);
    run(statement + QStringLiteral(" WHERE ") + where, params);
    if (sqlite3_changes(db()) == 0)
        throw DbError::conflict();
}

void Recordset::Data::insert(Row &row)
{
    QStringList names, marks;
    QVector<QVariant> params;
    for (int c = 0; c < columns.size(); ++c) {
        if (row.changed.value(c) && columns[c].base) {
            names << quoted(columns[c].origin);
            marks << QStringLiteral("?");
            params << row.values[c];
        }
    }
    const QString sql = names.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table))
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(quoted(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    run(sql, params);
    row.rowid = sqlite3_last_insert_rowid(db());
    row.hasRowid = true;
    reread(row);
}

// Reads a written row back by its row id: the new AutoNumber, the defaults, the stored forms.
void Recordset::Data::reread(Row &row)
{
    QStringList names;
    QVector<int> positions;
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].base) {
            names << quoted(columns[c].origin);
            positions << c;
        }
    }
    row.stored.resize(columns.size());
    if (names.isEmpty())
        return;
    SqlStatement stmt(db(), QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                .arg(names.join(QLatin1Char(',')), quoted(table)));
    stmt.bind(1, row.rowid);
    if (!stmt.step())
        return;
    for (int i = 0; i < positions.size(); ++i) {
        const int c = positions[i];
        row.values[c] = DbValue::read(stmt.handle(), i, columns[c].kind);
        row.stored[c] = DbValue::readStored(stmt.handle(), i);
    }
}

void Recordset::Data::updateRow(Row &row)
{
    QStringList sets;
    QVector<QVariant> params;
    for (int c = 0; c < columns.size(); ++c) {
        if (row.changed.value(c) && columns[c].base) {
            sets << quoted(columns[c].origin) + QStringLiteral(" = ?");
            params << row.values[c];
        }
    }
    if (sets.isEmpty())
        return;
    runOnRowAsRead(QStringLiteral("UPDATE %1 SET %2").arg(quoted(table), sets.join(QLatin1Char(','))), params, row);
    if (key >= 0 && row.changed.value(key) && row.values[key].isValid()) {
        row.rowid = row.values[key].toLongLong();
        row.hasRowid = true;
    }
    // The values as the table now holds them are what the next write checks against.
    if (row.hasRowid) {
        reread(row);
    } else {
        for (int c = 0; c < columns.size(); ++c)
            if (row.changed.value(c) && columns[c].base)
                row.stored[c] = DbValue::toStored(row.values[c]);
    }
}

// Writes a pending row; on failure the row keeps its edit state and its values.
void Recordset::Data::write(Row &row)
{
    if (row.status == EditNone)
        return;
    if (!memory) {
        if (table.isEmpty())
            throw DbError::notUpdatable(columns.isEmpty() ? source : columns.first().name);
        if (row.status == EditAdd)
            insert(row);
        else
            updateRow(row);
    }
    row.status = EditNone;
    row.changed.clear();
    row.before.clear();
}

void Recordset::Data::remove(Row &row)
{
    if (memory || row.status == EditAdd)
        return;
    if (table.isEmpty())
        throw DbError::notUpdatable(source);
    // Another user's save since the row was read is not deleted with it.
    runOnRowAsRead(QStringLiteral("DELETE FROM %1").arg(quoted(table)), {}, row);
}

// Leaving a record writes its pending change, as the immediate lock types do; a batch keeps it.
void Recordset::Data::leaveCurrent()
{
    if (!hasCurrent() || rows[current].status == EditNone)
        return;
    if (memory || lockType != LockBatchOptimistic)
        write(rows[current]);
}

void Recordset::Data::setValue(int index, const QVariant &value)
{
    checkWritable();
    column(index);
    Row &row = currentRow();
    const Column &col = columns[index];
    if (!memory && !col.base)
        throw DbError::notUpdatable(col.name);
    const QVariant typed = DbValue::convert(col.kind, value);
    if (memory && col.size > 0 && typed.typeId() == QMetaType::QString && typed.toString().size() > col.size)
        throw DbError::tooLong(col.name, col.size);
    if (row.status == EditNone) {
        row.before = row.values;
        row.status = EditInProgress;
    }
    if (row.changed.size() != columns.size())
        row.changed.resize(columns.size());
    row.values[index] = typed;
    row.changed[index] = true;
}

int Recordset::Data::startOf(const QVariant &start) const
{
    if (start.typeId() == qMetaTypeId<RecordBookmark>()) {
        const quint64 serial = start.value<RecordBookmark>().row;
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].serial == serial)
                return i;
        throw DbError::badArgument(QStringLiteral("il segnalibro non indica un record del recordset."));
    }
    if (!start.isValid())
        return current;
    bool ok = false;
    const int code = start.toInt(&ok);
    if (ok && code == BookmarkFirst)
        return 0;
    if (ok && code == BookmarkLast)
        return int(rows.size()) - 1;
    if (ok && code == BookmarkCurrent)
        return current;
    throw DbError::badArgument(QStringLiteral("segnalibro non valido."));
}

// ---------------------------------------------------------------------------------------------

Recordset::Recordset(QObject *parent) : QObject(parent), d(std::make_unique<Data>())
{
}

Recordset::~Recordset() = default;

void Recordset::open(const QString &source, Connection *connection, int cursorType, int lockType)
{
    close();
    if (!connection || !connection->isOpen())
        throw DbError::objectClosed();
    d->connection = connection;
    d->source = source;
    d->cursorType = cursorType;
    d->lockType = lockType;
    d->memory = false;
    d->readSource();
    d->open = true;
    emit moveComplete();
}

void Recordset::appendField(const QString &name, int type, int definedSize)
{
    if (d->open)
        throw DbError::badArgument(QStringLiteral("non è possibile aggiungere campi a un recordset aperto."));
    if (!d->memory) {
        d->columns.clear();
        d->memory = true;
    }
    Column col;
    col.name = name;
    col.type = type;
    col.kind = kindOfFieldType(type);
    col.size = definedSize;
    col.base = true;
    d->columns.append(col);
    d->indexNames();
}

void Recordset::setCursorType(int cursorType)
{
    d->cursorType = cursorType;
}

void Recordset::setLockType(int lockType)
{
    d->lockType = lockType;
}

void Recordset::open()
{
    if (d->open)
        close();
    if (!d->memory)
        throw DbError::badArgument(QStringLiteral("manca l'origine del recordset."));
    d->connection = nullptr;
    d->source.clear();
    d->rows.clear();
    d->current = 0;
    d->onDeleted = false;
    d->open = true;
    emit moveComplete();
}

void Recordset::close()
{
    d->open = false;
    d->rows.clear();
    d->current = 0;
    d->onDeleted = false;
    if (!d->memory) {
        d->columns.clear();
        d->byName.clear();
    }
}

int Recordset::state() const
{
    return d->open ? 1 : 0;
}

bool Recordset::eof() const
{
    d->checkOpen();
    if (d->rows.isEmpty())
        return true;
    return !d->onDeleted && d->current >= d->rows.size();
}

bool Recordset::bof() const
{
    d->checkOpen();
    if (d->rows.isEmpty())
        return true;
    return !d->onDeleted && d->current < 0;
}

int Recordset::recordCount() const
{
    return d->open ? int(d->rows.size()) : -1;
}

int Recordset::fieldCount() const
{
    return int(d->columns.size());
}

QString Recordset::fieldName(int index) const
{
    return d->columns[d->column(index)].name;
}

int Recordset::fieldType(int index) const
{
    return d->columns[d->column(index)].type;
}

int Recordset::fieldSize(int index) const
{
    return d->columns[d->column(index)].size;
}

int Recordset::fieldIndex(const QString &name) const
{
    return d->byName.value(name.toLower(), -1);
}

QVariant Recordset::value(int index) const
{
    d->checkOpen();
    if (!d->hasCurrent())
        throw DbError::noCurrentRecord();
    return d->rows[d->current].values[d->column(index)];
}

QVariant Recordset::value(const QString &name) const
{
    d->checkOpen();
    return value(d->column(name));
}

QVariant Recordset::valueAt(int position, int index) const
{
    d->checkOpen();
    if (position < 1 || position > d->rows.size())
        throw DbError::noCurrentRecord();
    return d->rows[position - 1].values[d->column(index)];
}

void Recordset::setValue(int index, const QVariant &value)
{
    d->setValue(index, value);
}

void Recordset::setValue(const QString &name, const QVariant &value)
{
    d->checkWritable();
    d->setValue(d->column(name), value);
}

void Recordset::addNew()
{
    d->checkWritable();
    if (!d->memory && d->table.isEmpty())
        throw DbError::notUpdatable(d->source);
    if (d->hasCurrent())
        d->write(d->rows[d->current]);   // in a batch as well
    d->beforeAdd = d->hasCurrent() ? d->current : -1;
    Row row = d->newRow();
    row.status = EditAdd;
    row.changed.resize(d->columns.size());
    d->rows.append(std::move(row));
    d->current = int(d->rows.size()) - 1;
    d->onDeleted = false;
    emit moveComplete();
}

void Recordset::update()
{
    d->checkWritable();
    d->write(d->currentRow());
}

void Recordset::update(const QString &field, const QVariant &value)
{
    setValue(field, value);
    update();
}

void Recordset::deleteRecord()
{
    d->checkWritable();
    Row &row = d->currentRow();
    d->remove(row);
    d->rows.remove(d->current);
    d->onDeleted = true;
    emit moveComplete();
}

void Recordset::deleteByStatement(const QString &jetSql, const QString &stampField, const QVariant &stamp)
{
    d->checkOpen();
    if (!stampField.isEmpty())
        d->checkWritable();
    if (d->memory || d->table.isEmpty())
        throw DbError::notUpdatable(d->source);
    Row &row = d->currentRow();
    const Row before = row;
    try {
        d->connection->inTransaction([&] {
            if (!stampField.isEmpty()) {
                d->setValue(d->column(stampField), stamp);
                d->write(row);
            }
            d->checkAsRead(row);
            if (d->connection->execute(jetSql) == 0)
                throw DbError::conflict();
        });
    } catch (...) {
        row = before;   // the stamp was undone with the rest
        throw;
    }
    d->rows.remove(d->current);
    d->onDeleted = true;
    emit moveComplete();
}

void Recordset::requery()
{
    d->checkOpen();
    if (d->memory) {
        d->current = 0;
        d->onDeleted = false;
    } else {
        d->readSource();
    }
    emit moveComplete();
}

void Recordset::cancelUpdate()
{
    d->checkOpen();
    if (!d->hasCurrent())
        return;
    Row &row = d->rows[d->current];
    if (row.status == EditAdd) {
        d->rows.remove(d->current);
        d->current = d->beforeAdd >= 0 && d->beforeAdd < d->rows.size() ? d->beforeAdd : int(d->rows.size());
        d->beforeAdd = -1;
        emit moveComplete();
    } else if (row.status == EditInProgress) {
        row.values = row.before;
        row.before.clear();
        row.changed.clear();
        row.status = EditNone;
        emit recordChangeComplete();
    }
}

void Recordset::updateBatch()
{
    d->checkWritable();
    for (Row &row : d->rows)
        d->write(row);
}

int Recordset::editMode() const
{
    d->checkOpen();
    return d->hasCurrent() ? d->rows[d->current].status : EditNone;
}

void Recordset::moveFirst()
{
    d->checkOpen();
    d->leaveCurrent();
    d->current = 0;
    d->onDeleted = false;
    emit moveComplete();
}

void Recordset::moveLast()
{
    d->checkOpen();
    d->leaveCurrent();
    d->current = d->rows.isEmpty() ? 0 : int(d->rows.size()) - 1;
    d->onDeleted = false;
    emit moveComplete();
}

void Recordset::moveNext()
{
    d->checkOpen();
    if (d->onDeleted) {
        d->onDeleted = false;   // the deleted record's place already holds the next one
    } else {
        if (eof())
            throw DbError::noCurrentRecord();
        d->leaveCurrent();
        ++d->current;
    }
    emit moveComplete();
}

void Recordset::movePrevious()
{
    d->checkOpen();
    if (d->onDeleted) {
        d->onDeleted = false;
        --d->current;
    } else {
        if (bof())
            throw DbError::noCurrentRecord();
        d->leaveCurrent();
        --d->current;
    }
    if (d->rows.isEmpty())
        d->current = 0;
    emit moveComplete();
}

int Recordset::absolutePosition() const
{
    d->checkOpen();
    if (d->rows.isEmpty() || d->onDeleted)
        return -1;
    if (d->current < 0)
        return -2;
    if (d->current >= d->rows.size())
        return -3;
    return d->current + 1;
}

void Recordset::setAbsolutePosition(int position)
{
    d->checkOpen();
    if (position < 1 || position > d->rows.size())
        throw DbError::badArgument(QStringLiteral("posizione %1 fuori dell'intervallo dei record.").arg(position));
    d->leaveCurrent();
    d->current = position - 1;
    d->onDeleted = false;
    emit moveComplete();
}

QVariant Recordset::bookmark() const
{
    d->checkOpen();
    if (!d->hasCurrent())
        throw DbError::noCurrentRecord();
    return QVariant::fromValue(RecordBookmark{d->rows[d->current].serial});
}

void Recordset::setBookmark(const QVariant &bookmark)
{
    d->checkOpen();
    if (bookmark.typeId() != qMetaTypeId<RecordBookmark>())
        throw DbError::badArgument(QStringLiteral("segnalibro non valido."));
    const int target = d->startOf(bookmark);
    d->leaveCurrent();
    d->current = target;
    d->onDeleted = false;
    emit moveComplete();
}

void Recordset::find(const QString &criteria, int skipRecords, int searchDirection, const QVariant &start)
{
    d->checkOpen();
    // "Column like 'text*'" or "Column = value"; a quote left open makes the criterion invalid.
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\[[^\\]]+\\]|[^\\s=<>]+)\\s*(like\\s|=)\\s*(.*?)\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = form.match(criteria);
    if (!m.hasMatch())
        throw DbError::badArgument(criteria);
    QString name = m.captured(1);
    if (name.startsWith(QLatin1Char('[')))
        name = name.mid(1, name.size() - 2);
    const int col = d->column(name);
    const bool like = m.captured(2).trimmed().compare(QLatin1String("like"), Qt::CaseInsensitive) == 0;
    QString operand = m.captured(3);
    bool isText = false;
    if (operand.startsWith(QLatin1Char('\'')) || operand.startsWith(QLatin1Char('#'))) {
        const QChar quote = operand.front();
        QString inner;
        int i = 1;
        bool closed = false;
        for (; i < operand.size(); ++i) {
            if (operand[i] == quote) {
                if (quote == QLatin1Char('\'') && i + 1 < operand.size() && operand[i + 1] == quote) {
                    inner += quote;
                    ++i;
                    continue;
                }
                closed = true;
                break;
            }
            inner += operand[i];
        }
        if (!closed || i != operand.size() - 1)
            throw DbError::badArgument(criteria);
        isText = quote == QLatin1Char('\'');
        operand = inner;
    } else if (like || operand.isEmpty() || operand.contains(QLatin1Char('\''))) {
        throw DbError::badArgument(criteria);
    }
    QVariant wanted;
    if (!like && !isText) {
        if (m.captured(3).startsWith(QLatin1Char('#'))) {
            wanted = QDate::fromString(operand.trimmed(), QStringLiteral("M/d/yyyy"));
            if (!wanted.toDate().isValid())
                throw DbError::badArgument(criteria);
        } else {
            bool ok = false;
            wanted = operand.toDouble(&ok);
            if (!ok)
                throw DbError::badArgument(criteria);
        }
    }

    const Conv::Wildcard pattern(operand, Conv::Wildcard::Find);
    const auto matches = [&](const QVariant &v) {
        if (!v.isValid() || v.isNull())
            return false;
        if (like) {
            const QString text = v.typeId() == QMetaType::QString ? v.toString() : Conv::toText(v);
            return pattern.matches(text);
        }
        if (isText) {
            const QString text = v.typeId() == QMetaType::QString ? v.toString() : Conv::toText(v);
            return text.compare(operand, Qt::CaseInsensitive) == 0;
        }
        if (wanted.typeId() == QMetaType::QDate)
            return v.typeId() == QMetaType::QDate && v.toDate() == wanted.toDate();
        bool ok = false;
        const double number = v.toDouble(&ok);
        return ok && v.typeId() != QMetaType::QString && number == wanted.toDouble();
    };

    const int step = searchDirection < 0 ? -1 : 1;
    int from = d->startOf(start);
    if (d->onDeleted && !start.isValid() && step < 0)
        --from;
    from += skipRecords * step;
    d->leaveCurrent();
    const int n = int(d->rows.size());
    int found = step > 0 ? n : -1;
    for (int i = step > 0 ? qMax(from, 0) : qMin(from, n - 1); i >= 0 && i < n; i += step) {
        if (matches(d->rows[i].values[col])) {
            found = i;
            break;
        }
    }
    d->current = n == 0 ? 0 : found;
    d->onDeleted = false;
    emit moveComplete();
}

Connection *Recordset::activeConnection() const
{
    return d->connection;
}

QString Recordset::source() const
{
    return d->source;
}

int Recordset::cursorType() const
{
    return d->cursorType;
}

int Recordset::lockType() const
{
    return d->memory && d->lockType == LockReadOnly ? LockBatchOptimistic : d->lockType;
}
