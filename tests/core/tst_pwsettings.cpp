// The settings store against a real settings file in a fresh temporary folder per test.

#include "AppError.h"
#include "PWSettings.h"

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

class TestPWSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString fileName() const { return m_dir->filePath(QStringLiteral("Focolarium/Focolarium.conf")); }

    // The file as another program would read it.
    QVariant raw(const QString &key) const
    {
        QSettings file(fileName(), QSettings::IniFormat);
        return file.value(QStringLiteral("Options/") + key);
    }
    void putRaw(const QString &key, const QString &text)
    {
        QSettings file(fileName(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Options/") + key, text);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
    }

    void firstRunGivesDefaultsAndRepairsFlags()
    {
        PWSettings s;
        QCOMPARE(s.UserName(), QStringLiteral("Admin"));
        QCOMPARE(s.Password(), QString());
        QCOMPARE(s.SavePass(), false);
        QCOMPARE(raw("SavePassword"), QVariant(QStringLiteral("False")));
        QCOMPARE(s.Autocon(), false);
        QCOMPARE(raw("AutoLogon"), QVariant(QStringLiteral("False")));
        QCOMPARE(s.SelectAzienda(), short(0));
        QCOMPARE(s.Promemoria(), 7);
        QCOMPARE(s.GiorniScadenza(), 30);
        QCOMPARE(s.ShowScadenze() + s.ShowGiacenze() + s.ShowAppuntament() + s.ShowPromemoria(), 0);
        QCOMPARE(s.LeftListAppuntament(), short(2500));
        // A sample of the further properties, one of each type.
        QCOMPARE(s.LarghezzaColDescrScadenze(), 4170.0f);
        QCOMPARE(s.VisibleBarraStrumenti(), true);
        QCOMPARE(s.EnableFornPred(), false);
        QCOMPARE(s.MaxSelStatistica(), short(15));
        QCOMPARE(s.IvaPresunta(), 20);
        QCOMPARE(s.RitenutaAcconto(), 0.0);
        QCOMPARE(s.OrderRiepDoc(), QStringLiteral("Tab_Testa.Nfattura, Documenti.TipiFatture"));
        QCOMPARE(s.Post4(), QStringLiteral("Post4"));
        // Reading defaults writes nothing else.
        QSettings file(fileName(), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("Options"));
        QCOMPARE(file.childKeys(), QStringList({QStringLiteral("AutoLogon"), QStringLiteral("SavePassword")}));
    }

    void passwordShowsOnlyAfterSavePassReadTrue_data()
    {
        QTest::addColumn<QString>("savePassword");
        QTest::addColumn<QString>("expected");
        QTest::newRow("saving on") << "True" << "se'greto";
        QTest::newRow("saving on as a number") << "-1" << "se'greto";
        QTest::newRow("saving off") << "False" << "";
    }
    void passwordShowsOnlyAfterSavePassReadTrue()
    {
        QFETCH(QString, savePassword);
        QFETCH(QString, expected);
        putRaw(QStringLiteral("Password"), QStringLiteral("se'greto"));
        putRaw(QStringLiteral("SavePassword"), savePassword);
        PWSettings s;
        QCOMPARE(s.Password(), QString());
        s.SavePass();
        QCOMPARE(s.Password(), expected);
        QCOMPARE(PWSettings().Password(), QString());   // the flag belongs to the object that read it
    }

    void savePassOffRemovesPassword_data()
    {
        QTest::addColumn<bool>("passwordStored");
        QTest::newRow("password stored") << true;
        QTest::newRow("no password") << false;
    }
    void savePassOffRemovesPassword()
    {
        QFETCH(bool, passwordStored);
        if (passwordStored)
            putRaw(QStringLiteral("Password"), QStringLiteral("x"));
        putRaw(QStringLiteral("SavePassword"), QStringLiteral("True"));
        PWSettings s;
        s.setSavePass(false);
        QCOMPARE(raw("SavePassword"), QVariant(QStringLiteral("False")));
        QVERIFY(!raw("Password").isValid());
    }

    void savePassOnStoresTheObjectsPassword()
    {
        PWSettings fresh;
        fresh.setSavePass(true);
        QCOMPARE(raw("SavePassword"), QVariant(QStringLiteral("True")));
        QCOMPARE(raw("Password"), QVariant(QString()));   // present, and empty
        QCOMPARE(fresh.Password(), QString());            // the write leaves the flag alone

        PWSettings signedIn;
        signedIn.setPassword(QStringLiteral("anna1"));
        signedIn.setSavePass(false);
        QVERIFY(!raw("Password").isValid());
        signedIn.setSavePass(true);
        QCOMPARE(raw("Password"), QVariant(QStringLiteral("anna1")));
        QVERIFY(signedIn.SavePass());
        QCOMPARE(signedIn.Password(), QStringLiteral("anna1"));
    }

    void writesGoUnderTheirKeysAsText()
    {
        PWSettings s;
        s.setPromemoria(10);
        QCOMPARE(raw("ProMemoria"), QVariant(QStringLiteral("10")));
        QVERIFY(!raw("Promemoria").isValid());
        s.setAutocon(true);
        QCOMPARE(raw("AutoLogon"), QVariant(QStringLiteral("True")));
        QCOMPARE(s.Autocon(), true);
        s.setRitenutaAcconto(2.5);
        QCOMPARE(raw("RitenutaAcconto"), QVariant(QStringLiteral("2,5")));
        QCOMPARE(s.RitenutaAcconto(), 2.5);
        s.setLarghezzaColListinoForn(0.1f);
        QCOMPARE(raw("LarghezzaColListinoForn"), QVariant(QStringLiteral("0,1")));
        s.setEnableDistinta(true);
        QCOMPARE(raw("EnableDistinta"), QVariant(QStringLiteral("True")));
        s.setShowScadenze(1);
        QCOMPARE(raw("ShowScadenze"), QVariant(QStringLiteral("1")));
        s.setPost2(QStringLiteral("Sala, piano 1"));
        QCOMPARE(PWSettings().Post2(), QStringLiteral("Sala, piano 1"));   // no cache: another object sees it
        s.setUserName(QStringLiteral("anna"));
        QCOMPARE(PWSettings().UserName(), QStringLiteral("anna"));
    }

    void storedTextsThatDoNotConvertRaise_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<long>("error");
        QTest::addColumn<QString>("property");

        const long tm = AppError::TypeMismatch, ov = AppError::Overflow;
        QTest::newRow("empty ProMemoria") << "ProMemoria" << "" << tm << "Promemoria";
        QTest::newRow("letters in a Long") << "GiorniScadenza" << "trenta" << tm << "GiorniScadenza";
        QTest::newRow("Integer too large") << "SelectAzienda" << "40000" << ov << "SelectAzienda";
        QTest::newRow("Single too large") << "LarghezzaColListinoForn" << "1E+39" << ov << "LarghezzaColListinoForn";
        QTest::newRow("neither True nor a number") << "EnableDistinta" << "forse" << tm << "EnableDistinta";
        QTest::newRow("bad SavePassword") << "SavePassword" << "forse" << tm << "SavePass";
        QTest::newRow("bad AutoLogon") << "AutoLogon" << "si" << tm << "Autocon";
    }
    void storedTextsThatDoNotConvertRaise()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(long, error);
        QFETCH(QString, property);
        putRaw(key, text);

        PWSettings s;
        const QHash<QString, std::function<void()>> reads{
            {QStringLiteral("Promemoria"), [&] { s.Promemoria(); }},
            {QStringLiteral("GiorniScadenza"), [&] { s.GiorniScadenza(); }},
            {QStringLiteral("SelectAzienda"), [&] { s.SelectAzienda(); }},
            {QStringLiteral("LarghezzaColListinoForn"), [&] { s.LarghezzaColListinoForn(); }},
            {QStringLiteral("EnableDistinta"), [&] { s.EnableDistinta(); }},
            {QStringLiteral("SavePass"), [&] { s.SavePass(); }},
            {QStringLiteral("Autocon"), [&] { s.Autocon(); }},
        };
        long raised = 0;
        try {
            reads.value(property)();
        } catch (const AppError &e) {
            raised = e.number();
        }
        QCOMPARE(raised, error);
        QCOMPARE(raw(key), QVariant(text));   // a failed read repairs nothing
    }

    void numbersReadAsBooleans()
    {
        putRaw(QStringLiteral("EnableDistinta"), QStringLiteral("1"));
        putRaw(QStringLiteral("VisibleBarraStrumenti"), QStringLiteral("0"));
        PWSettings s;
        QCOMPARE(s.EnableDistinta(), true);
        QCOMPARE(s.VisibleBarraStrumenti(), false);
    }
};

QTEST_GUILESS_MAIN(TestPWSettings)
#include "tst_pwsettings.moc"
