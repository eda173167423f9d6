// bench_movementlist: the main window's movements list built from a family database of 100,000
// movements of one year (query, totals and the grid filled), offscreen, against a bare SQLite
// read of the same rows. Prints both times (best of several runs), their ratio and the peak memory.

#include "BenchFamily.h"
#include "BenchWindow.h"
#include "frmMain.h"

#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <sys/resource.h>

namespace {

using BenchFamily::Result;
using BenchFamily::movements;
using BenchWindow::year;

constexpr int runs = 3;

}

int main(int argc, char *argv[])
{
    return BenchWindow::run(argc, argv, "bench_movementlist", [](const QString &, const QString &file, frmMain &window) {
        const Result list = BenchFamily::best(runs, [&] { return BenchWindow::movementList(window); });
        const Result sqlite =
            BenchFamily::best(runs, [&] { return BenchFamily::bareRead(file, BenchFamily::listQuery, true); });
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
        return 0;
    });
}
