#include "clsComboSearch.h"

#include "AppError.h"
#include "Conversions.h"
#include "DataCombo.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "MsgBox.h"
#include "db/Recordset.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Sets a flag for as long as it lives, so that the flag is cleared on every way out.
struct Busy
{
    explicit Busy(bool &flag) : f(flag) { f = true; }
    ~Busy() { f = false; }
    bool &f;
};

// Drops the buffer's last character, both halves of a surrogate pair: half a character would make the
// find criterion invalid text.
void dropLastCharacter(QString &buffer)
{
    const qsizetype n = buffer.size();
    buffer.chop(n >= 2 && buffer[n - 1].isLowSurrogate() && buffer[n - 2].isHighSurrogate() ? 2 : 1);
}

// The first character of a key's text, whole when it lies outside the basic plane.
QString firstCharacter(const QString &text)
{
    return text.left(text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate() ? 2 : 1);
}

}

clsComboSearch::clsComboSearch(QObject *parent) : QObject(parent) {}

clsComboSearch::~clsComboSearch()
{
    if (m_cbo)
        m_cbo->removeEventFilter(this);
    if (m_DCombo)
        m_DCombo->removeEventFilter(this);
}

void clsComboSearch::setClient(QObject *client)
{
    if (auto *dataCombo = qobject_cast<DataCombo *>(client)) {
        m_DCombo = dataCombo;
        m_rs = dataCombo->rowSource();
        m_listFieldName = dataCombo->listField();
        dataCombo->installEventFilter(this);
        return;
    }
    if (auto *combo = qobject_cast<QComboBox *>(client)) {
        // The completion is this class's: the box's own completer and its adding of typed texts
        // on Enter would fight it.
        m_cbo = combo;
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->installEventFilter(this);
        if (combo->lineEdit())
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this] { Guarded(QString(), [this] { m_cbo_Change(); }); });
        return;
    }
    throw AppError(ClientError, QStringLiteral("The object must be a DataCombo or a ComboBox."));
}

bool clsComboSearch::eventFilter(QObject *watched, QEvent *event)
{
    // A client destroyed with the focus sends its focus-out from the base widget's destructor, when
    // it is a combo no more: ask the object what it is now, before any kept pointer is cast to it.
    auto *box = qobject_cast<QComboBox *>(watched);
    if (!box)
        return QObject::eventFilter(watched, event);
    if (box == m_cbo && m_cbo->lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            Guarded(QString(), [&] { m_cbo_KeyDown(key); });
        } else if (event->type() == QEvent::FocusOut
                   && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
            Guarded(QString(), [this] { m_cbo_LostFocus(); });
        }
    } else if (qobject_cast<DataCombo *>(box) && box == m_DCombo) {
        if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            Guarded(QString(), [this] { m_DCombo_GotFocus(); }, MsgKind::Error);
        else if (event->type() == QEvent::KeyPress)
            return m_DCombo_KeyPress(static_cast<QKeyEvent *>(event));
    }
    return QObject::eventFilter(watched, event);
}

// ---- Combo box ----

void clsComboSearch::m_cbo_Change()
{
    QLineEdit *edit = m_cbo->lineEdit();
    const QString text = edit->text();
    if (text.isEmpty() || m_busy)
        return;
    const int p = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const Conv::Wildcard pattern(QString(text.left(p).toUpper() + QLatin1Char('*')), Conv::Wildcard::Like);
    const QString whole = text.toUpper();
    for (int i = 0; i < m_cbo->count(); ++i) {
        const QString entry = m_cbo->itemText(i);
        const QString upper = entry.toUpper();
        if (upper != whole && pattern.matches(upper)) {
            Busy busy(m_busy);
            edit->insert(entry.mid(p));
            edit->setSelection(p, int(edit->text().size()) - p);
            return;
        }
    }
}

// Runs before the key's own work: a completed tail goes first, so that Backspace then takes a
// typed character.
void clsComboSearch::m_cbo_KeyDown(int key)
{
    QLineEdit *edit = m_cbo->lineEdit();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        Busy busy(m_busy);
        if (edit->hasSelectedText())
            edit->del();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_cbo_LostFocus();
        edit->end(false);
    }
}

void clsComboSearch::m_cbo_LostFocus()
{
    QLineEdit *edit = m_cbo->lineEdit();
    const QString text = edit->text();
    if (text.isEmpty())
        return;
    const QString upper = text.toUpper();
    for (int i = 0; i < m_cbo->count(); ++i) {
        if (m_cbo->itemText(i).toUpper() == upper) {
            Busy busy(m_busy);
            edit->setText(m_cbo->itemText(i));
            return;
        }
    }
}

// ---- Data combo ----

void clsComboSearch::m_DCombo_GotFocus()
{
    m_listField = m_rs && m_rs->isOpen() ? m_rs->fieldIndex(m_listFieldName) : -1;
    if (m_listField < 0)
        throw AppError(ClientError, QStringLiteral("There was an error in m_DCombo_GotFocus. Likely cause is that the "
                                                   "Class has not correctly been initialised."));
    m_newSearch = true;
}

bool clsComboSearch::m_DCombo_KeyPress(QKeyEvent *key)
{
    // The keys that bring a character code: Backspace, Tab, Enter and those with a text.
    int code = 0;
    switch (key->key()) {
    case Qt::Key_Backspace: code = 8; break;
    case Qt::Key_Tab: code = 9; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: code = 13; break;
    default:
        if (key->text().isEmpty())
            return false;
        code = key->text().at(0).unicode();
        break;
    }

    bool swallow = false;
    try {
        if (m_newSearch) {
            m_buffer.clear();
            m_newSearch = false;
        }
        bool searchAsked = false;
        if (code == 8) {
            swallow = true;
            if (!m_buffer.isEmpty()) {
                dropLastCharacter(m_buffer);
                searchAsked = true;
            }
        } else if (code == 13 || code == 9) {
            if (QLineEdit *edit = m_DCombo->lineEdit())
                edit->end(false);
        } else if (code >= 32) {
            m_buffer += firstCharacter(key->text()).toUpper();
            searchAsked = true;
        }
        if (searchAsked && !m_buffer.isEmpty()) {
            search();
            swallow = true;
        } else if (m_buffer.isEmpty()) {
            m_DCombo->setEditText(QString());
        }
    } catch (const AppError &e) {
        MsgBox(QStringLiteral("Unexpected Error - %1 %2").arg(qint32(e.number())).arg(e.description()), MsgKind::Error,
               QStringLiteral("clsDataComboSearch.m_DCombo_KeyPress"));
    }
    return swallow;
}

// Finds the first row whose list field begins with the buffer; the buffer is matched as text, so an
// apostrophe in it is doubled inside the criterion's quotes.
void clsComboSearch::search()
{
    if (!m_rs || m_listField < 0)
        throw AppError(91, QStringLiteral("Variabile oggetto o variabile del blocco With non impostata"));
    const QString criterion = m_listFieldName + QStringLiteral(" like '") + Funzioni::SqlQuote(m_buffer) + QStringLiteral("*'");
    // A recordset with no current record (an empty list) has no place to go back to.
    const bool hadCurrent = !m_rs->eof() && !m_rs->bof();
    const QVariant mark = hadCurrent ? m_rs->bookmark() : QVariant();
    m_rs->find(criterion, 0, 1, QVariant(int(Recordset::BookmarkFirst)));
    const bool found = !m_rs->eof();
    if (!found) {
        if (hadCurrent)
            m_rs->setBookmark(mark);
        dropLastCharacter(m_buffer);
        if (m_buffer.isEmpty())
            m_DCombo->setEditText(QString());
    } else {
        const QVariant v = m_rs->value(m_listField);
        m_DCombo->setEditText(Conv::isNull(v) ? QString() : Conv::toText(v));
    }
    SelectTypedPart(int(m_buffer.size()));
}

void clsComboSearch::SelectTypedPart(int n)
{
    QLineEdit *edit = m_DCombo->lineEdit();
    if (!edit)
        return;
    const int length = int(edit->text().size());
    if (length > n)
        edit->setSelection(n, length - n);
}
