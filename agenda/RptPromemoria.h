#pragma once
// The reminders report: the reminders list as the main window's grid shows it, closed by the
// number of reminders printed. Portrait.

#include "report/GridRecords.h"

class RptPromemoria : public GridReport
{
public:
    RptPromemoria();

    // Copies the grid's rows (the grid's selection ends on the last row) and shows the
    // preview; returns when the preview closes.
    void Riempi(ListGrid &grid);
};
