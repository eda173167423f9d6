// The appointment editor through its controls: the save checks, the day columns, the double booking,
// save then delete, and the planner's week reloaded when the editor closes.

#include "../core/FormFixture.h"

#include "DatePicker.h"
#include "Shell.h"
#include "frmAddAppunta.h"
#include "frmAppunta.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QSettings>
#include <QTemporaryDir>

namespace {
const QString kTitle = QStringLiteral("Registrazione appuntamenti");
}

class tst_frmAddAppunta : public QObject, FormTest<frmAddAppunta>
{
    Q_OBJECT

    QTemporaryDir settingsDir;

    // What the user fills in; an empty text leaves that box empty.
    struct Entry
    {
        QString client = QStringLiteral("Rossi Anna");
        QDate date = QDate(2024, 3, 6);
        QString workstation = QStringLiteral("Sala - S1");
        QString shift = QStringLiteral("08:30");
    };

    static void fill(QWidget *form, const Entry &e)
    {
        auto *client = ui::field<QComboBox>(form, "txtCliente");
        client->setFocus();
        client->lineEdit()->selectAll();
        if (e.client.isEmpty())
            QTest::keyClick(client->lineEdit(), Qt::Key_Delete);
        else
            QTest::keyClicks(client->lineEdit(), e.client);
        auto *picker = ui::field<DatePicker>(form, "DTPicker1");
        picker->tickBox()->setChecked(e.date.isValid());
        if (e.date.isValid())
            picker->dateBox()->setDate(e.date);
        for (const auto &[name, text] : {std::pair{"dtcPostazione", e.workstation}, std::pair{"dtcTurni", e.shift}}) {
            auto *box = ui::field<QComboBox>(form, name);
            box->setCurrentIndex(box->findText(text));
        }
    }

    int appointments() const { return db->value(QStringLiteral("SELECT COUNT(*) FROM Appunta")).toInt(); }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    }
    void init()
    {
        start();
        db->exec(QStringLiteral(
            "INSERT INTO Postazioni (IdPosto, Nominativo, DescrBreve) VALUES (1, 'Sala', 'S1'), (2, 'Studio', 'S2');"
            "INSERT INTO Turni (Ora) VALUES ('08:30'), ('09:00');"
            "INSERT INTO Contatti (IdContatto, Nome, cognome) VALUES (1, 'Anna', 'Rossi'), (2, 'Luca', 'Bianchi');"));
    }
    void cleanup()
    {
        Shell::setModalHandler({});
        stop();
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<QString>("client");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("workstation");
        QTest::addColumn<QString>("shift");
        QTest::addColumn<QString>("message");
        const QDate monday(2024, 3, 4);
        QTest::newRow("shift before client") << "" << monday << "Sala - S1" << "" << "Campo turno vuoto, impossibile effettuare la registrazione.";
        QTest::newRow("client before workstation") << "" << monday << "" << "08:30" << "Campo cliente vuoto, impossibile effettuare la registrazione.";
        QTest::newRow("workstation before date") << "Rossi Anna" << QDate() << "" << "08:30" << "Campo Postazione vuoto, impossibile effettuare la registrazione.";
        QTest::newRow("date") << "Rossi Anna" << QDate() << "Sala - S1" << "08:30" << "Campo data vuoto, impossibile effettuare la registrazione.";
        QTest::newRow("Sunday") << "Rossi Anna" << QDate(2024, 3, 10) << "Sala - S1" << "08:30" << "La Domenica non è valida, impossibile effettuare la registrazione.";
    }
    void saveChecksInOrder()
    {
        QFETCH(QString, client);
        QFETCH(QDate, date);
        QFETCH(QString, workstation);
        QFETCH(QString, shift);
        QFETCH(QString, message);
        auto form = openForm();
        fill(form.get(), {client, date, workstation, shift});
        ui::click(form.get(), "cmdReg");
        QCOMPARE(msg->shown(), QList<MsgRecord>({{message, MsgKind::Warning, kTitle}}));
        QCOMPARE(appointments(), 0);
    }

    // Monday to Saturday are stored with their weekday counted from Sunday = 1; the shift as its text.
    void storesTheDay_data()
    {
        QTest::addColumn<QDate>("date");
        for (int d = 0; d < 6; ++d) {
            const QDate date = QDate(2024, 12, 30).addDays(d);
            QTest::newRow(qPrintable(date.toString(Qt::ISODate))) << date;
        }
    }
    void storesTheDay()
    {
        QFETCH(QDate, date);
        auto form = openForm();
        fill(form.get(), {QStringLiteral("Cliente scritto a mano"), date, QStringLiteral("Studio - S2"), QStringLiteral("08:30")});
        ui::click(form.get(), "cmdReg");
        QCOMPARE(msg->last(), (MsgRecord{QStringLiteral("Registrazione completata."), MsgKind::Information, kTitle}));
        const auto rows = db->rows(QStringLiteral("SELECT IdAppunta, Data, IdGiorno, Anno, IdTurno, IdPostazione, Cliente, "
                                                  "Data_Update FROM Appunta"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].mid(1), (QVector<QVariant>{date.toString(Qt::ISODate), date.dayOfWeek() + 1, date.year(),
                                                    QStringLiteral("08:30"), 2, QStringLiteral("Cliente scritto a mano"),
                                                    QVariant()}));
        // The form shows the saved appointment.
        QCOMPARE(form->recordId(), rows[0][0].toInt());
        QCOMPARE(form->editMode(), 0);
        QCOMPARE(ui::field<DatePicker>(form.get(), "DTPicker1")->value().toDate(), date);
        QCOMPARE(ui::field<QComboBox>(form.get(), "dtcTurni")->currentText(), QStringLiteral("08:30"));
        ui::shoot(form.get(), QStringLiteral("frmAddAppunta"));
    }

    void doubleBookingIsRefused()
    {
        db->exec(QStringLiteral("INSERT INTO Appunta (Data, IdGiorno, Anno, IdTurno, IdPostazione, Cliente) "
                                "VALUES ('2024-03-06', 4, 2024, '08:30', 1, 'Bianchi Luca')"));
        auto form = openForm();
        fill(form.get(), {});
        ui::click(form.get(), "cmdReg");
        QCOMPARE(msg->shown(), QList<MsgRecord>({{QStringLiteral("Attenzione: orario non disponibile. Esiste già un' "
                                                                 "appuntamento a questa ora. Operazione Annullata"),
                                                  MsgKind::Warning, kTitle}}));
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(appointments(), 1);
        // Another shift on the same form goes through.
        auto *shift = ui::field<QComboBox>(form.get(), "dtcTurni");
        shift->setCurrentIndex(shift->findText(QStringLiteral("09:00")));
        ui::click(form.get(), "cmdReg");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(appointments(), 2);
    }

    void saveThenDelete()
    {
        auto form = openForm();
        ui::click(form.get(), "Command6");   // a blank new appointment: nothing
        QCOMPARE(msg->count(), 0);
        fill(form.get(), {QStringLiteral("bia")});   // completed from the contacts
        ui::click(form.get(), "cmdReg");
        QCOMPARE(db->value(QStringLiteral("SELECT Cliente FROM Appunta")), QVariant(QStringLiteral("Bianchi Luca")));
        msg->clear();
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->shown(), QList<MsgRecord>({{QStringLiteral("Si è sicuri di voler cancellare il record:"),
                                                  MsgKind::Question, QStringLiteral("Delete record!")},
                                                 {QStringLiteral("Record Cancellato!"), MsgKind::Information,
                                                  QStringLiteral("Delete Successfull!")}}));
        QCOMPARE(appointments(), 0);
        QCOMPARE(form->recordId(), 0);
        QCOMPARE(form->editMode(), 2);
        auto *client = ui::field<QComboBox>(form.get(), "txtCliente");
        QCOMPARE(client->currentText(), QString());
        QCOMPARE(client->count(), 2);   // each contact once, surname first
        QCOMPARE(client->itemText(0), QStringLiteral("Bianchi Luca"));
    }

    // Closing the editor reloads the planner's week; the id is forgotten.
    void closingReloadsThePlanner()
    {
        frmAppunta planner;
        QVERIFY(ui::open(&planner));
        bool saved = false;
        Shell::setModalHandler([&](QDialog *d) {
            auto *editor = qobject_cast<frmAddAppunta *>(d);
            if (!ui::open(editor))
                return 0;
            fill(editor, {QStringLiteral("Rossi Anna"), QDate(2024, 3, 7)});
            ui::click(editor, "cmdReg");
            saved = editor->recordId() > 0;
            ui::click(editor, "Command1");
            return 0;
        });
        ui::click(&planner, "Command1");
        QVERIFY(saved);
        ListGrid *thursday = planner.findChild<ListGrid *>(QStringLiteral("ListView1_4"));
        QCOMPARE(thursday->rows(), 1);
        QCOMPARE(thursday->cellText(1, 1), QStringLiteral("Rossi Anna"));
    }

    // Opened on its id: the appointment shown, Tab through the boxes then the buttons, no question on
    // closing it unchanged, and the id forgotten.
    void opensOnItsId()
    {
        db->exec(QStringLiteral("INSERT INTO Appunta (IdAppunta, Data, IdGiorno, Anno, IdTurno, IdPostazione, Cliente) "
                                "VALUES (7, '2024-03-06', 4, 2024, '09:00', 2, 'Rossi Anna')"));
        frmAddAppunta form;
        form.setProperty("IdAppunta", 7);
        QVERIFY(ui::open(&form));
        QStringList shown;
        for (const char *name : {"txtCliente", "dtcPostazione", "dtcTurni"})
            shown << ui::field<QComboBox>(&form, name)->currentText();
        QCOMPARE(shown, QStringList({"Rossi Anna", "Studio - S2", "09:00"}));
        QCOMPARE(ui::field<DatePicker>(&form, "DTPicker1")->value(), QVariant(QDate(2024, 3, 6)));

        QWidget *at = ui::field<QComboBox>(&form, "txtCliente")->lineEdit();
        at->setFocus();
        QStringList order;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(at, Qt::Key_Tab);
            at = QApplication::focusWidget();
            QWidget *named = at;
            while (named->objectName().isEmpty() || named->objectName().startsWith(QLatin1String("qt_")))
                named = named->parentWidget();
            order << named->objectName();
        }
        // The picker: its tick box, then the day, month and year of its date.
        QCOMPARE(order, (QStringList{"DTPicker1", "DTPicker1", "DTPicker1", "DTPicker1", "dtcPostazione", "dtcTurni", "txtDescr", "cmdReg",
                                     "Command1", "Command6"}));

        ui::click(&form, "Command1");
        QCOMPARE(msg->count(), 0);
        QCOMPARE(form.recordId(), 0);
    }
};

QTEST_MAIN(tst_frmAddAppunta)
#include "tst_frmaddappunta.moc"
