#include "ReportLayout.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

QFont twipFont(QFont font)
{
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    font.setPixelSize(std::max(1, int(std::lround(points * TwipsPerPoint))));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

LineBreaker::LineBreaker(const QFont &font)
    : m_metrics(font), m_lineHeight(lineHeightOf(font)), m_latin(0x100, -1)
{
}

int LineBreaker::lineHeightOf(const QFont &font)
{
    return int(std::ceil(QFontMetricsF(font).height()));
}

qreal LineBreaker::advance(const QString &text, int at)
{
    const QChar c = text.at(at);
    if (c.isHighSurrogate())   // a letter outside the basic plane, measured whole
        return m_metrics.horizontalAdvance(text.mid(at, 2));
    if (c.unicode() < m_latin.size()) {
        qreal &a = m_latin[c.unicode()];
        if (a < 0)
            a = m_metrics.horizontalAdvance(c);
        return a;
    }
    auto other = m_others.constFind(c);
    if (other == m_others.constEnd())
        other = m_others.insert(c, m_metrics.horizontalAdvance(c));
    return *other;
}

std::vector<int> LineBreaker::breaks(const QString &text, int width, bool breakWords)
{
    std::vector<int> starts;
    m_overflow = 0;
    int lineStart = 0;
    qreal lineWidth = 0;          // of the line so far, its blanks included
    int wordStart = -1;           // the line's last word after a blank, where it may break
    qreal beforeWord = 0;         // the line's width before that word
    bool blank = false;           // the last unit was a blank that follows a letter of the line
    bool ink = false;             // the line has a letter
    const qsizetype size = text.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            starts.push_back(i + 1);
            lineStart = i + 1;
            lineWidth = 0;
            wordStart = -1;
            blank = ink = false;
            continue;
        }
        if (c.isLowSurrogate())
            continue;   // a letter's second half goes with its first
        const qreal a = advance(text, i);
        if (c.isSpace()) {
            // Blanks at a line's end hang past its edge, as in any text.
            lineWidth += a;
            blank = ink;
            continue;
        }
        if (blank) {
            wordStart = i;
            beforeWord = lineWidth;
            blank = false;
        }
        if (lineWidth + a > width && wordStart > lineStart) {
            starts.push_back(wordStart);
            lineStart = wordStart;
            lineWidth -= beforeWord;
            wordStart = -1;
        }
        if (breakWords && i > lineStart && lineWidth + a > width) {
            starts.push_back(i);
            lineStart = i;
            lineWidth = 0;
            wordStart = -1;
        }
        lineWidth += a;
        if (lineWidth > width)   // the line is one word, too long for it
            m_overflow = std::max(m_overflow, lineWidth);
        ink = true;
    }
    return starts;
}

QStringList ReportLayout::texts(int page) const
{
    QStringList out;
    for (const PlacedItem &item : pages.at(page).items)
        if (item.type == PlacedItem::Text)
            out << item.text;
    return out;
}

// One line of a text as the layout broke it; its trailing blanks and line break are not drawn.
static void drawLine(QPainter &painter, const QFont &font, QString text, const QPoint &at, const QRect &box)
{
    text.remove(QLatin1Char('\r'));
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    if (text.isEmpty())
        return;
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    // Clipping costs a printer or PDF file dearly: only a line that leaves its box is clipped.
    const bool clip = !QRectF(box).contains(QRectF(at, QSizeF(line.naturalTextWidth(), line.height())));
    if (clip)
        painter.setClipRect(box);
    layout.draw(&painter, at);
    if (clip)
        painter.setClipping(false);
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
            const QFont &font = layout.fonts.at(item.font);
            const int lineHeight = LineBreaker::lineHeightOf(font);
            painter.setPen(color);
            int start = 0;
            QPoint at = item.rect.topLeft();
            for (size_t line = 0; line <= item.lineStarts.size(); ++line) {
                const int end = line < item.lineStarts.size() ? item.lineStarts[line] : int(item.text.size());
                drawLine(painter, font, item.text.mid(start, end - start), at, item.rect);
                start = end;
                at.ry() += lineHeight;
            }
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
