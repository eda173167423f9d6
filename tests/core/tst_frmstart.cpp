// The start-up splash: second copy, the date check, the timed opening of the sign-in form, the
// clicks, and the whole start-up through to the main window.

#include "AppError.h"
#include "Clock.h"
#include "DataBase.h"
#include "FrmStart.h"
#include "HTMLHelp.h"
#include "ProgramFolder.h"
#include "Seams.h"
#include "Shell.h"
#include "db/Connection.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMainWindow>
#include <QPointer>
#include <QProcess>
#include <QSysInfo>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// One lock per test process, so that test runs side by side do not see each other as a running copy.
const QString kLockName = QStringLiteral("tst_frmstart-%1").arg(QCoreApplication::applicationPid());
}

class TestFrmStart : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MsgRecorder> m_msgs;
    std::unique_ptr<FrmStart> m_splash;
    QPointer<QMainWindow> m_mainWindow;
    int m_endRequests = 0;
    int m_signInShown = 0;
    int m_ticksAtSignIn = -1;
    bool m_splashVisibleAtSignIn = true;
    bool m_mainLoadedHiddenAtSignIn = false;
    std::function<void(QDialog *)> m_signInScript;
    QStringList m_openedAddresses;
    std::function<int(QDialog *)> m_modalHandler;

    FrmStart *startSplash()
    {
        m_splash = std::make_unique<FrmStart>([this] {
            m_mainWindow = new QMainWindow;
            m_mainWindow->setWindowTitle(QStringLiteral("Focolarium"));
            return m_mainWindow.data();
        }, kLockName);
        m_splash->show();
        return m_splash.get();
    }

    QLabel *label(const char *name) { return m_splash->findChild<QLabel *>(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCoreApplication::setOrganizationName(QStringLiteral("Focolarium"));
        QCoreApplication::setApplicationName(QStringLiteral("Focolarium"));
        Shell::setEndProgramHandler([this] { ++m_endRequests; });
        Shell::setOpenUrlHandler([this](const QString &address) {
            m_openedAddresses << address;
            return true;
        });
        m_modalHandler = [this](QDialog *form) {
            ++m_signInShown;
            m_ticksAtSignIn = m_splash->ticks();
            m_splashVisibleAtSignIn = m_splash->isVisible();
            m_mainLoadedHiddenAtSignIn = m_mainWindow && !m_mainWindow->isVisible();
            form->show();
            if (m_signInScript)
                m_signInScript(form);
            else
                form->close();
            return form->result();
        };
        Shell::setModalHandler(m_modalHandler);
    }

    void init()
    {
        m_settingsDir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir->path());
        m_folder = std::make_unique<ProgramFolder>();
        m_msgs = std::make_unique<MsgRecorder>();
        m_endRequests = 0;
        m_signInShown = 0;
        m_ticksAtSignIn = -1;
        m_splashVisibleAtSignIn = true;
        m_mainLoadedHiddenAtSignIn = false;
        m_signInScript = {};
        m_openedAddresses.clear();
        Clock::setNow(QDateTime(QDate(2024, 5, 10), QTime(9, 0)));
    }

    void cleanup()
    {
        m_splash.reset();
        Shell::releaseInstance();
        DataBase::AdoConnect().close();
        m_msgs.reset();
        m_folder.reset();
        Clock::setNow({});
    }

    void signInOpensOnTheTenthTick()
    {
        startSplash();
        QCOMPARE(m_splash->ticks(), 0);
        auto *timer = m_splash->findChild<QTimer *>(QStringLiteral("TimerOk"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 50);
        QVERIFY(timer->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(m_signInShown, 1, 3000);
        QCOMPARE(m_ticksAtSignIn, 30);
        QVERIFY(!m_splashVisibleAtSignIn);
        QVERIFY(m_mainLoadedHiddenAtSignIn);
        QTest::qWait(200);
        QCOMPARE(m_signInShown, 1);     // no further tick after the splash unloaded
        QCOMPARE(m_splash->ticks(), 30);
        // The sign-in form was closed without signing in: the program ends.
        QCOMPARE(m_endRequests, 1);
    }

    void startUpToTheMainWindow()
    {
        m_signInScript = [](QDialog *form) {
            auto *users = form->findChild<QComboBox *>(QStringLiteral("cmbUsers"));
            users->lineEdit()->clear();
            QTest::keyClicks(users, QStringLiteral("Admin"));
            QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("cmdcon")), Qt::LeftButton);
        };
        QApplication::setQuitOnLastWindowClosed(true);
        startSplash();
        QVERIFY(!QApplication::quitOnLastWindowClosed());   // the splash closes before the sign-in shows
        QTRY_COMPARE_WITH_TIMEOUT(m_signInShown, 1, 3000);
        QVERIFY(m_mainWindow);
        QVERIFY(m_mainWindow->isVisible());
        QCOMPARE(m_mainWindow->windowTitle(), QStringLiteral("Focolarium - Famiglia(Admin)"));
        QCOMPARE(m_endRequests, 0);
        QCOMPARE(m_msgs->count(), 0);
        // From now on the program ends with its last window.
        QVERIFY(QApplication::quitOnLastWindowClosed());
    }

    void mainWindowThatFailsToLoad()
    {
        m_signInScript = [](QDialog *form) {
            QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("cmdcon")), Qt::LeftButton);
        };
        m_splash = std::make_unique<FrmStart>([]() -> QMainWindow * {
            throw AppError(7, QStringLiteral("Memoria esaurita"));
        }, kLockName);
        m_splash->show();
        QTRY_COMPARE_WITH_TIMEOUT(m_signInShown, 1, 3000);
        QCOMPARE(m_msgs->count(), 1);
        QCOMPARE(m_msgs->last().text, QStringLiteral("Memoria esaurita"));
        QVERIFY(DataBase::AdoConnect().state() == 1);   // the sign-in itself went through
        // Signed in, but with no window to show the program must not stay running.
        QCOMPARE(m_endRequests, 1);
    }

    // A lock held by another copy: only a running copy of the same user keeps the program from starting.
    void otherCopy_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<bool>("refused");
        QTest::newRow("running copy of this user") << "running" << true;
        QTest::newRow("copy of this user that died") << "dead" << false;
        QTest::newRow("copy of another user, shared temporary folder") << "shared" << false;
    }
    void otherCopy()
    {
        QFETCH(QString, holder);
        QFETCH(bool, refused);
        const QString lockFile = holder == "shared" ? QDir::temp().filePath(kLockName + QStringLiteral(".lock"))
                                                    : Shell::instanceLockFile(kLockName);
        QLockFile running(lockFile);
        if (holder == "dead") {
            QProcess gone;
            gone.start(QStringLiteral("true"));
            QVERIFY(gone.waitForStarted());
            const qint64 pid = gone.processId();
            QVERIFY(gone.waitForFinished());
            QFile file(lockFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("%1\nfocolarium\n%2\n").arg(pid).arg(QSysInfo::machineHostName()).toUtf8());
            file.close();
        } else {
            QVERIFY(running.tryLock(0));
        }
        startSplash();
        if (refused) {
            QCOMPARE(label("Label1_3")->text(), QStringLiteral("Software già aperto"));
            QVERIFY(!m_splash->timerEnabled());
            QTest::qWait(700);
            QCOMPARE(m_signInShown, 0);
            QCOMPARE(m_msgs->count(), 0);
            m_splash->close();
            QCOMPARE(m_endRequests, 1);
            QVERIFY(!m_mainWindow);
        } else {
            QCOMPARE(label("Label1_3")->text(), QString());
            QTRY_COMPARE_WITH_TIMEOUT(m_signInShown, 1, 3000);
        }
    }

    void systemDate_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("30 December 2003") << QDate(2003, 12, 30) << false;
        QTest::newRow("31 December 2003") << QDate(2003, 12, 31) << true;
    }

    void systemDate()
    {
        QFETCH(QDate, today);
        QFETCH(bool, accepted);
        Clock::setNow(QDateTime(today, QTime(23, 59)));
        startSplash();
        QCOMPARE(m_splash->timerEnabled(), accepted);
        if (accepted) {
            QCOMPARE(m_msgs->count(), 0);
            QTRY_COMPARE_WITH_TIMEOUT(m_signInShown, 1, 3000);
        } else {
            QCOMPARE(m_msgs->count(), 1);
            QCOMPARE(m_msgs->last().text,
                     QStringLiteral("Errore di data. Controllare la data del sistema. Click per chiudere"));
            QCOMPARE(m_msgs->last().title, QStringLiteral("Data Error"));
            QCOMPARE(m_msgs->last().kind, MsgKind::Error);
            QTest::qWait(700);
            QCOMPARE(m_signInShown, 0);
            QTest::mouseClick(m_splash.get(), Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY(!m_splash->isVisible());
            QCOMPARE(m_endRequests, 1);
            QVERIFY(!m_mainWindow);
        }
    }

    void closingBeforeTheSignInEndsTheProgram_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("click on the picture") << false;
        QTest::newRow("Esc on the picture") << true;
    }

    void closingBeforeTheSignInEndsTheProgram()
    {
        QFETCH(bool, escape);
        startSplash();
        QWidget *picture = m_splash->findChild<QWidget *>(QStringLiteral("Picture1"));
        if (escape) {
            picture->setFocus();
            QTest::keyClick(picture, Qt::Key_Escape);
        } else {
            QTest::mouseClick(picture, Qt::LeftButton);
        }
        QVERIFY(!m_splash->isVisible());
        QCOMPARE(m_endRequests, 1);
        QTest::qWait(700);
        QCOMPARE(m_signInShown, 0);
        QVERIFY(!m_mainWindow);   // nothing is left loaded and hidden
    }

    void labelsOpenTheHelpFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lblWeb") << "lblWeb";
        QTest::newRow("Label1(0)") << "Label1_0";
        QTest::newRow("Label1(3)") << "Label1_3";
    }

    void labelsOpenTheHelpFile()
    {
        QFETCH(QString, name);
        startSplash();
        QLabel *clicked = label(name.toLatin1().constData());
        QVERIFY(clicked);
        QTest::mouseClick(clicked, Qt::LeftButton);
        QCOMPARE(m_openedAddresses, QStringList{QUrl::fromLocalFile(HTMLHelp::HelpFilePath(1)).toString()});
        QVERIFY(m_splash->isVisible());
        QCOMPARE(m_endRequests, 0);
        QVERIFY(!label("lblWeb")->text().isEmpty());
    }

    // The real event loop, the real modal sign-in form and the real end of the program.
    void theProgramEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("splash clicked before the sign-in") << "splash";
        QTest::newRow("Esc on the sign-in form") << "escape";
        QTest::newRow("sign-in form's close box") << "closebox";
        QTest::newRow("main window closed after signing in") << "main";
    }

    void theProgramEnds()
    {
        QFETCH(QString, how);
        Shell::setModalHandler({});
        Shell::setEndProgramHandler({});
        QApplication::setQuitOnLastWindowClosed(true);
        startSplash();

        QTimer user;
        user.setInterval(20);
        connect(&user, &QTimer::timeout, this, [&] {
            if (how == "splash") {
                QTest::mouseClick(m_splash->findChild<QWidget *>(QStringLiteral("Picture1")), Qt::LeftButton);
                user.stop();
                return;
            }
            if (how == "main") {
                if (m_mainWindow && m_mainWindow->isVisible()) {
                    m_mainWindow->close();
                    user.stop();
                }
            }
            auto *login = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!login || login->objectName() != QStringLiteral("frmLogin"))
                return;
            if (how == "escape") {
                QTest::keyClick(login->findChild<QWidget *>(QStringLiteral("txtPassword")), Qt::Key_Escape);
                user.stop();
            } else if (how == "closebox") {
                login->close();
                user.stop();
            } else if (how == "main") {
                QTest::mouseClick(login->findChild<QPushButton *>(QStringLiteral("cmdcon")), Qt::LeftButton);
            }
        });
        user.start();
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });   // the program hung
        const int code = QApplication::exec();

        Shell::setEndProgramHandler([this] { ++m_endRequests; });
        Shell::setModalHandler(m_modalHandler);
        QCOMPARE(code, 0);
        QCOMPARE(bool(m_mainWindow), how != "splash");
        if (m_mainWindow)
            QCOMPARE(m_mainWindow->isVisible(), false);
        QCOMPARE(m_mainWindow ? m_mainWindow->windowTitle() : QString(),
                 how == "main" ? QStringLiteral("Focolarium - Famiglia(Admin)")
                               : how == "splash" ? QString() : QStringLiteral("Focolarium"));
    }
};

QTEST_MAIN(TestFrmStart)
#include "tst_frmstart.moc"
