// The single-record shape of the editing form, through a small editor of the accounts table.

#include "FormFixture.h"

#include "EditForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace {
class AccountEditor : public EditForm
{
public:
    AccountEditor() : EditForm(SingleRecord, {QStringLiteral("Conti"), QStringLiteral("IdConto"), QStringLiteral("Conto"), 1})
    {
        txtDescr = textBox("txtDescr");
        txtConto = textBox("txtConto");
        addField(0, 0, QStringLiteral("Descrizione:"), txtDescr);
        addField(1, 0, QStringLiteral("N°:"), txtConto);
        bind(txtDescr, QStringLiteral("Descrizione"));
        bind(txtConto, QStringLiteral("NConto"), [](const QVariant &v) { return QStringLiteral("N. ") + v.toString(); });
        cboComune = new QComboBox(Frame1);
        cboComune->setObjectName(QStringLiteral("cboComune"));
        addField(2, 0, QStringLiteral("Comune:"), cboComune);
        bind(cboComune, QStringLiteral("ComuConto"));
    }
    void setConto(int id) { setRecordId(id); }
    QStringList found;
    int binds = 0;
    int started = 0;

protected:
    QString requiredFieldMessage() const override { return {}; }
    void recordLoaded(bool wasFound) override { found << (wasFound ? QStringLiteral("found") : QStringLiteral("new")); }
    // A data combo refilled at every bind, as the editors with lists of other tables do.
    void bindingControls() override
    {
        ++binds;
        cboComune->clear();
        cboComune->addItems({QStringLiteral("Roma"), QStringLiteral("Milano")});
    }
    void newStarted() override { ++started; }

private:
    QLineEdit *txtDescr;
    QLineEdit *txtConto;
    QComboBox *cboComune;
};
}

class tst_EditForm : public QObject, FormTest<AccountEditor>
{
    Q_OBJECT

private slots:
    void init()
    {
        start();
        db->exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione, ComuConto) VALUES (7, '7', 'Sette', 'Milano'), (40000, '4', 'Grande', NULL);"));
    }
    void cleanup() { stop(); }

    void opensOnTheRecordId_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("mode");
        QTest::newRow("zero: new record") << 0 << "" << 2;
        QTest::newRow("existing") << 7 << "Sette" << 0;
        QTest::newRow("above 16 bits") << 40000 << "Grande" << 0;
        QTest::newRow("no longer there") << 8 << "" << 2;
    }
    void opensOnTheRecordId()
    {
        QFETCH(int, id);
        QFETCH(QString, shown);
        QFETCH(int, mode);
        AccountEditor form;
        form.setConto(id);
        QVERIFY(ui::open(&form));
        QCOMPARE(msg->count(), 0);
        QCOMPARE(ui::field(&form, "txtDescr")->text(), shown);
        QCOMPARE(form.editMode(), mode);
        QCOMPARE(form.found, QStringList{mode == 0 ? QStringLiteral("found") : QStringLiteral("new")});
        QVERIFY(!form.findChild<ListGrid *>());
    }

    // Refilling a bound data combo at the bind is the form's own doing: the record keeps its value.
    void refilledComboLeavesTheRecord_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("mode");
        QTest::newRow("value in the list") << 7 << "Milano" << 0;
        QTest::newRow("Null value") << 40000 << "" << 0;
        QTest::newRow("new record") << 0 << "" << 2;
    }
    void refilledComboLeavesTheRecord()
    {
        QFETCH(int, id);
        QFETCH(QString, shown);
        QFETCH(int, mode);
        const auto before = db->rows(QStringLiteral("SELECT * FROM Conti ORDER BY IdConto"));
        AccountEditor form;
        form.setConto(id);
        QVERIFY(ui::open(&form));
        QCOMPARE(ui::field<QComboBox>(&form, "cboComune")->currentText(), shown);
        QCOMPARE(form.editMode(), mode);
        if (mode == 0) {
            ui::click(&form, "cmdCancel");
            QCOMPARE(msg->count(), 0);   // nothing pending: no question
        }
        QCOMPARE(db->rows(QStringLiteral("SELECT * FROM Conti ORDER BY IdConto")), before);
    }

    void savesTheGivenRecordWithItsStamp()
    {
        AccountEditor form;
        form.setConto(7);
        QVERIFY(ui::open(&form));
        ui::type(&form, "txtDescr", QStringLiteral("Otto"));
        ui::click(&form, "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(msg->last().title, QStringLiteral("Conto"));
        const auto row = db->rows(QStringLiteral("SELECT Descrizione, DataUpdate FROM Conti WHERE IdConto = 7")).first();
        QCOMPARE(row[0].toString(), QStringLiteral("Otto"));
        QCOMPARE(row[1].toString(), QStringLiteral("2024-03-05"));
        // The number is shown through its display format and, untouched, not written back so.
        QCOMPARE(ui::field(&form, "txtConto")->text(), QStringLiteral("N. 7"));
        QCOMPARE(db->value(QStringLiteral("SELECT NConto FROM Conti WHERE IdConto = 7")).toString(), QStringLiteral("7"));
        ui::click(&form, "cmdCancel");
        QCOMPARE(msg->count(), 1);   // saved: no question
        QVERIFY(!form.isVisible());
    }

    // The editor holds the id of the record it added, and forgets its id when it closes.
    void recordIdFollowsTheRecord()
    {
        AccountEditor form;
        QVERIFY(ui::open(&form));
        ui::type(&form, "txtDescr", QStringLiteral("Nuovo"));
        ui::click(&form, "cmdOk");
        const int added = db->value(QStringLiteral("SELECT IdConto FROM Conti WHERE Descrizione = 'Nuovo'")).toInt();
        QVERIFY(added > 40000);
        QCOMPARE(form.recordId(), added);
        ui::click(&form, "cmdCancel");
        QVERIFY(!form.isVisible());
        QCOMPARE(form.recordId(), 0);
    }

    // The hooks the single-record editors build on: every BindControls, and New only when it starts
    // a record.
    void hooksOfBindingAndNew()
    {
        AccountEditor form;
        form.setConto(7);
        QVERIFY(ui::open(&form));
        QCOMPARE(form.binds, 1);
        QCOMPARE(form.started, 0);
        ui::click(&form, "Command1");
        QCOMPARE(form.editMode(), 2);
        QCOMPARE(form.started, 1);
        QCOMPARE(ui::field(&form, "txtConto")->text(), QString());
        ui::click(&form, "Command1");
        QCOMPARE(form.started, 1);
        QCOMPARE(msg->count(), 0);
    }
};

QTEST_MAIN(tst_EditForm)
#include "tst_editform.moc"
