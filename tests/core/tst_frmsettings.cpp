// The settings form against a real settings file in a temporary folder.

#include "FormFixture.h"

#include "HTMLHelp.h"
#include "frmSettings.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

class tst_frmSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<MsgRecorder> msg;

    static QVariant stored(const QString &key)
    {
        QSettings s(QStringLiteral("Focolarium"), QStringLiteral("Focolarium"));
        return s.value(QStringLiteral("Options/") + key);
    }
    // The stored options as "key=value", "key" alone where nothing is stored: one comparison shows
    // every option that differs.
    static QStringList stored(const QStringList &keys)
    {
        QStringList out;
        for (const QString &key : keys) {
            const QVariant v = stored(key);
            out << (v.isValid() ? key + QLatin1Char('=') + v.toString() : key);
        }
        return out;
    }
    static void store(const QString &key, const QString &text)
    {
        QSettings s(QStringLiteral("Focolarium"), QStringLiteral("Focolarium"));
        s.setValue(QStringLiteral("Options/") + key, text);
    }
    static QCheckBox *check(QWidget *form, const char *name) { return ui::field<QCheckBox>(form, name); }
    std::unique_ptr<frmSettings> openForm()
    {
        auto form = std::make_unique<frmSettings>();
        if (!ui::open(form.get()))
            qFatal("frmSettings did not open");
        return form;
    }

private slots:
    void initTestCase() { italianLocale(); }
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home->path());
        msg = std::make_unique<MsgRecorder>();
    }
    void cleanup()
    {
        msg.reset();
        home.reset();
    }

    void freshStoreShowsTheDefaults()
    {
        HTMLHelp::CurrentHelpId = 4001;
        auto form = openForm();
        QCOMPARE(msg->count(), 0);
        QCOMPARE(HTMLHelp::CurrentHelpId, 0);
        QCOMPARE(HTMLHelp::formHelpId(form.get()), 0);
        QCOMPARE(ui::field(form.get(), "txtGiorniScadenza")->text(), QStringLiteral("30"));
        QCOMPARE(ui::field(form.get(), "txtMemoria")->text(), QStringLiteral("7"));
        for (const char *name : {"CkeScadenze", "CkeGiacenze", "CkePro", "ckeAppuntament", "CkePass", "CkeAutoConn"})
            QVERIFY2(!check(form.get(), name)->isChecked(), name);
        auto *tabs = ui::field<QTabWidget>(form.get(), "tabSettings");
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Azioni"));
        ui::shoot(form.get(), QStringLiteral("frmSettings"));
        tabs->setCurrentIndex(1);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Avvio"));
        ui::shoot(form.get(), QStringLiteral("frmSettings_Avvio"));
    }

    void applyWritesEverySettingAndCloses()
    {
        auto form = openForm();
        check(form.get(), "CkePro")->click();
        check(form.get(), "ckeAppuntament")->click();
        check(form.get(), "CkeAutoConn")->click();
        ui::type(form.get(), "txtMemoria", QStringLiteral("15"));
        ui::click(form.get(), "cmdApplica");
        QCOMPARE(msg->count(), 0);
        QVERIFY(!form->isVisible());
        QCOMPARE(stored({"ProMemoria", "GiorniScadenza", "ShowPromemoria", "ShowAppuntament", "ShowScadenze",
                         "ShowGiacenze", "AutoLogon", "SavePassword", "Password"}),
                 (QStringList{"ProMemoria=15", "GiorniScadenza=30", "ShowPromemoria=1", "ShowAppuntament=1",
                              "ShowScadenze=0", "ShowGiacenze=0", "AutoLogon=True", "SavePassword=False", "Password"}));
    }

    void lettersInADayBoxStopTheButtons_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::newRow("Applica") << QByteArray("cmdApplica");
        QTest::newRow("Chiudi") << QByteArray("cmdChiudi");
        QTest::newRow("Tab") << QByteArray();
    }
    void lettersInADayBoxStopTheButtons()
    {
        QFETCH(QByteArray, button);
        auto form = openForm();
        ui::type(form.get(), "txtGiorniScadenza", QStringLiteral("dieci"));
        if (button.isEmpty())
            QTest::keyClick(ui::field(form.get(), "txtGiorniScadenza"), Qt::Key_Tab);
        else
            ui::click(form.get(), button.constData());
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last(), (MsgRecord{"Il Campo è Numerico", MsgKind::Error, "Errore Campo numerico"}));
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), ui::field(form.get(), "txtGiorniScadenza"));
        QVERIFY(!stored(QStringLiteral("ShowScadenze")).isValid());
        // Esc still closes, writing nothing.
        QTest::keyClick(ui::field(form.get(), "txtGiorniScadenza"), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QCOMPARE(stored({"GiorniScadenza", "ShowScadenze"}), (QStringList{"GiorniScadenza", "ShowScadenze"}));
    }

    void emptyDayBoxKeepsItsStoredValue()
    {
        store(QStringLiteral("GiorniScadenza"), QStringLiteral("12"));
        auto form = openForm();
        QCOMPARE(ui::field(form.get(), "txtGiorniScadenza")->text(), QStringLiteral("12"));
        ui::type(form.get(), "txtGiorniScadenza", QString());
        ui::type(form.get(), "txtMemoria", QStringLiteral("3"));
        ui::click(form.get(), "cmdApplica");
        QCOMPARE(msg->count(), 0);
        QVERIFY(!form->isVisible());
        QCOMPARE(stored({"GiorniScadenza", "ProMemoria", "AutoLogon"}),
                 (QStringList{"GiorniScadenza=12", "ProMemoria=3", "AutoLogon=False"}));
    }

    void clearingSavePasswordRemovesIt()
    {
        store(QStringLiteral("SavePassword"), QStringLiteral("True"));
        store(QStringLiteral("Password"), QStringLiteral("segreta"));
        auto form = openForm();
        QVERIFY(check(form.get(), "CkePass")->isChecked());
        check(form.get(), "CkePass")->click();
        ui::click(form.get(), "cmdApplica");
        QCOMPARE(stored({"SavePassword", "Password"}), (QStringList{"SavePassword=False", "Password"}));
        // Ticking it again in the same run stores an empty password.
        auto again = openForm();
        check(again.get(), "CkePass")->click();
        ui::click(again.get(), "cmdApplica");
        QCOMPARE(stored({"SavePassword", "Password"}), (QStringList{"SavePassword=True", "Password="}));
    }

    void closeWritesNothing()
    {
        auto form = openForm();
        check(form.get(), "CkeScadenze")->click();
        ui::type(form.get(), "txtMemoria", QStringLiteral("9"));
        ui::click(form.get(), "cmdChiudi");
        QVERIFY(!form->isVisible());
        QCOMPARE(stored({"ShowScadenze", "ProMemoria"}), (QStringList{"ShowScadenze", "ProMemoria"}));
    }

    void storedFlagOutOfRangeStopsTheLoad()
    {
        store(QStringLiteral("ShowGiacenze"), QStringLiteral("5"));
        store(QStringLiteral("ShowPromemoria"), QStringLiteral("1"));
        auto form = openForm();
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Plain);
        QCOMPARE(msg->last().title, QStringLiteral("Focolarium"));
        QCOMPARE(ui::field(form.get(), "txtMemoria")->text(), QStringLiteral("7"));
        QVERIFY(!check(form.get(), "CkePro")->isChecked());   // skipped after the failure
    }

    void overflowStopsTheApplyAndKeepsTheForm()
    {
        auto form = openForm();
        check(form.get(), "CkeGiacenze")->click();
        check(form.get(), "CkeAutoConn")->click();
        ui::type(form.get(), "txtGiorniScadenza", QStringLiteral("99999999999"));
        ui::click(form.get(), "cmdApplica");
        QCOMPARE(msg->count(), 1);
        QCOMPARE(msg->last().kind, MsgKind::Plain);
        QCOMPARE(msg->last().title, QStringLiteral("Focolarium"));
        QVERIFY(form->isVisible());
        // AutoLogon as the load left it.
        QCOMPARE(stored({"ShowGiacenze", "GiorniScadenza", "AutoLogon"}),
                 (QStringList{"ShowGiacenze=1", "GiorniScadenza", "AutoLogon=False"}));
    }
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmsettings.moc"
