#include "MsgBox.h"

#include "TitleBar.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {
MsgBoxSeam::Handler g_handler;
QString g_defaultTitle = QStringLiteral("Focolarium");

// A box sized for its text alone loses the middle of a longer title. A spacer as wide as the title
// bar needs keeps the box at least that wide (the box fixes its own size from its layout).
void holdWholeTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const QMargins margins = grid->contentsMargins();
    const int width = TitleBar::widthFor(box.windowTitle(), &box) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}
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
    holdWholeTitle(box);
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return MsgAnswer::Ok;
    }
}
