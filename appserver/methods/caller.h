#pragma once

// Who is calling: the session record a client sends is checked against the user it names
// before any customer's data is read or changed for it.

#include "protocol/expected.h"
#include "protocol/records.h"

#include <QSqlDatabase>
#include <QString>

namespace Methods {

struct Caller
{
    int sirano = 0;
    QString name;
    int userType = 0;    // MusteriTipi
    int ownCustomer = 0; // a dealer's own account
    int repNo = 0;       // a representative's own number
    bool representative() const { return userType == 1 || userType == 2; }
};

// The user the record names, if the record is his: number, name and password must match
// an active user. A missing record (null) is refused as well.
Protocol::Expected<Caller> authenticate(const QSqlDatabase &db, const Protocol::TSonucBilgisi *record);

// Whether the caller may work for this customer: a dealer for his own account only, a
// representative for the customers assigned to him. Customer 0 is "none chosen yet", which
// only a representative may have.
Protocol::Expected<Protocol::Done> mayUseCustomer(const QSqlDatabase &db, const Caller &caller, int carino);

// authenticate, then mayUseCustomer(record.FCARINO).
Protocol::Expected<Caller> authenticateFor(const QSqlDatabase &db, const Protocol::TSonucBilgisi *record);

// The active user with this record number, for the operations that name their user by
// number only (the reports of the customer selection).
Protocol::Expected<Caller> callerByNumber(const QSqlDatabase &db, int sirano);

// The SQL condition (with one "?" for the bind returned by visibleBind) that limits a
// query's customer column to what the caller may see.
QString visibleCustomers(const Caller &caller, const QString &column);
int visibleBind(const Caller &caller);

} // namespace Methods
