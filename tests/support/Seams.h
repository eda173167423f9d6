#pragma once
// Test side of the seams: answers message boxes from a queue and records every box shown.

#include "MsgBox.h"

#include <QList>
#include <QString>
#include <functional>

// A box compares whole (text, kind and title): one QCOMPARE checks all three and prints them.
inline bool operator==(const MsgRecord &a, const MsgRecord &b)
{
    return a.text == b.text && a.kind == b.kind && a.title == b.title;
}
char *toString(const MsgRecord &box);

class MsgRecorder
{
public:
    MsgRecorder();
    ~MsgRecorder();

    // Answers used in order; when the queue is empty a box is answered Ok (or Yes for questions).
    void answer(MsgAnswer a) { m_answers.append(a); }
    // Runs as each box shows, before it is answered: what happens while the user reads it.
    void whenShown(std::function<void(const MsgRecord &)> hook) { m_hook = std::move(hook); }

    const QList<MsgRecord> &shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    MsgRecord last() const { return m_shown.isEmpty() ? MsgRecord{{}, MsgKind::Plain, {}} : m_shown.last(); }
    void clear() { m_shown.clear(); }

private:
    QList<MsgAnswer> m_answers;
    QList<MsgRecord> m_shown;
    std::function<void(const MsgRecord &)> m_hook;
};
