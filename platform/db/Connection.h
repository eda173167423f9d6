#pragma once
// A connection to one database file, opened from a connection text of the system's form:
// "key=value;" pairs, "Data Source" names the file; the provider and the database password
// are accepted and ignored. Opens existing files only, foreign keys on, a busy timeout,
// rollback journal. Errors raise AppError (0x80004005 when the file cannot be opened).

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

struct sqlite3;

class Connection
{
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // The system passes an empty user name, an empty password and options -1; they change nothing.
    void open(const QString &connectionText, const QString &user = {}, const QString &password = {}, int options = -1);
    void close();
    int state() const { return m_db ? 1 : 0; }   // 1 open, 0 closed
    bool isOpen() const { return m_db != nullptr; }

    // A connection that only reads refuses every statement that would write, with the error of a
    // read-only recordset. The switch holds across reopening; an open still brings an older file over.
    void setReadOnly(bool readOnly);

    int cursorLocation() const { return m_cursorLocation; }
    void setCursorLocation(int location) { m_cursorLocation = location; }

    const QString &connectionString() const { return m_connectionText; }
    QString fileName() const { return m_fileName; }   // the Data Source of the open connection

    // Executes a statement (Jet SQL); returns the number of rows changed.
    int execute(const QString &jetSql);
    // Runs a query (Jet SQL) and returns every row, values typed as the recordsets type them.
    QVector<QVector<QVariant>> query(const QString &jetSql);
    // Runs work as one transaction that holds the write lock from its start, so that no other
    // user writes between its statements; a failure undoes it and raises again.
    void inTransaction(const std::function<void()> &work);

    sqlite3 *handle() const { return m_db; }   // throws nothing; nullptr when closed

    // The file named by "Data Source" in a connection text ("" when none).
    static QString dataSource(const QString &connectionText);

private:
    sqlite3 *m_db = nullptr;
    int m_cursorLocation = 2;
    bool m_readOnly = false;
    QString m_connectionText;
    QString m_fileName;
};
