#pragma once
// The program's own pictures, painted rather than shipped: the splash picture and the sign-in
// form's side band, both built on the hearth-and-house emblem.

#include <QPixmap>
#include <QSize>

namespace Pictures {

QPixmap splash(const QSize &size);       // the start-up picture with the program's name
QPixmap loginBorder(const QSize &size);  // the sign-in form's decoration

}
