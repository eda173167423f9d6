// The payment types editor: its fields, its list and a type still used by a movement.

#include "../core/FormFixture.h"

#include "frmTipoPag.h"

#include <memory>

class tst_frmTipoPag : public QObject, FormTest<frmTipoPag>
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void savesAndLists()
    {
        auto form = openForm();
        ui::type(form.get(), "txtDescr", QStringLiteral("Bonifico"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(msg->last().title, QStringLiteral("Edit Tipo Pagamenti"));
        const auto row = db->rows(QStringLiteral("SELECT NomePag, Commento FROM TipoPag")).first();
        QCOMPARE(row[0].toString(), QStringLiteral("Bonifico"));
        ListGrid *g = ui::grid(form.get());
        QCOMPARE(g->columns(), 2);
        QCOMPARE(g->columnKey(1), QStringLiteral("size"));
        QCOMPARE(g->columnKey(2), QStringLiteral("File"));
        QCOMPARE(g->rows(), 1);
        QCOMPARE(g->cellText(1, 1), QStringLiteral(" Bonifico"));
        QCOMPARE(g->cellText(1, 2), QStringLiteral(" "));
        ui::shoot(form.get(), QStringLiteral("frmTipoPag"));
    }

    void listIsRebuiltWhenTheFormPaintsOnly()
    {
        db->exec(QStringLiteral("INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"));
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        QTest::qWait(200);   // the grid's own redrawing rebuilds nothing: the row stays selected
        QCOMPARE(ui::grid(form.get())->selectedRow(), 1);
        db->exec(QStringLiteral("INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (2, 'Carta');"));
        form->repaint();
        ui::settle();
        QCOMPARE(ui::grid(form.get())->rows(), 2);
    }

    void nameOfBlanksIsRefused()
    {
        auto form = openForm();
        ui::type(form.get(), "txtDescr", QStringLiteral("   "));
        ui::type(form.get(), "txtAltro", QStringLiteral("nota"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Campo descrizione vuoto impossibile effettuare la registrazione."));
        QCOMPARE(msg->last().kind, MsgKind::Warning);
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM TipoPag")).toInt(), 0);
    }

    void typeUsedByAMovementIsNotDeleted()
    {
        db->exec(QStringLiteral("INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti'), (2, 'Carta');"
                                "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Spesa', 0);"
                                "INSERT INTO Movimenti (DataMov, Descrizione, Entrata, Uscita, IdTipoPag, IdTipoMov, IdUtente) "
                                "VALUES ('2024-01-10', 'Pane', 0, 3, 1, 1, 1);"));
        auto form = openForm();
        QVERIFY(ui::pick(form.get(), 1));
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->count(), 2);
        QCOMPARE(msg->last(), (MsgRecord{"Violazione del vincolo Referenziale. Operazione Annullata", MsgKind::Error,
                                         "Edit Tipo Pagamenti"}));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM TipoPag")).toInt(), 2);
        QCOMPARE(ui::field(form.get(), "txtDescr")->text(), QStringLiteral("Contanti"));
        // The unused one goes.
        QVERIFY(ui::pick(form.get(), 2));
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->last().text, QStringLiteral("Record Cancellato!"));
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM TipoPag")).toInt(), 1);
        QCOMPARE(ui::grid(form.get())->rows(), 1);
    }
};

QTEST_MAIN(tst_frmTipoPag)
#include "tst_frmtipopag.moc"
