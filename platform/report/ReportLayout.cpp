#include "ReportLayout.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>

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
        case PlacedItem::Text:
            if (item.text.isEmpty())
                break;
            painter.setFont(layout.fonts.at(item.font));
            painter.setPen(color);
            painter.setClipRect(item.rect);
            painter.drawText(item.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, item.text);
            painter.setClipping(false);
            break;
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
