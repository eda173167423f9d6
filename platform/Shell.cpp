#include "Shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>

namespace {
std::function<int(QDialog *)> g_modal;
std::function<QString(const QString &, const QString &, const QString &)> g_openFile;
std::function<QString(const QString &, const QString &)> g_browse;
std::function<bool(const QString &, const QStringList &)> g_start;
std::function<bool(const QString &)> g_openUrl;
std::function<void()> g_end;
std::function<void()> g_beep;
QString g_appPath;
std::unique_ptr<QLockFile> g_instanceLock;
int g_pointer = 0;

Qt::CursorShape cursorFor(int pointer)
{
    switch (pointer) {
    case 1: return Qt::ArrowCursor;
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 99: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}
}

namespace Shell {

int showModal(QDialog *form)
{
    if (g_modal)
        return g_modal(form);
    return form->exec();
}
void setModalHandler(std::function<int(QDialog *)> handler) { g_modal = std::move(handler); }

QString getOpenFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    if (g_openFile)
        return g_openFile(title, folder, filter);
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}
void setOpenFileHandler(std::function<QString(const QString &, const QString &, const QString &)> handler)
{
    g_openFile = std::move(handler);
}

QString browseFolder(QWidget *parent, const QString &title, const QString &folder)
{
    if (g_browse)
        return g_browse(title, folder);
    return QFileDialog::getExistingDirectory(parent, title, folder);
}
void setBrowseFolderHandler(std::function<QString(const QString &, const QString &)> handler)
{
    g_browse = std::move(handler);
}

bool startDetached(const QString &program, const QStringList &arguments)
{
    if (g_start)
        return g_start(program, arguments);
    return QProcess::startDetached(program, arguments);
}
void setStartHandler(std::function<bool(const QString &, const QStringList &)> handler) { g_start = std::move(handler); }

bool openUrl(const QString &address)
{
    if (g_openUrl)
        return g_openUrl(address);
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
void setOpenUrlHandler(std::function<bool(const QString &)> handler) { g_openUrl = std::move(handler); }

QString appPath()
{
    if (!g_appPath.isEmpty())
        return g_appPath;
    return QCoreApplication::applicationDirPath();
}
void setAppPath(const QString &folder) { g_appPath = QDir::cleanPath(folder); }

QString instanceLockFile(const QString &programName)
{
    // The user's own runtime folder: another person's copy on the same computer is no concern of ours.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + programName + QStringLiteral(".lock");
}

bool prevInstance(const QString &programName)
{
    if (g_instanceLock)
        return false;   // this process already holds the lock
    auto lock = std::make_unique<QLockFile>(instanceLockFile(programName));
    // Never stale by age, however long a copy runs; a lock whose process has gone is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return true;
    g_instanceLock = std::move(lock);
    return false;
}
void releaseInstance() { g_instanceLock.reset(); }

void endProgram()
{
    if (g_end)
        g_end();
    else
        QCoreApplication::exit(0);
}
void setEndProgramHandler(std::function<void()> handler) { g_end = std::move(handler); }

void beep()
{
    if (g_beep)
        g_beep();
    else
        QApplication::beep();
}
void setBeepHandler(std::function<void()> handler) { g_beep = std::move(handler); }

int mousePointer() { return g_pointer; }
void setMousePointer(int pointer)
{
    if (pointer == g_pointer)
        return;
    if (g_pointer != 0 && QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    g_pointer = pointer;
    if (pointer != 0)
        QApplication::setOverrideCursor(QCursor(cursorFor(pointer)));
}

}
