#pragma once
// A report laid out into pages: per page the placed items, in twips from the paper's top-left
// corner. The page count is known before anything is painted; paintPage draws one page on any
// device (the preview, a printer, a PDF file).

#include <QFont>
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
    bool wrap = false;            // text wraps at the box's width (it is wider); else one line
    quint16 font = 0;             // index into ReportLayout::fonts
    QRgb color = 0;
    QRect rect;                   // the text's box (clipped to it), the line's corners, the fill
    QString text;
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

// The height of a text wrapped to the width (at word boundaries, inside a word too long for a
// line), in the font's units; the layout grows boxes by it and the painter wraps the same way.
// Line breaks in the text always break lines.
int wrappedHeight(const QFont &font, int width, const QString &text);

// Draws page `page` (from 0) with the painter's unit set to one twip of the paper.
void paintPage(QPainter &painter, const ReportLayout &layout, int page);
// Writes pages first..last (from 0) to a printer or PDF writer; false when the device cannot be painted.
bool printPages(const ReportLayout &layout, QPagedPaintDevice &device, int first, int last);
