// race_delete: the movement, reminder and appointment editors delete a record while a second
// process, which has read the same record, saves it. Counts per editor the saves that the second
// process was told were done and that the delete then removed: lost edits. Offscreen; prints
// figures, asserts nothing.
//
//   race_delete [rounds]   (100 by default)
// The second process is this program again, started as "race_delete --save".

#include "AppError.h"
#include "Clock.h"
#include "DataBase.h"
#include "EditForm.h"
#include "Italian.h"
#include "MsgBox.h"
#include "db/Connection.h"
#include "db/DatabaseFile.h"
#include "db/Recordset.h"
#include "frmAddAppunta.h"
#include "frmAddPro.h"
#include "frmMov.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

namespace {

const QString kOthers = QStringLiteral("Altro utente");
// Both processes wait a random part of this (microseconds) after "go": the save falls before,
// inside or after the delete.
constexpr int kSpread = 1000;

// The saving process: for each "<file> <table> <key> <id> <column>" line it reads the record,
// answers "read", waits for "go" and a random moment, saves, and answers "saved" or "refused".
int saver()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        const QStringList w = QString::fromStdString(line).split(QLatin1Char(' '));
        if (w.size() != 5)
            return 1;
        Connection cn;
        cn.open(QStringLiteral("Data Source=") + w[0]);
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM %1 WHERE %2 = %3").arg(w[1], w[2], w[3]), &cn, Recordset::OpenStatic,
                Recordset::LockPessimistic);
        std::cout << "read" << std::endl;
        if (!std::getline(std::cin, line) || line != "go")
            return 1;
        QThread::usleep(QRandomGenerator::global()->bounded(kSpread));
        try {
            rs.update(w[4], kOthers);
            std::cout << "saved" << std::endl;
        } catch (const AppError &) {
            std::cout << "refused" << std::endl;
        }
    }
    return 0;
}

struct Editor
{
    const char *name;
    QString table, key, column, insert;   // insert: the record, its id as %1, stamped today
    std::function<std::unique_ptr<EditForm>()> make;
};

QString readLine(QProcess &p)
{
    while (!p.canReadLine())
        if (!p.waitForReadyRead(10000))
            throw AppError(AppError::Unspecified, QStringLiteral("the saving process does not answer"));
    return QString::fromUtf8(p.readLine()).trimmed();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--save") == 0)
        return saver();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Italian::apply();
    const int rounds = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Famiglia.mdb"));
    try {
        DatabaseFile::create(file, {QStringLiteral(SCHEMA_DIR "/family.sql")});
        DatabaseFile::execute(file, QStringLiteral(
            "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '1001', 'Conto casa');"
            "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
            "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Spesa', 0);"
            "INSERT INTO Postazioni (IdPosto, Nominativo, DescrBreve) VALUES (1, 'Sala', 'S1');"
            "INSERT INTO Turni (Ora) VALUES ('08:30');"));
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    DataBase::ConnString = QStringLiteral("Data Source=") + file;
    DataBase::BuildStr();
    DataBase::UserId = 1;
    DataBase::UserLockType = Recordset::LockPessimistic;

    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save")});
    if (!other.waitForStarted())
        return 1;
    MsgBoxSeam::setHandler([&](const MsgRecord &box) {
        if (box.kind != MsgKind::Question)
            return MsgAnswer::Ok;
        other.write("go\n");
        other.waitForBytesWritten();
        QThread::usleep(QRandomGenerator::global()->bounded(kSpread));
        return MsgAnswer::Yes;
    });

    const QString today = Clock::today().toString(Qt::ISODate);
    const Editor editors[] = {
        {"frmMov", QStringLiteral("Movimenti"), QStringLiteral("IdMov"), QStringLiteral("Descrizione"),
         QStringLiteral("INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Uscita, IdConto, IdTipoPag, "
                        "IdTipoMov, IdUtente, DataUpdate) VALUES (%1, '2024-03-01', '2024-03-01', 'Pane', 2.5, 1, 1, 1, "
                        "1, '") + today + QStringLiteral("')"),
         [] { return std::make_unique<frmMov>(); }},
        {"frmAddPro", QStringLiteral("Promemoria"), QStringLiteral("IdPromemoria"), QStringLiteral("Testo"),
         QStringLiteral("INSERT INTO Promemoria (IdPromemoria, Testo, data, Eseguito, DataUpdate) "
                        "VALUES (%1, 'Bollette', '2024-04-01', 0, '") + today + QStringLiteral("')"),
         [] { return std::make_unique<frmAddPro>(); }},
        {"frmAddAppunta", QStringLiteral("Appunta"), QStringLiteral("IdAppunta"), QStringLiteral("Note"),
         QStringLiteral("INSERT INTO Appunta (IdAppunta, Data, IdGiorno, Anno, IdTurno, IdPostazione, Cliente, Note, "
                        "Data_Update) VALUES (%1, date('2024-01-01', '+%1 days'), 2, 2024, '08:30', 1, 'Rossi Anna', "
                        "'Taglio', '") + today + QStringLiteral("')"),
         [] { return std::make_unique<frmAddAppunta>(); }},
    };

    std::printf("%-14s %7s %8s %8s %8s %6s\n", "editor", "rounds", "deleted", "refused", "saved", "lost");
    Connection &cn = DataBase::AdoConnect();
    int id = 0;
    for (const Editor &e : editors) {
        int deleted = 0, saved = 0, lost = 0;
        for (int round = 0; round < rounds; ++round) {
            ++id;
            cn.execute(e.insert.arg(id));
            other.write(QStringLiteral("%1 %2 %3 %4 %5\n").arg(file, e.table, e.key).arg(id).arg(e.column).toUtf8());
            if (readLine(other) != QLatin1String("read"))
                return 1;
            const auto form = e.make();
            form->setRecordId(id);
            form->show();
            form->findChild<QPushButton *>(QStringLiteral("Command6"))->click();
            const bool toldSaved = readLine(other) == QLatin1String("saved");
            const auto row = cn.query(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(e.column, e.table, e.key).arg(id));
            deleted += row.isEmpty();
            saved += toldSaved;
            lost += toldSaved && (row.isEmpty() || row[0][0].toString() != kOthers);
            form->close();
        }
        std::printf("%-14s %7d %8d %8d %8d %6d\n", e.name, rounds, deleted, rounds - deleted, saved, lost);
    }
    other.closeWriteChannel();
    other.waitForFinished();
    return 0;
}
