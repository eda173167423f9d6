#include "HelpViewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace {
QPointer<QTextBrowser> g_viewer;
}

namespace HelpViewer {

void showTopic(const QString &file, const QString &anchor)
{
    if (!QFileInfo(file).isFile())
        return;
    // Owned by the modal form in front, if any, so that it is not blocked by it.
    QWidget *owner = QApplication::activeModalWidget();
    if (g_viewer && g_viewer->parentWidget() != owner) {
        g_viewer->setParent(owner, Qt::Window);
    } else if (!g_viewer) {
        g_viewer = new QTextBrowser(owner);
        g_viewer->setWindowFlags(Qt::Window);
        g_viewer->setAttribute(Qt::WA_DeleteOnClose);
        g_viewer->setObjectName(QStringLiteral("HelpViewer"));
        g_viewer->setOpenExternalLinks(true);
        g_viewer->resize(640, 480);
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    url.setFragment(anchor);
    g_viewer->setSource(url);
    g_viewer->scrollToAnchor(anchor);
    const QString title = g_viewer->documentTitle();
    g_viewer->setWindowTitle(title.isEmpty() ? QStringLiteral("Guida") : title);
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
}

QTextBrowser *window() { return g_viewer; }

}
