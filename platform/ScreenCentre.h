#pragma once
// Where the program's windows open when they do not open over their opener: centred, with the
// window manager's frame, on the screen's available area.

class QWidget;

namespace ScreenCentre {

// Places a window that is about to show at its present size. A window larger than the screen keeps
// its top left corner on it.
void place(QWidget *window);

}
