#pragma once
// The contacts report: the five-column contacts list as the main window's grid shows it; the
// notes grow their line downwards. Landscape.

#include "report/GridRecords.h"

class RptContatti : public GridReport
{
public:
    RptContatti();

    // Copies the grid's rows (the grid's selection ends on the last row) and shows the
    // preview; returns when the preview closes.
    void Riempi(ListGrid &grid);
};
