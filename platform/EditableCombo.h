#pragma once
// An editable combo whose list opens on the entry that its box shows, whether the program set the
// text or the user typed it; on no entry when the text is none of them. The box keeps its text, and
// Enter adds no entry.

#include <QComboBox>

class EditableCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit EditableCombo(QWidget *parent = nullptr);

    void showPopup() override;

    // The width a closed combo needs to show the text whole beside its arrow, as its style measures it.
    static int widthFor(const QComboBox *combo, const QString &text);
    static int widthFor(const QComboBox *combo, int textWidth);
};
