#include "Seams.h"

#include <QApplication>
#include <QMessageBox>
#include <QtTest>

MsgRecorder::MsgRecorder()
{
    MsgBoxSeam::setHandler([this](const MsgRecord &record) {
        m_shown.append(record);
        if (m_windows) {
            QMessageBox box(QApplication::activeWindow());
            box.setWindowTitle(record.title);
            box.setText(record.text);
            box.show();
            box.activateWindow();
            // A box over a window counts as active with it at once: wait until it has the activation.
            if (!QTest::qWaitFor([&box] { return QApplication::activeWindow() == &box; }))
                qWarning("the message box did not become active");
            box.close();
        }
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        if (record.kind == MsgKind::Question || record.kind == MsgKind::WarningQuestion)
            return MsgAnswer::Yes;
        return MsgAnswer::Ok;
    });
}

MsgRecorder::~MsgRecorder() { MsgBoxSeam::setHandler({}); }

char *toString(const MsgRecord &box)
{
    static const char *const kinds[] = {"Information", "Warning", "Error", "Question", "WarningQuestion", "Plain",
                                        "PlainOkCancel"};
    return QTest::toString(QStringLiteral("%1 \"%2\": %3").arg(QLatin1String(kinds[int(box.kind)]), box.title, box.text));
}
