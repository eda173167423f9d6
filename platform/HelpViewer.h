#pragma once
// The program's own help window: one small browser window that shows an HTML help file at the
// anchor of a topic. A missing file shows nothing.

#include <QString>

class QTextBrowser;

namespace HelpViewer {

void showTopic(const QString &file, const QString &anchor);
QTextBrowser *window();   // the help window when it is open, else nullptr

}
