#pragma once
// The check run when the focus is about to leave a box: by a click on another control of the
// window, by Tab, or by a button's shortcut. When the check returns false the focus stays in
// the box and the click, key or shortcut that would have moved it does nothing. Controls marked
// with setCausesCheck(false) (a Cancel button) and the window's close box are never stopped.

#include <QWidget>
#include <functional>

namespace LeaveCheck {

void install(QWidget *box, std::function<bool()> check);
void setCausesCheck(QWidget *control, bool causes);
// Runs the check of the box that has the focus, as leaving it would; true when it passes or
// when no box with a check has the focus.
bool checkFocusedBox();

}
