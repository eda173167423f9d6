#include "ProgramFolder.h"

#include "AppError.h"
#include "Shell.h"
#include "db/DatabaseFile.h"

#include <QDir>

namespace {
const QString schemaFile(const char *name) { return QStringLiteral(SCHEMA_DIR "/") + QLatin1String(name); }
}

ProgramFolder::ProgramFolder()
{
    if (!m_dir.isValid() || !QDir(path()).mkpath(QStringLiteral("Dati")) || !QDir(path()).mkpath(QStringLiteral("Backup")))
        throw AppError(AppError::Unspecified, QStringLiteral("Impossibile preparare la cartella del programma"));
    DatabaseFile::create(logoPath(), {schemaFile("logo.sql")});
    DatabaseFile::create(templatePath(), {schemaFile("family.sql")});
    addFamily(QStringLiteral("Famiglia"));
    Shell::setAppPath(path());
}

ProgramFolder::~ProgramFolder() { Shell::setAppPath({}); }

QString ProgramFolder::path() const { return QDir(m_dir.path()).absolutePath(); }
QString ProgramFolder::logoPath() const { return path() + QStringLiteral("/Dati/logo.mdb"); }
QString ProgramFolder::templatePath() const { return path() + QStringLiteral("/Dati/Exe.mdb"); }
QString ProgramFolder::familyPath(const QString &name) const { return path() + QStringLiteral("/Dati/") + name + QStringLiteral(".mdb"); }

QString ProgramFolder::familyConnection(const QString &name) const
{
    QString sql = QStringLiteral("SELECT Indirizzo FROM Aziende WHERE NomeAzienda = '%1'");
    const auto rows = select(logoPath(), sql.arg(QString(name).replace(QLatin1Char('\''), QStringLiteral("''"))));
    if (rows.isEmpty())
        throw AppError(AppError::Unspecified, QStringLiteral("Famiglia sconosciuta: %1").arg(name));
    return rows.first().first().toString();
}

QString ProgramFolder::familyConnString(const QString &name) const
{
    return familyConnection(name).trimmed() + QStringLiteral(";Jet OLEDB:Database Password=tubo");
}

QString ProgramFolder::logoConnection() const
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=tubo;"
                          "Persist Security Info=False;Data Source=") + logoPath();
}

int ProgramFolder::addFamily(const QString &name)
{
    const QString family = name.trimmed();
    DatabaseFile::execute(logoPath(), DatabaseFile::readSql(schemaFile("new_family.sql")),
                          {{QStringLiteral("Nome"), family}, {QStringLiteral("Cartella"), path()}});
    DatabaseFile::copy(templatePath(), familyPath(family));
    return select(logoPath(), QStringLiteral("SELECT max(IdAzienda) FROM Aziende")).first().first().toInt();
}

void ProgramFolder::execute(const QString &dbPath, const QString &sql) { DatabaseFile::execute(dbPath, sql); }

QVector<QVector<QVariant>> ProgramFolder::select(const QString &dbPath, const QString &sql)
{
    return DatabaseFile::select(dbPath, sql);
}
