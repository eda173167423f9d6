// The Backup program's forms may be neither minimised nor maximised: they offer only the close button.

#include "TitleBarButtons.h"
#include "frmBackup.h"
#include "frmNewAzienda.h"

#include <QtTest>

class tst_BackupTitleBars : public QObject
{
    Q_OBJECT
private slots:
    void closeOnly()
    {
        frmBackup families;
        frmNewAzienda newFamily(&families);
        QCOMPARE(TitleBarButtons::of(&families), TitleBarButtons::CloseOnly);
        QCOMPARE(TitleBarButtons::of(&newFamily), TitleBarButtons::CloseOnly);
    }
};

QTEST_MAIN(tst_BackupTitleBars)
#include "tst_backuptitlebars.moc"
