#include "LoadingDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

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
