#include "EscKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
// Watches the keys of the whole program before any control of the form handles them.
class EscFilter : public QObject
{
public:
    EscFilter(QWidget *form, std::function<void()> action) : QObject(form), m_form(form), m_action(std::move(action))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (key->key() != Qt::Key_Escape || !widget || widget->window() != m_form)
            return false;
        if (!key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress) {
                m_pressed = true;
            } else if (m_pressed) {
                m_pressed = false;
                m_action();
            }
        }
        return true;
    }

private:
    QWidget *m_form;
    std::function<void()> m_action;
    bool m_pressed = false;
};
}

namespace EscKey {
void closeOnRelease(QWidget *form)
{
    onRelease(form, [form] { form->close(); });
}

void onRelease(QWidget *form, std::function<void()> action)
{
    new EscFilter(form, std::move(action));
}
}
