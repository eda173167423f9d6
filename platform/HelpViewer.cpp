#include "HelpViewer.h"

#include "ScreenCentre.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextFrame>
#include <QShortcut>
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
    const bool opening = !g_viewer;
    if (g_viewer && g_viewer->parentWidget() != owner) {
        g_viewer->setParent(owner, Qt::Window);
    } else if (!g_viewer) {
        g_viewer = new QTextBrowser(owner);
        g_viewer->setWindowFlags(Qt::Window);
        g_viewer->setAttribute(Qt::WA_DeleteOnClose);
        g_viewer->setObjectName(QStringLiteral("HelpViewer"));
        g_viewer->setOpenExternalLinks(true);
        g_viewer->resize(640, 480);
        auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), g_viewer);
        QObject::connect(esc, &QShortcut::activated, g_viewer, &QWidget::close);
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    url.setFragment(anchor);
    g_viewer->setSource(url);
    const QString title = g_viewer->documentTitle();
    g_viewer->setWindowTitle(title.isEmpty() ? QStringLiteral("Guida") : title);
    if (opening)
        ScreenCentre::place(g_viewer);
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    // Scrolled once shown, at its own width: a window's worth of room below the text lets the last topics
    // come to the top as well.
    QTextFrameFormat page = g_viewer->document()->rootFrame()->frameFormat();
    page.setBottomMargin(g_viewer->viewport()->height());
    g_viewer->document()->rootFrame()->setFrameFormat(page);
    g_viewer->scrollToAnchor(anchor);
}

QTextBrowser *window() { return g_viewer; }

}
