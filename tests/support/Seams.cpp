#include "Seams.h"

MsgRecorder::MsgRecorder()
{
    MsgBoxSeam::setHandler([this](const MsgRecord &record) {
        m_shown.append(record);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        if (record.kind == MsgKind::Question || record.kind == MsgKind::WarningQuestion)
            return MsgAnswer::Yes;
        return MsgAnswer::Ok;
    });
}

MsgRecorder::~MsgRecorder() { MsgBoxSeam::setHandler({}); }
