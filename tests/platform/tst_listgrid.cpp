#include "AppError.h"
#include "ListGrid.h"

#include <QHeaderView>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

class tst_ListGrid : public QObject
{
    Q_OBJECT
private:
    // A grid with one column of the given texts; each row's item data is its original row number.
    static void fill(ListGrid &grid, const QStringList &texts)
    {
        grid.clear();
        grid.addColumn(QStringLiteral("k"), QStringLiteral("K"), 80);
        grid.addColumn(QStringLiteral("other"), QStringLiteral("Other"), 80);
        grid.setRows(int(texts.size()));
        for (int r = 1; r <= texts.size(); ++r) {
            grid.setCellText(r, 1, texts[r - 1]);
            grid.setCellText(r, 2, QString::number(r));
            grid.setCellItemData(r, 1, r);
            grid.setCellItemData(r, 2, r);
        }
    }
    static QStringList column1(const ListGrid &grid)
    {
        QStringList out;
        for (int r = 1; r <= grid.rows(); ++r)
            out << grid.cellText(r, 1);
        return out;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void columnsAndCells()
    {
        ListGrid grid;
        grid.addColumn(QStringLiteral("file"), QStringLiteral("Nome"), 150);
        grid.addColumn(QStringLiteral("File"), QStringLiteral("Conto(Banca)"), 120);
        QCOMPARE(grid.columns(), 2);
        QCOMPARE(grid.rows(), 0);
        QCOMPARE(grid.columnKey(2), QStringLiteral("File"));
        QCOMPARE(grid.columnIndex(QStringLiteral("File")), 2);
        QCOMPARE(grid.columnIndex(QStringLiteral("size")), 0);
        QCOMPARE(grid.columnWidth(0), 150);
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Conto(Banca)"));
        QCOMPARE(grid.columnTag(1), QString());
        grid.setColumnTag(1, QStringLiteral("DESC"));
        QCOMPARE(grid.columnTag(1), QStringLiteral("DESC"));
        QCOMPARE(grid.columnTag(2), QString());

        grid.setRows(3);
        grid.setCellText(2, 1, QStringLiteral(" Rossi"));
        grid.setCellItemData(2, 1, 70000);
        grid.setCellBackColor(2, 1, ListGrid::fromBgr(0xCC9966));
        grid.setCellForeColor(2, 1, ListGrid::fromBgr(255));
        QCOMPARE(grid.cellText(2, 1), QStringLiteral(" Rossi"));
        QCOMPARE(grid.cellItemData(2, 1), 70000);
        QCOMPARE(grid.cellBackColor(2, 1), QColor(102, 153, 204));
        QCOMPARE(grid.cellForeColor(2, 1), QColor(255, 0, 0));
        QCOMPARE(grid.cellText(1, 1), QString());
        QCOMPARE(grid.cellItemData(1, 2), 0);
        // Unset colours read as the view's own.
        QCOMPARE(grid.cellBackColor(1, 1), grid.palette().color(QPalette::Base));
        QCOMPARE(grid.cellForeColor(1, 1), grid.palette().color(QPalette::Text));
        QCOMPARE(grid.model()->data(grid.model()->index(1, 0), Qt::DisplayRole).toString(), QStringLiteral(" Rossi"));

        // A column added after the rows keeps what the cells hold.
        grid.addColumn(QStringLiteral("x"), QStringLiteral("X"), 50);
        QCOMPARE(grid.cellText(2, 1), QStringLiteral(" Rossi"));
        QCOMPARE(grid.cellItemData(2, 1), 70000);
        QCOMPARE(grid.cellText(2, 3), QString());

        grid.clear();
        QCOMPARE(grid.columns(), 0);
        QCOMPARE(grid.rows(), 0);
    }

    void outsideTheGridRaises_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("row 0") << 0 << 1;
        QTest::newRow("row past the end") << 3 << 1;
        QTest::newRow("column 0") << 1 << 0;
        QTest::newRow("column past the end") << 1 << 3;
    }
    void outsideTheGridRaises()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        ListGrid grid;
        fill(grid, {QStringLiteral("a"), QStringLiteral("b")});
        try {
            grid.cellItemData(row, column);
            QFAIL("no error raised");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), 9L);
        }
        QVERIFY_THROWS_EXCEPTION(AppError, grid.setCellText(row, column, QStringLiteral("x")));
    }

    void emptyGridHasNoSelection()
    {
        ListGrid grid;
        grid.addColumn(QStringLiteral("k"), QStringLiteral("K"), 80);
        QCOMPARE(grid.selectedRow(), 0);
        QCOMPARE(grid.selectedCol(), 0);
        QVERIFY_THROWS_EXCEPTION(AppError, grid.cellItemData(grid.selectedRow(), grid.selectedCol()));
    }

    void sort_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("expected");

        const QStringList numbers{QStringLiteral(" 1.234,56"), QStringLiteral(" 5"), QStringLiteral(" -3,5"),
                                  QStringLiteral(" "), QStringLiteral(" 12,5"), QStringLiteral(" 200")};
        QTest::newRow("numbers ascending") << int(ListGrid::SortNumeric) << false << numbers
            << QStringList{" ", " -3,5", " 5", " 12,5", " 200", " 1.234,56"};
        QTest::newRow("numbers descending") << int(ListGrid::SortNumeric) << true << numbers
            << QStringList{" 1.234,56", " 200", " 12,5", " 5", " -3,5", " "};

        const QStringList dates{QStringLiteral(" 05/03/2024"), QStringLiteral(" 12/01/2023"),
                                QStringLiteral(" 28/02/2024"), QStringLiteral(" "), QStringLiteral(" 04/03/2024")};
        QTest::newRow("dates ascending") << int(ListGrid::SortDate) << false << dates
            << QStringList{" ", " 12/01/2023", " 28/02/2024", " 04/03/2024", " 05/03/2024"};
        QTest::newRow("dates descending") << int(ListGrid::SortDate) << true << dates
            << QStringList{" 05/03/2024", " 04/03/2024", " 28/02/2024", " 12/01/2023", " "};
        // As text, " 05/03/2024" would come after " 04/..." but before " 12/01/2023": the date sort must not.
        QTest::newRow("dates are not text") << int(ListGrid::SortDate) << false
            << QStringList{" 12/01/2023", " 05/03/2022"} << QStringList{" 05/03/2022", " 12/01/2023"};

        const QStringList words{QStringLiteral(" beta"), QStringLiteral(" Alfa"), QStringLiteral(" gamma"),
                                QStringLiteral(" ALFA2"), QStringLiteral(" Beta")};
        QTest::newRow("text without case") << int(ListGrid::SortText) << false << words
            << QStringList{" Alfa", " ALFA2", " beta", " Beta", " gamma"};
        QTest::newRow("text descending keeps ties in order") << int(ListGrid::SortText) << true << words
            << QStringList{" gamma", " beta", " Beta", " ALFA2", " Alfa"};
    }
    void sort()
    {
        QFETCH(int, type);
        QFETCH(bool, descending);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, expected);
        ListGrid grid;
        fill(grid, texts);
        grid.setSortKey(1, descending ? Qt::DescendingOrder : Qt::AscendingOrder, ListGrid::SortType(type));
        grid.sort();
        QCOMPARE(column1(grid), expected);
        // Every cell of a row moves with it.
        for (int r = 1; r <= grid.rows(); ++r) {
            const int original = grid.cellItemData(r, 1);
            QCOMPARE(grid.cellText(r, 1), texts[original - 1]);
            QCOMPARE(grid.cellItemData(r, 2), original);
            QCOMPARE(grid.cellText(r, 2), QString::number(original));
        }
    }

    void clearedSortKeysLeaveTheRows()
    {
        ListGrid grid;
        fill(grid, {QStringLiteral(" b"), QStringLiteral(" a")});
        grid.setSortKey(1, Qt::AscendingOrder, ListGrid::SortText);
        grid.clearSortKeys();
        grid.sort();
        QCOMPARE(column1(grid), (QStringList{" b", " a"}));
    }

    void cellColorsAndSelectionFollowTheSortedRow()
    {
        ListGrid grid;
        fill(grid, {QStringLiteral(" c"), QStringLiteral(" a"), QStringLiteral(" b")});
        grid.setRowColors(Qt::white, Qt::black);
        grid.setCellBackColor(1, 1, QColor(1, 2, 3));
        grid.setCellForeColor(1, 1, QColor(255, 0, 0));
        grid.setSelectedRow(1);
        QCOMPARE(grid.selectedRow(), 1);
        grid.setSortKey(1, Qt::AscendingOrder, ListGrid::SortText);
        grid.sort();
        QCOMPARE(grid.cellText(3, 1), QStringLiteral(" c"));
        QCOMPARE(grid.cellBackColor(3, 1), QColor(1, 2, 3));
        QCOMPARE(grid.cellForeColor(3, 1), QColor(255, 0, 0));
        QCOMPARE(grid.selectedRow(), 3);
        // The rows' own colours stay with their places.
        QCOMPARE(grid.cellBackColor(3, 2), QColor(Qt::white));
        QCOMPARE(grid.cellBackColor(2, 1), QColor(Qt::black));
    }

    void redrawOffHoldsBackRepaints()
    {
        ListGrid grid;
        fill(grid, {QStringLiteral("a"), QStringLiteral("b")});
        QSignalSpy spy(grid.model(), &QAbstractItemModel::dataChanged);
        grid.setRedraw(false);
        QVERIFY(!grid.redraw());
        grid.setCellText(1, 1, QStringLiteral("x"));
        grid.setCellBackColor(2, 2, QColor(1, 1, 1));
        QCOMPARE(spy.count(), 0);
        grid.setRedraw(true);
        QCOMPARE(spy.count(), 1);
        grid.setCellText(1, 1, QStringLiteral("y"));
        QCOMPARE(spy.count(), 2);
    }

    void events()
    {
        ListGrid grid;
        grid.resize(400, 300);
        fill(grid, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        QSignalSpy columnClick(&grid, &ListGrid::columnClick);
        QHeaderView *header = grid.horizontalHeader();
        const QPoint onColumn2(header->sectionViewportPosition(1) + 10, header->height() / 2);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onColumn2);
        QCOMPARE(columnClick.count(), 3);
        QCOMPARE(columnClick.last().at(0).toInt(), 2);

        QSignalSpy selection(&grid, &ListGrid::selectionChange);
        QSignalSpy dbl(&grid, &ListGrid::dblClick);
        QSignalSpy up(&grid, &ListGrid::mouseUp);
        const QPoint cell22 = grid.visualRect(grid.model()->index(1, 1)).center();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell22);
        QCOMPARE(grid.selectedRow(), 2);
        QCOMPARE(grid.selectedCol(), 2);
        QCOMPARE(selection.count(), 1);
        QCOMPARE(selection.last().at(0).toInt(), 2);
        QCOMPARE(selection.last().at(1).toInt(), 2);
        QCOMPARE(up.last().at(0).value<Qt::MouseButton>(), Qt::LeftButton);

        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell22);
        QCOMPARE(dbl.count(), 1);
        QCOMPARE(dbl.last().at(0).toInt(), 2);
        QCOMPARE(dbl.last().at(1).toInt(), 2);

        // The right button selects the cell under the pointer before it reports its release;
        // below the last row it leaves the selection where it was.
        const QPoint cell31 = grid.visualRect(grid.model()->index(2, 0)).center();
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::ShiftModifier, cell31);
        QCOMPARE(up.last().at(0).value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(up.last().at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(up.last().at(2).toInt(), cell31.x());
        QCOMPARE(up.last().at(3).toInt(), cell31.y());
        QCOMPARE(grid.selectedRow(), 3);
        QCOMPARE(grid.selectedCol(), 1);
        QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(cell22.x(), grid.viewport()->height() - 2));
        QCOMPARE(grid.selectedRow(), 3);
        QCOMPARE(grid.selectedCol(), 1);
    }

    void hundredThousandRows()
    {
        ListGrid grid;
        grid.setRedraw(false);
        for (int c = 1; c <= 8; ++c)
            grid.addColumn(QStringLiteral("c%1").arg(c), QStringLiteral("C%1").arg(c), 70);
        const int n = 100000;
        grid.setRows(n);
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= 8; ++c) {
                grid.setCellText(r, c, QStringLiteral(" %1").arg((r * 7919) % n));
                grid.setCellItemData(r, c, r);
            }
        grid.setRedraw(true);
        QCOMPARE(grid.rows(), n);
        grid.setSortKey(3, Qt::DescendingOrder, ListGrid::SortNumeric);
        grid.sort();
        QCOMPARE(grid.cellText(1, 3), QStringLiteral(" %1").arg(n - 1));
        QCOMPARE(grid.cellText(n, 3), QStringLiteral(" 0"));
        QCOMPARE(grid.cellItemData(n, 1), n);   // 7919 * n % n == 0 only for row n
    }
};

QTEST_MAIN(tst_ListGrid)
#include "tst_listgrid.moc"
