#include "Fonts.h"
#include "frmBackup.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    substituteFonts();
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    frmBackup form;
    // Closing the form ends the program, even with the help window still open.
    QObject::connect(&form, &QDialog::finished, &app, &QApplication::quit);
    form.show();
    return app.exec();
}
