#include "BenchFamily.h"

#include "AppError.h"
#include "db/DatabaseFile.h"
#include "db/JetSql.h"
#include "db/NoCase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <sqlite3.h>

namespace BenchFamily {

const char *const listQuery =
    "select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov FROM qryMov "
    "WHERE IdMov > 0 AND DatePart('yyyy',DataMov)=2024   Order BY DataMov";

void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw AppError(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

namespace {

void exec(sqlite3 *db, const char *sql)
{
    check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

sqlite3 *open(const QString &file, int flags)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const AppError error(rc, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
        sqlite3_close(db);
        throw error;
    }
    NoCase::follow(db);
    return db;
}

void bindText(sqlite3_stmt *st, int index, const QByteArray &text)
{
    sqlite3_bind_text(st, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

}

void fill(const QString &file, const Spread &spread, int count)
{
    DatabaseFile::create(file, {QStringLiteral(SCHEMA_DIR "/family.sql")});
    sqlite3 *db = open(file, SQLITE_OPEN_READWRITE);
    exec(db, "BEGIN");
    exec(db, spread.lookups);
    sqlite3_stmt *insert = nullptr;
    check(db, sqlite3_prepare_v2(db,
                                 "INSERT INTO Movimenti (DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, "
                                 "IdTipoPag, IdTipoMov, IdUtente, DataUpdate) VALUES (?,?,?,?,?,?,?,?,1,?)",
                                 -1, &insert, nullptr));
    QRandomGenerator random(spread.seed);
    const int days = int(spread.first.daysTo(spread.last));
    for (int i = 1; i <= count; ++i) {
        const QDate day = spread.first.addDays(random.bounded(days + 1));
        const QByteArray mov = day.toString(Qt::ISODate).toLatin1();
        const QByteArray reg =
            spread.varied ? day.addDays(random.bounded(5)).toString(Qt::ISODate).toLatin1() : mov;
        const QByteArray text = QByteArray("Movimento numero ") + QByteArray::number(i);
        const bool income = random.bounded(5) == 0;
        const double amount = random.bounded(100000) / 100.0;
        bindText(insert, 1, reg);
        bindText(insert, 2, mov);
        bindText(insert, 3, text);
        sqlite3_bind_double(insert, 4, income ? amount : 0);
        sqlite3_bind_double(insert, 5, income ? 0 : amount);
        if (spread.varied && random.bounded(20) == 0)
            sqlite3_bind_null(insert, 6);   // a movement without an account
        else
            sqlite3_bind_int(insert, 6, 1 + random.bounded(spread.accounts));
        sqlite3_bind_int(insert, 7, 1 + random.bounded(spread.payTypes));
        sqlite3_bind_int(insert, 8, 1 + random.bounded(spread.movTypes));
        if (spread.varied)
            bindText(insert, 9, mov);
        else
            sqlite3_bind_null(insert, 9);
        check(db, sqlite3_step(insert));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT");
    exec(db, "ANALYZE");
    sqlite3_close(db);
}

void addContacts(const QString &file, int count)
{
    sqlite3 *db = open(file, SQLITE_OPEN_READWRITE);
    const QByteArray sql =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + QByteArray::number(count)
        + ") INSERT INTO Contatti (Nome, cognome, Tel, Cell, Altro, Condividi, IdUtente) "
          "SELECT 'Nome ' || i, 'Cognome ' || i, '06 ' || (1000000 + i), CASE WHEN i % 3 THEN '333 ' || i END, "
          "substr('Nota del contatto, con qualche parola per andare a capo come fanno le note vere. ', 1, i % 83) "
          "|| CASE WHEN i % 10 = 0 THEN replace(printf('%.*c', i % 60, 'x'), 'x', ' parola') ELSE '' END, 0, 1 "
          "FROM n";
    try {
        exec(db, sql.constData());
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

Result bareRead(const QString &file, const char *jetQuery, bool asText)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = open(file, SQLITE_OPEN_READONLY);
    JetSql::registerFunctions(db);
    const QByteArray sql = JetSql::translate(QString::fromLatin1(jetQuery)).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr));
    Result r;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (asText ? SQLITE_TEXT : sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER: r.checksum += sqlite3_column_int64(stmt, c) & 1; break;
            case SQLITE_FLOAT: r.checksum += sqlite3_column_double(stmt, c) > 0; break;
            case SQLITE_TEXT:
                sqlite3_column_text(stmt, c);
                r.checksum += sqlite3_column_bytes(stmt, c);
                break;
            default: break;
            }
        }
        ++r.rows;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    r.nanoseconds = timer.nsecsElapsed();
    return r;
}

}
