#include "EditableCombo.h"

#include <QAbstractItemView>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

// Enter leaves what is typed in the box: the list holds the program's entries only.
EditableCombo::EditableCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void EditableCombo::showPopup()
{
    // The combo's current entry is the last one chosen from the list, not what is typed since.
    QComboBox::showPopup();
    const int shown = findText(currentText(), Qt::MatchExactly);
    const QModelIndex entry = shown >= 0 ? model()->index(shown, modelColumn(), rootModelIndex()) : QModelIndex();
    view()->selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    if (entry.isValid())
        view()->scrollTo(entry);
}

int EditableCombo::widthFor(const QComboBox *combo, const QString &text)
{
    // The text's advance or its ink, whichever is wider: a combo sizes itself by the ink.
    const QFontMetrics metrics = combo->fontMetrics();
    return widthFor(combo, std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).width()));
}

int EditableCombo::widthFor(const QComboBox *combo, int textWidth)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QSize contents(textWidth, combo->fontMetrics().height());
    return combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, combo).width();
}

#include "moc_EditableCombo.cpp"
