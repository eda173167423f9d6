// bench_report: the movements report filled and laid out from the main window's grid of 100,000
// movements, offscreen, against the build of that movements list in the same run; then the
// preview's first page on screen and every page written to a PDF file. Prints the times, the
// ratio, the page count and the peak memory.

#include "AppError.h"
#include "BenchFamily.h"
#include "BenchWindow.h"
#include "ListGrid.h"
#include "RptMov.h"
#include "Shell.h"
#include "frmMain.h"
#include "report/ReportLayout.h"
#include "report/ReportPreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPdfWriter>
#include <cstdio>
#include <sys/resource.h>

namespace {

using BenchWindow::year;

constexpr int runs = 3;

double ms(qint64 ns) { return ns / 1e6; }

}

int main(int argc, char *argv[])
{
    return BenchWindow::run(argc, argv, "bench_report", [](const QString &dir, const QString &, frmMain &window) {
        auto *grid = window.findChild<ListGrid *>(QStringLiteral("grdThis"));
        const qint64 list =
            BenchFamily::best(runs, [&] { return BenchWindow::movementList(window); }).nanoseconds;
        QApplication::processEvents();

        // Riempi fills and lays out the report, then builds the preview and shows it through the
        // modal seam: the handler stops the first clock and times the first page on screen.
        QElapsedTimer timer;
        RptMov report;
        qint64 fillAndLayout = 0;
        qint64 firstPage = 0;
        int pages = 0;
        Shell::setModalHandler([&](QDialog *d) {
            fillAndLayout = timer.nsecsElapsed();
            auto *preview = qobject_cast<ReportPreview *>(d);
            pages = preview ? preview->layout().pageCount() : 0;
            QElapsedTimer shown;
            shown.start();
            d->show();
            d->grab();   // paints the window and the page it shows
            firstPage = shown.nsecsElapsed();
            return 0;
        });
        const QString totals = window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text();
        qint64 bestFill = 0;
        for (int run = 0; run < runs; ++run) {
            timer.start();
            report.Riempi(*grid, totals);
            if (run == 0 || fillAndLayout < bestFill)
                bestFill = fillAndLayout;
        }
        fillAndLayout = bestFill;

        qint64 layoutOnly = 0;
        ReportLayout layout;
        for (int run = 0; run < runs; ++run) {
            timer.restart();
            layout = report.layout();
            if (run == 0 || timer.nsecsElapsed() < layoutOnly)
                layoutOnly = timer.nsecsElapsed();
        }

        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);

        const QString pdfFile = QDir(dir).filePath(QStringLiteral("movimenti.pdf"));
        timer.restart();
        QPdfWriter pdf(pdfFile);
        if (!printPages(layout, pdf, 0, layout.pageCount() - 1))
            throw AppError(AppError::Unspecified, QStringLiteral("the PDF file could not be written"));
        const qint64 pdfTime = timer.nsecsElapsed();

        std::printf("database: %d movements of %d; grid rows: %d, selected row after the fill: %d\n",
                    BenchFamily::movements, year, grid->rows(), grid->selectedRow());
        std::printf("movements list build (query, totals, grid): %8.1f ms  (each time the best of %d runs)\n",
                    ms(list), runs);
        std::printf("report fill + layout + preview built:        %8.1f ms  ratio to the list build %.2f\n",
                    ms(fillAndLayout), double(fillAndLayout) / double(list));
        std::printf("layout alone (from the filled records):      %8.1f ms  ratio to the list build %.2f\n",
                    ms(layoutOnly), double(layoutOnly) / double(list));
        std::printf("preview shown, first page painted:           %8.1f ms\n", ms(firstPage));
        std::printf("pages: %d (preview %d)\n", layout.pageCount(), pages);
        std::printf("peak memory before the PDF: %.1f MB\n", usage.ru_maxrss / 1024.0);
        std::printf("every page to PDF:                           %8.1f ms, %.1f MB file\n", ms(pdfTime),
                    QFileInfo(pdfFile).size() / 1048576.0);
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak memory at the end: %.1f MB\n", usage.ru_maxrss / 1024.0);
        if (pages != layout.pageCount() || grid->rows() != BenchFamily::movements) {
            std::fprintf(stderr, "bench_report: the preview or the grid does not hold the whole list\n");
            return 1;
        }
        return 0;
    });
}
