#pragma once
// Runs a form's operation so that no error escapes to the event loop: a failure is shown as a
// message box of the given kind with the error's description under the given title, and the
// program goes on.

#include "MsgBox.h"

#include <QString>
#include <functional>

// True when the operation ran to its end; false when it failed and its message was shown.
bool Guarded(const QString &title, const std::function<void()> &operation, MsgKind kind = MsgKind::Warning);
