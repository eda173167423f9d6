#include "LeaveCheck.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>

namespace {

const char *kCheckProperty = "_leaveCheckId";
const char *kNoCheckProperty = "_leaveCheckOff";

class Filter : public QObject
{
public:
    QHash<quintptr, std::function<bool()>> checks;
    bool running = false;

    bool runFor(QWidget *target)
    {
        QWidget *box = QApplication::focusWidget();
        if (!box || running)
            return true;
        const QVariant id = box->property(kCheckProperty);
        if (!id.isValid() || !checks.contains(id.value<quintptr>()))
            return true;
        if (target) {
            if (target == box || box->isAncestorOf(target))
                return true;
            if (target->property(kNoCheckProperty).toBool())
                return true;
            if (target->window() != box->window())
                return true;
        }
        running = true;
        QPointer<QWidget> guard(box);
        const bool ok = checks.value(id.value<quintptr>())();
        running = false;
        if (!ok && guard)
            guard->setFocus(Qt::OtherFocusReason);
        return ok;
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto *w = qobject_cast<QWidget *>(watched);
            if (!w || !w->isEnabled())
                break;
            // Only a press on a control that would take the focus (or a button) leaves the box.
            QWidget *focusTarget = w;
            while (focusTarget && !(focusTarget->focusPolicy() & Qt::ClickFocus)
                   && !qobject_cast<QAbstractButton *>(focusTarget))
                focusTarget = focusTarget->parentWidget();
            if (!focusTarget)
                break;
            if (!runFor(focusTarget))
                return true;
            break;
        }
        case QEvent::Shortcut: {
            auto *w = qobject_cast<QWidget *>(watched);
            if (w && !runFor(w))
                return true;
            break;
        }
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                && watched == QApplication::focusWidget() && !runFor(nullptr))
                return true;
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

Filter *filter()
{
    static Filter *f = [] {
        auto *created = new Filter;
        qApp->installEventFilter(created);
        return created;
    }();
    return f;
}

} // namespace

namespace LeaveCheck {

void install(QWidget *box, std::function<bool()> check)
{
    const auto id = reinterpret_cast<quintptr>(box);
    box->setProperty(kCheckProperty, QVariant::fromValue(id));
    Filter *f = filter();
    f->checks.insert(id, std::move(check));
    QObject::connect(box, &QObject::destroyed, f, [f, id] { f->checks.remove(id); });
}

void setCausesCheck(QWidget *control, bool causes) { control->setProperty(kNoCheckProperty, !causes); }

bool checkFocusedBox() { return filter()->runFor(nullptr); }

}
