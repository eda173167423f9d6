// The main window's menu commands and its one place that opens forms reach the editing forms,
// shown modally.

#include "../core/FormFixture.h"

#include "EditForm.h"
#include "ExplorerBar.h"
#include "Shell.h"
#include "frmMain.h"
#include "frmMov.h"

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>

namespace {
// A single-record editor of the accounts, standing in for the editors opened on a record.
class AccountEditor : public EditForm
{
public:
    explicit AccountEditor(QWidget *parent)
        : EditForm(SingleRecord, {QStringLiteral("Conti"), QStringLiteral("IdConto"), QStringLiteral("Conto"), 1}, parent)
    {
        bind(textBox("txtDescr"), QStringLiteral("Descrizione"));
    }

protected:
    QString requiredFieldMessage() const override { return {}; }
};

class Main : public frmMain
{
public:
    using frmMain::showForm;

protected:
    std::unique_ptr<QDialog> createForm(const QString &form) override
    {
        if (form == QLatin1String("frmProp"))
            return std::make_unique<AccountEditor>(this);
        return frmMain::createForm(form);
    }
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
                shown.last() += QLatin1Char(':') + QString::number(editor->property("Movimento").toInt());
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
        QTest::newRow("Postazioni di lavoro") << "mnuPostazioni" << "frmPostazioni";
        QTest::newRow("Turni di lavoro") << "mnuTurni" << "frmTurni";
        QTest::newRow("Nuovo appuntamento") << "mnuNewApp" << "frmAddAppunta";
        QTest::newRow("Appuntamenti") << "mnuVisApp" << "frmAppunta";
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

    // An explorer-bar item's underlined letter, with Alt, acts as a click on the item, whatever
    // has the focus in the window; the menu bar's own letters take none of them.
    void barMnemonicReachesTheForm_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("form");
        QTest::newRow("Nuovo &movimento") << "NEWMOV" << QKeySequence(Qt::ALT | Qt::Key_M) << "frmMov:0";
    }
    void barMnemonicReachesTheForm()
    {
        QFETCH(QString, item);
        QFETCH(QKeySequence, keys);
        FormSession session;
        Main main;
        QVERIFY(ui::open(&main));
        QVERIFY(main.findChild<ExplorerBarItem *>(item)->caption().contains(QLatin1Char('&')));
        main.findChild<QWidget *>(QStringLiteral("txtDal"))->setFocus();
        QTest::keySequence(QApplication::focusWidget(), keys);
        ui::settle();
        QTEST(shown.join(QLatin1Char(' ')), "form");
        QCOMPARE(session.msg.count(), 0);
    }

    // The id given to the one place that opens forms is the record the editor shows.
    void recordIdReachesTheEditor_data()
    {
        QTest::addColumn<std::optional<int>>("id");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("mode");
        QTest::newRow("an existing record") << std::optional<int>(7) << "Sette" << 0;
        QTest::newRow("no id: a new record") << std::optional<int>() << "" << 2;
        QTest::newRow("id 0: a new record") << std::optional<int>(0) << "" << 2;
    }
    void recordIdReachesTheEditor()
    {
        QFETCH(std::optional<int>, id);
        QFETCH(QString, shown);
        QFETCH(int, mode);
        FormSession session;
        session.db.exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (7, '7', 'Sette');"));
        QString text;
        int editMode = -1;
        Shell::setModalHandler([&](QDialog *d) {
            if (ui::open(d)) {
                text = ui::field(d, "txtDescr")->text();
                editMode = static_cast<EditForm *>(d)->editMode();
            }
            return 0;
        });
        Main main;
        main.showForm(QStringLiteral("frmProp"), id);
        QCOMPARE(text, shown);
        QCOMPARE(editMode, mode);
        QCOMPARE(session.msg.count(), 0);
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
