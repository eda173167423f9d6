#include "BenchWindow.h"

#include "AppError.h"
#include "DataBase.h"
#include "Italian.h"
#include "ListGrid.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace BenchWindow {

// A family with a few accounts and types and every movement dated in the one year.
static const BenchFamily::Spread oneYear{
    QDate(year, 1, 1), QDate(year, 12, 31),
    "INSERT INTO Conti (NConto, Descrizione) VALUES ('1','Banca'),('2','Posta'),('3','Carta');"
    "INSERT INTO TipoPag (NomePag) VALUES ('Bonifico'),('Bancomat'),('Contanti');"
    "INSERT INTO TipoMov (Descrizione, EntrateUscite) VALUES ('Stipendio',-1),('Spesa',0),('Bollette',0),('Regali',-1);",
    3, 3, 4, false, year};

std::unique_ptr<frmMain> open(const QString &file, int movements)
{
    BenchFamily::fill(file, oneYear, movements);
    DataBase::ConnString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file;
    DataBase::BuildStr();
    DataBase::UserId = 1;
    DataBase::WorkYear = year;   // the window shows the working year in its year combo when it is shown
    auto window = std::make_unique<frmMain>();
    window->show();
    QApplication::processEvents();
    return window;
}

BenchFamily::Result movementList(frmMain &window)
{
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QStringLiteral("mnuVisMov"))->trigger();
    BenchFamily::Result r;
    r.nanoseconds = timer.nsecsElapsed();
    r.rows = window.findChild<ListGrid *>(QStringLiteral("grdThis"))->rows();
    return r;
}

int run(int &argc, char *argv[], const char *name,
        const std::function<int(const QString &dir, const QString &file, frmMain &window)> &body,
        int movements)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Italian::apply();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Famiglia.mdb"));
    try {
        const std::unique_ptr<frmMain> window = open(file, movements);
        return body(dir.path(), file, *window);
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s: %s\n", name, e.what());
        return 1;
    }
}

}
