#pragma once
// A report laid out into pages: per page the placed items, in twips from the paper's top-left
// corner. The page count is known before anything is painted; paintPage draws one page on any
// device (the preview, a printer, a PDF file).

#include <QHash>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QVector>
#include <vector>

class QPagedPaintDevice;
class QPainter;

struct PlacedItem
{
    enum Type : quint8 { Text, Line, Fill };
    Type type = Text;
    quint16 font = 0;             // index into ReportLayout::fonts
    QRgb color = 0;
    QRect rect;                   // the text's box (clipped to it), the line's corners, the fill
    QString text;
    std::vector<int> lineStarts;  // where the text's second and later lines start, as the layout broke it
};

struct ReportPage
{
    std::vector<PlacedItem> items;
};

struct ReportLayout
{
    QString caption;
    QPageLayout pageLayout;       // paper and orientation; no margins (the items carry them)
    QSize paper;                  // twips
    QVector<QFont> fonts;         // sized in twips: pixel size = points × 20
    std::vector<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    QStringList texts(int page) const;   // the texts of a page in the order they are placed
};

// Twips per point; fonts and pens are sized in twips so that one transform draws them on any device.
constexpr int TwipsPerPoint = 20;

// Breaks the texts of one font into lines of a width: at blanks and at the text's own line breaks,
// inside a word only when asked to. The report fonts draw without kerning or ligatures, so a line is as wide as
// the sum of its letters' advances: measuring is cheap, and the painter draws the lines where they
// were broken.
class LineBreaker
{
public:
    explicit LineBreaker(const QFont &font);
    int lineHeight() const { return m_lineHeight; }
    static int lineHeightOf(const QFont &font);   // the layout's and the painter's line height
    // The starts of the lines after the first; none when the text is one line. With breakWords a
    // word too long for a line is broken between its letters.
    std::vector<int> breaks(const QString &text, int width, bool breakWords = false);
    // The widest line of the last text broken that is wider than its width: a word too long for
    // a line, kept whole. 0 when every line fits.
    qreal overflow() const { return m_overflow; }

private:
    qreal advance(const QString &text, int at);

    QFontMetricsF m_metrics;
    int m_lineHeight;
    qreal m_overflow = 0;
    // Per UTF-16 unit, measured when first met: the Latin-1 ones in a table (negative: not yet).
    std::vector<qreal> m_latin;
    QHash<QChar, qreal> m_others;
};

// The font a report draws a text in, sized in twips: pixel size = points × 20.
QFont twipFont(QFont font);

// Draws page `page` (from 0) with the painter's unit set to one twip of the paper.
void paintPage(QPainter &painter, const ReportLayout &layout, int page);
// Writes pages first..last (from 0) to a printer or PDF writer; false when the device cannot be painted.
bool printPages(const ReportLayout &layout, QPagedPaintDevice &device, int first, int last);
