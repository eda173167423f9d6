#pragma once
// Releasing Esc anywhere in a form closes it, as the form's close box does (or runs the form's own
// Esc action): the form sees the key before any of its controls, and the press itself does nothing.
// Only a release whose press the form saw counts: Esc pressed on an open drop-down list or on a
// message box closes that alone, though its release lands on the form.

#include <functional>

class QWidget;

namespace EscKey {
void closeOnRelease(QWidget *form);
void onRelease(QWidget *form, std::function<void()> action);
}
