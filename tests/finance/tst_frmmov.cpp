// The movement editor: opening on an id, the save rules, the user stamp, the id read back after a
// new movement, delete, the amount and date boxes and the movement-type combo.

#include "../core/FormFixture.h"

#include "frmMov.h"

#include <QComboBox>
#include <QStyle>
#include <memory>

class tst_frmMov : public QObject, FormTest<frmMov>
{
    Q_OBJECT

    static const QString kTitle;

    std::unique_ptr<frmMov> openOn(int id)
    {
        auto form = std::make_unique<frmMov>();
        form->setProperty("Movimento", id);
        if (!ui::open(form.get()))
            qFatal("the form did not open");
        return form;
    }
    static QComboBox *combo(QWidget *form, const char *name) { return ui::field<QComboBox>(form, name); }
    static void choose(QWidget *form, const char *name, const QString &text)
    {
        QComboBox *c = combo(form, name);
        c->setCurrentIndex(c->findText(text));
    }
    static void leave(QWidget *form, const char *name) { QTest::keyClick(ui::field(form, name), Qt::Key_Tab); }
    int movements() const { return db->value(QStringLiteral("SELECT count(*) FROM Movimenti")).toInt(); }

private slots:
    void init()
    {
        start();
        db->exec(QStringLiteral(
            "INSERT INTO Utenti (IdUtente, Nome, Ruolo) VALUES (2, 'Anna', 'User');"
            "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '1001', 'Conto casa'), (2, '2002', 'Risparmi');"
            "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti'), (2, 'Bonifico');"
            "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Stipendio', -1), (2, 'Spesa', 0);"
            "INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, IdTipoPag, "
            "  IdTipoMov, IdUtente) VALUES (5, '2024-01-10', '2024-01-09', 'Spesa', 0, 1245.5, 1, 2, 2, 2);"));
    }
    void cleanup() { stop(); }

    void newMovementIsSavedReadBackAndDeleted()
    {
        auto form = openOn(0);
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(combo(form.get(), "dtcConto")->currentIndex(), -1);
        ui::type(form.get(), "txtReg", QStringLiteral("05/03/2024"));
        ui::type(form.get(), "txtMov", QStringLiteral("04/03/2024"));
        choose(form.get(), "dtcTipoPag", QStringLiteral("Contanti"));
        choose(form.get(), "dtcMov", QStringLiteral("Stipendio (Entrata)"));
        ui::type(form.get(), "txtEntrata", QStringLiteral("1.500,25"));
        ui::type(form.get(), "txtInfo", QStringLiteral("Marzo"));
        ui::shoot(form.get(), QStringLiteral("frmMov_new"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last(), (MsgRecord{"Registrazione completata.", MsgKind::Information, kTitle}));
        const auto row = db->rows(QStringLiteral("SELECT IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, "
                                                 "IdTipoPag, IdTipoMov, IdUtente, DataUpdate FROM Movimenti WHERE IdMov <> 5"));
        QCOMPARE(row.size(), 1);
        const int id = row[0][0].toInt();
        QCOMPARE(row[0].mid(1, 5), (QVector<QVariant>{"2024-03-05", "2024-03-04", "Marzo", 1500.25, 0.0}));
        QVERIFY(row[0][6].isNull());   // the account is not required
        QCOMPARE(row[0].mid(7, 3), (QVector<QVariant>{1, 1, 1}));
        QVERIFY(row[0][10].isNull());
        // The form now edits the saved movement, so Elimina removes exactly it.
        QCOMPARE(form->property("Movimento").toInt(), id);
        QCOMPARE(form->editMode(), 0);
        QCOMPARE(ui::field(form.get(), "txtEntrata")->text(), QStringLiteral("€ 1.500,25"));
        ui::click(form.get(), "Command6");
        QCOMPARE(msg->last(), (MsgRecord{"Record Cancellato!", MsgKind::Information, "Delete Successfull!"}));
        QCOMPARE(db->value(QStringLiteral("SELECT group_concat(IdMov) FROM Movimenti")).toString(), QStringLiteral("5"));
        QCOMPARE(form->property("Movimento").toInt(), 0);
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(ui::field(form.get(), "txtInfo")->text(), QString());
    }

    void existingMovementSavedUnchangedIsStamped()
    {
        auto form = openOn(5);
        QCOMPARE(form->editMode(), 0);
        QCOMPARE(ui::field(form.get(), "txtMov")->text(), QStringLiteral("09/01/2024"));
        QCOMPARE(ui::field(form.get(), "txtUscita")->text(), QStringLiteral("€ 1.245,50"));
        QCOMPARE(ui::field(form.get(), "txtEntrata")->text(), QStringLiteral("€ 0,00"));
        QCOMPARE(combo(form.get(), "dtcConto")->currentText(), QStringLiteral("Conto casa - 1001"));
        QCOMPARE(combo(form.get(), "dtcTipoPag")->currentText(), QStringLiteral("Bonifico"));
        QCOMPARE(combo(form.get(), "dtcMov")->currentText(), QStringLiteral("Spesa (Uscita)"));
        ui::shoot(form.get(), QStringLiteral("frmMov_existing"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        const auto row = db->rows(QStringLiteral("SELECT IdUtente, DataUpdate, Uscita, IdTipoPag FROM Movimenti WHERE IdMov = 5"));
        QCOMPARE(row.first(), (QVector<QVariant>{1, "2024-03-05", 1245.5, 2}));
        QCOMPARE(form->editMode(), 0);
    }

    // The save refuses in this order, and writes nothing when it does.
    void saveRules_data()
    {
        QTest::addColumn<QString>("payment");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("expense");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<double>("stored");   // Entrata - Uscita of the saved movement, one of them 0
        const QString required = QStringLiteral("Tipo pagamento e tipo movimenti sono campi obbligatori.");
        const QString both = QStringLiteral("Entrata e Uscita non possono contenere un valore superiore a 0.");
        const QString neither = QStringLiteral("Entrata e Uscita non possono contenere un valore = 0.");
        QTest::newRow("no payment type") << "" << "Spesa (Uscita)" << "10" << "5" << required << 0.0;
        QTest::newRow("no movement type") << "Contanti" << "" << "10" << "" << required << 0.0;
        QTest::newRow("both amounts, no type") << "Contanti" << "" << "10" << "5" << required << 0.0;
        // The box the type disables keeps its amount on screen and is saved as 0.
        QTest::newRow("income kept in its disabled box") << "Contanti" << "Spesa (Uscita)" << "10" << "5" << "" << -5.0;
        QTest::newRow("only the disabled box") << "Contanti" << "Spesa (Uscita)" << "10" << "" << neither << 0.0;
        QTest::newRow("expense kept in its disabled box") << "Contanti" << "Stipendio (Entrata)" << "0,40" << "0,01" << ""
                                                          << 0.4;
        QTest::newRow("both 0") << "Contanti" << "Spesa (Uscita)" << "0" << "0" << neither << 0.0;
        QTest::newRow("both empty") << "Contanti" << "Spesa (Uscita)" << "" << "" << neither << 0.0;
        QTest::newRow("40 cents") << "Contanti" << "Stipendio (Entrata)" << "0,40" << "0" << "" << 0.4;
        QTest::newRow("in euros") << "Contanti" << "Spesa (Uscita)" << "" << "€ 12,50" << "" << -12.5;
        QTest::newRow("negative") << "Bonifico" << "Stipendio (Entrata)" << "-20" << "0" << "" << -20.0;
    }
    void saveRules()
    {
        QFETCH(QString, payment);
        QFETCH(QString, type);
        QFETCH(QString, income);
        QFETCH(QString, expense);
        QFETCH(QString, refusal);
        QFETCH(double, stored);
        auto form = openOn(0);
        choose(form.get(), "dtcTipoPag", payment);
        choose(form.get(), "dtcMov", type);
        // Set as the boxes would hold them, without the checks of leaving them.
        ui::field(form.get(), "txtEntrata")->setText(income);
        ui::field(form.get(), "txtUscita")->setText(expense);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 1);
        if (!refusal.isEmpty()) {
            QCOMPARE(msg->last(), (MsgRecord{refusal, MsgKind::Warning, kTitle}));
            QCOMPARE(movements(), 1);
            QCOMPARE(form->editMode(), 2);
            QCOMPARE(ui::field(form.get(), "txtEntrata")->text(), income);
            QCOMPARE(ui::field(form.get(), "txtUscita")->text(), expense);
            return;
        }
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(db->value(QStringLiteral("SELECT Entrata - Uscita FROM Movimenti WHERE IdMov <> 5")).toDouble(), stored);
        QCOMPARE(db->value(QStringLiteral("SELECT Entrata * Uscita FROM Movimenti WHERE IdMov <> 5")).toDouble(), 0.0);
    }

    // The new movement is written; the id it got cannot be held, and the form says so, not success.
    void failureAfterTheWriteKeepsTheMovement()
    {
        db->exec(QStringLiteral("INSERT INTO Movimenti (IdMov, Entrata, Uscita) VALUES (2147483647, 1, 0);"));
        auto form = openOn(0);
        choose(form.get(), "dtcTipoPag", QStringLiteral("Contanti"));
        choose(form.get(), "dtcMov", QStringLiteral("Spesa (Uscita)"));
        ui::field(form.get(), "txtUscita")->setText(QStringLiteral("3"));
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Warning);
        QCOMPARE(msg->last().title, kTitle);
        QVERIFY(!msg->last().text.isEmpty());
        QVERIFY(msg->last().text != QStringLiteral("Registrazione completata."));
        QVERIFY(!msg->last().text.contains(QStringLiteral("Operazione Annullata")));
        QCOMPARE(db->value(QStringLiteral("SELECT Uscita FROM Movimenti WHERE IdMov > 2147483647")).toDouble(), 3.0);
    }

    void idThatNoLongerExistsOpensBlank()
    {
        auto form = openOn(99);
        QCOMPARE(msg->count(), 0);
        QCOMPARE(form->editMode(), 2);
        QCOMPARE(ui::field(form.get(), "txtInfo")->text(), QString());
        QCOMPARE(combo(form.get(), "dtcMov")->currentIndex(), -1);
    }

    void movementTypeEnablesOneAmount_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("income");
        QTest::newRow("income type") << "Stipendio (Entrata)" << true;
        QTest::newRow("expense type") << "Spesa (Uscita)" << false;
    }
    void movementTypeEnablesOneAmount()
    {
        QFETCH(QString, type);
        QFETCH(bool, income);
        auto form = openOn(5);
        choose(form.get(), "dtcMov", type);
        QCOMPARE(ui::field(form.get(), "txtEntrata")->isEnabled(), income);
        QCOMPARE(ui::field(form.get(), "txtUscita")->isEnabled(), !income);
        QCOMPARE(ui::field(form.get(), "txtUscita")->text(), QStringLiteral("€ 1.245,50"));
    }

    // Refilling the lists at each binding chooses no type: the amount boxes follow only the type the
    // record shows, and the edit mode stays the record's.
    void refillChoosesNoType_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("income");    // txtEntrata enabled
        QTest::addColumn<bool>("expense");   // txtUscita enabled
        QTest::addColumn<int>("mode");
        QTest::newRow("new movement") << 0 << false << true << true << 2;
        QTest::newRow("income movement") << 6 << false << true << false << 0;
        QTest::newRow("income movement deleted") << 6 << true << true << false << 2;
    }
    void refillChoosesNoType()
    {
        QFETCH(int, id);
        QFETCH(bool, deleted);
        QFETCH(bool, income);
        QFETCH(bool, expense);
        QFETCH(int, mode);
        db->exec(QStringLiteral("INSERT INTO Movimenti (IdMov, Entrata, Uscita, IdTipoPag, IdTipoMov) VALUES (6, 50, 0, 1, 1);"));
        auto form = openOn(id);
        if (deleted)
            ui::click(form.get(), "Command6");
        QCOMPARE(ui::field(form.get(), "txtEntrata")->isEnabled(), income);
        QCOMPARE(ui::field(form.get(), "txtUscita")->isEnabled(), expense);
        QCOMPARE(form->editMode(), mode);
        msg->clear();
        form->close();
        QCOMPARE(msg->count(), mode == 0 ? 0 : 1);
    }

    // Leaving an amount box: what it then holds, the box shown, and whether the focus stays.
    void leavingAnAmountBox_data()
    {
        QTest::addColumn<QString>("type");      // chosen first
        QTest::addColumn<QString>("other");     // already in the income box
        QTest::addColumn<QString>("typed");     // into the expense box
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("numericError");
        QTest::addColumn<bool>("stays");
        QTest::newRow("letter") << "" << "0" << "5a" << "0" << true << true;
        QTest::newRow("both above 0") << "" << "10" << "5" << "0" << false << true;
        QTest::newRow("cents beside 0") << "" << "0" << "0,40" << "0,40" << false << false;
        QTest::newRow("empty") << "" << "10" << "" << "0" << false << false;
        QTest::newRow("beside a disabled amount") << "Spesa (Uscita)" << "10" << "5" << "5" << false << false;
    }
    void leavingAnAmountBox()
    {
        QFETCH(QString, type);
        QFETCH(QString, other);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QFETCH(bool, numericError);
        QFETCH(bool, stays);
        auto form = openOn(0);
        choose(form.get(), "dtcMov", type);
        ui::field(form.get(), "txtEntrata")->setText(other);
        ui::type(form.get(), "txtUscita", typed);
        leave(form.get(), "txtUscita");
        QCOMPARE(ui::field(form.get(), "txtUscita")->text(), left);
        QCOMPARE(ui::field(form.get(), "txtEntrata")->text(), other);
        QCOMPARE(msg->count(), numericError ? 1 : 0);
        if (numericError)
            QCOMPARE(msg->last(), (MsgRecord{"Il Campo è Numerico", MsgKind::Error, "Errore Campo numerico"}));
        QCOMPARE(QApplication::focusWidget() == ui::field(form.get(), "txtUscita"), stays);
        QCOMPARE(form->windowTitle() != QStringLiteral("Gestione movimenti"), stays && !numericError);
        if (stays && !numericError)
            QCOMPARE(form->windowTitle(), QStringLiteral("Gestione movimenti (Entrata e Uscita non possono contenere "
                                                         "un valore superiore a 0)."));
    }

    // The warning caption is the user's only warning: at its default size the title bar holds it
    // whole, in the window manager's usual bold font, beside the icon and three window buttons.
    void openWideEnoughForTheWarningCaption()
    {
        auto form = openOn(0);
        QFont title = QApplication::font();
        title.setBold(true);
        const int need = QFontMetrics(title).horizontalAdvance(QStringLiteral(
            "Gestione movimenti (Entrata e Uscita non possono contenere un valore superiore a 0)."));
        QVERIFY2(form->width() >= need + 4 * form->style()->pixelMetric(QStyle::PM_TitleBarHeight),
                 qPrintable(QString::number(form->width())));
    }

    void doubleClickOnADateGivesToday()
    {
        auto form = openOn(5);
        for (const char *name : {"txtReg", "txtMov"}) {
            QTest::mouseDClick(ui::field(form.get(), name), Qt::LeftButton);
            QCOMPARE(ui::field(form.get(), name)->text(), QStringLiteral("05/03/2024"));
        }
        QCOMPARE(form->editMode(), 1);
    }
};

const QString tst_frmMov::kTitle = QStringLiteral("Edit movimenti");

QTEST_MAIN(tst_frmMov)
#include "tst_frmmov.moc"
