#pragma once
// The printed week of the planner: one line per row of its data source (field "Appuntamento"),
// the week's two dates in the page header (lblData).

#include "report/Report.h"

class rptAppunta : public Report
{
public:
    rptAppunta();
};
