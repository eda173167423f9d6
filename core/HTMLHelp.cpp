#include "HTMLHelp.h"

#include "HelpViewer.h"
#include "Shell.h"

#include <QShortcut>
#include <QWidget>

namespace {
const char *kHelpIdProperty = "_helpContextId";
}

namespace HTMLHelp {

int CurrentHelpId = 0;

QString HelpFilePath(short kind)
{
    if (kind != 1)
        return QString();
    return Shell::appPath() + QStringLiteral("/Help.html");
}

void ShowHelpTopic(short kind, int contextId)
{
    const QString file = HelpFilePath(kind);
    if (!file.isEmpty())
        HelpViewer::showTopic(file, QString::number(contextId));
}

void setFormHelpId(QWidget *form, int contextId)
{
    const bool first = !form->property(kHelpIdProperty).isValid();
    form->setProperty(kHelpIdProperty, contextId);
    if (!first)
        return;
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), form);
    f1->setContext(Qt::WindowShortcut);
    // Help errors are ignored, and none may reach the event loop.
    QObject::connect(f1, &QShortcut::activated, form, [form] {
        try {
            ShowHelpTopic(1, formHelpId(form));
        } catch (const std::exception &) {
        }
    });
}

int formHelpId(const QWidget *form) { return form->property(kHelpIdProperty).toInt(); }

}
