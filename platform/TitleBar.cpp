#include "TitleBar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

namespace TitleBar {

// The window manager draws the title in a font the program cannot ask for: the application's font
// in bold is the usual one, and the icon and window buttons beside it take about five title-bar
// heights.
int widthFor(const QString &caption, const QWidget *window)
{
    QFont title = QApplication::font(window);
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption)
        + 5 * window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
}

}
