// The main window opens the agenda's editors on the record asked for: the new-record tasks and
// menu entries on a new one, the lists' double-click and "Seleziona" entries on the row's own.

#include "../core/FormFixture.h"

#include "DatePicker.h"
#include "ExplorerBar.h"
#include "Shell.h"
#include "frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>

class tst_AgendaTasks : public QObject
{
    Q_OBJECT

    // The form shown and the text its named box showed once loaded.
    QStringList shown;
    const char *box = nullptr;

private slots:
    void init()
    {
        shown.clear();
        Shell::setModalHandler([this](QDialog *d) {
            d->show();
            shown << QString::fromLatin1(d->metaObject()->className()) + QLatin1Char(':')
                         + ui::field(d, box)->text();
            d->close();
            return 0;
        });
    }
    void cleanup() { Shell::setModalHandler({}); }

    void editorOpensOnTheRecordAsked_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("form");
        QTest::newRow("new reminder task") << "PROMEMORIA" << "NEWPROMEMORIA" << "frmAddPro:";
        QTest::newRow("new reminder menu") << "PROMEMORIA" << "mnuNewPro" << "frmAddPro:";
        QTest::newRow("new reminder popup") << "PROMEMORIA" << "mnuNewPromemor" << "frmAddPro:";
        QTest::newRow("reminder double-click") << "PROMEMORIA" << "dblclick" << "frmAddPro:Bollette";
        QTest::newRow("select reminder") << "PROMEMORIA" << "mnuSelPromemor" << "frmAddPro:Bollette";
        QTest::newRow("new contact task") << "SELCONTATTO" << "NEWCONTATTO" << "frmProp:";
        QTest::newRow("new contact menu") << "SELCONTATTO" << "mnuNuoCon" << "frmProp:";
        QTest::newRow("new contact popup") << "SELCONTATTO" << "mnuNewContact" << "frmProp:";
        QTest::newRow("contact double-click") << "SELCONTATTO" << "dblclick" << "frmProp:Rita";
        QTest::newRow("anniversary double-click") << "DATECONTATTI" << "dblclick" << "frmProp:Rita";
        QTest::newRow("select contact") << "SELCONTATTO" << "mnuSelContact" << "frmProp:Rita";
    }
    void editorOpensOnTheRecordAsked()
    {
        QFETCH(QString, list);
        QFETCH(QString, command);
        QFETCH(QString, form);
        FormSession session;
        session.db.exec(QStringLiteral("INSERT INTO Promemoria (IdPromemoria, Testo) VALUES (4, 'Bollette');"
                                       "INSERT INTO Contatti (IdContatto, Nome, cognome, IdUtente) "
                                       "VALUES (9, 'Rita', 'Neri', 1);"));
        box = form.startsWith(QLatin1String("frmAddPro")) ? "txtDescr" : "txtFirst";
        frmMain main;
        auto *bar = main.findChild<ExplorerBar *>();
        emit bar->itemClick(bar->item(list));
        ListGrid *grid = ui::grid(&main);
        grid->setSelectedRow(1);
        if (command == QLatin1String("dblclick"))
            emit grid->dblClick(1, 2);
        else if (QAction *a = main.findChild<QAction *>(command))
            a->trigger();
        else
            emit bar->itemClick(bar->item(command));
        QCOMPARE(shown, QStringList{form});
    }

    // A newcomer adds a contact whose birthday comes next week and sees it red among the
    // anniversaries; adds a reminder and marks it done from the list.
    void newcomersContactAndReminder()
    {
        FormSession session;
        frmMain main;
        auto *bar = main.findChild<ExplorerBar *>();
        Shell::setModalHandler([](QDialog *d) {
            d->show();
            if (d->inherits("frmProp")) {
                ui::type(d, "txtFirst", QStringLiteral("Rita"));
                ui::type(d, "txtLast", QStringLiteral("Neri"));
                auto *birthday = d->findChild<DatePicker *>(QStringLiteral("Dtp1"));
                birthday->tickBox()->click();
                birthday->dateBox()->setDate(QDate(1990, 3, 12));
            } else {
                ui::type(d, "txtDescr", QStringLiteral("Bollette"));
            }
            ui::click(d, "cmdOk");
            d->close();
            return 0;
        });
        emit bar->itemClick(bar->item(QStringLiteral("NEWCONTATTO")));
        emit bar->itemClick(bar->item(QStringLiteral("DATECONTATTI")));
        ListGrid *grid = ui::grid(&main);
        QCOMPARE(grid->rows(), 1);
        QCOMPARE(grid->cellText(1, 4), QStringLiteral(" 12/03/2024"));
        QCOMPARE(grid->cellForeColor(1, 4), QColor(255, 0, 0));
        QCOMPARE(grid->cellForeColor(1, 1), grid->palette().color(QPalette::Text));

        emit bar->itemClick(bar->item(QStringLiteral("NEWPROMEMORIA")));
        emit bar->itemClick(bar->item(QStringLiteral("PROMEMORIA")));
        QCOMPARE(grid->rows(), 1);
        grid->setSelectedRow(1);
        main.findChild<QAction *>(QStringLiteral("mnuPromEseguito"))->trigger();
        QCOMPARE(session.db.rows(QStringLiteral("SELECT Testo, data, Eseguito FROM Promemoria")),
                 (QVector<QVector<QVariant>>{{"Bollette", "2024-03-05", -1}}));
    }
};

QTEST_MAIN(tst_AgendaTasks)
#include "tst_agendatasks.moc"
