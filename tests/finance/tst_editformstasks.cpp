// The main window's menu commands and its one place that opens forms reach the editing forms,
// shown modally.

#include "../core/FormFixture.h"

#include "Shell.h"
#include "frmMain.h"
#include "frmMov.h"

#include <QAction>
#include <QDialog>

namespace {
class Main : public frmMain
{
public:
    using frmMain::showForm;
};
}

class tst_EditFormsTasks : public QObject
{
    Q_OBJECT

    QStringList shown;

private slots:
    void init()
    {
        shown.clear();
        Shell::setModalHandler([this](QDialog *d) {
            shown << QString::fromLatin1(d->metaObject()->className());
            if (auto *editor = qobject_cast<frmMov *>(d))
                shown.last() += QLatin1Char(':') + QString::number(editor->Movimento());
            return 0;
        });
    }
    void cleanup() { Shell::setModalHandler({}); }

    void menuReachesTheForm_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("form");
        QTest::newRow("Conti correnti") << "mnuCC" << "frmConti";
        QTest::newRow("Tipi di movimenti") << "mnuTipiMov" << "frmTipoMov";
        QTest::newRow("Tipi di pagamenti") << "mnuTipiPag" << "frmTipoPag";
        QTest::newRow("Gestione Utenti") << "mnuUtenti" << "frmUtenti";
        QTest::newRow("Nuovo movimento") << "mnuNewMov" << "frmMov:0";
        QTest::newRow("Nuovo movimento, popup") << "mnuAddMov" << "frmMov:0";
    }
    void menuReachesTheForm()
    {
        QFETCH(QString, menu);
        QFETCH(QString, form);
        FormSession session;
        Main main;
        main.findChild<QAction *>(menu)->trigger();
        QCOMPARE(shown, QStringList{form});
    }

    void settingsFormIsOpenedByName()
    {
        FormSession session;
        Main main;
        main.showForm(QStringLiteral("frmSettings"));
        QCOMPARE(shown, QStringList{QStringLiteral("frmSettings")});
    }

    void movementEditorGetsTheRowId()
    {
        FormSession session;
        Main main;
        main.showForm(QStringLiteral("frmMov"), 22);
        QCOMPARE(shown, QStringList{QStringLiteral("frmMov:22")});
    }
};

QTEST_MAIN(tst_EditFormsTasks)
#include "tst_editformstasks.moc"
