#pragma once
// The hourglass guard: a save action holds one as a local object and calls SetPointer(11) first;
// when the object goes, the mouse pointer shown before the first SetPointer comes back.

#include <optional>

class SettMouse
{
public:
    SettMouse() = default;
    ~SettMouse();
    SettMouse(const SettMouse &) = delete;
    SettMouse &operator=(const SettMouse &) = delete;

    void SetPointer(int newPointer = 0);

private:
    std::optional<int> m_saved;   // empty until the first SetPointer
};
