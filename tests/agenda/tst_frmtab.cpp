// The shifts and workstations grids: their data source's moves and traps, the buttons' states,
// the keys, and records typed in the grid.

#include "../core/FormFixture.h"

#include "DataGrid.h"
#include "Shell.h"
#include "clsTab.h"
#include "db/Recordset.h"
#include "frmTab.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>
#include <memory>

class tst_frmTab : public QObject, FormTest<frmTurni>
{
    Q_OBJECT

    int beeps = 0;

    void addShifts(int n)
    {
        for (int i = 1; i <= n; ++i)
            db->exec(QStringLiteral("INSERT INTO Turni (Ora) VALUES ('%1:00');").arg(7 + i, 2, 10, QLatin1Char('0')));
    }
    static DataGrid *grid(QWidget *form) { return ui::field<DataGrid>(form, "grdDataGrid"); }
    static QString status(QWidget *form) { return ui::field<QLabel>(form, "lblStatus")->text(); }
    static bool shown(QWidget *form, const char *button) { return ui::field<QPushButton>(form, button)->isVisible(); }

    // Types a cell's new text in the grid and, unless told otherwise, confirms it with Enter.
    static void typeCell(DataGrid *g, int row, int column, const QString &text, bool confirm = true)
    {
        g->setFocus();
        g->setCurrentIndex(g->model()->index(row, column));
        QTest::keyClicks(g, text.left(1));   // the first key opens the cell's editor
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
        if (confirm)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ui::settle();
    }

private slots:
    void init()
    {
        start();
        beeps = 0;
        Shell::setBeepHandler([this] { ++beeps; });
    }
    void cleanup()
    {
        Shell::setBeepHandler({});
        stop();
    }

    void dataSourceMoves_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("beeped");
        QTest::newRow("next") << 3 << 1 << "MoveNext" << 2 << 0;
        QTest::newRow("next on the last") << 3 << 3 << "MoveNext" << 3 << 1;
        QTest::newRow("previous on the first") << 3 << 1 << "MovePrevious" << 1 << 1;
        QTest::newRow("next on none") << 0 << 0 << "MoveNext" << -1 << 0;
        QTest::newRow("previous on none") << 0 << 0 << "MovePrevious" << -1 << 0;
        QTest::newRow("delete the last") << 3 << 3 << "Delete" << 2 << 1;
        QTest::newRow("delete the first") << 3 << 1 << "Delete" << 1 << 0;
    }
    void dataSourceMoves()
    {
        QFETCH(int, records);
        QFETCH(int, from);
        QFETCH(QString, operation);
        addShifts(records);
        clsTab_Turni source;
        if (from > 0)
            source.adoPrimaryRS().setAbsolutePosition(from);
        QSignalSpy moved(&source, &clsTab::MoveComplete);
        if (operation == QLatin1String("MoveNext"))
            source.MoveNext();
        else if (operation == QLatin1String("MovePrevious"))
            source.MovePrevious();
        else
            source.Delete();
        QTEST(source.AbsolutePosition(), "position");
        QTEST(beeps, "beeped");
        QCOMPARE(moved.count() > 0, records > 0);
        QCOMPARE(msg->count(), 0);
        if (operation == QLatin1String("Delete"))
            QCOMPARE(db->value(QStringLiteral("SELECT COUNT(*) FROM Turni")).toInt(), records - 1);
    }

    void dataMemberIsPrimaryWrittenExactly()
    {
        clsTab_Postazione source;
        QCOMPARE(source.DataMembers(), QStringList{QStringLiteral("Primary")});
        QCOMPARE(source.GetDataMember(QStringLiteral("Primary")), &source.adoPrimaryRS());
        QCOMPARE(source.GetDataMember(QStringLiteral("primary")), nullptr);
        QCOMPARE(source.adoPrimaryRS().fieldName(1), QStringLiteral("Descrizione_Breve"));
    }

    // A read-only user browses; every write is refused by the recordset and told under the title.
    void readOnlyUserIsToldOnWrites_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("add") << "AddNew";
        QTest::newRow("delete") << "Delete";
    }
    void readOnlyUserIsToldOnWrites()
    {
        QFETCH(QString, operation);
        addShifts(2);
        DataBase::UserLockType = 1;
        clsTab_Turni source;
        source.MoveNext();
        if (operation == QLatin1String("AddNew"))
            source.AddNew();
        else
            source.Delete();
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Information);
        QCOMPARE(msg->last().title, QStringLiteral("Gestione turni"));
        QCOMPARE(source.AbsolutePosition(), 2);
        QCOMPARE(db->value(QStringLiteral("SELECT COUNT(*) FROM Turni")).toInt(), 2);
    }

    // Edit shows Update and Cancel in place of Add and Edit's neighbours and stops the keys; Update
    // keeps what was typed, Cancel drops it; either way the form browses again.
    void editThenUpdateOrCancel_data()
    {
        QTest::addColumn<bool>("update");
        QTest::addColumn<QString>("stored");
        QTest::newRow("update") << true << "07:45";
        QTest::newRow("cancel") << false << "08:00";
    }
    void editThenUpdateOrCancel()
    {
        QFETCH(bool, update);
        addShifts(2);
        auto form = openForm();
        QCOMPARE(status(form.get()), QStringLiteral("Record: 1"));
        QVERIFY(!shown(form.get(), "cmdUpdate") && !shown(form.get(), "cmdCancel"));
        ui::click(form.get(), "cmdEdit");
        QCOMPARE(status(form.get()), QStringLiteral("Modifica il record"));
        for (const char *b : {"cmdUpdate", "cmdCancel", "cmdEdit"})
            QVERIFY2(shown(form.get(), b), b);
        for (const char *b : {"cmdAdd", "cmdDelete", "cmdRefresh", "cmdClose"})
            QVERIFY2(!shown(form.get(), b), b);
        QVERIFY(!ui::field<QPushButton>(form.get(), "cmdNext")->isEnabled());

        typeCell(grid(form.get()), 0, 0, QStringLiteral("07:45"));
        QTest::keyClick(grid(form.get()), Qt::Key_Escape);
        QVERIFY(form->isVisible());

        ui::click(form.get(), update ? "cmdUpdate" : "cmdCancel");
        QTEST(db->value(QStringLiteral("SELECT Ora FROM Turni ORDER BY IdTurno")).toString(), "stored");
        QCOMPARE(grid(form.get())->model()->index(0, 0).data().toString(), db->value(
            QStringLiteral("SELECT Ora FROM Turni ORDER BY IdTurno")).toString());
        QVERIFY(shown(form.get(), "cmdAdd") && !shown(form.get(), "cmdUpdate") && !shown(form.get(), "cmdCancel"));
        QCOMPARE(status(form.get()), QStringLiteral("Record: 1"));
        QVERIFY(ui::field<QPushButton>(form.get(), "cmdNext")->isEnabled());
        QCOMPARE(msg->count(), 0);

        QTest::keyClick(grid(form.get()), Qt::Key_Down);
        QCOMPARE(form->primaryCLS()->AbsolutePosition(), 2);
        QTest::keyClick(grid(form.get()), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
    }

    void keysMoveOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("position");
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << 4;
        QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 5;
        QTest::newRow("Shift+Down") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << 4;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 2;
        QTest::newRow("Ctrl+Page Up") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << 1;
        QTest::newRow("End") << int(Qt::Key_End) << 0 << 5;
        QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 1;
    }
    void keysMoveOnce()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, position);
        addShifts(5);
        auto form = openForm();
        ui::click(form.get(), "cmdNext");
        ui::click(form.get(), "cmdNext");
        QCOMPARE(status(form.get()), QStringLiteral("Record: 3"));
        grid(form.get())->setFocus();
        QTest::keyClick(grid(form.get()), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(status(form.get()), QStringLiteral("Record: %1").arg(position));
        QCOMPARE(grid(form.get())->currentIndex().row(), position - 1);
    }

    // A record is typed in the grid's last row; moving off it writes it. Refresh shows what others
    // wrote meanwhile.
    void recordsTypedInTheGrid()
    {
        frmPostazioni form;
        QVERIFY(ui::open(&form));
        DataGrid *g = grid(&form);
        QCOMPARE(g->model()->rowCount(), 1);
        QCOMPARE(g->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("*"));
        typeCell(g, 0, 0, QStringLiteral("Cassa"));
        typeCell(g, 0, 1, QStringLiteral("C1"));
        QCOMPARE(g->model()->rowCount(), 2);
        ui::click(&form, "cmdAdd");
        typeCell(g, 1, 0, QStringLiteral("Banco"), false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);   // moving writes the cell typed
        QCOMPARE(grid(&form)->currentIndex().row(), 0);
        const auto rows = db->rows(QStringLiteral("SELECT Nominativo, DescrBreve FROM Postazioni ORDER BY IdPosto"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][1].toString(), QStringLiteral("C1"));
        QCOMPARE(rows[1][0].toString(), QStringLiteral("Banco"));

        db->exec(QStringLiteral("INSERT INTO Postazioni (Nominativo, DescrBreve) VALUES ('Sportello', 'S');"));
        ui::click(&form, "cmdRefresh");
        QCOMPARE(g->model()->rowCount(), 4);
        QCOMPARE(g->model()->index(2, 0).data().toString(), QStringLiteral("Sportello"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Postazioni di lavoro"));
        QCOMPARE(msg->count(), 0);
        ui::shoot(&form, QStringLiteral("frmPostazioni"));
    }

    // Closing writes the row being typed or changed, as moving off it does, whichever way the form
    // is closed; a row the table refuses keeps the form open with the row, after the source's box.
    void closingWritesTheRowTyped_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("added");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("refused");
        for (const char *how : {"cmdClose", "Esc", "close box"}) {
            QTest::addRow("new row, %s", how) << how << true << true << false;
            QTest::addRow("changed row, %s", how) << how << false << true << false;
            QTest::addRow("refused row, %s", how) << how << true << true << true;
        }
        QTest::newRow("new row still typed, close box") << "close box" << true << false << false;
    }
    void closingWritesTheRowTyped()
    {
        QFETCH(QString, how);
        QFETCH(bool, added);
        QFETCH(bool, confirmed);
        QFETCH(bool, refused);
        addShifts(1);
        db->exec(QStringLiteral("CREATE UNIQUE INDEX Turni_Ora ON Turni (Ora);"));
        auto form = openForm();
        const int row = added ? 1 : 0;
        if (added)
            ui::click(form.get(), "cmdAdd");
        const QString typed = refused ? QStringLiteral("08:00") : QStringLiteral("18:30");
        typeCell(grid(form.get()), row, 0, typed, confirmed);

        if (how == QLatin1String("cmdClose"))
            ui::click(form.get(), "cmdClose");
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            form->windowHandle()->close();
        ui::settle();

        QCOMPARE(form->isVisible(), refused);
        QCOMPARE(grid(form.get())->model()->index(row, 0).data().toString(), typed);
        QStringList stored;
        for (const auto &r : db->rows(QStringLiteral("SELECT Ora FROM Turni ORDER BY IdTurno")))
            stored << r[0].toString();
        if (refused) {
            QCOMPARE(stored, QStringList{QStringLiteral("08:00")});
            QCOMPARE(msg->count(), 1);
            QCOMPARE(msg->last().kind, MsgKind::Information);
            QCOMPARE(msg->last().title, QStringLiteral("Gestione turni"));
        } else {
            const QStringList expected = added ? QStringList{QStringLiteral("08:00"), typed} : QStringList{typed};
            QCOMPARE(stored, expected);
            QCOMPARE(msg->count(), 0);
        }
    }

    // Add starts the new row in its first column, whichever column was used last; Tab off the new
    // row's last column starts no further row, and a row added but left blank is not written.
    void addStartsAtTheFirstColumn()
    {
        auto form = std::make_unique<frmPostazioni>();
        QVERIFY(ui::open(form.get()));
        DataGrid *g = grid(form.get());
        const auto typeRow = [](const char *name, const char *shortName, Qt::Key last) {
            for (const QString &text : {QString::fromLatin1(name), QString::fromLatin1(shortName)}) {
                for (const QChar c : text)
                    QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
                QTest::keyClick(QApplication::focusWidget(), text == QLatin1String(name) ? Qt::Key_Tab : last);
            }
            ui::settle();
        };
        ui::click(form.get(), "cmdAdd");
        typeRow("Cassa", "C1", Qt::Key_Tab);
        ui::click(form.get(), "cmdAdd");
        QCOMPARE(g->currentIndex(), g->model()->index(1, 0));
        typeRow("Banco", "B2", Qt::Key_Return);
        ui::click(form.get(), "cmdAdd");
        QVERIFY(g->hasFocus());
        QCOMPARE(g->currentIndex(), g->model()->index(2, 0));
        ui::click(form.get(), "cmdClose");
        QVERIFY(!form->isVisible());
        QStringList stored;
        for (const auto &r : db->rows(QStringLiteral("SELECT Nominativo, DescrBreve FROM Postazioni ORDER BY IdPosto")))
            stored << r[0].toString() + QLatin1Char(' ') + r[1].toString();
        QCOMPARE(stored, (QStringList{QStringLiteral("Cassa C1"), QStringLiteral("Banco B2")}));
        QCOMPARE(msg->count(), 0);
    }

    // Tab moves from cell to cell; Ctrl+Tab and Ctrl+Shift+Tab leave the grid for the form's next
    // and previous control, also from a cell being typed, which keeps what was typed.
    void ctrlTabLeavesTheGrid_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("typing");
        QTest::addColumn<QString>("focus");   // "": still in the grid, one cell to the right
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << ctrl << false << "cmdAdd";
        QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Backtab) << ctrlShift << false << "cmdLast";
        QTest::newRow("Ctrl+Shift+Tab, unshifted key") << int(Qt::Key_Tab) << ctrlShift << false << "cmdLast";
        QTest::newRow("Ctrl+Tab, typing a cell") << int(Qt::Key_Tab) << ctrl << true << "cmdAdd";
        QTest::newRow("Ctrl+Shift+Tab, typing a cell") << int(Qt::Key_Backtab) << ctrlShift << true << "cmdLast";
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << false << "";
    }
    void ctrlTabLeavesTheGrid()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, typing);
        QFETCH(QString, focus);
        db->exec(QStringLiteral("INSERT INTO Postazioni (Nominativo, DescrBreve) VALUES ('Cassa', 'C1');"));
        frmPostazioni form;
        QVERIFY(ui::open(&form));
        DataGrid *g = grid(&form);
        g->setFocus();
        g->setCurrentIndex(g->model()->index(0, 0));
        if (typing)
            QTest::keyClicks(g, QStringLiteral("B"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        ui::settle();
        if (focus.isEmpty()) {
            QVERIFY(g->hasFocus());
            QCOMPARE(g->currentIndex(), g->model()->index(0, 1));
        } else {
            QCOMPARE(QApplication::focusWidget(), ui::field<QWidget>(&form, focus.toLatin1().constData()));
        }
        QCOMPARE(g->model()->index(0, 0).data().toString(), typing ? QStringLiteral("B") : QStringLiteral("Cassa"));
    }

    void aSourceThatCannotOpenLeavesTheFormClosed()
    {
        db->exec(QStringLiteral("DROP TABLE Turni;"));
        frmTurni form;
        form.show();
        QVERIFY(!form.isVisible());
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Plain);
    }

    void shot()
    {
        addShifts(4);
        auto form = openForm();
        ui::click(form.get(), "cmdNext");
        ui::shoot(form.get(), QStringLiteral("frmTurni"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Turni"));
    }
};

QTEST_MAIN(tst_frmTab)
#include "tst_frmtab.moc"
