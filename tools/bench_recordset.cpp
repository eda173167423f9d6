// bench_recordset: the movements list's query on a family database of 100,000 movements (or the
// number given as the argument) over eleven years, read through a forward-only, read-only recordset
// and through a bare SQLite statement over the same translated text. Prints both times (best of
// several runs) and their ratio; then the year filter: the bare read of the list's translated query
// against the same rows chosen by a range of DataMov written by hand, and against DatePart read on
// every movement.

#include "AppError.h"
#include "BenchFamily.h"
#include "db/Connection.h"
#include "db/Recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using BenchFamily::Result;
using BenchFamily::movements;

constexpr int runs = 5;

// The schema's tables with a few accounts and types and 100,000 movements over 2015 to 2025.
const BenchFamily::Spread elevenYears{
    QDate(2015, 1, 1), QDate(2025, 12, 31),
    "INSERT INTO Conti (Descrizione) VALUES ('Banca'),('Posta'),('Carta di credito'),('Contanti');"
    "INSERT INTO TipoPag (NomePag) VALUES ('Bonifico'),('Bancomat'),('Contanti'),('Assegno');"
    "INSERT INTO TipoMov (Descrizione, EntrateUscite) VALUES ('Stipendio',-1),('Spesa',0),"
    "('Bollette',0),('Affitto',0),('Regali',-1),('Svago',0);",
    4, 4, 6, true, 2024};

Result throughRecordset(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    Connection cn;
    cn.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=") + file);
    Recordset rs;
    rs.open(QString::fromLatin1(BenchFamily::listQuery), &cn, Recordset::OpenForwardOnly, Recordset::LockReadOnly);
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

// The list's query with the year filter as a range of the DataMov index, and with DatePart kept on
// every row (its brackets keep the translation from making it a range).
const char *const rangeQuery =
    "select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov FROM qryMov "
    "WHERE IdMov > 0 AND DataMov >= '2024-01-01' AND DataMov < '2025-01-01'   Order BY DataMov";
const char *const everyRowQuery =
    "select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov FROM qryMov "
    "WHERE IdMov > 0 AND (DatePart('yyyy',DataMov))=2024   Order BY DataMov";

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
        const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : movements;
        BenchFamily::fill(file, elevenYears, count > 0 ? count : movements);
        std::printf("database: %d movements, made in %.0f ms\n", count > 0 ? count : movements,
                    timer.nsecsElapsed() / 1e6);
        std::printf("query: %s\n", BenchFamily::listQuery);
        const Result recordset = BenchFamily::best(runs, [&] { return throughRecordset(file); });
        const Result sqlite =
            BenchFamily::best(runs, [&] { return BenchFamily::bareRead(file, BenchFamily::listQuery, false); });
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
        const Result range = BenchFamily::best(runs, [&] { return BenchFamily::bareRead(file, rangeQuery, false); });
        const Result everyRow =
            BenchFamily::best(runs, [&] { return BenchFamily::bareRead(file, everyRowQuery, false); });
        std::printf("year filter, the list's query:         %8.1f ms, %d rows\n", sqlite.nanoseconds / 1e6, sqlite.rows);
        std::printf("year filter, DataMov range by hand:    %8.1f ms, %d rows\n", range.nanoseconds / 1e6, range.rows);
        std::printf("year filter, DatePart on every row:    %8.1f ms, %d rows\n", everyRow.nanoseconds / 1e6,
                    everyRow.rows);
        std::printf("list's query / range: %.2f; DatePart on every row / range: %.2f\n",
                    double(sqlite.nanoseconds) / double(range.nanoseconds),
                    double(everyRow.nanoseconds) / double(range.nanoseconds));
        if (range.rows != sqlite.rows || everyRow.rows != sqlite.rows || range.checksum != sqlite.checksum) {
            std::fprintf(stderr, "the year filter's reads gave different rows\n");
            return 1;
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "bench_recordset: %s\n", e.what());
        return 1;
    }
    return 0;
}
