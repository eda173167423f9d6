// bench_report: the list reports printed as the user prints them: the list built, shown and
// painted in the main window, then its print command (fill, layout, preview built and shown with
// its first page painted). The movements report of 100,000 movements (or the count given as the
// first argument) against the build of that list in the same run; then every page to a PDF file;
// then the contacts report of 10,000 contacts (or the second argument). Offscreen unless
// QT_QPA_PLATFORM names another platform, e.g. QT_QPA_PLATFORM=xcb xvfb-run -a bench_report.
// Prints the times, the ratios, the page counts and the peak memory.

#include "AppError.h"
#include "BenchFamily.h"
#include "BenchWindow.h"
#include "ListGrid.h"
#include "RptMov.h"
#include "Shell.h"
#include "frmMain.h"
#include "report/ReportLayout.h"
#include "report/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPdfWriter>
#include <QScrollArea>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

using BenchWindow::year;

constexpr int runs = 3;

double ms(qint64 ns) { return ns / 1e6; }

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs the event loop until the widget is on screen and has painted once more; false when that
// does not happen within five seconds.
bool paintedOnScreen(QWidget *w, PaintCounter &counter)
{
    const int before = counter.paints;
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (w->window()->windowHandle() && w->window()->windowHandle()->isExposed() && counter.paints > before)
            return true;
    }
    return false;
}

struct Printed
{
    qint64 list = 0;        // the list's menu command
    qint64 built = 0;       // print command to the preview built (fill and layout)
    qint64 shown = 0;       // print command to the preview's first page painted on screen
    int pages = 0;
};

// Each run: the list's menu command, timed; the list painted; the print command, timed through
// the modal seam until the preview has painted its first page. The best of the runs, each figure.
Printed printList(frmMain &window, const char *listMenu, const char *printMenu)
{
    auto *grid = window.findChild<ListGrid *>(QStringLiteral("grdThis"));
    PaintCounter gridPaints(grid->viewport());
    Printed best;
    QElapsedTimer timer;
    Printed run;
    bool previewPainted = false;
    Shell::setModalHandler([&](QDialog *d) {
        run.built = timer.nsecsElapsed();
        auto *preview = qobject_cast<ReportPreview *>(d);
        run.pages = preview ? preview->layout().pageCount() : 0;
        QWidget *page = d->findChild<QScrollArea *>(QStringLiteral("scrPage"))->widget();
        PaintCounter pagePaints(page);
        d->show();
        previewPainted = paintedOnScreen(page, pagePaints);
        run.shown = timer.nsecsElapsed();
        d->hide();
        return 0;
    });
    for (int i = 0; i < runs; ++i) {
        run = {};
        timer.start();
        window.findChild<QAction *>(QString::fromLatin1(listMenu))->trigger();
        run.list = timer.nsecsElapsed();
        if (!paintedOnScreen(grid->viewport(), gridPaints))
            throw AppError(AppError::Unspecified, QStringLiteral("the list was not painted on screen"));
        timer.restart();
        window.findChild<QAction *>(QString::fromLatin1(printMenu))->trigger();
        if (!previewPainted)
            throw AppError(AppError::Unspecified, QStringLiteral("the preview was not painted on screen"));
        if (i == 0 || run.list < best.list)
            best.list = run.list;
        if (i == 0 || run.built < best.built)
            best.built = run.built;
        if (i == 0 || run.shown < best.shown)
            best.shown = run.shown;
        best.pages = run.pages;
    }
    Shell::setModalHandler({});
    if (grid->selectedRow() != grid->rows())
        throw AppError(AppError::Unspecified, QStringLiteral("the last row is not selected after the print"));
    return best;
}

void printFigures(const Printed &p)
{
    std::printf("  list build (query, totals, grid):         %8.1f ms\n", ms(p.list));
    std::printf("  report fill + layout + preview built:     %8.1f ms  ratio to the list build %.2f\n", ms(p.built),
                double(p.built) / double(p.list));
    std::printf("  ... and preview shown, first page painted:%8.1f ms  ratio to the list build %.2f\n", ms(p.shown),
                double(p.shown) / double(p.list));
    std::printf("  pages: %d\n", p.pages);
}

}

int main(int argc, char *argv[])
{
    const int movements = argc > 1 ? std::atoi(argv[1]) : BenchFamily::movements;
    const int contacts = argc > 2 ? std::atoi(argv[2]) : 10000;
    auto body = [&](const QString &dir, const QString &file, frmMain &window) {
        std::printf("platform: %s; each figure the best of %d runs\n", qPrintable(QApplication::platformName()),
                    runs);
        const Printed mov = printList(window, "mnuVisMov", "mnuPrtMov");
        auto *grid = window.findChild<ListGrid *>(QStringLiteral("grdThis"));
        const int listed = grid->rows();
        std::printf("movements report, %d movements of %d, the list painted before the print:\n", movements, year);
        printFigures(mov);

        // The layout alone, and every page to PDF, from a report filled once.
        RptMov report;
        Shell::setModalHandler([](QDialog *) { return 0; });
        report.Riempi(*grid, window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text());
        Shell::setModalHandler({});
        QElapsedTimer timer;
        qint64 layoutOnly = 0;
        ReportLayout layout;
        for (int run = 0; run < runs; ++run) {
            timer.start();
            layout = report.layout();
            if (run == 0 || timer.nsecsElapsed() < layoutOnly)
                layoutOnly = timer.nsecsElapsed();
        }
        std::printf("  layout alone (from the filled records):   %8.1f ms  ratio to the list build %.2f\n",
                    ms(layoutOnly), double(layoutOnly) / double(mov.list));

        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("  peak memory before the PDF: %.1f MB\n", usage.ru_maxrss / 1024.0);
        const QString pdfFile = QDir(dir).filePath(QStringLiteral("movimenti.pdf"));
        timer.restart();
        QPdfWriter pdf(pdfFile);
        if (!printPages(layout, pdf, 0, layout.pageCount() - 1))
            throw AppError(AppError::Unspecified, QStringLiteral("the PDF file could not be written"));
        std::printf("  every page to PDF:                        %8.1f ms, %.1f MB file\n", ms(timer.nsecsElapsed()),
                    QFileInfo(pdfFile).size() / 1048576.0);

        BenchFamily::addContacts(file, contacts);
        const Printed con = printList(window, "mnuVisContatti", "mnuPrtCon");
        std::printf("contacts report, %d contacts, the list painted before the print:\n", grid->rows());
        printFigures(con);
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak memory at the end: %.1f MB\n", usage.ru_maxrss / 1024.0);
        if (mov.pages != layout.pageCount() || listed != movements || grid->rows() != contacts) {
            std::fprintf(stderr, "bench_report: the preview or the grid does not hold the whole list\n");
            return 1;
        }
        return 0;
    };
    return BenchWindow::run(argc, argv, "bench_report", body, movements);
}
