#pragma once
// Runs an operation and gives back the number of the AppError it raised (0 when none).

#include "AppError.h"

template <typename F>
long errorOf(F &&operation)
{
    try {
        operation();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}
