// The families form on a fresh program folder: the list, saving the name and the database frame,
// the backup copy and deleting a family, driven through its controls and the seams.

#include "ProgramFolder.h"
#include "Seams.h"
#include "HelpViewer.h"
#include "Shell.h"
#include "frmBackup.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>
#include <sqlite3.h>

class tst_frmBackup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listAndFirstFamily();
    void pickFamily();
    void saveNameWithApostrophe();
    void saveDatabaseFrame();
    void pickersOpenAtTheirBoxAndCancelKeepsIt_data();
    void pickersOpenAtTheirBoxAndCancelKeepsIt();
    void saveDatabaseFrameOfVanishedRow();
    void backupWhileOpenAndWritten();
    void backupLeavesNoPartialCopies_data();
    void backupLeavesNoPartialCopies();
    void backupRefused_data();
    void backupRefused();
    void deleteFamilyKeepsFiles();
    void deleteDeclined();
    void missingFamiliesDatabase();
    void nullNameStopsList();
    void familyIdAbove16Bits();
    void failuresAreWarnings_data();
    void failuresAreWarnings();
    void helpOnF1();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();

private:
    template <typename T> T *child(const char *name) const
    {
        T *w = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void openForm();
    // Moves the families list one down with the keyboard, as a user picks the second family.
    QComboBox *pickSecondFamily() const
    {
        auto *cbo = child<QComboBox>("cboAzienda");
        cbo->setFocus();
        QTest::keyClick(cbo, Qt::Key_Down);
        return cbo;
    }
    // A field of the second family's row in the families database.
    QString bianchi(int column) const
    {
        return aziende(QStringLiteral("WHERE IdAzienda = %1").arg(m_bianchi)).value(0).value(column).toString();
    }
    QVector<QVector<QVariant>> aziende(const QString &where = {}) const
    {
        return ProgramFolder::select(m_folder->logoPath(),
                                     QStringLiteral("SELECT IdAzienda, NomeAzienda, Indirizzo, PercorsoO, PercorsoD "
                                                    "FROM Aziende ") + where + QStringLiteral(" ORDER BY IdAzienda"));
    }
    QString backupPath(const QString &name) const { return m_folder->path() + QStringLiteral("/Backup/") + name + QStringLiteral(".mdb"); }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MsgRecorder> m_boxes;
    std::unique_ptr<frmBackup> m_form;
    int m_bianchi = 0;
};

void tst_frmBackup::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void tst_frmBackup::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    m_bianchi = m_folder->addFamily(QStringLiteral("Bianchi"));
    m_boxes = std::make_unique<MsgRecorder>();
}

void tst_frmBackup::cleanup()
{
    m_form.reset();
    m_boxes.reset();
    m_folder.reset();
    Shell::setOpenFileHandler({});
    Shell::setBrowseFolderHandler({});
}

void tst_frmBackup::openForm()
{
    m_form = std::make_unique<frmBackup>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_frmBackup::listAndFirstFamily()
{
    openForm();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Gestione database Focolarium"));
    auto *cbo = child<QComboBox>("cboAzienda");
    QCOMPARE(cbo->count(), 2);
    QCOMPARE(cbo->itemText(0), QStringLiteral("Famiglia"));
    QCOMPARE(cbo->itemText(1), QStringLiteral("Bianchi"));
    QCOMPARE(cbo->itemData(1).toInt(), m_bianchi);
    QCOMPARE(cbo->currentIndex(), 0);
    QCOMPARE(child<QLineEdit>("txtAzienda")->text(), QStringLiteral("Famiglia"));
    QCOMPARE(child<QLineEdit>("txtStrAccess")->text(), m_folder->familyConnection());
    QCOMPARE(child<QLabel>("lblOriginale")->text(), m_folder->familyPath());
    QCOMPARE(child<QLabel>("lblDest")->text(), backupPath(QStringLiteral("Famiglia")));
    QCOMPARE(m_boxes->count(), 0);
}

void tst_frmBackup::pickFamily()
{
    openForm();
    auto *cbo = pickSecondFamily();
    QCOMPARE(cbo->currentIndex(), 1);
    QCOMPARE(m_form->idAzienda(), m_bianchi);
    QCOMPARE(child<QLineEdit>("txtAzienda")->text(), QStringLiteral("Bianchi"));
    QCOMPARE(child<QLabel>("lblOriginale")->text(), m_folder->familyPath(QStringLiteral("Bianchi")));
}

void tst_frmBackup::saveNameWithApostrophe()
{
    openForm();
    auto *cbo = pickSecondFamily();
    auto *txt = child<QLineEdit>("txtAzienda");
    txt->clear();
    QTest::keyClicks(txt, QStringLiteral("  Dell'Orto "));
    QTest::mouseClick(child<QToolButton>("Command4"), Qt::LeftButton);

    QCOMPARE(m_boxes->count(), 0);
    QCOMPARE(bianchi(1), QStringLiteral("Dell'Orto"));
    // The list is rebuilt and its first family loaded again.
    QCOMPARE(cbo->count(), 2);
    QCOMPARE(cbo->itemText(1), QStringLiteral("Dell'Orto"));
    QCOMPARE(cbo->currentIndex(), 0);
    QCOMPARE(txt->text(), QStringLiteral("Famiglia"));
    // The files stay where they were.
    QCOMPARE(bianchi(3), m_folder->familyPath(QStringLiteral("Bianchi")));
}

void tst_frmBackup::saveDatabaseFrame()
{
    openForm();
    QString dialogTitle, dialogFilter, browseTitle;
    Shell::setOpenFileHandler([&](const QString &title, const QString &, const QString &filter) {
        dialogTitle = title;
        dialogFilter = filter;
        return QStringLiteral("  /media/archivio/O'Neil.mdb ");
    });
    Shell::setBrowseFolderHandler([&](const QString &title, const QString &) {
        browseTitle = title;
        return QStringLiteral("/media/chiavetta d'Anna");
    });
    auto *conn = child<QLineEdit>("txtStrAccess");
    conn->clear();
    const QString typed = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/media/archivio/O'Neil.mdb");
    QTest::keyClicks(conn, typed);
    QTest::mouseClick(child<QToolButton>("Command8"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("Command9"), Qt::LeftButton);
    QCOMPARE(dialogTitle, QStringLiteral("Seleziona percorso."));
    QVERIFY(dialogFilter.contains(QStringLiteral("*.mdb")));
    QCOMPARE(browseTitle, QStringLiteral("Seleziona il percorso di destinazione del database"));
    QCOMPARE(child<QLabel>("lblOriginale")->text(), QStringLiteral("/media/archivio/O'Neil.mdb"));
    QCOMPARE(child<QLabel>("lblDest")->text(), QStringLiteral("/media/chiavetta d'Anna/O'Neil.mdb"));

    QTest::mouseClick(child<QToolButton>("Command2"), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 0);
    const auto row = aziende(QStringLiteral("WHERE NomeAzienda = 'Famiglia'")).value(0);
    QCOMPARE(row.value(2).toString(), typed);
    QCOMPARE(row.value(3).toString(), QStringLiteral("/media/archivio/O'Neil.mdb"));
    QCOMPARE(row.value(4).toString(), QStringLiteral("/media/chiavetta d'Anna/O'Neil.mdb"));
    // The other family is untouched.
    QCOMPARE(bianchi(3), m_folder->familyPath(QStringLiteral("Bianchi")));
}

void tst_frmBackup::pickersOpenAtTheirBoxAndCancelKeepsIt_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::newRow("origin file") << "Command8" << "lblOriginale";
    QTest::newRow("destination folder") << "Command9" << "lblDest";
}

void tst_frmBackup::pickersOpenAtTheirBoxAndCancelKeepsIt()
{
    QFETCH(QString, button);
    QFETCH(QString, box);
    openForm();
    const QString before = m_form->findChild<QLabel *>(box)->text();
    QVERIFY(!before.isEmpty());
    QStringList openedAt;
    Shell::setOpenFileHandler([&](const QString &, const QString &folder, const QString &) {
        openedAt << folder;
        return QString();
    });
    Shell::setBrowseFolderHandler([&](const QString &, const QString &folder) {
        openedAt << folder;
        return QString();
    });
    QTest::mouseClick(m_form->findChild<QToolButton *>(button), Qt::LeftButton);
    QCOMPARE(openedAt, QStringList{QFileInfo(before).absolutePath()});
    QCOMPARE(m_form->findChild<QLabel *>(box)->text(), before);
    QCOMPARE(m_boxes->count(), 0);
}

void tst_frmBackup::saveDatabaseFrameOfVanishedRow()
{
    openForm();
    ProgramFolder::execute(m_folder->logoPath(), QStringLiteral("DELETE FROM Aziende WHERE NomeAzienda = 'Famiglia'"));
    QTest::mouseClick(child<QToolButton>("Command2"), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().kind, MsgKind::Warning);
    QCOMPARE(m_boxes->last().title, QStringLiteral("Gestione aziende"));
    QVERIFY(!m_boxes->last().text.isEmpty());
    QCOMPARE(aziende().size(), 1);
}

namespace {
struct RawDb
{
    sqlite3 *h = nullptr;
    explicit RawDb(const QString &path) { sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr); }
    ~RawDb() { sqlite3_close_v2(h); }
    int exec(const char *sql) { return sqlite3_exec(h, sql, nullptr, nullptr, nullptr); }
};
}

void tst_frmBackup::backupWhileOpenAndWritten()
{
    // An old backup is replaced without asking.
    {
        QFile old(backupPath(QStringLiteral("Famiglia")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("not a database");
    }
    openForm();
    // The main program has the database open: it has just saved a user and is in the middle of another.
    RawDb other(m_folder->familyPath());
    QCOMPARE(other.exec("INSERT INTO Utenti (Nome, Ruolo) VALUES ('Rossi', 'Utente')"), SQLITE_OK);
    QCOMPARE(other.exec("BEGIN; INSERT INTO Utenti (Nome, Ruolo) VALUES ('Pendente', 'Utente')"), SQLITE_OK);

    QTest::mouseClick(child<QPushButton>("Command7"), Qt::LeftButton);
    QCOMPARE(other.exec("COMMIT"), SQLITE_OK);

    QCOMPARE(m_boxes->count(), 2);
    QCOMPARE(m_boxes->shown().at(0), (MsgRecord{"Accertarsi che il db sia chiuso.", MsgKind::Information,
                                                "Gestione aziende"}));
    QCOMPARE(m_boxes->shown().at(1).text, QStringLiteral("Operazione completata"));
    QCOMPARE(m_boxes->shown().at(1).kind, MsgKind::Information);

    const QString copy = backupPath(QStringLiteral("Famiglia"));
    const auto inCopy = [&](const QString &sql) { return ProgramFolder::select(copy, sql).value(0).value(0); };
    QCOMPARE(inCopy(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(inCopy(QStringLiteral("SELECT COUNT(*) FROM Utenti WHERE Nome = 'Rossi'")).toInt(), 1);
    QCOMPARE(inCopy(QStringLiteral("SELECT COUNT(*) FROM Utenti WHERE Nome = 'Pendente'")).toInt(), 0);
    QCOMPARE(inCopy(QStringLiteral("SELECT COUNT(*) FROM Utenti WHERE Nome = 'Admin'")).toInt(), 1);
    // Nothing left beside the copy.
    QCOMPARE(QDir(m_folder->path() + QStringLiteral("/Backup")).entryList(QDir::Files),
             QStringList{QStringLiteral("Famiglia.mdb")});
}

// A copy is written under a partial name and renamed when whole. What killed copies of this family left
// behind goes with the next backup, made or failed; another family's leftovers wait for that family's.
void tst_frmBackup::backupLeavesNoPartialCopies_data()
{
    QTest::addColumn<bool>("originIsADatabase");
    QTest::newRow("copy made") << true;
    QTest::newRow("copy failed") << false;
}

void tst_frmBackup::backupLeavesNoPartialCopies()
{
    QFETCH(bool, originIsADatabase);
    const QDir backups(m_folder->path() + QStringLiteral("/Backup"));
    for (const char *left : {"Famiglia.mdb.copia-in-corso-Ab12Cd", "Famiglia.mdb.copia-in-corso-Ab12Cd-journal",
                             "Bianchi.mdb.copia-in-corso-Zz99Yy"}) {
        QFile file(backups.filePath(QString::fromLatin1(left)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (!originIsADatabase) {
        QFile family(m_folder->familyPath());
        QVERIFY(family.open(QIODevice::WriteOnly | QIODevice::Truncate));
        family.write(QByteArray(4096, 'x'));
    }
    openForm();
    QTest::mouseClick(child<QPushButton>("Command7"), Qt::LeftButton);
    QCOMPARE(m_boxes->last().text == QStringLiteral("Operazione completata"), originIsADatabase);
    QStringList expected{QStringLiteral("Bianchi.mdb.copia-in-corso-Zz99Yy")};
    if (originIsADatabase)
        expected << QStringLiteral("Famiglia.mdb");
    QCOMPARE(backups.entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

void tst_frmBackup::backupRefused_data()
{
    QTest::addColumn<QString>("update");
    QTest::addColumn<QString>("warning");   // empty: any error description
    QTest::newRow("empty destination") << "PercorsoD = ''"
        << "Attenzione registrare il percorso di origine e destinazione prima di procedere";
    QTest::newRow("empty origin") << "PercorsoO = ''"
        << "Attenzione registrare il percorso di origine e destinazione prima di procedere";
    QTest::newRow("destination is the origin") << "PercorsoD = PercorsoO"
        << "Il percorso di destinazione coincide con quello di origine: copia non eseguita.";
    QTest::newRow("missing origin") << "PercorsoO = PercorsoO || '.manca'" << "";
    QTest::newRow("Null destination") << "PercorsoD = NULL" << "";
    QTest::newRow("destination folder missing") << "PercorsoD = replace(PercorsoD, '/Backup/', '/Manca/')" << "";
}

void tst_frmBackup::backupRefused()
{
    QFETCH(QString, update);
    QFETCH(QString, warning);
    ProgramFolder::execute(m_folder->logoPath(), QStringLiteral("UPDATE Aziende SET ") + update
                                                     + QStringLiteral(" WHERE NomeAzienda = 'Famiglia'"));
    const QByteArray before = [this] { QFile f(m_folder->familyPath()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    openForm();
    QTest::mouseClick(child<QPushButton>("Command7"), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 2);
    QCOMPARE(m_boxes->shown().at(0).text, QStringLiteral("Accertarsi che il db sia chiuso."));
    QCOMPARE(m_boxes->last().kind, MsgKind::Warning);
    QCOMPARE(m_boxes->last().title, QStringLiteral("Gestione aziende"));
    if (warning.isEmpty())
        QVERIFY(!m_boxes->last().text.isEmpty());
    else
        QCOMPARE(m_boxes->last().text, warning);
    QCOMPARE(QDir(m_folder->path() + QStringLiteral("/Backup")).entryList(QDir::Files), QStringList());
    QFile origin(m_folder->familyPath());
    QVERIFY(origin.open(QIODevice::ReadOnly));
    QCOMPARE(origin.readAll(), before);
}

void tst_frmBackup::deleteFamilyKeepsFiles()
{
    openForm();
    auto *cbo = pickSecondFamily();
    m_boxes->answer(MsgAnswer::Yes);
    QTest::mouseClick(child<QToolButton>("Command11"), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last(), (MsgRecord{"Sicuri di eliminare l' azienda selezionata?", MsgKind::WarningQuestion,
                                         "Elimina azienda"}));
    QCOMPARE(aziende().size(), 1);
    QVERIFY(QFile::exists(m_folder->familyPath(QStringLiteral("Bianchi"))));
    QCOMPARE(cbo->count(), 1);
    QCOMPARE(child<QLineEdit>("txtAzienda")->text(), QStringLiteral("Famiglia"));

    // The last family: the form keeps showing it.
    m_boxes->answer(MsgAnswer::Yes);
    QTest::mouseClick(child<QToolButton>("Command11"), Qt::LeftButton);
    QCOMPARE(aziende().size(), 0);
    QCOMPARE(cbo->count(), 0);
    QCOMPARE(child<QLineEdit>("txtAzienda")->text(), QStringLiteral("Famiglia"));
    QCOMPARE(child<QLabel>("lblOriginale")->text(), m_folder->familyPath());
    QVERIFY(QFile::exists(m_folder->familyPath()));
}

void tst_frmBackup::deleteDeclined()
{
    openForm();
    m_boxes->answer(MsgAnswer::No);
    QTest::mouseClick(child<QToolButton>("Command11"), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(aziende().size(), 2);
}

void tst_frmBackup::missingFamiliesDatabase()
{
    QVERIFY(QFile::remove(m_folder->logoPath()));
    openForm();
    QCOMPARE(m_boxes->count(), 2);   // the connection, then the list
    for (const MsgRecord &box : m_boxes->shown()) {
        QCOMPARE(box.kind, MsgKind::PlainOkCancel);
        QCOMPARE(box.title, QStringLiteral("Errore Di ConnAziende: Connect failed"));
    }
    QCOMPARE(child<QComboBox>("cboAzienda")->count(), 0);
    // The form goes on: the other commands report their own failures.
    m_boxes->clear();
    QTest::mouseClick(child<QPushButton>("Command7"), Qt::LeftButton);
    QCOMPARE(m_boxes->last().title, QStringLiteral("Gestione aziende"));
    QCOMPARE(m_boxes->last().kind, MsgKind::Warning);
    QVERIFY(!QFile::exists(m_folder->logoPath()));
}

void tst_frmBackup::nullNameStopsList()
{
    ProgramFolder::execute(m_folder->logoPath(), QStringLiteral("INSERT INTO Aziende (NomeAzienda) VALUES (NULL);"
                                                                "INSERT INTO Aziende (NomeAzienda) VALUES ('Neri')"));
    openForm();
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().kind, MsgKind::PlainOkCancel);
    QCOMPARE(m_boxes->last().title, QStringLiteral("Errore Di ConnAziende: Connect failed"));
    auto *cbo = child<QComboBox>("cboAzienda");
    QCOMPARE(cbo->count(), 2);
    QCOMPARE(cbo->currentIndex(), -1);
    QCOMPARE(m_form->idAzienda(), 0);
    QCOMPARE(child<QLineEdit>("txtAzienda")->text(), QString());
}

void tst_frmBackup::familyIdAbove16Bits()
{
    ProgramFolder::execute(m_folder->logoPath(),
                           QStringLiteral("INSERT INTO Aziende (IdAzienda, NomeAzienda, PercorsoO) VALUES (70000, 'Grande', '/g.mdb')"));
    openForm();
    auto *cbo = child<QComboBox>("cboAzienda");
    cbo->setFocus();
    QTest::keyClick(cbo, Qt::Key_End);
    QCOMPARE(cbo->currentIndex(), 2);
    QCOMPARE(m_form->idAzienda(), 70000);
    QCOMPARE(child<QLabel>("lblOriginale")->text(), QStringLiteral("/g.mdb"));
    auto *txt = child<QLineEdit>("txtAzienda");
    txt->clear();
    QTest::keyClicks(txt, QStringLiteral("Grandissima"));
    QTest::mouseClick(child<QToolButton>("Command4"), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 0);
    QCOMPARE(aziende(QStringLiteral("WHERE IdAzienda = 70000")).value(0).value(1).toString(), QStringLiteral("Grandissima"));
    QCOMPARE(aziende(QStringLiteral("WHERE IdAzienda = 4464")).size(), 0);
    QCOMPARE(aziende().value(0).value(1).toString(), QStringLiteral("Famiglia"));
}

void tst_frmBackup::failuresAreWarnings_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("boxes");   // the last one is the warning
    QTest::newRow("save the name") << "Command4" << 1;
    QTest::newRow("save the database frame") << "Command2" << 1;
    QTest::newRow("delete") << "Command11" << 2;
    QTest::newRow("backup") << "Command7" << 2;
}

void tst_frmBackup::failuresAreWarnings()
{
    QFETCH(QString, button);
    QFETCH(int, boxes);
    // A families database that cannot be opened: every command reports it and the form goes on.
    QVERIFY(QFile::remove(m_folder->logoPath()));
    openForm();
    m_boxes->clear();
    m_boxes->answer(MsgAnswer::Yes);
    QTest::mouseClick(m_form->findChild<QAbstractButton *>(button), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), boxes);
    QCOMPARE(m_boxes->last().kind, MsgKind::Warning);
    QCOMPARE(m_boxes->last().title, QStringLiteral("Gestione aziende"));
    QVERIFY(!m_boxes->last().text.isEmpty());
    QVERIFY(m_form->isVisible());
    QVERIFY(!QFile::exists(m_folder->logoPath()));
}

void tst_frmBackup::helpOnF1()
{
    QFile help(m_folder->path() + QStringLiteral("/Help.html"));
    QVERIFY(help.open(QIODevice::WriteOnly));
    help.write("<html><head><title>Guida</title></head><body><a name=\"10001\">Backup</a></body></html>");
    help.close();
    openForm();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::keyClick(child<QLineEdit>("txtAzienda"), Qt::Key_F1);
    QTextBrowser *viewer = HelpViewer::window();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->source().fragment(), QStringLiteral("10001"));
    QCOMPARE(viewer->source().toLocalFile(), QFileInfo(help).absoluteFilePath());
    viewer->close();
}

QTEST_MAIN(tst_frmBackup)
#include "tst_frmbackup.moc"

void tst_frmBackup::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("pressed");   // "": no button (the form has no default button)
    QTest::newRow("save the name") << "Command4" << "Command4";
    QTest::newRow("Chiudi") << "Command1" << "Command1";
    QTest::newRow("name box") << "txtAzienda" << "";
}

void tst_frmBackup::enterPressesTheFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(QString, pressed);
    openForm();
    QStringList clicked;
    for (QAbstractButton *b : m_form->findChildren<QAbstractButton *>())
        connect(b, &QAbstractButton::clicked, this, [&clicked, b] { clicked << b->objectName(); });
    QWidget *target = child<QWidget>(focus.toLatin1().constData());
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(clicked, pressed.isEmpty() ? QStringList() : QStringList{pressed});
    QCOMPARE(m_form->isVisible(), pressed != QLatin1String("Command1"));
}
