#pragma once
// A multi-line text box with a vertical scroll bar and a most number of characters: typing or
// pasting past the limit keeps only what fits.

#include <QPlainTextEdit>

class MemoBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MemoBox(QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    void setMaxLength(int characters) { m_maxLength = characters; }   // 0: no limit

private:
    void clip();

    int m_maxLength = 0;
};
