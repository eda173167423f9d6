#include "clsTab.h"

#include "AppError.h"
#include "DataBase.h"
#include "Guarded.h"
#include "Shell.h"
#include "db/Recordset.h"

namespace {
const QString kPrimary = QStringLiteral("Primary");

// The members that trap their failures show them so, in both sources.
bool trapped(const std::function<void()> &operation)
{
    return Guarded(clsTab::Title, operation, MsgKind::Information);
}
}

const QString clsTab::Title = QStringLiteral("Gestione turni");

clsTab::clsTab(const QString &query, QObject *parent) : DataSource(parent), m_rs(std::make_unique<Recordset>())
{
    connect(m_rs.get(), &Recordset::moveComplete, this, &clsTab::MoveComplete);
    m_rs->open(query, &DataBase::AdoConnect(), Recordset::OpenStatic, DataBase::UserLockType);
    m_dataMembers.append(kPrimary);
}

clsTab::~clsTab() = default;

Recordset *clsTab::GetDataMember(const QString &dataMember) const
{
    return dataMember == kPrimary ? m_rs.get() : nullptr;
}

bool clsTab::EditingRecord() const { return m_rs->editMode() != Recordset::EditNone; }

int clsTab::AbsolutePosition()
{
    int position = 0;
    trapped([&] { position = m_rs->absolutePosition(); });
    return position;
}

void clsTab::AddNew() { trapped([this] { m_rs->addNew(); }); }

void clsTab::Delete()
{
    trapped([this] {
        m_rs->deleteRecord();
        MoveNext();
    });
}

void clsTab::Requery()
{
    trapped([this] {
        m_rs->requery();
        emit DataMemberChanged(kPrimary);
    });
}

void clsTab::Update()
{
    trapped([this] {
        m_rs->updateBatch();
        if (m_rs->editMode() == Recordset::EditAdd)
            MoveLast();
    });
}

void clsTab::Cancel()
{
    AppError::ignoring([this] { m_rs->cancelUpdate(); });
    AppError::ignoring([this] {
        if (m_rs->editMode() == Recordset::EditAdd)
            MoveFirst();
    });
}

void clsTab::MoveFirst() { trapped([this] { m_rs->moveFirst(); }); }

void clsTab::MoveLast() { trapped([this] { m_rs->moveLast(); }); }

void clsTab::MoveNext()
{
    trapped([this] {
        if (!m_rs->eof())
            m_rs->moveNext();
        if (m_rs->eof() && m_rs->recordCount() > 0) {
            Shell::beep();
            m_rs->moveLast();
        }
    });
}

void clsTab::MovePrevious()
{
    if (!m_rs->bof())
        m_rs->movePrevious();
    if (m_rs->bof() && m_rs->recordCount() > 0) {
        Shell::beep();
        m_rs->moveFirst();
    }
}
