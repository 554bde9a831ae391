// Catalogue methods: the stock search with the user's own prices, the new and campaign
// product lists, a part's package quantity and its movements for a customer.
//
// Only the search carries a session record; it is checked against its user and the
// customer it names before any price is computed. The lists that name a customer by number
// alone get that customer's prices (or list prices for a number that names none).

#include "areas.h"
#include "caller.h"
#include "cataloguerows.h"
#include "inputs.h"
#include "orderlines.h"
#include "registry.h"
#include "tablefill.h"

#include "appserver/store/database.h"
#include "appserver/store/searchindex.h"
#include "appserver/store/sql.h"

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

constexpr int kMaxSearchLimit = 1000000;

// The settings row stok_arama_limiti overrides the store's default number of rows.
int searchLimit(Store::Database &db)
{
    bool ok = false;
    const int limit = db.setting(u"stok_arama_limiti"_s).toInt(&ok);
    return ok && limit > 0 ? std::min(limit, kMaxSearchLimit) : Store::kDefaultSearchLimit;
}

// StokAraGetirZerva(kod, bilgi): the parts whose codes or names contain the text.
Outputs stokAraGetirZerva(CallContext &context, const Inputs &inputs)
{
    QSqlDatabase db = context.db.connection();
    const Protocol::TSonucBilgisi *record = inputAt<Protocol::TSonucBilgisi>(inputs, 1);
    auto caller = authenticateFor(db, record);
    if (!caller)
        return caller.error();
    auto found = Store::searchParts(db, textAt(inputs, 0), searchLimit(context.db));
    if (!found)
        return found.error();
    auto pricing = CustomerPricing::load(db, record->FCARINO);
    if (!pricing)
        return pricing.error();
    Protocol::ClientTable table = partTable(PartList::Search);
    if (auto done = appendPartsByNumber(table, PartList::Search, db, *pricing, *found); !done)
        return done.error();
    return answer(std::move(table));
}

Outputs partList(CallContext &context, int carino, PartList list)
{
    QSqlDatabase db = context.db.connection();
    auto pricing = CustomerPricing::load(db, carino);
    if (!pricing)
        return pricing.error();
    Protocol::ClientTable table = partTable(list);
    if (auto done = appendListParts(table, list, db, *pricing); !done)
        return done.error();
    return answer(std::move(table));
}

// YenilerVer2(carino): the new products with the customer's prices.
Outputs yenilerVer2(CallContext &context, const Inputs &inputs)
{
    return partList(context, intAt(inputs, 0), PartList::New);
}

// KampanyaliVer2(cario, satici): the campaign products; FIYAT is the price the customer pays
// (the campaign price), ESKIFIYAT the list price it replaces. The second number is the
// user type; every type that sees the list gets the same rows.
Outputs kampanyaliVer2(CallContext &context, const Inputs &inputs)
{
    return partList(context, intAt(inputs, 0), PartList::Campaign);
}

// EnVer(stokno): the package quantity, the step and minimum of an order quantity.
Outputs enVer(CallContext &context, const Inputs &inputs)
{
    const int stokno = intAt(inputs, 0);
    auto quantity =
        Store::scalar(context.db.connection(), u"SELECT koliadet FROM stoklar WHERE stokno = ?"_s, {stokno});
    if (!quantity)
        return quantity.error();
    if (!quantity->isValid())
        return Protocol::makeError(u"Stok bulunamadı: %1"_s.arg(stokno));
    return answer(qint32(std::max(1, quantity->toInt())));
}

// StokHareketVer(carino, stokno): the documents the part moved in for the customer, oldest
// first, with the amounts computed as the statement shows them.
Outputs stokHareketVer(CallContext &context, const Inputs &inputs)
{
    auto query = Store::exec(context.db.connection(),
                             u"SELECT s.barkod, h.tarih, h.turu, h.evrakseri, h.evraksira, h.miktar, h.birimfiyat,"
                             u" h.vergi, h.tutar, h.ind1, h.ind2, h.ind3, h.ind4, h.toplamindirim, h.masraf1,"
                             u" h.masraf2, h.nettutar, h.vade, c.carikod, h.kdv, COALESCE(sa.adi, '')"
                             u" FROM stok_hareketleri h"
                             u" JOIN stoklar s ON s.stokno = h.stokno"
                             u" JOIN cariler c ON c.carino = h.carino"
                             u" LEFT JOIN saticilar sa ON sa.saticino = h.saticino"
                             u" WHERE h.carino = ? AND h.stokno = ? ORDER BY h.tarih, h.saat, h.id"_s,
                             {intAt(inputs, 0), intAt(inputs, 1)});
    if (!query)
        return query.error();
    Protocol::ClientTable table = makeTable({
        text(u"BARKOD"_s, 50),      date(u"TARIH"_s),
        text(u"TURU"_s, 50),        text(u"EVRAKSERI"_s, 10),
        int32(u"EVRAKSIRA"_s),      money(u"MIKTAR"_s),
        money(u"TLBIRIMFIYAT"_s),   money(u"TLVERGI"_s),
        money(u"TLTUTAR"_s),        money(u"INDIRIM1"_s),
        money(u"INDIRIM2"_s),       money(u"INDIRIM3"_s),
        money(u"INDIRIM4"_s),       money(u"INDIRIM5"_s),
        money(u"INDIRIM6"_s),       money(u"INDIRIM7"_s),
        money(u"INDIRIM8"_s),       money(u"TOPLAMINDIRIM"_s),
        money(u"MASRAF1"_s),        money(u"MASRAF2"_s),
        money(u"TOPLAMMASRAF"_s),   money(u"NETBIRIMFIYAT"_s),
        money(u"NETTLTUTAR"_s),     int32(u"VADE"_s),
        text(u"STOKCARIKOD"_s, 25), money(u"KDVDAHILBIRIMFIYAT"_s),
        money(u"KDVDAHILTUTAR"_s),  text(u"SATICI"_s, 50),
    });
    while (query->next()) {
        const auto v = [&](int i) { return query->value(i); };
        const double quantity = v(5).toDouble();
        const double net = v(16).toDouble();
        const double tax = v(7).toDouble();
        const double netUnit = quantity != 0 ? round2(net / quantity) : 0.0;
        const double taxRate = v(19).toDouble();
        table.appendRow({v(0),
                         dateValue(v(1).toString()),
                         v(2),
                         v(3),
                         v(4),
                         quantity,
                         v(6),
                         tax,
                         v(8),
                         v(9),
                         v(10),
                         v(11),
                         v(12),
                         0.0,
                         0.0,
                         0.0,
                         0.0,
                         v(13),
                         v(14),
                         v(15),
                         round2(v(14).toDouble() + v(15).toDouble()),
                         netUnit,
                         net,
                         v(17),
                         v(18),
                         round2(netUnit * (1.0 + taxRate / 100.0)),
                         round2(net + tax),
                         v(20)});
    }
    return answer(std::move(table));
}

} // namespace

void registerCatalogueMethods(Registry &registry)
{
    // The lists are read far more often than the parts and prices change: their answers are
    // kept until a watched table changes.
    registry.add("StokAraGetirZerva", stokAraGetirZerva, Keep::WhileDataUnchanged);
    registry.add("YenilerVer2", yenilerVer2, Keep::WhileDataUnchanged);
    registry.add("KampanyaliVer2", kampanyaliVer2, Keep::WhileDataUnchanged);
    registry.add("EnVer", enVer);
    registry.add("StokHareketVer", stokHareketVer);
}

} // namespace Methods
