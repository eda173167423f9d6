#include "CopyDbFile.h"

#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr long FileNotFoundError = 53;
constexpr long PathAccessError = 75;
constexpr int BusyTimeoutMs = 10000;

struct Db
{
    sqlite3 *h = nullptr;
    ~Db() { sqlite3_close_v2(h); }
};

QString sqliteText(sqlite3 *db, int rc)
{
    return QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

// A copy in progress is written beside its destination under this suffix and renamed when whole; a copy
// that was killed leaves it behind, and the next copy to the same destination removes it.
const QString PartialSuffix = QStringLiteral(".copia-in-corso-");

void removeLeftovers(const QFileInfo &to)
{
    const QString prefix = to.fileName() + PartialSuffix;
    QDir folder = to.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (name.startsWith(prefix))
            folder.remove(name);
}

bool sameFile(const QFileInfo &a, const QFileInfo &b)
{
    if (a.absoluteFilePath() == b.absoluteFilePath())
        return true;
    return b.exists() && a.canonicalFilePath() == b.canonicalFilePath();
}

}

void CopyDbFile(const QString &origin, const QString &destination)
{
    const QFileInfo from(origin);
    const QFileInfo to(destination);
    if (!from.isFile())
        throw AppError(FileNotFoundError, QStringLiteral("File non trovato: %1").arg(origin));
    if (sameFile(from, to))
        throw AppError(PathAccessError,
                       QStringLiteral("Il percorso di destinazione coincide con quello di origine: copia non eseguita."));
    if (to.isDir())
        throw AppError(PathAccessError, QStringLiteral("Il percorso di destinazione è una cartella: %1").arg(destination));

    Db source;
    int rc = sqlite3_open_v2(QFile::encodeName(from.absoluteFilePath()).constData(), &source.h,
                             SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        throw AppError(AppError::Unspecified, QStringLiteral("Impossibile aprire il database di origine %1: %2")
                                                  .arg(origin, sqliteText(source.h, rc)));
    sqlite3_busy_timeout(source.h, BusyTimeoutMs);

    removeLeftovers(to);
    QTemporaryFile temp(to.absoluteFilePath() + PartialSuffix + QStringLiteral("XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open())
        throw AppError(PathAccessError, QStringLiteral("Impossibile scrivere in %1: %2")
                                            .arg(to.absolutePath(), temp.errorString()));
    temp.close();

    {
        Db copy;
        rc = sqlite3_open_v2(QFile::encodeName(temp.fileName()).constData(), &copy.h, SQLITE_OPEN_READWRITE, nullptr);
        // No journal beside the copy: a copy cut short is thrown away whole, never rolled back.
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(copy.h, "PRAGMA journal_mode = OFF", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_backup *backup = sqlite3_backup_init(copy.h, "main", source.h, "main");
            if (backup) {
                rc = sqlite3_backup_step(backup, -1);
                sqlite3_backup_finish(backup);
                if (rc == SQLITE_DONE)
                    rc = SQLITE_OK;
            } else {
                rc = sqlite3_errcode(copy.h);
            }
        }
        if (rc != SQLITE_OK) {
            // The origin's error tells more (not a database, locked) than the copy's.
            const int sourceRc = sqlite3_errcode(source.h);
            sqlite3 *teller = sourceRc != SQLITE_OK ? source.h : copy.h;
            throw AppError(AppError::Unspecified, QStringLiteral("Copia del database non riuscita: %1")
                                                      .arg(sqliteText(teller, rc)));
        }
    }

    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(to.absoluteFilePath()).constData()) != 0)
        throw AppError(PathAccessError, QStringLiteral("Impossibile sostituire %1").arg(destination));
    temp.setAutoRemove(false);   // it has become the destination
    QFile::setPermissions(to.absoluteFilePath(), QFile::permissions(from.absoluteFilePath()));
}
