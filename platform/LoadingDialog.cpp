#include "LoadingDialog.h"

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
    }
    QDialog::setVisible(visible);
}
