#include "EditableCombo.h"

#include <QAbstractItemView>

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

#include "moc_EditableCombo.cpp"
