#include "ListGrid.h"

#include "AppError.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QDate>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
#include <QProxyStyle>
#include <QScopedValueRollback>
#include <QStyleOptionHeader>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Ends a header caption wider than its column with an ellipsis, as the cells end theirs: Qt's own styles
// clip it.
class ElidingHeaderStyle : public QProxyStyle
{
public:
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option);
        if (element != CE_HeaderLabel || !header)
            return QProxyStyle::drawControl(element, option, painter, widget);
        QStyleOptionHeader elided(*header);
        elided.text = header->fontMetrics.elidedText(header->text, Qt::ElideRight, header->rect.width());
        QProxyStyle::drawControl(element, &elided, painter, widget);
    }
};

// A colour that was never set keeps alpha 0, so the view's palette shows through.
QRgb packColor(const QColor &c) { return c.isValid() ? c.rgb() : 0; }
QColor unpackColor(QRgb packed, const QColor &unset) { return qAlpha(packed) ? QColor::fromRgb(packed) : unset; }

struct Cell
{
    QString text;
    qint32 itemData = 0;
    QRgb back = 0;
    QRgb fore = 0;
};

struct Column
{
    QString key;
    QString header;
    QString tag;
    Qt::Alignment headerAlignment;
};

// Numbers as the Italian conversions write them: "1234,56", "1.234,56", "-12", " 7 €".
bool parseNumber(const QString &text, double &out)
{
    QString t;
    t.reserve(text.size());
    for (QChar ch : text) {
        if (ch.isDigit() || ch == QLatin1Char('-') || ch == QLatin1Char('+'))
            t.append(ch);
        else if (ch == QLatin1Char(','))
            t.append(QLatin1Char('.'));
        else if (ch == QLatin1Char('.') || ch.isSpace() || ch == QChar(0x20AC))
            continue;
        else
            return false;
    }
    bool ok = false;
    out = t.toDouble(&ok);
    return ok;
}

// Dates as "dd/MM/yyyy", optionally followed by " HH:mm:ss"; seconds since a fixed origin.
bool parseDate(const QString &text, qint64 &out)
{
    const QString t = text.trimmed();
    int parts[6] = {0, 0, 0, 0, 0, 0};
    int n = 0;
    int digits = 0;
    for (QChar ch : t) {
        if (ch.isDigit()) {
            if (n >= 6 || digits >= 4)   // no part of a date has more than four digits
                return false;
            parts[n] = parts[n] * 10 + ch.digitValue();
            ++digits;
        } else if (ch == QLatin1Char('/') || ch == QLatin1Char(':') || ch == QLatin1Char(' ')
                   || ch == QLatin1Char('-') || ch == QLatin1Char('.')) {
            if (digits == 0)
                return false;
            ++n;
            digits = 0;
        } else {
            return false;
        }
    }
    if (digits > 0)
        ++n;
    if (n != 3 && n != 5 && n != 6)
        return false;
    const QDate d(parts[2], parts[1], parts[0]);
    if (!d.isValid())
        return false;
    out = d.toJulianDay() * 86400 + parts[3] * 3600 + parts[4] * 60 + parts[5];
    return true;
}

} // namespace

class ListGridModel : public QAbstractTableModel
{
public:
    explicit ListGridModel(QObject *parent) : QAbstractTableModel(parent) {}

    std::vector<Column> columns;
    std::vector<Cell> cells;       // row-major, rows * columns.size()
    QRgb rowColors[2] = {0, 0};    // odd and even rows by place; unset: the view's own
    int rowCountValue = 0;
    bool redraw = true;
    bool dirty = false;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : rowCountValue; }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(columns.size());
    }

    const Cell &cell(int row, int col) const { return cells[size_t(row) * columns.size() + size_t(col)]; }
    Cell &cell(int row, int col) { return cells[size_t(row) * columns.size() + size_t(col)]; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const Cell &c = cell(index.row(), index.column());
        switch (role) {
        case Qt::DisplayRole:
            return c.text;
        case Qt::BackgroundRole:
            return brushOf(backOf(index.row(), c));
        case Qt::ForegroundRole:
            return brushOf(c.fore);
        case Qt::TextAlignmentRole:
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::UserRole:
            return c.itemData;
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= int(columns.size()))
            return QAbstractTableModel::headerData(section, orientation, role);
        if (role == Qt::DisplayRole)
            return columns[size_t(section)].header;
        if (role == Qt::TextAlignmentRole)
            return QVariant(columns[size_t(section)].headerAlignment);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    // Rows count from 0 here: row 0 is the grid's row 1, an odd one.
    QRgb backOf(int row, const Cell &c) const { return qAlpha(c.back) ? c.back : rowColors[row % 2]; }

    static QVariant brushOf(QRgb packed) { return qAlpha(packed) ? QVariant(QBrush(QColor::fromRgb(packed))) : QVariant(); }

    void changed(int row, int col)
    {
        if (redraw) {
            const QModelIndex i = index(row, col);
            emit dataChanged(i, i);
        } else {
            dirty = true;
        }
    }

    void changedAll()
    {
        dirty = true;
        if (redraw)
            flush();
    }

    void flush()
    {
        if (dirty && rowCountValue > 0 && !columns.empty())
            emit dataChanged(index(0, 0), index(rowCountValue - 1, int(columns.size()) - 1));
        dirty = false;
    }

    void clearAll()
    {
        beginResetModel();
        columns.clear();
        cells.clear();
        rowCountValue = 0;
        dirty = false;
        endResetModel();
    }

    void addColumn(Column column)
    {
        const int at = int(columns.size());
        beginInsertColumns({}, at, at);
        const size_t oldCols = columns.size();
        columns.push_back(std::move(column));
        if (rowCountValue > 0) {
            std::vector<Cell> grown(size_t(rowCountValue) * columns.size());
            for (int r = 0; r < rowCountValue; ++r)
                for (size_t c = 0; c < oldCols; ++c)
                    grown[size_t(r) * columns.size() + c] = std::move(cells[size_t(r) * oldCols + c]);
            cells.swap(grown);
        }
        endInsertColumns();
    }

    void setRows(int rows)
    {
        rows = std::max(rows, 0);
        if (rows == rowCountValue)
            return;
        beginResetModel();
        cells.resize(size_t(rows) * columns.size());
        rowCountValue = rows;
        endResetModel();
    }

    // Reorders the rows as `order` says (order[i] = the old row that becomes row i).
    void permute(const std::vector<int> &order)
    {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const size_t cols = columns.size();
        std::vector<Cell> sorted(cells.size());
        std::vector<int> newRowOf(order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            newRowOf[size_t(order[i])] = int(i);
            for (size_t c = 0; c < cols; ++c)
                sorted[i * cols + c] = std::move(cells[size_t(order[i]) * cols + c]);
        }
        cells.swap(sorted);
        const QModelIndexList old = persistentIndexList();
        QModelIndexList moved;
        moved.reserve(old.size());
        for (const QModelIndex &i : old)
            moved.append(index(newRowOf[size_t(i.row())], i.column()));
        changePersistentIndexList(old, moved);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
};

ListGrid::ListGrid(QWidget *parent) : QTableView(parent), m_model(new ListGridModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setSortingEnabled(false);
    setAlternatingRowColors(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    auto *headerStyle = new ElidingHeaderStyle;
    headerStyle->setParent(horizontalHeader());
    horizontalHeader()->setStyle(headerStyle);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { emit columnClick(section + 1); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &i) { emit dblClick(i.row() + 1, i.column() + 1); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                if (current.isValid() && !m_focusArriving)
                    emit selectionChange(current.row() + 1, current.column() + 1);
            });
}

ListGrid::~ListGrid() = default;

void ListGrid::clear()
{
    m_model->clearAll();
    m_sortColumn = 0;
}

void ListGrid::setRedraw(bool on)
{
    m_model->redraw = on;
    setUpdatesEnabled(on);
    if (on) {
        m_model->flush();
        viewport()->update();
    }
}

bool ListGrid::redraw() const { return m_model->redraw; }

void ListGrid::addColumn(const QString &key, const QString &header, int widthPixels, Qt::Alignment headerAlignment)
{
    m_model->addColumn(Column{key, header, QString(), headerAlignment});
    setColumnWidth(m_model->columnCount() - 1, widthPixels);
}

void ListGrid::refreshHeader()
{
    if (m_model->columnCount() > 0)
        emit m_model->headerDataChanged(Qt::Horizontal, 0, m_model->columnCount() - 1);
}

void ListGrid::setSearchColumn(const QString &key) { m_searchColumn = key; }
QString ListGrid::searchColumn() const { return m_searchColumn; }

void ListGrid::setDefaultRowHeight(int pixels) { verticalHeader()->setDefaultSectionSize(std::max(pixels, 1)); }

void ListGrid::setRows(int rows) { m_model->setRows(rows); }
int ListGrid::rows() const { return m_model->rowCountValue; }
int ListGrid::columns() const { return int(m_model->columns.size()); }

// Cells count from 1; a cell outside the grid raises "subscript out of range".
static Cell &cellAt(ListGridModel *model, int row, int column)
{
    if (row < 1 || row > model->rowCountValue || column < 1 || column > int(model->columns.size()))
        throw AppError::subscriptOutOfRange();
    return model->cell(row - 1, column - 1);
}

void ListGrid::setCellText(int row, int column, const QString &text)
{
    cellAt(m_model, row, column).text = text;
    m_model->changed(row - 1, column - 1);
}

QString ListGrid::cellText(int row, int column) const { return cellAt(m_model, row, column).text; }

void ListGrid::setCellItemData(int row, int column, int itemData) { cellAt(m_model, row, column).itemData = itemData; }
int ListGrid::cellItemData(int row, int column) const { return cellAt(m_model, row, column).itemData; }

void ListGrid::setCellBackColor(int row, int column, const QColor &color)
{
    cellAt(m_model, row, column).back = packColor(color);
    m_model->changed(row - 1, column - 1);
}

QColor ListGrid::cellBackColor(int row, int column) const
{
    return unpackColor(m_model->backOf(row - 1, cellAt(m_model, row, column)), palette().color(QPalette::Base));
}

void ListGrid::setRowColors(const QColor &odd, const QColor &even)
{
    m_model->rowColors[0] = packColor(odd);
    m_model->rowColors[1] = packColor(even);
    m_model->changedAll();
}

void ListGrid::setCellForeColor(int row, int column, const QColor &color)
{
    cellAt(m_model, row, column).fore = packColor(color);
    m_model->changed(row - 1, column - 1);
}

QColor ListGrid::cellForeColor(int row, int column) const
{
    return unpackColor(cellAt(m_model, row, column).fore, palette().color(QPalette::Text));
}

int ListGrid::selectedRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int ListGrid::selectedCol() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() + 1 : 0;
}

void ListGrid::setSelectedRow(int row)
{
    if (row < 1 || row > m_model->rowCountValue || m_model->columns.empty())
        throw AppError::subscriptOutOfRange();
    const int col = std::max(selectedCol(), 1) - 1;
    setCurrentIndex(m_model->index(row - 1, col));
}

// Columns count from 1; a column outside the grid raises "subscript out of range".
static Column &columnOf(ListGridModel *model, int column)
{
    if (column < 1 || column > int(model->columns.size()))
        throw AppError::subscriptOutOfRange();
    return model->columns[size_t(column - 1)];
}

QString ListGrid::columnKey(int column) const { return columnOf(m_model, column).key; }

int ListGrid::columnIndex(const QString &key) const
{
    for (size_t i = 0; i < m_model->columns.size(); ++i)
        if (m_model->columns[i].key == key)
            return int(i) + 1;
    return 0;
}

QString ListGrid::columnTag(int column) const { return columnOf(m_model, column).tag; }
void ListGrid::setColumnTag(int column, const QString &tag) { columnOf(m_model, column).tag = tag; }

void ListGrid::clearSortKeys() { m_sortColumn = 0; }

void ListGrid::setSortKey(int column, Qt::SortOrder order, SortType type)
{
    columnOf(m_model, column);
    m_sortColumn = column;
    m_sortOrder = order;
    m_sortType = type;
}

void ListGrid::sort()
{
    if (m_sortColumn < 1 || m_sortColumn > columns() || rows() < 2)
        return;
    const int n = rows();
    const int col = m_sortColumn - 1;
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    const bool desc = m_sortOrder == Qt::DescendingOrder;

    // Each cell is read once into a comparable key; a cell that does not read sorts as the lowest.
    auto sortBy = [&](auto &keys) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return desc ? keys[size_t(b)] < keys[size_t(a)] : keys[size_t(a)] < keys[size_t(b)];
        });
    };
    if (m_sortType == SortNumeric) {
        std::vector<std::pair<bool, double>> keys(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r) {
            double v = 0;
            const bool ok = parseNumber(m_model->cell(r, col).text, v);
            keys[size_t(r)] = {ok, ok ? v : 0.0};
        }
        sortBy(keys);
    } else if (m_sortType == SortDate) {
        std::vector<std::pair<bool, qint64>> keys(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r) {
            qint64 v = 0;
            const bool ok = parseDate(m_model->cell(r, col).text, v);
            keys[size_t(r)] = {ok, ok ? v : 0};
        }
        sortBy(keys);
    } else {
        std::vector<QString> keys(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[size_t(r)] = m_model->cell(r, col).text.trimmed().toCaseFolded();
        sortBy(keys);
    }
    m_model->permute(order);
}

QColor ListGrid::fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void ListGrid::focusInEvent(QFocusEvent *event)
{
    // The view makes the first cell current when the focus arrives in a grid with none: that is
    // no choice of the user's, so it is taken back at once and never reported.
    const QScopedValueRollback arriving(m_focusArriving, true);
    const bool hadCurrent = currentIndex().isValid();
    QTableView::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid())
        selectionModel()->clearCurrentIndex();
}

void ListGrid::mousePressEvent(QMouseEvent *event)
{
    // The right button selects the cell under the pointer, so that the popup it opens acts on that
    // row; it starts no drag selection. Below the last row the selection stays where it was.
    if (event->button() == Qt::RightButton) {
        const QModelIndex at = indexAt(event->position().toPoint());
        if (at.isValid())
            setCurrentIndex(at);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void ListGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

#include "moc_ListGrid.cpp"
