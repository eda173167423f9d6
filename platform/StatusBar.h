#pragma once
// A status bar of panels, left to right; a date or time panel shows the clock's today or now.

#include <QStatusBar>
#include <QVector>

class QLabel;
class QTimer;

class StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    enum PanelStyle { TextPanel, DatePanel, TimePanel };

    explicit StatusBar(QWidget *parent = nullptr);

    // Panels count from 1. A panel with stretch takes the width left over (widthPixels unused).
    int addPanel(PanelStyle style, int widthPixels, const QString &text = {}, bool stretch = false);
    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);
    QString panelToolTip(int index) const;
    void setPanelToolTip(int index, const QString &text);
    void refresh();                                 // rewrites the date and time panels

private:
    struct Panel
    {
        PanelStyle style;
        QLabel *label;
    };
    QLabel *label(int index) const;
    QVector<Panel> m_panels;
    QTimer *m_clock;
};
