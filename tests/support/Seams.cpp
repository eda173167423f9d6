#include "Seams.h"

#include <QtTest>

MsgRecorder::MsgRecorder()
{
    MsgBoxSeam::setHandler([this](const MsgRecord &record) {
        m_shown.append(record);
        if (m_hook)
            m_hook(record);
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
