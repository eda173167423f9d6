#pragma once
// The backup copy of a family database: a consistent copy even while another program has the
// database open and is writing it, since it is read under the database's own locking. The copy is
// made beside the destination and then takes its place, so a failed run leaves the old backup.
// Raises AppError when the origin is missing or is not a database, when the destination is the
// origin itself, or when the destination cannot be written.

#include <QString>

void CopyDbFile(const QString &origin, const QString &destination);
