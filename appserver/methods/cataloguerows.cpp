#include "cataloguerows.h"

#include "orderlines.h"
#include "tablefill.h"

#include "appserver/store/sql.h"

#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <charconv>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

// Up to this many parts, the open order quantities are read for the listed parts only;
// a longer list reads them for every part with an open order line (one pass over those).
constexpr std::size_t kFewParts = 2000;

// ALINANSIPARIS: what customers ordered of each part and was not yet delivered, for the
// given parts (all of them when stoknos is null). Parts without open lines are absent.
Protocol::Expected<QHash<int, double>> openOrderQuantities(const QSqlDatabase &db, const std::vector<int> *stoknos)
{
    QHash<int, double> open;
    if (stoknos && stoknos->empty())
        return open;
    const bool postgres = db.driverName() == u"QPSQL"_s;
    QString sql = u"SELECT stokno, SUM(kalan) FROM siparis_satirlari WHERE kalan > 0"_s;
    QVariantList binds;
    if (stoknos) {
        // The numbers travel as one bound list (a JSON array for SQLite, a comma list for
        // PostgreSQL): hundreds of separate placeholders cost more to bind than the rows to read.
        QString numbers;
        for (const int stokno : *stoknos) {
            if (!numbers.isEmpty())
                numbers.append(u',');
            numbers.append(QString::number(stokno));
        }
        sql += postgres ? u" AND stokno = ANY (string_to_array(?, ',')::integer[])"_s
                        : u" AND stokno IN (SELECT value FROM json_each(?))"_s;
        binds.append(postgres ? numbers : u'[' + numbers + u']');
    }
    auto query = Store::exec(db, sql + u" GROUP BY stokno"_s, binds);
    if (!query)
        return query.error();
    while (query->next())
        open.insert(query->value(0).toInt(), query->value(1).toDouble());
    return open;
}

void appendRow(Protocol::ClientTable &table, PartList list, const PartSnapshot &parts, const PartSnapshot::Part &part,
               const CustomerPricing &pricing, double openOrders)
{
    const auto text = [&](PartSnapshot::Text which) { table.appendText(parts.text(part, which)); };
    const PartPrice price = pricing.priceOf(part);
    const double net = price.net();

    for (int t = PartSnapshot::Oem1; t <= PartSnapshot::Oem4; ++t) // OEM1 .. OEM4
        text(PartSnapshot::Text(t));
    table.appendInteger(part.stokno);
    text(PartSnapshot::FinishKod);
    text(PartSnapshot::UreticiKodu);
    table.appendInteger(part.resim);
    char number[24];
    const auto written = std::to_chars(number, number + sizeof number, part.barkodno);
    table.appendText(std::string_view(number, std::size_t(written.ptr - number))); // BARKOD_BARKODNO
    for (int t = PartSnapshot::DigerAdi; t <= PartSnapshot::OzelKod; ++t)           // DIGERADI .. OZELKOD
        text(PartSnapshot::Text(t));
    table.appendNumber(part.kalan);
    text(PartSnapshot::PKod);
    table.appendInteger(part.kdv);
    table.appendNumber(openOrders);                                      // ALINANSIPARIS
    table.appendNumber(part.verilensiparis);                             // VERILENSIPARIS
    table.appendNumber(part.fiyat);                                      // LISTEFIYAT1
    table.appendNumber(part.kampanya > 0 ? part.kampfiyat : 0.0);        // KAMPFIYAT
    table.appendNumber(price.price);                                     // FIYAT
    table.appendInteger(part.yeni == 1 ? 1 : 0);                         // Y
    table.appendInteger(part.kampanya);                                  // K
    table.appendText(pricing.discountTextOf(price));                     // INDIRIMYAZI
    table.appendNumber(net);                                             // NETFIYAT
    table.appendNumber(round2(net * (1.0 + part.kdv / 100.0)));          // KDVDAHIL
    table.appendInteger(part.durum);                                     // DURUM
    table.appendInteger(part.durum2);                                    // DURUM2
    for (const double rate : price.rates)
        table.appendNumber(rate);
    table.appendNumber(combinedRate(price.rates)); // INDIRIM
    if (list == PartList::Campaign)
        table.appendNumber(part.fiyat); // ESKIFIYAT
    table.endRow();
}

// Room for the text of `rows` rows at once, so long lists do not move their text around
// while they grow (untouched reserved memory costs nothing).
void reserveText(Protocol::ClientTable &table, int rows)
{
    for (int c = 0; c < table.columnCount(); ++c) {
        if (table.column(c).kind == Protocol::ColumnKind::Text)
            table.reserveText(c, std::size_t(rows) * std::size_t(std::clamp(table.column(c).size, 8, 64)));
    }
}

} // namespace

double PartPrice::net() const
{
    double value = price;
    for (const double rate : rates) {
        if (rate > 0)
            value -= value * rate / 100.0;
    }
    return round2(value);
}

double combinedRate(const double rates[4])
{
    double left = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (rates[i] > 0)
            left *= 1.0 - rates[i] / 100.0;
    }
    return round2((1.0 - left) * 100.0);
}

Protocol::Expected<CustomerPricing> CustomerPricing::load(const QSqlDatabase &db, int carino)
{
    CustomerPricing pricing;
    if (carino <= 0)
        return pricing;
    auto discounts = Store::exec(db,
                                 u"SELECT marka, anagrup, ind1, ind2, ind3, ind4 FROM cari_iskontolari"
                                 u" WHERE carino = ? ORDER BY id"_s,
                                 {carino});
    if (!discounts)
        return discounts.error();
    while (discounts->next()) {
        DiscountRow row;
        row.marka = discounts->value(0).toString();
        row.anagrup = discounts->value(1).toString();
        for (int i = 0; i < 4; ++i)
            row.rates[i] = discounts->value(2 + i).toDouble();
        pricing.m_discounts.append(row);
        pricing.m_discountTexts.append(discountText(row.rates));
    }
    auto special = Store::exec(db, u"SELECT stokno, fiyat FROM cari_ozel_fiyatlar WHERE carino = ?"_s, {carino});
    if (!special)
        return special.error();
    while (special->next())
        pricing.m_special.insert(special->value(0).toInt(), special->value(1).toDouble());
    return pricing;
}

template<typename Matches>
PartPrice CustomerPricing::priceBy(int stokno, double listPrice, int kampanya, double kampfiyat,
                                   const Matches &matches) const
{
    PartPrice out;
    if (const auto special = m_special.constFind(stokno); special != m_special.cend()) {
        out.price = *special;
        out.special = true;
        return out;
    }
    if (kampanya > 0 && kampfiyat > 0) {
        out.price = kampfiyat;
        out.campaign = true;
        return out;
    }
    out.price = listPrice;
    // The most specific row wins: make and group, then make, then group, then the general row.
    const DiscountRow *best = nullptr;
    int bestScore = -1;
    for (const DiscountRow &row : m_discounts) {
        if (!matches(row))
            continue;
        const int score = (row.marka.isEmpty() ? 0 : 2) + (row.anagrup.isEmpty() ? 0 : 1);
        if (score > bestScore) {
            best = &row;
            bestScore = score;
        }
    }
    if (best) {
        for (int i = 0; i < 4; ++i)
            out.rates[i] = best->rates[i];
        out.discountRow = int(best - m_discounts.constData());
    }
    return out;
}

PartPrice CustomerPricing::priceOf(int stokno, const QString &marka, const QString &anagrup, double listPrice,
                                   int kampanya, double kampfiyat) const
{
    const auto matches = [&](const DiscountRow &row) {
        return (row.marka.isEmpty() || row.marka == marka) && (row.anagrup.isEmpty() || row.anagrup == anagrup);
    };
    return priceBy(stokno, listPrice, kampanya, kampfiyat, matches);
}

void CustomerPricing::matchNames(const PartSnapshot &snapshot)
{
    const auto idOf = [&](const QString &name) {
        if (name.isEmpty())
            return -1;
        const int id = snapshot.nameId(name);
        return id < 0 ? -2 : id;
    };
    for (DiscountRow &row : m_discounts) {
        row.markaId = idOf(row.marka);
        row.anagrupId = idOf(row.anagrup);
    }
}

PartPrice CustomerPricing::priceOf(const PartSnapshot::Part &part) const
{
    const auto matches = [&](const DiscountRow &row) {
        return (row.markaId == -1 || row.markaId == part.markaId) &&
               (row.anagrupId == -1 || row.anagrupId == part.anagrupId);
    };
    return priceBy(part.stokno, part.fiyat, part.kampanya, part.kampfiyat, matches);
}

QString CustomerPricing::discountTextOf(const PartPrice &price) const
{
    // A row's text is made once: a long list would otherwise write the same rates again and again.
    if (price.discountRow >= 0 && price.discountRow < m_discountTexts.size())
        return m_discountTexts.at(price.discountRow);
    return discountText(price.rates);
}

Protocol::ClientTable partTable(PartList list)
{
    Protocol::ClientTable table = makeTable({
        text(u"OEM1"_s, 50),
        text(u"OEM2"_s, 50),
        text(u"OEM3"_s, 50),
        text(u"BARKOD"_s, 50),
        text(u"OEMNO"_s, 50),
        text(u"ADI"_s),
        text(u"MODEL"_s, 250),
        text(u"MARKA"_s, 50),
        text(u"OEM4"_s, 50),
        int32(u"STOK_STOKNO"_s),
        text(u"FINISHKOD"_s, 50),
        text(u"URETICIKODU"_s, 50),
        int32(u"RESIM"_s),
        text(u"BARKOD_BARKODNO"_s, 20),
        text(u"DIGERADI"_s),
        text(u"DPKOD"_s, 50),
        text(u"BIRIM"_s, 10),
        text(u"ANAGRUP"_s, 50),
        text(u"OZELKOD"_s, 50),
        money(u"KALAN"_s),
        text(u"PKOD"_s, 50),
        int32(u"KDV"_s),
        money(u"ALINANSIPARIS"_s),
        money(u"VERILENSIPARIS"_s),
        money(u"LISTEFIYAT1"_s),
        money(u"KAMPFIYAT"_s),
        money(u"FIYAT"_s),
        int32(u"Y"_s),
        int32(u"K"_s),
        text(u"INDIRIMYAZI"_s, 30),
        money(u"NETFIYAT"_s),
        money(u"KDVDAHIL"_s),
        int32(u"DURUM"_s),
        int32(u"DURUM2"_s),
        money(u"IND1"_s),
        money(u"IND2"_s),
        money(u"IND3"_s),
        money(u"IND4"_s),
        money(u"INDIRIM"_s),
    });
    if (list == PartList::Campaign)
        table.addColumn({u"ESKIFIYAT"_s, Protocol::ColumnKind::Float, 7, 8});
    return table;
}

Protocol::Expected<Protocol::Done> appendPartsByNumber(Protocol::ClientTable &table, PartList list,
                                                       const QSqlDatabase &db, CustomerPricing &pricing,
                                                       const std::vector<int> &stoknos)
{
    if (stoknos.empty())
        return Protocol::Done{};
    auto parts = PartSnapshot::current(db);
    if (!parts)
        return parts.error();
    auto open = openOrderQuantities(db, stoknos.size() <= kFewParts ? &stoknos : nullptr);
    if (!open)
        return open.error();
    pricing.matchNames(**parts);
    table.reserveRows(int(stoknos.size()));
    reserveText(table, int(stoknos.size()));
    for (const int stokno : stoknos) {
        if (const PartSnapshot::Part *part = (*parts)->find(stokno))
            appendRow(table, list, **parts, *part, pricing, open->value(stokno));
    }
    return Protocol::Done{};
}

Protocol::Expected<Protocol::Done> appendListParts(Protocol::ClientTable &table, PartList list, const QSqlDatabase &db,
                                                   CustomerPricing &pricing)
{
    auto parts = PartSnapshot::current(db);
    if (!parts)
        return parts.error();
    auto open = openOrderQuantities(db, nullptr);
    if (!open)
        return open.error();
    pricing.matchNames(**parts);
    for (const PartSnapshot::Part &part : (*parts)->parts()) {
        const bool listed = list == PartList::New ? part.yeni == 1 : list == PartList::Campaign && part.kampanya > 0;
        if (listed)
            appendRow(table, list, **parts, part, pricing, open->value(part.stokno));
    }
    return Protocol::Done{};
}

} // namespace Methods
