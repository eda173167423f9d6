#include "AppError.h"
#include "ErrorOf.h"
#include "RawDb.h"
#include "db/Connection.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

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
