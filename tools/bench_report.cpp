// bench_report: the movements report filled and laid out from the main window's grid of 100,000
// movements, offscreen, against the build of that movements list in the same run; then the
// preview's first page on screen and every page written to a PDF file. Prints the times, the
// ratio, the page count and the peak memory.

#include "AppError.h"
#include "BenchFamily.h"
#include "DataBase.h"
#include "ListGrid.h"
#include "RptMov.h"
#include "Shell.h"
#include "frmMain.h"
#include "report/ReportLayout.h"
#include "report/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int year = 2024;

const BenchFamily::Spread oneYear{
    QDate(year, 1, 1), QDate(year, 12, 31),
    "INSERT INTO Conti (NConto, Descrizione) VALUES ('1','Banca'),('2','Posta'),('3','Carta');"
    "INSERT INTO TipoPag (NomePag) VALUES ('Bonifico'),('Bancomat'),('Contanti');"
    "INSERT INTO TipoMov (Descrizione, EntrateUscite) VALUES ('Stipendio',-1),('Spesa',0),('Bollette',0),('Regali',-1);",
    3, 3, 4, false, year};

double ms(qint64 ns) { return ns / 1e6; }

}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Famiglia.mdb"));
    try {
        BenchFamily::fill(file, oneYear);
        DataBase::ConnString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file;
        DataBase::BuildStr();
        DataBase::UserId = 1;
        frmMain window;
        window.findChild<QComboBox *>(QStringLiteral("cboAnno"))->setEditText(QString::number(year));
        window.show();
        QApplication::processEvents();
        auto *grid = window.findChild<ListGrid *>(QStringLiteral("grdThis"));

        QElapsedTimer timer;
        timer.start();
        window.findChild<QAction *>(QStringLiteral("mnuVisMov"))->trigger();
        const qint64 list = timer.nsecsElapsed();
        QApplication::processEvents();

        // Riempi fills and lays out the report, then builds the preview and shows it through the
        // modal seam: the handler stops the first clock and times the first page on screen.
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
        timer.restart();
        report.Riempi(*grid, window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text());

        timer.restart();
        const ReportLayout layout = report.layout();
        const qint64 layoutOnly = timer.nsecsElapsed();

        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);

        const QString pdfFile = dir.filePath(QStringLiteral("movimenti.pdf"));
        timer.restart();
        QPdfWriter pdf(pdfFile);
        if (!printPages(layout, pdf, 0, layout.pageCount() - 1))
            throw AppError(AppError::Unspecified, QStringLiteral("the PDF file could not be written"));
        const qint64 pdfTime = timer.nsecsElapsed();

        std::printf("database: %d movements of %d; grid rows: %d, selected row after the fill: %d\n",
                    BenchFamily::movements, year, grid->rows(), grid->selectedRow());
        std::printf("movements list build (query, totals, grid): %8.1f ms\n", ms(list));
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
    } catch (const AppError &e) {
        std::fprintf(stderr, "bench_report: %s\n", e.what());
        return 1;
    }
    return 0;
}
