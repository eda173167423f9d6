#include "Pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kWarmTop(0xB4, 0x3C, 0x1E);
const QColor kWarmBottom(0xE8, 0x9A, 0x3C);
const QColor kCream(0xFF, 0xF6, 0xE4);

QPixmap warmBackground(const QSize &size, Qt::Orientation direction)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    QLinearGradient gradient(0, 0, direction == Qt::Horizontal ? size.width() : 0,
                             direction == Qt::Vertical ? size.height() : 0);
    gradient.setColorAt(0, kWarmTop);
    gradient.setColorAt(1, kWarmBottom);
    p.fillRect(pixmap.rect(), gradient);
    return pixmap;
}

// A house with a lit hearth inside, fitted into the square whose top-left corner is origin.
void paintEmblem(QPainter &p, const QPointF &origin, qreal side)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(origin);
    p.scale(side / 100.0, side / 100.0);

    QPainterPath house;
    house.moveTo(50, 8);
    house.lineTo(94, 46);
    house.lineTo(84, 46);
    house.lineTo(84, 92);
    house.lineTo(16, 92);
    house.lineTo(16, 46);
    house.lineTo(6, 46);
    house.closeSubpath();
    p.setPen(QPen(kCream, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawPath(house);

    QPainterPath flame;
    flame.moveTo(50, 86);
    flame.cubicTo(30, 84, 32, 66, 42, 56);
    flame.cubicTo(42, 64, 46, 66, 48, 66);
    flame.cubicTo(44, 56, 50, 46, 58, 42);
    flame.cubicTo(56, 52, 70, 60, 66, 74);
    flame.cubicTo(64, 82, 58, 86, 50, 86);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD4, 0x5A));
    p.drawPath(flame);
    p.restore();
}

}

namespace Pictures {

QPixmap splash(const QSize &size)
{
    QPixmap pixmap = warmBackground(size, Qt::Horizontal);
    QPainter p(&pixmap);
    const qreal side = size.height() * 0.62;
    paintEmblem(p, QPointF(size.height() * 0.2, (size.height() - side) / 2), side);

    const QString name = QStringLiteral("Focolarium");
    const int left = int(side + size.height() * 0.4);
    const int room = size.width() - left - int(size.height() * 0.15);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(qMax(12, size.height() / 4));
    while (title.pixelSize() > 12 && QFontMetrics(title).horizontalAdvance(name) > room)
        title.setPixelSize(title.pixelSize() - 1);
    p.setFont(title);
    p.setPen(kCream);
    p.drawText(QRect(left, 0, room, size.height()), Qt::AlignVCenter | Qt::AlignLeft, name);
    return pixmap;
}

QPixmap loginBorder(const QSize &size)
{
    QPixmap pixmap = warmBackground(size, Qt::Vertical);
    QPainter p(&pixmap);
    const qreal side = size.width() * 0.7;
    paintEmblem(p, QPointF((size.width() - side) / 2, size.width() * 0.25), side);
    return pixmap;
}

}
