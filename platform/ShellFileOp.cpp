#include "ShellFileOp.h"

#include "Conversions.h"
#include "MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <memory>

namespace ShellFileOp {

QStringList splitList(const QByteArray &listText)
{
    QStringList paths;
    qsizetype start = 0;
    while (start < listText.size()) {
        const qsizetype end = listText.indexOf('\0', start);
        if (end == start || end < 0) {
            if (end < 0)
                paths.append(QString::fromLocal8Bit(listText.mid(start)));
            break;
        }
        paths.append(QString::fromLocal8Bit(listText.mid(start, end - start)));
        start = end + 1;
    }
    return paths;
}

QByteArray joinList(const QStringList &paths)
{
    QByteArray text;
    for (const QString &path : paths) {
        text += path.toLocal8Bit();
        text += '\0';
    }
    text += '\0';
    return text;
}

namespace {

// Qt 6.4 moves the file into the working folder when the home trash does not exist yet, so the
// trash is made first.
bool moveToTrash(const QString &path)
{
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash"));
    return QFile::moveToTrash(path);
}

struct Step
{
    QString source;
    QString target;   // empty for a delete
};

class Runner
{
public:
    explicit Runner(Request &r) : m_r(r) {}

    int run()
    {
        m_r.fAnyOperationsAborted = false;
        if (m_r.wFunc < FO_MOVE || m_r.wFunc > FO_RENAME)
            return ErrBadRequest;
        QList<Step> steps;
        if (const int rc = plan(steps))
            return rc;
        if (m_r.wFunc == FO_DELETE && !confirmDelete(steps)) {
            m_r.fAnyOperationsAborted = true;
            return 0;
        }
        startProgress(steps.size());
        for (qsizetype i = 0; i < steps.size(); ++i) {
            if (!advance(i, steps[i])) {
                m_r.fAnyOperationsAborted = true;
                break;
            }
            const int rc = m_r.wFunc == FO_DELETE ? discard(steps[i].source) : transfer(steps[i]);
            if (rc)
                return rc;
        }
        if (m_progress)
            m_progress->setValue(int(steps.size()));
        return 0;
    }

private:
    bool flag(quint16 f) const { return (m_r.fFlags & f) != 0; }

    QString verb() const
    {
        switch (m_r.wFunc) {
        case FO_MOVE: return QStringLiteral("Spostamento");
        case FO_COPY: return QStringLiteral("Copia");
        case FO_DELETE: return QStringLiteral("Eliminazione");
        default: return QStringLiteral("Ridenominazione");
        }
    }

    int fail(int code, const QString &text)
    {
        m_progress.reset();
        MsgBox(text, MsgKind::Error, QStringLiteral("Errore durante l'operazione sui file"));
        return code;
    }

    // Expands wildcards and pairs each source with its target.
    int plan(QList<Step> &steps)
    {
        const QStringList from = splitList(m_r.pFrom);
        const QStringList to = splitList(m_r.pTo);
        const bool needsTarget = m_r.wFunc != FO_DELETE;
        if (needsTarget && to.isEmpty())
            return ErrBadRequest;
        const bool paired = m_r.wFunc == FO_RENAME || flag(FOF_MULTIDESTFILES);
        if (needsTarget && paired && to.size() < from.size())
            return ErrBadRequest;

        QList<QPair<QStringList, qsizetype>> expanded;   // the paths a source names, and its index
        qsizetype total = 0;
        bool wildcards = false;
        for (qsizetype i = 0; i < from.size(); ++i) {
            const QFileInfo info(from[i]);
            QStringList paths;
            if (info.fileName().contains(QLatin1Char('*')) || info.fileName().contains(QLatin1Char('?'))) {
                wildcards = true;
                QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System;
                if (!flag(FOF_FILESONLY))
                    filters |= QDir::Dirs | QDir::NoDotAndDotDot;
                const Conv::Wildcard pattern(info.fileName(), Conv::Wildcard::FileName);
                for (const QFileInfo &entry : info.dir().entryInfoList(filters, QDir::Name))
                    if (pattern.matches(entry.fileName()))
                        paths.append(entry.filePath());
            } else if (info.exists() || info.isSymLink()) {
                paths.append(from[i]);
            } else {
                return fail(ErrSourceMissing,
                            QStringLiteral("Impossibile trovare il file o la cartella \"%1\".").arg(from[i]));
            }
            total += paths.size();
            expanded.append({paths, i});
        }

        for (const auto &[paths, index] : expanded) {
            for (const QString &path : paths) {
                Step step{path, {}};
                if (needsTarget) {
                    const QString dest = paired ? to[index] : to.first();
                    const bool intoFolder = m_r.wFunc != FO_RENAME
                        && (QFileInfo(dest).isDir() || wildcards || (!paired && total > 1));
                    step.target = intoFolder ? QDir(dest).filePath(QFileInfo(path).fileName()) : dest;
                }
                steps.append(step);
            }
        }
        return 0;
    }

    bool confirmDelete(const QList<Step> &steps)
    {
        if (flag(FOF_NOCONFIRMATION) || steps.isEmpty())
            return true;
        const bool trash = flag(FOF_ALLOWUNDO);
        QString text;
        if (steps.size() == 1)
            text = trash ? QStringLiteral("Spostare \"%1\" nel cestino?").arg(steps.first().source)
                         : QStringLiteral("Eliminare definitivamente \"%1\"?").arg(steps.first().source);
        else
            text = trash ? QStringLiteral("Spostare questi %1 elementi nel cestino?").arg(steps.size())
                         : QStringLiteral("Eliminare definitivamente questi %1 elementi?").arg(steps.size());
        return MsgBox(text, MsgKind::WarningQuestion, QStringLiteral("Conferma eliminazione file")) == MsgAnswer::Yes;
    }

    void startProgress(qsizetype count)
    {
        if (flag(FOF_SILENT))
            return;
        m_progress = std::make_unique<QProgressDialog>(m_r.hwnd);
        m_progress->setWindowTitle(flag(FOF_SIMPLEPROGRESS) ? titleText() : verb());
        m_progress->setCancelButtonText(QStringLiteral("Annulla"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setMinimumDuration(500);
        m_progress->setAutoClose(true);
        m_progress->setRange(0, int(count));
        m_progress->setValue(0);
    }

    QString titleText() const
    {
        const qsizetype end = m_r.lpszProgressTitle.indexOf('\0');
        return QString::fromLocal8Bit(end < 0 ? m_r.lpszProgressTitle : m_r.lpszProgressTitle.left(end));
    }

    // Shows the step in the progress dialog; false when the user cancelled.
    bool advance(qsizetype index, const Step &step)
    {
        if (!m_progress)
            return true;
        if (flag(FOF_SIMPLEPROGRESS))
            m_progress->setLabelText(titleText());
        else
            m_progress->setLabelText(QStringLiteral("%1 di \"%2\" in corso...").arg(verb(), QFileInfo(step.source).fileName()));
        m_progress->setValue(int(index));
        return !m_progress->wasCanceled();
    }

    static QString collisionName(const QString &target)
    {
        const QFileInfo info(target);
        const QString base = info.completeBaseName();
        const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
        for (int n = 1;; ++n) {
            const QString name = n == 1 ? QStringLiteral("%1 - Copia%2").arg(base, suffix)
                                        : QStringLiteral("%1 - Copia (%2)%3").arg(base).arg(n).arg(suffix);
            const QString candidate = info.dir().filePath(name);
            if (!QFileInfo::exists(candidate))
                return candidate;
        }
    }

    int transfer(Step step)
    {
        const QFileInfo source(step.source);
        QFileInfo target(step.target);
        if (source.absoluteFilePath() == target.absoluteFilePath()) {
            if (m_r.wFunc != FO_COPY)
                return 0;   // already where it should be
            step.target = collisionName(step.target);
            target = QFileInfo(step.target);
        }

        const QDir folder = target.absoluteDir();
        if (!folder.exists()) {
            if (!flag(FOF_NOCONFIRMMKDIR)
                && MsgBox(QStringLiteral("La cartella \"%1\" non esiste.\n\nCrearla?").arg(folder.path()),
                          MsgKind::WarningQuestion, QStringLiteral("Conferma creazione cartella")) != MsgAnswer::Yes) {
                m_r.fAnyOperationsAborted = true;
                return 0;
            }
            if (!QDir().mkpath(folder.path()))
                return fail(ErrFailed, QStringLiteral("Impossibile creare la cartella \"%1\".").arg(folder.path()));
        }

        if (target.exists() || target.isSymLink()) {
            if (flag(FOF_RENAMEONCOLLISION)) {
                step.target = collisionName(step.target);
            } else {
                if (!flag(FOF_NOCONFIRMATION)
                    && MsgBox(QStringLiteral("Il file \"%1\" esiste già.\n\nSostituirlo con \"%2\"?")
                                  .arg(step.target, step.source),
                              MsgKind::WarningQuestion, QStringLiteral("Conferma sostituzione file")) != MsgAnswer::Yes) {
                    m_r.fAnyOperationsAborted = true;
                    return 0;
                }
                if (const int rc = discard(step.target))
                    return rc;
            }
        }

        const bool keepSource = m_r.wFunc == FO_COPY;
        if (!keepSource && (source.isDir() ? QDir().rename(step.source, step.target)
                                           : QFile::rename(step.source, step.target)))
            return 0;
        if (!copyTree(step.source, step.target))
            return fail(ErrFailed, QStringLiteral("Impossibile copiare \"%1\" in \"%2\".").arg(step.source, step.target));
        return keepSource ? 0 : discard(step.source, false);
    }

    static bool copyTree(const QString &source, const QString &target)
    {
        if (!QFileInfo(source).isDir())
            return QFile::copy(source, target);
        if (!QDir().mkpath(target))
            return false;
        const QDir dir(source);
        for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            if (!copyTree(entry.filePath(), QDir(target).filePath(entry.fileName())))
                return false;
        return true;
    }

    // Removes a file or folder, to the trash when undo is asked for.
    int discard(const QString &path, bool undoable = true)
    {
        const QFileInfo info(path);
        bool done;
        if (undoable && flag(FOF_ALLOWUNDO))
            done = moveToTrash(path);
        else if (info.isDir() && !info.isSymLink())
            done = QDir(path).removeRecursively();
        else
            done = QFile::remove(path);
        if (!done)
            return fail(ErrFailed, QStringLiteral("Impossibile eliminare \"%1\".").arg(path));
        return 0;
    }

    Request &m_r;
    std::unique_ptr<QProgressDialog> m_progress;
};

}

int run(Request &request)
{
    return Runner(request).run();
}

}
