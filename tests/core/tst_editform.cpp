// The single-record shape of the editing form, through a small editor of the accounts table.

#include "FormFixture.h"

#include "EditForm.h"

#include <QLineEdit>

namespace {
class AccountEditor : public EditForm
{
public:
    AccountEditor() : EditForm(SingleRecord, {QStringLiteral("Conti"), QStringLiteral("IdConto"), QStringLiteral("Conto"), 1})
    {
        txtDescr = textBox("txtDescr");
        addField(0, 0, QStringLiteral("Descrizione:"), txtDescr);
        bind(txtDescr, QStringLiteral("Descrizione"));
    }
    void setConto(int id) { setRecordId(id); }
    QStringList found;

protected:
    QString requiredFieldMessage() const override { return {}; }
    void recordLoaded(bool wasFound) override { found << (wasFound ? QStringLiteral("found") : QStringLiteral("new")); }

private:
    QLineEdit *txtDescr;
};
}

class tst_EditForm : public QObject, FormTest<AccountEditor>
{
    Q_OBJECT

private slots:
    void init()
    {
        start();
        db->exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (7, '7', 'Sette'), (40000, '4', 'Grande');"));
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
        ui::click(&form, "cmdCancel");
        QCOMPARE(msg->count(), 1);   // saved: no question
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(tst_EditForm)
#include "tst_editform.moc"
