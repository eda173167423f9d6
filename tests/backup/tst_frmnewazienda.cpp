// A new family from the families form: its database copied from the template, then its row.

#include "ProgramFolder.h"
#include "Seams.h"
#include "Shell.h"
#include "db/Connection.h"
#include "frmBackup.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

class tst_frmNewAzienda : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void newFamily_data();
    void newFamily();
    void refusedNames_data();
    void refusedNames();
    void templateMissing();
    void closeRefillsList();

private:
    // Opens the new-family form from the families form; script runs on it while it is shown.
    void newFromMenu(const std::function<void(QDialog *)> &script);
    static void type(QDialog *form, const QString &name)
    {
        // Letters beyond ASCII as the keyboard sends them: a key event carrying the text.
        auto *txt = form->findChild<QLineEdit *>(QStringLiteral("txtNome"));
        for (const QChar c : name)
            QTest::sendKeyEvent(QTest::Click, txt, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static void click(QDialog *form, const char *button)
    {
        QTest::mouseClick(form->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    QVector<QVector<QVariant>> aziende() const
    {
        return ProgramFolder::select(m_folder->logoPath(),
                                     QStringLiteral("SELECT TipoProvider, NomeAzienda, PercorsoO, Indirizzo, PercorsoD "
                                                    "FROM Aziende ORDER BY IdAzienda"));
    }
    QStringList datiFiles() const { return QDir(m_folder->path() + QStringLiteral("/Dati")).entryList(QDir::Files, QDir::Name); }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MsgRecorder> m_boxes;
    std::unique_ptr<frmBackup> m_form;
    bool m_stillOpen = false;
};

void tst_frmNewAzienda::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void tst_frmNewAzienda::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    m_boxes = std::make_unique<MsgRecorder>();
    m_form = std::make_unique<frmBackup>();
    m_form->show();
}

void tst_frmNewAzienda::cleanup()
{
    Shell::setModalHandler({});
    m_form.reset();
    m_boxes.reset();
    m_folder.reset();
}

void tst_frmNewAzienda::newFromMenu(const std::function<void(QDialog *)> &script)
{
    QString title, kind;
    Shell::setModalHandler([this, script, &title, &kind](QDialog *form) -> int {
        form->show();
        title = form->windowTitle();
        kind = form->findChild<QComboBox *>(QStringLiteral("Combo1"))->currentText();
        script(form);
        m_stillOpen = form->isVisible();
        if (m_stillOpen)
            form->close();
        return form->result();
    });
    m_form->findChild<QAction *>(QStringLiteral("mnuNewAzienda"))->trigger();
    QCOMPARE(title, QStringLiteral("Nuova azienda"));
    QCOMPARE(kind, QStringLiteral("Access 2000/Xp"));
}

void tst_frmNewAzienda::newFamily_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("byEnter");   // Enter on the focused "Crea" instead of a click
    QTest::newRow("blanks around") << "  Verdi " << "Verdi" << false;
    QTest::newRow("apostrophe") << "Dell'Orto" << "Dell'Orto" << false;
    QTest::newRow("accent and blank") << "Città Alta" << "Città Alta" << false;
    QTest::newRow("equals sign") << "A=B" << "A=B" << false;
    QTest::newRow("Enter on Crea") << "Verdi" << "Verdi" << true;
}

void tst_frmNewAzienda::newFamily()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(bool, byEnter);
    newFromMenu([&typed, byEnter](QDialog *form) {
        type(form, typed);
        if (byEnter) {
            auto *create = form->findChild<QPushButton *>(QStringLiteral("Command1"));
            create->setFocus();
            QTest::keyClick(create, Qt::Key_Return);
        } else {
            click(form, "Command1");
        }
    });
    QVERIFY(!m_stillOpen);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last(), (MsgRecord{"Registrazione completata con successo.", MsgKind::Information,
                                         "Gestione aziende"}));

    const QString p = m_folder->path();
    const QString file = p + QStringLiteral("/Dati/") + name + QStringLiteral(".mdb");
    const QString backup = p + QStringLiteral("/Backup/") + name + QStringLiteral(".mdb");
    const auto rows = aziende();
    QCOMPARE(rows.size(), 2);
    const QVector<QVariant> expected{QStringLiteral("A"), name, file,
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=") + file, backup};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(rows.at(1).at(i).toString(), expected.at(i).toString());
    // The fixture's family was made the same way.
    QCOMPARE(rows.at(0).at(3).toString(), m_folder->familyConnection());

    // The main program opens it with the stored text and the password, and finds the template's Admin.
    auto admins = [](const QString &connectionText) {
        Connection family;
        family.open(connectionText);
        return family.query(QStringLiteral("SELECT Nome, Ruolo FROM Utenti"));
    };
    const auto users = admins(rows.at(1).at(3).toString().trimmed() + QStringLiteral(";Jet OLEDB:Database Password=tubo"));
    QCOMPARE(users.size(), 1);
    QCOMPARE(users.at(0).at(0).toString(), QStringLiteral("Admin"));
    QCOMPARE(users.at(0).at(1).toString(), QStringLiteral("Admin"));

    // The families list has it; picked there, it is backed up to Backup/.
    auto *cbo = m_form->findChild<QComboBox *>(QStringLiteral("cboAzienda"));
    QCOMPARE(cbo->count(), 2);
    QCOMPARE(cbo->itemText(1), name);
    cbo->setFocus();
    QTest::keyClick(cbo, Qt::Key_Down);
    QCOMPARE(m_form->findChild<QLineEdit *>(QStringLiteral("txtAzienda"))->text(), name);
    m_boxes->clear();
    QTest::mouseClick(m_form->findChild<QPushButton *>(QStringLiteral("Command7")), Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 2);
    QCOMPARE(m_boxes->last().text, QStringLiteral("Operazione completata"));
    QCOMPARE(ProgramFolder::select(backup, QStringLiteral("PRAGMA integrity_check")).value(0).value(0).toString(),
             QStringLiteral("ok"));
    QCOMPARE(admins(QStringLiteral("Data Source=") + backup), users);
}

void tst_frmNewAzienda::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refusal");
    const QString empty = QStringLiteral("Inserire il nome dell' azienda");
    const QString bad = QStringLiteral("Il nome dell' azienda non può iniziare con un punto né contenere i caratteri "
                                       "\\ / : * ? \" < > | ;");
    QTest::newRow("empty") << "" << empty;
    QTest::newRow("blanks") << "   " << empty;
    QTest::newRow("slash") << "a/b" << bad;
    QTest::newRow("backslash") << "a\\b" << bad;
    QTest::newRow("parent folder") << "../logo" << bad;
    QTest::newRow("colon") << "a:b" << bad;
    QTest::newRow("star") << "a*" << bad;
    QTest::newRow("semicolon") << "Rossi;Bianchi" << bad;
    QTest::newRow("dot first") << ".nascosta" << bad;
    QTest::newRow("existing family") << "Famiglia" << "Esiste già un' azienda con questo nome.";
    QTest::newRow("existing family, other case") << " famiglia" << "Esiste già un' azienda con questo nome.";
    QTest::newRow("existing family, no database") << "Fantasma" << "Esiste già un' azienda con questo nome.";
    QTest::newRow("existing database file") << "Orfano" << "Esiste già il database %1/Dati/Orfano.mdb";
    QTest::newRow("the template") << "Exe" << "Esiste già il database %1/Dati/Exe.mdb";
    QTest::newRow("the families database") << "logo" << "Esiste già il database %1/Dati/logo.mdb";
}

void tst_frmNewAzienda::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, refusal);
    {
        QFile orphan(m_folder->path() + QStringLiteral("/Dati/Orfano.mdb"));
        QVERIFY(orphan.open(QIODevice::WriteOnly));
        orphan.write("dati di un'altra famiglia");
    }
    m_folder->addFamily(QStringLiteral("Fantasma"));
    QVERIFY(QFile::remove(m_folder->familyPath(QStringLiteral("Fantasma"))));
    const QStringList filesBefore = datiFiles();
    const QByteArray templateBefore = [this] { QFile f(m_folder->templatePath()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    newFromMenu([&name](QDialog *form) {
        type(form, name);
        click(form, "Command1");
    });
    QVERIFY(m_stillOpen);
    QCOMPARE(m_boxes->count(), 1);
    const QString shown = refusal.contains(QLatin1String("%1")) ? refusal.arg(m_folder->path()) : refusal;
    QCOMPARE(m_boxes->last(), (MsgRecord{shown, MsgKind::Warning, "Errore"}));
    QCOMPARE(aziende().size(), 2);
    QCOMPARE(datiFiles(), filesBefore);
    QFile orphan(m_folder->path() + QStringLiteral("/Dati/Orfano.mdb"));
    QVERIFY(orphan.open(QIODevice::ReadOnly));
    QCOMPARE(orphan.readAll(), QByteArray("dati di un'altra famiglia"));
    QFile templ(m_folder->templatePath());
    QVERIFY(templ.open(QIODevice::ReadOnly));
    QCOMPARE(templ.readAll(), templateBefore);
}

void tst_frmNewAzienda::templateMissing()
{
    QVERIFY(QFile::remove(m_folder->templatePath()));
    newFromMenu([](QDialog *form) {
        type(form, QStringLiteral("Verdi"));
        click(form, "Command1");
    });
    QVERIFY(m_stillOpen);
    QCOMPARE(m_boxes->count(), 2);
    QCOMPARE(m_boxes->shown().at(0).kind, MsgKind::Error);   // the file operation's own error
    QCOMPARE(m_boxes->last(), (MsgRecord{"One or more operations were not successfully completed.", MsgKind::Warning,
                                         "Gestione aziende"}));
    QCOMPARE(aziende().size(), 1);
    QVERIFY(!QFile::exists(m_folder->familyPath(QStringLiteral("Verdi"))));
}

void tst_frmNewAzienda::closeRefillsList()
{
    m_folder->addFamily(QStringLiteral("Neri"));
    newFromMenu([](QDialog *form) { click(form, "Command2"); });
    QVERIFY(!m_stillOpen);
    QCOMPARE(m_boxes->count(), 0);
    auto *cbo = m_form->findChild<QComboBox *>(QStringLiteral("cboAzienda"));
    QCOMPARE(cbo->count(), 2);
    QCOMPARE(cbo->itemText(1), QStringLiteral("Neri"));
    QCOMPARE(aziende().size(), 2);
}

QTEST_MAIN(tst_frmNewAzienda)
#include "tst_frmnewazienda.moc"
