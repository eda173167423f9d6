// The movement types editor: the income or expense options and the list from qryTipoMov.

#include "../core/FormFixture.h"

#include "frmTipoMov.h"

#include <QRadioButton>
#include <memory>

class tst_frmTipoMov : public QObject, FormTest<frmTipoMov>
{
    Q_OBJECT

    static QRadioButton *option(QWidget *form, const char *name) { return ui::field<QRadioButton>(form, name); }

private slots:
    void init()
    {
        start();
        db->exec(QStringLiteral("INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite, Commento) VALUES "
                                "(1, 'Stipendio', -1, 'mensile'), (2, 'Spesa', 0, NULL);"));
    }
    void cleanup() { stop(); }

    void listComesFromTheSavedQuery()
    {
        auto form = openForm();
        ListGrid *g = ui::grid(form.get());
        QCOMPARE(g->columns(), 4);
        QCOMPARE(g->rows(), 2);
        QCOMPARE(g->cellText(1, 1), QStringLiteral(" Stipendio"));
        QCOMPARE(g->cellText(1, 4), QStringLiteral(" mensile"));
        QCOMPARE(g->cellText(2, 4), QStringLiteral(" "));
        QVERIFY(g->cellText(1, 2) != g->cellText(2, 2));   // income and expense tell apart
        QCOMPARE(g->cellItemData(2, 4), 2);
        QVERIFY(!option(form.get(), "optEntrate")->isChecked());
        QVERIFY(!option(form.get(), "OptUscite")->isChecked());
        ui::shoot(form.get(), QStringLiteral("frmTipoMov"));
    }

    void requiredFields_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");
        QTest::newRow("no description, no option")
            << "  " << "Campo descrizione vuoto impossibile effettuare la registrazione.";
        QTest::newRow("no option") << "Affitto" << "Il record deve appartenere a entrate oppure uscite";
    }
    void requiredFields()
    {
        QFETCH(QString, description);
        QFETCH(QString, message);
        auto form = openForm();
        ui::type(form.get(), "txtDescr", description);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last(), (MsgRecord{message, MsgKind::Warning, "Edit Tipo Movimenti"}));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM TipoMov")).toInt(), 2);
    }

    void optionIsSavedAsTheIncomeFlag_data()
    {
        QTest::addColumn<QByteArray>("optionName");
        QTest::addColumn<int>("stored");
        QTest::newRow("Entrate") << QByteArray("optEntrate") << -1;
        QTest::newRow("Uscite") << QByteArray("OptUscite") << 0;
    }
    void optionIsSavedAsTheIncomeFlag()
    {
        QFETCH(QByteArray, optionName);
        QFETCH(int, stored);
        auto form = openForm();
        ui::type(form.get(), "txtDescr", QStringLiteral("Affitto"));
        QTest::mouseClick(option(form.get(), optionName.constData()), Qt::LeftButton);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        const auto row = db->rows(QStringLiteral("SELECT EntrateUscite, DataUpdate FROM TipoMov WHERE Descrizione = 'Affitto'")).first();
        QCOMPARE(row[0].toInt(), stored);
        QVERIFY(row[1].isNull());
        QCOMPARE(ui::grid(form.get())->rows(), 3);
    }

    void pickingATypeSetsTheOptionsAndNewKeepsThem()
    {
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 2));
        QVERIFY(option(form.get(), "OptUscite")->isChecked());
        QVERIFY(!option(form.get(), "optEntrate")->isChecked());
        QVERIFY(ui::pick(form.get(), 1));
        QVERIFY(option(form.get(), "optEntrate")->isChecked());
        QVERIFY(ui::pick(form.get(), 2));
        ui::click(form.get(), "Command1");
        QCOMPARE(form->editMode(), 2);
        QVERIFY(option(form.get(), "OptUscite")->isChecked());
    }

    void changingOnlyTheOptionStampsTheType()
    {
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 2));
        QTest::mouseClick(option(form.get(), "optEntrate"), Qt::LeftButton);
        ui::click(form.get(), "cmdOk");
        const auto row = db->rows(QStringLiteral("SELECT EntrateUscite, DataUpdate FROM TipoMov WHERE IdTipoMov = 2")).first();
        QCOMPARE(row[0].toInt(), -1);
        QCOMPARE(row[1].toString(), QStringLiteral("2024-03-05"));
    }

    // The list's failure is a warning of its own: once while painting, and after a save that went
    // through, which it does not call cancelled.
    void listFailureIsShownOnceAndAfterTheSave()
    {
        db->exec(QStringLiteral("DROP VIEW qryTipoMov;"));
        auto form = openForm();
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Warning);
        QCOMPARE(msg->last().title, QStringLiteral("Edit Tipo Movimenti"));
        QVERIFY(!msg->last().text.isEmpty());
        QCOMPARE(ui::grid(form.get())->columns(), 4);
        form->repaint();
        ui::settle();
        QCOMPARE(msg->count(), 1);
        ui::type(form.get(), "txtDescr", QStringLiteral("Affitto"));
        QTest::mouseClick(option(form.get(), "OptUscite"), Qt::LeftButton);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 3);
        QCOMPARE(msg->shown().at(1).text, QStringLiteral("Registrazione completata."));
        QCOMPARE(msg->last(), msg->shown().first());
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM TipoMov WHERE Descrizione = 'Affitto'")).toInt(), 1);
        QVERIFY(form->isVisible());
    }

    void deletingAUsedTypeIsRefused()
    {
        db->exec(QStringLiteral("INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
                                "INSERT INTO Movimenti (DataMov, Descrizione, Entrata, Uscita, IdTipoPag, IdTipoMov, IdUtente) "
                                "VALUES ('2024-01-10', 'Gennaio', 1000, 0, 1, 1, 1);"));
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->last(), (MsgRecord{"Violazione del vincolo Referenziale. Operazione Annullata", MsgKind::Error,
                                         "Edit Tipo Movimenti"}));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM TipoMov")).toInt(), 2);
    }
};

QTEST_MAIN(tst_frmTipoMov)
#include "tst_frmtipomov.moc"
