// Basket methods: the server-side basket of a customer with its line amounts, the
// selection of the lines the next order takes, and the overdue-account warning shown above
// the basket's totals. The changes of lines are in basketedit.cpp.
//
// SepetVer2, SepetSecimGuncelle and CariVadeGunGecmismiBul name a customer or a line by
// number only, as the client calls them.

#include "areas.h"
#include "basketlines.h"
#include "orderlines.h"
#include "registry.h"
#include "tablefill.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

Protocol::ClientTable basketTable()
{
    return makeTable({
        int32(u"SEC"_s),           stamp(u"VERILISTARIHI"_s),
        int32(u"SIRANO"_s),        int32(u"SIPARISNO"_s),
        int32(u"CARINO"_s),        date(u"TARIH"_s),
        int32(u"AKTAR"_s),         int32(u"STOKNO"_s),
        text(u"BARKOD"_s, 50),     text(u"FINISHKOD"_s, 50),
        text(u"OEMNO"_s, 50),      text(u"STOKADI"_s),
        money(u"MIKTAR"_s),        money(u"BIRIMFIYAT"_s),
        money(u"TUTAR"_s),         text(u"INDIRIMYAZI"_s, 30),
        money(u"INDIRIMORANI1"_s), money(u"INDIRIMORANI2"_s),
        money(u"INDIRIMORANI3"_s), money(u"INDIRIMTUTAR"_s),
        money(u"NETBIRIMFIYAT"_s), int32(u"KDV"_s),
        money(u"VERGITUTARI"_s),   money(u"NETTUTAR"_s),
        text(u"KUR"_s, 5),         money(u"KURTL"_s),
        int32(u"VERENIDNO"_s),     text(u"SAAT"_s, 8),
        int32(u"TESLIMID"_s),      int32(u"KARGOID"_s),
        text(u"ACIKLAMA"_s, 250),  int32(u"IDNO"_s),
        int32(u"VERENSIRANO"_s),   text(u"VEREN"_s, 50),
        text(u"CARIKOD"_s, 25),    text(u"CARIADI"_s),
        text(u"OEM1"_s, 50),       text(u"OEM2"_s, 50),
        text(u"OEM3"_s, 50),       text(u"OEM4"_s, 50),
        int32(u"STOK_STOKNO"_s),   text(u"URETICIKODU"_s, 50),
        text(u"DIGERADI"_s),       text(u"DPKOD"_s, 50),
        text(u"MARKA"_s, 50),      text(u"MODEL"_s, 250),
        text(u"ANAGRUP"_s, 50),    text(u"OZELKOD"_s, 50),
        text(u"PKOD"_s, 50),       int32(u"DURUM"_s),
        money(u"KALAN"_s),         money(u"INDIRIMORANI4"_s),
    });
}

// SepetVer2(carino): the customer's basket lines in the order they were added, with their
// amounts computed as the order will compute them.
Outputs sepetVer2(CallContext &context, const Inputs &inputs)
{
    auto query = Store::exec(context.db.connection(),
                             u"SELECT b.sec, b.tarih, b.sirano, b.carino, b.stokno, b.barkod, st.finishkod, st.oemno,"
                             u" b.stokadi, b.miktar, b.birimfiyat, b.ind1, b.ind2, b.ind3, b.ind4, b.kdv, b.verenid,"
                             u" b.aciklama, COALESCE(u.adi, ''), c.carikod, c.cariadi, st.oem1, st.oem2, st.oem3,"
                             u" st.oem4, st.ureticikodu, st.digeradi, st.dpkod, st.marka, st.model, st.anagrup,"
                             u" st.ozelkod, st.pkod, st.durum, st.kalan"
                             u" FROM sepet b"
                             u" JOIN stoklar st ON st.stokno = b.stokno"
                             u" JOIN cariler c ON c.carino = b.carino"
                             u" LEFT JOIN kullanicilar u ON u.sirano = b.verenid"
                             u" WHERE b.carino = ? ORDER BY b.sirano"_s,
                             {intAt(inputs, 0)});
    if (!query)
        return query.error();
    Protocol::ClientTable table = basketTable();
    while (query->next()) {
        const auto v = [&](int i) { return query->value(i); };
        const double quantity = v(9).toDouble();
        const double price = v(10).toDouble();
        const double rates[4] = {v(11).toDouble(), v(12).toDouble(), v(13).toDouble(), v(14).toDouble()};
        const double taxRate = v(15).toDouble();
        const LineAmounts a = lineAmounts(quantity, price, rates, taxRate);
        const QString added = v(1).toString();
        table.appendRow({
            v(0),      dateValue(added),
            v(2),      0,
            v(3),      dateValue(added.left(10)),
            0,         v(4),
            v(5),      v(6),
            v(7),      v(8),
            quantity,  price,
            a.gross,   discountText(rates),
            rates[0],  rates[1],
            rates[2],  a.discount,
            a.netUnit, qRound(taxRate),
            a.tax,     a.net,
            u"TL"_s,   1.0,
            v(16),     added.mid(11, 8),
            0,         0,
            v(17),     0,
            v(16),     v(18),
            v(19),     v(20),
            v(21),     v(22),
            v(23),     v(24),
            v(4),      v(25),
            v(26),     v(27),
            v(28),     v(29),
            v(30),     v(31),
            v(32),     v(33),
            v(34),     rates[3],
        });
    }
    return answer(std::move(table));
}

// SepetSecimGuncelle(sirano, secim): whether the line goes into the next order (1) or not (0).
Outputs sepetSecimGuncelle(CallContext &context, const Inputs &inputs)
{
    const int sirano = intAt(inputs, 0);
    const int secim = intAt(inputs, 1);
    if (secim != 0 && secim != 1)
        return Protocol::makeError(u"Geçersiz seçim: %1 (0 ya da 1 olmalı)"_s.arg(secim));
    auto done =
        Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
            auto updated = Store::exec(db, u"UPDATE sepet SET sec = ? WHERE sirano = ?"_s, {secim, sirano});
            if (!updated)
                return updated.error();
            if (updated->numRowsAffected() != 1)
                return Protocol::makeError(u"Sepet satırı bulunamadı: %1"_s.arg(sirano));
            return Protocol::Done{};
        });
    if (!done)
        return done.error();
    return std::vector<Protocol::Value>{};
}

// CariVadeGunGecmismiBul(carino): a warning when the customer owes money whose due date
// has passed, empty otherwise. Payments settle the debts with the oldest due dates first,
// so what is overdue is the part of the overdue debts the payments do not cover.
Outputs cariVadeGunGecmismiBul(CallContext &context, const Inputs &inputs)
{
    const int carino = intAt(inputs, 0);
    const QDate today = QDate::currentDate();
    QSqlDatabase db = context.db.connection();
    auto credit =
        Store::scalar(db, u"SELECT COALESCE(SUM(alacak), 0) FROM cari_hareketler WHERE carino = ?"_s, {carino});
    if (!credit)
        return credit.error();
    auto debts = Store::exec(db,
                             u"SELECT vade_tarihi, borc FROM cari_hareketler WHERE carino = ? AND borc > 0"
                             u" AND vade_tarihi < ? ORDER BY vade_tarihi, idno"_s,
                             {carino, today.toString(Qt::ISODate)});
    if (!debts)
        return debts.error();
    double unpaidCredit = credit->toDouble();
    double overdue = 0;
    QDate oldest;
    while (debts->next()) {
        const double debt = debts->value(1).toDouble();
        const double covered = std::min(debt, unpaidCredit);
        unpaidCredit -= covered;
        if (debt - covered > 0.005) {
            overdue += debt - covered;
            if (!oldest.isValid())
                oldest = QDate::fromString(debts->value(0).toString().left(10), Qt::ISODate);
        }
    }
    overdue = round2(overdue);
    if (overdue <= 0 || !oldest.isValid())
        return answer(QString(u""_s));
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return answer(u"Vadesi geçmiş %1 TL borcunuz var (en eski vade %2, %3 gün geçti). Lütfen ödemenizi yapınız."_s
                      .arg(turkish.toString(overdue, 'f', 2), oldest.toString(u"dd.MM.yyyy"_s))
                      .arg(oldest.daysTo(today)));
}

} // namespace

void registerBasketMethods(Registry &registry)
{
    registry.add("SepetVer2", sepetVer2);
    registry.add("SepetSecimGuncelle", sepetSecimGuncelle);
    registry.add("CariVadeGunGecmismiBul", cariVadeGunGecmismiBul);
    registerBasketEditMethods(registry);
}

} // namespace Methods
