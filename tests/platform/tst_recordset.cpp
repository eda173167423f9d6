#include "AppError.h"
#include "ErrorOf.h"
#include "RawDb.h"
#include "db/Connection.h"
#include "db/DatabaseFile.h"
#include "db/Recordset.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using Action = std::function<void(Recordset &)>;
Q_DECLARE_METATYPE(Action)

class TestRecordset : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;
    Connection m_cn;

    QVariant stored(const QString &sql) const { return RawDb::scalar(m_file, sql); }
    // Opens rs as the editors do: static cursor, pessimistic lock.
    void openForEdit(Recordset &rs, const QString &sql)
    {
        rs.open(sql, &m_cn, Recordset::OpenStatic, Recordset::LockPessimistic);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("Famiglia.mdb"));
    }

    // A fresh family-like database for every test.
    void init()
    {
        m_cn.close();
        RawDb::create(m_file, {
            QStringLiteral("CREATE TABLE Conti (IdConto INTEGER PRIMARY KEY, Descrizione TEXT(50) COLLATE NOCASE, "
                           "DataApertura DATE, info MEMO, DataUpdate DATE)"),
            QStringLiteral("CREATE TABLE TipoMov (IdTipoMov INTEGER PRIMARY KEY, Descrizione TEXT(50) COLLATE "
                           "NOCASE, EntrateUscite YESNO NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE TABLE Movimenti (IdMov INTEGER PRIMARY KEY, DataReg DATE, DataMov DATE, "
                           "Descrizione TEXT(255) COLLATE NOCASE, Entrata DOUBLE NOT NULL DEFAULT 0, "
                           "Uscita DOUBLE NOT NULL DEFAULT 0, IdConto LONG REFERENCES Conti(IdConto), "
                           "IdTipoMov LONG REFERENCES TipoMov(IdTipoMov), DataUpdate DATE)"),
            QStringLiteral("CREATE TABLE Appunta (IdAppunta INTEGER PRIMARY KEY, Data DATE, IdTurno TEXT(50), "
                           "IdPostazione LONG, Cliente TEXT(100) COLLATE NOCASE)"),
            QStringLiteral("CREATE UNIQUE INDEX Slot ON Appunta (Data, IdTurno, IdPostazione)"),
            QStringLiteral("CREATE TABLE Postazioni (IdPosto INTEGER PRIMARY KEY, Nominativo TEXT(50), "
                           "DescrBreve TEXT(100))"),
            QStringLiteral("CREATE VIEW qryMov AS SELECT m.IdMov, m.DataMov, m.Descrizione, m.Entrata, "
                           "c.Descrizione AS DescrConto, m.Entrata - m.Uscita AS Saldo, "
                           "date(m.DataMov, '+1 day') AS Dopo FROM Movimenti m LEFT JOIN Conti c "
                           "ON c.IdConto = m.IdConto"),
            QStringLiteral("INSERT INTO Conti (IdConto, Descrizione, DataApertura) VALUES "
                           "(1, 'Banca', '2020-01-02'), (2, 'Posta', NULL), (3, 'Carta', '2021-05-06'), "
                           "(4, 'Cassa', NULL), (5, 'conto casa', NULL)"),
            QStringLiteral("INSERT INTO TipoMov VALUES (1, 'Stipendio', -1), (2, 'Spesa', 0)"),
            QStringLiteral("INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, "
                           "IdConto, IdTipoMov) VALUES (1, '2024-01-10', '2024-01-09', 'Pane', 0, 2.5, 3, 2), "
                           "(2, '2024-02-01', '2024-02-01', 'Stipendio', 1500, 0, 1, 1)"),
            QStringLiteral("INSERT INTO Postazioni (IdPosto, Nominativo, DescrBreve) VALUES "
                           "(1, 'Sala', 'grande'), (2, 'Studio', 'piccolo'), (3, 'Sala', 'grande')"),
        });
        m_cn.open(RawDb::connectionText(m_file));
    }

    // Values written through a field come back typed, and are stored in the file's forms.
    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("read");
        QTest::addColumn<QVariant>("inFile");
        QTest::newRow("date") << "DataMov" << QVariant(QDate(2024, 2, 29)) << QVariant(QDate(2024, 2, 29))
                              << QVariant(QStringLiteral("2024-02-29"));
        QTest::newRow("date from Italian text") << "DataMov" << QVariant(QStringLiteral("31/12/2024"))
                                                << QVariant(QDate(2024, 12, 31))
                                                << QVariant(QStringLiteral("2024-12-31"));
        QTest::newRow("date Null") << "DataMov" << QVariant() << QVariant() << QVariant();
        QTest::newRow("empty text to date is Null") << "DataReg" << QVariant(QString()) << QVariant() << QVariant();
        QTest::newRow("amount") << "Entrata" << QVariant(1234.56) << QVariant(1234.56) << QVariant(1234.56);
        QTest::newRow("amount from text") << "Uscita" << QVariant(QStringLiteral("12,5")) << QVariant(12.5)
                                          << QVariant(12.5);
        QTest::newRow("whole number from text") << "IdConto" << QVariant(QStringLiteral("4")) << QVariant(4)
                                                << QVariant(4LL);
        QTest::newRow("number to text") << "Descrizione" << QVariant(2.5) << QVariant(QStringLiteral("2,5"))
                                        << QVariant(QStringLiteral("2,5"));
        QTest::newRow("text Null") << "Descrizione" << QVariant() << QVariant() << QVariant();
        QTest::newRow("text with quote") << "Descrizione" << QVariant(QStringLiteral("l'altro \"uno\""))
                                         << QVariant(QStringLiteral("l'altro \"uno\""))
                                         << QVariant(QStringLiteral("l'altro \"uno\""));
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, written);
        QFETCH(QVariant, read);
        QFETCH(QVariant, inFile);
        {
            Recordset rs;
            openForEdit(rs, QStringLiteral("SELECT * FROM Movimenti where IdMov= 2"));
            rs.setValue(field, written);
            QCOMPARE(rs.editMode(), int(Recordset::EditInProgress));
            rs.update();
            QCOMPARE(rs.editMode(), int(Recordset::EditNone));
            QCOMPARE(rs.value(field), read);
        }
        QCOMPARE(stored(QStringLiteral("SELECT %1 FROM Movimenti WHERE IdMov = 2").arg(field)), inFile);
        Recordset again;
        again.open(QStringLiteral("SELECT * FROM Movimenti where IdMov= 2"), &m_cn);
        QCOMPARE(again.value(field), read);
    }

    void yesNoIsStoredAsMinusOneAndZero()
    {
        Recordset rs;
        rs.open(QStringLiteral("TipoMov"), &m_cn, Recordset::OpenStatic, Recordset::LockOptimistic);
        QCOMPARE(rs.value(QStringLiteral("EntrateUscite")), QVariant(true));
        QCOMPARE(rs.fieldType(2), int(Recordset::Boolean));
        rs.update(QStringLiteral("EntrateUscite"), false);
        rs.moveNext();
        rs.update(QStringLiteral("entrateuscite"), QStringLiteral("Vero"));
        QCOMPARE(stored(QStringLiteral("SELECT EntrateUscite FROM TipoMov WHERE IdTipoMov = 1")), QVariant(0LL));
        QCOMPARE(stored(QStringLiteral("SELECT EntrateUscite FROM TipoMov WHERE IdTipoMov = 2")), QVariant(-1LL));
    }

    void textThatDoesNotConvertIsATypeMismatch_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("written");
        QTest::newRow("date") << "DataMov" << QVariant(QStringLiteral("abc"));
        QTest::newRow("impossible date") << "DataMov" << QVariant(QStringLiteral("31/02/2024"));
        QTest::newRow("amount") << "Entrata" << QVariant(QStringLiteral("dodici"));
        QTest::newRow("whole number") << "IdConto" << QVariant(QStringLiteral("1x"));
    }
    void textThatDoesNotConvertIsATypeMismatch()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, written);
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Movimenti where IdMov= 2"));
        const QVariant before = rs.value(field);
        QCOMPARE(errorOf([&] { rs.setValue(field, written); }), AppError::TypeMismatch);
        QCOMPARE(rs.value(field), before);
        QCOMPARE(rs.editMode(), int(Recordset::EditNone));
    }

    // The second user's save of a row the first one changed fails and overwrites nothing.
    void conflictingChangeFailsAndKeepsTheFirstUsersValues()
    {
        Connection other;
        other.open(RawDb::connectionText(m_file));
        Recordset first, second;
        first.open(QStringLiteral("SELECT * FROM Conti where IdConto= 4"), &m_cn, Recordset::OpenStatic,
                   Recordset::LockPessimistic);
        second.open(QStringLiteral("SELECT * FROM Conti where IdConto= 4"), &other, Recordset::OpenStatic,
                    Recordset::LockPessimistic);
        first.setValue(QStringLiteral("Descrizione"), QStringLiteral("Carta oro"));
        first.update();
        second.setValue(QStringLiteral("info"), QStringLiteral("note del secondo"));
        second.setValue(QStringLiteral("Descrizione"), QStringLiteral("Carta blu"));
        try {
            second.update();
            QFAIL("the second save went through");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), AppError::Conflict);
            QVERIFY(e.description().contains(QStringLiteral("modificati dall'ultima lettura")));
        }
        QCOMPARE(second.editMode(), int(Recordset::EditInProgress));
        QCOMPARE(second.value(QStringLiteral("Descrizione")), QVariant(QStringLiteral("Carta blu")));
        QCOMPARE(stored(QStringLiteral("SELECT Descrizione FROM Conti WHERE IdConto = 4")),
                 QVariant(QStringLiteral("Carta oro")));
        QVERIFY(!stored(QStringLiteral("SELECT info FROM Conti WHERE IdConto = 4")).isValid());

        // The first user saves again on what he has read meanwhile: no conflict with himself.
        first.update(QStringLiteral("info"), QStringLiteral("ancora"));
        QCOMPARE(stored(QStringLiteral("SELECT info FROM Conti WHERE IdConto = 4")), QVariant(QStringLiteral("ancora")));

        // A row deleted by the other user cannot be saved either.
        other.execute(QStringLiteral("DELETE FROM Conti WHERE IdConto = 4"));
        QCOMPARE(errorOf([&] { first.update(QStringLiteral("info"), QStringLiteral("perso")); }), AppError::Conflict);
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Conti")), QVariant(4LL));
    }

    void deleteOfAReferencedRowIsRefused()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Conti where IdConto= 1"));
        QCOMPARE(errorOf([&] { rs.deleteRecord(); }), AppError::ForeignKey);
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.value(0), QVariant(1));
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Conti WHERE IdConto = 1")), QVariant(1LL));

        openForEdit(rs, QStringLiteral("SELECT * FROM Conti where IdConto= 4"));
        rs.deleteRecord();
        QCOMPARE(rs.recordCount(), 0);
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Conti WHERE IdConto = 4")), QVariant(0LL));
    }

    void secondAppointmentInTheSameSlotIsRefused()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Appunta where IdAppunta= 0"));
        for (int i = 0; i < 2; ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("Data"), QDate(2024, 6, 3));
            rs.setValue(QStringLiteral("IdTurno"), QStringLiteral("09:00"));
            rs.setValue(QStringLiteral("IdPostazione"), 1);
            rs.setValue(QStringLiteral("Cliente"), i == 0 ? QStringLiteral("Rossi Mario") : QStringLiteral("Bianchi"));
            if (i == 0)
                rs.update();
        }
        QCOMPARE(errorOf([&] { rs.update(); }), AppError::Unspecified);
        QCOMPARE(rs.editMode(), int(Recordset::EditAdd));
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Appunta")), QVariant(1LL));
        QCOMPARE(stored(QStringLiteral("SELECT Cliente FROM Appunta")), QVariant(QStringLiteral("Rossi Mario")));
    }

    // A new record's AutoNumber is field 0 after the insert; the defaults are read back, so the
    // record can be saved again at once.
    void newAutoNumberIsReadBack()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Movimenti where IdMov= 0"));
        QVERIFY(rs.eof());
        rs.addNew();
        QCOMPARE(rs.editMode(), int(Recordset::EditAdd));
        rs.setValue(QStringLiteral("DataMov"), QDate(2024, 7, 1));
        rs.setValue(QStringLiteral("Descrizione"), QStringLiteral("Luce"));
        rs.setValue(QStringLiteral("Uscita"), 80.2);
        rs.setValue(QStringLiteral("IdConto"), 2);
        rs.update();
        QCOMPARE(rs.editMode(), int(Recordset::EditNone));
        QCOMPARE(rs.value(0), QVariant(3));
        QCOMPARE(rs.value(QStringLiteral("Entrata")), QVariant(0.0));
        QCOMPARE(rs.absolutePosition(), 1);
        rs.setValue(QStringLiteral("DataUpdate"), QDate(2024, 7, 2));
        rs.update();
        QCOMPARE(stored(QStringLiteral("SELECT DataUpdate || Descrizione FROM Movimenti WHERE IdMov = 3")),
                 QVariant(QStringLiteral("2024-07-02Luce")));
    }

    void addNewWritesThePendingEdit()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Conti"));
        rs.setValue(QStringLiteral("info"), QStringLiteral("scritto da AddNew"));
        rs.addNew();
        QCOMPARE(rs.editMode(), int(Recordset::EditAdd));
        QCOMPARE(rs.recordCount(), 6);
        QCOMPARE(stored(QStringLiteral("SELECT info FROM Conti WHERE IdConto = 1")),
                 QVariant(QStringLiteral("scritto da AddNew")));
        // Cancel drops the new record and comes back to the one before it.
        rs.cancelUpdate();
        QCOMPARE(rs.recordCount(), 5);
        QCOMPARE(rs.value(0), QVariant(1));
        QCOMPARE(rs.editMode(), int(Recordset::EditNone));
        rs.setValue(QStringLiteral("Descrizione"), QStringLiteral("altro"));
        rs.cancelUpdate();
        QCOMPARE(rs.value(QStringLiteral("Descrizione")), QVariant(QStringLiteral("Banca")));
        QCOMPARE(rs.editMode(), int(Recordset::EditNone));
    }

    void readOnlyRefusesEveryWrite_data()
    {
        QTest::addColumn<Action>("action");
        QTest::newRow("set value") << Action([](Recordset &rs) { rs.setValue(1, QStringLiteral("x")); });
        QTest::newRow("set by name") << Action([](Recordset &rs) { rs.setValue(QStringLiteral("nessuno"), 1); });
        QTest::newRow("add new") << Action([](Recordset &rs) { rs.addNew(); });
        QTest::newRow("update") << Action([](Recordset &rs) { rs.update(); });
        QTest::newRow("update field") << Action([](Recordset &rs) { rs.update(QStringLiteral("info"), 1); });
        QTest::newRow("delete") << Action([](Recordset &rs) { rs.deleteRecord(); });
        QTest::newRow("batch") << Action([](Recordset &rs) { rs.updateBatch(); });
    }
    void readOnlyRefusesEveryWrite()
    {
        QFETCH(Action, action);
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM Conti"), &m_cn, Recordset::OpenStatic, Recordset::LockReadOnly);
        try {
            action(rs);
            QFAIL("written");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), AppError::ReadOnly);
            QVERIFY(e.description().contains(QStringLiteral("sola lettura")));
        }
        QCOMPARE(rs.editMode(), int(Recordset::EditNone));
        QCOMPARE(stored(QStringLiteral("SELECT count(*) || group_concat(ifnull(info, '-')) FROM Conti")),
                 QVariant(QStringLiteral("5-,-,-,-,-")));
    }

    void closedAndMissingRecordErrors_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<long>("error");
        const long closed = AppError::ObjectClosed, none = AppError::NoCurrentRecord;
        const auto closeFirst = [](Action a) { return Action([a](Recordset &rs) { rs.close(); a(rs); }); };
        const auto atEof = [](Action a) { return Action([a](Recordset &rs) { rs.moveLast(); rs.moveNext(); a(rs); }); };
        QTest::newRow("closed value") << closeFirst([](Recordset &rs) { rs.value(0); }) << closed;
        QTest::newRow("closed eof") << closeFirst([](Recordset &rs) { rs.eof(); }) << closed;
        QTest::newRow("closed move") << closeFirst([](Recordset &rs) { rs.moveNext(); }) << closed;
        QTest::newRow("closed add") << closeFirst([](Recordset &rs) { rs.addNew(); }) << closed;
        QTest::newRow("closed requery") << closeFirst([](Recordset &rs) { rs.requery(); }) << closed;
        QTest::newRow("eof value") << atEof([](Recordset &rs) { rs.value(QStringLiteral("info")); }) << none;
        QTest::newRow("eof set") << atEof([](Recordset &rs) { rs.setValue(1, 1); }) << none;
        QTest::newRow("eof next") << atEof([](Recordset &rs) { rs.moveNext(); }) << none;
        QTest::newRow("eof delete") << atEof([](Recordset &rs) { rs.deleteRecord(); }) << none;
        QTest::newRow("bof previous") << Action([](Recordset &rs) { rs.movePrevious(); rs.movePrevious(); }) << none;
        QTest::newRow("no field") << Action([](Recordset &rs) { rs.value(QStringLiteral("Nessuno")); })
                                  << long(AppError::ItemNotFound);
        QTest::newRow("no position") << Action([](Recordset &rs) { rs.value(5); }) << long(AppError::ItemNotFound);
        QTest::newRow("closed connection") << Action([this](Recordset &rs) { m_cn.close(); rs.requery(); }) << closed;
    }
    void closedAndMissingRecordErrors()
    {
        QFETCH(Action, action);
        QFETCH(long, error);
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Conti"));
        QCOMPARE(errorOf([&] { action(rs); }), error);
    }

    void movesPositionsAndNotifications()
    {
        Recordset rs;
        QSignalSpy moved(&rs, &Recordset::moveComplete);
        rs.open(QStringLiteral("SELECT IdConto FROM Conti ORDER BY IdConto"), &m_cn);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(rs.recordCount(), 5);
        QVERIFY(!rs.bof() && !rs.eof());
        QCOMPARE(rs.absolutePosition(), 1);
        rs.movePrevious();
        QVERIFY(rs.bof());
        QCOMPARE(rs.absolutePosition(), -2);
        rs.moveLast();
        QCOMPARE(rs.value(0), QVariant(5));
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(rs.absolutePosition(), -3);
        rs.setAbsolutePosition(3);
        QCOMPARE(rs.value(0), QVariant(3));
        rs.moveFirst();
        QCOMPARE(rs.value(0), QVariant(1));
        QCOMPARE(moved.count(), 6);
        QCOMPARE(errorOf([&] { rs.setAbsolutePosition(6); }), 3001L);

        Recordset empty;
        empty.open(QStringLiteral("SELECT * FROM Conti WHERE IdConto = 0"), &m_cn);
        QVERIFY(empty.bof() && empty.eof());
        QCOMPARE(empty.recordCount(), 0);
        QCOMPARE(empty.absolutePosition(), -1);
        empty.moveFirst();
        empty.moveLast();
        QVERIFY(empty.eof());
        rs.close();
        QCOMPARE(rs.recordCount(), -1);
        QCOMPARE(rs.state(), 0);
    }

    // After a delete the next move lands on the record that followed the deleted one.
    void deleteThenMove()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("select Nominativo,DescrBreve as Descrizione_Breve from Postazioni"));
        rs.moveNext();
        rs.deleteRecord();
        QCOMPARE(errorOf([&] { rs.value(0); }), AppError::NoCurrentRecord);
        rs.moveNext();
        QCOMPARE(rs.absolutePosition(), 2);
        QCOMPARE(rs.value(0), QVariant(QStringLiteral("Sala")));
        rs.deleteRecord();
        rs.moveNext();
        QVERIFY(rs.eof());
        rs.moveLast();
        QCOMPARE(rs.value(0), QVariant(QStringLiteral("Sala")));
        QCOMPARE(stored(QStringLiteral("SELECT group_concat(IdPosto) FROM Postazioni")), QVariant(QStringLiteral("1")));
    }

    // A recordset without the table's key still writes the row it read, and only that one.
    void recordsetWithoutKey()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("select Nominativo,DescrBreve as Descrizione_Breve from Postazioni"));
        QCOMPARE(rs.fieldName(1), QStringLiteral("Descrizione_Breve"));
        QCOMPARE(rs.fieldSize(0), 50);
        rs.moveLast();
        rs.setValue(QStringLiteral("Descrizione_Breve"), QStringLiteral("rinnovata"));
        rs.updateBatch();
        QCOMPARE(stored(QStringLiteral("SELECT group_concat(DescrBreve) FROM (SELECT * FROM Postazioni ORDER BY 1)")),
                 QVariant(QStringLiteral("grande,piccolo,rinnovata")));
        rs.addNew();
        rs.setValue(0, QStringLiteral("Ingresso"));
        rs.updateBatch();
        rs.setValue(1, QStringLiteral("corridoio"));
        rs.update();
        QCOMPARE(stored(QStringLiteral("SELECT IdPosto || Nominativo || DescrBreve FROM Postazioni WHERE IdPosto = 4")),
                 QVariant(QStringLiteral("4Ingressocorridoio")));
        // Changed meanwhile by someone else: refused.
        m_cn.execute(QStringLiteral("UPDATE Postazioni SET DescrBreve = 'altra' WHERE IdPosto = 1"));
        rs.moveFirst();
        QCOMPARE(errorOf([&] { rs.update(QStringLiteral("Nominativo"), QStringLiteral("Sala A")); }),
                 AppError::Conflict);
        rs.cancelUpdate();
        rs.requery();
        QCOMPARE(rs.value(1), QVariant(QStringLiteral("altra")));
        QCOMPARE(rs.recordCount(), 4);
    }

    void batchWritesEveryPendingRow()
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM Conti ORDER BY IdConto"), &m_cn, Recordset::OpenStatic,
                Recordset::LockBatchOptimistic);
        rs.setValue(QStringLiteral("info"), QStringLiteral("uno"));
        rs.moveNext();
        rs.setValue(QStringLiteral("info"), QStringLiteral("due"));
        QVERIFY(!stored(QStringLiteral("SELECT info FROM Conti WHERE IdConto = 1")).isValid());
        rs.updateBatch();
        QCOMPARE(stored(QStringLiteral("SELECT group_concat(info) FROM Conti")), QVariant(QStringLiteral("uno,due")));
    }

    void movingOffAnEditedRecordWritesIt()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Conti ORDER BY IdConto"));
        rs.setValue(QStringLiteral("info"), QStringLiteral("spostato"));
        rs.moveNext();
        QCOMPARE(stored(QStringLiteral("SELECT info FROM Conti WHERE IdConto = 1")), QVariant(QStringLiteral("spostato")));
    }

    void requerySeesOtherUsersRows()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Conti"));
        Connection other;
        other.open(RawDb::connectionText(m_file));
        other.execute(QStringLiteral("INSERT INTO Conti (Descrizione) VALUES ('Nuovo')"));
        QCOMPARE(rs.recordCount(), 5);
        rs.moveLast();
        rs.requery();
        QCOMPARE(rs.recordCount(), 6);
        QCOMPARE(rs.absolutePosition(), 1);
    }

    void viewsAndExpressionsAreTyped()
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM qryMov ORDER BY IdMov"), &m_cn);
        QCOMPARE(rs.value(QStringLiteral("DataMov")), QVariant(QDate(2024, 1, 9)));
        QCOMPARE(rs.value(QStringLiteral("DescrConto")), QVariant(QStringLiteral("Carta")));
        QCOMPARE(rs.value(QStringLiteral("Saldo")), QVariant(-2.5));
        QCOMPARE(rs.value(QStringLiteral("Dopo")), QVariant(QDate(2024, 1, 10)));
        QCOMPARE(rs.fieldType(rs.fieldIndex(QStringLiteral("dopo"))), int(Recordset::Date));
        QCOMPARE(rs.fieldType(rs.fieldIndex(QStringLiteral("Entrata"))), int(Recordset::Double));
        QCOMPARE(rs.fieldIndex(QStringLiteral("nessuno")), -1);

        Recordset byName;
        byName.open(QStringLiteral("qryMov"), &m_cn);
        QCOMPARE(byName.recordCount(), 2);
        QCOMPARE(byName.fieldCount(), 7);
    }

    void find_data()
    {
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("from");       // absolute position to start from (0: the first record)
        QTest::addColumn<int>("position");   // where the find lands
        QTest::newRow("like prefix") << "Descrizione like 'ca*'" << 0 << 1 << 0 << 3;
        QTest::newRow("without case") << "Descrizione like 'CONTO*'" << 0 << 1 << 0 << 5;
        QTest::newRow("from the current") << "Descrizione like 'ca*'" << 0 << 1 << 4 << 4;
        QTest::newRow("skipping the current") << "Descrizione like 'ca*'" << 1 << 1 << 3 << 4;
        QTest::newRow("anywhere") << "Descrizione like '*as*'" << 0 << 1 << 0 << 4;
        QTest::newRow("one character") << "Descrizione like 'p?sta'" << 0 << 1 << 0 << 2;
        QTest::newRow("not found") << "Descrizione like 'z*'" << 0 << 1 << 0 << -3;
        QTest::newRow("backward") << "Descrizione like 'ca*'" << 0 << -1 << 5 << 4;
        QTest::newRow("backward not found") << "Descrizione like 'z*'" << 0 << -1 << 3 << -2;
        QTest::newRow("equal number") << "IdConto = 4" << 0 << 1 << 0 << 4;
        QTest::newRow("equal text") << "Descrizione = 'posta'" << 0 << 1 << 0 << 2;
        QTest::newRow("equal date") << "DataApertura = #5/6/2021#" << 0 << 1 << 0 << 3;
        QTest::newRow("Null never matches") << "info like '*'" << 0 << 1 << 0 << -3;
    }
    void find()
    {
        QFETCH(QString, criteria);
        QFETCH(int, skip);
        QFETCH(int, direction);
        QFETCH(int, from);
        QFETCH(int, position);
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM Conti ORDER BY IdConto"), &m_cn);
        if (from > 0)
            rs.setAbsolutePosition(from);
        QSignalSpy moved(&rs, &Recordset::moveComplete);
        rs.find(criteria, skip, direction, from > 0 ? QVariant() : QVariant(int(Recordset::BookmarkFirst)));
        QCOMPARE(rs.absolutePosition(), position);
        QCOMPARE(moved.count(), 1);
    }

    // A long value searched with many wildcards: the search ends at once, found or not.
    void findManyWildcards_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("position");
        const QString twentyStars = QStringLiteral("*a").repeated(20);
        QTest::newRow("found") << twentyStars + QStringLiteral("*") << 2;
        QTest::newRow("not found") << twentyStars + QStringLiteral("b") << -3;
        QTest::newRow("percent and underscore") << QStringLiteral("%a_a%").repeated(10) << 2;
    }
    void findManyWildcards()
    {
        QFETCH(QString, pattern);
        QFETCH(int, position);
        Recordset rs;
        rs.appendField(QStringLiteral("Testo"), Recordset::LongVarChar, 255);
        rs.open();
        for (const QString &text : {QStringLiteral("breve"), QStringLiteral("a").repeated(80)}) {
            rs.addNew();
            rs.setValue(0, text);
        }
        rs.find(QStringLiteral("Testo like '%1'").arg(pattern), 0, 1, int(Recordset::BookmarkFirst));
        QCOMPARE(rs.absolutePosition(), position);
    }

    // A letter outside the basic plane is one character to LIKE and to find, and folds as the case-blind
    // collation folds it: what "=" finds, the same text as a pattern finds too.
    void lettersOutsideTheBasicPlane_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("id");   // the one row found
        QTest::newRow("capital finds small") << QStringLiteral("\U00010400") << 6;
        QTest::newRow("inside a run") << QStringLiteral("*\U00010400") << 6;
        QTest::newRow("? takes the whole letter") << QStringLiteral("?") << 6;
        QTest::newRow("? takes the whole emoji") << QStringLiteral("? caff\u00e8") << 7;
    }
    void lettersOutsideTheBasicPlane()
    {
        QFETCH(QString, pattern);
        QFETCH(int, id);
        m_cn.execute(QStringLiteral("INSERT INTO Conti (IdConto, Descrizione) VALUES (6, '\U00010428'), "
                                    "(7, '\U0001F600 caff\u00e8')"));
        const auto rows = m_cn.query(QStringLiteral("SELECT IdConto FROM Conti WHERE Descrizione LIKE '%1'").arg(pattern));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value(0).toInt(), id);
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM Conti ORDER BY IdConto"), &m_cn);
        rs.find(QStringLiteral("Descrizione like '%1'").arg(pattern), 0, 1, int(Recordset::BookmarkFirst));
        QCOMPARE(rs.absolutePosition(), id);
    }

    void badFindCriteria_data()
    {
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<long>("error");
        QTest::newRow("apostrophe typed") << "Descrizione like 'O'NE*'" << 3001L;
        QTest::newRow("quote left open") << "Descrizione like 'ca*" << 3001L;
        QTest::newRow("no operator") << "Descrizione" << 3001L;
        QTest::newRow("no such column") << "Nessuno like 'a*'" << long(AppError::ItemNotFound);
    }
    void badFindCriteria()
    {
        QFETCH(QString, criteria);
        QFETCH(long, error);
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM Conti"), &m_cn);
        rs.moveNext();
        QCOMPARE(errorOf([&] { rs.find(criteria, 0, 1, int(Recordset::BookmarkFirst)); }), error);
        QCOMPARE(rs.absolutePosition(), 2);
    }

    void bookmarks()
    {
        Recordset rs;
        openForEdit(rs, QStringLiteral("SELECT * FROM Conti ORDER BY IdConto"));
        rs.setAbsolutePosition(4);
        const QVariant mark = rs.bookmark();
        rs.setAbsolutePosition(2);
        rs.deleteRecord();   // bookmarks survive the removal of other rows
        rs.moveNext();
        rs.setBookmark(mark);
        QCOMPARE(rs.value(0), QVariant(4));
        QVERIFY(mark == rs.bookmark());
        rs.moveFirst();
        rs.find(QStringLiteral("Descrizione like 'c*'"), 0, 1, mark);
        QCOMPARE(rs.value(0), QVariant(4));
        QCOMPARE(errorOf([&] { rs.setBookmark(42); }), 3001L);
    }

    // The family template as the schema makes it: the saved queries type their columns, the
    // shifts' recordset (no key selected) writes, a Null amount is refused.
    void familySchema()
    {
        const QString file = m_dir.filePath(QStringLiteral("Schema.mdb"));
        QFile::remove(file);
        DatabaseFile::create(file, {QStringLiteral(SCHEMA_DIR "/family.sql")});
        Connection cn;
        cn.open(RawDb::connectionText(file));
        cn.execute(QStringLiteral("INSERT INTO Conti (Descrizione) VALUES ('Banca')"));
        Recordset mov;
        mov.open(QStringLiteral("SELECT * FROM Movimenti where IdMov= 0"), &cn, Recordset::OpenStatic,
                 Recordset::LockPessimistic);
        mov.addNew();
        mov.setValue(QStringLiteral("DataMov"), QStringLiteral("05/03/2024"));
        mov.setValue(QStringLiteral("Descrizione"), QStringLiteral("Spesa"));
        mov.setValue(QStringLiteral("Uscita"), QStringLiteral("10,25"));
        mov.setValue(QStringLiteral("IdConto"), 1);
        mov.update();
        QCOMPARE(mov.value(0), QVariant(1));
        mov.setValue(QStringLiteral("Entrata"), QVariant());
        QCOMPARE(errorOf([&] { mov.update(); }), 1299L);
        QCOMPARE(mov.editMode(), int(Recordset::EditInProgress));

        Recordset list;
        list.open(QStringLiteral("select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov "
                                 "FROM qryMov WHERE IdMov > 0 AND DatePart('yyyy',DataMov)=2024 Order BY DataMov"),
                  &cn);
        QCOMPARE(list.recordCount(), 1);
        QCOMPARE(list.value(QStringLiteral("DataMov")), QVariant(QDate(2024, 3, 5)));
        QCOMPARE(list.value(QStringLiteral("Uscita")), QVariant(10.25));
        QCOMPARE(list.value(QStringLiteral("Entrata")), QVariant(0.0));
        QCOMPARE(list.value(QStringLiteral("DescrConto")), QVariant(QStringLiteral("Banca")));
        QVERIFY(!list.value(QStringLiteral("NomePag")).isValid());

        Recordset turni;
        turni.open(QStringLiteral("select Ora as Turno from Turni"), &cn, Recordset::OpenStatic,
                   Recordset::LockPessimistic);
        for (const char *ora : {"09:00", "09:00", "10:00"}) {
            turni.addNew();
            turni.setValue(0, QString::fromLatin1(ora));
        }
        turni.updateBatch();
        turni.moveFirst();
        turni.moveNext();
        turni.update(QStringLiteral("Turno"), QStringLiteral("09:30"));
        QCOMPARE(RawDb::scalar(file, QStringLiteral("SELECT group_concat(Ora) FROM (SELECT Ora FROM Turni "
                                                    "ORDER BY IdTurno)")),
                 QVariant(QStringLiteral("09:00,09:30,10:00")));
    }

    void inMemoryRecordset()
    {
        Recordset rs;
        rs.appendField(QStringLiteral("DataReg"), Recordset::LongVarChar, 255);
        rs.appendField(QStringLiteral("Descr"), Recordset::LongVarChar, 10);
        rs.setCursorType(Recordset::OpenDynamic);
        rs.open();
        QCOMPARE(rs.state(), 1);
        QVERIFY(rs.eof());
        QVERIFY(rs.activeConnection() == nullptr);
        for (int i = 1; i <= 3; ++i) {
            rs.addNew();
            rs.setValue(0, QStringLiteral(" 0%1/01/2024").arg(i));
            rs.setValue(1, QStringLiteral(" riga %1").arg(i));
        }
        rs.update();
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.editMode(), int(Recordset::EditNone));
        rs.moveFirst();
        QCOMPARE(rs.value(QStringLiteral("descr")), QVariant(QStringLiteral(" riga 1")));
        rs.moveLast();
        QCOMPARE(rs.value(0), QVariant(QStringLiteral(" 03/01/2024")));
        QCOMPARE(rs.fieldType(1), int(Recordset::LongVarChar));
        QCOMPARE(rs.fieldSize(1), 10);
        QCOMPARE(errorOf([&] { rs.setValue(1, QStringLiteral("più di dieci")); }), 0x80040E21L);
        rs.setValue(1, 12.5);
        QCOMPARE(rs.value(1), QVariant(QStringLiteral("12,5")));
        QCOMPARE(errorOf([&] { rs.appendField(QStringLiteral("Altro"), Recordset::LongVarChar, 5); }), 3001L);
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"
