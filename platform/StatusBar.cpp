#include "StatusBar.h"

#include "AppError.h"
#include "Clock.h"
#include "Conversions.h"

#include <QLabel>
#include <QTimer>

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent), m_clock(new QTimer(this))
{
    setSizeGripEnabled(true);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &StatusBar::refresh);
}

int StatusBar::addPanel(PanelStyle style, int widthPixels, const QString &text, bool stretch)
{
    auto *l = new QLabel(this);
    l->setObjectName(QStringLiteral("panel%1").arg(m_panels.size() + 1));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setContentsMargins(3, 0, 3, 0);
    if (stretch)
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);   // may shrink below its text
    else
        l->setFixedWidth(widthPixels);
    l->setText(text);
    addWidget(l, stretch ? 1 : 0);
    m_panels.append(Panel{style, l});
    if (style != TextPanel) {
        refresh();
        m_clock->start();
    }
    return int(m_panels.size());
}

QLabel *StatusBar::label(int index) const
{
    if (index < 1 || index > m_panels.size())
        throw AppError::subscriptOutOfRange();
    return m_panels[index - 1].label;
}

QString StatusBar::panelText(int index) const { return label(index)->text(); }
void StatusBar::setPanelText(int index, const QString &text) { label(index)->setText(text); }
QString StatusBar::panelToolTip(int index) const { return label(index)->toolTip(); }
void StatusBar::setPanelToolTip(int index, const QString &text) { label(index)->setToolTip(text); }

void StatusBar::refresh()
{
    const QDateTime now = Clock::now();
    for (const Panel &p : m_panels) {
        if (p.style == DatePanel)
            p.label->setText(Conv::shortDate(now.date()));
        else if (p.style == TimePanel)
            p.label->setText(now.time().toString(QStringLiteral("HH:mm")));
    }
}

#include "moc_StatusBar.cpp"
