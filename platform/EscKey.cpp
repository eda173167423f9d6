#include "EscKey.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {
class EscFilter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return QObject::eventFilter(watched, event);
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Escape)
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat())
            static_cast<QWidget *>(parent())->close();
        return true;
    }
};
}

namespace EscKey {
void closeOnRelease(QWidget *form)
{
    form->installEventFilter(new EscFilter(form));
}
}
