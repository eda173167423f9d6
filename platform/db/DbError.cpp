#include "DbError.h"

#include <sqlite3.h>

namespace {

// Whether the connection was switched to reading only (PRAGMA query_only), rather than its file
// being one it cannot write.
bool readsOnly(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    const bool on = sqlite3_prepare_v2(db, "PRAGMA query_only", -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) != 0;
    sqlite3_finalize(stmt);
    return on;
}

}

namespace DbError {

AppError fromSqlite(sqlite3 *db, int rc)
{
    // Read before asking about the switch: that question's own statement clears the message.
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if ((rc & 0xff) == SQLITE_READONLY && db && readsOnly(db))
        return readOnly();
    switch (rc) {
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return AppError(AppError::ForeignKey,
                        QStringLiteral("Impossibile eliminare o modificare il record: esistono record correlati "
                                       "in un'altra tabella (vincolo di integrità referenziale)."));
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return AppError(AppError::Unspecified,
                        QStringLiteral("Le modifiche richieste alla tabella non sono state apportate perché "
                                       "creerebbero valori duplicati nell'indice, nella chiave primaria o nella "
                                       "relazione."));
    case SQLITE_CONSTRAINT_NOTNULL:
        return AppError(rc, QStringLiteral("Il campo non può contenere un valore Null (%1).").arg(message));
    case SQLITE_AUTH:
        return AppError(AppError::AuthenticationFailed, QStringLiteral("Autenticazione non riuscita."));
    default:
        break;
    }
    switch (rc & 0xff) {
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
        return AppError(AppError::Unspecified,
                        QStringLiteral("Impossibile aprire il database: %1").arg(message));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return AppError(rc, QStringLiteral("Il database è in uso da parte di un altro utente: riprovare più tardi. (%1)")
                                .arg(message));
    default:
        return AppError(rc, QStringLiteral("Errore del database: %1").arg(message));
    }
}

void raise(sqlite3 *db, int rc)
{
    throw fromSqlite(db, rc);
}

AppError cannotOpen(const QString &file, const QString &why)
{
    return AppError(AppError::Unspecified, QStringLiteral("Impossibile aprire il database '%1': %2").arg(file, why));
}

AppError conflict()
{
    return AppError(AppError::Conflict,
                    QStringLiteral("Impossibile trovare la riga per l'aggiornamento. Alcuni valori potrebbero essere "
                                   "stati modificati dall'ultima lettura."));
}

AppError readOnly()
{
    return AppError(AppError::ReadOnly,
                    QStringLiteral("L'operazione richiesta non è consentita: il recordset è di sola lettura."));
}

AppError objectClosed()
{
    return AppError(AppError::ObjectClosed, QStringLiteral("Operazione non consentita se l'oggetto è chiuso."));
}

AppError noCurrentRecord()
{
    return AppError(AppError::NoCurrentRecord,
                    QStringLiteral("BOF o EOF è True oppure il record corrente è stato eliminato. "
                                   "L'operazione richiesta richiede un record corrente."));
}

AppError itemNotFound(const QString &name)
{
    return AppError(AppError::ItemNotFound,
                    QStringLiteral("Impossibile trovare l'elemento '%1' nell'insieme corrispondente al nome o al "
                                   "numero ordinale richiesto.").arg(name));
}

AppError notUpdatable(const QString &field)
{
    return AppError(AppError::ReadOnly,
                    QStringLiteral("Il campo '%1' non è aggiornabile.").arg(field));
}

AppError tooLong(const QString &field, int definedSize)
{
    return AppError(DataTooLong, QStringLiteral("Il testo è troppo lungo per il campo '%1' (al massimo %2 caratteri).")
                                     .arg(field).arg(definedSize));
}

AppError badArgument(const QString &what)
{
    return AppError(BadArgument, QStringLiteral("Argomenti di tipo errato, non compresi nell'intervallo consentito "
                                                "o in conflitto tra loro: %1").arg(what));
}

AppError badSql(const QString &why)
{
    return AppError(BadSql, why);
}

}
