#pragma once
// Fills a list grid from one read-only query: the columns and the search column first, then a row
// a record. Fields 1 and up fill the columns by position, each cell showing one blank and the
// field's text; every cell of a row carries the record's id (the id field) as its item data, and
// the rows take the lists' two alternating back colours by their place. A failure raises and leaves the grid with
// the rows written so far, and no others; the grid draws again whichever way it ends.

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

class ListGrid;
class Recordset;

namespace ListFill {

struct Column
{
    QString key;
    QString header;
    int width;
};

struct Layout
{
    QVector<Column> columns;
    QString searchColumn;
    int rowHeight;
    QString idField;
};

// query is asked for once the columns stand, so that a query that cannot be made fails with
// the grid already emptied. perRecord runs on each record before its cells are written; perCell
// after each cell is. Returns the number of rows.
int fill(ListGrid *grid, const Layout &layout, const std::function<QString()> &query,
         const std::function<void(const Recordset &)> &perRecord = {},
         const std::function<void(int row, int column, const QVariant &value)> &perCell = {});

}
