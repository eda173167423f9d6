// What each list editor shows: caption, frame, labels, buttons and their order, the delete
// button's tool tip, the list's columns and search column, the help id on activation and the title
// of its messages.

#include "../core/FormFixture.h"

#include "HTMLHelp.h"
#include "frmConti.h"
#include "frmTipoMov.h"
#include "frmTipoPag.h"
#include "frmUtenti.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>

namespace {

// The caption beside a field: its buddy label, or the field's own text (check and option buttons).
QString captionOf(QWidget *form, const QString &name)
{
    auto *field = form->findChild<QWidget *>(name);
    if (!field)
        return QStringLiteral("<no %1>").arg(name);
    for (QLabel *label : form->findChildren<QLabel *>())
        if (label->buddy() == field)
            return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(field))
        return button->text();
    return QStringLiteral("<no label>");
}
}

class tst_EditForms : public QObject, FormTest<QDialog>
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void formShowsItsOwnDesign_data()
    {
        QTest::addColumn<FormMaker>("make");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("helpId");
        QTest::addColumn<QString>("required");
        QTest::addColumn<QStringList>("fields");      // name=label, in the order of the Parts
        QTest::addColumn<QStringList>("buttons");     // left to right
        QTest::addColumn<QStringList>("columns");     // key|header|width
        QTest::addColumn<QString>("searchKey");

        const QStringList standard{"Command1", "cmdOk", "Command6", "cmdCancel"};
        QTest::newRow("frmConti")
            << maker<frmConti>() << "Conti/correnti bancari o altri conti" << "Edit Conti/correnti" << 12001
            << "Campo N° o descrizione vuoto impossibile effettuare la registrazione."
            << QStringList{"txtConto=N°:", "txtComune=Comune:", "txtDescr=Descrizione:", "txtApertura=Data apertura:",
                           "txtChiusura=Data chiusura:", "txtInfo=Altro:"}
            << standard
            << QStringList{"file|N°|150", "size|Comune|150", "type|Descrizione|165", "date|Data apertura|120"} << "size";
        QTest::newRow("frmTipoMov")
            << maker<frmTipoMov>() << "Gestione tipo movimenti" << "Edit Tipo Movimenti" << 12001
            << "Campo descrizione vuoto impossibile effettuare la registrazione."
            << QStringList{"txtDescr=Descrizione:", "txtAltro=Altro:", "optEntrate=Entrate", "OptUscite=Uscite"}
            << standard
            << QStringList{"file|Descrizione|235", "size|Entrate|70", "type|Uscite|70", "date|Altro|204"} << "size";
        QTest::newRow("frmTipoPag")
            << maker<frmTipoPag>() << "Gestione tipo di pagamenti" << "Edit Tipo Pagamenti" << 12001
            << "Campo descrizione vuoto impossibile effettuare la registrazione."
            << QStringList{"txtDescr=Descrizione:", "txtAltro=Altro:"} << standard
            << QStringList{"size|Descrizione|310", "File|Altro|275"} << "size";
        QTest::newRow("frmUtenti")
            << maker<frmUtenti>() << "Gestione utenti" << "Gestione utenze" << 4001
            << "Campo Nome vuoto: impossibile effettuare la registrazione."
            << QStringList{"txtNome=Nome:", "txtCognome=Cognome:", "txtData=Data nascita:",
                           "txtComuNascita=Comune di nascità:", "txtTel=Telefono:", "txtCell=Cell:", "txtMail=E-Mail:",
                           "txtWeb=Web:", "txtnote=Commento:", "txtUserId=UserName:", "txtPassword=Password:",
                           "cboRuolo=Ruolo:", "ckeBlocca=Blocca utente in modifica"}
            << QStringList{"Command1", "Command6", "cmdOk", "cmdCancel"}
            << QStringList{"|Nome|105", "|Cognome|105", "|Ruolo|90", "|Data nascita|90", "|Commento|190"} << "";
    }
    void formShowsItsOwnDesign()
    {
        QFETCH(FormMaker, make);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(int, helpId);
        QFETCH(QString, required);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, columns);
        QFETCH(QString, searchKey);

        HTMLHelp::CurrentHelpId = -1;
        std::unique_ptr<QDialog> form = make();
        QVERIFY(ui::open(form.get()));
        QCOMPARE(msg->count(), 0);
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(HTMLHelp::CurrentHelpId, helpId);
        QCOMPARE(HTMLHelp::formHelpId(form.get()), helpId);

        auto *frame = ui::field<QGroupBox>(form.get(), "Frame1");
        QCOMPARE(frame->title(), QStringLiteral("Aggiungi/modifica"));
        for (const QString &f : fields) {
            const QString name = f.section(QLatin1Char('='), 0, 0);
            QCOMPARE(name + QLatin1Char('=') + captionOf(form.get(), name), f);
            QVERIFY2(frame->isAncestorOf(form->findChild<QWidget *>(name)), qPrintable(name));
        }

        const QStringList captions{"&Nuovo", "&Ok", "", "&Cancel"};
        const QStringList names{"Command1", "cmdOk", "Command6", "cmdCancel"};
        int left = -1;
        for (const QString &name : buttons) {
            auto *b = ui::field<QAbstractButton>(form.get(), qPrintable(name));
            QCOMPARE(b->text(), captions.at(names.indexOf(name)));
            QVERIFY2(b->x() > left, qPrintable(name));
            left = b->x();
        }
        auto *remove = ui::field<QAbstractButton>(form.get(), "Command6");
        QCOMPARE(remove->toolTip(), QStringLiteral("Elimina"));
        QVERIFY(!remove->icon().isNull());

        ListGrid *g = ui::grid(form.get());
        QCOMPARE(g->columns(), int(columns.size()));
        for (int c = 1; c <= g->columns(); ++c) {
            const QStringList expected = columns.at(c - 1).split(QLatin1Char('|'));
            if (!expected.at(0).isEmpty())
                QCOMPARE(g->columnKey(c), expected.at(0));
            QCOMPARE(g->model()->headerData(c - 1, Qt::Horizontal).toString(), expected.at(1));
            QCOMPARE(g->columnWidth(c - 1), expected.at(2).toInt());
        }
        QCOMPARE(g->searchColumn(), searchKey);

        // The required-field test of a blank record, titled with the form's message title.
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last(), (MsgRecord{required, MsgKind::Warning, title}));
    }

    // Focus arriving in the list, by Tab or Shift+Tab, picks no row; Tab and Shift+Tab leave the
    // list; an arrow key picks.
    void tabIntoTheListKeepsTheTypedRecord_data()
    {
        QTest::addColumn<FormMaker>("make");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("frmConti") << maker<frmConti>()
                                  << "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (7, '700', 'Cassa')"
                                  << "txtConto" << "700";
        QTest::newRow("frmUtenti") << maker<frmUtenti>() << "" << "txtNome" << "Admin";
    }
    void tabIntoTheListKeepsTheTypedRecord()
    {
        QFETCH(FormMaker, make);
        QFETCH(QString, seed);
        QFETCH(QString, field);
        QFETCH(QString, firstRow);
        if (!seed.isEmpty())
            db->exec(seed);
        std::unique_ptr<QDialog> form = make();
        QVERIFY(ui::open(form.get()));
        ListGrid *g = ui::grid(form.get());
        QLineEdit *box = ui::field(form.get(), qPrintable(field));
        ui::type(form.get(), qPrintable(field), QStringLiteral("Nuovo"));
        const auto press = [](Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            ui::settle();
            return QApplication::focusWidget();
        };

        ui::field<QWidget>(form.get(), "cmdCancel")->setFocus();
        QCOMPARE(press(Qt::NoModifier), g);
        QVERIFY(press(Qt::NoModifier) != g);
        QCOMPARE(press(Qt::ShiftModifier), g);
        QVERIFY(press(Qt::ShiftModifier) != g);
        QCOMPARE(box->text(), QStringLiteral("Nuovo"));
        QCOMPARE(static_cast<EditForm *>(form.get())->editMode(), 2);

        g->setFocus();
        QTest::keyClick(g, Qt::Key_Down);
        ui::settle();
        QCOMPARE(box->text(), firstRow);
        QCOMPARE(static_cast<EditForm *>(form.get())->editMode(), 0);
    }

    // A date box holding no date stops a pick in the list: the message shows, the box keeps the
    // focus and the record picked before stays selected and loaded.
    void badDateStopsAPick_data()
    {
        QTest::addColumn<FormMaker>("make");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("dateBox");
        QTest::addColumn<QString>("field");
        QTest::newRow("frmConti") << maker<frmConti>()
                                  << "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '100', 'Cassa');"
                                     "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (2, '200', 'Banca');"
                                  << "txtApertura" << "txtConto";
        QTest::newRow("frmUtenti") << maker<frmUtenti>()
                                   << "INSERT INTO Utenti (IdUtente, Nome, Ruolo) VALUES (2, 'Ospite', 'Utente')"
                                   << "txtData" << "txtNome";
    }
    void badDateStopsAPick()
    {
        QFETCH(FormMaker, make);
        QFETCH(QString, seed);
        QFETCH(QString, dateBox);
        QFETCH(QString, field);
        db->exec(seed);
        std::unique_ptr<QDialog> form = make();
        QVERIFY(ui::open(form.get()));
        ListGrid *g = ui::grid(form.get());
        QCOMPARE(g->rows(), 2);
        const auto clickRow = [g](int row) {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row - 1, 0)).center());
            ui::settle();
        };
        clickRow(1);
        QCOMPARE(g->selectedRow(), 1);
        const QString first = ui::field(form.get(), qPrintable(field))->text();
        QVERIFY(!first.isEmpty());

        ui::type(form.get(), qPrintable(dateBox), QStringLiteral("31/02/2025"));
        clickRow(2);
        QCOMPARE(msg->last(), (MsgRecord{"Correggere la sintassi della data", MsgKind::Error, "Data Error"}));
        QLineEdit *box = ui::field(form.get(), qPrintable(dateBox));
        QVERIFY(box->hasFocus());
        QCOMPARE(box->text(), QStringLiteral("31/02/2025"));
        QCOMPARE(g->selectedRow(), 1);
        QCOMPARE(ui::field(form.get(), qPrintable(field))->text(), first);
    }
};

QTEST_MAIN(tst_EditForms)
#include "tst_editforms.moc"
