#include "LoadingDialog.h"

#include "ScreenCentre.h"
#include "TitleBar.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
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

void LoadingDialog::offerCloseOnly()
{
    // Without CustomizeWindowHint the platform adds its default buttons to the ones asked for.
    setWindowFlags((windowFlags() & Qt::WindowType_Mask) | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

void LoadingDialog::fitLongestCaption()
{
    if (m_longestCaption.isEmpty())
        return;
    const int need = TitleBar::widthFor(m_longestCaption, this);
    if (width() < need)
        resize(need, height());
}

// The dialog places a form that the code has not placed over the window that opens it when it
// shows it; placed here first, the form keeps the screen's centre. The place is not the code's own
// choice: the next showing centres it again.
void LoadingDialog::showEvent(QShowEvent *e)
{
    const bool centre = m_centredOnScreen && !e->spontaneous() && !testAttribute(Qt::WA_Moved);
    if (centre)
        centreOnScreen();
    QDialog::showEvent(e);
    if (centre)
        setAttribute(Qt::WA_Moved, false);
}

void LoadingDialog::centreOnScreen()
{
    // The size the form shows with: what its load changed may still ask its layout for more room.
    if (layout())
        layout()->activate();
    ScreenCentre::place(this);
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
