#pragma once
// A numbered list of small images (counted from 0), shared by the explorer bar and the menus.

#include <QIcon>
#include <QVector>

class ImageList
{
public:
    void setIcon(int index, const QIcon &icon)
    {
        if (index < 0)
            return;
        if (index >= m_icons.size())
            m_icons.resize(index + 1);
        m_icons[index] = icon;
    }
    QIcon icon(int index) const { return index >= 0 && index < m_icons.size() ? m_icons[index] : QIcon(); }
    int count() const { return int(m_icons.size()); }

private:
    QVector<QIcon> m_icons;
};
