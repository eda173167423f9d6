#include "SettMouse.h"

#include "Conversions.h"
#include "Shell.h"

void SettMouse::SetPointer(int newPointer)
{
    if (!m_saved)
        m_saved = Shell::mousePointer();
    Shell::setMousePointer(Conv::toInt16(newPointer));
}

SettMouse::~SettMouse()
{
    if (m_saved)
        Shell::setMousePointer(*m_saved);
}
