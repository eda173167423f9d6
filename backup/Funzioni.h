#pragma once
// Backup's own value and SQL helpers. Unlike the main program's, NullToString and NullToLong
// ignore no errors: a value that does not convert raises AppError to the caller.

#include <QString>
#include <QVariant>
#include <functional>

#include "MsgBox.h"

class QWidget;

namespace Funzioni {

QString SqlQuote(const QVariant &value);        // apostrophes doubled; Null -> ""
QString NullToString(const QVariant &value);    // Null -> ""; raises when the value has no text
int NullToLong(const QVariant &value);          // Null -> 0; halves to even; raises type mismatch or overflow

// Folder picker: only file-system folders; "" when cancelled.
QString BrowseFolder(QWidget *owner, const QString &title);

// Runs a form's operation; a failure is shown as a warning with the error's description under
// the given title, and the program goes on. False when it failed.
bool Guarded(const QString &title, const std::function<void()> &operation, MsgKind kind = MsgKind::Warning);

}
