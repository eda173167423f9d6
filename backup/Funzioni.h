#pragma once
// Backup's own value and SQL helpers. Unlike the main program's, NullToString and NullToLong
// ignore no errors: a value that does not convert raises AppError to the caller.

#include <QString>
#include <QVariant>

class QWidget;

namespace Funzioni {

QString SqlQuote(const QVariant &value);        // apostrophes doubled; Null -> ""
QString NullToString(const QVariant &value);    // Null -> ""; raises when the value has no text
int NullToLong(const QVariant &value);          // Null -> 0; halves to even; raises type mismatch or overflow

// Folder picker: only file-system folders, opening at folder when one is given; "" when cancelled.
QString BrowseFolder(QWidget *owner, const QString &title, const QString &folder = {});

}
