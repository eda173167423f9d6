#include "CSHFileOp.h"

#include "AppError.h"
#include "ShellFileOp.h"

using namespace ShellFileOp;

void CSHFileOp::add(std::optional<QStringList> &list, const QString &path)
{
    if (!list)
        list.emplace();
    list->append(path);
}

quint16 CSHFileOp::flagWord() const
{
    quint16 flags = 0;
    if (m_allowUndo)
        flags |= FOF_ALLOWUNDO;
    if (m_silentMode)
        flags |= FOF_SILENT;
    if (m_renameOnCollision)
        flags |= FOF_RENAMEONCOLLISION;
    if (!m_confirmOperation)
        flags |= FOF_NOCONFIRMATION;
    if (!m_confirmMakeDir)
        flags |= FOF_NOCONFIRMMKDIR;
    if (!m_includeDirectories)
        flags |= FOF_FILESONLY;
    if (!m_customText.isEmpty())
        flags |= FOF_SIMPLEPROGRESS;
    if (m_dests && m_dests->size() > 1)
        flags |= FOF_MULTIDESTFILES;
    return flags;
}

QByteArray CSHFileOp::sourceListText() const { return joinList(m_sources.value_or(QStringList())); }
QByteArray CSHFileOp::destListText() const { return joinList(m_dests.value_or(QStringList())); }

QByteArray CSHFileOp::progressTitleText() const
{
    QByteArray text = m_customText.toLocal8Bit();
    text += '\0';
    return text;
}

bool CSHFileOp::run(unsigned operation)
{
    if (!m_sources || m_sources->isEmpty())
        throw AppError(AppError::FileNotFound, QStringLiteral("No source files specified file operation"));
    Request request;
    request.hwnd = m_parentWnd;
    request.wFunc = operation;
    request.pFrom = sourceListText();
    request.pTo = destListText();
    request.fFlags = flagWord();
    request.lpszProgressTitle = progressTitleText();
    const int rc = ShellFileOp::run(request);
    return rc == 0 && !request.fAnyOperationsAborted;
}

bool CSHFileOp::MoveFiles() { return run(FO_MOVE); }
bool CSHFileOp::CopyFiles() { return run(FO_COPY); }
bool CSHFileOp::DeleteFiles() { return run(FO_DELETE); }
bool CSHFileOp::RenameFiles() { return run(FO_RENAME); }
