// focolarium-schema: makes the programs' database files from the SQL under schema/.
//   focolarium-schema create <database> <sql file>...
//   focolarium-schema add-family <program folder> <name> <new family sql>
// add-family writes the family's row into <program folder>/Dati/logo.mdb and makes its database as a
// copy of the template Dati/Exe.mdb, as the Backup program does.

#include "AppError.h"
#include "db/DatabaseFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("uso: focolarium-schema create <database> <file sql>...\n"
               "     focolarium-schema add-family <cartella del programma> <nome> <file sql della nuova famiglia>\n",
               stderr);
    return 2;
}

void addFamily(const QString &programFolder, const QString &name, const QString &rowSql)
{
    const QString folder = QDir(programFolder).absolutePath();
    const QString family = name.trimmed();
    DatabaseFile::execute(folder + QStringLiteral("/Dati/logo.mdb"), DatabaseFile::readSql(rowSql),
                          {{QStringLiteral("Nome"), family}, {QStringLiteral("Cartella"), folder}});
    DatabaseFile::copy(folder + QStringLiteral("/Dati/Exe.mdb"), folder + QStringLiteral("/Dati/") + family + QStringLiteral(".mdb"));
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() >= 3 && args[0] == QLatin1String("create"))
            DatabaseFile::create(args[1], args.mid(2));
        else if (args.size() == 4 && args[0] == QLatin1String("add-family"))
            addFamily(args[1], args[2], args[3]);
        else
            return usage();
    } catch (const AppError &e) {
        std::fprintf(stderr, "focolarium-schema: %s\n", e.what());
        return 1;
    }
    return 0;
}
