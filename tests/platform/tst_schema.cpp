// The family databases as the build and the fixture make them: views, keys, indexes, first user.
// Read mostly through plain SQLite with the program's SQL functions (today from Clock), and through the
// database layer where the typing of the views' values matters.

#include "AppError.h"
#include "Clock.h"
#include "ProgramFolder.h"
#include "Shell.h"
#include "ErrorOf.h"
#include "db/Connection.h"
#include "db/JetSql.h"
#include "db/Recordset.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTest>
#include <sqlite3.h>

namespace {

// A plain SQLite connection to a family database with foreign keys on and the program's functions.
class Db
{
public:
    explicit Db(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_extended_result_codes(m_db, 1);
        JetSql::registerFunctions(m_db);
        exec("PRAGMA foreign_keys = ON");
    }
    ~Db() { sqlite3_close(m_db); }

    // The statement's result code (extended), SQLITE_OK when it worked.
    int exec(const QString &sql) { return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }

    QVector<QVector<QVariant>> rows(const QString &sql)
    {
        QVector<QVector<QVariant>> result;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            qWarning("%s", sqlite3_errmsg(m_db));
            return result;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QVector<QVariant> row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_NULL: row.append(QVariant()); break;
                case SQLITE_INTEGER: row.append(qlonglong(sqlite3_column_int64(stmt, c))); break;
                case SQLITE_FLOAT: row.append(sqlite3_column_double(stmt, c)); break;
                default: row.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c))));
                }
            }
            result.append(row);
        }
        sqlite3_finalize(stmt);
        return result;
    }
    QVariant value(const QString &sql)
    {
        const auto r = rows(sql);
        return r.isEmpty() ? QVariant() : r.first().first();
    }
    QStringList columns(const QString &table)
    {
        QStringList names;
        for (const auto &row : rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
            names << row.at(1).toString();
        return names;
    }

private:
    sqlite3 *m_db = nullptr;
};

void setToday(const QDate &day) { Clock::setNow(QDateTime(day, QTime(9, 30))); }

}

class tst_schema : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void cleanup() { Clock::setNow({}); }

    void viewColumns_data();
    void viewColumns();
    void ricorrenze_data();
    void ricorrenze();
    void ricorrenzeColumns();
    void qryMovJoins();
    void throughConnection();
    void qryTipoMov();
    void referencedRowsStay_data();
    void referencedRowsStay();
    void amountsNeverNull();
    void doubleBooking();
    void textsAndPasswords();
    void templateUser();
    void fixtureFamilies();
    void builtProgramFolder();
};

void tst_schema::viewColumns_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("qryMov") << "qryMov"
        << QStringList{"IdMov", "DataReg", "DataMov", "Descrizione", "Entrata", "Uscita", "DescrConto", "NomePag",
                       "Mov", "IdUtente", "IdTipoPag", "IdConto", "IdTipoMov"};
    QTest::newRow("qryTipoMov") << "qryTipoMov"
        << QStringList{"IdTipoMov", "Descrizione", "Entrate", "Uscite", "Commento"};
    QTest::newRow("QryRicorrenze") << "QryRicorrenze"
        << QStringList{"IdContatto", "Nome", "cognome", "email", "Compleanno", "Annivers", "Onomast", "IdUtente",
                       "Condividi"};
    QTest::newRow("Promemoria") << "Promemoria"
        << QStringList{"IdPromemoria", "Testo", "data", "Eseguito", "DataUpdate"};
}

void tst_schema::viewColumns()
{
    QFETCH(QString, view);
    QFETCH(QStringList, columns);
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.columns(view), columns);
}

void tst_schema::ricorrenze_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("coming");
    const QDate day(2023, 6, 15);
    QTest::newRow("today") << day << QVariant("1980-06-15") << QVariant("2023-06-15");
    QTest::newRow("in ten days") << day << QVariant("1975-06-25") << QVariant("2023-06-25");
    QTest::newRow("in eleven days") << day << QVariant("1975-06-26") << QVariant("2023-06-26");
    QTest::newRow("yesterday: next year") << day << QVariant("1990-06-14") << QVariant("2024-06-14");
    QTest::newRow("turn of the year") << QDate(2023, 12, 28) << QVariant("2001-01-03") << QVariant("2024-01-03");
    QTest::newRow("new year's eve") << QDate(2023, 12, 28) << QVariant("2001-12-31") << QVariant("2023-12-31");
    QTest::newRow("29 Feb, leap year ahead") << QDate(2023, 12, 28) << QVariant("1996-02-29") << QVariant("2024-02-29");
    QTest::newRow("29 Feb, in a leap year") << QDate(2024, 2, 1) << QVariant("1996-02-29") << QVariant("2024-02-29");
    QTest::newRow("29 Feb, non-leap year") << QDate(2022, 12, 1) << QVariant("1996-02-29") << QVariant("2023-02-28");
    QTest::newRow("29 Feb, due today on 28") << QDate(2023, 2, 28) << QVariant("1996-02-29") << QVariant("2023-02-28");
    QTest::newRow("29 Feb, passed: leap next") << QDate(2023, 3, 1) << QVariant("1996-02-29") << QVariant("2024-02-29");
    QTest::newRow("28 Feb in a leap year") << QDate(2024, 2, 28) << QVariant("1997-02-28") << QVariant("2024-02-28");
    QTest::newRow("born this year, later") << day << QVariant("2023-09-01") << QVariant("2023-09-01");
    QTest::newRow("Null") << day << QVariant() << QVariant();
    QTest::newRow("empty text") << day << QVariant("") << QVariant();
}

// Each of the three dates gives its own coming occurrence.
void tst_schema::ricorrenze()
{
    QFETCH(QDate, today);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, coming);
    ProgramFolder folder;
    Db db(folder.familyPath());
    const QString value = stored.isValid() ? "'" + stored.toString() + "'" : QStringLiteral("NULL");
    QCOMPARE(db.exec(QStringLiteral("INSERT INTO Contatti (Nome, Nascita, Anniversario, Onomastico) VALUES "
                                    "('A', %1, NULL, NULL), ('B', NULL, %1, NULL), ('C', NULL, NULL, %1)").arg(value)),
             SQLITE_OK);
    setToday(today);
    const auto rows = db.rows(QStringLiteral(
        "SELECT Compleanno, Annivers, Onomast FROM QryRicorrenze ORDER BY Nome"));
    QCOMPARE(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        for (int c = 0; c < 3; ++c)
            QCOMPARE(rows[i][c], c == i ? coming : QVariant());
    }
}

// The anniversaries list's own query: the user's contacts and the shared ones, with their fields.
void tst_schema::ricorrenzeColumns()
{
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.exec("INSERT INTO Utenti (Nome) VALUES ('Bea');"
                     "INSERT INTO Contatti (IdContatto, Nome, cognome, email, Nascita, Anniversario, Onomastico, "
                     "IdUtente, Condividi) VALUES "
                     "(7, 'Anna', 'Neri', 'anna@example.org', '1970-03-02', '1995-09-10', '1970-07-26', 1, 0),"
                     "(8, 'Bruno', 'Sala', NULL, NULL, NULL, NULL, 2, -1),"
                     "(9, 'Carla', 'Riva', NULL, '1980-01-01', NULL, NULL, 2, 0)"),
             SQLITE_OK);
    setToday(QDate(2024, 5, 1));
    const auto rows = db.rows("select IdContatto,Nome,cognome,email,Compleanno,Annivers,Onomast FROM QryRicorrenze "
                              "WHERE IdUtente = 1 OR Condividi = -1 ORDER BY IdContatto");
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0], (QVector<QVariant>{7, "Anna", "Neri", "anna@example.org", "2025-03-02", "2024-09-10",
                                         "2024-07-26"}));
    QCOMPARE(rows[1], (QVector<QVariant>{8, "Bruno", "Sala", QVariant(), QVariant(), QVariant(), QVariant()}));
}

void tst_schema::qryMovJoins()
{
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.exec("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '123', 'Banca Uno');"
                     "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
                     "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Stipendio', -1),"
                     " (2, 'Spesa', 0);"
                     "INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, IdTipoPag,"
                     " IdTipoMov, IdUtente) VALUES"
                     " (1, '2024-01-02', '2024-01-31', 'Gennaio', 1500.5, 0, 1, 1, 1, 1),"
                     " (2, '2024-02-03', '2024-02-03', 'Pane', 0, 2.4, NULL, 1, 2, 1)"),
             SQLITE_OK);
    const auto rows = db.rows("select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov,"
                              "IdUtente,IdTipoPag,IdConto,IdTipoMov FROM qryMov WHERE IdMov > 0 Order BY DataMov");
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0], (QVector<QVariant>{1, "2024-01-02", "2024-01-31", "Gennaio", 1500.5, 0.0, "Banca Uno",
                                         "Contanti", "Stipendio", 1, 1, 1, 1}));
    QCOMPARE(rows[1], (QVector<QVariant>{2, "2024-02-03", "2024-02-03", "Pane", 0.0, 2.4, QVariant(), "Contanti",
                                         "Spesa", 1, 1, QVariant(), 2}));
    QCOMPARE(db.value("SELECT count(*) FROM qryMov WHERE IdConto = 1"), QVariant(1));
}

// The lists' queries through the database layer: typed values, and the database's refusals as the forms'
// error numbers.
void tst_schema::throughConnection()
{
    ProgramFolder folder;
    ProgramFolder::execute(folder.familyPath(),
        "INSERT INTO Conti (IdConto, Descrizione) VALUES (1, 'Banca Uno');"
        "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
        "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Stipendio', -1);"
        "INSERT INTO Movimenti (DataReg, DataMov, Entrata, IdConto, IdTipoPag, IdTipoMov) VALUES"
        " ('2024-01-02', '2024-01-31', 1500.5, 1, 1, 1), ('2023-12-30', '2023-12-30', 7, NULL, 1, 1);"
        "INSERT INTO Contatti (Nome, Nascita, IdUtente, Condividi) VALUES ('Anna', '1970-01-03', 1, 0);"
        "INSERT INTO Postazioni (IdPosto) VALUES (1);"
        "INSERT INTO Appunta (Data, IdTurno, IdPostazione) VALUES ('2024-03-05', '9:00', 1)");
    Connection cn;
    cn.open(folder.familyConnString());
    setToday(QDate(2023, 12, 28));

    Recordset rs;
    rs.open("select IdContatto,Nome,cognome,email,Compleanno,Annivers,Onomast FROM QryRicorrenze WHERE IdUtente = 1 "
            "OR Condividi = -1", &cn, Recordset::OpenForwardOnly, Recordset::LockReadOnly);
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value("Compleanno"), QVariant(QDate(2024, 1, 3)));
    QVERIFY(rs.value("Annivers").isNull());
    rs.close();

    rs.open("select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov FROM qryMov WHERE IdMov > 0 "
            "AND DatePart('yyyy',DataMov)=2024 Order BY DataMov", &cn, Recordset::OpenForwardOnly,
            Recordset::LockReadOnly);
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value("DataMov"), QVariant(QDate(2024, 1, 31)));
    QCOMPARE(rs.value("Entrata").toDouble(), 1500.5);
    QCOMPARE(rs.value("DescrConto"), QVariant(QStringLiteral("Banca Uno")));
    QCOMPARE(rs.value("Mov"), QVariant(QStringLiteral("Stipendio")));
    rs.close();

    rs.open("select IdTipoMov,Descrizione,Entrate,Uscite,Commento FROM qryTipoMov", &cn);
    QCOMPARE(rs.value("Entrate"), QVariant(QStringLiteral("Vero")));
    QCOMPARE(rs.value("Uscite"), QVariant(QStringLiteral("Falso")));
    rs.close();

    QCOMPARE(errorOf([&] { cn.execute("Delete * from Conti Where IdConto = 1"); }), AppError::ForeignKey);
    QCOMPARE(errorOf([&] { cn.execute("INSERT INTO Appunta (Data, IdTurno, IdPostazione) VALUES (# 03/05/2024 #, "
                                      "'9:00', 1)"); }),
             AppError::Unspecified);
}

void tst_schema::qryTipoMov()
{
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.exec("INSERT INTO TipoMov (Descrizione, EntrateUscite, Commento) VALUES ('Stipendio', -1, 'mensile'),"
                     " ('Regalo', 1, NULL), ('Spesa', 0, NULL)"),
             SQLITE_OK);
    const auto rows = db.rows("select IdTipoMov,Descrizione,Entrate,Uscite,Commento FROM qryTipoMov ORDER BY IdTipoMov");
    QCOMPARE(rows, (QVector<QVector<QVariant>>{{1, "Stipendio", "Vero", "Falso", "mensile"},
                                               {2, "Regalo", "Vero", "Falso", QVariant()},
                                               {3, "Spesa", "Falso", "Vero", QVariant()}}));
}

void tst_schema::referencedRowsStay_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("key");
    QTest::newRow("account") << "Conti" << "IdConto";
    QTest::newRow("payment type") << "TipoPag" << "IdTipoPag";
    QTest::newRow("movement type") << "TipoMov" << "IdTipoMov";
    QTest::newRow("user") << "Utenti" << "IdUtente";
    QTest::newRow("workstation") << "Postazioni" << "IdPosto";
}

// A row still referred to cannot be deleted; once nothing refers to it, it can.
void tst_schema::referencedRowsStay()
{
    QFETCH(QString, table);
    QFETCH(QString, key);
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.exec("INSERT INTO Conti (IdConto) VALUES (5); INSERT INTO TipoPag (IdTipoPag) VALUES (5);"
                     "INSERT INTO TipoMov (IdTipoMov) VALUES (5); INSERT INTO Utenti (IdUtente, Nome) VALUES (5, 'U');"
                     "INSERT INTO Postazioni (IdPosto) VALUES (5);"
                     "INSERT INTO Movimenti (IdMov, IdConto, IdTipoPag, IdTipoMov, IdUtente) VALUES (1, 5, 5, 5, 5);"
                     "INSERT INTO Appunta (IdAppunta, Data, IdTurno, IdPostazione) VALUES (1, '2024-01-02', '9:00', 5)"),
             SQLITE_OK);
    const QString remove = QStringLiteral("DELETE FROM %1 WHERE %2 = 5").arg(table, key);
    QCOMPARE(db.exec(remove), SQLITE_CONSTRAINT_FOREIGNKEY);
    QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = 5").arg(table, key)), QVariant(1));

    QCOMPARE(db.exec("DELETE FROM Movimenti; DELETE FROM Appunta"), SQLITE_OK);
    QCOMPARE(db.exec(remove), SQLITE_OK);
    QCOMPARE(db.exec("INSERT INTO Movimenti (IdConto, IdTipoPag) VALUES (NULL, 99)"), SQLITE_CONSTRAINT_FOREIGNKEY);
}

void tst_schema::amountsNeverNull()
{
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.exec("INSERT INTO Movimenti (IdMov, Descrizione) VALUES (1, 'senza importi')"), SQLITE_OK);
    QCOMPARE(db.rows("SELECT Entrata, Uscita FROM Movimenti"), (QVector<QVector<QVariant>>{{0.0, 0.0}}));
    QCOMPARE(db.exec("INSERT INTO Movimenti (Entrata) VALUES (NULL)"), SQLITE_CONSTRAINT_NOTNULL);
    QCOMPARE(db.exec("UPDATE Movimenti SET Uscita = NULL"), SQLITE_CONSTRAINT_NOTNULL);
}

// Same day, shift and workstation is a double booking; a shift's text matches without regard to case.
void tst_schema::doubleBooking()
{
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.exec("INSERT INTO Postazioni (IdPosto, Nominativo) VALUES (1, 'Uno'), (2, 'Due');"
                     "INSERT INTO Appunta (Data, IdTurno, IdPostazione, Cliente) VALUES ('2024-03-05', 'Mattina', 1, 'A')"),
             SQLITE_OK);
    const QString insert = QStringLiteral("INSERT INTO Appunta (Data, IdTurno, IdPostazione) VALUES ('%1', '%2', %3)");
    QCOMPARE(db.exec(insert.arg("2024-03-05", "Mattina").arg(1)), SQLITE_CONSTRAINT_UNIQUE);
    QCOMPARE(db.exec(insert.arg("2024-03-05", "MATTINA").arg(1)), SQLITE_CONSTRAINT_UNIQUE);
    QCOMPARE(db.exec(insert.arg("2024-03-05", "Mattina").arg(2)), SQLITE_OK);
    QCOMPARE(db.exec(insert.arg("2024-03-05", "Sera").arg(1)), SQLITE_OK);
    QCOMPARE(db.exec(insert.arg("2024-03-06", "Mattina").arg(1)), SQLITE_OK);
    QCOMPARE(db.exec("UPDATE Appunta SET IdTurno = 'Mattina' WHERE IdTurno = 'Sera'"), SQLITE_CONSTRAINT_UNIQUE);
    QCOMPARE(db.value("SELECT count(*) FROM Appunta"), QVariant(4));
}

// Names match without regard to case, passwords exactly; notes keep what was typed.
void tst_schema::textsAndPasswords()
{
    ProgramFolder folder;
    Db db(folder.familyPath());
    QCOMPARE(db.exec("UPDATE Utenti SET Pwd = 'Segreto'; INSERT INTO Contatti (altro, Cap) VALUES ('007', '00100')"),
             SQLITE_OK);
    QCOMPARE(db.value("SELECT count(*) FROM utenti WHERE nome = 'admin'"), QVariant(1));
    QCOMPARE(db.value("SELECT count(*) FROM utenti WHERE nome = 'admin' AND pwd = 'segreto'"), QVariant(0));
    QCOMPARE(db.value("SELECT count(*) FROM utenti WHERE nome = 'admin' AND pwd = 'Segreto'"), QVariant(1));
    QCOMPARE(db.rows("SELECT altro, Cap FROM Contatti"), (QVector<QVector<QVariant>>{{"007", "00100"}}));
}

void tst_schema::templateUser()
{
    ProgramFolder folder;
    for (const QString &file : {folder.templatePath(), folder.familyPath()}) {
        const auto rows = ProgramFolder::select(file, "SELECT Nome, Pwd, Ruolo, Administrator, LockAccess, Cognome FROM Utenti");
        QCOMPARE(rows, (QVector<QVector<QVariant>>{{"Admin", "", "Admin", -1, 0, QVariant()}}));
    }
}

// The fixture's folder: the program folder seen by the programs, its families and their rows.
void tst_schema::fixtureFamilies()
{
    QString path;
    {
        ProgramFolder folder;
        path = folder.path();
        QCOMPARE(Shell::appPath(), path);
        QVERIFY(QFileInfo(path + "/Backup").isDir());
        QVERIFY(QDir(path + "/Backup").isEmpty());
        QCOMPARE(folder.familyConnection(), "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source="
                                                + path + "/Dati/Famiglia.mdb");
        QCOMPARE(folder.familyConnString(), folder.familyConnection() + ";Jet OLEDB:Database Password=tubo");

        QCOMPARE(folder.addFamily("  Casa Rossi "), 2);
        QVERIFY(QFileInfo::exists(path + "/Dati/Casa Rossi.mdb"));
        QCOMPARE(ProgramFolder::select(folder.logoPath(), "SELECT IdAzienda, NomeAzienda, PercorsoO, PercorsoD, "
                                                          "TipoProvider FROM Aziende WHERE IdAzienda = 2"),
                 (QVector<QVector<QVariant>>{{2, "Casa Rossi", path + "/Dati/Casa Rossi.mdb",
                                              path + "/Backup/Casa Rossi.mdb", "A"}}));
        QVERIFY_THROWS_EXCEPTION(AppError, folder.addFamily("Casa Rossi"));

        ProgramFolder::execute(folder.familyPath("Casa Rossi"), "INSERT INTO Conti (Descrizione) VALUES ('Posta')");
        QCOMPARE(ProgramFolder::select(folder.familyPath("Casa Rossi"), "SELECT count(*) FROM Conti").first().first(),
                 QVariant(1));
        QCOMPARE(ProgramFolder::select(folder.familyPath(), "SELECT count(*) FROM Conti").first().first(), QVariant(0));
    }
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(Shell::appPath() != path);
}

// The build's own program folder: the sample family made from the template, sound and listed.
void tst_schema::builtProgramFolder()
{
    const QString dir = QStringLiteral(PROGRAM_DIR);
    const QString family = dir + "/Dati/Famiglia.mdb";
    QVERIFY(QFileInfo(dir + "/Backup").isDir());
    QCOMPARE(ProgramFolder::select(family, "PRAGMA integrity_check"), (QVector<QVector<QVariant>>{{"ok"}}));
    QCOMPARE(ProgramFolder::select(family, "PRAGMA foreign_key_check"), (QVector<QVector<QVariant>>{}));
    QCOMPARE(ProgramFolder::select(dir + "/Dati/logo.mdb",
                                   "SELECT NomeAzienda, Indirizzo, PercorsoO, PercorsoD, TipoProvider FROM Aziende"),
             (QVector<QVector<QVariant>>{{"Famiglia",
                                          "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source="
                                              + family,
                                          family, dir + "/Backup/Famiglia.mdb", "A"}}));
    const QString schemaOf = QStringLiteral("SELECT type, name, sql FROM sqlite_schema ORDER BY name");
    QCOMPARE(ProgramFolder::select(family, schemaOf), ProgramFolder::select(dir + "/Dati/Exe.mdb", schemaOf));
    QCOMPARE(ProgramFolder::select(family, "SELECT Nome, Ruolo FROM Utenti"),
             (QVector<QVector<QVariant>>{{"Admin", "Admin"}}));
}

QTEST_GUILESS_MAIN(tst_schema)
#include "tst_schema.moc"
