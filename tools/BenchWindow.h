// What the main-window benchmarks share: the main window, offscreen, over a family of 100,000
// movements of one year, and the movements list built as the user asks for it.
#pragma once

#include "BenchFamily.h"

#include <QString>
#include <memory>

class frmMain;

namespace BenchWindow {

constexpr int year = 2024;

// Fills the family file and opens the main window on it, shown, with the year in the search panel.
std::unique_ptr<frmMain> open(const QString &file);

// The menu command "Movimenti", timed; the rows are the grid's.
BenchFamily::Result movementList(frmMain &window);

}
