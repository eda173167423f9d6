#include "DataBase.h"

#include "Guarded.h"
#include "PWSettings.h"
#include "db/Connection.h"
#include "db/Recordset.h"

namespace DataBase {

QString ConnString;
short UserId = 0;
QString UserRole;
quint8 UserLockType = 0;
short WorkYear = 0;

Connection &AdoConnect()
{
    static Connection connection;
    return connection;
}

void SetUserLockType(quint8 lockType)
{
    UserLockType = lockType;
    AdoConnect().setReadOnly(lockType == Recordset::LockReadOnly);
}

PWSettings &Sett()
{
    static PWSettings settings;
    return settings;
}

void BuildStr()
{
    Guarded(QStringLiteral("Errore Di BuildStr: Connect failed"), [] {
        Connection &conn = AdoConnect();
        if (conn.state() == 1)
            conn.close();
        if (conn.state() == 1)
            return;
        conn.setCursorLocation(3);
        conn.open(ConnString, QString(), QString(), -1);
    }, MsgKind::PlainOkCancel);
}

}
