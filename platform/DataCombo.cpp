#include "DataCombo.h"

#include "Conversions.h"
#include "db/Recordset.h"

#include <QLineEdit>

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
}
