#pragma once
// The data source of the shifts and workstations grids: one editable recordset over its query on
// the shared connection, offered as the data member "Primary", and the record operations of the
// grids' buttons. The two sources differ only in their query.

#include "DataSource.h"

#include <QString>
#include <QStringList>
#include <memory>

class Recordset;

class clsTab : public DataSource
{
    Q_OBJECT
public:
    ~clsTab() override;

    // "Primary", written exactly so, gives the recordset; any other name nothing.
    Recordset *GetDataMember(const QString &dataMember) const override;
    const QStringList &DataMembers() const { return m_dataMembers; }
    Recordset &adoPrimaryRS() const { return *m_rs; }

    bool EditingRecord() const;
    int AbsolutePosition();       // 0 when it cannot be read
    void AddNew();
    void Delete();
    void Requery();
    void Update();
    void Cancel();
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();          // its failures reach the caller

    static const QString Title;

signals:
    void MoveComplete();

protected:
    // Opens the query at once; a failure to open reaches the creator.
    clsTab(const QString &query, QObject *parent);

private:
    std::unique_ptr<Recordset> m_rs;
    QStringList m_dataMembers;
};

class clsTab_Turni : public clsTab
{
public:
    explicit clsTab_Turni(QObject *parent = nullptr) : clsTab(QStringLiteral("select Ora as Turno from Turni"), parent) {}
};

class clsTab_Postazione : public clsTab
{
public:
    explicit clsTab_Postazione(QObject *parent = nullptr)
        : clsTab(QStringLiteral("select Nominativo,DescrBreve as Descrizione_Breve from Postazioni"), parent)
    {
    }
};
