#include "ReportPreview.h"

#include "AppError.h"
#include "Guarded.h"
#include "Shell.h"
#include "Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

// The page on screen: only this one page is ever painted.
class ReportPageView : public QWidget
{
public:
    ReportPageView(const ReportLayout &layout, QWidget *parent) : QWidget(parent), m_layout(layout) {}

    void setPage(int page)
    {
        m_page = page;
        update();
    }
    void setScale(qreal pixelsPerTwip)
    {
        m_scale = pixelsPerTwip;
        setFixedSize((QSizeF(m_layout.paper) * m_scale).toSize());
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (m_page >= m_layout.pageCount())
            return;
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(m_scale, m_scale);
        paintPage(painter, m_layout, m_page);
    }

private:
    const ReportLayout &m_layout;
    int m_page = 0;
    qreal m_scale = 1.0 / Twips::PerPixel;
};

namespace {
// The printer or PDF file chosen at the last print, offered again at the next one while the
// program runs.
struct LastPrint
{
    QString printerName;
    QString outputFileName;
};
LastPrint lastPrint;

// The zoom list: the whole page, the page's width, then fixed sizes in percent.
const int ZoomPercents[] = {0, 0, 50, 75, 100, 150, 200};
enum { ZoomWholePage = 0, ZoomPageWidth = 1 };
}

ReportPreview::ReportPreview(ReportLayout layout, QWidget *parent) : LoadingDialog(parent), m_layout(std::move(layout))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_layout.caption);
    setSizeGripEnabled(true);
    resize(1000, 720);

    auto button = [this](const char *name, const QString &caption, const QString &tip, const QKeySequence &key = {}) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setShortcut(key);
        b->setAutoDefault(false);
        return b;
    };
    cmdFirst = button("cmdFirst", QStringLiteral("|<"), QStringLiteral("Prima pagina"), Qt::CTRL | Qt::Key_Home);
    cmdPrevious = button("cmdPrevious", QStringLiteral("<"), QStringLiteral("Pagina precedente"), Qt::Key_PageUp);
    cmdNext = button("cmdNext", QStringLiteral(">"), QStringLiteral("Pagina successiva"), Qt::Key_PageDown);
    cmdLast = button("cmdLast", QStringLiteral(">|"), QStringLiteral("Ultima pagina"), Qt::CTRL | Qt::Key_End);
    cmdPrint = button("cmdPrint", QStringLiteral("Stampa..."), QStringLiteral("Stampa il report"), QKeySequence::Print);
    cmdClose = button("cmdClose", QStringLiteral("Chiudi"), QStringLiteral("Chiude l'anteprima"));
    lblPage = new QLabel(this);
    lblPage->setObjectName(QStringLiteral("lblPage"));
    cboZoom = new QComboBox(this);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->addItem(QStringLiteral("Pagina intera"));
    cboZoom->addItem(QStringLiteral("Larghezza pagina"));
    for (int percent : ZoomPercents)
        if (percent > 0)
            cboZoom->addItem(QStringLiteral("%1%").arg(percent));

    auto *bar = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{cmdFirst, cmdPrevious, lblPage, cmdNext, cmdLast, cboZoom, cmdPrint})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(cmdClose);

    m_view = new ReportPageView(m_layout, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPage"));
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setWidget(m_view);

    auto *box = new QVBoxLayout(this);
    box->addLayout(bar);
    box->addWidget(m_scroll, 1);

    connect(cmdFirst, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { showPage(m_layout.pageCount() - 1); });
    connect(cmdPrint, &QPushButton::clicked, this, &ReportPreview::print);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    // Choosing the zoom shown applies it again; the fitting zooms follow the scroll area's size.
    connect(cboZoom, &QComboBox::currentIndexChanged, this, &ReportPreview::applyZoom);
    connect(cboZoom, &QComboBox::activated, this, &ReportPreview::applyZoom);
    m_scroll->installEventFilter(this);

    cboZoom->setCurrentIndex(ZoomPageWidth);
    showPage(0);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::showPage(int page)
{
    m_page = std::clamp(page, 0, std::max(0, m_layout.pageCount() - 1));
    m_view->setPage(m_page);
    lblPage->setText(QStringLiteral("Pagina %1 di %2").arg(m_page + 1).arg(m_layout.pageCount()));
    cmdFirst->setEnabled(m_page > 0);
    cmdPrevious->setEnabled(m_page > 0);
    cmdNext->setEnabled(m_page + 1 < m_layout.pageCount());
    cmdLast->setEnabled(m_page + 1 < m_layout.pageCount());
}

void ReportPreview::setZoom(int index)
{
    cboZoom->setCurrentIndex(index);
}

void ReportPreview::applyZoom()
{
    const int index = cboZoom->currentIndex();
    // The room of the scroll area whether or not it shows its scroll bars, so that a bar coming or
    // going does not change the fit; the page's width leaves room for the vertical bar.
    const QSize room = m_scroll->maximumViewportSize() - QSize(16, 16);
    const QSizeF paper(m_layout.paper);
    qreal scale;
    if (index == ZoomWholePage) {
        scale = std::min(room.width() / paper.width(), room.height() / paper.height());
    } else if (index == ZoomPageWidth) {
        const int bar = m_scroll->verticalScrollBar()->sizeHint().width();
        scale = (room.width() - bar) / paper.width();
    } else {
        scale = logicalDpiX() / 1440.0 * ZoomPercents[index] / 100.0;
    }
    m_view->setScale(std::max(scale, 0.01));
}

bool ReportPreview::eventFilter(QObject *watched, QEvent *event)
{
    // The scroll area takes its final size only when the dialog is laid out on its first showing.
    if (watched == m_scroll && event->type() == QEvent::Resize)
        applyZoom();
    return LoadingDialog::eventFilter(watched, event);
}

void ReportPreview::print()
{
    Guarded(m_layout.caption, [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(m_layout.caption);
        printer.setFullPage(true);
        printer.setPageLayout(m_layout.pageLayout);
        if (!lastPrint.outputFileName.isEmpty())
            printer.setOutputFileName(lastPrint.outputFileName);
        else if (!lastPrint.printerName.isEmpty())
            printer.setPrinterName(lastPrint.printerName);
        QPrintDialog dialog(&printer, this);
        dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage
                          | QAbstractPrintDialog::PrintToFile);
        dialog.setMinMax(1, m_layout.pageCount());
        if (Shell::showModal(&dialog) != QDialog::Accepted)
            return;
        lastPrint = {printer.printerName(), printer.outputFileName()};
        int first = 0;
        int last = m_layout.pageCount() - 1;
        if (printer.printRange() == QPrinter::PageRange) {
            first = std::max(printer.fromPage(), 1) - 1;
            last = std::min(printer.toPage(), m_layout.pageCount()) - 1;
        } else if (printer.printRange() == QPrinter::CurrentPage) {
            first = last = m_page;
        }
        if (first <= last && !printPages(m_layout, printer, first, last))
            throw AppError(AppError::Unspecified, QStringLiteral("Impossibile stampare: la stampante non è pronta."));
    });
}
