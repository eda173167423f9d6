#pragma once
// The list reports print what a list grid shows: an in-memory recordset of long-text fields
// receives the grid's cells by position.

#include <QString>
#include <memory>
#include <utility>
#include <vector>

class ListGrid;
class Recordset;

// An open in-memory recordset (dynamic cursor) of long-text fields with their defined sizes.
std::unique_ptr<Recordset> textRecords(const std::vector<std::pair<QString, int>> &fields);

// textRecords of the given fields, filled by copyGridRows.
std::unique_ptr<Recordset> gridRecords(ListGrid &grid, const std::vector<std::pair<QString, int>> &fields);

// For each grid row in order: selects it, adds a record and sets field c - 1 to the text of
// column c. A text longer than its field's defined size is cut to that size.
void copyGridRows(ListGrid &grid, Recordset &records);
