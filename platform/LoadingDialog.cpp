#include "LoadingDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

namespace {

// A button that runs a command (not a check box or an option button).
QAbstractButton *commandButton(QWidget *w)
{
    if (qobject_cast<QPushButton *>(w) || qobject_cast<QToolButton *>(w))
        return static_cast<QAbstractButton *>(w);
    return nullptr;
}

// Controls where Enter means something of their own (a new line, a cell's edit or choice), the
// focused part of one included (a cell's editor inside a grid).
bool keepsEnter(QWidget *w, const QWidget *form)
{
    for (; w && w != form; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView *>(w) || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w))
            return true;
    }
    return false;
}

} // namespace

int LoadingDialog::exec()
{
    if (!isVisible()) {
        if (!runLoad())
            return QDialog::Rejected;
        m_loadedForShow = true;
    }
    return QDialog::exec();
}

void LoadingDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        if (m_loadedForShow)
            m_loadedForShow = false;
        else if (!runLoad())
            return;
        fitLongestCaption();
    }
    QDialog::setVisible(visible);
}

// The window manager draws the title in a font the program cannot ask for: the application's font
// in bold is the usual one, and the icon and window buttons beside it take about five title-bar
// heights.
void LoadingDialog::fitLongestCaption()
{
    if (m_longestCaption.isEmpty())
        return;
    QFont title = QApplication::font(this);
    title.setBold(true);
    const int need = QFontMetrics(title).horizontalAdvance(m_longestCaption)
        + 5 * style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    if (width() < need)
        resize(need, height());
}

// Reached by the Enter that the focused control left alone: a button that is not the default
// leaves it, and the dialog would then press the default button instead of it.
void LoadingDialog::keyPressEvent(QKeyEvent *e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && !(e->modifiers() & ~Qt::KeypadModifier)) {
        QWidget *focus = focusWidget();
        if (QAbstractButton *button = commandButton(focus)) {
            if (button->isEnabled())
                button->click();
            return;
        }
        if (keepsEnter(focus, this))
            return;
    }
    QDialog::keyPressEvent(e);
}
