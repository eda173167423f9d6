#include "EditForm.h"

#include "AppError.h"
#include "Clock.h"
#include "Conversions.h"
#include "DataCombo.h"
#include "DataBase.h"
#include "DateBox.h"
#include "DatePicker.h"
#include "EscKey.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "HTMLHelp.h"
#include "ListFill.h"
#include "ListGrid.h"
#include "MsgBox.h"
#include "SettMouse.h"
#include "db/Recordset.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

namespace {

// The message of a save or delete that failed: the form's own words for the error's number, else
// the error's description; then the words the form appends.
QString failureText(const std::exception &failure, const QHash<long, QString> &wording, const QString &tail)
{
    const auto *e = dynamic_cast<const AppError *>(&failure);
    const auto own = e ? wording.constFind(e->number()) : wording.constEnd();
    return (own != wording.constEnd() ? *own : QString::fromUtf8(failure.what())) + tail;
}

bool isTextColumn(int type)
{
    return type == Recordset::VarChar || type == Recordset::LongVarChar || type == Recordset::VarWChar
        || type == Recordset::LongVarWChar;
}

// A text the form puts in a box, loaded or another box's typing, shows its start: a value longer
// than the box would otherwise show its end, where setText leaves the cursor.
void showText(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

// Shows a column's value in a field. An editable combo shows its text as is, in its list or not.
void showValue(QWidget *field, const QVariant &v)
{
    if (auto *box = qobject_cast<QLineEdit *>(field)) {
        showText(box, Funzioni::NullToString(v));
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(field)) {
        memo->setPlainText(Funzioni::NullToString(v));
    } else if (auto *check = qobject_cast<QCheckBox *>(field)) {
        bool on = false;
        try {
            on = !Conv::isNull(v) && Conv::toBool(v);
        } catch (const AppError &) {
        }
        check->setChecked(on);
    } else if (auto *picker = qobject_cast<DatePicker *>(field)) {
        picker->setValue(v);
    } else if (auto *combo = qobject_cast<QComboBox *>(field)) {
        const QString text = Funzioni::NullToString(v);
        const bool byText = combo->isEditable();
        int index = -1;
        for (int i = 0; i < combo->count() && index < 0 && !text.isEmpty(); ++i) {
            const QVariant data = combo->itemData(i);
            if (data.isValid() && !byText ? Funzioni::NullToString(data) == text : combo->itemText(i) == text)
                index = i;
        }
        combo->setCurrentIndex(index);
        if (byText)
            showText(combo->lineEdit(), text);
    }
}

// The value a field holds, as the column will receive it: texts as typed (an empty text is Null
// outside text columns), check boxes as truth values, date pickers as their date or Null, combos
// by their bound data or their text; an editable combo always by its text.
QVariant valueOf(QWidget *field, bool textColumn)
{
    QString text;
    if (auto *box = qobject_cast<QLineEdit *>(field))
        text = box->text();
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(field))
        text = memo->toPlainText();
    else if (auto *check = qobject_cast<QCheckBox *>(field))
        return check->isChecked();
    else if (auto *picker = qobject_cast<DatePicker *>(field))
        return picker->value();
    else if (auto *combo = qobject_cast<QComboBox *>(field)) {
        if (combo->isEditable())
            text = combo->currentText();
        else if (combo->currentIndex() < 0)
            return {};
        else if (const QVariant data = combo->currentData(); data.isValid())
            return data;
        else
            text = combo->currentText();
    }
    if (text.isEmpty() && !textColumn)
        return {};
    return text;
}

// The delete button's picture: a waste bin.
QIcon binIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor dark(0x7a, 0x1f, 0x1f);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRoundedRect(QRectF(4, 5, 16, 2.2), 0.6, 0.6);
    p.drawRoundedRect(QRectF(9, 2.5, 6, 2.5), 0.6, 0.6);
    QPainterPath body;
    body.moveTo(6, 8.5);
    body.lineTo(18, 8.5);
    body.lineTo(16.8, 22);
    body.lineTo(7.2, 22);
    body.closeSubpath();
    p.setPen(QPen(dark, 0.8));
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawPath(body);
    p.setPen(QPen(QColor(0xf6, 0xd5, 0xd0), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {9.5, 12.0, 14.5})
        p.drawLine(QPointF(x, 11), QPointF(x, 19));
    return QIcon(pixmap);
}

} // namespace

EditForm::EditForm(Shape shape, const Table &table, QWidget *parent)
    : LoadingDialog(parent), m_shape(shape), m_table(table)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    EscKey::closeOnRelease(this);
    m_form = new QVBoxLayout(this);

    Frame1 = new QGroupBox(QStringLiteral("Aggiungi/modifica"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    m_fields = new QGridLayout(Frame1);
    m_form->addWidget(Frame1);

    auto makeButton = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    Command1 = makeButton("Command1", QStringLiteral("&Nuovo"));
    cmdOk = makeButton("cmdOk", QStringLiteral("&Ok"));
    Command6 = makeButton("Command6", QString());
    Command6->setIcon(binIcon());
    Command6->setIconSize(QSize(16, 16));
    Command6->setToolTip(QStringLiteral("Elimina"));
    Command6->setAccessibleName(QStringLiteral("Elimina"));
    cmdCancel = makeButton("cmdCancel", QStringLiteral("&Cancel"));
    for (QPushButton *b : {Command1, cmdOk, Command6, cmdCancel})
        b->setMinimumWidth(90);

    m_buttons = new QHBoxLayout;
    m_form->addLayout(m_buttons);
    placeButtons({Command1, cmdOk, Command6, cmdCancel});

    connect(Command1, &QPushButton::clicked, this, &EditForm::newRecord);
    connect(cmdOk, &QPushButton::clicked, this, &EditForm::save);
    connect(Command6, &QPushButton::clicked, this, &EditForm::deleteRecord);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    if (m_shape == ListEditor) {
        grdThis = new ListGrid(this);
        grdThis->setObjectName(QStringLiteral("grdThis"));
        grdThis->setMinimumHeight(200);
        m_form->addWidget(grdThis, 1);
        connect(grdThis, &ListGrid::selectionChange, this, &EditForm::listPicked);
        connect(grdThis, &ListGrid::dblClick, this, &EditForm::listPicked);
    }
}

EditForm::~EditForm() = default;

// ---- Building ----

QLabel *EditForm::addField(int row, int pair, const QString &label, QWidget *field, int rowSpan, int columnSpan)
{
    auto *caption = new QLabel(label, fieldsParent());
    caption->setBuddy(field);
    m_fields->addWidget(caption, row, pair * 2, Qt::AlignLeft | (rowSpan > 1 ? Qt::AlignTop : Qt::AlignVCenter));
    m_fields->addWidget(field, row, pair * 2 + 1, rowSpan, columnSpan);
    return caption;
}

QLineEdit *EditForm::textBox(const char *name)
{
    auto *box = new QLineEdit(fieldsParent());
    box->setObjectName(QLatin1String(name));
    return box;
}

QWidget *EditForm::fieldsParent() const
{
    return m_fields->parentWidget();
}

QTabWidget *EditForm::fieldTabs(const char *name)
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QLatin1String(name));
    delete m_form->replaceWidget(Frame1, m_tabs);
    delete Frame1;
    Frame1 = nullptr;
    m_fields = nullptr;
    return m_tabs;
}

QWidget *EditForm::addTab(const QString &caption, bool framed)
{
    auto *page = new QWidget(m_tabs);
    QWidget *holder = page;
    if (framed) {
        Frame1 = new QGroupBox(page);
        Frame1->setObjectName(QStringLiteral("Frame1"));
        (new QVBoxLayout(page))->addWidget(Frame1);
        holder = Frame1;
    }
    m_fields = new QGridLayout(holder);
    m_fields->setAlignment(Qt::AlignTop);
    m_tabs->addTab(page, caption);
    return page;
}

void EditForm::bind(QWidget *field, const QString &column, DisplayFormat format)
{
    m_bindings.append(Binding{field, column, std::move(format)});
    const int index = int(m_bindings.size()) - 1;
    auto changed = [this, index] { fieldChanged(m_bindings[index]); };
    if (auto *box = qobject_cast<QLineEdit *>(field))
        connect(box, &QLineEdit::textChanged, this, changed);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(field))
        connect(memo, &QPlainTextEdit::textChanged, this, changed);
    else if (auto *check = qobject_cast<QCheckBox *>(field))
        connect(check, &QCheckBox::stateChanged, this, changed);
    else if (auto *picker = qobject_cast<DatePicker *>(field)) {
        // A typed text that is no date is refused on leaving, as in the date boxes.
        connect(picker, &DatePicker::valueChanged, this, changed);
        DateBox::install(picker);
    } else if (auto *combo = qobject_cast<QComboBox *>(field)) {
        // The list is the form's: a typed text is the value, not a new item.
        combo->setInsertPolicy(QComboBox::NoInsert);
        // A list combo changes with its choice; an editable one with its text, typed or chosen.
        connect(combo, &QComboBox::currentIndexChanged, this, [combo, changed] {
            if (!combo->isEditable())
                changed();
        });
        connect(combo, &QComboBox::currentTextChanged, this, [combo, changed] {
            if (combo->isEditable())
                changed();
        });
    }
}

void EditForm::dateBox(QLineEdit *box)
{
    DateBox::install(box, DateBox::Format::GeneralDate);
}

void EditForm::placeButtons(const QVector<QPushButton *> &order)
{
    while (QLayoutItem *item = m_buttons->takeAt(0))
        delete item;
    if (!order.contains(nullptr))
        m_buttons->addStretch(1);
    for (QPushButton *b : order) {
        if (b)
            m_buttons->addWidget(b);
        else
            m_buttons->addStretch(1);
    }
    for (QPushButton **b : {&Command1, &cmdOk, &Command6, &cmdCancel}) {
        if (*b && !order.contains(*b)) {
            delete *b;
            *b = nullptr;
        }
    }
}

void EditForm::setFocusOrder(const QVector<QWidget *> &order)
{
    m_focusOrder = {order.begin(), order.end()};
}

// The Tab key's order: the form's own, else the fields in the order they were made (compound
// controls whole), then the buttons from left to right and the list.
void EditForm::applyFocusOrder()
{
    QVector<QWidget *> chain;
    if (!m_focusOrder.isEmpty()) {
        for (const QPointer<QWidget> &w : m_focusOrder)
            chain.append(w);
    } else {
        QWidget *fields = m_tabs ? static_cast<QWidget *>(m_tabs) : Frame1;
        QWidget *lastField = nullptr;
        for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
            if (fields && fields->isAncestorOf(w))
                lastField = w;
        }
        chain.append(lastField);
        for (int i = 0; i < m_buttons->count(); ++i)
            chain.append(m_buttons->itemAt(i)->widget());
        chain.append(grdThis);
    }
    chain.removeAll(nullptr);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

QStatusBar *EditForm::addStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    m_form->addWidget(bar);
    return bar;
}

// ---- Showing: load before each showing ----

bool EditForm::runLoad()
{
    if (!allowLoad())
        return false;
    applyFocusOrder();
    m_paintListFailed = false;
    load(true);
    focusFirstField();
    return true;
}

// The load traps its own failures, also when a delete runs it again (no new showing: what the form
// prepares for one stays as it is).
void EditForm::load(bool showing)
{
    Guarded(messageTitle(), [this, showing] {
        if (showing)
            prepareLoad();
        if (m_shape == ListEditor) {
            openRecordset(QStringLiteral("SELECT * FROM ") + tableName());
            BindControls();
            m_rs->addNew();
        } else {
            LoadRecord(m_recordId);
        }
    }, m_failures.loadKind);
}

// Each showing and each new record start on the first field of the Tab order that the user can
// type into now (on the tab shown), not on whatever the window made first.
void EditForm::focusFirstField()
{
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!w->isEnabled() || !w->isVisibleTo(this) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        for (const Binding &b : std::as_const(m_bindings)) {
            if (b.field == w || b.field->isAncestorOf(w)) {
                b.field->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
    }
}

QString EditForm::openByIdSql(int id) const
{
    return QStringLiteral("SELECT * FROM ") + tableName() + QStringLiteral(" where ") + keyColumn()
        + QStringLiteral("= ") + QString::number(id);
}

void EditForm::openRecordset(const QString &sql)
{
    // The old recordset goes with whatever it held: a pending record is dropped without a question.
    m_rs = std::make_unique<Recordset>();
    connect(m_rs.get(), &Recordset::moveComplete, this, &EditForm::showRecord);
    m_rs->open(sql, &DataBase::AdoConnect(), Recordset::OpenStatic, DataBase::UserLockType);
}

Recordset &EditForm::rs() const
{
    if (!m_rs)
        throw AppError(AppError::ObjectClosed, QStringLiteral("Operazione non consentita se l'oggetto è chiuso."));
    return *m_rs;
}

int EditForm::editMode() const
{
    if (!m_rs || !m_rs->isOpen())
        return -1;
    return m_rs->editMode();
}

// ---- Binding ----

void EditForm::BindControls()
{
    // A combo the form refills here is the form's own change, not the user's: nothing is written and
    // no change handler of the form runs until the record is shown.
    const QScopedValueRollback showing(m_showing, true);
    {
        std::vector<std::unique_ptr<DataCombo::Refill>> refills;
        for (const Binding &b : std::as_const(m_bindings)) {
            if (auto *combo = qobject_cast<QComboBox *>(b.field))
                refills.push_back(std::make_unique<DataCombo::Refill>(combo));
        }
        bindingControls();
    }
    showRecord();
}

void EditForm::showRecord()
{
    const QScopedValueRollback showing(m_showing, true);
    const bool open = m_rs && m_rs->isOpen();
    for (Binding &b : m_bindings) {
        QVariant v;
        if (open) {
            try {
                v = m_rs->value(b.column);
            } catch (const std::exception &) {
            }
        }
        auto *box = qobject_cast<QLineEdit *>(b.field);
        if (b.format && box && !Conv::isNull(v)) {
            try {
                showText(box, b.format(v));
            } catch (const std::exception &) {
                showText(box, Funzioni::NullToString(v));
            }
        } else {
            showValue(b.field, v);
        }
        b.changed = false;
    }
}

void EditForm::fieldChanged(Binding &b)
{
    if (m_showing || !m_rs || !m_rs->isOpen())
        return;
    b.changed = true;
    // The other fields of the same column show what was typed; the column is written from this one.
    {
        const QScopedValueRollback showing(m_showing, true);
        for (Binding &other : m_bindings) {
            if (&other != &b && other.column.compare(b.column, Qt::CaseInsensitive) == 0) {
                showValue(other.field, valueOf(b.field, true));
                other.changed = false;
            }
        }
    }
    // The record goes into edit at once; a text that does not convert yet is written when the record is.
    try {
        writeField(b);
    } catch (const std::exception &) {
        try {
            if (m_rs->editMode() == Recordset::EditNone)
                m_rs->setValue(b.column, m_rs->value(b.column));
        } catch (const std::exception &) {
        }
    }
}

void EditForm::writeField(const Binding &b)
{
    const int index = rs().fieldIndex(b.column);
    rs().setValue(b.column, valueOf(b.field, isTextColumn(rs().fieldType(index))));
}

void EditForm::writeChangedFields()
{
    for (const Binding &b : m_bindings) {
        if (b.changed)
            writeField(b);
    }
}

// ---- The list ----

void EditForm::RefreshList()
{
    if (!grdThis)
        return;
    Guarded(messageTitle(), [this] { buildList(); });
}

void EditForm::buildList()
{
    m_refreshing = true;
    const auto done = qScopeGuard([this] { m_refreshing = false; });
    ListFill::fill(grdThis, {m_list.columns, m_list.searchKey, 18, keyColumn()}, [this] { return m_list.query; });
    m_paintListFailed = false;
}

void EditForm::listPicked(int row, int column)
{
    Guarded(QStringLiteral("Focolarium"), [&] {
        const int id = grdThis->cellItemData(row, column);
        if (id > 0)
            LoadRecord(id);
    }, MsgKind::PlainOkCancel);
}

void EditForm::LoadRecord(int id)
{
    openRecordset(openByIdSql(id));
    BindControls();
    const bool found = m_rs->recordCount() > 0;
    if (!found)
        m_rs->addNew();
    recordLoaded(found);
}

// ---- New, save, delete ----

void EditForm::newRecord()
{
    Guarded(messageTitle(), [this] {
        if (rs().editMode() != Recordset::EditAdd) {
            writeChangedFields();
            rs().addNew();
            newStarted();
        }
        // The new record is typed from its first field, not in the box used last.
        focusFirstField();
    }, MsgKind::Information);
}

void EditForm::save()
{
    SettMouse mouse;
    mouse.SetPointer(11);
    bool written = false;   // from here on a failure cancels nothing
    try {
        const QString missing = requiredFieldMessage();
        if (!missing.isEmpty()) {
            MsgBox(missing, MsgKind::Warning, messageTitle());
            return;
        }
        writeChangedFields();
        beforeWrite();
        const bool wasNew = rs().editMode() == Recordset::EditAdd;
        if (!wasNew)
            rs().setValue(stampColumn(), Clock::today());
        rs().update();
        written = true;
        // An id the editor cannot hold is a failure, not a silent 0 that would reopen a blank record.
        if (wasNew && m_shape == SingleRecord) {
            const QVariant id = rs().value(keyColumn());
            m_recordId = Conv::isNull(id) ? 0 : Conv::toInt32(id);
        }
        showRecord();
        afterWrite(wasNew);
        MsgBox(QStringLiteral("Registrazione completata."), MsgKind::Information, messageTitle());
        RefreshList();
    } catch (const std::exception &failure) {
        // Written: the record stays saved, nothing was cancelled.
        MsgBox(written ? QString::fromUtf8(failure.what()) : failureText(failure, m_failures.save, m_failures.saveTail),
               MsgKind::Warning, messageTitle());
    }
}

void EditForm::deleteRecord()
{
    const StatementDelete &how = m_deleteStatement;
    try {
        if (rs().editMode() != Recordset::EditNone || !allowDelete())
            return;
        if (MsgBox(QStringLiteral("Si è sicuri di voler cancellare il record:"), MsgKind::Question,
                   QStringLiteral("Delete record!")) != MsgAnswer::Yes)
            return;
        if (how.sql.isEmpty())
            rs().deleteRecord();
        else
            rs().deleteByStatement(how.sql.arg(m_recordId), how.stampFirst ? stampColumn() : QString(), Clock::today());
    } catch (const std::exception &failure) {
        // Another user's change keeps the record, and the user is told so whatever the form's words.
        const auto *e = dynamic_cast<const AppError *>(&failure);
        MsgBox(e && e->number() == AppError::Conflict ? conflictText() + QStringLiteral(" Operazione Annullata")
                                                      : failureText(failure, m_failures.remove, m_failures.deleteTail),
               MsgKind::Error, messageTitle());
        return;
    }
    // The record is gone: from here on nothing can fail the delete.
    m_rs.reset();
    m_recordId = 0;
    if (how.toldBeforeLoad)
        tellDeleted();
    load(false);
    if (!how.toldBeforeLoad)
        tellDeleted();
    RefreshList();
}

void EditForm::tellDeleted()
{
    MsgBox(QStringLiteral("Record Cancellato!"), MsgKind::Information, QStringLiteral("Delete Successfull!"));
}

// ---- Window events ----

bool EditForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate) {
        HTMLHelp::CurrentHelpId = m_table.helpId;
        HTMLHelp::setFormHelpId(this, m_table.helpId);
    }
    return QDialog::event(e);
}

void EditForm::paintEvent(QPaintEvent *e)
{
    QDialog::paintEvent(e);
    if (grdThis && !m_refreshing && exposesForm(e->region()))
        scheduleListRefresh();
}

// A paint of the form itself (shown, uncovered, resized), not one that controls asked for when they
// redrew within their own places (a pick redraws the list and the fields in one paint).
bool EditForm::exposesForm(const QRegion &painted) const
{
    for (const QRect &part : painted) {
        bool inControl = false;
        for (QObject *child : children()) {
            auto *w = qobject_cast<QWidget *>(child);
            if (w && w->isVisible() && w->geometry().contains(part)) {
                inControl = true;
                break;
            }
        }
        if (!inControl)
            return true;
    }
    return false;
}

// The list is rebuilt after the paint that asks for it, so that its messages are not shown from
// inside a paint.
void EditForm::scheduleListRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshPending = false;
        if (isVisible())
            refreshOnPaint();
    });
}

// A list that fails while the form paints shows its failure once, as a warning with the form's
// title: closing the box repaints the form, and a box per paint would never let the user go.
void EditForm::refreshOnPaint()
{
    if (m_paintListFailed)
        return;
    try {
        buildList();
    } catch (const std::exception &failure) {
        // Set before the box: the paints while it shows must not raise another.
        m_paintListFailed = true;
        MsgBox(QString::fromUtf8(failure.what()), MsgKind::Warning, messageTitle());
    }
}

void EditForm::closeEvent(QCloseEvent *e)
{
    const int mode = editMode();
    if (mode == Recordset::EditInProgress || mode == Recordset::EditAdd) {
        if (MsgBox(QStringLiteral("Uscire senza salvare le modifiche?"), MsgKind::WarningQuestion,
                   QStringLiteral("Salvataggio modifiche")) == MsgAnswer::No) {
            e->ignore();
            return;
        }
    }
    // Errors are ignored while the form unloads.
    try {
        if (m_rs)
            m_rs->close();
    } catch (...) {
    }
    m_rs.reset();
    if (m_shape == SingleRecord)
        m_recordId = 0;
    try {
        unloading();
    } catch (...) {
    }
    e->accept();
}

void EditForm::reject()
{
    close();
}
