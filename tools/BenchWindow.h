// What the main-window benchmarks share: the main window over a family of 100,000 movements of one
// year (or as many as asked), and the movements list built as the user asks for it.
#pragma once

#include "BenchFamily.h"

#include <QString>
#include <functional>
#include <memory>

class frmMain;

namespace BenchWindow {

constexpr int year = 2024;

// Fills the family file and opens the main window on it, shown, with the year in the search panel.
std::unique_ptr<frmMain> open(const QString &file, int movements = BenchFamily::movements);

// The menu command "Movimenti", timed; the rows are the grid's.
BenchFamily::Result movementList(frmMain &window);

// A benchmark's frame: the application in Italian, offscreen unless QT_QPA_PLATFORM names another
// platform (xcb under xvfb-run), the family file in a temporary folder and the main window open on
// it, then the body; an error is printed under the name and gives 1, else the body's result is the
// exit code.
int run(int &argc, char *argv[], const char *name,
        const std::function<int(const QString &dir, const QString &file, frmMain &window)> &body,
        int movements = BenchFamily::movements);

}
