#include "DataGrid.h"

#include "Conversions.h"
#include "DataSource.h"
#include "Guarded.h"
#include "db/Recordset.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace {
// Ctrl+Tab or Ctrl+Shift+Tab (which arrives as Backtab or as a shifted Tab).
bool leavesGrid(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && (key->modifiers() & Qt::ControlModifier);
}

// A cell's editor lets Ctrl+Tab through to the grid instead of taking it for the next cell.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool eventFilter(QObject *editor, QEvent *event) override
    {
        return !leavesGrid(event) && QStyledItemDelegate::eventFilter(editor, event);
    }
};
} // namespace

// The records of a recordset as rows, read on demand. Rows added or removed by the recordset's own
// operations are told to the view one at a time: an added record is the last, a removed one is the
// record that was current.
class RecordsetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRecordset(Recordset *rs)
    {
        beginResetModel();
        if (m_rs)
            m_rs->disconnect(this);
        m_rs = rs;
        m_count = recordCount();
        m_currentRow = -1;
        if (m_rs) {
            connect(m_rs, &Recordset::moveComplete, this, &RecordsetModel::sync);
            connect(m_rs, &Recordset::recordChangeComplete, this, &RecordsetModel::refreshAll);
            connect(m_rs, &QObject::destroyed, this, [this] { setRecordset(nullptr); });
        }
        endResetModel();
        sync();
    }
    Recordset *recordset() const { return m_rs; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_count + (addable() ? 1 : 0);
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !isOpen() ? 0 : m_rs->fieldCount();
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= m_count || !isOpen())
            return {};
        const QVariant v = m_rs->valueAt(index.row() + 1, index.column());
        return Conv::isNull(v) ? QString() : Conv::toText(v);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || !isOpen())
            return {};
        if (orientation == Qt::Horizontal)
            return section < m_rs->fieldCount() ? m_rs->fieldName(section) : QVariant();
        if (section == m_count)
            return QStringLiteral("*");
        return section == m_currentRow ? QStringLiteral("\u25B8") : QString();
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (addable())
            f |= Qt::ItemIsEditable;
        return f;
    }

    // A typed cell: the new-record row starts a record, unless the cell was left empty (a cell
    // passed over with Tab starts none); any other row becomes the current record first. An empty
    // text writes Null.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !isOpen())
            return false;
        const QString text = value.toString();
        const int row = index.row();
        if (row >= m_count && text.isEmpty())
            return true;
        return Guarded(QString(), [&] {
            if (row >= m_count)
                m_rs->addNew();
            else if (m_rs->absolutePosition() != row + 1)
                m_rs->setAbsolutePosition(row + 1);
            m_rs->setValue(index.column(), text.isEmpty() ? QVariant() : QVariant(text));
            const int at = m_rs->absolutePosition() - 1;
            emit dataChanged(this->index(at, 0), this->index(at, columnCount() - 1));
        });
    }

signals:
    void currentMoved(int row);

private:
    bool isOpen() const { return m_rs && m_rs->isOpen(); }
    int recordCount() const { return isOpen() ? m_rs->recordCount() : 0; }
    bool addable() const { return isOpen() && m_rs->lockType() != Recordset::LockReadOnly; }

    void sync()
    {
        const int n = recordCount();
        if (n == m_count + 1) {
            beginInsertRows({}, m_count, m_count);
            m_count = n;
            endInsertRows();
        } else if (n == m_count - 1 && m_currentRow >= 0 && m_currentRow < m_count) {
            beginRemoveRows({}, m_currentRow, m_currentRow);
            m_count = n;
            endRemoveRows();
        } else if (n != m_count) {
            beginResetModel();
            m_count = n;
            endResetModel();
        }
        const int position = isOpen() ? m_rs->absolutePosition() : -1;
        if (position > 0)
            m_currentRow = position - 1;
        refreshAll();
        if (position > 0)
            emit currentMoved(m_currentRow);
    }

    void refreshAll()
    {
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        if (rowCount() > 0)
            emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }

    QPointer<Recordset> m_rs;
    int m_count = 0;
    int m_currentRow = -1;     // the last record seen current; -1 before any
};

DataGrid::DataGrid(QWidget *parent) : QTableView(parent), m_model(new RecordsetModel(this))
{
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2);
    horizontalHeader()->setStretchLastSection(true);
    connect(m_model, &RecordsetModel::currentMoved, this, &DataGrid::followRecordset);
}

DataGrid::~DataGrid() = default;

void DataGrid::setDataMember(const QString &dataMember)
{
    m_dataMember = dataMember;
    ReBind();
}

void DataGrid::setDataSource(DataSource *source)
{
    if (m_source)
        m_source->disconnect(this);
    m_source = source;
    if (source)
        connect(source, &DataSource::DataMemberChanged, this, [this](const QString &member) {
            if (member == m_dataMember)
                ReBind();
        });
    ReBind();
}

void DataGrid::ReBind()
{
    m_model->setRecordset(m_source ? m_source->GetDataMember(m_dataMember) : nullptr);
}

Recordset *DataGrid::recordset() const { return m_model->recordset(); }

void DataGrid::commitCell()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget *editor = QApplication::focusWidget();
    if (!editor || editor == viewport() || !viewport()->isAncestorOf(editor))
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DataGrid::followRecordset(int row)
{
    m_following = true;
    const int column = qMax(currentIndex().column(), 0);
    setCurrentIndex(m_model->index(row, column));
    scrollTo(currentIndex());
    m_following = false;
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if (!leavesGrid(event)) {
        QTableView::keyPressEvent(event);
        return;
    }
    // Past the view's own Tab handling, which moves between cells.
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    // A cell's editor stands next to the grid in the chain: step from the grid itself.
    if (state() == EditingState)
        setFocus(Qt::OtherFocusReason);
    QWidget::focusNextPrevChild(!back);
}

// A row the user picks becomes the recordset's current record; the new-record row waits for typing.
void DataGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    Recordset *rs = recordset();
    if (m_following || !current.isValid() || current.row() == previous.row() || !rs || !rs->isOpen()
        || current.row() >= rs->recordCount() || rs->absolutePosition() == current.row() + 1)
        return;
    Guarded(QString(), [&] { rs->setAbsolutePosition(current.row() + 1); });
}

#include "DataGrid.moc"
