#pragma once
// Shared by the editing forms' tests: a signed-in family database on a fresh program folder, and
// the user's hands on a form (typing into a named box, clicking a named button, picking a list row).

#include "Clock.h"
#include "DataBase.h"
#include "EditForm.h"
#include "ListGrid.h"
#include "ProgramFolder.h"
#include "Seams.h"
#include "db/Connection.h"
#include "db/Recordset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <functional>
#include <memory>

class SignedIn
{
public:
    explicit SignedIn(const QString &role = QStringLiteral("Admin"), quint8 lockType = 2)
    {
        DataBase::ConnString = folder.familyConnString();
        DataBase::BuildStr();
        DataBase::UserId = 1;
        DataBase::UserRole = role;
        DataBase::SetUserLockType(lockType);
    }
    ~SignedIn() { DataBase::AdoConnect().close(); }

    void exec(const QString &sql) const { ProgramFolder::execute(folder.familyPath(), sql); }
    QVector<QVector<QVariant>> rows(const QString &sql) const { return ProgramFolder::select(folder.familyPath(), sql); }
    QVariant value(const QString &sql) const
    {
        const auto r = rows(sql);
        return r.isEmpty() ? QVariant() : r.first().first();
    }

    ProgramFolder folder;
};

namespace ui {

// Lets the form paint and run what its paint asked for (the list).
inline void settle()
{
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
}

inline bool open(QWidget *form)
{
    form->show();
    if (!form->isVisible())
        return false;
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form))
        return false;
    settle();
    return true;
}

template <class T = QLineEdit> T *field(QWidget *form, const char *name)
{
    T *w = form->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// Replaces a box's text by typing, as the user does.
inline void type(QWidget *form, const char *name, const QString &text)
{
    auto *box = field(form, name);
    box->setFocus();
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

inline void click(QWidget *form, const char *name)
{
    QTest::mouseClick(field<QAbstractButton>(form, name), Qt::LeftButton);
    settle();
}

inline ListGrid *grid(QWidget *form) { return field<ListGrid>(form, "grdThis"); }

// Selects the list row whose record id is id; false when no row carries it.
inline bool pick(QWidget *form, int id)
{
    ListGrid *g = grid(form);
    for (int r = 1; r <= g->rows(); ++r) {
        if (g->cellItemData(r, 1) == id) {
            g->setSelectedRow(r);
            settle();
            return true;
        }
    }
    return false;
}

// An editor shown on the record with this id: a single-record editor opens on it, a list editor
// opens on a blank record and the user picks the id's row (0: none).
inline std::unique_ptr<QDialog> openOn(const std::function<std::unique_ptr<QDialog>()> &make, int id)
{
    auto form = make();
    const bool listed = form->findChild<ListGrid *>(QStringLiteral("grdThis"));
    if (!listed)
        static_cast<EditForm *>(form.get())->setRecordId(id);
    if (!open(form.get()) || (listed && id && !pick(form.get(), id)))
        qFatal("the form did not open on its record");
    return form;
}

inline void shoot(QWidget *form, const QString &name)
{
    QDir().mkpath(QStringLiteral("/tmp/shots"));
    form->grab().save(QStringLiteral("/tmp/shots/") + name + QStringLiteral(".png"));
}

} // namespace ui

inline void italianLocale() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

// One test's world: the Italian locale, today 5 March 2024, a fresh signed-in family database and
// the message boxes answered and recorded.
struct FormSession
{
    explicit FormSession(const QString &role = QStringLiteral("Admin"), quint8 lockType = 2) : db(role, lockType)
    {
        italianLocale();
        Clock::setNow(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    }

    // A form shown and active, its list built.
    template <class Form> std::unique_ptr<Form> open()
    {
        auto form = std::make_unique<Form>();
        if (!ui::open(form.get()))
            qFatal("the form did not open");
        return form;
    }

    SignedIn db;
    MsgRecorder msg;
};

// What a form's test class keeps: its init() calls start() and its cleanup() stop().
template <class Form> struct FormTest
{
    std::unique_ptr<FormSession> session;
    SignedIn *db = nullptr;
    MsgRecorder *msg = nullptr;

    void start()
    {
        session = std::make_unique<FormSession>();
        db = &session->db;
        msg = &session->msg;
    }
    void stop() { session.reset(); }
    std::unique_ptr<Form> openForm() { return session->open<Form>(); }
    // A single-record editor shown on the record with this id (0 starts a new one).
    std::unique_ptr<Form> openOn(int id)
    {
        auto form = std::make_unique<Form>();
        form->setRecordId(id);
        if (!ui::open(form.get()))
            qFatal("the form did not open");
        return form;
    }
};

// Builds a form for the data-driven tests that run over several editors.
using FormMaker = std::function<std::unique_ptr<QDialog>()>;
Q_DECLARE_METATYPE(FormMaker)

template <class Form> FormMaker maker()
{
    return [] { return std::unique_ptr<QDialog>(std::make_unique<Form>()); };
}
