#include "DataBase.h"

#include "AppError.h"
#include "MsgBox.h"
#include "PWSettings.h"
#include "db/Connection.h"

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

PWSettings &Sett()
{
    static PWSettings settings;
    return settings;
}

void BuildStr()
{
    try {
        Connection &conn = AdoConnect();
        if (conn.state() == 1)
            conn.close();
        if (conn.state() == 1)
            return;
        conn.setCursorLocation(3);
        conn.open(ConnString, QString(), QString(), -1);
    } catch (const AppError &e) {
        MsgBox(e.description(), MsgKind::PlainOkCancel, QStringLiteral("Errore Di BuildStr: Connect failed"));
    } catch (const std::exception &e) {
        MsgBox(QString::fromUtf8(e.what()), MsgKind::PlainOkCancel, QStringLiteral("Errore Di BuildStr: Connect failed"));
    }
}

}
