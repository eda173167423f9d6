// The accounts editor and, through it, the editing-form pattern: open, type, save, the stamp,
// delete, close, the list and the failures.

#include "../core/FormFixture.h"

#include "frmConti.h"

#include <QTimer>
#include <memory>

class tst_frmConti : public QObject, FormTest<frmConti>
{
    Q_OBJECT

    void addAccounts()
    {
        db->exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, ComuConto, Descrizione, DataApertura, DataUpdate) "
                                "VALUES (1, '1001', 'Roma', 'Conto casa', '2020-01-15', '2021-01-01');"
                                "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (2, '2002', 'Risparmi');"));
    }
    static const QString kTitle;

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void opensOnBlankRecordWithTheList()
    {
        addAccounts();
        auto form = openForm();
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(ui::field(form.get(), "txtConto")->text(), QString());
        ListGrid *g = ui::grid(form.get());
        QCOMPARE(g->columns(), 4);
        QCOMPARE(g->columnKey(2), QStringLiteral("size"));
        QCOMPARE(g->searchColumn(), QStringLiteral("size"));
        QCOMPARE(g->rows(), 2);
        QCOMPARE(g->cellText(1, 1), QStringLiteral(" 1001"));
        QCOMPARE(g->cellText(1, 4), QStringLiteral(" 15/01/2020"));
        QCOMPARE(g->cellText(2, 2), QStringLiteral(" "));   // Null town: the blank alone
        QCOMPARE(g->cellItemData(2, 3), 2);
        QCOMPARE(g->cellBackColor(1, 1), QColor(102, 153, 204));
        QCOMPARE(g->cellBackColor(2, 4), QColor(153, 204, 238));
        QCOMPARE(msg->count(), 0);
        ui::shoot(form.get(), QStringLiteral("frmConti"));
    }

    // The accounts' list traps its own failures: a warning, once while painting, and after a save
    // that went through.
    void listFailureIsAWarningOfItsOwn()
    {
        addAccounts();
        db->exec(QStringLiteral("ALTER TABLE Conti DROP COLUMN DataApertura;"));
        auto form = openForm();
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Warning);
        QCOMPARE(msg->last().title, kTitle);
        QVERIFY(!msg->last().text.endsWith(QStringLiteral(" Operazione Annullata")));
        form->repaint();
        ui::settle();
        QCOMPARE(msg->count(), 1);
        ui::type(form.get(), "txtConto", QStringLiteral("3003"));
        ui::type(form.get(), "txtDescr", QStringLiteral("Nuovo"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 3);
        QCOMPARE(msg->shown().at(1).text, QStringLiteral("Registrazione completata."));
        QCOMPARE(msg->last().kind, MsgKind::Warning);
        QCOMPARE(msg->last().text, msg->shown().first().text);
        QCOMPARE(form->editMode(), 0);
    }

    void emptyTableListsHeadersOnly()
    {
        auto form = openForm();
        QCOMPARE(ui::grid(form.get())->columns(), 4);
        QCOMPARE(ui::grid(form.get())->rows(), 0);
    }

    void newAccountIsSavedWithoutStamp()
    {
        auto form = openForm();
        ui::type(form.get(), "txtConto", QStringLiteral("IT60X"));
        ui::type(form.get(), "txtComune", QStringLiteral("Milano"));
        ui::type(form.get(), "txtDescr", QStringLiteral("Conto corrente"));
        ui::type(form.get(), "txtApertura", QStringLiteral("01/02/2023"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last(), (MsgRecord{"Registrazione completata.", MsgKind::Information, kTitle}));
        const auto rows = db->rows(QStringLiteral("SELECT NConto, ComuConto, Descrizione, DataApertura, DataChiusura, DataUpdate FROM Conti"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][0].toString(), QStringLiteral("IT60X"));
        QCOMPARE(rows[0][2].toString(), QStringLiteral("Conto corrente"));
        QCOMPARE(rows[0][3].toString(), QStringLiteral("2023-02-01"));
        QVERIFY(rows[0][4].isNull());
        QVERIFY(rows[0][5].isNull());
        QCOMPARE(form->editMode(), 0);
        QCOMPARE(ui::grid(form.get())->rows(), 1);
        QCOMPARE(ui::grid(form.get())->cellText(1, 2), QStringLiteral(" Milano"));
        // Saving it again stamps today's date.
        ui::click(form.get(), "cmdOk");
        QCOMPARE(db->value(QStringLiteral("SELECT DataUpdate FROM Conti")).toString(), QStringLiteral("2024-03-05"));
    }

    void requiredFields_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("blanks as description") << "1001" << "   ";
        QTest::newRow("no number") << "" << "Conto";
        QTest::newRow("both empty") << "" << "";
    }
    void requiredFields()
    {
        QFETCH(QString, number);
        QFETCH(QString, description);
        auto form = openForm();
        ui::type(form.get(), "txtConto", number);
        ui::type(form.get(), "txtDescr", description);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last(), (MsgRecord{"Campo N° o descrizione vuoto impossibile effettuare la registrazione.",
                                         MsgKind::Warning, kTitle}));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Conti")).toInt(), 0);
        QCOMPARE(form->editMode(), 2);
    }

    void unchangedLoadedRecordIsStampedToday()
    {
        addAccounts();
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QStringLiteral("Conto casa"));
        QCOMPARE(ui::field(form.get(), "txtApertura")->text(), QStringLiteral("15/01/2020"));
        QCOMPARE(form->editMode(), 0);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        const auto row = db->rows(QStringLiteral("SELECT DataUpdate, Descrizione, DataApertura FROM Conti WHERE IdConto = 1")).first();
        QCOMPARE(row[0].toString(), QStringLiteral("2024-03-05"));
        QCOMPARE(row[1].toString(), QStringLiteral("Conto casa"));
        QCOMPARE(row[2].toString(), QStringLiteral("2020-01-15"));
    }

    void typingPutsTheRecordInEdit()
    {
        addAccounts();
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 2));
        ui::type(form.get(), "txtInfo", QStringLiteral("note"));
        QCOMPARE(form->editMode(), 1);
        ui::type(form.get(), "txtChiusura", QStringLiteral("31/12/2023"));
        ui::click(form.get(), "cmdOk");
        // The rebuilt list does not move the form off the saved record.
        QCOMPARE(form->editMode(), 0);
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QStringLiteral("Risparmi"));
        QCOMPARE(ui::field(form.get(), "txtChiusura")->text(), QStringLiteral("31/12/2023"));
        const auto row = db->rows(QStringLiteral("SELECT info, DataChiusura, DataUpdate FROM Conti WHERE IdConto = 2")).first();
        QCOMPARE(row[0].toString(), QStringLiteral("note"));
        QCOMPARE(row[1].toString(), QStringLiteral("2023-12-31"));
        QCOMPARE(row[2].toString(), QStringLiteral("2024-03-05"));
    }

    void deleteAnswered_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void deleteAnswered()
    {
        QFETCH(bool, yes);
        addAccounts();
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        msg->answer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->shown().first(), (MsgRecord{"Si è sicuri di voler cancellare il record:", MsgKind::Question,
                                                  "Delete record!"}));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Conti WHERE IdConto = 1")).toInt(), yes ? 0 : 1);
        if (yes) {
            QCOMPARE(msg->count(), 2);
            QCOMPARE(msg->last().text, QStringLiteral("Record Cancellato!"));
            QCOMPARE(msg->last().title, QStringLiteral("Delete Successfull!"));
            QCOMPARE(form->editMode(), 2);
            QCOMPARE(ui::field(form.get(), "txtConto")->text(), QString());
            QCOMPARE(ui::grid(form.get())->rows(), 1);
        } else {
            QCOMPARE(msg->count(), 1);
            QCOMPARE(form->editMode(), 0);
            QCOMPARE(ui::field(form.get(), "txtConto")->text(), QStringLiteral("1001"));
        }
    }

    void deleteInTheWrongModeDoesNothing_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::newRow("new record") << false;
        QTest::newRow("pending change") << true;
    }
    void deleteInTheWrongModeDoesNothing()
    {
        QFETCH(bool, changed);
        addAccounts();
        auto form = openForm();
        if (changed) {
            QVERIFY(ui::pick(form.get(), 1));
            ui::type(form.get(), "txtComune", QStringLiteral("Bari"));
        }
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->count(), 0);
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Conti")).toInt(), 2);
    }

    void closeAsksOnlyWithPendingChanges_data()
    {
        QTest::addColumn<int>("mode");          // 2 fresh blank record, 1 changed, 0 saved
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("closes");
        QTest::newRow("untouched blank, No") << 2 << false << true << false;
        QTest::newRow("untouched blank, Yes") << 2 << true << true << true;
        QTest::newRow("changed, No") << 1 << false << true << false;
        QTest::newRow("saved") << 0 << true << false << true;
    }
    void closeAsksOnlyWithPendingChanges()
    {
        QFETCH(int, mode);
        QFETCH(bool, answerYes);
        QFETCH(bool, asks);
        QFETCH(bool, closes);
        addAccounts();
        auto form = openForm();
        if (mode < 2)
            QVERIFY(ui::pick(form.get(), 1));
        if (mode == 1)
            ui::type(form.get(), "txtComune", QStringLiteral("Bari"));
        msg->answer(answerYes ? MsgAnswer::Yes : MsgAnswer::No);
        ui::click(form.get(), "cmdCancel");
        QCOMPARE(msg->count(), asks ? 1 : 0);
        if (asks) {
            QCOMPARE(msg->last(), (MsgRecord{"Uscire senza salvare le modifiche?", MsgKind::WarningQuestion,
                                             "Salvataggio modifiche"}));
        }
        QCOMPARE(form->isVisible(), !closes);
        QCOMPARE(form->editMode(), closes ? -1 : mode);
        QCOMPARE(db->value(QStringLiteral("SELECT ComuConto FROM Conti WHERE IdConto = 1")).toString(), QStringLiteral("Roma"));
    }

    void escReleaseClosesLikeCancel()
    {
        auto form = openForm();
        msg->answer(MsgAnswer::No);
        QTest::keyPress(ui::field(form.get(), "txtConto"), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QTest::keyRelease(ui::field(form.get(), "txtConto"), Qt::Key_Escape);
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().text, QStringLiteral("Uscire senza salvare le modifiche?"));
        QVERIFY(form->isVisible());
        QTest::keyClick(ui::field(form.get(), "txtConto"), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
    }

    void pickingAnotherRowDropsThePendingRecord()
    {
        addAccounts();
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        ui::type(form.get(), "txtDescr", QStringLiteral("Cambiato"));
        QVERIFY(ui::pick(form.get(), 2));
        QCOMPARE(msg->count(), 0);
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QStringLiteral("Risparmi"));
        QCOMPARE(form->editMode(), 0);
        QCOMPARE(db->value(QStringLiteral("SELECT Descrizione FROM Conti WHERE IdConto = 1")).toString(), QStringLiteral("Conto casa"));
    }

    void newWritesThePendingChangeWithoutStamp()
    {
        addAccounts();
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 2));
        ui::type(form.get(), "txtComune", QStringLiteral("Pisa"));
        ui::click(form.get(), "Command1");
        QCOMPARE(msg->count(), 0);
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(ui::field(form.get(), "txtComune")->text(), QString());
        const auto row = db->rows(QStringLiteral("SELECT ComuConto, DataUpdate FROM Conti WHERE IdConto = 2")).first();
        QCOMPARE(row[0].toString(), QStringLiteral("Pisa"));
        QVERIFY(row[1].isNull());
    }

    void idAbove16BitsLoadsItsRecord()
    {
        db->exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (40000, '4', 'Grande');"));
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 40000));
        QCOMPARE(msg->count(), 0);
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QStringLiteral("Grande"));
    }

    // A value longer than its box shows from its start, as it is read.
    void longValueShowsItsStart()
    {
        const QString longText = QStringLiteral("Conto corrente cointestato presso la banca di credito cooperativo "
                                                "della provincia, filiale di via Roma");
        db->exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (3, '3', '%1');").arg(longText));
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 3));
        QLineEdit *box = ui::field(form.get(), "txtDescr");
        QCOMPARE(box->text(), longText);
        QVERIFY(box->fontMetrics().horizontalAdvance(longText) > box->width());
        QCOMPARE(box->cursorPosition(), 0);
    }

    void listCellWithoutIdLoadsNothing()
    {
        addAccounts();
        auto form = openForm();
        ui::grid(form.get())->setCellItemData(1, 1, 0);
        ui::type(form.get(), "txtConto", QStringLiteral("X"));
        ui::grid(form.get())->setSelectedRow(1);
        QCOMPARE(ui::field(form.get(), "txtConto")->text(), QStringLiteral("X"));
        QCOMPARE(form->editMode(), 2);
    }

    // Another user's change, even of letter case only, stops the save.
    void conflictingSaveKeepsTheRecordInEdit_data()
    {
        QTest::addColumn<QString>("theirs");
        QTest::newRow("another text") << QStringLiteral("Suo");
        QTest::newRow("letter case only") << QStringLiteral("CONTO CASA");
    }
    void conflictingSaveKeepsTheRecordInEdit()
    {
        QFETCH(QString, theirs);
        addAccounts();
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        ui::type(form.get(), "txtComune", QStringLiteral("Bari"));
        db->exec(QStringLiteral("UPDATE Conti SET Descrizione = '%1' WHERE IdConto = 1").arg(theirs));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Un' altro utente sta utilizzando lo stesso set di record: chiudere e riprovare."
                                                  " Operazione Annullata"));
        QCOMPARE(msg->last().kind, MsgKind::Warning);
        QCOMPARE(msg->last().title, kTitle);
        QCOMPARE(form->editMode(), 1);
        QCOMPARE(db->value(QStringLiteral("SELECT Descrizione FROM Conti WHERE IdConto = 1")).toString(), theirs);
        QCOMPARE(db->value(QStringLiteral("SELECT ComuConto FROM Conti WHERE IdConto = 1")).toString(), QStringLiteral("Roma"));
        msg->answer(MsgAnswer::No);
        ui::click(form.get(), "cmdCancel");
        QCOMPARE(msg->last().text, QStringLiteral("Uscire senza salvare le modifiche?"));
        QVERIFY(form->isVisible());
    }

    void lockedUserCannotWrite()
    {
        addAccounts();
        DataBase::UserLockType = 1;
        auto form = openForm();
        QCOMPARE(msg->count(), 1);   // the load cannot start a new record
        QCOMPARE(msg->last().kind, MsgKind::Information);
        QCOMPARE(msg->last().title, kTitle);
        QVERIFY(!msg->last().text.isEmpty());
        QCOMPARE(ui::grid(form.get())->rows(), 2);
        QVERIFY(ui::pick(form.get(), 1));
        ui::type(form.get(), "txtComune", QStringLiteral("Bari"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().kind, MsgKind::Warning);
        QVERIFY(msg->last().text.endsWith(QStringLiteral(" Operazione Annullata")));
        QCOMPARE(db->value(QStringLiteral("SELECT ComuConto FROM Conti WHERE IdConto = 1")).toString(), QStringLiteral("Roma"));
    }

    void modalShowingLoadsOnce()
    {
        addAccounts();
        DataBase::UserLockType = 1;   // the load shows one message each time it runs
        frmConti form;
        int rows = -1;
        QTimer::singleShot(100, &form, [&] {
            rows = ui::grid(&form)->rows();
            form.close();
        });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QCOMPARE(msg->count(), 1);
        QCOMPARE(rows, 2);
        QCOMPARE(form.editMode(), -1);
    }

    void dateBoxes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("refused");
        QTest::newRow("six digits") << "010224" << "01/02/2024" << false;
        QTest::newRow("dashes") << "1-2-2024" << "01/02/2024" << false;
        QTest::newRow("no date") << "31/02/2024" << "31/02/2024" << true;
        QTest::newRow("empty") << "" << "" << false;
    }
    void dateBoxes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        auto form = openForm();
        ui::type(form.get(), "txtApertura", typed);
        QTest::keyClick(ui::field(form.get(), "txtApertura"), Qt::Key_Tab);
        QCOMPARE(ui::field(form.get(), "txtApertura")->text(), shown);
        QCOMPARE(msg->count(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(msg->last().text, QStringLiteral("Correggere la sintassi della data"));
            QCOMPARE(msg->last().title, QStringLiteral("Data Error"));
            QCOMPARE(QApplication::focusWidget(), ui::field(form.get(), "txtApertura"));
        }
    }
};

const QString tst_frmConti::kTitle = QStringLiteral("Edit Conti/correnti");

QTEST_MAIN(tst_frmConti)
#include "tst_frmconti.moc"
