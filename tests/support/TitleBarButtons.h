#pragma once
// What a form asks of the window manager for its title bar.

#include <QWidget>

namespace TitleBarButtons {

constexpr Qt::WindowFlags Asked = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
    | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;

// Exactly a title, the system menu and the close button: the platform adds none of its own.
constexpr Qt::WindowFlags CloseOnly =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

inline Qt::WindowFlags of(const QWidget *form) { return form->windowFlags() & Asked; }

}
