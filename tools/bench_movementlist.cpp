// bench_movementlist: the main window's movements list built from a family database of 100,000
// movements of one year (query, totals and the grid filled), offscreen, against a bare SQLite
// read of the same rows. Prints both times (best of several runs), their ratio and the peak memory.

#include "AppError.h"
#include "DataBase.h"
#include "ListGrid.h"
#include "db/Connection.h"
#include "db/DatabaseFile.h"
#include "db/JetSql.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

constexpr int movements = 100000;
constexpr int year = 2024;
constexpr int runs = 3;
const char *const listQuery =
    "select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov FROM qryMov "
    "WHERE IdMov > 0 AND DatePart('yyyy',DataMov)=2024   Order BY DataMov";

void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw AppError(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

// A family with a few accounts and types and every movement dated in the one year.
void fill(const QString &file)
{
    DatabaseFile::create(file, {QStringLiteral(SCHEMA_DIR "/family.sql")});
    sqlite3 *db = nullptr;
    check(db, sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr));
    check(db, sqlite3_exec(db,
                           "BEGIN;"
                           "INSERT INTO Conti (NConto, Descrizione) VALUES ('1','Banca'),('2','Posta'),('3','Carta');"
                           "INSERT INTO TipoPag (NomePag) VALUES ('Bonifico'),('Bancomat'),('Contanti');"
                           "INSERT INTO TipoMov (Descrizione, EntrateUscite) VALUES ('Stipendio',-1),('Spesa',0),"
                           "('Bollette',0),('Regali',-1);",
                           nullptr, nullptr, nullptr));
    sqlite3_stmt *insert = nullptr;
    check(db, sqlite3_prepare_v2(db,
                                 "INSERT INTO Movimenti (DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, "
                                 "IdTipoPag, IdTipoMov, IdUtente) VALUES (?,?,?,?,?,?,?,?,1)",
                                 -1, &insert, nullptr));
    QRandomGenerator random(year);
    const QDate first(year, 1, 1);
    for (int i = 1; i <= movements; ++i) {
        const QDate day = first.addDays(random.bounded(first.daysInYear()));
        const QByteArray mov = day.toString(Qt::ISODate).toLatin1();
        const QByteArray text = QByteArray("Movimento numero ") + QByteArray::number(i);
        const bool income = random.bounded(5) == 0;
        const double amount = random.bounded(100000) / 100.0;
        sqlite3_bind_text(insert, 1, mov.constData(), int(mov.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, mov.constData(), int(mov.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 4, income ? amount : 0);
        sqlite3_bind_double(insert, 5, income ? 0 : amount);
        sqlite3_bind_int(insert, 6, 1 + random.bounded(3));
        sqlite3_bind_int(insert, 7, 1 + random.bounded(3));
        sqlite3_bind_int(insert, 8, 1 + random.bounded(4));
        check(db, sqlite3_step(insert));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(db, sqlite3_exec(db, "COMMIT; ANALYZE;", nullptr, nullptr, nullptr));
    sqlite3_close(db);
}

struct Result
{
    qint64 nanoseconds = 0;
    int rows = 0;
};

// The bare read: the list's translated query stepped through, every column fetched.
Result bare(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    check(db, sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr));
    JetSql::registerFunctions(db);
    const QByteArray sql = JetSql::translate(QString::fromLatin1(listQuery)).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr));
    Result r;
    qint64 sink = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            sqlite3_column_text(stmt, c);
            sink += sqlite3_column_bytes(stmt, c);
        }
        ++r.rows;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    r.nanoseconds = timer.nsecsElapsed() + (sink < 0);
    return r;
}

// The list as the user asks for it: the menu command "Movimenti" with the year in the search panel.
Result movementList(frmMain &window)
{
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QStringLiteral("mnuVisMov"))->trigger();
    Result r;
    r.nanoseconds = timer.nsecsElapsed();
    r.rows = window.findChild<ListGrid *>(QStringLiteral("grdThis"))->rows();
    return r;
}

template <typename F>
Result best(F &&run)
{
    Result bestRun = run();
    for (int i = 1; i < runs; ++i) {
        const Result r = run();
        if (r.nanoseconds < bestRun.nanoseconds)
            bestRun = r;
    }
    return bestRun;
}

}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Famiglia.mdb"));
    try {
        fill(file);
        DataBase::ConnString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file;
        DataBase::BuildStr();
        DataBase::UserId = 1;
        frmMain window;
        window.findChild<QComboBox *>(QStringLiteral("cboAnno"))->setEditText(QString::number(year));
        window.show();
        QApplication::processEvents();

        const Result list = best([&] { return movementList(window); });
        const Result sqlite = best([&] { return bare(file); });
        QApplication::processEvents();   // the grid's first paint of the list
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);

        std::printf("database: %d movements of %d\n", movements, year);
        std::printf("movements list (query, totals, grid): %8.1f ms, %d rows\n", list.nanoseconds / 1e6, list.rows);
        std::printf("bare SQLite read of the same rows:    %8.1f ms, %d rows\n", sqlite.nanoseconds / 1e6, sqlite.rows);
        std::printf("ratio: %.2f (best of %d runs each)\n", double(list.nanoseconds) / double(sqlite.nanoseconds), runs);
        std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
        std::printf("status: %s\n", qPrintable(window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text()));
        if (list.rows != sqlite.rows || list.rows != movements) {
            std::fprintf(stderr, "the list and the bare read gave different row counts\n");
            return 1;
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "bench_movementlist: %s\n", e.what());
        return 1;
    }
    return 0;
}
