#pragma once
// A fresh program folder in a temporary directory, laid out as the build lays out the real one:
// Dati/logo.mdb, the template Dati/Exe.mdb, the family "Famiglia" (its Aziende row and its database
// copied from the template) and an empty Backup/. Shell::appPath points at it while it lives.
// Failures raise AppError.

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVector>

class ProgramFolder
{
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder &) = delete;
    ProgramFolder &operator=(const ProgramFolder &) = delete;

    QString path() const;                      // the program folder, without a trailing "/"
    QString logoPath() const;                  // Dati/logo.mdb
    QString templatePath() const;              // Dati/Exe.mdb
    QString familyPath(const QString &name = QStringLiteral("Famiglia")) const;       // Dati/<name>.mdb
    // The family's connection text as stored in Aziende.Indirizzo (no password).
    QString familyConnection(const QString &name = QStringLiteral("Famiglia")) const;
    // The connection text the main program opens: the stored text with the password appended.
    QString familyConnString(const QString &name = QStringLiteral("Famiglia")) const;
    // The families database's connection text as the Backup program writes it.
    QString logoConnection() const;

    // Adds a family as the Backup program does; returns its IdAzienda.
    int addFamily(const QString &name);

    // Runs SQL statements on a database file in one transaction (foreign keys on).
    static void execute(const QString &dbPath, const QString &sql);
    // The rows of a query on a database file, values as stored (integers, doubles, texts, Null).
    static QVector<QVector<QVariant>> select(const QString &dbPath, const QString &sql);

private:
    QTemporaryDir m_dir;
};
