#include "Fonts.h"
#include "frmBackup.h"

#include "Italian.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    substituteFonts();
    Italian::apply();
    frmBackup form;
    // Closing the form ends the program, even with the help window still open.
    QObject::connect(&form, &QDialog::finished, &app, &QApplication::quit);
    form.show();
    return app.exec();
}
