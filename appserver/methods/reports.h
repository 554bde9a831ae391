#pragma once

// The PDF reports of the customer selection:
//   6 with a customer    "Cari Özeti": the customer's card, balance and recent movements at a date;
//   6 without customer   "Cari Toplu Alacak Vadeleri": what the customers owe at a date, split into
//                        overdue and not yet due (payments settle the earliest due debts first);
//   7                    "Cari Alış Satış Tablosu (Satıcılı)": a customer's invoices and collections
//                        month by month and representative by representative over a range.

#include "caller.h"
#include "tablefill.h"

#include "protocol/expected.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

namespace Methods {

struct ReportRequest
{
    int number = 0;
    int carino = 0;  // 0: all the user's customers (report 6 only)
    QString repName; // narrows the customers of report 6 to one representative's when it names one
    DateRange range; // report 6 uses its first day
};

Protocol::Expected<QByteArray> makeReport(const QSqlDatabase &db, const Caller &caller, const ReportRequest &request);

} // namespace Methods
