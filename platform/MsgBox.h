#pragma once
// The one way the programs show a message box. Tests install a handler that answers and records.

#include <QString>
#include <functional>

enum class MsgKind { Information, Warning, Error, Question, WarningQuestion, Plain, PlainOkCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MsgRecord
{
    QString text;
    MsgKind kind;
    QString title;
};

// Shows a modal message box; an empty title shows the program's title ("Focolarium" unless set).
MsgAnswer MsgBox(const QString &text, MsgKind kind = MsgKind::Plain, const QString &title = {});

namespace MsgBoxSeam {
using Handler = std::function<MsgAnswer(const MsgRecord &)>;
void setHandler(Handler handler);          // an empty handler restores the real boxes
void setDefaultTitle(const QString &title);
QString defaultTitle();
}
