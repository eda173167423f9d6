#include "DatePicker.h"

#include "Clock.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

DatePicker::DatePicker(QWidget *parent) : QWidget(parent)
{
    m_tick = new QCheckBox(this);
    m_date = new QDateEdit(this);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setDate(Clock::today());
    m_date->setEnabled(false);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(m_tick);
    row->addWidget(m_date, 1);
    setFocusProxy(m_tick);

    connect(m_tick, &QCheckBox::toggled, this, [this](bool on) {
        m_date->setEnabled(on);
        emit valueChanged();
    });
    connect(m_date, &QDateEdit::dateChanged, this, [this] {
        if (m_tick->isChecked())
            emit valueChanged();
    });
}

QVariant DatePicker::value() const
{
    return m_tick->isChecked() ? QVariant(m_date->date()) : QVariant();
}

void DatePicker::setValue(const QVariant &value)
{
    const int type = value.typeId();
    if ((type == QMetaType::QDate || type == QMetaType::QDateTime) && value.toDate().isValid()) {
        m_date->setDate(value.toDate());
        m_tick->setChecked(true);
    } else {
        clear();
    }
}

void DatePicker::clear()
{
    m_tick->setChecked(false);
    m_date->setDate(Clock::today());
}

QDate DatePicker::shownDate() const
{
    return m_date->date();
}
