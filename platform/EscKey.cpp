#include "EscKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
// Watches the keys of the whole program before any control of the form handles them.
class EscFilter : public QObject
{
public:
    explicit EscFilter(QWidget *form) : QObject(form), m_form(form) { qApp->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (key->key() != Qt::Key_Escape || !widget || widget->window() != m_form)
            return false;
        if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat())
            m_form->close();
        return true;
    }

private:
    QWidget *m_form;
};
}

namespace EscKey {
void closeOnRelease(QWidget *form)
{
    new EscFilter(form);
}
}
