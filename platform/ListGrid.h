#pragma once
// The list grid: a table view over its own model. Rows and columns count from 1. Each cell holds
// a text, an item data (a 32-bit record id), a back and a fore colour, drawn on one line with an
// ellipsis. Built for long lists: the row count is set once, and no widget item exists per cell.
// Only the program and the user's own moves (click with either button, arrow keys) change the
// selected cell: the focus arriving picks none, and Tab and Shift+Tab leave the grid.

#include <QColor>
#include <QString>
#include <QTableView>

class ListGridModel;

class ListGrid : public QTableView
{
    Q_OBJECT
public:
    enum SortType { SortNumeric, SortDate, SortText };   // texts compare without regard to case

    explicit ListGrid(QWidget *parent = nullptr);
    ~ListGrid() override;

    void clear();                                  // every row and column
    void setRedraw(bool on);
    bool redraw() const;

    void addColumn(const QString &key, const QString &header, int widthPixels,
                   Qt::Alignment headerAlignment = Qt::AlignLeft | Qt::AlignVCenter);
    void refreshHeader();
    void setSearchColumn(const QString &key);
    QString searchColumn() const;
    void setDefaultRowHeight(int pixels);          // height of rows added from now on

    void setRows(int rows);
    int rows() const;
    int columns() const;

    void setCellText(int row, int column, const QString &text);
    QString cellText(int row, int column) const;
    void setCellItemData(int row, int column, int itemData);
    int cellItemData(int row, int column) const;
    void setCellBackColor(int row, int column, const QColor &color);
    QColor cellBackColor(int row, int column) const;
    void setCellForeColor(int row, int column, const QColor &color);
    QColor cellForeColor(int row, int column) const;
    // The back colours of the rows by their place in the grid (rows 1, 3, 5, ... the first), whatever
    // order a sort gives them; a cell's own back colour wins. Kept when the grid is cleared.
    void setRowColors(const QColor &odd, const QColor &even);

    int selectedRow() const;                       // 0 when none
    int selectedCol() const;
    void setSelectedRow(int row);

    QString columnKey(int column) const;
    int columnIndex(const QString &key) const;     // 0 when none
    QString columnTag(int column) const;
    void setColumnTag(int column, const QString &tag);

    void clearSortKeys();
    void setSortKey(int column, Qt::SortOrder order, SortType type);   // sort key 1
    void sort();                                   // numbers and dates read from the Italian cell texts

    // A colour written as 0x00BBGGRR, the form the forms give their colours in.
    static QColor fromBgr(quint32 bgr);

signals:
    void columnClick(int column);
    void dblClick(int row, int column);
    void selectionChange(int row, int column);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ListGridModel *m_model;
    QString m_searchColumn;
    int m_sortColumn = 0;                          // sort key 1; 0 when cleared
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    SortType m_sortType = SortText;
    bool m_focusArriving = false;
};
