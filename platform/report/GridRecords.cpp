#include "GridRecords.h"

#include "ListGrid.h"
#include "db/Recordset.h"

std::unique_ptr<Recordset> textRecords(const std::vector<std::pair<QString, int>> &fields)
{
    auto records = std::make_unique<Recordset>();
    for (const auto &[name, size] : fields)
        records->appendField(name, Recordset::LongVarWChar, size);
    records->setCursorType(Recordset::OpenDynamic);
    records->open();
    return records;
}

void setFieldText(Recordset &records, int field, const QString &text)
{
    const int size = records.fieldSize(field);
    if (size <= 0 || text.size() <= size) {
        records.setValue(field, text);
        return;
    }
    // Half a letter outside the basic plane would print as a stray box.
    records.setValue(field, text.left(text[size].isLowSurrogate() ? size - 1 : size));
}

void copyGridRows(ListGrid &grid, Recordset &records)
{
    const int rows = grid.rows();
    const int columns = grid.columns();
    // The cells are read by position: selecting each row in turn would scroll and repaint the list
    // once per row. The selection ends on the last row, where walking down would have left it.
    for (int r = 1; r <= rows; ++r) {
        records.addNew();
        for (int c = 1; c <= columns; ++c)
            setFieldText(records, c - 1, grid.cellText(r, c));
    }
    if (rows > 0)
        grid.setSelectedRow(rows);
}

std::unique_ptr<Recordset> gridRecords(ListGrid &grid, const std::vector<std::pair<QString, int>> &fields)
{
    std::unique_ptr<Recordset> records = textRecords(fields);
    copyGridRows(grid, *records);
    return records;
}

GridReport::GridReport(const QString &caption) : Report(caption) {}

GridReport::~GridReport() = default;

void GridReport::showGrid(ListGrid &grid, const std::vector<std::pair<QString, int>> &fields)
{
    m_records = gridRecords(grid, fields);
    dataSource = m_records.get();
    show(grid.window());
}
