#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MsgBoxSeam::Handler g_handler;
QString g_defaultTitle = QStringLiteral("Focolarium");
}

namespace MsgBoxSeam {
void setHandler(Handler handler) { g_handler = std::move(handler); }
void setDefaultTitle(const QString &title) { g_defaultTitle = title; }
QString defaultTitle() { return g_defaultTitle; }
}

MsgAnswer MsgBox(const QString &text, MsgKind kind, const QString &title)
{
    const MsgRecord record{text, kind, title.isEmpty() ? g_defaultTitle : title};
    if (g_handler)
        return g_handler(record);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(record.title);
    box.setText(text);
    switch (kind) {
    case MsgKind::Information: box.setIcon(QMessageBox::Information); break;
    case MsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgKind::Question: box.setIcon(QMessageBox::Question); break;
    case MsgKind::WarningQuestion: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Plain:
    case MsgKind::PlainOkCancel: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (kind == MsgKind::Question || kind == MsgKind::WarningQuestion) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else if (kind == MsgKind::PlainOkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return MsgAnswer::Ok;
    }
}
