#pragma once
// Moves, copies, deletes or renames lists of files through the desktop's file operation, which
// shows its own progress, confirmation and error dialogs. The result is false when the user
// declined or cancelled anything or a step failed; an empty source list raises AppError.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

class CSHFileOp
{
public:
    CSHFileOp() = default;

    bool AllowUndo() const { return m_allowUndo; }
    void setAllowUndo(bool value) { m_allowUndo = value; }
    bool ConfirmMakeDir() const { return m_confirmMakeDir; }
    void setConfirmMakeDir(bool value) { m_confirmMakeDir = value; }
    bool ConfirmOperation() const { return m_confirmOperation; }
    void setConfirmOperation(bool value) { m_confirmOperation = value; }
    QString CustomText() const { return m_customText; }
    void setCustomText(const QString &value) { m_customText = value; }
    bool IncludeDirectories() const { return m_includeDirectories; }
    void setIncludeDirectories(bool value) { m_includeDirectories = value; }
    QWidget *ParentWnd() const { return m_parentWnd; }
    void setParentWnd(QWidget *value) { m_parentWnd = value; }
    bool RenameOnCollision() const { return m_renameOnCollision; }
    void setRenameOnCollision(bool value) { m_renameOnCollision = value; }
    bool SilentMode() const { return m_silentMode; }
    void setSilentMode(bool value) { m_silentMode = value; }

    bool MoveFiles();
    bool CopyFiles();
    bool DeleteFiles();
    bool RenameFiles();

    void ClearSourceFiles() { m_sources.reset(); }
    void AddSourceFile(const QString &path) { add(m_sources, path); }
    void ClearDestFiles() { m_dests.reset(); }
    void AddDestFile(const QString &path) { add(m_dests, path); }

    // What the shell receives: the flag word, the list texts (each path followed by a NUL, one
    // more NUL at the end) and the progress title text.
    quint16 flagWord() const;
    QByteArray sourceListText() const;
    QByteArray destListText() const;
    QByteArray progressTitleText() const;

private:
    bool run(unsigned operation);
    static void add(std::optional<QStringList> &list, const QString &path);

    bool m_allowUndo = false;
    bool m_confirmMakeDir = true;
    bool m_confirmOperation = true;
    QString m_customText;
    bool m_includeDirectories = true;
    QWidget *m_parentWnd = nullptr;
    bool m_renameOnCollision = false;
    bool m_silentMode = false;
    std::optional<QStringList> m_sources;   // absent until a path is added
    std::optional<QStringList> m_dests;
};
