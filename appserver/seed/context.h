#pragma once

#include "protocol/expected.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QList>
#include <QMap>
#include <QSqlDatabase>
#include <QString>

namespace Seed {

// What one step of the seed leaves for the next ones.
struct PartInfo
{
    int stokno = 0;
    QString barkod;
    QString adi;
    QString marka;
    QString anagrup;
    double fiyat = 0;
    int kdv = 20;
    int koliadet = 1;
    int kampanya = 0;
    double kampfiyat = 0;
};

struct Discount
{
    QString marka;   // empty: every make
    QString anagrup; // empty: every group
    double ind[4] = {0, 0, 0, 0};
};

struct CustomerInfo
{
    int carino = 0;
    QString carikod;
    QString cariadi;
    int saticino = 0;
    int vade = 30;
    int userSirano = 0; // the user who orders for it: the dealer's own or its representative
    QList<Discount> discounts;
    QMap<int, double> specialPrices; // stokno → price
};

struct Context
{
    QSqlDatabase db;
    QDate anchor;
    QList<PartInfo> parts;
    QList<CustomerInfo> customers;
    QMap<int, QString> repNames; // saticino → name
};

// An invoice the statement has to show.
struct InvoiceSummary
{
    int idno = 0;
    int carino = 0;
    QDateTime when;
    QString evrakno;
    QString turu;
    double total = 0; // with tax
    int vade = 0;
    bool credit = false; // a return: on the credit side
};

// The steps, in order.
Protocol::Expected<Protocol::Done> seedCatalogue(Context &context, int parts);
Protocol::Expected<Protocol::Done> seedAccounts(Context &context);
Protocol::Expected<Protocol::Done> seedOptions(Context &context);
Protocol::Expected<Protocol::Done> seedHistory(Context &context);
Protocol::Expected<Protocol::Done> seedNotices(Context &context);
// Called by seedHistory: collections, card payments and the statement of every customer.
Protocol::Expected<Protocol::Done> seedStatement(Context &context, const QList<InvoiceSummary> &invoices);

// A small one-page PDF with the given lines (Turkish letters folded to ASCII).
QByteArray simplePdf(const QString &title, const QStringList &lines);

// The price and rates a customer gets for a part: a special price without discounts, or the
// list price (campaign price for a campaign part) with the most specific discount row.
struct LinePrice
{
    double price = 0;
    double ind[4] = {0, 0, 0, 0};
};
LinePrice priceFor(const CustomerInfo &customer, const PartInfo &part);

double round2(double value);

} // namespace Seed
