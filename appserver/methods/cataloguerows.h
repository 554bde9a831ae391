#pragma once

// The product rows of the catalogue lists (the stock search, new products, campaign
// products) with one customer's prices, and the pricing rule they are computed with.
//
// Pricing (the store's rule, also used for the demo history): a special price of the
// customer for the part replaces the list price and gets no discount; otherwise a campaign
// part (kampanya > 0 with a campaign price) is sold at its campaign price, also without
// discounts; otherwise the list price with the customer's most specific discount row
// (make and group, then make, then group, then the general row).

#include "partsnapshot.h"

#include "protocol/clienttable.h"
#include "protocol/expected.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

namespace Methods {

struct PartPrice
{
    double price = 0;      // FIYAT: the customer's unit price before discounts
    double rates[4] = {};  // IND1..IND4
    bool special = false;  // a special price of the customer
    bool campaign = false; // sold at the campaign price
    int discountRow = -1;  // the customer's discount row that gave the rates
    double net() const;    // NETFIYAT: the price after the four discounts, two decimals
};

class CustomerPricing final
{
public:
    // The discount rows and special prices of a customer; customer 0 or an unknown number
    // has none, so it gets list prices.
    static Protocol::Expected<CustomerPricing> load(const QSqlDatabase &db, int carino);

    PartPrice priceOf(int stokno, const QString &marka, const QString &anagrup, double listPrice, int kampanya,
                      double kampfiyat) const;
    // The same rule for a part of the snapshot, whose make and group are matched by number:
    // matchNames(snapshot) first.
    void matchNames(const PartSnapshot &snapshot);
    PartPrice priceOf(const PartSnapshot::Part &part) const;
    // INDIRIMYAZI of a price this pricing gave.
    QString discountTextOf(const PartPrice &price) const;

private:
    struct DiscountRow
    {
        QString marka;
        QString anagrup;
        double rates[4] = {};
        int markaId = -1;   // by matchNames: -1 any make, -2 a make no part has
        int anagrupId = -1; // likewise the group
    };
    template<typename Matches>
    PartPrice priceBy(int stokno, double listPrice, int kampanya, double kampfiyat, const Matches &matches) const;
    QList<DiscountRow> m_discounts;
    QStringList m_discountTexts; // INDIRIMYAZI of each discount row
    QHash<int, double> m_special;
};

// Which list the rows are for: the campaign list also carries ESKIFIYAT, the list price
// its campaign price replaces.
enum class PartList { Search, New, Campaign };

Protocol::ClientTable partTable(PartList list);

// Rows of the given parts, which come in ascending order (unknown numbers are skipped).
Protocol::Expected<Protocol::Done> appendPartsByNumber(Protocol::ClientTable &table, PartList list,
                                                       const QSqlDatabase &db, CustomerPricing &pricing,
                                                       const std::vector<int> &stoknos);

// Rows of every part the list shows (new: yeni = 1; campaign: kampanya > 0), by number.
Protocol::Expected<Protocol::Done> appendListParts(Protocol::ClientTable &table, PartList list, const QSqlDatabase &db,
                                                   CustomerPricing &pricing);

// The total of four successive discounts as one percentage (10 and 5 give 14.5).
double combinedRate(const double rates[4]);

} // namespace Methods
