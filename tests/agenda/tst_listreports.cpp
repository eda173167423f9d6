#include "Clock.h"
#include "DataBase.h"
#include "ListGrid.h"
#include "ProgramFolder.h"
#include "Seams.h"
#include "Shell.h"
#include "db/Connection.h"
#include "frmMain.h"
#include "report/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <optional>

// The three list reports printed from the main window: each prints the list on screen, in its
// order, under its own headings, and leaves the list's last row selected.
class tst_ListReports : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<ProgramFolder> folder;

    static QString movements(int count)
    {
        QString sql = QStringLiteral("INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, "
                                     "IdConto, IdTipoPag, IdTipoMov, IdUtente) VALUES ");
        for (int i = 1; i <= count; ++i)
            sql += QStringLiteral("%1(%2, '2024-02-%3', '2024-02-%3', 'Voce %4', %5, 0, 1, 1, 1, 1)")
                       .arg(i > 1 ? "," : "")
                       .arg(i)
                       .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                       .arg(QChar(u'Z' - i % 26))
                       .arg(i * 10.5);
        return sql + QLatin1Char(';');
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Clock::setNow(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    }

    void cleanup()
    {
        DataBase::AdoConnect().close();
        folder.reset();
        Shell::setModalHandler({});
    }

    void printsTheListOnScreen_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("sortColumn");     // 0: the list's own order
        QTest::addColumn<QString>("print");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QStringList>("head");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("end");        // what the report footer prints: the status, the count
        QTest::addColumn<bool>("grows");

        const QStringList movementHead{"Movimenti", "Data Registrazione", "Data movimento", "Descrizione", "Entrate €",
                                       "Uscite €", "Conto (Banca)", "Tipo Pagamento", "Tipo movimento"};
        QTest::newRow("movements, one row") << movements(1) << "mnuVisMov" << 0 << "mnuPrtMov" << "Lista Movimenti"
                                            << true << movementHead << 1 << "status" << false;
        QTest::newRow("movements, sorted by description")
            << movements(5) << "mnuVisMov" << 3 << "mnuPrtMov" << "Lista Movimenti" << true << movementHead << 1
            << "status" << false;
        QTest::newRow("movements, three pages") << movements(100) << "mnuVisMov" << 0 << "mnuPrtMov"
                                                << "Lista Movimenti" << true << movementHead << 3 << "status" << false;
        QTest::newRow("contacts, long notes")
            << "INSERT INTO Contatti (IdContatto, Nome, cognome, Tel, Cell, altro, Condividi, IdUtente) VALUES "
               "(11, 'Mario', 'Rossi', NULL, '333111', '" + QStringLiteral("nota ").repeated(400).left(1999) + "', 0, 1),"
               "(12, 'Luisa', 'Bianchi', '0612', NULL, 'amica', 0, 1);"
            << "mnuVisContatti" << 0 << "mnuPrtCon" << "Lista Contatti" << true
            << QStringList{"Contatti", "Nome", "Cognome", "Telefono", "Cellulare", "Descrizione"} << 1 << "" << true;
        QTest::newRow("reminders, done ones hidden")
            << "INSERT INTO Promemoria (IdPromemoria, Testo, data, Eseguito) VALUES (31, 'Oggi', '2024-03-05', 0),"
               "(32, 'Fatto', '2024-03-06', -1), (33, 'Domani', '2024-03-06', 0);"
            << "mnuVisPro" << 0 << "mnuPrtPro" << "Promemoria" << false
            << QStringList{"Promemoria", "Oggetto", "Data", "Eseguito"} << 1 << "count" << false;
    }
    void printsTheListOnScreen()
    {
        QFETCH(QString, data);
        QFETCH(QString, list);
        QFETCH(int, sortColumn);
        QFETCH(QString, print);
        QFETCH(QString, caption);
        QFETCH(bool, landscape);
        QFETCH(QStringList, head);
        QFETCH(int, pages);
        QFETCH(QString, end);
        QFETCH(bool, grows);

        folder = std::make_unique<ProgramFolder>();
        ProgramFolder::execute(folder->familyPath(),
                               QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '1', 'Banca');"
                                              "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
                                              "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Stipendio', -1);")
                                   + data);
        DataBase::ConnString = folder->familyConnString();
        DataBase::BuildStr();
        DataBase::UserId = 1;
        frmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.findChild<QComboBox *>(QStringLiteral("cboAnno"))->setEditText(QStringLiteral("2024"));
        if (list == QLatin1String("mnuVisPro"))
            w.findChild<QAction *>(QStringLiteral("mnuProEseguiti"))->setChecked(true);
        w.findChild<QAction *>(list)->trigger();
        auto *grid = w.findChild<ListGrid *>(QStringLiteral("grdThis"));
        if (sortColumn)
            emit grid->columnClick(sortColumn);
        QStringList cells;
        for (int r = 1; r <= grid->rows(); ++r)
            for (int c = 1; c <= grid->columns(); ++c)
                cells << grid->cellText(r, c);
        const QString status = w.findChild<QLabel *>(QStringLiteral("lblStatus"))->text();
        QApplication::processEvents();   // the list painted, as the user has it

        // The copy reads the cells; it neither walks the selection nor scrolls the list row by row.
        QSignalSpy selections(grid, &ListGrid::selectionChange);
        QSignalSpy scrolls(grid->verticalScrollBar(), &QScrollBar::valueChanged);

        std::optional<ReportLayout> layout;
        QString title;
        Shell::setModalHandler([&](QDialog *d) {
            if (auto *preview = qobject_cast<ReportPreview *>(d)) {
                layout = preview->layout();
                title = preview->windowTitle();
            }
            return 0;
        });
        MsgRecorder boxes;
        w.findChild<QAction *>(print)->trigger();
        QCOMPARE(boxes.count(), 0);
        QVERIFY(layout);
        QCOMPARE(title, caption);
        QCOMPARE(layout->pageLayout.orientation() == QPageLayout::Landscape, landscape);
        QCOMPARE(layout->pageCount(), pages);
        QCOMPARE(grid->selectedRow(), grid->rows());
        QCOMPARE(selections.count(), 1);
        QVERIFY2(scrolls.count() <= 1, qPrintable(QString::number(scrolls.count())));

        QStringList details;
        QStringList tail;
        for (int p = 0; p < pages; ++p) {
            QStringList t = layout->texts(p);
            const QStringList pageHead = p == 0 ? head : head.mid(1);
            QCOMPARE(t.mid(0, pageHead.size()), pageHead);
            QCOMPARE(t.mid(t.size() - 4), (QStringList{"Page  ", QString::number(p + 1), " of ", QString::number(pages)}));
            t = t.mid(pageHead.size(), t.size() - pageHead.size() - 4);
            if (p == pages - 1) {
                const qsizetype footer = end == QLatin1String("status") ? 1 : end == QLatin1String("count") ? 2 : 0;
                tail = t.mid(t.size() - footer);
                t.resize(t.size() - footer);
            }
            details += t;
        }
        QCOMPARE(details, cells);
        if (end == QLatin1String("status"))
            QCOMPARE(tail, QStringList{status});
        else if (end == QLatin1String("count"))
            QCOMPARE(tail, (QStringList{"Totale promemoria selezionati", QString::number(grid->rows())}));

        int tallest = 0;
        for (const PlacedItem &item : layout->pages[0].items)
            if (item.type == PlacedItem::Text && cells.contains(item.text))
                tallest = std::max(tallest, item.rect.height());
        QCOMPARE(tallest > 300, grows);
    }
};

QTEST_MAIN(tst_ListReports)
#include "tst_listreports.moc"
