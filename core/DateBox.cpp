#include "DateBox.h"

#include "Clock.h"
#include "Conversions.h"
#include "DatePicker.h"
#include "Funzioni.h"
#include "LeaveCheck.h"
#include "MsgBox.h"

#include <QDateEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>

namespace DateBox {

namespace {

bool refuse()
{
    MsgBox(QStringLiteral("Correggere la sintassi della data"), MsgKind::Error, QStringLiteral("Data Error"));
    return false;
}

} // namespace

void install(QLineEdit *box, Format format)
{
    QPointer<QLineEdit> guard(box);
    LeaveCheck::install(box, [guard, format] {
        if (!guard)
            return true;
        try {
            const bool typed = !guard->text().isEmpty();
            if (!Funzioni::CheckDateText(guard) && typed)
                return refuse();
            if (!guard->text().isEmpty()) {
                const QDateTime value = Conv::toDateTime(guard->text());
                guard->setText(format == Format::ShortDate ? Conv::shortDate(value.date())
                                                           : Conv::generalDate(value));
            }
            return true;
        } catch (const std::exception &e) {
            MsgBox(QString::fromUtf8(e.what()), MsgKind::Error, QStringLiteral("Data Error"));
            return false;
        }
    });
}

void install(DatePicker *picker)
{
    QPointer<DatePicker> guard(picker);
    LeaveCheck::install(picker->dateBox(), [guard] { return !guard || guard->isComplete() || refuse(); });
}

namespace {

class TodayOnDoubleClick : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            static_cast<QLineEdit *>(watched)->setText(Conv::shortDate(Clock::today()));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}

void todayOnDoubleClick(QLineEdit *box)
{
    box->installEventFilter(new TodayOnDoubleClick(box));
}

}
