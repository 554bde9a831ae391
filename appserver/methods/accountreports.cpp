// The two reports of the reports window over a date range: the orders taken (grouped by
// representative on the client) and the parts sold. A representative sees his customers,
// a dealer his own account. A range whose first day lies after its last gives no rows.

#include "accountparts.h"
#include "caller.h"
#include "inputs.h"
#include "orderlines.h"
#include "registry.h"
#include "tablefill.h"

#include "appserver/store/database.h"

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

// The order's date is its stored moment; the range covers whole days.
const QString kOrderInRange = u"s.tarih >= ? AND s.tarih < ?"_s;

QString dayAfter(const QString &isoDay)
{
    return QDate::fromString(isoDay, Qt::ISODate).addDays(1).toString(Qt::ISODate);
}

// RaporAlinanSiparisler(bilgi, tarih1, tarih2): one row per order taken in the range.
Outputs raporAlinanSiparisler(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    auto caller = authenticateFor(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0));
    if (!caller)
        return caller.error();
    auto range = dateRange(doubleAt(inputs, 1), doubleAt(inputs, 2));
    if (!range)
        return range.error();

    Protocol::ClientTable table = makeTable({
        text(u"SATICIADI"_s, 50),
        money(u"IDNO"_s),
        int32(u"CARINO"_s),
        date(u"TARIH"_s),
        text(u"KUR"_s, 5),
        money(u"KURTL"_s),
        int32(u"VERENIDNO"_s),
        text(u"KARGO"_s, 50),
        text(u"TESLIM"_s, 50),
        text(u"VEREN"_s, 50),
        text(u"CARIKOD"_s, 25),
        text(u"CARIADI"_s, 100),
        text(u"DURUM"_s, 100),
        text(u"KARGOADI"_s, 50),
        money(u"VERGI"_s),
        money(u"NETTUTAR"_s),
        money(u"TUTAR"_s),
    });
    if (!range->empty()) {
        auto orders = orderSummaries(db, visibleCustomers(*caller, u"s.carino"_s) + u" AND "_s + kOrderInRange,
                                     {visibleBind(*caller), range->from, dayAfter(range->to)});
        if (!orders)
            return orders.error();
        for (const OrderSummary &o : std::as_const(*orders)) {
            table.appendRow({o.repName, double(o.idno), o.carino, dateValue(o.moment.left(10)), o.currency, o.rate,
                             o.placedBy, o.cargoTypeName, o.deliveryName, o.placedByName, o.customerCode,
                             o.customerName, o.stateName, o.carrierName, o.tax, o.net, o.gross});
        }
    }
    return answer(std::move(table));
}

// RaporEnCokSatilanStoklar(bilgi, tarih1, tarih2): the parts invoiced in the range, the
// most sold first.
Outputs raporEnCokSatilanStoklar(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    auto caller = authenticateFor(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0));
    if (!caller)
        return caller.error();
    auto range = dateRange(doubleAt(inputs, 1), doubleAt(inputs, 2));
    if (!range)
        return range.error();

    Protocol::ClientTable table = makeTable({
        text(u"BARKOD"_s, 50),
        text(u"KOD"_s, 50),
        text(u"ADI"_s, 100),
        text(u"DEPARTMAN"_s, 50),
        money(u"MIKTAR"_s),
        money(u"NETTUTAR"_s),
        money(u"TLVERGI"_s),
        money(u"TUTAR"_s),
    });
    if (!range->empty()) {
        auto done = fillFromQuery(
            table, db,
            u"SELECT st.barkod, st.ureticikodu, st.adi, st.anagrup, SUM(h.miktar), SUM(h.nettutar), SUM(h.vergi),"
            u" SUM(h.tutar) FROM stok_hareketleri h JOIN stoklar st ON st.stokno = h.stokno"
            u" WHERE h.fatura IS NOT NULL AND h.tarih >= ? AND h.tarih <= ? AND "_s +
                visibleCustomers(*caller, u"h.carino"_s) +
                u" GROUP BY st.stokno, st.barkod, st.ureticikodu, st.adi, st.anagrup"
                u" ORDER BY SUM(h.miktar) DESC, SUM(h.nettutar) DESC, st.barkod"_s,
            {range->from, range->to, visibleBind(*caller)});
        if (!done)
            return done.error();
    }
    return answer(std::move(table));
}

} // namespace

void registerAccountReportMethods(Registry &registry)
{
    registry.add("RaporAlinanSiparisler", raporAlinanSiparisler);
    registry.add("RaporEnCokSatilanStoklar", raporEnCokSatilanStoklar);
}

} // namespace Methods
