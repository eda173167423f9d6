// A user who may only read changes nothing, whichever way he tries to write: each editor's add,
// change and delete, the shifts and workstations grids, and the reminders popup. What he is told
// is the read-only error, by the handler of the command he used.

#include "../core/FormFixture.h"

#include "DatePicker.h"
#include "ExplorerBar.h"
#include "db/DbError.h"
#include "frmAddAppunta.h"
#include "frmAddPro.h"
#include "frmConti.h"
#include "frmMain.h"
#include "frmMov.h"
#include "frmProp.h"
#include "frmTab.h"
#include "frmTipoMov.h"
#include "frmTipoPag.h"
#include "frmUtenti.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <algorithm>

namespace {

using Attempt = std::function<void()>;

void choose(QWidget *form, const char *combo, int index) { ui::field<QComboBox>(form, combo)->setCurrentIndex(index); }

// What the user types so that an editor's save passes its required fields.
struct Editor
{
    const char *name;
    FormMaker make;
    int id;   // a record of its table
    std::function<void(QWidget *)> fill;
    const char *save = "cmdOk";
};

const Editor kEditors[] = {
    {"frmConti", maker<frmConti>(), 1, [](QWidget *f) { ui::type(f, "txtConto", "77"); ui::type(f, "txtDescr", "Cassa"); }},
    {"frmTipoMov", maker<frmTipoMov>(), 1, [](QWidget *f) {
         ui::type(f, "txtDescr", "Affitto");
         ui::field<QRadioButton>(f, "OptUscite")->click();
     }},
    {"frmTipoPag", maker<frmTipoPag>(), 1, [](QWidget *f) { ui::type(f, "txtDescr", "Assegno"); }},
    {"frmUtenti", maker<frmUtenti>(), 1, [](QWidget *f) { ui::type(f, "txtNome", "Ospite"); }},
    {"frmMov", maker<frmMov>(), 5, [](QWidget *f) {
         choose(f, "dtcTipoPag", 0);
         choose(f, "dtcMov", 0);
         ui::type(f, "txtUscita", "9");
     }},
    {"frmProp", maker<frmProp>(), 4, [](QWidget *f) { ui::type(f, "txtFirst", "Rita"); ui::type(f, "txtLast", "Neri"); }},
    {"frmAddPro", maker<frmAddPro>(), 7, [](QWidget *f) { ui::type(f, "txtDescr", "Gas"); }},
    {"frmAddAppunta", maker<frmAddAppunta>(), 3, [](QWidget *f) {
         auto *client = ui::field<QComboBox>(f, "txtCliente");
         client->setFocus();
         client->lineEdit()->selectAll();
         QTest::keyClicks(client->lineEdit(), QStringLiteral("Neri Rita"));
         ui::field<DatePicker>(f, "DTPicker1")->tickBox()->setChecked(true);
         choose(f, "dtcPostazione", 0);
         choose(f, "dtcTurni", 0);
     }, "cmdReg"},
};

template <class Grid> Attempt onGrid(const std::function<void(QWidget *)> &act)
{
    return [act] {
        Grid form;
        if (!ui::open(&form))
            qFatal("the grid form did not open");
        act(&form);
    };
}

void typeCell(QWidget *form, const QString &text)
{
    auto *grid = ui::field<QAbstractItemView>(form, "grdDataGrid");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClicks(grid, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ui::settle();
}

} // namespace

Q_DECLARE_METATYPE(Attempt)

class tst_LockedUser : public QObject
{
    Q_OBJECT

    std::unique_ptr<FormSession> session;

    // Every row of every table, as the file holds them, in one order.
    QStringList contents() const
    {
        QStringList all;
        for (const auto &table : session->db.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
            for (const auto &row : session->db.rows(QStringLiteral("SELECT * FROM \"%1\"").arg(table[0].toString()))) {
                QString line = table[0].toString();
                for (const QVariant &v : row)
                    line += QLatin1Char('|') + (v.isValid() ? v.toString() : QStringLiteral("<Null>"));
                all << line;
            }
        }
        all.sort();
        return all;
    }

private slots:
    void init()
    {
        session = std::make_unique<FormSession>(QStringLiteral("Admin"), Recordset::LockReadOnly);
        session->db.exec(QStringLiteral(
            "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '1001', 'Conto casa');"
            "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
            "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Spesa', 0);"
            "INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, IdTipoPag, "
            "  IdTipoMov, IdUtente) VALUES (5, '2024-03-01', '2024-03-01', 'Pane', 0, 2.5, 1, 1, 1, 1);"
            "INSERT INTO Promemoria (IdPromemoria, Testo, data, Eseguito) VALUES (7, 'Bollette', '2024-03-08', 0);"
            "INSERT INTO Postazioni (IdPosto, Nominativo, DescrBreve) VALUES (1, 'Sala', 'S1');"
            "INSERT INTO Turni (Ora) VALUES ('08:30');"
            "INSERT INTO Appunta (IdAppunta, Data, IdGiorno, Anno, IdTurno, IdPostazione, Cliente) "
            "  VALUES (3, '2024-03-06', 4, 2024, '08:30', 1, 'Rossi Anna');"
            "INSERT INTO Contatti (IdContatto, Nome, cognome) VALUES (4, 'Anna', 'Rossi');"));
    }
    void cleanup() { session.reset(); }

    void changesNothing_data()
    {
        QTest::addColumn<Attempt>("attempt");
        for (const Editor &e : kEditors) {
            const QString name = QString::fromLatin1(e.name);
            QTest::newRow(qPrintable(name + QStringLiteral(" add"))) << Attempt([e] {
                const auto form = ui::openOn(e.make, 0);
                if (ui::field<QAbstractButton>(form.get(), "Command1")->text() == QLatin1String("&Nuovo"))
                    ui::click(form.get(), "Command1");
                e.fill(form.get());
                ui::click(form.get(), e.save);
            });
            QTest::newRow(qPrintable(name + QStringLiteral(" change"))) << Attempt([e] {
                const auto form = ui::openOn(e.make, e.id);
                e.fill(form.get());
                ui::click(form.get(), e.save);
            });
            QTest::newRow(qPrintable(name + QStringLiteral(" delete"))) << Attempt([e] {
                ui::click(ui::openOn(e.make, e.id).get(), "Command6");
            });
        }
        const auto add = [](QWidget *f) { ui::click(f, "cmdAdd"); typeCell(f, "X"); };
        const auto change = [](QWidget *f) { ui::click(f, "cmdEdit"); typeCell(f, "X"); ui::click(f, "cmdUpdate"); };
        const auto remove = [](QWidget *f) { ui::click(f, "cmdDelete"); };
        QTest::newRow("frmTurni add") << onGrid<frmTurni>(add);
        QTest::newRow("frmTurni change") << onGrid<frmTurni>(change);
        QTest::newRow("frmTurni delete") << onGrid<frmTurni>(remove);
        QTest::newRow("frmPostazioni add") << onGrid<frmPostazioni>(add);
        QTest::newRow("frmPostazioni change") << onGrid<frmPostazioni>(change);
        QTest::newRow("frmPostazioni delete") << onGrid<frmPostazioni>(remove);
        QTest::newRow("reminder done") << Attempt([] {
            frmMain main;
            auto *bar = main.findChild<ExplorerBar *>();
            emit bar->itemClick(bar->item(QStringLiteral("PROMEMORIA")));
            ui::grid(&main)->setSelectedRow(1);
            const QString shown = ui::grid(&main)->cellText(1, 3);
            main.findChild<QAction *>(QStringLiteral("mnuPromEseguito"))->trigger();
            QCOMPARE(ui::grid(&main)->cellText(1, 3), shown);   // not shown as done
        });
    }
    void changesNothing()
    {
        QFETCH(Attempt, attempt);
        const QStringList before = contents();
        attempt();

        const QStringList after = contents();
        QStringList changed;
        std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(changed));
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
        QList<MsgRecord> boxes = session->msg.shown();
        boxes.removeIf([](const MsgRecord &b) { return b.kind == MsgKind::Question; });
        QVERIFY(!boxes.isEmpty());
        for (const MsgRecord &box : boxes)
            QVERIFY2(box.text.startsWith(DbError::readOnly().description()), qPrintable(box.text));
    }
};

QTEST_MAIN(tst_LockedUser)
#include "tst_lockeduser.moc"
