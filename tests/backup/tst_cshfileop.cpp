// The file-operation wrapper: what it hands the desktop's file operation, and what the operation
// does with real files under each flag.

#include "AppError.h"
#include "CSHFileOp.h"
#include "Seams.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

class tst_CSHFileOp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void defaults();
    void flagWord_data();
    void flagWord();
    void listTexts();
    void noSourceRaises_data();
    void noSourceRaises();
    void copyReplacing_data();
    void copyReplacing();
    void renameOnCollision();
    void missingSourceFails();
    void multipleDestinations();
    void copyIntoMissingFolder_data();
    void copyIntoMissingFolder();
    void moveAndRename();
    void deleteAsksFirst();
    void deleteToTrash_data();
    void deleteToTrash();
    void filesOnly_data();
    void filesOnly();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    bool exists(const QString &name) const { return QFile::exists(path(name)); }
    void write(const QString &name, const QByteArray &content);
    QByteArray read(const QString &name) const;
    // Fills the operation's lists with files of the temporary folder.
    void files(CSHFileOp &op, const QStringList &sources, const QStringList &dests = {}) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_CSHFileOp::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void tst_CSHFileOp::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_CSHFileOp::write(const QString &name, const QByteArray &content)
{
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray tst_CSHFileOp::read(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void tst_CSHFileOp::files(CSHFileOp &op, const QStringList &sources, const QStringList &dests) const
{
    for (const QString &name : sources)
        op.AddSourceFile(path(name));
    for (const QString &name : dests)
        op.AddDestFile(path(name));
}

void tst_CSHFileOp::defaults()
{
    CSHFileOp op;
    QCOMPARE(op.AllowUndo(), false);
    QCOMPARE(op.ConfirmMakeDir(), true);
    QCOMPARE(op.ConfirmOperation(), true);
    QCOMPARE(op.CustomText(), QString());
    QCOMPARE(op.IncludeDirectories(), true);
    QCOMPARE(op.ParentWnd(), nullptr);
    QCOMPARE(op.RenameOnCollision(), false);
    QCOMPARE(op.SilentMode(), false);
    op.AddDestFile(QStringLiteral("/a"));
    QCOMPARE(op.flagWord(), quint16(0));
}

void tst_CSHFileOp::flagWord_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("flag");
    QTest::newRow("AllowUndo") << "AllowUndo" << 0x0040;
    QTest::newRow("SilentMode") << "SilentMode" << 0x0004;
    QTest::newRow("RenameOnCollision") << "RenameOnCollision" << 0x0008;
    QTest::newRow("ConfirmOperation off") << "ConfirmOperation" << 0x0010;
    QTest::newRow("ConfirmMakeDir off") << "ConfirmMakeDir" << 0x0200;
    QTest::newRow("IncludeDirectories off") << "IncludeDirectories" << 0x0080;
    QTest::newRow("CustomText") << "CustomText" << 0x0100;
    QTest::newRow("two destinations") << "dest2" << 0x0001;
    QTest::newRow("everything") << "all" << 0x03DD;
}

void tst_CSHFileOp::flagWord()
{
    QFETCH(QString, property);
    QFETCH(int, flag);
    CSHFileOp op;
    op.AddDestFile(QStringLiteral("/a"));
    const bool all = property == QLatin1String("all");
    if (all || property == QLatin1String("AllowUndo")) op.setAllowUndo(true);
    if (all || property == QLatin1String("SilentMode")) op.setSilentMode(true);
    if (all || property == QLatin1String("RenameOnCollision")) op.setRenameOnCollision(true);
    if (all || property == QLatin1String("ConfirmOperation")) op.setConfirmOperation(false);
    if (all || property == QLatin1String("ConfirmMakeDir")) op.setConfirmMakeDir(false);
    if (all || property == QLatin1String("IncludeDirectories")) op.setIncludeDirectories(false);
    if (all || property == QLatin1String("CustomText")) op.setCustomText(QStringLiteral("Copia"));
    if (all || property == QLatin1String("dest2")) op.AddDestFile(QStringLiteral("/b"));
    QCOMPARE(int(op.flagWord()), flag);
}

void tst_CSHFileOp::listTexts()
{
    CSHFileOp op;
    QCOMPARE(op.sourceListText(), QByteArray("\0", 1));
    QCOMPARE(op.destListText(), QByteArray("\0", 1));
    QCOMPARE(op.progressTitleText(), QByteArray("\0", 1));
    op.AddSourceFile(QStringLiteral("/dati/a.mdb"));
    op.AddSourceFile(QStringLiteral("/dati/è.mdb"));
    op.AddDestFile(QStringLiteral("/b"));
    op.setCustomText(QStringLiteral("Backup"));
    QCOMPARE(op.sourceListText(), QByteArray("/dati/a.mdb\0/dati/\xc3\xa8.mdb\0\0", 26));
    QCOMPARE(op.destListText(), QByteArray("/b\0\0", 4));
    QCOMPARE(op.progressTitleText(), QByteArray("Backup\0", 7));
    op.ClearSourceFiles();
    op.ClearDestFiles();
    QCOMPARE(op.sourceListText(), QByteArray("\0", 1));
    QCOMPARE(op.destListText(), QByteArray("\0", 1));
}

void tst_CSHFileOp::noSourceRaises_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<bool>("addedThenCleared");
    for (int operation = 1; operation <= 4; ++operation) {
        QTest::addRow("op %d never added", operation) << operation << false;
        QTest::addRow("op %d cleared", operation) << operation << true;
    }
}

void tst_CSHFileOp::noSourceRaises()
{
    QFETCH(int, operation);
    QFETCH(bool, addedThenCleared);
    write("a", "a");
    CSHFileOp op;
    if (addedThenCleared) {
        op.AddSourceFile(path("a"));
        op.ClearSourceFiles();
    }
    op.AddDestFile(path("b"));
    MsgRecorder boxes;
    try {
        switch (operation) {
        case 1: op.MoveFiles(); break;
        case 2: op.CopyFiles(); break;
        case 3: op.DeleteFiles(); break;
        default: op.RenameFiles(); break;
        }
        QFAIL("no error raised");
    } catch (const AppError &e) {
        QCOMPARE(quint32(e.number()), 0x800403E8u);
        QCOMPARE(e.description(), QStringLiteral("No source files specified file operation"));
    }
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(read("a"), QByteArray("a"));
    QVERIFY(!exists("b"));
}

void tst_CSHFileOp::copyReplacing_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("confirmed, declined") << true << MsgAnswer::No << false << QByteArray("old");
    QTest::newRow("confirmed, accepted") << true << MsgAnswer::Yes << true << QByteArray("new");
    QTest::newRow("no confirmation") << false << MsgAnswer::No << true << QByteArray("new");
}

void tst_CSHFileOp::copyReplacing()
{
    QFETCH(bool, confirm);
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, result);
    QFETCH(QByteArray, after);
    write("src.mdb", "new");
    write("dst.mdb", "old");
    CSHFileOp op;
    op.setConfirmOperation(confirm);
    files(op, {"src.mdb"}, {"dst.mdb"});
    MsgRecorder boxes;
    boxes.answer(answer);
    QCOMPARE(op.CopyFiles(), result);
    QCOMPARE(read("dst.mdb"), after);
    QCOMPARE(read("src.mdb"), QByteArray("new"));
    QCOMPARE(boxes.count(), confirm ? 1 : 0);
    if (confirm) {
        QCOMPARE(boxes.last().kind, MsgKind::WarningQuestion);
        QVERIFY(boxes.last().text.contains(path("dst.mdb")));
    }
    // The lists stay for the caller to clear.
    QVERIFY(op.sourceListText().startsWith(path("src.mdb").toLocal8Bit()));
}

void tst_CSHFileOp::renameOnCollision()
{
    write("src.mdb", "new");
    write("dst.mdb", "old");
    write("dst - Copia.mdb", "older");
    CSHFileOp op;
    op.setRenameOnCollision(true);
    files(op, {"src.mdb"}, {"dst.mdb"});
    MsgRecorder boxes;
    QVERIFY(op.CopyFiles());
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(read("dst.mdb"), QByteArray("old"));
    QCOMPARE(read("dst - Copia.mdb"), QByteArray("older"));
    QCOMPARE(read("dst - Copia (2).mdb"), QByteArray("new"));
}

void tst_CSHFileOp::missingSourceFails()
{
    CSHFileOp op;
    files(op, {"nowhere.mdb"}, {"dst.mdb"});
    MsgRecorder boxes;
    QCOMPARE(op.CopyFiles(), false);
    QVERIFY(!exists("dst.mdb"));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().kind, MsgKind::Error);
    QVERIFY(boxes.last().text.contains(QStringLiteral("nowhere.mdb")));
}

void tst_CSHFileOp::multipleDestinations()
{
    write("a", "A");
    write("b", "B");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("out")));
    CSHFileOp op;
    files(op, {"a", "b"}, {"x", "y"});
    QCOMPARE(op.flagWord() & 0x0001, 0x0001);
    MsgRecorder boxes;
    QVERIFY(op.CopyFiles());
    QCOMPARE(read("x"), QByteArray("A"));
    QCOMPARE(read("y"), QByteArray("B"));

    // One destination for two sources is a folder.
    op.ClearDestFiles();
    op.AddDestFile(path("out"));
    QVERIFY(op.CopyFiles());
    QCOMPARE(read("out/a"), QByteArray("A"));
    QCOMPARE(read("out/b"), QByteArray("B"));
    QCOMPARE(boxes.count(), 0);
}

void tst_CSHFileOp::copyIntoMissingFolder_data()
{
    QTest::addColumn<bool>("confirmMakeDir");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("result");
    QTest::newRow("asked, declined") << true << MsgAnswer::No << false;
    QTest::newRow("asked, accepted") << true << MsgAnswer::Yes << true;
    QTest::newRow("not asked") << false << MsgAnswer::No << true;
}

void tst_CSHFileOp::copyIntoMissingFolder()
{
    QFETCH(bool, confirmMakeDir);
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, result);
    write("a", "A");
    CSHFileOp op;
    op.setConfirmMakeDir(confirmMakeDir);
    files(op, {"a"}, {"new/a"});
    MsgRecorder boxes;
    boxes.answer(answer);
    QCOMPARE(op.CopyFiles(), result);
    QCOMPARE(boxes.count(), confirmMakeDir ? 1 : 0);
    QCOMPARE(exists("new/a"), result);
}

void tst_CSHFileOp::moveAndRename()
{
    write("a", "A");
    CSHFileOp op;
    files(op, {"a"}, {"b"});
    MsgRecorder boxes;
    QVERIFY(op.MoveFiles());
    QVERIFY(!exists("a"));
    QCOMPARE(read("b"), QByteArray("A"));

    op.ClearSourceFiles();
    op.AddSourceFile(path("b"));
    op.ClearDestFiles();
    op.AddDestFile(path("c"));
    QVERIFY(op.RenameFiles());
    QVERIFY(!exists("b"));
    QCOMPARE(read("c"), QByteArray("A"));
    QCOMPARE(boxes.count(), 0);
}

void tst_CSHFileOp::deleteAsksFirst()
{
    write("a", "A");
    write("b.mdb", "B");
    write("c.mdb", "C");
    CSHFileOp op;
    op.AddSourceFile(path("a"));
    MsgRecorder boxes;
    boxes.answer(MsgAnswer::No);
    QCOMPARE(op.DeleteFiles(), false);
    QVERIFY(exists("a"));
    QCOMPARE(boxes.last().kind, MsgKind::WarningQuestion);

    boxes.answer(MsgAnswer::Yes);
    QVERIFY(op.DeleteFiles());
    QVERIFY(!exists("a"));

    // A wildcard, without asking.
    op.ClearSourceFiles();
    op.AddSourceFile(path("*.mdb"));
    op.setConfirmOperation(false);
    boxes.clear();
    QVERIFY(op.DeleteFiles());
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

void tst_CSHFileOp::deleteToTrash_data()
{
    QTest::addColumn<bool>("allowUndo");
    QTest::addColumn<QString>("question");
    QTest::newRow("undo: to the trash") << true << QStringLiteral("Spostare \"%1\" nel cestino?");
    QTest::newRow("no undo: gone") << false << QStringLiteral("Eliminare definitivamente \"%1\"?");
}

void tst_CSHFileOp::deleteToTrash()
{
    QFETCH(bool, allowUndo);
    QFETCH(QString, question);
    // The trash of this test's own home, not the user's.
    const QByteArray home = qgetenv("HOME"), data = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", m_dir->path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", path("share").toLocal8Bit());
    auto restore = qScopeGuard([&] { qputenv("HOME", home); qputenv("XDG_DATA_HOME", data); });
    write("a.mdb", "A");
    CSHFileOp op;
    op.setAllowUndo(allowUndo);
    op.AddSourceFile(path("a.mdb"));
    MsgRecorder boxes;
    boxes.answer(MsgAnswer::Yes);
    QVERIFY(op.DeleteFiles());
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, question.arg(path("a.mdb")));
    QVERIFY(!exists("a.mdb"));
    QCOMPARE(read("share/Trash/files/a.mdb"), allowUndo ? QByteArray("A") : QByteArray("<missing>"));
}

void tst_CSHFileOp::filesOnly_data()
{
    QTest::addColumn<bool>("includeDirectories");
    QTest::addColumn<QStringList>("copied");
    QTest::newRow("folders too") << true << QStringList{QStringLiteral("a.mdb"), QStringLiteral("vecchi.mdb")};
    QTest::newRow("files only") << false << QStringList{QStringLiteral("a.mdb")};
}

void tst_CSHFileOp::filesOnly()
{
    QFETCH(bool, includeDirectories);
    QFETCH(QStringList, copied);
    write("a.mdb", "A");
    QVERIFY(QDir(m_dir->path()).mkpath("vecchi.mdb"));
    write("vecchi.mdb/b.mdb", "B");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("out")));
    CSHFileOp op;
    op.setIncludeDirectories(includeDirectories);
    files(op, {"*.mdb"}, {"out"});
    MsgRecorder boxes;
    QVERIFY(op.CopyFiles());
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(QDir(path("out")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), copied);
    if (includeDirectories)
        QCOMPARE(read("out/vecchi.mdb/b.mdb"), QByteArray("B"));
}

QTEST_MAIN(tst_CSHFileOp)
#include "tst_cshfileop.moc"
