#pragma once

// Order lines as the account windows list them (the lines of one order, the open balances,
// all order lines of a customer): one column set for the three, amounts computed here.

#include "protocol/clienttable.h"
#include "protocol/expected.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace Methods {

// The amounts of one line: the four discounts applied one after the other (a rate of 0 or
// less is skipped), each amount rounded to two decimals, half away from zero.
struct LineAmounts
{
    double gross = 0;    // TUTAR: quantity × unit price
    double discount = 0; // INDIRIMTUTAR: gross − net
    double net = 0;      // NETTUTAR
    double tax = 0;      // VERGITUTARI: net × tax rate
    double netUnit = 0;  // NETBIRIMFIYAT: net ÷ quantity (0 for no quantity)
};
LineAmounts lineAmounts(double quantity, double unitPrice, const double rates[4], double taxRate);

// INDIRIMYAZI: the rates above 0 joined with "+" ("10+5"), "0" when there is none.
QString discountText(const double rates[4]);

double round2(double value);

// The order lines that match `where` (a condition over the order line l and its order s,
// with "?" placeholders for binds), in order number and line order.
Protocol::Expected<Protocol::ClientTable> orderLines(const QSqlDatabase &db, const QString &where,
                                                     const QVariantList &binds);

} // namespace Methods

namespace Methods {

// One order with its names resolved and its line amounts summed.
struct OrderSummary
{
    int idno = 0;
    int carino = 0;
    QString moment; // stored "YYYY-MM-DD HH:MM:SS"
    QString currency;
    double rate = 1;
    int placedBy = 0;
    QString placedByName;
    QString customerCode;
    QString customerName;
    QString repName; // the customer's representative
    QString deliveryName;
    QString cargoTypeName;
    QString carrierName;
    QString stateName;
    QString message; // the customer's
    QString ourNote;
    double gross = 0; // sum of the lines' TUTAR
    double net = 0;   // sum of NETTUTAR
    double tax = 0;   // sum of VERGITUTARI
};

// Orders matching `where` (over the order s), newest first.
Protocol::Expected<QList<OrderSummary>> orderSummaries(const QSqlDatabase &db, const QString &where,
                                                       const QVariantList &binds);

} // namespace Methods
