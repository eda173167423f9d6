// The shared connection opened by BuildStr on real family databases, and the shared settings.

#include "DataBase.h"
#include "PWSettings.h"
#include "ProgramFolder.h"
#include "Seams.h"
#include "db/Connection.h"

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace DataBase;

class TestDataBase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void cleanup()
    {
        AdoConnect().close();
        ConnString.clear();
    }

    void blanksAroundIndirizzoStillOpen()
    {
        ProgramFolder folder;
        ProgramFolder::execute(folder.logoPath(),
                               QStringLiteral("UPDATE Aziende SET Indirizzo = '  ' || Indirizzo || '   '"));
        QVERIFY(folder.familyConnection().startsWith(QStringLiteral("  ")));
        ConnString = folder.familyConnString();
        MsgRecorder boxes;
        BuildStr();
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(AdoConnect().state(), 1);
        QCOMPARE(AdoConnect().cursorLocation(), 3);
        QCOMPARE(AdoConnect().fileName(), folder.familyPath());
        QCOMPARE(AdoConnect().query(QStringLiteral("SELECT Nome FROM Utenti")).value(0).value(0).toString(),
                 QStringLiteral("Admin"));
    }

    void reopensAnOpenConnectionOnTheCurrentText()
    {
        ProgramFolder folder;
        folder.addFamily(QStringLiteral("Rossi"));
        MsgRecorder boxes;
        ConnString = folder.familyConnString();
        BuildStr();
        QCOMPARE(AdoConnect().fileName(), folder.familyPath());
        ConnString = folder.familyConnString(QStringLiteral("Rossi"));
        BuildStr();
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(AdoConnect().state(), 1);
        QCOMPARE(AdoConnect().fileName(), folder.familyPath(QStringLiteral("Rossi")));
    }

    void failureShowsItsBoxAndLeavesTheConnectionClosed()
    {
        ProgramFolder folder;
        MsgRecorder boxes;
        ConnString = folder.familyConnString();
        BuildStr();
        QCOMPARE(AdoConnect().state(), 1);

        ConnString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=")
            + folder.path() + QStringLiteral("/Dati/Nessuna.mdb;Jet OLEDB:Database Password=tubo");
        BuildStr();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().kind, MsgKind::PlainOkCancel);
        QCOMPARE(boxes.last().title, QStringLiteral("Errore Di BuildStr: Connect failed"));
        QVERIFY(!boxes.last().text.isEmpty());
        QCOMPARE(AdoConnect().state(), 0);
        QVERIFY(!QFile::exists(folder.path() + QStringLiteral("/Dati/Nessuna.mdb")));   // nothing created
    }

    void settIsOneObjectForTheProgram()
    {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings file(dir.filePath(QStringLiteral("Focolarium/Focolarium.conf")), QSettings::IniFormat);
        file.setValue(QStringLiteral("Options/SavePassword"), QStringLiteral("True"));
        file.setValue(QStringLiteral("Options/Password"), QStringLiteral("anna1"));
        file.sync();

        QCOMPARE(&Sett(), &Sett());
        QVERIFY(Sett().SavePass());
        QCOMPARE(Sett().Password(), QStringLiteral("anna1"));   // the flag read above is kept by the one object
    }
};

QTEST_MAIN(TestDataBase)
#include "tst_database.moc"
