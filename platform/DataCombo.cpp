#include "DataCombo.h"

#include "Conversions.h"
#include "EditableCombo.h"
#include "db/Recordset.h"

#include <QAbstractItemView>
#include <QHash>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

DataCombo::DataCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void DataCombo::setRowSource(Recordset *rs)
{
    m_rowSource = rs;
    refill();
}

Recordset *DataCombo::rowSource() const
{
    return m_rowSource;
}

void DataCombo::setListField(const QString &name)
{
    m_listField = name;
    refill();
}

// Reads the rows in one pass and leaves the recordset on its first record; a list field the row
// source does not have leaves the list empty.
void DataCombo::refill()
{
    const Refill keep(this);
    clear();
    const int field = m_rowSource && m_rowSource->isOpen() ? m_rowSource->fieldIndex(m_listField) : -1;
    if (field < 0)
        return;
    QStringList entries;
    entries.reserve(m_rowSource->recordCount());
    for (m_rowSource->moveFirst(); !m_rowSource->eof(); m_rowSource->moveNext()) {
        const QVariant v = m_rowSource->value(field);
        entries.append(Conv::isNull(v) ? QString() : Conv::toText(v));
    }
    if (m_rowSource->recordCount() > 0)
        m_rowSource->moveFirst();
    addItems(entries);
}

DataCombo::Refill::Refill(QComboBox *combo)
    : m_combo(combo), m_silence(combo), m_text(combo->currentText()), m_data(combo->currentData()),
      m_hadRow(combo->currentIndex() >= 0)
{
}

DataCombo::Refill::~Refill()
{
    if (!m_combo)
        return;
    int row = -1;
    for (int i = 0; m_hadRow && row < 0 && i < m_combo->count(); ++i) {
        if (m_combo->itemText(i) == m_text && m_combo->itemData(i) == m_data)
            row = i;
    }
    m_combo->setCurrentIndex(row);
    if (m_combo->isEditable())
        m_combo->setEditText(m_text);
    fitEntries(m_combo);
}

void DataCombo::fitEntries(QComboBox *combo)
{
    // Laying out every entry would cost ten times the filling of a long list: the entries are
    // measured by their characters' advances, the widest one laid out alone, and the drop-down's
    // delegate asked for that one only.
    const QFontMetrics metrics = combo->fontMetrics();
    QHash<QChar, int> advances;
    int widest = -1;
    int textWidth = 0;
    for (int i = 0; i < combo->count(); ++i) {
        int w = 0;
        for (const QChar c : combo->itemText(i)) {
            auto advance = advances.constFind(c);
            if (advance == advances.constEnd())
                advance = advances.insert(c, metrics.horizontalAdvance(c));
            w += *advance;
        }
        if (w > textWidth) {
            textWidth = w;
            widest = i;
        }
    }
    if (widest < 0)
        return;
    textWidth = std::max(textWidth, metrics.horizontalAdvance(combo->itemText(widest)));

    QAbstractItemView *list = combo->view();
    int listWidth = list->sizeHintForIndex(list->model()->index(widest, combo->modelColumn())).width()
        + 2 * list->frameWidth();
    if (combo->count() > combo->maxVisibleItems())
        listWidth += list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(listWidth);

    if (combo->sizeAdjustPolicy() == QComboBox::AdjustToMinimumContentsLengthWithIcon)
        return;
    const int need = EditableCombo::widthFor(combo, textWidth);
    // However long the entry, the combo leaves a quarter of its screen to what stands beside it, so
    // that its form still fits the screen.
    int room = combo->maximumWidth();
    if (const QScreen *screen = combo->screen())
        room = std::min(room, screen->availableGeometry().width() * 3 / 4);
    if (need > combo->minimumWidth())
        combo->setMinimumWidth(std::min(need, room));
}
