#pragma once
// The main program's shared connection and sign-in state, one copy each for the life of the program.

#include <QString>
#include <QtGlobal>

class Connection;
class PWSettings;

namespace DataBase {

Connection &AdoConnect();          // created on first use; opened by BuildStr

extern QString ConnString;         // the family database's connection text, set at sign-in
extern short UserId;               // Utenti.IdUtente of the signed-in user
extern QString UserRole;           // Utenti.Ruolo as text
extern quint8 UserLockType;        // 2 pessimistic, or 1 read-only for a locked user
extern short WorkYear;             // the working year

// Sets UserLockType at sign-in; for a locked user the shared connection itself refuses every write,
// whatever path tries it.
void SetUserLockType(quint8 lockType);

PWSettings &Sett();                // the shared settings store, created on first use

// (Re)opens the shared connection on ConnString; a failure shows its box and leaves it closed.
void BuildStr();

}
