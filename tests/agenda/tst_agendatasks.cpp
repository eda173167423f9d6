// The main window opens the agenda's editors on the record asked for: the new-record tasks and
// menu entries on a new one, the lists' double-click and "Seleziona" entries on the row's own.

#include "../core/FormFixture.h"

#include "ExplorerBar.h"
#include "Shell.h"
#include "frmMain.h"

#include <QAction>
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
        main.findChild<QAction *>(list == QLatin1String("PROMEMORIA") ? QStringLiteral("mnuVisPro")
                                                                       : QStringLiteral("mnuVisContatti"))
            ->trigger();
        ListGrid *grid = ui::grid(&main);
        auto *bar = main.findChild<ExplorerBar *>();
        grid->setSelectedRow(1);
        if (command == QLatin1String("dblclick"))
            emit grid->dblClick(1, 2);
        else if (QAction *a = main.findChild<QAction *>(command))
            a->trigger();
        else
            emit bar->itemClick(bar->item(command));
        QCOMPARE(shown, QStringList{form});
    }
};

QTEST_MAIN(tst_AgendaTasks)
#include "tst_agendatasks.moc"
