#include "Connection.h"

#include "DbError.h"
#include "DbValue.h"
#include "JetSql.h"
#include "MsgBox.h"
#include "NoCase.h"
#include "SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <sqlite3.h>

namespace {

// The value of key in a "key=value;" connection text, without regard to the key's case.
QString textValue(const QString &connectionText, const QString &key)
{
    const QStringList parts = connectionText.split(QLatin1Char(';'));
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq > 0 && part.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return {};
}

// SQLite's own switch: every write, and every transaction begun for writing, fails with SQLITE_READONLY.
int setQueryOnly(sqlite3 *db, bool on)
{
    return sqlite3_exec(db, on ? "PRAGMA query_only = 1" : "PRAGMA query_only = 0", nullptr, nullptr, nullptr);
}

// Rows that keep a file in the older text order are told once a session for each file: nothing is
// changed in the file, and the next start tells again until the rows are told apart.
void tellOlderOrder(const QString &file, const QStringList &tables)
{
    static QSet<QString> told;
    const QString key = QFileInfo(file).canonicalFilePath();
    if (told.contains(key))
        return;
    told.insert(key);
    const QString where = tables.size() == 1
        ? QStringLiteral("la tabella %1 contiene").arg(tables.first())
        : QStringLiteral("le tabelle %1 contengono").arg(tables.join(QStringLiteral(", ")));
    MsgBox(QStringLiteral("Nel database %1 %2 righe che differiscono solo per le maiuscole e minuscole di lettere "
                          "accentate (come «È» ed «è») dove un indice vuole valori diversi. Finché non vengono "
                          "corrette, in questo database maiuscole e minuscole si equivalgono solo per le lettere "
                          "dalla A alla Z. Nessun dato è stato cancellato o unito.")
               .arg(QDir::toNativeSeparators(file), where),
           MsgKind::Warning);
}

}

Connection::~Connection()
{
    close();
}

QString Connection::dataSource(const QString &connectionText)
{
    return textValue(connectionText, QStringLiteral("Data Source"));
}

void Connection::open(const QString &connectionText, const QString &, const QString &, int)
{
    close();
    const QString file = dataSource(connectionText);
    if (file.isEmpty())
        throw DbError::cannotOpen(file, QStringLiteral("nel testo di connessione manca il file (Data Source)."));
    const QFileInfo info(file);
    if (!info.exists() || !info.isFile())
        throw DbError::cannotOpen(file, QStringLiteral("il file non esiste."));
    if (!info.isReadable())
        throw DbError::cannotOpen(file, QStringLiteral("il file non è leggibile."));
    if (info.size() == 0)
        throw DbError::cannotOpen(file, QStringLiteral("il file non è un database valido."));

    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw DbError::cannotOpen(file, why);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 5000);
    // Reading the catalogue once tells a database from any other file.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master; PRAGMA foreign_keys=ON;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int code = sqlite3_extended_errcode(db);
        const QString why = (code & 0xff) == SQLITE_NOTADB ? QStringLiteral("il file non è un database valido.")
                                                           : QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        throw DbError::cannotOpen(file, why);
    }
    JetSql::registerFunctions(db);
    NoCase::follow(db);   // a mark it cannot read now leaves SQLite's own order, and the first statement reads it
    const QStringList clashes = NoCase::bringOver(db);
    if (!clashes.isEmpty())
        tellOlderOrder(file, clashes);
    if (m_readOnly && (rc = setQueryOnly(db, true)) != SQLITE_OK) {
        const AppError error = DbError::fromSqlite(db, rc);
        sqlite3_close_v2(db);
        throw error;
    }
    m_db = db;
    m_connectionText = connectionText;
    m_fileName = file;
}

void Connection::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (m_db) {
        if (const int rc = setQueryOnly(m_db, readOnly); rc != SQLITE_OK)
            DbError::raise(m_db, rc);
    }
}

void Connection::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

int Connection::execute(const QString &jetSql)
{
    SqlStatement stmt = SqlStatement::fromJet(m_db, jetSql);
    while (stmt.step()) {
    }
    return sqlite3_stmt_readonly(stmt.handle()) ? 0 : sqlite3_changes(m_db);
}

QVector<QVector<QVariant>> Connection::query(const QString &jetSql)
{
    SqlStatement stmt = SqlStatement::fromJet(m_db, jetSql);
    const int columns = stmt.columnCount();
    QVector<DbValue::Kind> kinds(columns);
    for (int c = 0; c < columns; ++c)
        kinds[c] = DbValue::fromDeclared(sqlite3_column_decltype(stmt.handle(), c)).kind;
    QVector<QVector<QVariant>> rows;
    while (stmt.step()) {
        QVector<QVariant> row(columns);
        for (int c = 0; c < columns; ++c)
            row[c] = DbValue::read(stmt.handle(), c, kinds[c]);
        rows.append(std::move(row));
    }
    return rows;
}

void Connection::inTransaction(const std::function<void()> &work)
{
    if (!m_db)
        throw DbError::objectClosed();
    NoCase::transaction(m_db, "BEGIN IMMEDIATE", work, [this](int rc) { return DbError::fromSqlite(m_db, rc); });
}
