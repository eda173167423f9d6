#pragma once
// The movements report: the movements list as the main window's grid shows it (its order, its
// texts), with the list's totals text at the end. Landscape.

#include "report/Report.h"

#include <memory>

class ListGrid;

class RptMov : public Report
{
public:
    RptMov();
    ~RptMov() override;

    // Copies the grid's rows (the grid's selection walks down to the last row), puts the totals
    // text in lblTot and shows the preview; returns when the preview closes.
    void Riempi(ListGrid &grid, const QString &totals);

private:
    std::unique_ptr<Recordset> m_records;
};
