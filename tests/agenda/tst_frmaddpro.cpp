// The reminder editor: the date box's forms, today's date in a new reminder, the id read back,
// the delete by statement and the question on closing.

#include "../core/FormFixture.h"

#include "HTMLHelp.h"
#include "frmAddPro.h"

#include <QCheckBox>

class tst_frmAddPro : public QObject, FormTest<frmAddPro>
{
    Q_OBJECT

    static const QString kTitle;

    void addReminder()
    {
        db->exec(QStringLiteral("INSERT INTO Promemoria (IdPromemoria, Testo, data, Eseguito) "
                                "VALUES (7, 'Bollette', '2024-04-01', -1);"));
    }
    int reminders() const { return db->value(QStringLiteral("SELECT count(*) FROM Promemoria")).toInt(); }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void opensOnAReminderOrOnANewOneDatedToday()
    {
        addReminder();
        auto form = openOn(7);
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QStringLiteral("Bollette"));
        QCOMPARE(ui::field(form.get(), "txtData")->text(), QStringLiteral("01/04/2024"));
        QVERIFY(ui::field<QCheckBox>(form.get(), "ckeEseguito")->isChecked());
        QCOMPARE(form->editMode(), 0);
        form->close();

        form = openOn(0);
        QCOMPARE(HTMLHelp::CurrentHelpId, 3001);
        QCOMPARE(ui::field(form.get(), "txtData")->text(), QStringLiteral("05/03/2024"));
        QCOMPARE(form->editMode(), 2);
        ui::shoot(form.get(), QStringLiteral("frmAddPro"));
        // The date that the load typed counts as a pending new reminder.
        msg->answer(MsgAnswer::No);
        QVERIFY(!form->close());
        QCOMPARE(msg->last(), (MsgRecord{"Uscire senza salvare le modifiche?", MsgKind::WarningQuestion,
                                         "Salvataggio modifiche"}));
        QVERIFY(form->isVisible());
        QCOMPARE(msg->count(), 1);
    }

    void dateForms_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("dashes") << "1-2-2024" << "01/02/2024" << QVariant("2024-02-01");
        QTest::newRow("dots") << "1.2.2024" << "01/02/2024" << QVariant("2024-02-01");
        QTest::newRow("commas") << "1,2,2024" << "01/02/2024" << QVariant("2024-02-01");
        QTest::newRow("eight digits") << "01022024" << "01/02/2024" << QVariant("2024-02-01");
        QTest::newRow("six digits") << "010224" << "01/02/2024" << QVariant("2024-02-01");
        QTest::newRow("empty: no date") << "" << "" << QVariant();
    }
    void dateForms()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QVariant, stored);
        auto form = openOn(0);
        ui::type(form.get(), "txtDescr", QStringLiteral("Pagare"));
        ui::type(form.get(), "txtData", typed);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(ui::field(form.get(), "txtData")->text(), shown);
        QCOMPARE(msg->last(), (MsgRecord{"Registrazione completata.", MsgKind::Information, kTitle}));
        const auto rows = db->rows(QStringLiteral("SELECT data, Testo, Eseguito, DataUpdate FROM Promemoria"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][0], stored);
        QCOMPARE(rows[0][2].toInt(), 0);
        QVERIFY(rows[0][3].isNull());
    }

    void impossibleDateKeepsTheFocus()
    {
        auto form = openOn(0);
        ui::type(form.get(), "txtDescr", QStringLiteral("Pagare"));
        ui::type(form.get(), "txtData", QStringLiteral("31/02/2024"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last(), (MsgRecord{"Correggere la sintassi della data", MsgKind::Error, "Data Error"}));
        QCOMPARE(QApplication::focusWidget(), ui::field(form.get(), "txtData"));
        QCOMPARE(reminders(), 0);
    }

    void blankDescriptionIsRefused()
    {
        auto form = openOn(0);
        ui::type(form.get(), "txtDescr", QStringLiteral("   "));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last(), (MsgRecord{"Campo descrizione vuoto impossibile effettuare la registrazione.",
                                         MsgKind::Warning, kTitle}));
        QCOMPARE(reminders(), 0);
    }

    // The new id is read back: the second save edits the same row and stamps it. "&Nuovo" then
    // starts a reminder without a date.
    void savedReminderStaysInTheForm()
    {
        auto form = openOn(0);
        ui::type(form.get(), "txtDescr", QStringLiteral("Dentista"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(form->editMode(), 0);
        ui::click(form.get(), "ckeEseguito");
        ui::click(form.get(), "cmdOk");
        const auto rows = db->rows(QStringLiteral("SELECT Testo, data, Eseguito, DataUpdate FROM Promemoria"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0], (QVector<QVariant>{"Dentista", "2024-03-05", -1, "2024-03-05"}));

        ui::click(form.get(), "Command1");
        QCOMPARE(ui::field(form.get(), "txtData")->text(), QString());
        ui::type(form.get(), "txtDescr", QStringLiteral("Senza data"));
        ui::click(form.get(), "cmdOk");
        QVERIFY(db->value(QStringLiteral("SELECT data FROM Promemoria WHERE Testo = 'Senza data'")).isNull());
    }

    // The stamp reaches the row before the statement removes it; the form comes back as a new
    // reminder dated today.
    void deleteStampsThenRemoves()
    {
        addReminder();
        db->exec(QStringLiteral("CREATE TABLE Gone (Stamp TEXT);"
                                "CREATE TRIGGER KeepStamp BEFORE DELETE ON Promemoria "
                                "BEGIN INSERT INTO Gone VALUES (OLD.DataUpdate); END;"));
        auto form = openOn(7);
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->count(), 2);
        QCOMPARE(msg->shown().at(0), (MsgRecord{"Si è sicuri di voler cancellare il record:", MsgKind::Question,
                                                "Delete record!"}));
        QCOMPARE(msg->last(), (MsgRecord{"Record Cancellato!", MsgKind::Information, "Delete Successfull!"}));
        QCOMPARE(reminders(), 0);
        QCOMPARE(db->value(QStringLiteral("SELECT Stamp FROM Gone")).toString(), QStringLiteral("2024-03-05"));
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(ui::field(form.get(), "txtData")->text(), QStringLiteral("05/03/2024"));
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QString());
    }

    void deleteFailureShowsTheErrorAlone()
    {
        addReminder();
        db->exec(QStringLiteral("CREATE TRIGGER Refuse BEFORE DELETE ON Promemoria "
                                "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END;"));
        auto form = openOn(7);
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->last().kind, MsgKind::Error);
        QCOMPARE(msg->last().title, kTitle);
        QVERIFY(msg->last().text.contains(QStringLiteral("rifiutato")));
        QVERIFY(!msg->last().text.endsWith(QStringLiteral("Operazione Annullata")));
        // The stamp went with the refused delete, and the form knows it: its save finds the record.
        QCOMPARE(reminders(), 1);
        QVERIFY(db->value(QStringLiteral("SELECT DataUpdate FROM Promemoria")).isNull());
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
    }

    void deleteDoesNothingWhileEditing_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("change");
        QTest::newRow("new reminder") << 0 << false;
        QTest::newRow("unsaved change") << 7 << true;
    }
    void deleteDoesNothingWhileEditing()
    {
        QFETCH(int, id);
        QFETCH(bool, change);
        addReminder();
        auto form = openOn(id);
        if (change)
            ui::type(form.get(), "txtDescr", QStringLiteral("Cambiato"));
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->count(), 0);
        QCOMPARE(reminders(), 1);
    }

    // Closing forgets the reminder: the same form shown again starts a new one.
    void closeResetsTheId()
    {
        addReminder();
        auto form = openOn(7);
        QVERIFY(form->close());
        QVERIFY(ui::open(form.get()));
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QString());
    }
};

const QString tst_frmAddPro::kTitle = QStringLiteral("Edit Promemoria");

QTEST_MAIN(tst_frmAddPro)
#include "tst_frmaddpro.moc"
