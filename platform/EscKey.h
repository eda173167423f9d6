#pragma once
// Releasing Esc anywhere in a form closes it, as the form's close box does: the form sees the key
// before any of its controls. The press itself does nothing.

class QWidget;

namespace EscKey {
void closeOnRelease(QWidget *form);
}
