#pragma once
// The seams for what the desktop does for the programs: showing a form modally, file and folder
// dialogs, starting another program, opening an address, the program folder, the single running
// copy, the beep and the screen's mouse pointer. Tests replace each through its setter.

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

namespace Shell {

// Shows a form modally and returns its result. Test handler: runs or scripts the form.
int showModal(QDialog *form);
void setModalHandler(std::function<int(QDialog *)> handler);

// Open-file dialog; "" when cancelled.
QString getOpenFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter);
void setOpenFileHandler(std::function<QString(const QString &title, const QString &folder, const QString &filter)> handler);

// Folder picker, opening at folder (when given); "" when cancelled.
QString browseFolder(QWidget *parent, const QString &title, const QString &folder = {});
void setBrowseFolderHandler(std::function<QString(const QString &title, const QString &folder)> handler);

// Starts a program without waiting; false when it could not be started.
bool startDetached(const QString &program, const QStringList &arguments = {});
void setStartHandler(std::function<bool(const QString &program, const QStringList &arguments)> handler);

// Opens an address (a web address or a local file URL) with the desktop.
bool openUrl(const QString &address);
void setOpenUrlHandler(std::function<bool(const QString &address)> handler);

// The program folder: the folder of the running executable unless a test sets another.
QString appPath();
void setAppPath(const QString &folder);

// True when another copy of the program is already running for this user (a lock file in the
// user's runtime folder, held until the program ends; the lock of a copy that died is free).
// Tests name their own lock.
bool prevInstance(const QString &programName = QStringLiteral("focolarium"));
QString instanceLockFile(const QString &programName);
void releaseInstance();

// Ends the program at once: every running event loop returns. Test handler: records the request.
void endProgram();
void setEndProgramHandler(std::function<void()> handler);

// The system beep. Test handler: counts the beeps.
void beep();
void setBeepHandler(std::function<void()> handler);

// The screen's mouse pointer, by the runtime's numbers (0 default, 11 hourglass, ...).
int mousePointer();
void setMousePointer(int pointer);

}
