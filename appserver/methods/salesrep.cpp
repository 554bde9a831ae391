// Sales representative tools: the customers a representative may choose (searched or by
// the state of their baskets and orders), the counts on the state buttons, and the PDF
// reports of the customer selection. Which customers a user sees is decided here, from the
// user the session record names: a representative his assigned customers, a dealer his own.

#include "areas.h"
#include "caller.h"
#include "inputs.h"
#include "registry.h"
#include "reports.h"
#include "tablefill.h"

#include "appserver/store/database.h"
#include "appserver/store/folding.h"
#include "appserver/store/sql.h"

#include <QSqlQuery>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

constexpr int kStates = 6; // siparis_durumlari 1..6; a state list n is state n − 1, n = 1 the baskets

Protocol::ClientTable customerTable()
{
    return makeTable({
        int32(u"CARINO"_s),
        text(u"CARIKOD"_s, 25),
        text(u"CARIADI"_s),
        text(u"SATICISI"_s, 50),
        money(u"TLBAKIYE"_s),
        text(u"DURUM"_s, 10),
        text(u"OZELKOD"_s, 50),
        text(u"KOD1"_s, 50),
        text(u"KOD2"_s, 50),
        text(u"KOD3"_s, 50),
        text(u"KOD4"_s, 50),
        text(u"KOD5"_s, 50),
        text(u"TEL1"_s, 30),
        text(u"TEL2"_s, 30),
        text(u"ILCE"_s, 50),
        text(u"IL"_s, 50),
        text(u"GSM"_s, 30),
        int32(u"SEPET"_s),
        text(u"YETKILI"_s, 50),
        money(u"INDIRIM"_s),
        int32(u"VADE"_s),
        int32(u"VADEKONTROLGUN"_s),
        int32(u"VADEKONTROLAY"_s),
        text(u"VERGIDAIRESI"_s, 50),
        text(u"VERGINO"_s, 20),
        text(u"ADRES1"_s),
        text(u"ADRES2"_s),
        text(u"ANAGRUP"_s, 50),
        text(u"ALTGRUP"_s, 50),
        text(u"FAX1"_s, 30),
        text(u"FAX2"_s, 30),
        text(u"EMAIL"_s),
        int32(u"ALINDI"_s),
        int32(u"ONAYLANDI"_s),
        int32(u"GORULDU"_s),
        int32(u"HAZIRLANDI"_s),
        int32(u"PARCALIHAZIRLANDI"_s),
        int32(u"SEVKEDILDI"_s),
    });
}

struct CustomerRow
{
    QVariantList cells; // in the order of customerTable()
    QString searchText; // folded: code, name, contact, city, district, special code
    int basketLines = 0;
    int orders[kStates + 1] = {};
};

// The caller's customers with their figures, in code order.
Protocol::Expected<QList<CustomerRow>> visibleCustomerRows(const QSqlDatabase &db, const Caller &caller)
{
    QString stateCounts;
    for (int state = 1; state <= kStates; ++state)
        stateCounts += u", (SELECT COUNT(*) FROM siparisler s WHERE s.carino = c.carino AND s.durum = %1)"_s.arg(state);
    auto query =
        Store::exec(db,
                    u"SELECT c.carino, c.carikod, c.cariadi, COALESCE(sa.adi, ''), c.tlborc - c.tlalacak,"
                    u" c.ozelkod, c.kod1, c.kod2, c.kod3, c.kod4, c.kod5, c.tel1, c.tel2, c.ilce, c.il, c.gsm,"
                    u" (SELECT COUNT(*) FROM sepet b WHERE b.carino = c.carino), c.yetkili, c.indirim, c.vade,"
                    u" c.vadekontrolgun, c.vadekontrolay, c.vergidairesi, c.vergino, c.adres1, c.adres2,"
                    u" c.anagrup, c.altgrup, c.fax1, c.fax2, c.email"_s +
                        stateCounts + u" FROM cariler c LEFT JOIN saticilar sa ON sa.saticino = c.saticino WHERE "_s +
                        visibleCustomers(caller, u"c.carino"_s) + u" ORDER BY c.carikod"_s,
                    {visibleBind(caller)});
    if (!query)
        return query.error();
    QList<CustomerRow> rows;
    while (query->next()) {
        CustomerRow row;
        const double balance = std::round(query->value(4).toDouble() * 100.0) / 100.0;
        const QString mark = balance > 0 ? u"B"_s : balance < 0 ? u"A"_s : QString();
        for (int i = 0; i < 31; ++i) {
            if (i == 4)
                row.cells << balance << mark;
            else
                row.cells << query->value(i);
        }
        row.basketLines = query->value(16).toInt();
        for (int state = 1; state <= kStates; ++state)
            row.orders[state] = query->value(30 + state).toInt();
        // ALINDI, ONAYLANDI, GORULDU, HAZIRLANDI, PARCALIHAZIRLANDI, SEVKEDILDI
        row.cells << row.orders[1] << row.orders[2] << row.orders[3] << row.orders[5] << row.orders[4] << row.orders[6];
        row.searchText = Store::foldForSearch(QStringList{query->value(1).toString(), query->value(2).toString(),
                                                          query->value(17).toString(), query->value(14).toString(),
                                                          query->value(13).toString(), query->value(5).toString()}
                                                  .join(u' '));
        rows.append(row);
    }
    return rows;
}

// CariAra(bil, aranan): the caller's customers whose code, name, contact, city, district or
// special code hold every word of the text (folded as the catalogue search folds); an
// empty text lists them all.
Outputs cariAra(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    auto caller = authenticateFor(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0));
    if (!caller)
        return caller.error();
    auto rows = visibleCustomerRows(db, *caller);
    if (!rows)
        return rows.error();
    const QStringList words = Store::foldForSearch(textAt(inputs, 1)).split(u' ', Qt::SkipEmptyParts);
    Protocol::ClientTable table = customerTable();
    for (const CustomerRow &row : std::as_const(*rows)) {
        const bool matches = std::all_of(words.cbegin(), words.cend(),
                                         [&](const QString &word) { return row.searchText.contains(word); });
        if (matches)
            table.appendRow(row.cells);
    }
    return answer(std::move(table));
}

// CariSepetVer(bil, n): the caller's customers with basket lines (n = 1) or with orders in
// state n − 1 (n = 2..7). Another n lists nobody.
Outputs cariSepetVer(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    auto caller = authenticateFor(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0));
    if (!caller)
        return caller.error();
    const int n = intAt(inputs, 1);
    Protocol::ClientTable table = customerTable();
    if (n < 1 || n > kStates + 1)
        return answer(std::move(table));
    auto rows = visibleCustomerRows(db, *caller);
    if (!rows)
        return rows.error();
    for (const CustomerRow &row : std::as_const(*rows)) {
        if ((n == 1 && row.basketLines > 0) || (n > 1 && row.orders[n - 1] > 0))
            table.appendRow(row.cells);
    }
    return answer(std::move(table));
}

// SepetSayisi(bil): how many of the caller's customers have something in their basket.
Outputs sepetSayisi(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    auto caller = authenticateFor(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0));
    if (!caller)
        return caller.error();
    auto count = Store::scalar(
        db, u"SELECT COUNT(DISTINCT b.carino) FROM sepet b WHERE "_s + visibleCustomers(*caller, u"b.carino"_s),
        {visibleBind(*caller)});
    if (!count)
        return count.error();
    return answer(qint32(count->toInt()));
}

// TusSonuclariVer(bil): the orders of the caller's customers, counted per state.
Outputs tusSonuclariVer(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    auto caller = authenticateFor(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0));
    if (!caller)
        return caller.error();
    auto query = Store::exec(db,
                             u"SELECT s.durum, COUNT(*) FROM siparisler s WHERE "_s +
                                 visibleCustomers(*caller, u"s.carino"_s) + u" GROUP BY s.durum"_s,
                             {visibleBind(*caller)});
    if (!query)
        return query.error();
    Protocol::TTusSonuclari counts;
    while (query->next()) {
        const qint32 count = query->value(1).toInt();
        switch (query->value(0).toInt()) {
        case 1: counts.FAlindi = count; break;
        case 2: counts.FOnaylandi = count; break;
        case 3: counts.FGoruldu = count; break;
        case 4: counts.FParcaliHazirlandi = count; break;
        case 5: counts.FHazirlandi = count; break;
        case 6: counts.FSevkEdildi = count; break;
        default: break;
        }
    }
    return answer(counts);
}

// RaporGetir(raporno, bolum, idno, carino, saticiadi, tarih1, tarih2) → size, stream.
// idno is the requesting user's record number; the customer must be one he may see.
Outputs raporGetir(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    ReportRequest request;
    request.number = intAt(inputs, 0);
    request.carino = intAt(inputs, 3);
    request.repName = textAt(inputs, 4).trimmed();
    auto caller = callerByNumber(db, intAt(inputs, 2));
    if (!caller)
        return caller.error();
    if (request.carino != 0) {
        if (auto allowed = mayUseCustomer(db, *caller, request.carino); !allowed)
            return allowed.error();
    }
    auto range = dateRange(doubleAt(inputs, 5), doubleAt(inputs, 6));
    if (!range)
        return range.error();
    request.range = *range;
    auto pdf = makeReport(db, *caller, request);
    if (!pdf)
        return pdf.error();
    return streamAnswer(*pdf);
}

} // namespace

void registerSalesRepMethods(Registry &registry)
{
    registry.add("CariAra", cariAra);
    registry.add("CariSepetVer", cariSepetVer);
    registry.add("SepetSayisi", sepetSayisi);
    registry.add("TusSonuclariVer", tusSonuclariVer);
    registry.add("RaporGetir", raporGetir);
}

} // namespace Methods
