// bench_recordset: the movements list's query on a family database of 100,000 movements, read
// through a forward-only, read-only recordset and through a bare SQLite statement over the same
// translated text. Prints both times (best of several runs) and their ratio.

#include "AppError.h"
#include "db/Connection.h"
#include "db/DatabaseFile.h"
#include "db/JetSql.h"
#include "db/Recordset.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

const char *const movementsQuery =
    "select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov FROM qryMov "
    "WHERE IdMov > 0 AND DatePart('yyyy',DataMov)=2024 Order BY DataMov";
constexpr int movements = 100000;
constexpr int runs = 5;

void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw AppError(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

void exec(sqlite3 *db, const char *sql)
{
    check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

// The schema's tables with a few accounts and types and 100,000 movements over 2015 to 2025.
void fill(const QString &file)
{
    DatabaseFile::create(file, {QStringLiteral(SCHEMA_DIR "/family.sql")});
    sqlite3 *db = nullptr;
    check(db, sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr));
    exec(db, "BEGIN");
    exec(db, "INSERT INTO Conti (Descrizione) VALUES ('Banca'),('Posta'),('Carta di credito'),('Contanti')");
    exec(db, "INSERT INTO TipoPag (NomePag) VALUES ('Bonifico'),('Bancomat'),('Contanti'),('Assegno')");
    exec(db, "INSERT INTO TipoMov (Descrizione, EntrateUscite) VALUES ('Stipendio',-1),('Spesa',0),"
             "('Bollette',0),('Affitto',0),('Regali',-1),('Svago',0)");
    sqlite3_stmt *insert = nullptr;
    check(db, sqlite3_prepare_v2(db,
                                 "INSERT INTO Movimenti (DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, "
                                 "IdTipoPag, IdTipoMov, IdUtente, DataUpdate) VALUES (?,?,?,?,?,?,?,?,1,?)",
                                 -1, &insert, nullptr));
    QRandomGenerator random(2024);
    const QDate first(2015, 1, 1);
    const int days = int(first.daysTo(QDate(2025, 12, 31)));
    for (int i = 1; i <= movements; ++i) {
        const QDate day = first.addDays(random.bounded(days + 1));
        const QByteArray mov = day.toString(Qt::ISODate).toLatin1();
        const QByteArray reg = day.addDays(random.bounded(5)).toString(Qt::ISODate).toLatin1();
        const QByteArray text = QByteArray("Movimento numero ") + QByteArray::number(i);
        const bool income = random.bounded(5) == 0;
        const double amount = random.bounded(100000) / 100.0;
        sqlite3_bind_text(insert, 1, reg.constData(), int(reg.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, mov.constData(), int(mov.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 4, income ? amount : 0);
        sqlite3_bind_double(insert, 5, income ? 0 : amount);
        if (random.bounded(20) == 0)
            sqlite3_bind_null(insert, 6);   // a movement without an account
        else
            sqlite3_bind_int(insert, 6, 1 + random.bounded(4));
        sqlite3_bind_int(insert, 7, 1 + random.bounded(4));
        sqlite3_bind_int(insert, 8, 1 + random.bounded(6));
        sqlite3_bind_text(insert, 9, mov.constData(), int(mov.size()), SQLITE_TRANSIENT);
        check(db, sqlite3_step(insert));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT");
    exec(db, "ANALYZE");
    sqlite3_close(db);
}

struct Result
{
    qint64 nanoseconds = 0;
    int rows = 0;
    qint64 checksum = 0;   // keeps the reads from being optimized away
};

Result throughRecordset(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    Connection cn;
    cn.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=") + file);
    Recordset rs;
    rs.open(QString::fromLatin1(movementsQuery), &cn, Recordset::OpenForwardOnly, Recordset::LockReadOnly);
    Result r;
    const int fields = rs.fieldCount();
    while (!rs.eof()) {
        for (int f = 0; f < fields; ++f) {
            const QVariant v = rs.value(f);
            r.checksum += v.isValid() ? v.typeId() : 0;
        }
        ++r.rows;
        rs.moveNext();
    }
    rs.close();
    cn.close();
    r.nanoseconds = timer.nsecsElapsed();
    return r;
}

Result bare(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    check(db, sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr));
    JetSql::registerFunctions(db);
    const QByteArray sql = JetSql::translate(QString::fromLatin1(movementsQuery)).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr));
    Result r;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
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

template <typename F>
Result best(F &&read, const QString &file)
{
    Result bestRun = read(file);
    for (int i = 1; i < runs; ++i) {
        const Result r = read(file);
        if (r.nanoseconds < bestRun.nanoseconds)
            bestRun = r;
    }
    return bestRun;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Famiglia.mdb"));
    try {
        QElapsedTimer timer;
        timer.start();
        fill(file);
        std::printf("database: %d movements, made in %.0f ms\n", movements, timer.nsecsElapsed() / 1e6);
        std::printf("query: %s\n", movementsQuery);
        const Result recordset = best(throughRecordset, file);
        const Result sqlite = best(bare, file);
        std::printf("recordset (open and read every field): %8.1f ms, %d rows\n", recordset.nanoseconds / 1e6,
                    recordset.rows);
        std::printf("bare SQLite statement:                 %8.1f ms, %d rows\n", sqlite.nanoseconds / 1e6,
                    sqlite.rows);
        std::printf("ratio: %.2f (best of %d runs each)\n", double(recordset.nanoseconds) / double(sqlite.nanoseconds),
                    runs);
        if (recordset.rows != sqlite.rows) {
            std::fprintf(stderr, "the two reads gave different row counts\n");
            return 1;
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "bench_recordset: %s\n", e.what());
        return 1;
    }
    return 0;
}
