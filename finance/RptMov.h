#pragma once
// The movements report: the movements list as the main window's grid shows it (its order, its
// texts), with the list's totals text at the end. Landscape.

#include "report/GridRecords.h"

class RptMov : public GridReport
{
public:
    RptMov();

    // Copies the grid's rows (the grid's selection ends on the last row), puts the totals
    // text in lblTot and shows the preview; returns when the preview closes.
    void Riempi(ListGrid &grid, const QString &totals);
};
