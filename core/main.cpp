#include "FrmStart.h"
#include "Fonts.h"
#include "Italian.h"
#include "MsgBox.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    substituteFonts();
    Italian::apply();
    QCoreApplication::setOrganizationName(QStringLiteral("Focolarium"));
    QCoreApplication::setApplicationName(QStringLiteral("Focolarium"));
    MsgBoxSeam::setDefaultTitle(QStringLiteral("Focolarium"));

    FrmStart splash([] { return new frmMain; });
    splash.show();
    return app.exec();
}
