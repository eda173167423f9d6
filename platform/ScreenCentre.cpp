#include "ScreenCentre.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace {

QMargins frameOf(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

} // namespace

namespace ScreenCentre {

// The window manager's frame is not known before a window's first showing: the opener's, or else the
// active window's, is the same kind.
void place(QWidget *window)
{
    QWidget *opener = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QScreen *where = opener ? opener->screen() : window->screen();
    if (!where)
        return;
    const QWidget *framed = opener && opener->isVisible() ? opener : QApplication::activeWindow();
    const QMargins frame = framed && framed != window && framed->isVisible() ? frameOf(framed) : QMargins();

    const QRect desk = where->availableGeometry();
    const QSize outer = window->size().grownBy(frame);
    QRect placed(QPoint(), outer);
    placed.moveCenter(desk.center());
    const QPoint corner(std::max(desk.left(), std::min(placed.left(), desk.right() + 1 - outer.width())),
                        std::max(desk.top(), std::min(placed.top(), desk.bottom() + 1 - outer.height())));
    // The window's own rectangle, inside the frame: a window not yet shown may take a move() as
    // either, depending on whether its frame is known yet.
    const bool resized = window->testAttribute(Qt::WA_Resized);
    window->setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), window->size()));
    window->setAttribute(Qt::WA_Resized, resized);
}

}
