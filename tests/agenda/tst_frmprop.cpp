// The contact editor: every box on its column, the owner and the stamp, the summary boxes, the
// date pickers, "&Nuovo", delete and the id it keeps.

#include "../core/FormFixture.h"

#include "DatePicker.h"
#include "HTMLHelp.h"
#include "frmProp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

class tst_frmProp : public QObject, FormTest<frmProp>
{
    Q_OBJECT

    static const QString kTitle;

    static int contatto(const frmProp &form) { return form.property("Contatto").toInt(); }
    QVector<QVariant> row(const QString &columns, int id = 0) const
    {
        const auto rows = db->rows(QStringLiteral("SELECT %1 FROM Contatti %2")
                                       .arg(columns, id ? QStringLiteral("WHERE IdContatto = %1").arg(id) : QString()));
        return rows.size() == 1 ? rows.first() : QVector<QVariant>{};
    }
    void addContact(int id, int owner)
    {
        db->exec(QStringLiteral("INSERT INTO Contatti (IdContatto, Nome, cognome, Condividi, IdUtente) "
                                "VALUES (%1, 'Anna', 'Blu', -1, %2);").arg(id).arg(owner));
    }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void tabsInOrderEachFocusingItsFirstBox()
    {
        auto form = openOn(0);
        auto *tabs = ui::field<QTabWidget>(form.get(), "Sst1");
        QCOMPARE(HTMLHelp::CurrentHelpId, 7001);
        QCOMPARE(tabs->currentIndex(), 1);
        const char *first[] = {"txtSname", "txtFirst", "txtAdd", "txtComp", "txtSpouse", "txtnote"};
        const QStringList captions{"Sommario", "Nominativo", "Home", "Company", "Personale", "Altro"};
        for (int i : {0, 2, 3, 4, 5, 1}) {
            tabs->setCurrentIndex(i);
            QCOMPARE(tabs->tabText(i), captions[i]);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(first[i]));
            ui::shoot(form.get(), QStringLiteral("frmProp_%1").arg(i));
        }
        // The Tab key follows the tab's boxes in order, then the buttons.
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(QLatin1Char(' ')), QStringLiteral("txtLast Text1 Text3 Text2 Text4 ckeCondividi Command1"));
    }

    // Each box shows its own column: every column holds its own name.
    void everyBoxShowsItsColumn()
    {
        const QStringList map = QStringLiteral(
            "txtSname:Nome txtSemail:email txtHph:Tel txtSmob:Cell txtCph:TelLavoro txtScfax:FaxLavoro "
            "txtSeno:NInterno txtSjtitle:Impiego txtSdept:Departimento txtScname:CompagniaLavoro txtFirst:Nome "
            "txtLast:cognome Text1:email Text3:email2 Text2:email3 Text4:web txtAdd:Indirizzo txtCity:Localita "
            "txtState:Stato Text6:Provincia txtZip:Cap txtPh1:Tel txtPh2:Tel2 txtMob:Cell Text5:Cell2 txtFax:fax "
            "txtComp:CompagniaLavoro txtCadd:IndirizzoLavoro txtCcity:CittaLavoro txtCstate:StatoLavoro "
            "txtCzip:CapLavoro txtJtitle:Impiego txtDept:Departimento txtCph1:TelLavoro txtCph2:TelLavoro2 "
            "txtCmob:CellLavoro txtCfax:FaxLavoro txtEno:NInterno txtSpouse:Partner txtChild:Figli txtnote:altro "
            "txtGender:Sesso").split(QLatin1Char(' '));
        QStringList columns;
        for (const QString &pair : map) {
            const QString column = pair.section(QLatin1Char(':'), 1);
            if (!columns.contains(column))
                columns << column;
        }
        db->exec(QStringLiteral("INSERT INTO Contatti (IdContatto, Condividi, Nascita, %1) VALUES (3, -1, '1990-06-01', '%2');")
                     .arg(columns.join(QLatin1Char(',')), columns.join(QStringLiteral("','"))));
        auto form = openOn(3);
        for (const QString &pair : map) {
            QWidget *w = form->findChild<QWidget *>(pair.section(QLatin1Char(':'), 0, 0));
            QString text;
            if (auto *line = qobject_cast<QLineEdit *>(w))
                text = line->text();
            else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
                text = memo->toPlainText();
            else if (auto *combo = qobject_cast<QComboBox *>(w))
                text = combo->currentText();
            QCOMPARE(text, pair.section(QLatin1Char(':'), 1));
        }
        QVERIFY(ui::field<QCheckBox>(form.get(), "ckeCondividi")->isChecked());
        QCOMPARE(ui::field<DatePicker>(form.get(), "Dtp1")->value(), QVariant(QDate(1990, 6, 1)));
        QCOMPARE(ui::field<DatePicker>(form.get(), "Dtp2")->value(), QVariant());
        QCOMPARE(form->editMode(), 0);
    }

    // The first save of a new contact stamps its owner and reads its id back; later saves stamp
    // the date and keep whoever owns it.
    void ownerAndStamp_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("owner");
        QTest::addColumn<QVariant>("firstStamp");
        QTest::newRow("new contact") << 0 << 1 << QVariant();
        QTest::newRow("id no longer there") << 99 << 1 << QVariant();
        QTest::newRow("shared contact of another user") << 5 << 2 << QVariant("2024-03-05");
    }
    void ownerAndStamp()
    {
        QFETCH(int, id);
        QFETCH(int, owner);
        QFETCH(QVariant, firstStamp);
        addContact(5, 2);
        auto form = openOn(id);
        ui::type(form.get(), "txtFirst", QStringLiteral("Rita"));
        ui::type(form.get(), "txtLast", QStringLiteral("Neri"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last(), (MsgRecord{"Registrazione completata.", MsgKind::Information, kTitle}));
        const int saved = db->value(QStringLiteral("SELECT IdContatto FROM Contatti WHERE Nome = 'Rita'")).toInt();
        QCOMPARE(contatto(*form), saved);
        QCOMPARE(form->editMode(), 0);
        QCOMPARE(row(QStringLiteral("IdUtente, DataUpdate"), saved), (QVector<QVariant>{owner, firstStamp}));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(row(QStringLiteral("IdUtente, DataUpdate"), saved), (QVector<QVariant>{owner, "2024-03-05"}));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Contatti")).toInt(), id == 5 ? 1 : 2);
    }

    void blankNameIsRefused_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("blank first name") << "  " << "Neri";
        QTest::newRow("no surname") << "Rita" << "";
    }
    void blankNameIsRefused()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        auto form = openOn(0);
        ui::type(form.get(), "txtFirst", first);
        ui::type(form.get(), "txtLast", last);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last(), (MsgRecord{"Campo nome/cognome vuoto impossibile effettuare la registrazione.",
                                         MsgKind::Warning, kTitle}));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Contatti")).toInt(), 0);
    }

    // The summary box and the tab's box write one column and each shows the other's typing, from
    // its start as a loaded box does.
    void summaryAndTabBoxShareTheColumn_data()
    {
        QTest::addColumn<QString>("typedIn");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("column");
        QTest::newRow("e-mail") << "Text1" << "txtSemail" << "email";
        QTest::newRow("summary name") << "txtSname" << "txtFirst" << "Nome";
        QTest::newRow("first name") << "txtFirst" << "txtSname" << "Nome";
        QTest::newRow("summary phone") << "txtHph" << "txtPh1" << "Tel";
        QTest::newRow("company") << "txtComp" << "txtScname" << "CompagniaLavoro";
    }
    void summaryAndTabBoxShareTheColumn()
    {
        QFETCH(QString, typedIn);
        QFETCH(QString, other);
        QFETCH(QString, column);
        addContact(5, 1);
        auto form = openOn(5);
        const QString typed = QStringLiteral("giulia.damico@example.it");
        ui::type(form.get(), typedIn.toLatin1(), typed);
        QCOMPARE(ui::field(form.get(), other.toLatin1())->text(), typed);
        QCOMPARE(ui::field(form.get(), other.toLatin1())->cursorPosition(), 0);
        ui::field<QTabWidget>(form.get(), "Sst1")->setCurrentIndex(0);
        ui::shoot(form.get(), QStringLiteral("frmProp_typed_%1").arg(typedIn));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(row(column, 5), QVector<QVariant>{typed});
    }

    // On a contact without dates: a picker ticked takes today, unticked or untouched stays Null;
    // on one with a date, unticking clears it.
    void datePickers_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("ticked") << QString() << 1 << QVariant("2024-03-05");
        QTest::newRow("ticked and unticked") << QString() << 2 << QVariant();
        QTest::newRow("left alone") << QString() << 0 << QVariant();
        QTest::newRow("date unticked") << "2001-09-30" << 1 << QVariant();
        QTest::newRow("date left alone") << "2001-09-30" << 0 << QVariant("2001-09-30");
    }
    void datePickers()
    {
        QFETCH(QString, before);
        QFETCH(int, clicks);
        QFETCH(QVariant, stored);
        addContact(5, 1);
        if (!before.isEmpty())
            db->exec(QStringLiteral("UPDATE Contatti SET Onomastico = '%1';").arg(before));
        auto form = openOn(5);
        QCheckBox *box = ui::field<DatePicker>(form.get(), "Dtp3")->tickBox();
        for (int i = 0; i < clicks; ++i)
            box->click();
        ui::click(form.get(), "cmdOk");
        QCOMPARE(row(QStringLiteral("Onomastico"), 5), QVector<QVariant>{stored});
    }

    // A date typed section by section ends as typed, whatever month and year the picker showed;
    // one that does not exist is refused on leaving the box, never saved as another day.
    void typedBirthDate_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("leap day, another year shown") << QDate(2026, 3, 5) << "29022000" << QVariant("2000-02-29");
        QTest::newRow("31st, April shown") << QDate(2026, 4, 15) << "31012024" << QVariant("2024-01-31");
        QTest::newRow("no leap day in 2023") << QDate(2026, 3, 5) << "29022023" << QVariant();
        QTest::newRow("no 31 April") << QDate(2026, 3, 5) << "31042024" << QVariant();
    }
    void typedBirthDate()
    {
        QFETCH(QDate, today);
        QFETCH(QString, keys);
        QFETCH(QVariant, stored);
        Clock::setNow(QDateTime(today, QTime(10, 0)));
        addContact(5, 1);
        auto form = openOn(5);
        ui::field<QTabWidget>(form.get(), "Sst1")->setCurrentIndex(4);
        auto *picker = ui::field<DatePicker>(form.get(), "Dtp1");
        QTest::mouseClick(picker->tickBox(), Qt::LeftButton, {}, QPoint(4, picker->tickBox()->height() / 2));
        QTest::keyClick(picker->tickBox(), Qt::Key_Tab);
        QTest::keyClicks(picker->dateBox(), keys);
        ui::click(form.get(), "cmdOk");
        const QString typed = keys.left(2) + '/' + keys.mid(2, 2) + '/' + keys.mid(4);
        QCOMPARE(picker->dateBox()->text(), typed);
        if (stored.isValid()) {
            QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        } else {
            QCOMPARE(msg->last(), (MsgRecord{"Correggere la sintassi della data", MsgKind::Error, "Data Error"}));
            QCOMPARE(QApplication::focusWidget(), picker->dateBox());
        }
        QCOMPARE(row(QStringLiteral("Nascita"), 5), QVector<QVariant>{stored});
    }

    // A record started after a contact with dates offers today, greyed, in each picker.
    void startedRecordOffersToday_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::newRow("&Nuovo") << QByteArray("Command1");
        QTest::newRow("after a delete") << QByteArray("Command6");
    }
    void startedRecordOffersToday()
    {
        QFETCH(QByteArray, button);
        addContact(5, 1);
        db->exec(QStringLiteral("UPDATE Contatti SET Nascita = '1980-05-17', Anniversario = '2001-09-30', "
                                "Onomastico = '1999-12-31';"));
        auto form = openOn(5);
        ui::click(form.get(), button.constData());
        QCOMPARE(form->editMode(), 2);
        for (const char *name : {"Dtp1", "Dtp2", "Dtp3"}) {
            auto *picker = ui::field<DatePicker>(form.get(), name);
            QVERIFY(!picker->tickBox()->isChecked());
            QCOMPARE(picker->shownDate(), QDate(2024, 3, 5));
        }
        auto *birthday = ui::field<DatePicker>(form.get(), "Dtp1");
        birthday->tickBox()->click();
        QCOMPARE(birthday->value(), QVariant(QDate(2024, 3, 5)));
    }

    void genderIsStoredAsItsText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("from the list") << "F";
        QTest::newRow("typed") << "altro";
    }
    void genderIsStoredAsItsText()
    {
        QFETCH(QString, typed);
        addContact(5, 1);
        auto form = openOn(5);
        auto *combo = ui::field<QComboBox>(form.get(), "txtGender");
        combo->setFocus();
        QTest::keyClicks(combo, typed);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(row(QStringLiteral("Sesso"), 5), QVector<QVariant>{typed});
    }

    // "&Nuovo" over an unsaved change writes it without the stamp and without a word.
    void newOverUnsavedChanges()
    {
        addContact(5, 2);
        auto form = openOn(5);
        ui::type(form.get(), "txtLast", QStringLiteral("Verdi"));
        ui::click(form.get(), "Command1");
        QCOMPARE(msg->count(), 0);
        QCOMPARE(row(QStringLiteral("cognome, DataUpdate, IdUtente"), 5), (QVector<QVariant>{"Verdi", QVariant(), 2}));
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(contatto(*form), 0);
        QCOMPARE(ui::field(form.get(), "txtLast")->text(), QString());
    }

    void deleteOnlyASavedUnchangedContact_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("left");
        QTest::newRow("saved") << 5 << false << 0;
        QTest::newRow("new contact") << 0 << false << 1;
        QTest::newRow("unsaved change") << 5 << true << 1;
    }
    void deleteOnlyASavedUnchangedContact()
    {
        QFETCH(int, id);
        QFETCH(bool, change);
        QFETCH(int, left);
        addContact(5, 1);
        auto form = openOn(id);
        if (change)
            ui::type(form.get(), "txtFirst", QStringLiteral("Altro"));
        auto *tabs = ui::field<QTabWidget>(form.get(), "Sst1");
        tabs->setCurrentIndex(3);
        ui::click(form.get(), "Command6");
        QCOMPARE(tabs->currentIndex(), 3);   // a delete is no new showing: the tab stays
        QCOMPARE(msg->count(), left ? 0 : 2);
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM Contatti")).toInt(), left);
        if (!left) {
            QCOMPARE(contatto(*form), 0);
            QCOMPARE(form->editMode(), 2);
        }
    }

    void closeResetsTheId()
    {
        addContact(5, 1);
        auto form = openOn(5);
        QVERIFY(form->close());
        QCOMPARE(contatto(*form), 0);
    }
};

const QString tst_frmProp::kTitle = QStringLiteral("Edit Contatti");

QTEST_MAIN(tst_frmProp)
#include "tst_frmprop.moc"
