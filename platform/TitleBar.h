#pragma once
// The width a window needs for its title bar to show a caption whole (a window manager cuts the
// middle of a title that does not fit).

#include <QString>

class QWidget;

namespace TitleBar {
int widthFor(const QString &caption, const QWidget *window);
}
