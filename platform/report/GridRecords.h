#pragma once
// The list reports print what a list grid shows: an in-memory recordset of long-text fields
// receives the grid's cells by position.

#include "Report.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

class ListGrid;
class Recordset;

// An open in-memory recordset (dynamic cursor) of long-text fields with their defined sizes.
std::unique_ptr<Recordset> textRecords(const std::vector<std::pair<QString, int>> &fields);

// Sets field `field` of the current record to the text, cut to the field's defined size (a letter
// the cut would split is left out whole): a report prints what fits rather than stopping on a long line.
void setFieldText(Recordset &records, int field, const QString &text);

// textRecords of the given fields, filled by copyGridRows.
std::unique_ptr<Recordset> gridRecords(ListGrid &grid, const std::vector<std::pair<QString, int>> &fields);

// For each grid row in order: adds a record and sets field c - 1 to the text of column c (by
// setFieldText); then selects the last row.
void copyGridRows(ListGrid &grid, Recordset &records);

// A report of what a list grid shows: the grid's rows become its data source.
class GridReport : public Report
{
public:
    explicit GridReport(const QString &caption);
    ~GridReport() override;

protected:
    // Copies the grid's rows into the given fields (the grid's selection ends on the last row) and
    // shows the preview; returns when the preview closes.
    void showGrid(ListGrid &grid, const std::vector<std::pair<QString, int>> &fields);

private:
    std::unique_ptr<Recordset> m_records;
};
