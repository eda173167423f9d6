#pragma once
// A data source: an object that bound controls ask for a named data member (a recordset). When a
// member's recordset is replaced or re-read, the source says so and its bound controls rebind.

#include <QObject>
#include <QString>

class Recordset;

class DataSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // The recordset of a data member; nullptr for a name the source does not have.
    virtual Recordset *GetDataMember(const QString &dataMember) const = 0;

signals:
    void DataMemberChanged(const QString &dataMember);
};
