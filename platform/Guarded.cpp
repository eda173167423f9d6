#include "Guarded.h"

#include "AppError.h"

#include <exception>

bool Guarded(const QString &title, const std::function<void()> &operation, MsgKind kind)
{
    try {
        operation();
        return true;
    } catch (const AppError &e) {
        MsgBox(e.description(), kind, title);
    } catch (const std::exception &e) {
        MsgBox(QString::fromUtf8(e.what()), kind, title);
    }
    return false;
}
