#include "ListFill.h"

#include "Conversions.h"
#include "DataBase.h"
#include "Funzioni.h"
#include "ListGrid.h"
#include "db/Recordset.h"

#include <QScopeGuard>

namespace {

const QColor OddRow(102, 153, 204);
const QColor EvenRow(153, 204, 238);

QString cellText(const QVariant &value)
{
    // A date without a time is its short date; this path skips the local-time lookup of a date-time.
    if (value.typeId() == QMetaType::QDate && !Conv::isNull(value))
        return QLatin1Char(' ') + Conv::shortDate(value.toDate());
    return QLatin1Char(' ') + Funzioni::NullToString(value);
}

} // namespace

namespace ListFill {

int fill(ListGrid *grid, const Layout &layout, const std::function<QString()> &query,
         const std::function<void(const Recordset &)> &perRecord,
         const std::function<void(int, int, const QVariant &)> &perCell)
{
    const auto redraw = qScopeGuard([grid] { grid->setRedraw(true); });
    grid->clear();
    grid->setRedraw(false);
    for (const Column &c : layout.columns)
        grid->addColumn(c.key, c.header, c.width);
    grid->refreshHeader();
    grid->setSearchColumn(layout.searchColumn);
    grid->setRedraw(true);

    Recordset rs;
    rs.open(query(), &DataBase::AdoConnect(), Recordset::OpenForwardOnly, Recordset::LockReadOnly);
    if (rs.eof())
        return 0;
    grid->setDefaultRowHeight(layout.rowHeight);
    grid->setRedraw(false);
    grid->setRowColors(OddRow, EvenRow);
    const int rows = rs.recordCount();
    grid->setRows(rows);
    // A failure half way leaves the rows written before it, and no blank ones after them.
    int written = 0;
    const auto trim = qScopeGuard([&] {
        if (written < grid->rows())
            grid->setRows(written);
    });
    const int idField = rs.fieldIndex(layout.idField);
    const int columns = int(layout.columns.size());
    for (int r = 1; !rs.eof(); ++r, rs.moveNext()) {
        if (perRecord)
            perRecord(rs);
        const int id = Funzioni::NullToLong(rs.value(idField));
        for (int c = 1; c <= columns; ++c) {
            const QVariant value = rs.value(c);
            grid->setCellText(r, c, cellText(value));
            grid->setCellItemData(r, c, id);
            if (perCell)
                perCell(r, c, value);
        }
        written = r;
    }
    return rows;
}

}
