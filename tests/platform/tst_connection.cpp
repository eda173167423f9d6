#include "AppError.h"
#include "ErrorOf.h"
#include "RawDb.h"
#include "Seams.h"
#include "db/Connection.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>
#include <sqlite3.h>
#include <sys/fsuid.h>

namespace {

// Keeps a file from being opened for writing by this process, root included: read-only modes, and the
// file-system identity of nobody while it lives (root would open the file for writing all the same).
class Unwritable
{
public:
    Unwritable(const QString &file, const QString &folder) : m_file(file)
    {
        QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ExeGroup | QFile::ExeOther);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        m_previous = setfsuid(65534);
    }
    ~Unwritable()
    {
        setfsuid(m_previous);
        QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }

private:
    QString m_file;
    int m_previous;
};

QString quotedText(const QString &text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

// What is wrong with the file as cn sees it: an index that is not whole in the order cn compares in,
// a look-up by another case that misses a row the index should find, two bookings of one slot, or an
// order other than the one the file is marked with.
QStringList faults(Connection &cn)
{
    QStringList found;
    const QString check = cn.query(QStringLiteral("PRAGMA integrity_check")).value(0).value(0).toString();
    if (check != QLatin1String("ok"))
        found << check;
    const bool marked = cn.query(QStringLiteral("PRAGMA user_version")).value(0).value(0).toInt() > 0;
    const bool folding = cn.query(QStringLiteral("SELECT 'é' = 'É' COLLATE NOCASE")).value(0).value(0).toInt();
    if (folding != marked)
        found << QStringLiteral("order %1 on a file marked %2").arg(folding).arg(marked);
    for (const auto &[table, column] : {std::pair{"Contatti", "cognome"}, std::pair{"Appunta", "IdTurno"}}) {
        for (const auto &row : cn.query(QStringLiteral("SELECT DISTINCT %1 FROM %2").arg(column, table))) {
            for (const QString &text : {row.value(0).toString().toUpper(), row.value(0).toString().toLower()}) {
                const QString where = QStringLiteral(" WHERE %1 = %2").arg(column, quotedText(text));
                const auto byIndex = cn.query(QStringLiteral("SELECT count(*) FROM %1").arg(table) + where);
                const auto byScan = cn.query(QStringLiteral("SELECT count(*) FROM %1 NOT INDEXED").arg(table) + where);
                if (byIndex != byScan)
                    found << QStringLiteral("%1: %2 by the index, %3 by reading").arg(text).arg(
                        byIndex.value(0).value(0).toInt()).arg(byScan.value(0).value(0).toInt());
            }
        }
    }
    const int twice = cn.query(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM Appunta NOT INDEXED "
                                              "GROUP BY Data, IdTurno, IdPostazione HAVING count(*) > 1)"))
                          .value(0).value(0).toInt();
    if (twice)
        found << QStringLiteral("%1 slots booked twice").arg(twice);
    return found;
}

// Adds accented contacts, and books the slot of "Élite" again under the given names: a booking is
// refused exactly when the slot holds a shift equal to it in the order cn compares in.
void writeThrough(Connection &cn, int round, const QStringList &shifts)
{
    for (const char *name : {"ÈLISE", "èlia", "Ùgo", "ÀNNA"})
        cn.execute(QStringLiteral("INSERT INTO Contatti (cognome) VALUES ('%1 %2')").arg(QString::fromUtf8(name)).arg(round));
    for (const QString &shift : shifts) {
        const QString slot = QStringLiteral("Data = '2024-03-06' AND IdPostazione = 1 AND IdTurno = ") + quotedText(shift);
        const bool taken = cn.query(QStringLiteral("SELECT count(*) FROM Appunta NOT INDEXED WHERE ") + slot)
                               .value(0).value(0).toInt() > 0;
        const long error = errorOf([&] {
            cn.execute(QStringLiteral("INSERT INTO Appunta (Data, IdTurno, IdPostazione) VALUES ('2024-03-06', %1, 1)")
                           .arg(quotedText(shift)));
        });
        QCOMPARE(error, taken ? AppError::Unspecified : 0L);
    }
}

}

class TestConnection : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("Famiglia.mdb"));
        RawDb::create(m_file, {
            QStringLiteral("CREATE TABLE Conti (IdConto INTEGER PRIMARY KEY, Descrizione TEXT(50) COLLATE NOCASE, "
                           "DataApertura DATE, Attivo YESNO, Saldo DOUBLE, info MEMO)"),
            QStringLiteral("CREATE TABLE Movimenti (IdMov INTEGER PRIMARY KEY, Descrizione TEXT(255), "
                           "IdConto LONG REFERENCES Conti(IdConto))"),
            QStringLiteral("INSERT INTO Conti VALUES (1, 'Banca', '2024-03-05', -1, 12.5, NULL)"),
            QStringLiteral("INSERT INTO Conti VALUES (2, 'Posta', NULL, 0, 0, 'note')"),
        });
        QFile text(m_dir.filePath(QStringLiteral("testo.mdb")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Questo non è un database, ma un semplice file di testo abbastanza lungo da sembrarlo.\n");
        text.close();
        QFile empty(m_dir.filePath(QStringLiteral("vuoto.mdb")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
    }

    void dataSource_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("file");
        QTest::newRow("families") << "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=tubo;"
                                     "Persist Security Info=False;Data Source=/p/dati/logo.mdb" << "/p/dati/logo.mdb";
        QTest::newRow("family with password after")
            << "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=/p/Dati/A B.mdb;"
               "Jet OLEDB:Database Password=tubo" << "/p/Dati/A B.mdb";
        QTest::newRow("blanks and case") << "data source =  /x/y.mdb  ;" << "/x/y.mdb";
        QTest::newRow("none") << "Provider=Microsoft.Jet.OLEDB.4.0;" << "";
    }
    void dataSource()
    {
        QFETCH(QString, text);
        QFETCH(QString, file);
        QCOMPARE(Connection::dataSource(text), file);
    }

    void opensAnExistingDatabase()
    {
        Connection cn;
        QCOMPARE(cn.state(), 0);
        cn.setCursorLocation(3);
        cn.open(QStringLiteral("  ") + RawDb::connectionText(m_file), {}, {}, -1);
        QCOMPARE(cn.state(), 1);
        QCOMPARE(cn.fileName(), m_file);
        QCOMPARE(cn.cursorLocation(), 3);
        cn.close();
        QCOMPARE(cn.state(), 0);
    }

    void refusesWhatIsNotADatabase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("missing file") << RawDb::connectionText(m_dir.filePath(QStringLiteral("manca.mdb")));
        QTest::newRow("text file") << RawDb::connectionText(m_dir.filePath(QStringLiteral("testo.mdb")));
        QTest::newRow("empty file") << RawDb::connectionText(m_dir.filePath(QStringLiteral("vuoto.mdb")));
        QTest::newRow("folder") << RawDb::connectionText(m_dir.path());
        QTest::newRow("no data source") << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;");
    }
    void refusesWhatIsNotADatabase()
    {
        QFETCH(QString, text);
        Connection cn;
        try {
            cn.open(text);
            QFAIL("opened");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), AppError::Unspecified);
            QVERIFY(e.description().startsWith(QStringLiteral("Impossibile aprire il database")));
        }
        QCOMPARE(cn.state(), 0);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("manca.mdb"))));   // never creates a file
    }

    void executeAndQuery()
    {
        Connection cn;
        cn.open(RawDb::connectionText(m_file));
        const auto rows = cn.query(QStringLiteral("SELECT IdConto, Descrizione, DataApertura, Attivo, Saldo, info "
                                                  "FROM Conti ORDER BY IdConto"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][0], QVariant(1));
        QCOMPARE(rows[0][1], QVariant(QStringLiteral("Banca")));
        QCOMPARE(rows[0][2], QVariant(QDate(2024, 3, 5)));
        QCOMPARE(rows[0][3], QVariant(true));
        QCOMPARE(rows[0][4], QVariant(12.5));
        QVERIFY(!rows[0][5].isValid());
        QVERIFY(!rows[1][2].isValid());
        QCOMPARE(rows[1][3], QVariant(false));
        QCOMPARE(rows[1][4].typeId(), QMetaType::Double);

        QCOMPARE(cn.execute(QStringLiteral("UPDATE Conti SET info = 'x' WHERE IdConto > 0")), 2);
        QCOMPARE(RawDb::scalar(m_file, QStringLiteral("SELECT count(*) FROM Conti WHERE info = 'x'")), QVariant(2LL));
        QCOMPARE(cn.execute(QStringLiteral("SELECT * FROM Conti")), 0);
    }

    void caseBlindText_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");   // of a against b
        QTest::newRow("accented capital") << "Nicolò" << "NICOLÒ" << 0;
        QTest::newRow("accented, every letter") << "perché ÀÉÌÒÙ" << "PERCHÉ àéìòù" << 0;
        QTest::newRow("accents stay apart") << "Perché" << "PERCHE" << 1;
        QTest::newRow("after the capital accent") << "àlba" << "ÀNNA" << -1;
        QTest::newRow("ASCII") << "rossi" << "ROSSO" << -1;
        QTest::newRow("shorter first") << "Anna" << "anna " << -1;
        QTest::newRow("Greek and Cyrillic") << "ΣΟΦΙΑ Дом" << "σοφια дом" << 0;
    }
    void caseBlindText()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        Connection cn;
        cn.open(RawDb::connectionText(m_file));
        const auto rows = cn.query(QStringLiteral("SELECT CASE WHEN '%1' = '%2' COLLATE NOCASE THEN 0 "
                                                  "WHEN '%1' < '%2' COLLATE NOCASE THEN -1 ELSE 1 END").arg(a, b));
        QCOMPARE(rows.value(0).value(0).toInt(), order);
    }

    // Accented names written, looked up, sorted and indexed: the file stays whole, made now or made before
    // the collation folded accented capitals (its indexes are rebuilt when it is first opened).
    void accentedRowsKeepTheFileWhole_data()
    {
        QTest::addColumn<bool>("olderFile");
        QTest::newRow("new file") << false;
        QTest::newRow("older file") << true;
    }
    void accentedRowsKeepTheFileWhole()
    {
        QFETCH(bool, olderFile);
        const QString file = m_dir.filePath(QStringLiteral("accenti.mdb"));
        QFile::remove(file);
        const char *schema = "CREATE TABLE Utenti (IdUtente INTEGER PRIMARY KEY, Nome TEXT(50) COLLATE NOCASE);"
                             "CREATE INDEX Utenti_Nome ON Utenti (Nome);"
                             "INSERT INTO Utenti (Nome) VALUES ('Nicolò'), ('Ànna'), ('àlba'), ('Zoe');";
        if (olderFile) {   // made by SQLite alone, with its ASCII-only NOCASE
            sqlite3 *db = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
            QCOMPARE(sqlite3_exec(db, schema, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        } else {
            RawDb::create(file, {QString::fromUtf8(schema)});
        }
        Connection cn;
        cn.open(RawDb::connectionText(file));
        cn.execute(QStringLiteral("INSERT INTO Utenti (Nome) VALUES ('ÈLISE')"));
        cn.execute(QStringLiteral("INSERT INTO Utenti (Nome) VALUES ('élia')"));
        QCOMPARE(cn.query(QStringLiteral("SELECT IdUtente FROM Utenti WHERE Nome = 'NICOLÒ'")).value(0).value(0), QVariant(1));
        QCOMPARE(cn.query(QStringLiteral("SELECT IdUtente FROM Utenti WHERE Nome = 'èlise'")).value(0).value(0), QVariant(5));
        QStringList sorted;
        for (const auto &row : cn.query(QStringLiteral("SELECT Nome FROM Utenti ORDER BY Nome")))
            sorted << row.value(0).toString();
        QCOMPARE(sorted, QStringList({"Nicolò", "Zoe", "àlba", "Ànna", "ÈLISE", "élia"}));
        QCOMPARE(cn.query(QStringLiteral("PRAGMA integrity_check")).value(0).value(0), QVariant(QStringLiteral("ok")));
        cn.close();
        QCOMPARE(RawDb::scalar(file, QStringLiteral("PRAGMA integrity_check")), QVariant(QStringLiteral("ok")));
    }

    // An older file (text indexes built by SQLite's own NOCASE, letters A to Z) opened while another copy
    // holds its write lock, read-only, or holding rows that only the case-folding order makes equal; written
    // through; then opened by a second copy while the first stays open and goes on writing, statement by
    // statement or in one transaction. Every connection compares in the order the file's indexes were built
    // in, and rows that stop the file's re-index are told once, naming their table.
    void olderFileStaysWhole_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("clashing");
        QTest::addColumn<QStringList>("booked");   // while the file may still be in the older order
        QTest::addColumn<int>("appointments");      // at the end
        QTest::addColumn<bool>("transaction");      // the first copy writes on in one transaction
        const QStringList sameInBoth = {QStringLiteral("ÉLITE"), QStringLiteral("Élite")};
        const QStringList everyCase = sameInBoth + QStringList{QStringLiteral("éLITE"), QStringLiteral("élite")};
        QTest::newRow("write lock held") << true << false << false << sameInBoth << 1 << false;
        QTest::newRow("write lock held, then a transaction") << true << false << false << sameInBoth << 1 << true;
        QTest::newRow("write lock held, accented case booked") << true << false << false << everyCase << 2 << false;
        QTest::newRow("read-only") << false << true << false << QStringList() << 1 << false;
        QTest::newRow("rows equal when folded") << false << false << true << everyCase << 4 << false;
        QTest::newRow("free") << false << false << false << everyCase << 1 << false;
    }
    void olderFileStaysWhole()
    {
        QFETCH(bool, locked);
        QFETCH(bool, readOnly);
        QFETCH(bool, clashing);
        QFETCH(QStringList, booked);
        QFETCH(int, appointments);
        QFETCH(bool, transaction);
        const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'))
                                            + QStringLiteral(".mdb"));
        QStringList schema = {
            QStringLiteral("CREATE TABLE Contatti (IdContatto INTEGER PRIMARY KEY, cognome TEXT(100) COLLATE NOCASE)"),
            QStringLiteral("CREATE INDEX Contatti_cognome ON Contatti (cognome)"),
            QStringLiteral("CREATE TABLE Appunta (IdAppunta INTEGER PRIMARY KEY, Data DATE, IdTurno TEXT(50) COLLATE NOCASE, "
                           "IdPostazione LONG)"),
            QStringLiteral("CREATE UNIQUE INDEX Appunta_Posto ON Appunta (Data, IdTurno, IdPostazione)"),
            QStringLiteral("INSERT INTO Contatti (cognome) VALUES ('Àlba'), ('Élite'), ('zoe'), ('àrno'), ('Nicolò'), ('ÒRSA')"),
            QStringLiteral("INSERT INTO Appunta (Data, IdTurno, IdPostazione) VALUES ('2024-03-06', 'Élite', 1)")};
        if (clashing)
            schema << QStringLiteral("INSERT INTO Appunta (Data, IdTurno, IdPostazione) "
                                     "VALUES ('2024-03-06', 'Sèra', 1), ('2024-03-06', 'SÈRA', 1)");
        RawDb::createOlder(file, schema);
        MsgRecorder boxes;

        sqlite3 *holder = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &holder), SQLITE_OK);
        if (locked)
            QCOMPARE(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        std::optional<Unwritable> unwritable;
        if (readOnly)
            unwritable.emplace(file, m_dir.path());
        Connection first;
        first.open(RawDb::connectionText(file));
        unwritable.reset();
        sqlite3_close_v2(holder);   // the other copy's write ends

        if (!readOnly)
            writeThrough(first, 1, booked);
        // Booked in the older order, "éLITE" beside "Élite" is a second shift, as "Sèra" beside "SÈRA" was.
        clashing = clashing || (locked && booked.size() > 2);
        QVERIFY2(faults(first).isEmpty(), qPrintable(faults(first).join(QStringLiteral("; "))));

        Connection second;   // a later open that gets the lock
        second.open(RawDb::connectionText(file));
        QCOMPARE(second.query(QStringLiteral("PRAGMA user_version")).value(0).value(0).toInt(), clashing ? 0 : 1);
        const QStringList everyCase = {QStringLiteral("ÉLITE"), QStringLiteral("éLITE"), QStringLiteral("élite")};
        if (transaction)
            first.inTransaction([&] { writeThrough(first, 2, everyCase); });
        else if (!readOnly)
            writeThrough(first, 2, everyCase);
        writeThrough(second, 3, everyCase);
        QVERIFY2(faults(first).isEmpty(), qPrintable(faults(first).join(QStringLiteral("; "))));
        QVERIFY2(faults(second).isEmpty(), qPrintable(faults(second).join(QStringLiteral("; "))));
        QCOMPARE(second.query(QStringLiteral("SELECT count(*) FROM Contatti WHERE cognome = 'NICOLÒ'")).value(0).value(0),
                 QVariant(clashing ? 0 : 1));

        QCOMPARE(boxes.count(), clashing ? 1 : 0);
        if (clashing) {
            QCOMPARE(boxes.last().kind, MsgKind::Warning);
            QVERIFY2(boxes.last().text.contains(QStringLiteral("tabella Appunta")), qPrintable(boxes.last().text));
        }
        // Nothing merged or deleted: the bookings made in the older order are all there.
        QCOMPARE(second.query(QStringLiteral("SELECT count(*) FROM Appunta")).value(0).value(0).toInt(), appointments);
    }

    // A connection that only reads still brings an older file over as it opens, when it can, and then
    // refuses every write: a statement, or a transaction begun for writing.
    void readOnlyRefusesWrites_data()
    {
        QTest::addColumn<bool>("locked");   // another copy holds the write lock while it opens
        QTest::newRow("brought over") << false;
        QTest::newRow("older order kept") << true;
    }
    void readOnlyRefusesWrites()
    {
        QFETCH(bool, locked);
        const QString file = m_dir.filePath(QStringLiteral("sola_lettura_%1.mdb").arg(locked));
        RawDb::createOlder(file, {QStringLiteral("CREATE TABLE Contatti (IdContatto INTEGER PRIMARY KEY, "
                                                 "cognome TEXT(100) COLLATE NOCASE)"),
                                  QStringLiteral("CREATE INDEX Contatti_cognome ON Contatti (cognome)"),
                                  QStringLiteral("INSERT INTO Contatti (cognome) VALUES ('Èlia')")});
        sqlite3 *holder = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &holder), SQLITE_OK);
        if (locked)
            QCOMPARE(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        Connection cn;
        cn.setReadOnly(true);
        cn.open(RawDb::connectionText(file));
        sqlite3_close_v2(holder);

        QCOMPARE(RawDb::scalar(file, QStringLiteral("PRAGMA user_version")).toInt(), locked ? 0 : 1);
        QCOMPARE(errorOf([&] { cn.execute(QStringLiteral("UPDATE Contatti SET cognome = 'x'")); }), AppError::ReadOnly);
        QCOMPARE(errorOf([&] { cn.inTransaction([] {}); }), AppError::ReadOnly);
        QCOMPARE(cn.query(QStringLiteral("SELECT count(*) FROM Contatti WHERE cognome = 'èlia'")).value(0).value(0),
                 QVariant(locked ? 0 : 1));
        QCOMPARE(RawDb::scalar(file, QStringLiteral("SELECT cognome FROM Contatti")), QVariant(QStringLiteral("Èlia")));
    }

    // A file that cannot be written, the connection not switched, tells SQLite's own cause.
    void unwritableFileKeepsItsCause()
    {
        const QString file = m_dir.filePath(QStringLiteral("spostato.mdb"));
        RawDb::createOlder(file, {QStringLiteral("CREATE TABLE T (x TEXT)")});
        Connection cn;
        cn.open(RawDb::connectionText(file));
        QVERIFY(QFile::rename(file, file + QStringLiteral(".altrove")));
        try {
            cn.execute(QStringLiteral("INSERT INTO T VALUES ('a')"));
            QFAIL("the write went through");
        } catch (const AppError &e) {
            QVERIFY2(e.description().contains(QLatin1String("readonly")), qPrintable(e.description()));
        }
    }

    void errorsKeepApart_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<long>("error");
        QTest::newRow("foreign key") << "INSERT INTO Movimenti (Descrizione, IdConto) VALUES ('x', 99)"
                                     << long(AppError::ForeignKey);
        QTest::newRow("primary key") << "INSERT INTO Conti (IdConto, Descrizione) VALUES (1, 'doppio')"
                                     << long(AppError::Unspecified);
        QTest::newRow("syntax") << "SELEC * FROM Conti" << 1L;
        QTest::newRow("two statements") << "DELETE FROM Movimenti; DELETE FROM Conti" << 0x80040E14L;
        QTest::newRow("empty") << "  " << 0x80040E14L;
    }
    void errorsKeepApart()
    {
        QFETCH(QString, sql);
        QFETCH(long, error);
        Connection cn;
        cn.open(RawDb::connectionText(m_file));
        QCOMPARE(errorOf([&] { cn.execute(sql); }), error);
        QCOMPARE(RawDb::scalar(m_file, QStringLiteral("SELECT count(*) FROM Conti")), QVariant(2LL));
    }

    void closedConnectionRefuses()
    {
        Connection cn;
        QCOMPARE(errorOf([&] { cn.execute(QStringLiteral("DELETE FROM Conti")); }), AppError::ObjectClosed);
        QCOMPARE(errorOf([&] { cn.query(QStringLiteral("SELECT 1")); }), AppError::ObjectClosed);
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
