#pragma once
// A client-side recordset: the rows are read in full when it opens. Fields by name (without
// regard to case) or by position; values are QVariants (invalid = Null, dates QDate, Yes/No bool,
// whole numbers int/qlonglong, amounts double, texts QString). Writes go to the current row and
// reach the database on update(): an insert, or an update by key that fails with
// AppError::Conflict when the row changed since it was read (a delete is checked alike). Moving off a record with pending
// changes writes them (lock types 2 and 3); the batch lock type (4) keeps them until updateBatch().
// The table written is the one the first selected column comes from; a recordset that does not
// select that table's key reads the row id as well, so writes still find their row. Lock type 1
// refuses every write (AppError::ReadOnly). Every failure raises AppError.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class Connection;

// A bookmark names one row of a recordset for as long as the recordset holds it.
struct RecordBookmark
{
    quint64 row = 0;
    bool operator==(const RecordBookmark &other) const { return row == other.row; }
};
Q_DECLARE_METATYPE(RecordBookmark)

class Recordset : public QObject
{
    Q_OBJECT
public:
    enum CursorType { OpenForwardOnly = 0, OpenKeyset = 1, OpenDynamic = 2, OpenStatic = 3 };
    enum LockType { LockReadOnly = 1, LockPessimistic = 2, LockOptimistic = 3, LockBatchOptimistic = 4 };
    enum EditMode { EditNone = 0, EditInProgress = 1, EditAdd = 2 };
    // Start of a find besides a bookmark: the current, first or last record.
    enum BookmarkEnum { BookmarkCurrent = 0, BookmarkFirst = 1, BookmarkLast = 2 };
    // Field types; the numbers are those the forms and reports pass when they append fields.
    enum FieldType { Integer = 3, Double = 5, Currency = 6, Date = 7, Boolean = 11, BigInt = 20,
                     VarChar = 200, LongVarChar = 201, VarWChar = 202, LongVarWChar = 203, LongVarBinary = 205 };

    explicit Recordset(QObject *parent = nullptr);
    ~Recordset() override;

    // Opens an SQL text (Jet dialect) or a table or saved-query name on an open connection.
    void open(const QString &source, Connection *connection, int cursorType = OpenForwardOnly,
              int lockType = LockReadOnly);
    // In-memory recordset: append fields first, then open with no source and no connection.
    void appendField(const QString &name, int type, int definedSize);
    void setCursorType(int cursorType);  // before open
    void setLockType(int lockType);      // before open
    void open();
    void close();
    int state() const;           // 1 open, 0 closed
    bool isOpen() const { return state() == 1; }

    bool eof() const;
    bool bof() const;
    int recordCount() const;     // -1 when closed

    int fieldCount() const;
    QString fieldName(int index) const;
    int fieldType(int index) const;      // a FieldType
    int fieldSize(int index) const;      // defined size of text fields, 0 when not known
    int fieldIndex(const QString &name) const;   // -1 when there is none
    QVariant value(int index) const;
    QVariant value(const QString &name) const;
    // Converts to the column's type (a text that does not convert raises type mismatch) and puts
    // the record in edit mode 1 unless it is being added.
    void setValue(int index, const QVariant &value);
    void setValue(const QString &name, const QVariant &value);
    // The value of the record at a 1-based position, read without moving to it (for views).
    QVariant valueAt(int position, int index) const;

    void addNew();               // writes a pending edit first
    void update();               // writes the current record
    void update(const QString &field, const QVariant &value);
    // Deletes the current record in the database and the recordset, only while it is in the table
    // as it was read (else AppError::Conflict, and nothing is deleted); the next move goes on from
    // the deleted record's place (moveNext lands on the record that followed it).
    void deleteRecord();
    // Deletes the current record by the caller's statement (a DELETE of it by its key), first
    // writing stamp into stampField when one is named, all as one transaction that deletes only
    // while the record is in the table as it was read: otherwise, or when the statement deletes
    // nothing, AppError::Conflict. A failure leaves the table and the record as they were. A
    // read-only static recordset may delete so when it writes no stamp.
    void deleteByStatement(const QString &jetSql, const QString &stampField = {}, const QVariant &stamp = {});
    void requery();
    void cancelUpdate();         // restores an edited record; drops an added one
    void updateBatch();          // writes every record with pending changes
    int editMode() const;

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    int absolutePosition() const;        // 1-based; -1 unknown, -2 BOF, -3 EOF
    void setAbsolutePosition(int position);
    QVariant bookmark() const;
    void setBookmark(const QVariant &bookmark);
    // criteria "Column like 'text*'" (or "Column = value"); searches forward from the start
    // bookmark (or the current record) after skipping skipRecords; ends at EOF when nothing matches.
    // start may also be a BookmarkEnum; searchDirection -1 searches backward and ends at BOF.
    void find(const QString &criteria, int skipRecords = 0, int searchDirection = 1,
              const QVariant &start = {});

    Connection *activeConnection() const;
    QString source() const;
    int cursorType() const;
    int lockType() const;

signals:
    // The current record moved (any move, open, requery, add, delete).
    void moveComplete();
    // The current record's values changed without a move (an edit cancelled).
    void recordChangeComplete();

private:
    struct Data;
    std::unique_ptr<Data> d;
};
