#include "ReportLayout.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>

static QTextOption textOption(bool wrap)
{
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    return option;
}

// Lays the text out in lines of the width, one under the other; returns their height. Line breaks
// in the text break lines.
static qreal layOut(QTextLayout &layout, int width, bool wrap)
{
    QString text = layout.text();
    text.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(text);
    layout.setTextOption(textOption(wrap));
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

int wrappedHeight(const QFont &font, int width, const QString &text)
{
    QTextLayout layout(text, font);
    return int(std::ceil(layOut(layout, width, true)));
}

QStringList ReportLayout::texts(int page) const
{
    QStringList out;
    for (const PlacedItem &item : pages.at(page).items)
        if (item.type == PlacedItem::Text)
            out << item.text;
    return out;
}

void paintPage(QPainter &painter, const ReportLayout &layout, int page)
{
    // A line is one screen pixel wide at full size.
    constexpr int LineWidth = 15;
    painter.save();
    for (const PlacedItem &item : layout.pages.at(page).items) {
        const QColor color = QColor::fromRgb(item.color);
        switch (item.type) {
        case PlacedItem::Fill:
            painter.fillRect(item.rect, color);
            break;
        case PlacedItem::Line:
            painter.setPen(QPen(color, LineWidth));
            painter.drawLine(item.rect.topLeft(),
                             QPoint(item.rect.left() + item.rect.width(), item.rect.top() + item.rect.height()));
            break;
        case PlacedItem::Text: {
            if (item.text.isEmpty())
                break;
            QTextLayout text(item.text, layout.fonts.at(item.font));
            layOut(text, item.rect.width(), item.wrap);
            painter.setPen(color);
            // Clipping costs a printer or PDF file dearly: only a text that overflows its box is clipped.
            const QRectF bounds = text.boundingRect().translated(item.rect.topLeft());
            const bool clip = !QRectF(item.rect).contains(bounds);
            if (clip)
                painter.setClipRect(item.rect);
            text.draw(&painter, item.rect.topLeft());
            if (clip)
                painter.setClipping(false);
            break;
        }
        }
    }
    painter.restore();
}

bool printPages(const ReportLayout &layout, QPagedPaintDevice &device, int first, int last)
{
    device.setPageLayout(layout.pageLayout);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        painter.resetTransform();
        painter.scale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
        paintPage(painter, layout, page);
    }
    return painter.end();
}
