#include "cataloguerows.h"

#include "orderlines.h"
#include "tablefill.h"

#include "appserver/store/sql.h"

#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

constexpr std::size_t kChunk = 10000; // stock numbers per SELECT

// The part columns every list reads, in the order appendRow expects them. Text columns are
// read as their UTF-8 bytes: the table keeps UTF-8, so a long list skips two conversions
// of every text cell.
QString partColumns(const QSqlDatabase &db)
{
    const bool postgres = db.driverName() == u"QPSQL"_s;
    const auto bytes = [postgres](const char *column) -> QString {
        const QString name = u"s."_s + QString::fromLatin1(column);
        return postgres ? u"convert_to("_s + name + u", 'UTF8')"_s : u"CAST("_s + name + u" AS BLOB)"_s;
    };
    QStringList columns;
    for (const char *column : {"oem1", "oem2", "oem3", "barkod", "oemno", "adi", "model", "marka", "oem4"})
        columns.append(bytes(column));
    columns.append(u"s.stokno"_s);
    columns.append(bytes("finishkod"));
    columns.append(bytes("ureticikodu"));
    columns.append(u"s.resim"_s);
    columns.append(u"s.barkodno"_s);
    for (const char *column : {"digeradi", "dpkod", "birim", "anagrup", "ozelkod"})
        columns.append(bytes(column));
    columns.append(u"s.kalan"_s);
    columns.append(bytes("pkod"));
    columns.append(u"s.kdv, s.verilensiparis, s.fiyat, s.kampanya, s.kampfiyat, s.yeni, s.durum, s.durum2,"
                   u" s.marka, s.anagrup"_s);
    // ALINANSIPARIS: what customers ordered of the part and was not yet delivered.
    columns.append(u"(SELECT COALESCE(SUM(x.kalan), 0) FROM siparis_satirlari x"
                   u" WHERE x.stokno = s.stokno AND x.kalan > 0)"_s);
    return columns.join(u", "_s);
}

void appendRow(Protocol::ClientTable &table, PartList list, const QSqlQuery &q, const CustomerPricing &pricing)
{
    const auto text = [&](int i) {
        const QByteArray bytes = q.value(i).toByteArray();
        table.appendText(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    };
    const int stokno = q.value(9).toInt();
    const int kdv = q.value(21).toInt();
    const double listPrice = q.value(23).toDouble();
    const int kampanya = q.value(24).toInt();
    const double kampfiyat = q.value(25).toDouble();
    // Make and group once more as text (29, 30): the discount rows are matched on them.
    const PartPrice price =
        pricing.priceOf(stokno, q.value(29).toString(), q.value(30).toString(), listPrice, kampanya, kampfiyat);
    const double net = price.net();

    for (int i = 0; i <= 8; ++i) // OEM1 .. OEM4
        text(i);
    table.appendInteger(stokno);
    text(10);                                                    // FINISHKOD
    text(11);                                                    // URETICIKODU
    table.appendInteger(q.value(12).toInt());                    // RESIM
    table.appendText(QString::number(q.value(13).toLongLong())); // BARKOD_BARKODNO
    for (int i = 14; i <= 18; ++i)                               // DIGERADI .. OZELKOD
        text(i);
    table.appendNumber(q.value(19).toDouble()); // KALAN
    text(20);                                   // PKOD
    table.appendInteger(kdv);
    table.appendNumber(q.value(31).toDouble());            // ALINANSIPARIS
    table.appendNumber(q.value(22).toDouble());            // VERILENSIPARIS
    table.appendNumber(listPrice);                         // LISTEFIYAT1
    table.appendNumber(kampanya > 0 ? kampfiyat : 0.0);    // KAMPFIYAT
    table.appendNumber(price.price);                       // FIYAT
    table.appendInteger(q.value(26).toInt() == 1 ? 1 : 0); // Y
    table.appendInteger(kampanya);                         // K
    table.appendText(pricing.discountTextOf(price));       // INDIRIMYAZI
    table.appendNumber(net);                               // NETFIYAT
    table.appendNumber(round2(net * (1.0 + kdv / 100.0))); // KDVDAHIL
    table.appendInteger(q.value(27).toInt());              // DURUM
    table.appendInteger(q.value(28).toInt());              // DURUM2
    for (const double rate : price.rates)
        table.appendNumber(rate);
    table.appendNumber(combinedRate(price.rates)); // INDIRIM
    if (list == PartList::Campaign)
        table.appendNumber(listPrice); // ESKIFIYAT
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

PartPrice CustomerPricing::priceOf(int stokno, const QString &marka, const QString &anagrup, double listPrice,
                                   int kampanya, double kampfiyat) const
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
    const DiscountRow *best = nullptr;
    int bestScore = -1;
    for (const DiscountRow &row : m_discounts) {
        if ((!row.marka.isEmpty() && row.marka != marka) || (!row.anagrup.isEmpty() && row.anagrup != anagrup))
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
                                                       const QSqlDatabase &db, const CustomerPricing &pricing,
                                                       const std::vector<int> &stoknos)
{
    if (stoknos.empty())
        return Protocol::Done{};
    // The numbers travel as one bound list (a JSON array for SQLite, a comma list for
    // PostgreSQL): hundreds of separate placeholders cost more to bind than the rows to read.
    const bool postgres = db.driverName() == u"QPSQL"_s;
    const QString sql = u"SELECT "_s + partColumns(db) + u" FROM stoklar s WHERE "_s +
                        (postgres ? u"s.stokno = ANY (string_to_array(?, ',')::integer[])"_s
                                  : u"s.stokno IN (SELECT value FROM json_each(?))"_s) +
                        u" ORDER BY s.stokno"_s;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return Protocol::makeError(u"Veritabanı hatası: stok sorgusu hazırlanamadı"_s);
    table.reserveRows(int(stoknos.size()));
    reserveText(table, int(stoknos.size()));
    for (std::size_t from = 0; from < stoknos.size(); from += kChunk) {
        QString numbers;
        const std::size_t to = std::min(stoknos.size(), from + kChunk);
        for (std::size_t at = from; at < to; ++at) {
            if (at > from)
                numbers.append(u',');
            numbers.append(QString::number(stoknos[at]));
        }
        query.bindValue(0, postgres ? numbers : u'[' + numbers + u']');
        if (!query.exec())
            return Protocol::makeError(u"Veritabanı hatası: stoklar okunamadı"_s);
        while (query.next())
            appendRow(table, list, query, pricing);
    }
    return Protocol::Done{};
}

Protocol::Expected<Protocol::Done> appendPartsWhere(Protocol::ClientTable &table, PartList list, const QSqlDatabase &db,
                                                    const CustomerPricing &pricing, const QString &condition)
{
    auto query = Store::exec(db, u"SELECT "_s + partColumns(db) + u" FROM stoklar s WHERE "_s + condition +
                                     u" ORDER BY s.stokno"_s);
    if (!query)
        return query.error();
    while (query->next())
        appendRow(table, list, *query, pricing);
    return Protocol::Done{};
}

} // namespace Methods
