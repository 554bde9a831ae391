// Account methods: previous orders with their lines and footer, the account statement and
// the documents behind its rows (invoices, collections, card-payment receipts).
//
// These operations carry a customer or document number but no session record, as the
// client calls them; a number that names nothing (or a document of another customer)
// answers an empty table.

#include "accountparts.h"
#include "areas.h"
#include "inputs.h"
#include "orderlines.h"
#include "pdfs.h"
#include "registry.h"
#include "tablefill.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

// OncekiSiparisler(carino): one row per order, newest first.
Outputs oncekiSiparisler(CallContext &context, const Inputs &inputs)
{
    auto orders = orderSummaries(context.db.connection(), u"s.carino = ?"_s, {intAt(inputs, 0)});
    if (!orders)
        return orders.error();
    Protocol::ClientTable table = makeTable({
        int32(u"CARINO"_s),
        int32(u"IDNO"_s),
        stamp(u"TARIH"_s),
        text(u"KUR"_s, 5),
        money(u"KURTL"_s),
        int32(u"VERENIDNO"_s),
        text(u"KARGO"_s, 50),
        text(u"TESLIM"_s, 50),
        text(u"VEREN"_s, 50),
        text(u"CARIKOD"_s, 25),
        text(u"CARIADI"_s),
        money(u"VERGI"_s),
        money(u"NETTUTAR"_s),
        money(u"TUTAR"_s),
        text(u"DURUM"_s),
        text(u"KARGOADI"_s, 50),
        text(u"VERENINNOTU"_s, 500),
        text(u"ALANNOTU"_s, 500),
    });
    for (const OrderSummary &o : std::as_const(*orders)) {
        table.appendRow({o.carino, o.idno, dateValue(o.moment), o.currency, o.rate, o.placedBy, o.cargoTypeName,
                         o.deliveryName, o.placedByName, o.customerCode, o.customerName, o.tax, o.net, o.gross,
                         o.stateName, o.carrierName, o.message, o.ourNote});
    }
    return answer(std::move(table));
}

// SiparisAyrintisi2(carino, idnosu): the lines of one order of that customer.
Outputs siparisAyrintisi2(CallContext &context, const Inputs &inputs)
{
    auto table =
        orderLines(context.db.connection(), u"s.carino = ? AND l.idno = ?"_s, {intAt(inputs, 0), intAt(inputs, 1)});
    if (!table)
        return table.error();
    return answer(std::move(*table));
}

// SiparisAytintisiDip(carino, siranosu): the footer of one order. The client sends 0 as
// the customer; any other number must be the order's own customer.
Outputs siparisAytintisiDip(CallContext &context, const Inputs &inputs)
{
    const int carino = intAt(inputs, 0);
    const int idno = intAt(inputs, 1);
    auto query = Store::exec(context.db.connection(),
                             u"SELECT s.carino, s.aciklama, COALESCE(d.adi, ''), COALESCE(u.adi, ''),"
                             u" COALESCE(k.adi, ''), s.alan_notu, COALESCE(ts.adi, ''), COALESCE(kt.adi, ''),"
                             u" s.satici_notu"
                             u" FROM siparisler s"
                             u" LEFT JOIN siparis_durumlari d ON d.kod = s.durum"
                             u" LEFT JOIN kullanicilar u ON u.sirano = s.verenid"
                             u" LEFT JOIN kargolar k ON k.sirano = s.kargo"
                             u" LEFT JOIN teslim_sekilleri ts ON ts.id = s.teslim"
                             u" LEFT JOIN kargo_turleri kt ON kt.id = s.kargo_turu"
                             u" WHERE s.idno = ?"_s,
                             {idno});
    if (!query)
        return query.error();
    if (!query->next() || (carino != 0 && query->value(0).toInt() != carino))
        return Protocol::makeError(u"Sipariş bulunamadı: %1"_s.arg(idno));
    Protocol::TSiparisDipAyrinti footer;
    footer.FSizinMesaj = query->value(1).toString();
    footer.FDurumu = query->value(2).toString();
    footer.FVeren = query->value(3).toString();
    footer.FKargo = query->value(4).toString();
    footer.FBizimMesaj = query->value(5).toString();
    footer.FTeslimCinsi = query->value(6).toString();
    footer.FKargoCinsi = query->value(7).toString();
    footer.FSaticiNotu = query->value(8).toString();
    return answer(footer);
}

// CariEkstreVer(carino): the statement in date order. BAKIYE and D are the client's to fill.
Outputs cariEkstreVer(CallContext &context, const Inputs &inputs)
{
    Protocol::ClientTable table = makeTable({
        int32(u"CARINO"_s),
        date(u"TARIH"_s),
        text(u"TURADI"_s, 50),
        text(u"EVRAK"_s, 50),
        money(u"BORC"_s),
        money(u"ALACAK"_s),
        text(u"KUR"_s, 5),
        money(u"BAKIYE"_s),
        text(u"D"_s, 1),
        int32(u"IDNO"_s),
        text(u"ACIKLAMA"_s, 250),
        date(u"VADETARIHI"_s),
    });
    auto done = fillFromQuery(table, context.db.connection(),
                              u"SELECT carino, tarih, turadi, evrakno, borc, alacak, kur, 0, '', idno, aciklama,"
                              u" vade_tarihi FROM cari_hareketler WHERE carino = ? ORDER BY tarih, idno"_s,
                              {intAt(inputs, 0)});
    if (!done)
        return done.error();
    return answer(std::move(table));
}

// FaturaGetir(carino, idnosu): the lines of the invoice behind a statement row, with the
// invoice's header values on every line.
Outputs faturaGetir(CallContext &context, const Inputs &inputs)
{
    Protocol::ClientTable table = makeTable({
        text(u"OEMNO"_s, 50),
        text(u"STOKADI"_s),
        text(u"FINISHKOD"_s, 50),
        text(u"MARKA"_s, 50),
        text(u"MODEL"_s, 250),
        text(u"ANAGRUP"_s, 50),
        text(u"BIRIM"_s, 10),
        money(u"STOKHAR_MIKTAR"_s),
        money(u"STOKHAR_TLBIRIMFIYATI"_s),
        money(u"STOKHAR_TLTUTAR"_s),
        money(u"STOKHAR_INDIRIM1"_s),
        money(u"STOKHAR_INDIRIM2"_s),
        money(u"STOKHAR_INDIRIM3"_s),
        money(u"STOKHAR_INDIRIM4"_s),
        money(u"STOKHAR_INDIRIM5"_s),
        money(u"STOKHAR_INDIRIM6"_s),
        money(u"STOKHAR_INDIRIM7"_s),
        money(u"STOKHAR_INDIRIM8"_s),
        int32(u"KDV"_s),
        money(u"STOKHAR_TOPLAMINDIRIM"_s),
        money(u"STOKHAR_TOPLAMMASRAF"_s),
        money(u"STOKHAR_NETTLBIRIMFIYATI"_s),
        money(u"STOKHAR_NETTLTUTAR"_s),
        text(u"OZELKOD"_s, 50),
        text(u"BARKOD"_s, 50),
        date(u"STOKHAR_HAREKETTARIHI"_s),
        text(u"STOKHAR_HAREKETTIPI2"_s, 50),
        text(u"EVRAKNO"_s, 50),
        money(u"STOKHAR_TLVERGI"_s),
        text(u"IRSALIYEEVRAKNO"_s, 50),
        date(u"STOKHAR_IRSTARIHI"_s),
        text(u"SATIRACIKLMASI"_s, 250),
        text(u"STOKHAR_SAAT"_s, 8),
        int32(u"STOKHAR_VADE"_s),
        text(u"SIPARISEVRAKNO"_s, 50),
        stamp(u"SIPARISTARIHI"_s),
        text(u"IRSALIYETIP2"_s, 50),
        money(u"STOKHAR_DOVIZBIRIMFIYATI"_s),
        money(u"STOKHAR_DOVIZVERGI"_s),
        money(u"STOKHAR_DOVIZTUTAR"_s),
        text(u"STOKHAR_PARTI"_s, 20),
        text(u"STOKHAR_BEDEN"_s, 20),
        text(u"STOKHAR_RENK"_s, 20),
        money(u"STOKHAR_MASRAF1"_s),
        money(u"STOKHAR_MASRAF2"_s),
        money(u"STOKHAR_DOVIZTOPLAMINDIRIM"_s),
        money(u"STOKHAR_DOVIZTOPLAMMASRAF"_s),
        money(u"STOKHAR_NETDOVIZBIRIMFIYATI"_s),
        money(u"STOKHAR_NETDOVIZTUTAR"_s),
        money(u"STOKHAR_KURTL"_s),
        text(u"SIPARISTIPI"_s, 50),
        int32(u"IRSALIYETIPINO"_s),
        text(u"STOKCARIKOD"_s, 25),
        int32(u"SUBE_NO"_s),
        int32(u"STOKHAR_CARINO"_s),
        text(u"KUR_KURSIMGE"_s, 5),
        text(u"SATICIADI"_s, 50),
        text(u"URETICIKODU"_s, 50),
        text(u"DPKOD"_s, 50),
        text(u"ENADI"_s),
        text(u"PKOD"_s, 50),
        text(u"BELGENO"_s, 50),
        int32(u"IDNO"_s),
    });
    auto done = fillFromQuery(
        table, context.db.connection(),
        u"SELECT st.oemno, st.adi, st.finishkod, st.marka, st.model, st.anagrup, st.birim, h.miktar,"
        u" h.birimfiyat, h.tutar, h.ind1, h.ind2, h.ind3, h.ind4, 0, 0, 0, 0, h.kdv, h.toplamindirim,"
        u" h.masraf1 + h.masraf2, CASE WHEN h.miktar <> 0 THEN h.nettutar / h.miktar ELSE 0 END, h.nettutar,"
        u" st.ozelkod, st.barkod, f.tarih, f.turu, f.evrakno, h.vergi, f.irsaliye_evrakno, f.irsaliye_tarihi,"
        u" h.aciklama, h.saat, f.vade, COALESCE(CAST(f.siparis_idno AS TEXT), ''), s.tarih, f.irsaliye_tipi,"
        u" 0, 0, 0, '', '', '', h.masraf1, h.masraf2, 0, 0, 0, 0, 1, CASE WHEN s.idno IS NULL THEN '' ELSE"
        u" 'B2B Siparişi' END, 0, c.carikod, 0, f.carino, 'TL', COALESCE(sa.adi, ''), st.ureticikodu, st.dpkod,"
        u" st.digeradi, st.pkod, f.evrakno, f.idno"
        u" FROM cari_hareketler ch"
        u" JOIN faturalar f ON f.idno = ch.fatura"
        u" JOIN stok_hareketleri h ON h.fatura = f.idno"
        u" JOIN stoklar st ON st.stokno = h.stokno"
        u" JOIN cariler c ON c.carino = f.carino"
        u" LEFT JOIN saticilar sa ON sa.saticino = f.saticino"
        u" LEFT JOIN siparisler s ON s.idno = f.siparis_idno"
        u" WHERE ch.idno = ? AND ch.carino = ? ORDER BY h.id"_s,
        {intAt(inputs, 1), intAt(inputs, 0)});
    if (!done)
        return done.error();
    return answer(std::move(table));
}

// FaturaAltGetir(idnosu): the totals of the invoice behind a statement row, one row.
Outputs faturaAltGetir(CallContext &context, const Inputs &inputs)
{
    Protocol::ClientTable table = makeTable({
        money(u"TOPLAM"_s),
        money(u"TOPLAMINDIRIM"_s),
        money(u"MATRAH"_s),
        money(u"KDVDAHIL"_s),
        money(u"KDVTUTAR"_s),
        text(u"EVRAKNO"_s, 50),
        date(u"TARIH"_s),
    });
    auto done = fillFromQuery(table, context.db.connection(),
                              u"SELECT f.toplam, f.toplamindirim, f.matrah, f.kdvdahil, f.kdvtutar, f.evrakno, f.tarih"
                              u" FROM cari_hareketler ch JOIN faturalar f ON f.idno = ch.fatura WHERE ch.idno = ?"_s,
                              {intAt(inputs, 0)});
    if (!done)
        return done.error();
    return answer(std::move(table));
}

// Tahsilat(idnosu): the rows of the collection or payment behind a statement row.
Outputs tahsilat(CallContext &context, const Inputs &inputs)
{
    Protocol::ClientTable table = makeTable({
        date(u"Tarih"_s),
        text(u"Türü"_s, 20),
        text(u"Cins"_s, 30),
        date(u"Vade"_s),
        money(u"Tutar"_s),
        text(u"Açıklama"_s, 250),
        text(u"EvrakNo"_s, 50),
        text(u"Ref"_s, 50),
        text(u"Saat"_s, 8),
        text(u"Kur"_s, 5),
        money(u"KurTL"_s),
        money(u"Döviz Tutar"_s),
    });
    auto done = fillFromQuery(table, context.db.connection(),
                              u"SELECT t.tarih, t.turu, r.cins, r.vade, r.tutar, r.aciklama, t.evrakno, r.ref, t.saat,"
                              u" r.kur, r.kurtl, r.doviz_tutar"
                              u" FROM cari_hareketler ch JOIN tahsilatlar t ON t.id = ch.tahsilat"
                              u" JOIN tahsilat_satirlari r ON r.tahsilat = t.id WHERE ch.idno = ? ORDER BY r.id"_s,
                              {intAt(inputs, 0)});
    if (!done)
        return done.error();
    return answer(std::move(table));
}

// SanalposSiranoVer(idnosu): the card payment behind a collection, 0 when there is none.
Outputs sanalposSiranoVer(CallContext &context, const Inputs &inputs)
{
    auto sirano = Store::scalar(context.db.connection(),
                                u"SELECT p.sirano FROM cari_hareketler ch JOIN sanalpos p ON p.tahsilat = ch.tahsilat"
                                u" WHERE ch.idno = ?"_s,
                                {intAt(inputs, 0)});
    if (!sirano)
        return sirano.error();
    return answer(qint32(sirano->isValid() ? sirano->toInt() : 0));
}

QString receiptHtml(const QSqlQuery &row)
{
    const auto line = [](const QString &caption, const QString &value) -> QString {
        return u"<tr><th>"_s + html(caption) + u"</th><td>"_s + html(value) + u"</td></tr>"_s;
    };
    return u"<h1>Sanal Pos Tahsilat Makbuzu</h1><table cellpadding=\"4\">"_s +
           line(u"Makbuz No"_s, row.value(1).toString()) + line(u"Tarih"_s, row.value(2).toString()) +
           line(u"Cari"_s, row.value(3).toString() + u" - "_s + row.value(4).toString()) +
           line(u"Kart Sahibi"_s, row.value(5).toString()) + line(u"Kart"_s, row.value(6).toString()) +
           line(u"Tutar"_s, moneyText(row.value(7).toDouble()) + u" TL"_s) +
           line(u"Onay Kodu"_s, row.value(8).toString()) + line(u"Belge"_s, row.value(9).toString()) +
           u"</table><p class=\"note\">Bu makbuz Varsel Otomotiv sanal pos sistemi tarafından üretilmiştir.</p>"_s;
}

// SAnalPosPdfVer(sirano) → boy, stream: the receipt of a card payment. A payment stored
// without its receipt gets one made now; an unknown number answers size 0.
Outputs sanalPosPdfVer(CallContext &context, const Inputs &inputs)
{
    auto query = Store::exec(context.db.connection(),
                             u"SELECT p.pdf, p.sirano, p.tarih, c.carikod, c.cariadi, p.kart_sahibi, p.kart_no,"
                             u" p.tutar, p.onay_kodu, COALESCE(t.evrakno, '')"
                             u" FROM sanalpos p JOIN cariler c ON c.carino = p.carino"
                             u" LEFT JOIN tahsilatlar t ON t.id = p.tahsilat WHERE p.sirano = ?"_s,
                             {intAt(inputs, 0)});
    if (!query)
        return query.error();
    if (!query->next())
        return streamAnswer({});
    const QByteArray stored = query->value(0).toByteArray();
    if (!stored.isEmpty())
        return streamAnswer(stored);
    auto pdf = renderPdf(u"Sanal Pos Tahsilat Makbuzu"_s, receiptHtml(*query));
    if (!pdf)
        return pdf.error();
    return streamAnswer(*pdf);
}

} // namespace

void registerOrderMethods(Registry &registry)
{
    registry.add("OncekiSiparisler", oncekiSiparisler);
    registry.add("SiparisAyrintisi2", siparisAyrintisi2);
    registry.add("SiparisAytintisiDip", siparisAytintisiDip);
    registry.add("CariEkstreVer", cariEkstreVer);
    registry.add("FaturaGetir", faturaGetir);
    registry.add("FaturaAltGetir", faturaAltGetir);
    registry.add("Tahsilat", tahsilat);
    registry.add("SanalposSiranoVer", sanalposSiranoVer);
    registry.add("SAnalPosPdfVer", sanalPosPdfVer);
}

void registerAccountMethods(Registry &registry)
{
    registerOrderMethods(registry);
    registerBalanceMethods(registry);
    registerAccountReportMethods(registry);
}

} // namespace Methods
