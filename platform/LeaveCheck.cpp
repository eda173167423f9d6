#include "LeaveCheck.h"

#include "Guarded.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QPointer>

namespace {

const char *kNoCheckProperty = "_leaveCheckOff";

// The focus moves before the press that moved it reaches its control, so a failed check puts the
// focus back at once and swallows that press and its release.
class Filter : public QObject
{
public:
    QHash<const QObject *, std::function<bool()>> checks;
    QPointer<QWidget> blocked;
    bool running = false;

    std::function<bool()> checkOf(const QObject *box) const { return checks.value(box); }

    // The press goes to the control that took the focus or to a part of it (a list's rows).
    bool isBlocked(QObject *watched) const
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        return blocked && widget && (widget == blocked || blocked->isAncestorOf(widget));
    }

    bool run(QWidget *box, const std::function<bool()> &check)
    {
        running = true;
        QPointer<QWidget> guard(box);
        bool ok = false;
        // Runs inside an event filter: an error must not reach the event loop. It fails the check.
        Guarded(QString(), [&] { ok = check(); }, MsgKind::Error);
        running = false;
        if (!ok && guard)
            guard->setFocus(Qt::OtherFocusReason);
        return ok;
    }

    bool leaving(QWidget *box, QWidget *target)
    {
        const auto check = checkOf(box);
        if (!check || running)
            return true;
        if (target && (target == box || box->isAncestorOf(target) || target->window() != box->window()
                       || target->property(kNoCheckProperty).toBool()))
            return true;
        return run(box, check);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusOut: {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::MouseFocusReason && reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
                break;   // another window taking the focus (a message box) is not leaving the box
            auto *box = qobject_cast<QWidget *>(watched);
            QWidget *target = QApplication::focusWidget();
            if (box && target != box && !leaving(box, target) && reason == Qt::MouseFocusReason)
                blocked = target;
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (isBlocked(watched))
                return true;
            break;
        case QEvent::MouseButtonRelease:
            if (isBlocked(watched)) {
                blocked = nullptr;
                return true;
            }
            break;
        case QEvent::Shortcut: {
            // A button's shortcut clicks it without a focus change worth checking: check first.
            auto *target = qobject_cast<QWidget *>(watched);
            QWidget *box = QApplication::focusWidget();
            if (target && box && !leaving(box, target))
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
    Filter *f = filter();
    f->checks.insert(box, std::move(check));
    QObject::connect(box, &QObject::destroyed, f, [f, box] { f->checks.remove(box); });
}

void setCausesCheck(QWidget *control, bool causes) { control->setProperty(kNoCheckProperty, !causes); }

bool checkFocusedBox()
{
    QWidget *box = QApplication::focusWidget();
    return filter()->leaving(box, nullptr);
}

}
