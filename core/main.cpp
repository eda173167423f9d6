#include "FrmStart.h"
#include "Fonts.h"
#include "MsgBox.h"
#include "frmMain.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    substituteFonts();
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCoreApplication::setOrganizationName(QStringLiteral("Focolarium"));
    QCoreApplication::setApplicationName(QStringLiteral("Focolarium"));
    MsgBoxSeam::setDefaultTitle(QStringLiteral("Focolarium"));

    FrmStart splash([] { return new frmMain; });
    splash.show();
    return app.exec();
}
