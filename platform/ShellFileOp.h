#pragma once
// The desktop's file operation: moves, copies, deletes or renames lists of files and folders,
// with the confirmations, progress dialog and collision handling that its flags ask for. It takes
// what the system's shell took: the operation code, the source and destination lists as texts
// (each path followed by a NUL, one more NUL at the end), the flag word and the progress title.
// A confirmation declined or a progress dialog cancelled is not an error: it sets
// anyOperationsAborted. A failure is shown as an error box and ends the operation.

#include "AppError.h"

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

class QWidget;

namespace ShellFileOp {

enum Func : unsigned { FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3, FO_RENAME = 4 };

enum Flag : quint16 {
    FOF_MULTIDESTFILES = 0x0001,
    FOF_SILENT = 0x0004,
    FOF_RENAMEONCOLLISION = 0x0008,
    FOF_NOCONFIRMATION = 0x0010,
    FOF_ALLOWUNDO = 0x0040,
    FOF_FILESONLY = 0x0080,
    FOF_SIMPLEPROGRESS = 0x0100,
    FOF_NOCONFIRMMKDIR = 0x0200,
};

// Results besides 0.
constexpr int ErrSourceMissing = int(AppError::FileNotFound);   // a source that does not exist
constexpr int ErrFailed = 0x402;                    // a file could not be read, written or removed
constexpr int ErrBadRequest = 0x7C;                 // unknown operation or no destination

struct Request
{
    QWidget *hwnd = nullptr;            // owner of the dialogs
    unsigned wFunc = 0;
    QByteArray pFrom;
    QByteArray pTo;
    quint16 fFlags = 0;
    bool fAnyOperationsAborted = false; // set on the way out when something was declined or cancelled
    QByteArray lpszProgressTitle;       // used with FOF_SIMPLEPROGRESS; NUL-terminated
};

// Runs the operation to its end; 0 when nothing failed.
int run(Request &request);

// A list text as paths, and paths as a list text (the local 8-bit encoding).
QStringList splitList(const QByteArray &listText);
QByteArray joinList(const QStringList &paths);

}
