#pragma once
// Help: the current help context id that the windows set, the help file's path, and the topic
// shown in the program's help window. On Linux the help file is the HTML file Help.html in the
// program folder; each topic is an anchor named by its context id.

#include <QString>

class QWidget;

namespace HTMLHelp {

extern int CurrentHelpId;                       // 0 until a window sets it; never reset

QString HelpFilePath(short kind);               // kind 1: the program folder + "/Help.html"; else ""
void ShowHelpTopic(short kind, int contextId);  // a missing file shows nothing

// The form's own help context id: F1 anywhere in the form opens that topic. A form may change
// it later (the main window does, for each list). Not for a form whose menu already has F1.
void setFormHelpId(QWidget *form, int contextId);
int formHelpId(const QWidget *form);

}
