#include "MemoBox.h"

#include <QTextCursor>

MemoBox::MemoBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &MemoBox::clip);
}

void MemoBox::clip()
{
    const int excess = int(toPlainText().size()) - m_maxLength;
    if (m_maxLength <= 0 || excess <= 0)
        return;
    // What was just typed or pasted stands before the cursor: take the excess back from there.
    QTextCursor cursor = textCursor();
    const int end = cursor.position();
    cursor.setPosition(qMax(0, end - excess));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}
