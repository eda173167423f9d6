#pragma once
// The editing form that most forms of the program are made of: one recordset of one table on the
// shared connection, fields bound to its columns, the buttons new, save, delete and close, and for the
// list editors a list of every record of the table. A form's own class gives its table, key, fields,
// titles, help id, required-field test and its departures through the virtuals below.

#include "AppError.h"
#include "ListFill.h"
#include "LoadingDialog.h"
#include "MsgBox.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class ListGrid;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRegion;
class QStatusBar;
class QTabWidget;
class QVBoxLayout;
class Recordset;

class EditForm : public LoadingDialog
{
    Q_OBJECT
public:
    ~EditForm() override;

    // The edit mode of the form's recordset (0 none, 1 in progress, 2 adding); -1 when there is no
    // open recordset.
    int editMode() const;

    // The single-record editors' record id, set by the opener before showing: the record the next
    // load opens (0, or an id no longer there, starts a new record). Each editor names it with a
    // property of its own (Q_PROPERTY(int Movimento READ recordId WRITE setRecordId)). A record the
    // editor adds gives it its new id; closing the editor sets it back to 0.
    int recordId() const { return m_recordId; }
    void setRecordId(int id) { m_recordId = id; }

protected:
    enum Shape { ListEditor, SingleRecord };
    // What a form edits: its table and key column, the title of its messages and its help id.
    struct Table
    {
        QString name;
        QString key;
        QString messageTitle;
        int helpId;
    };
    EditForm(Shape shape, const Table &table, QWidget *parent = nullptr);

    // List editors: the list query (field 0 is the id, read by the key column's name), the columns
    // that fields 1 and up fill by position, and the grid's search column. The list shows its own
    // failures, as a warning with the message title.
    using ListColumn = ListFill::Column;
    struct List
    {
        QString query;
        QVector<ListColumn> columns;
        QString searchKey;
    };
    void setList(const List &list) { m_list = list; }

    // The required-field test of the save: the warning's text when the record may not be saved, else "".
    virtual QString requiredFieldMessage() const = 0;

    const QString &tableName() const { return m_table.name; }
    const QString &keyColumn() const { return m_table.key; }
    const QString &messageTitle() const { return m_table.messageTitle; }

    // ---- Departures ----
    // Load: false refuses the form (it is then not shown); runs before anything is opened.
    virtual bool allowLoad() { return true; }
    // Load: before the recordset opens at each showing (fill combos and the like); not when a
    // delete opens the form again on a new record.
    virtual void prepareLoad() {}
    // LoadRecord and the single-record load: the record was found, or a new record was started.
    virtual void recordLoaded(bool found) { Q_UNUSED(found) }
    // BindControls: before the fields show the record (a form refills its data combos' lists here);
    // what it changes in bound fields is not the user's change: it is not written, and a refilled
    // combo sends no signal and keeps the row it showed (DataCombo::Refill).
    virtual void bindingControls() {}
    // New: a new record was started.
    virtual void newStarted() {}
    // Save: steps after the required-field test and before the write.
    virtual void beforeWrite() {}
    // Save: after the write, before "Registrazione completata."; wasNew tells a record that was added.
    // A failure here, or in reading back a new id, leaves the record saved and is shown by its own
    // description alone.
    virtual void afterWrite(bool wasNew) { Q_UNUSED(wasNew) }
    // Delete: false makes the button do nothing for the current record (asked before the question).
    virtual bool allowDelete() { return true; }
    // Delete, after Yes: the record goes through the recordset, only while it is as the form read
    // it; then the form loads again on a new record (the record id back to 0) and tells
    // "Record Cancellato!". Once the record is gone, a load that fails is told as the load's
    // failure, not the delete's.
    // A form may delete by a statement on the shared connection instead: the statement for the
    // record id (%1), whether the record is stamped first, and whether "Record Cancellato!" is told
    // before the form loads again or after. Stamp, check and statement are one transaction that
    // deletes only the record as the form read it.
    struct StatementDelete
    {
        QString sql;
        bool stampFirst = false;
        bool toldBeforeLoad = false;
    };
    void setDeleteStatement(const StatementDelete &how) { m_deleteStatement = how; }
    // Unload: after the recordset is closed.
    virtual void unloading() {}
    // Another user changed the record since the form read it (a save's or a delete's conflict).
    static QString conflictText()
    {
        return QStringLiteral("Un' altro utente sta utilizzando lo stesso set di record: chiudere e riprovare.");
    }
    // What a failed save or delete says: the form's words for an error's number (else the error's
    // description), followed by the tail; and the kind of the box of a failed load.
    struct FailureTexts
    {
        QHash<long, QString> save{{AppError::Conflict, conflictText()}};
        QString saveTail = QStringLiteral(" Operazione Annullata");
        QHash<long, QString> remove{{AppError::ForeignKey, QStringLiteral("Violazione del vincolo Referenziale.")}};
        QString deleteTail = QStringLiteral(" Operazione Annullata");
        MsgKind loadKind = MsgKind::Information;
    };
    FailureTexts &failureTexts() { return m_failures; }

    // The column stamped with today's date when an existing record is saved (and before a delete by
    // statement that stamps first).
    virtual QString stampColumn() const { return QStringLiteral("DataUpdate"); }

    // ---- Building the form ----
    // A label and its field at (row, pair) of the frame "Aggiungi/modifica": pair 0 is the left label
    // and field, pair 1 the next ones to the right.
    QLabel *addField(int row, int pair, const QString &label, QWidget *field, int rowSpan = 1, int columnSpan = 1);
    QLineEdit *textBox(const char *name);      // a text box of the frame (or tab page), named
    QGridLayout *fieldsLayout() const { return m_fields; }
    QWidget *fieldsParent() const;             // the frame, or the tab page being filled
    // Fields on a tab control named name instead of the frame, which leaves the form. Each addTab
    // starts a page that the next addField calls fill; a framed page holds the frame Frame1, without
    // a caption, around its fields.
    QTabWidget *fieldTabs(const char *name);
    QWidget *addTab(const QString &caption, bool framed = false);
    QVBoxLayout *formLayout() const { return m_form; }
    // Binds a text box, multi-line box, check box, date picker or combo box to a column;
    // BindControls shows the columns in this order. A text box may show its column through a display
    // format (a non-Null value to its text); what the user types is written as typed. A list combo
    // binds by its items' data (or their text when they have none); an editable combo by its text,
    // in the list or not. Fields bound to the same column show each other's changes, and the
    // column is written from the one changed last.
    using DisplayFormat = std::function<QString(const QVariant &)>;
    void bind(QWidget *field, const QString &column, DisplayFormat format = {});
    // A date box: leaving it checks the date and rewrites it in the general date form.
    void dateBox(QLineEdit *box);
    // The buttons from left to right (the default is new, save, delete, close, to the right of a
    // gap); a null entry places the gap, and a button left out leaves the form (its member
    // becomes null). A form may rename and recaption the buttons it keeps.
    void placeButtons(const QVector<QPushButton *> &order);
    // The Tab key's order when a form gives its own; by default the fields in the order they were
    // made, then the buttons from left to right, then the list.
    void setFocusOrder(const QVector<QWidget *> &order);
    QStatusBar *addStatusBar();

    // ---- The pattern's operations ----
    void BindControls();
    void RefreshList();
    void LoadRecord(int id);
    void newRecord();
    void save();
    void deleteRecord();

    // The form's recordset; raises when the form has none (before load, after unload).
    Recordset &rs() const;
    // The single-record load's and LoadRecord's query for one record.
    virtual QString openByIdSql(int id) const;

    QGroupBox *Frame1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *cmdCancel = nullptr;
    ListGrid *grdThis = nullptr;

    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void reject() override;

private:
    struct Binding
    {
        QWidget *field;
        QString column;
        DisplayFormat format;
        bool changed = false;
    };
    bool runLoad() override;
    void load(bool showing);
    void tellDeleted();
    void applyFocusOrder();
    void focusFirstField();
    void openRecordset(const QString &sql);
    void showRecord();
    void fieldChanged(Binding &b);
    void writeField(const Binding &b);
    void writeChangedFields();
    void buildList();
    void listPicked(int row, int column);
    void scheduleListRefresh();
    void refreshOnPaint();
    bool exposesForm(const QRegion &painted) const;

    Shape m_shape;
    Table m_table;
    List m_list;
    int m_recordId = 0;
    std::unique_ptr<Recordset> m_rs;
    QVector<Binding> m_bindings;
    QVector<QPointer<QWidget>> m_focusOrder;
    FailureTexts m_failures;
    StatementDelete m_deleteStatement;
    QTabWidget *m_tabs = nullptr;
    bool m_showing = false;          // the form writes its fields: no change of the user's
    bool m_refreshPending = false;
    bool m_refreshing = false;
    bool m_paintListFailed = false;  // shown once; the next paints leave the list as it is
    QVBoxLayout *m_form = nullptr;
    QGridLayout *m_fields = nullptr;
    QHBoxLayout *m_buttons = nullptr;
};
