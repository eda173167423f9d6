#include "DatePicker.h"

#include "Clock.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>

namespace {

// The numbers a date text holds, in order: padding a section with a zero changes none of them.
QList<int> numbers(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("\\D+"));
    QList<int> result;
    for (const QString &part : text.split(separators, Qt::SkipEmptyParts))
        result << part.toInt();
    return result;
}

} // namespace

// Qt's date box moves a day the month shown lacks to the month's last as soon as the month is typed
// (29, then 02 while the year is still another: 28/02), and on the focus coming or going or on
// Enter it rewrites a text that is no date from the last date it held. This one keeps the text as typed:
// its own date follows Qt's parse, but the picker reads the date from the text.
class TypedDateEdit : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

    QDate typedDate() const { return typedDate(lineEdit()->text()); }
    QLineEdit *editor() const { return lineEdit(); }

protected:
    QValidator::State validate(QString &input, int &pos) const override
    {
        QString parsed = input;
        int at = pos;
        const QValidator::State state = QDateEdit::validate(parsed, at);
        if (numbers(parsed) == numbers(input)) {
            input = parsed;
            pos = at;
        }
        return state;
    }

    void focusInEvent(QFocusEvent *event) override
    {
        keepingTypedText([&] { QDateEdit::focusInEvent(event); });
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        keepingTypedText([&] { QDateEdit::focusOutEvent(event); });
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            keepingTypedText([&] { QDateEdit::keyPressEvent(event); });
        else
            QDateEdit::keyPressEvent(event);
    }

private:
    QDate typedDate(const QString &text) const
    {
        QString parsed = text;
        int pos = 0;
        if (QDateEdit::validate(parsed, pos) != QValidator::Acceptable || numbers(parsed) != numbers(text))
            return {};
        return dateTimeFromText(parsed).date();
    }

    template <class Base> void keepingTypedText(Base base)
    {
        const QString typed = lineEdit()->text();
        if (typedDate(typed).isValid()) {
            base();
            return;
        }
        {
            const QSignalBlocker quiet(this);   // the date Qt puts back is not the user's
            base();
        }
        // Unseen by Qt's own handlers, which would parse the text back into the last date.
        const Section section = currentSection();
        {
            const QSignalBlocker quiet(lineEdit());
            lineEdit()->setText(typed);
        }
        setSelectedSection(section);
    }
};

DatePicker::DatePicker(QWidget *parent) : QWidget(parent)
{
    m_tick = new QCheckBox(this);
    m_date = new TypedDateEdit(this);
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
        changed();
    });
    // Typing changes the text first; a date set or picked changes the date with the text unseen.
    connect(m_date->editor(), &QLineEdit::textChanged, this, &DatePicker::changed);
    connect(m_date, &QDateEdit::dateChanged, this, &DatePicker::changed);
}

QVariant DatePicker::value() const
{
    const QDate shown = shownDate();
    return m_tick->isChecked() && shown.isValid() ? QVariant(shown) : QVariant();
}

// Qt rewrites a typed text unseen when the date set is the one it already held: told here.
void DatePicker::setValue(const QVariant &value)
{
    const int type = value.typeId();
    if ((type == QMetaType::QDate || type == QMetaType::QDateTime) && value.toDate().isValid()) {
        m_date->setDate(value.toDate());
        m_tick->setChecked(true);
        changed();
    } else {
        clear();
    }
}

void DatePicker::clear()
{
    m_tick->setChecked(false);
    m_date->setDate(Clock::today());
    changed();
}

bool DatePicker::isComplete() const
{
    return !m_tick->isChecked() || shownDate().isValid();
}

QDate DatePicker::shownDate() const
{
    return m_date->typedDate();
}

QDateEdit *DatePicker::dateBox() const
{
    return m_date;
}

void DatePicker::changed()
{
    const QVariant now = value();
    if (now == m_told)
        return;
    m_told = now;
    emit valueChanged();
}
