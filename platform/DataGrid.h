#pragma once
// The data grid: a table view bound to a data member of a data source. Its columns are the
// recordset's fields and its rows the records, read as the view paints them (no widget per cell);
// an editable recordset adds a last row, marked "*", where a new record is typed. Typing in a cell
// edits that record; the grid's current row and the recordset's current record follow each other.
// Tab moves from cell to cell; Ctrl+Tab and Ctrl+Shift+Tab leave the grid for the form's next and
// previous control, as they leave Qt's own item views.

#include <QPointer>
#include <QString>
#include <QTableView>

class DataSource;
class Recordset;
class RecordsetModel;

class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    void setDataMember(const QString &dataMember);
    QString dataMember() const { return m_dataMember; }
    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    // Asks the source again for the data member and shows what it gives.
    void ReBind();
    Recordset *recordset() const;
    // Writes the text of a cell being typed into its record and closes the cell's editor, so that
    // a move made from outside the grid does not leave it behind.
    void commitCell();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followRecordset(int row);

    RecordsetModel *m_model;
    QPointer<DataSource> m_source;
    QString m_dataMember;
    bool m_following = false;
};
