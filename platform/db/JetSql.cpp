#include "JetSql.h"

// Placeholder until the translation lands: passes the text through.
namespace JetSql {
QString translate(const QString &jet) { return jet; }
void registerFunctions(sqlite3 *) {}
}
