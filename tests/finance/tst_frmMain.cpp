#include "AppError.h"
#include "Clock.h"
#include "DataBase.h"
#include "ExplorerBar.h"
#include "HTMLHelp.h"
#include "ListGrid.h"
#include "ProgramFolder.h"
#include "Seams.h"
#include "Shell.h"
#include "StatusBar.h"
#include "TitleBar.h"
#include "db/Connection.h"
#include "FrmStart.h"
#include "frmLogin.h"
#include "frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

// The main window with its forms and reports replaced by a record of what it was asked to open.
class RecordingMain : public frmMain
{
public:
    QStringList asked;

protected:
    void showForm(const QString &form, std::optional<int> recordId) override
    {
        asked << form + QLatin1Char(':') + (recordId ? QString::number(*recordId) : QStringLiteral("none"));
    }
    void printReport(const QString &report) override { asked << report; }
};

class tst_frmMain : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<RecordingMain> w;

    void sql(const QString &statements) { ProgramFolder::execute(folder->familyPath(), statements); }
    QVariant scalar(const QString &query) { return ProgramFolder::select(folder->familyPath(), query).value(0).value(0); }

    ListGrid *grid() const { return w->grdThis; }
    QString status() const { return w->lblStatus->text(); }
    QStringList row(int r) const
    {
        QStringList out;
        for (int c = 1; c <= grid()->columns(); ++c)
            out << grid()->cellText(r, c);
        return out;
    }
    // The record ids of the grid's rows, in the order shown.
    QList<int> ids() const
    {
        QList<int> out;
        for (int r = 1; r <= grid()->rows(); ++r)
            out << grid()->cellItemData(r, 1);
        return out;
    }
    void clickColumn(int column) const
    {
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column - 1) + 5, header->height() / 2));
    }
    QStringList keys() const
    {
        QStringList out;
        for (int c = 1; c <= grid()->columns(); ++c)
            out << grid()->columnKey(c);
        return out;
    }
    QAction *action(const char *name) const { return w->findChild<QAction *>(QString::fromLatin1(name)); }
    static QString day(int offset) { return Clock::today().addDays(offset).toString(Qt::ISODate); }
    static QString italian(int offset) { return Clock::today().addDays(offset).toString(QStringLiteral("dd/MM/yyyy")); }
    void rightClickCell(int r, int c)
    {
        const QPoint p = grid()->visualRect(grid()->model()->index(r - 1, c - 1)).center();
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, p);
    }
    void closePopups()
    {
        for (QMenu *m : {w->mnuRubrica, w->mnuMoviment, w->mnuPromemor})
            m->hide();
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Clock::setNow(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    }

    void init()
    {
        folder = std::make_unique<ProgramFolder>();
        sql(QStringLiteral(
            "INSERT INTO Utenti (IdUtente, Nome, Ruolo) VALUES (2, 'Anna', 'User');"
            // contacts: the user's own, one shared by another user, one the other user keeps to himself
            "INSERT INTO Contatti (IdContatto, Nome, cognome, Tel, Cell, altro, Condividi, IdUtente, email, Nascita, "
            "  Anniversario, Onomastico) VALUES "
            "(11, 'Mario', 'Rossi', '0612345', '333111', 'amico', 0, 1, 'm@x.it', '1980-03-05', '2000-03-15', '1990-03-16'),"
            "(12, 'Luisa', NULL, NULL, '333222', NULL, -1, 2, NULL, '1975-03-04', NULL, NULL),"
            "(13, 'Piero', 'Bianchi', '0699', NULL, 'nascosto', 0, 2, NULL, '1970-03-06', NULL, NULL),"
            "(14, 'Carla', 'Verdi', NULL, NULL, NULL, 0, 1, NULL, '1960-03-10', '1985-03-06', '1985-03-07');"
            "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '123', 'Banca Uno');"
            "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
            "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Stipendio', -1), (2, 'Spesa', 0);"
            "INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, IdTipoPag, IdTipoMov, "
            "  IdUtente) VALUES "
            "(21, '2024-02-01', '2024-02-01', 'Stipendio febbraio', 1234.56, 0, 1, 1, 1, 1),"
            "(22, '2024-01-10', '2024-01-09', 'Spesa', 0, 45.5, 1, 1, 2, 1),"
            "(23, '2023-12-30', '2023-12-30', 'Regali', 0, 300, 1, 1, 2, 1),"
            "(24, '2024-03-01', '2024-03-01', NULL, 0, 10, NULL, NULL, NULL, 1);"
            "INSERT INTO Promemoria (IdPromemoria, Testo, data, Eseguito) VALUES "
            "(31, 'Oggi', '2024-03-05', 0),"
            "(32, 'Fatto', '2024-03-06', -1),"
            "(33, 'Tra dieci giorni', '2024-03-15', 0),"
            "(34, 'Tra undici giorni', '2024-03-16', 0),"
            "(35, NULL, NULL, 0),"
            "(36, 'Ieri', '2024-03-04', 0);"));
        DataBase::ConnString = folder->familyConnString();
        DataBase::BuildStr();
        DataBase::UserId = 1;
        DataBase::UserRole = QStringLiteral("Admin");
        DataBase::WorkYear = 2024;   // the year combo is built around it at each activation
        w = std::make_unique<RecordingMain>();
        w->cboAnno->setEditText(QStringLiteral("2024"));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    void cleanup()
    {
        w.reset();
        DataBase::AdoConnect().close();
        folder.reset();
        Shell::setModalHandler({});
        Shell::setStartHandler({});
    }

    void loadTouchesNoDatabase()
    {
        DataBase::AdoConnect().close();
        HTMLHelp::CurrentHelpId = 0;
        frmMain m;
        QCOMPARE(m.windowTitle(), QStringLiteral("Focolarium"));
        QCOMPARE(HTMLHelp::CurrentHelpId, 1001);
        QCOMPARE(m.listMode(), 0);
        auto *g = m.findChild<ListGrid *>(QStringLiteral("grdThis"));
        QCOMPARE(g->columns(), 0);
        auto *sb = m.findChild<StatusBar *>(QStringLiteral("sbMain"));
        QCOMPARE(sb->panelCount(), 3);
        QCOMPARE(sb->panelText(1), QStringLiteral("05/03/2024"));
        QCOMPARE(sb->panelText(2), QStringLiteral("10:00"));
        QCOMPARE(sb->panelText(3), QStringLiteral("Premi F1 per la guida"));
        QCOMPARE(sb->panelToolTip(3), QStringLiteral("Premi F1 per la guida"));
    }

    void explorerBarGroupsAndItems()
    {
        auto *bar = w->findChild<ExplorerBar *>(QStringLiteral("vbalExplorerBarCtl1"));
        QStringList groups;
        QStringList items;
        for (ExplorerBarGroup *g : bar->groups()) {
            groups << g->key() + QLatin1Char('|') + g->title() + QLatin1Char('|') + (g->picture().isNull() ? "-" : "pic");
            for (ExplorerBarItem *i : g->items())
                items << i->key() + QLatin1Char('|') + i->caption() + QLatin1Char('|') + QString::number(i->iconIndex())
                           + QLatin1Char('|') + (i->control() ? i->control()->objectName() : QString());
        }
        QCOMPARE(groups, (QStringList{"CONTATTI|Contatti (Rubrica)|pic", "SPECIALE|Movimenti finanziari|pic",
                                      "SEARCHBAR|Ricerca movimenti|-", "VARIE|Varie|pic"}));
        QCOMPARE(items, (QStringList{
            "NEWCONTATTO|Nuovo contatto|26|", "SELCONTATTO|Lista contatti|18|", "DATECONTATTI|Lista avvenimenti|20|",
            "PRTCONTATTI|Stampa lista selezionata|6|", "NEWMOV|Nuovo &movimento|26|", "MOVIMENTI|Lista movimenti|17|",
            "TIPOMOVIMENTI|Tipi di movimenti|22|", "CONTI|Conti correnti|23|", "TIPOPAG|Tipi di pagamenti|24|",
            "PRINTMOV|Stampa lista selezionata|6|", "SEARCHUTENTI||-1|cboUtenti", "SEARCHPAG||-1|cboTipoPag",
            "SEARCHCONTO||-1|cboConti", "SEARCHMOV||-1|cboMov", "TTTTTT3||-1|", "SEARCHCMD||-1|picSearch",
            "APPUNTA|Gestione appuntamenti|7|", "PROMEMORIA|Lista promemoria|14|", "NEWPROMEMORIA|Nuovo promemoria|26|",
            "PRTPROMEMORIA|Stampa promemoria|6|"}));
        QCOMPARE(bar->item(QStringLiteral("CONTI"))->toolTipText(), QStringLiteral("Gestisci più conti correnti."));
        QCOMPARE(bar->group(QStringLiteral("SPECIALE"))->toolTipText(),
                 QStringLiteral("These tasks apply to picture files and folders you select."));

        // A click on an item runs its task; a click on a hosted control's item runs none.
        QTest::mouseClick(bar->item(QStringLiteral("MOVIMENTI")), Qt::LeftButton);
        QCOMPARE(w->listMode(), 1);
        QCOMPARE(grid()->columns(), 8);
        QTest::mouseClick(bar->item(QStringLiteral("NEWCONTATTO")), Qt::LeftButton);
        QCOMPARE(w->asked, QStringList{"frmProp:none"});
    }

    // The search panel's captions are drawn on the colour of the group they sit in.
    void searchCaptionsOnTheBarColour_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label1") << "Label1";
        QTest::newRow("Entrate") << "OptSegno_1";
        QTest::newRow("Uscite") << "OptSegno_2";
    }
    void searchCaptionsOnTheBarColour()
    {
        QFETCH(QString, caption);
        auto *control = w->picSearch->findChild<QWidget *>(caption);
        const QImage drawn = control->grab().toImage();
        const QColor bar = w->vbalExplorerBarCtl1->backColor(true);
        QCOMPARE(drawn.pixelColor(drawn.width() - 1, 0), bar);
        QCOMPARE(drawn.pixelColor(drawn.width() - 1, drawn.height() - 1), bar);
    }

    // Each menu as "name caption": then its entries "name|caption|shortcut|mark" ("-" a separator).
    static QStringList menuTree(QMenu *menu)
    {
        QStringList out{menu->objectName() + QLatin1Char(' ') + menu->title()};
        for (QAction *a : menu->actions()) {
            if (a->isSeparator()) {
                out << QStringLiteral("-");
                continue;
            }
            out << a->objectName() + QLatin1Char('|') + a->text() + QLatin1Char('|')
                       + a->shortcut().toString() + QLatin1Char('|')
                       + (a->isCheckable() ? (a->isChecked() ? "checked" : "unchecked") : "");
        }
        return out;
    }

    void menuTreeAndPopups()
    {
        QStringList got;
        for (QAction *a : w->menuBar()->actions())
            got << menuTree(a->menu());
        for (QMenu *m : {w->mnuRubrica, w->mnuMoviment, w->mnuPromemor})
            got << menuTree(m);
        QCOMPARE(got, (QStringList{
            "mnuFile &File", "mnuNuoCon|Nuovo contatto||", "mnuNewMov|Nuovo movimento||",
            "mnuNewApp|Nuovo appuntamento||", "mnuNewPro|Nuovo promemoria||", "-", "mnuEsci|Esci|F3|",
            "mnuVisualizza Visualizza", "mnuVisContatti|Contatti|F2|", "mnuvisAvv|Avvenimenti|F4|", "-",
            "mnuVisMov|Movimenti|F8|", "-", "mnuVisApp|Appuntamenti|F9|", "-", "mnuVisPro|Promemoria|F12|",
            "mnuProEseguiti|Non mostrare promemoria eseguiti||checked",
            "mnuStampe Stampe", "mnuPrtCon|Lista contatti selezionati||", "-",
            "mnuPrtMov|Lista movimenti selezionati||", "-", "mnuPrtPro|Lista promemoria selezionati||",
            "mnuImpost Impostazioni", "mnuInfoVer|Info versione||", "mnuGestioneDb|Gestione database||",
            "mnuSettaggi|Opzioni di avvio e di accesso||", "-",
            "mnuUtenti|Gestione Utenti||", "-", "mnuTipiMov|Tipi di movimenti||", "mnuCC|Conti correnti||",
            "mnuTipiPag|Tipi di pagamenti||", "-", "mnuPostazioni|Postazioni di lavoro(appuntamenti)||",
            "mnuTurni|Turni di lavoro(appuntamenti)||",
            "mnuInfo &?", "mnuHelp|Help|F1|",
            "mnuRubrica Rubrica", "mnuSelContact|Seleziona contatto||", "mnuNewContact|Nuovo contatto||",
            "mnuMoviment Movimenti", "mnuSelMoviment|Seleziona movimento||", "mnuAddMov|Nuovo movimento||",
            "mnuPromemor Promemoria", "mnuSelPromemor|Seleziona promemoria||",
            "mnuNewPromemor|Nuovo promemoria||", "mnuPromEseguito|Promemoria eseguito||unchecked"}));
    }

    void explorerBarToolTips()
    {
        auto *bar = w->findChild<ExplorerBar *>(QStringLiteral("vbalExplorerBarCtl1"));
        QStringList got;
        for (ExplorerBarGroup *g : bar->groups()) {
            got << g->key() + QLatin1Char('|') + g->toolTipText();
            for (ExplorerBarItem *i : g->items())
                if (!i->toolTipText().isEmpty())
                    got << i->key() + QLatin1Char('|') + i->toolTipText();
        }
        QCOMPARE(got, (QStringList{
            "CONTATTI|Questo tasks consente di effettuare le modifiche ai dati.",
            "NEWCONTATTO|Inserisci un nuovo contatto in rubrica.",
            "SELCONTATTO|Visualizza la lista dei contatti.(doppio click sulla riga per modifica)",
            "DATECONTATTI|Visualizza gli avvenimenti (compleanno,anniversario,onomastico) dei contatti presenti.",
            "PRTCONTATTI|Stampa la lista dei contatti.",
            "SPECIALE|These tasks apply to picture files and folders you select.",
            "NEWMOV|Aggiungi un nuovo movimento finanziario.", "MOVIMENTI|Visualizza i movimenti finanziari.",
            "TIPOMOVIMENTI|Visualizza i tipi di movimenti finanziari.", "CONTI|Gestisci più conti correnti.",
            "TIPOPAG|Gestisci i tipi di pagamenti.", "PRINTMOV|Stampa la lista dei movimenti selezionati.",
            "SEARCHBAR|Ricerca avanzata dei movimenti.",
            "VARIE|Utilità varie.", "APPUNTA|Visualizza gli appuntamenti.", "PROMEMORIA|Visualizza i promemoria.",
            "NEWPROMEMORIA|Nuovo promemoria.", "PRTPROMEMORIA|Stampa lista promemoria."}));
    }

    // The list shortcuts work while the grid has the keyboard focus.
    void listShortcutsFromTheGrid_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("listMode");
        QTest::newRow("F2 contacts") << int(Qt::Key_F2) << 5 << 0;
        QTest::newRow("F4 anniversaries") << int(Qt::Key_F4) << 6 << 0;
        QTest::newRow("F8 movements") << int(Qt::Key_F8) << 8 << 1;
        QTest::newRow("F12 reminders") << int(Qt::Key_F12) << 3 << 2;
    }
    void listShortcutsFromTheGrid()
    {
        QFETCH(int, key);
        QFETCH(int, columns);
        QFETCH(int, listMode);
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            QSKIP("the window does not become active on this platform");
        w->RunTask(QStringLiteral("PROMEMORIA"));
        grid()->clear();
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key(key));
        QCOMPARE(grid()->columns(), columns);
        QCOMPARE(w->listMode(), listMode);
    }

    void menusAndIcons()
    {
        QStringList bar;
        for (QAction *a : w->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"&File", "Visualizza", "Stampe", "Impostazioni", "&?"}));
        const QStringList withIcons{"mnuVisContatti", "mnuvisAvv", "mnuVisMov", "mnuVisApp", "mnuVisPro", "mnuNuoCon",
                                    "mnuNewContact", "mnuAddMov", "mnuNewPromemor", "mnuSelContact", "mnuSelMoviment",
                                    "mnuSelPromemor", "mnuPrtCon", "mnuCC", "mnuTipiMov", "mnuTipiPag"};
        for (QAction *a : w->findChildren<QAction *>()) {
            if (a->objectName().startsWith(QLatin1String("mnu")))
                QVERIFY2(a->icon().isNull() != withIcons.contains(a->objectName()), qPrintable(a->objectName()));
        }
        QCOMPARE(action("mnuEsci")->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(action("mnuVisPro")->shortcut(), QKeySequence(Qt::Key_F12));
        QVERIFY(action("mnuProEseguiti")->isChecked());
        QVERIFY(!action("mnuPromEseguito")->isChecked());
        // The popup menus are not offered in the menu bar.
        for (QAction *a : w->menuBar()->actions())
            QVERIFY(a->menu() != w->mnuRubrica && a->menu()->objectName() != QLatin1String("mnu"));
    }

    void dispatcher_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("listMode");
        const QStringList none;
        QTest::newRow("NEWCONTATTO") << "NEWCONTATTO" << QStringList{"frmProp:none"} << 0 << 0;
        QTest::newRow("SELCONTATTO") << "SELCONTATTO" << none << 5 << 0;
        QTest::newRow("Settaggi") << "Settaggi" << QStringList{"frmSettings:none"} << 0 << 0;
        QTest::newRow("DATECONTATTI") << "DATECONTATTI" << none << 6 << 0;
        QTest::newRow("CONTI") << "CONTI" << QStringList{"frmConti:none"} << 0 << 0;
        QTest::newRow("TIPOMOVIMENTI") << "TIPOMOVIMENTI" << QStringList{"frmTipoMov:none"} << 0 << 0;
        QTest::newRow("TIPOPAG") << "TIPOPAG" << QStringList{"frmTipoPag:none"} << 0 << 0;
        QTest::newRow("NEWMOV") << "NEWMOV" << QStringList{"frmMov:none"} << 0 << 0;
        QTest::newRow("MOVIMENTI") << "MOVIMENTI" << none << 8 << 1;
        QTest::newRow("APPUNTA") << "APPUNTA" << QStringList{"frmAppunta:none"} << 0 << 0;
        QTest::newRow("PROMEMORIA") << "PROMEMORIA" << none << 3 << 2;
        QTest::newRow("NEWPROMEMORIA") << "NEWPROMEMORIA" << QStringList{"frmAddPro:none"} << 0 << 0;
        QTest::newRow("print with no list") << "PRINTMOV" << none << 0 << 0;
        QTest::newRow("lower case") << "newmov" << none << 0 << 0;
        QTest::newRow("settaggi lower case") << "settaggi" << none << 0 << 0;
        QTest::newRow("list key in lower case") << "movimenti" << none << 0 << 0;
        QTest::newRow("trailing blank") << "NEWMOV " << none << 0 << 0;
        QTest::newRow("hosted control item") << "SEARCHUTENTI" << none << 0 << 0;
        QTest::newRow("spacer") << "TTTTTT3" << none << 0 << 0;
        QTest::newRow("empty") << "" << none << 0 << 0;
    }
    void dispatcher()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, asked);
        QFETCH(int, columns);
        QFETCH(int, listMode);
        MsgRecorder boxes;
        w->RunTask(key);
        QCOMPARE(w->asked, asked);
        QCOMPARE(grid()->columns(), columns);
        QCOMPARE(w->listMode(), listMode);
        QCOMPARE(boxes.count(), 0);
    }

    void formTasksGiveTheGridTheFocus()
    {
        w->grdThis->clearFocus();
        w->vbalExplorerBarCtl1->setFocus();
        w->RunTask(QStringLiteral("CONTI"));
        QCOMPARE(w->focusWidget(), static_cast<QWidget *>(grid()));
    }

    void printTasks_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("task");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("contacts") << "SELCONTATTO" << "PRTCONTATTI" << QStringList{"RptContatti"};
        QTest::newRow("anniversaries to the contacts report") << "DATECONTATTI" << "PRTCONTATTI" << QStringList{};
        QTest::newRow("movements") << "MOVIMENTI" << "PRINTMOV" << QStringList{"RptMov"};
        QTest::newRow("movements, wrong list") << "PROMEMORIA" << "PRINTMOV" << QStringList{};
        QTest::newRow("reminders") << "PROMEMORIA" << "PRTPROMEMORIA" << QStringList{"RptPromemoria"};
        QTest::newRow("reminders, wrong list") << "MOVIMENTI" << "PRTPROMEMORIA" << QStringList{};
    }
    void printTasks()
    {
        QFETCH(QString, list);
        QFETCH(QString, task);
        QFETCH(QStringList, asked);
        w->RunTask(list);
        w->RunTask(task);
        QCOMPARE(w->asked, asked);
    }

    void printNeedsARow()
    {
        w->cboAnno->setEditText(QStringLiteral("1999"));
        w->RunTask(QStringLiteral("MOVIMENTI"));
        QCOMPARE(grid()->rows(), 0);
        w->RunTask(QStringLiteral("PRINTMOV"));
        QCOMPARE(w->asked, QStringList());
    }

    // The about box is one of the program's message boxes: the seam shows it, as wide as its title.
    void aboutBox()
    {
        Shell::setModalHandler([](QDialog *) { return 0; });
        MsgRecorder boxes;
        action("mnuInfoVer")->trigger();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Informazioni su Focolarium"));
        QCOMPARE(boxes.last().kind, MsgKind::Information);
        QVERIFY(boxes.last().text.startsWith(QLatin1String("Focolarium\n")));
        MsgBoxSeam::setHandler({});

        int width = 0;
        int titleNeeds = 0;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            width = box->width();
            titleNeeds = TitleBar::widthFor(box->windowTitle(), box);
            box->accept();
        });
        action("mnuInfoVer")->trigger();
        QVERIFY2(width >= titleNeeds && titleNeeds > 0, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(titleNeeds)));
    }

    void startBackup_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("started");
        QTest::newRow("Admin") << "Admin" << true;
        QTest::newRow("admin") << "admin" << false;
        QTest::newRow("Admin and a blank") << "Admin " << false;
        QTest::newRow("User") << "User" << false;
        QTest::newRow("empty") << "" << false;
    }
    void startBackup()
    {
        QFETCH(QString, role);
        QFETCH(bool, started);
        QStringList programs;
        Shell::setStartHandler([&](const QString &program, const QStringList &arguments) {
            programs << program + QLatin1Char('|') + arguments.join(QLatin1Char(','));
            return true;
        });
        MsgRecorder boxes;
        DataBase::UserRole = role;
        action("mnuGestioneDb")->trigger();
        if (started) {
            QCOMPARE(programs, QStringList{folder->path() + QStringLiteral("/focolarium-backup|")});
            QCOMPARE(boxes.count(), 0);
        } else {
            QVERIFY(programs.isEmpty());
            QCOMPARE(boxes.count(), 1);
            QCOMPARE(boxes.last(), (MsgRecord{"Non si dispone di Autorizzazioni per la richiesta", MsgKind::Information,
                                              "Accesso negato alla risorsa"}));
        }
    }

    void contactList()
    {
        w->lblStatus->setText(QStringLiteral("prima"));
        action("mnuVisContatti")->trigger();
        QCOMPARE(HTMLHelp::CurrentHelpId, 6001);
        QCOMPARE(w->helpContextId(), 6001);
        QCOMPARE(w->listMode(), 0);
        QCOMPARE(keys(), (QStringList{"file", "size", "Telefono", "Cellulare", "Descr"}));
        QCOMPARE(grid()->columnWidth(4), 300);
        QCOMPARE(grid()->searchColumn(), QStringLiteral("size"));
        QCOMPARE(grid()->rows(), 3);
        QCOMPARE(row(1), (QStringList{" Mario", " Rossi", " 0612345", " 333111", " amico"}));
        QCOMPARE(row(2), (QStringList{" Luisa", " ", " ", " 333222", " "}));
        QCOMPARE(row(3), (QStringList{" Carla", " Verdi", " ", " ", " "}));
        for (int c = 1; c <= 5; ++c) {
            QCOMPARE(grid()->cellItemData(2, c), 12);
            QCOMPARE(grid()->cellBackColor(1, c), QColor(102, 153, 204));
            QCOMPARE(grid()->cellBackColor(2, c), QColor(153, 204, 238));
            QCOMPARE(grid()->cellBackColor(3, c), QColor(102, 153, 204));
            QCOMPARE(grid()->cellForeColor(1, c), grid()->palette().color(QPalette::Text));
        }
        QCOMPARE(grid()->verticalHeader()->defaultSectionSize(), 18);
        QCOMPARE(status(), QStringLiteral("3 contatti"));
    }

    void anniversaryList()
    {
        action("mnuvisAvv")->trigger();
        QCOMPARE(HTMLHelp::CurrentHelpId, 8001);
        QCOMPARE(w->listMode(), 0);
        QCOMPARE(keys(), (QStringList{"file", "size", "type", "date", "date1", "date2"}));
        QCOMPARE(grid()->rows(), 3);
        // Mario: birthday today, anniversary in ten days, name day in eleven.
        QCOMPARE(row(1), (QStringList{" Mario", " Rossi", " m@x.it", " 05/03/2024", " 15/03/2024", " 16/03/2024"}));
        // Luisa's birthday was yesterday: its next one is a year away.
        QCOMPARE(row(2), (QStringList{" Luisa", " ", " ", " 04/03/2025", " ", " "}));
        const QColor red(255, 0, 0);
        const QColor plain = grid()->palette().color(QPalette::Text);
        const QList<QList<bool>> due{{false, false, false, true, true, false},
                                     {false, false, false, false, false, false},
                                     {false, false, false, true, true, true}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 6; ++c)
                QCOMPARE(grid()->cellForeColor(r, c), due[r - 1][c - 1] ? red : plain);
        QCOMPARE(status(), QStringLiteral("Trovate 5 ricorrenze su 3 righe"));
    }

    void movementList()
    {
        action("mnuVisMov")->trigger();
        QCOMPARE(HTMLHelp::CurrentHelpId, 2001);
        QCOMPARE(w->listMode(), 1);
        QCOMPARE(keys(), (QStringList{"date", "date1", "type", "num", "num1", "File", "Pag", "Mov"}));
        QCOMPARE(grid()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Entrate €"));
        QCOMPARE(grid()->verticalHeader()->defaultSectionSize(), 16);
        QCOMPARE(grid()->rows(), 3);
        QCOMPARE(row(1), (QStringList{" 10/01/2024", " 09/01/2024", " Spesa", " 0", " 45,5", " Banca Uno", " Contanti",
                                      " Spesa"}));
        QCOMPARE(row(2), (QStringList{" 01/02/2024", " 01/02/2024", " Stipendio febbraio", " 1234,56", " 0",
                                      " Banca Uno", " Contanti", " Stipendio"}));
        QCOMPARE(row(3), (QStringList{" 01/03/2024", " 01/03/2024", " ", " 0", " 10", " ", " ", " "}));
        QCOMPARE(grid()->cellItemData(3, 8), 24);
        QCOMPARE(status(), QStringLiteral("Entrate  1.234,56 €         Uscite  55,50 €       =  1.179,06 €          per 3 "
                                          "record selezionati"));
    }

    void movementYearAndFilter_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("status");
        QTest::newRow("every year") << "" << "" << QList<int>{23, 22, 21, 24}
            << "Entrate  1.234,56 €         Uscite  355,50 €       =  879,06 €          per 4 record selezionati";
        QTest::newRow("a year with none") << "1999" << "" << QList<int>{}
            << "Entrate  0,00 €         Uscite  0,00 €       =  0,00 €          per 0 record selezionati";
        QTest::newRow("search filter after the year") << "2024" << " AND Uscita > 0" << QList<int>{22, 24}
            << "Entrate  0,00 €         Uscite  55,50 €       =  -55,50 €          per 2 record selezionati";
        QTest::newRow("expense total negative balance") << "2023" << "" << QList<int>{23}
            << "Entrate  0,00 €         Uscite  300,00 €       =  -300,00 €          per 1 record selezionati";
    }
    void movementYearAndFilter()
    {
        QFETCH(QString, year);
        QFETCH(QString, filter);
        QFETCH(QList<int>, ids);
        QFETCH(QString, status);
        w->cboAnno->setEditText(year);
        w->ShowMovementList(filter);
        QCOMPARE(this->ids(), ids);
        QCOMPARE(grid()->columns(), 8);
        QCOMPARE(this->status(), status);
    }

    void movementYearNotANumber_data()
    {
        QTest::addColumn<QString>("year");
        QTest::newRow("letters") << "anno";
        QTest::newRow("SQL") << "2024 OR 1=1";
        QTest::newRow("decimal") << "2024,5";
    }
    void movementYearNotANumber()
    {
        QFETCH(QString, year);
        w->lblStatus->setText(QStringLiteral("prima"));
        w->cboAnno->setEditText(year);
        MsgRecorder boxes;
        w->RunTask(QStringLiteral("MOVIMENTI"));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().kind, MsgKind::Warning);
        QCOMPARE(boxes.last().title, QStringLiteral("Messaggio da Focolarium"));
        QVERIFY(!boxes.last().text.isEmpty());
        QCOMPARE(status(), QStringLiteral("Entrate  0,00 €         Uscite  0,00 €       =  0,00 €          per 0 record selezionati"));
        QCOMPARE(grid()->columns(), 8);
        QCOMPARE(grid()->rows(), 0);
        QVERIFY(grid()->redraw());
    }

    // A list that fails shows its warning; the status line then describes the rows the grid holds.
    void listFailureIsReported_data()
    {
        QTest::addColumn<QString>("task");
        QTest::addColumn<QString>("breaking");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("status");
        QTest::newRow("contacts") << "SELCONTATTO" << "DROP VIEW QryRicorrenze; DROP TABLE Contatti;" << QList<int>{}
                                  << "0 contatti";
        QTest::newRow("anniversaries") << "DATECONTATTI" << "DROP VIEW QryRicorrenze;" << QList<int>{}
                                       << "Trovate 0 ricorrenze su 0 righe";
        QTest::newRow("movements") << "MOVIMENTI" << "DROP VIEW qryMov;" << QList<int>{}
            << "Entrate  0,00 €         Uscite  0,00 €       =  0,00 €          per 0 record selezionati";
        // The second movement's income cannot be added up: the first row stays, with its totals.
        QTest::newRow("movements, a Null amount half way") << "MOVIMENTI"
            << "DROP VIEW qryMov; CREATE VIEW qryMov AS SELECT IdMov, DataReg, DataMov, Descrizione, "
               "CASE WHEN IdMov = 21 THEN NULL ELSE Entrata END AS Entrata, Uscita, NULL AS DescrConto, NULL AS NomePag, "
               "NULL AS Mov FROM Movimenti;"
            << QList<int>{22}
            << "Entrate  0,00 €         Uscite  45,50 €       =  -45,50 €          per 1 record selezionati";
        QTest::newRow("reminders") << "PROMEMORIA" << "DROP TABLE Promemoria;" << QList<int>{}
                                   << "In scadenza 0 su 0 promemoria";
    }
    void listFailureIsReported()
    {
        QFETCH(QString, task);
        QFETCH(QString, breaking);
        QFETCH(QList<int>, ids);
        QFETCH(QString, status);
        sql(breaking);
        w->lblStatus->setText(QStringLiteral("prima"));
        MsgRecorder boxes;
        w->RunTask(task);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Messaggio da Focolarium"));
        QCOMPARE(this->ids(), ids);
        QCOMPARE(this->status(), status);
        QVERIFY(grid()->redraw());
    }

    void reminderList()
    {
        action("mnuVisPro")->trigger();
        QCOMPARE(HTMLHelp::CurrentHelpId, 3001);
        QCOMPARE(w->listMode(), 2);
        QCOMPARE(keys(), (QStringList{"file", "date", "type"}));
        QCOMPARE(grid()->searchColumn(), QStringLiteral("file"));
        QCOMPARE(grid()->rows(), 5);
        QCOMPARE(row(1), (QStringList{" Oggi", " 05/03/2024", " Falso"}));
        QCOMPARE(row(4), (QStringList{" ", " ", " Falso"}));
        QCOMPARE(grid()->cellItemData(4, 2), 35);
        QCOMPARE(grid()->cellForeColor(1, 2), QColor(255, 0, 0));
        QCOMPARE(grid()->cellForeColor(2, 2), QColor(255, 0, 0));     // ten days ahead
        QCOMPARE(grid()->cellForeColor(3, 2), grid()->palette().color(QPalette::Text));   // eleven days
        QCOMPARE(grid()->cellForeColor(5, 2), grid()->palette().color(QPalette::Text));   // yesterday
        QCOMPARE(status(), QStringLiteral("In scadenza 2 su 5 promemoria"));

        // Without the mark the done reminder shows too, and counts when due.
        action("mnuProEseguiti")->trigger();
        QVERIFY(!action("mnuProEseguiti")->isChecked());
        QCOMPARE(grid()->rows(), 6);
        QCOMPARE(row(2), (QStringList{" Fatto", " 06/03/2024", " Vero"}));
        QCOMPARE(status(), QStringLiteral("In scadenza 3 su 6 promemoria"));
        action("mnuProEseguiti")->trigger();
        QCOMPARE(grid()->rows(), 5);
    }

    void columnClickSorts()
    {
        w->RunTask(QStringLiteral("MOVIMENTI"));
        clickColumn(5);   // "num1", expenses: 45,5 / 0 / 10 as numbers
        QCOMPARE(ids(), (QList<int>{21, 24, 22}));
        QCOMPARE(grid()->columnTag(5), QStringLiteral("DESC"));
        clickColumn(5);
        QCOMPARE(ids(), (QList<int>{22, 24, 21}));
        QCOMPARE(grid()->columnTag(5), QString());
        clickColumn(5);
        QCOMPARE(ids(), (QList<int>{21, 24, 22}));
        QCOMPARE(Shell::mousePointer(), 0);

        // Dates sort as dates, texts without case; another column keeps its own tag.
        clickColumn(2);
        QCOMPARE(ids(), (QList<int>{22, 21, 24}));
        QCOMPARE(grid()->columnTag(5), QStringLiteral("DESC"));
        clickColumn(3);
        QCOMPARE(ids(), (QList<int>{24, 22, 21}));
        // A rebuilt list starts again ascending.
        w->RunTask(QStringLiteral("MOVIMENTI"));
        clickColumn(5);
        QCOMPARE(ids(), (QList<int>{21, 24, 22}));
    }

    // Sorted by a column, the rows keep alternating their two colours in the order shown.
    void stripesAfterSorting_data()
    {
        QTest::addColumn<QString>("task");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("clicks");
        QTest::newRow("contacts by surname") << "SELCONTATTO" << 2 << 1;
        QTest::newRow("movements by income, descending") << "MOVIMENTI" << 4 << 2;
        QTest::newRow("reminders by date") << "PROMEMORIA" << 2 << 1;
    }
    void stripesAfterSorting()
    {
        QFETCH(QString, task);
        QFETCH(int, column);
        QFETCH(int, clicks);
        w->RunTask(task);
        const QList<int> before = ids();
        for (int i = 0; i < clicks; ++i)
            clickColumn(column);
        QVERIFY(ids() != before);   // the order did change
        for (int r = 1; r <= grid()->rows(); ++r)
            for (int c = 1; c <= grid()->columns(); ++c)
                QCOMPARE(grid()->cellBackColor(r, c), r % 2 ? QColor(102, 153, 204) : QColor(153, 204, 238));
    }

    void doubleClickOpensTheRowsRecord_data()
    {
        QTest::addColumn<QString>("task");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("form");
        QTest::newRow("contacts") << "SELCONTATTO" << 2 << "frmProp:12";
        QTest::newRow("anniversaries") << "DATECONTATTI" << 3 << "frmProp:14";
        QTest::newRow("movements") << "MOVIMENTI" << 2 << "frmMov:21";
        QTest::newRow("reminders") << "PROMEMORIA" << 3 << "frmAddPro:34";
    }
    void doubleClickOpensTheRowsRecord()
    {
        QFETCH(QString, task);
        QFETCH(int, row);
        QFETCH(QString, form);
        w->RunTask(task);
        for (int c = 1; c <= grid()->columns(); ++c) {
            grid()->scrollTo(grid()->model()->index(row - 1, c - 1));
            const QPoint p = grid()->visualRect(grid()->model()->index(row - 1, c - 1)).center();
            QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, p);   // a double click's first press
            QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, p);
        }
        QCOMPARE(w->asked, QStringList(grid()->columns(), form));
    }

    void doubleClickFailure()
    {
        w->RunTask(QStringLiteral("MOVIMENTI"));
        MsgRecorder boxes;
        w->grdThis_DblClick(9, 1);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last(), (MsgRecord{"Indice non compreso nell'intervallo", MsgKind::PlainOkCancel,
                                          "Focolarium"}));
        QVERIFY(w->asked.isEmpty());
    }

    void rightClickPopups()
    {
        w->RunTask(QStringLiteral("SELCONTATTO"));
        rightClickCell(1, 1);
        QVERIFY(w->mnuRubrica->isVisible());
        closePopups();
        w->RunTask(QStringLiteral("MOVIMENTI"));
        rightClickCell(1, 1);
        QVERIFY(w->mnuMoviment->isVisible());
        closePopups();

        action("mnuProEseguiti")->trigger();   // done reminders shown
        QCOMPARE(grid()->rows(), 6);
        grid()->setSelectedRow(1);
        rightClickCell(2, 1);                  // "Fatto", done: the mark is the clicked row's
        QVERIFY(w->mnuPromemor->isVisible());
        QVERIFY(action("mnuPromEseguito")->isChecked());
        closePopups();
        rightClickCell(1, 1);
        QVERIFY(!action("mnuPromEseguito")->isChecked());
        closePopups();

        // Left button: no popup.
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(grid()->model()->index(0, 0)).center());
        QVERIFY(!w->mnuPromemor->isVisible());
    }

    // A right click first selects the row under the pointer, whichever row was selected before
    // (0: none): each popup entry works on the row clicked.
    void popupEntriesWorkOnTheClickedRow_data()
    {
        QTest::addColumn<QString>("task");
        QTest::addColumn<int>("selectedBefore");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("Seleziona contatto") << "SELCONTATTO" << 0 << 2 << "mnuSelContact" << QStringList{"frmProp:12"};
        QTest::newRow("Seleziona movimento") << "MOVIMENTI" << 1 << 3 << "mnuSelMoviment" << QStringList{"frmMov:24"};
        QTest::newRow("Seleziona promemoria") << "PROMEMORIA" << 0 << 3 << "mnuSelPromemor" << QStringList{"frmAddPro:34"};
        QTest::newRow("Promemoria eseguito") << "PROMEMORIA" << 1 << 3 << "mnuPromEseguito" << QStringList{};
    }
    void popupEntriesWorkOnTheClickedRow()
    {
        QFETCH(QString, task);
        QFETCH(int, selectedBefore);
        QFETCH(int, row);
        QFETCH(QString, entry);
        QFETCH(QStringList, asked);
        MsgRecorder boxes;
        w->RunTask(task);
        if (selectedBefore)
            grid()->setSelectedRow(selectedBefore);
        rightClickCell(row, 2);
        QCOMPARE(boxes.count(), 0);
        QMenu *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QAction *chosen = action(entry.toLatin1().constData());
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(chosen).center());
        QCOMPARE(w->asked, asked);
        if (entry == QLatin1String("mnuPromEseguito")) {
            QCOMPARE(scalar(QStringLiteral("SELECT Eseguito FROM Promemoria WHERE IdPromemoria = 34")).toInt(), -1);
            QCOMPARE(scalar(QStringLiteral("SELECT Eseguito FROM Promemoria WHERE IdPromemoria = 31")).toInt(), 0);
            QCOMPARE(grid()->cellText(row, 3), QStringLiteral(" Vero"));
        }
    }

    // No row to take the id from, or a reminder deleted since the list was built.
    void rightClickReminderFailure_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty list") << "DELETE FROM Promemoria;" << "";
        QTest::newRow("reminder gone") << "" << "DELETE FROM Promemoria WHERE IdPromemoria = 31;";
    }
    void rightClickReminderFailure()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        if (!before.isEmpty())
            sql(before);
        w->RunTask(QStringLiteral("PROMEMORIA"));
        if (!after.isEmpty()) {
            grid()->setSelectedRow(1);
            sql(after);
        }
        MsgRecorder boxes;
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, QPoint(20, 5));   // on row 1, when there is one
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().kind, MsgKind::PlainOkCancel);
        QCOMPARE(boxes.last().title, QStringLiteral("Focolarium"));
        QVERIFY(!w->mnuPromemor->isVisible());
    }

    void reminderDone()
    {
        w->RunTask(QStringLiteral("PROMEMORIA"));
        grid()->setSelectedRow(3);             // "Tra undici giorni"
        QCOMPARE(grid()->cellItemData(3, 1), 34);
        const QString before = status();
        action("mnuPromEseguito")->trigger();
        QCOMPARE(scalar(QStringLiteral("SELECT Eseguito FROM Promemoria WHERE IdPromemoria = 34")).toInt(), -1);
        QCOMPARE(grid()->cellText(3, 3), QStringLiteral(" Vero"));
        QVERIFY(action("mnuPromEseguito")->isChecked());
        QCOMPARE(grid()->rows(), 5);           // not rebuilt
        QCOMPARE(status(), before);
        // Again on a done reminder: still done.
        action("mnuPromEseguito")->trigger();
        QCOMPARE(scalar(QStringLiteral("SELECT Eseguito FROM Promemoria WHERE IdPromemoria = 34")).toInt(), -1);
        QCOMPARE(grid()->cellText(3, 3), QStringLiteral(" Vero"));
    }

    void selectOpensTheSelectedRecord()
    {
        action("mnuSelMoviment")->trigger();   // empty grid: the editor opens on its own id
        w->RunTask(QStringLiteral("MOVIMENTI"));
        grid()->setSelectedRow(3);
        action("mnuSelMoviment")->trigger();
        w->RunTask(QStringLiteral("SELCONTATTO"));
        grid()->setSelectedRow(1);
        action("mnuSelContact")->trigger();
        action("mnuNewContact")->trigger();
        QCOMPARE(w->asked, (QStringList{"frmMov:none", "frmMov:24", "frmProp:11", "frmProp:none"}));
    }

    // Shown for the first time, the status line already sits above the status bar, inside the client area.
    void statusLineAfterTheFirstShow()
    {
        frmMain m;
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QApplication::processEvents();
        auto *status = m.findChild<QWidget *>(QStringLiteral("picStatus"));
        const int inner = m.height() - m.menuBar()->height();
        QCOMPARE(status->y(), inner - 40);
        QVERIFY(status->geometry().bottom() < m.centralWidget()->height());
    }

    // The grid takes the same height at the first show as after any resize to the same size. A
    // reparenting window manager frames the window only after its first show and moves it into the
    // frame, without resizing it: shown frameless, the frame then comes with a move alone.
    void gridHeightAtTheFirstShow()
    {
        frmMain m;
        m.setWindowFlag(Qt::FramelessWindowHint);
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QWindow *window = m.windowHandle();
        const int unframed = m.frameGeometry().height();
        window->setFlags(window->flags() & ~Qt::FramelessWindowHint);
        window->setPosition(m.pos() + QPoint(4, 30));
        QTRY_VERIFY(m.frameGeometry().height() > unframed);
        auto *g = m.findChild<ListGrid *>(QStringLiteral("grdThis"));
        const int first = g->height();
        const QSize size = m.size();
        m.resize(size + QSize(0, 40));
        QTest::qWait(100);
        m.resize(size);
        QTest::qWait(100);
        QCOMPARE(m.size(), size);
        QCOMPARE(g->height(), first);
    }

    void resizeRule()
    {
        // At 15 twips a pixel: grid left = bar width, width = inner width - bar - 100 twips, height = outer - 1400
        // twips; status line 600 twips above the inner bottom; label at half the inner width - 4300 twips.
        w->resize(800, 600);
        QApplication::processEvents();
        const int inner = w->height() - w->menuBar()->height();
        const int outer = w->frameGeometry().height();
        QCOMPARE(grid()->geometry(), QRect(212, 0, 800 - 212 - 7, outer - 93));
        QCOMPARE(w->picStatus->geometry(), QRect(212, inner - 40, 800 - 212 - 7, 20));
        QCOMPARE(w->lblStatus->geometry(), QRect(0, w->lblStatus->y(), w->picStatus->width(), w->lblStatus->height()));

        // Too narrow for the grid: it keeps its width, the status line still follows it.
        w->resize(150, 600);
        QApplication::processEvents();
        QCOMPARE(grid()->width(), 800 - 212 - 7);
        QCOMPARE(w->picStatus->x(), 212);
        QCOMPARE(w->picStatus->width(), 800 - 212 - 7);
        QCOMPARE(w->lblStatus->x(), 0);
    }

    // At its opening size the window shows the bar and a useful list, and no text of the movements list is cut.
    void openingSizeCutsNoText()
    {
        QCOMPARE(w->size(), QSize(1000, 700).boundedTo(w->screen()->availableSize()));
        QDir().mkpath(QStringLiteral("/tmp/shots"));
        QVERIFY(w->grab().save(QStringLiteral("/tmp/shots/frmMain_opening.png")));
        w->RunTask(QStringLiteral("MOVIMENTI"));
        QApplication::processEvents();
        QVERIFY(w->grab().save(QStringLiteral("/tmp/shots/frmMain_opening_movements.png")));

        const QRect line = w->picStatus->rect();
        QVERIFY(line.contains(w->lblStatus->geometry()));
        QVERIFY(w->lblStatus->fontMetrics().horizontalAdvance(status()) <= w->lblStatus->width());

        for (QRadioButton *option : {w->OptSegno_1, w->OptSegno_2})
            QVERIFY(option->width() >= option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option)
                                           + option->fontMetrics().horizontalAdvance(option->text()));
        const QWidget *yearRow[] = {w->OptSegno_1, w->OptSegno_2, w->cboAnno};
        for (size_t i = 0; i < std::size(yearRow); ++i) {
            QVERIFY(w->picSearch->rect().contains(yearRow[i]->geometry()));
            if (i > 0)
                QVERIFY2(!yearRow[i]->geometry().intersects(yearRow[i - 1]->geometry()), qPrintable(yearRow[i]->objectName()));
        }
    }

    // The settings entry opens the settings form; automatic sign-in cleared there, the next start asks again.
    void settingsEntryClearsAutomaticSignIn()
    {
        QTemporaryDir settingsDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings store(QStringLiteral("Focolarium"), QStringLiteral("Focolarium"));
        for (const char *key : {"Options/SavePassword", "Options/AutoLogon"})
            store.setValue(QLatin1String(key), QStringLiteral("True"));
        store.setValue(QStringLiteral("Options/UserName"), QStringLiteral("Admin"));
        store.sync();

        QStringList shown;
        Shell::setModalHandler([&shown](QDialog *form) {
            shown << form->objectName();
            form->show();
            if (auto *autoConn = form->findChild<QCheckBox *>(QStringLiteral("CkeAutoConn"))) {
                autoConn->setChecked(false);
                QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("cmdApplica")), Qt::LeftButton);
            }
            form->close();
            return form->result();
        });
        frmMain real;
        real.findChild<QAction *>(QStringLiteral("mnuSettaggi"))->trigger();
        QCOMPARE(shown, QStringList{"frmSettings"});
        store.sync();
        QCOMPARE(store.value(QStringLiteral("Options/AutoLogon")).toString(), QStringLiteral("False"));

        int endRequests = 0;
        Shell::setEndProgramHandler([&endRequests] { ++endRequests; });
        FrmStart splash([] { return new QMainWindow; }, QStringLiteral("tst_frmMain-%1").arg(QCoreApplication::applicationPid()));
        frmLogin login(&splash);
        login.showModal();
        Shell::setEndProgramHandler({});
        Shell::releaseInstance();
        QCOMPARE(shown, (QStringList{"frmSettings", "frmLogin"}));
        QVERIFY(!login.signedIn());
    }

    void screenshots()
    {
        QDir().mkpath(QStringLiteral("/tmp/shots"));
        w->resize(1000, 640);
        const std::pair<const char *, const char *> lists[] = {
            {"SELCONTATTO", "frmMain_contacts"}, {"DATECONTATTI", "frmMain_anniversaries"},
            {"MOVIMENTI", "frmMain_movements"}, {"PROMEMORIA", "frmMain_reminders"}};
        for (const auto &[task, name] : lists) {
            w->RunTask(QString::fromLatin1(task));
            QApplication::processEvents();
            QVERIFY(w->grab().save(QStringLiteral("/tmp/shots/%1.png").arg(QString::fromLatin1(name))));
        }
        w->RunTask(QStringLiteral("MOVIMENTI"));
        w->grdThis_ColumnClick(5);   // by expense: the stripes go on in the order shown
        QApplication::processEvents();
        QVERIFY(w->grab().save(QStringLiteral("/tmp/shots/frmMain_movements_sorted.png")));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
