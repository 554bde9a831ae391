#include "orderlines.h"

#include "tablefill.h"

#include "appserver/store/sql.h"

#include <QHash>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Methods {

double round2(double value)
{
    return std::round(value * 100.0) / 100.0;
}

LineAmounts lineAmounts(double quantity, double unitPrice, const double rates[4], double taxRate)
{
    LineAmounts a;
    a.gross = round2(quantity * unitPrice);
    double net = a.gross;
    for (int i = 0; i < 4; ++i) {
        if (rates[i] > 0)
            net -= net * rates[i] / 100.0;
    }
    a.net = round2(net);
    a.discount = round2(a.gross - a.net);
    a.tax = round2(a.net * taxRate / 100.0);
    a.netUnit = quantity != 0 ? round2(a.net / quantity) : 0.0;
    return a;
}

QString discountText(const double rates[4])
{
    QStringList parts;
    for (int i = 0; i < 4; ++i) {
        if (rates[i] > 0)
            parts.append(QString::number(rates[i], 'g', 10));
    }
    return parts.isEmpty() ? u"0"_s : parts.join(u'+');
}

Protocol::Expected<Protocol::ClientTable> orderLines(const QSqlDatabase &db, const QString &where,
                                                     const QVariantList &binds)
{
    const QString sql =
        u"SELECT s.tarih, l.sepet_sirano, l.idno, s.carino, l.tarih, l.stokno, l.barkod, st.finishkod, st.oemno,"
        u" l.stokadi, l.miktar, l.birimfiyat, l.ilkfiyat, l.ind1, l.ind2, l.ind3, l.ind4, l.kdv, s.kur, s.kurtl,"
        u" s.verenid, s.teslim, s.kargo_turu, l.aciklama, COALESCE(u.adi, ''), c.carikod, c.cariadi,"
        u" st.oem1, st.oem2, st.oem3, st.oem4, st.ureticikodu, st.digeradi, st.dpkod, st.marka, st.model,"
        u" st.anagrup, st.ozelkod, st.pkod, st.durum, l.kalan, l.teslim_edilen, l.sirano, st.kalan,"
        u" (SELECT COALESCE(SUM(x.kalan), 0) FROM siparis_satirlari x WHERE x.stokno = l.stokno AND x.kalan > 0),"
        u" st.verilensiparis, COALESCE(ts.adi, ''), COALESCE(kt.adi, '')"
        u" FROM siparis_satirlari l"
        u" JOIN siparisler s ON s.idno = l.idno"
        u" JOIN cariler c ON c.carino = s.carino"
        u" JOIN stoklar st ON st.stokno = l.stokno"
        u" LEFT JOIN kullanicilar u ON u.sirano = s.verenid"
        u" LEFT JOIN teslim_sekilleri ts ON ts.id = s.teslim"
        u" LEFT JOIN kargo_turleri kt ON kt.id = s.kargo_turu"
        u" WHERE "_s +
        where + u" ORDER BY l.idno, l.sirano"_s;
    auto query = Store::exec(db, sql, binds);
    if (!query)
        return query.error();

    Protocol::ClientTable table = makeTable({
        stamp(u"VERILISTARIHI"_s),  int32(u"SIRANO"_s),        int32(u"SIPARISNO"_s),
        int32(u"CARINO"_s),         date(u"TARIH"_s),          int32(u"AKTAR"_s),
        int32(u"STOKNO"_s),         text(u"BARKOD"_s, 50),     text(u"FINISHKOD"_s, 50),
        text(u"OEMNO"_s, 50),       text(u"STOKADI"_s),        money(u"MIKTAR"_s),
        money(u"BIRIMFIYAT"_s),     money(u"ILKFIYAT"_s),      money(u"TUTAR"_s),
        text(u"INDIRIMYAZI"_s, 30), money(u"INDIRIMORANI1"_s), money(u"INDIRIMORANI2"_s),
        money(u"INDIRIMORANI3"_s),  money(u"INDIRIMORANI4"_s), money(u"INDIRIMTUTAR"_s),
        money(u"NETBIRIMFIYAT"_s),  int32(u"KDV"_s),           money(u"VERGITUTARI"_s),
        money(u"NETTUTAR"_s),       text(u"KUR"_s, 5),         money(u"KURTL"_s),
        int32(u"VERENIDNO"_s),      text(u"SAAT"_s, 8),        int32(u"TESLIMID"_s),
        int32(u"KARGOID"_s),        text(u"ACIKLAMA"_s, 250),  int32(u"IDNO"_s),
        int32(u"VERENSIRANO"_s),    text(u"VEREN"_s, 50),      text(u"CARIKOD"_s, 25),
        text(u"CARIADI"_s),         text(u"OEM1"_s, 50),       text(u"OEM2"_s, 50),
        text(u"OEM3"_s, 50),        text(u"OEM4"_s, 50),       int32(u"STOK_STOKNO"_s),
        text(u"URETICIKODU"_s, 50), text(u"DIGERADI"_s),       text(u"DPKOD"_s, 50),
        text(u"MARKA"_s, 50),       text(u"MODEL"_s, 250),     text(u"ANAGRUP"_s, 50),
        text(u"OZELKOD"_s, 50),     text(u"PKOD"_s, 50),       int32(u"DURUM"_s),
        money(u"KALAN"_s),          money(u"TESLIMEDILEN"_s),  int32(u"STOKHAR_NO"_s),
        money(u"ELDEKI"_s),         money(u"ALINANSIPARIS"_s), money(u"VERILENSIPARIS"_s),
        text(u"TESLIM"_s, 50),      text(u"KARGO"_s, 50),
    });

    while (query->next()) {
        const auto v = [&](int i) { return query->value(i); };
        const double quantity = v(10).toDouble();
        const double price = v(11).toDouble();
        const double rates[4] = {v(13).toDouble(), v(14).toDouble(), v(15).toDouble(), v(16).toDouble()};
        const double taxRate = v(17).toDouble();
        const LineAmounts a = lineAmounts(quantity, price, rates, taxRate);
        const QVariant ordered = dateValue(v(0).toString());
        const QString lineMoment = v(4).toString();
        table.appendRow({
            ordered,
            v(1),
            v(2),
            v(3),
            dateValue(lineMoment),
            0,
            v(5),
            v(6),
            v(7),
            v(8),
            v(9),
            quantity,
            price,
            v(12),
            a.gross,
            discountText(rates),
            rates[0],
            rates[1],
            rates[2],
            rates[3],
            a.discount,
            a.netUnit,
            qRound(taxRate),
            a.tax,
            a.net,
            v(18),
            v(19),
            v(20),
            lineMoment.mid(11, 8),
            v(21),
            v(22),
            v(23),
            v(2),
            v(20),
            v(24),
            v(25),
            v(26),
            v(27),
            v(28),
            v(29),
            v(30),
            v(5),
            v(31),
            v(32),
            v(33),
            v(34),
            v(35),
            v(36),
            v(37),
            v(38),
            v(39),
            v(40),
            v(41),
            v(42),
            v(43),
            v(44),
            v(45),
            v(46),
            v(47),
        });
    }
    return table;
}

} // namespace Methods

namespace Methods {

Protocol::Expected<QList<OrderSummary>> orderSummaries(const QSqlDatabase &db, const QString &where,
                                                       const QVariantList &binds)
{
    auto query =
        Store::exec(db,
                    u"SELECT s.idno, s.carino, s.tarih, s.kur, s.kurtl, COALESCE(s.verenid, 0), COALESCE(u.adi, ''),"
                    u" c.carikod, c.cariadi, COALESCE(sa.adi, ''), COALESCE(ts.adi, ''), COALESCE(kt.adi, ''),"
                    u" COALESCE(k.adi, ''), COALESCE(d.adi, ''), s.aciklama, s.alan_notu"
                    u" FROM siparisler s"
                    u" JOIN cariler c ON c.carino = s.carino"
                    u" LEFT JOIN saticilar sa ON sa.saticino = c.saticino"
                    u" LEFT JOIN kullanicilar u ON u.sirano = s.verenid"
                    u" LEFT JOIN teslim_sekilleri ts ON ts.id = s.teslim"
                    u" LEFT JOIN kargo_turleri kt ON kt.id = s.kargo_turu"
                    u" LEFT JOIN kargolar k ON k.sirano = s.kargo"
                    u" LEFT JOIN siparis_durumlari d ON d.kod = s.durum"
                    u" WHERE "_s +
                        where + u" ORDER BY s.tarih DESC, s.idno DESC"_s,
                    binds);
    if (!query)
        return query.error();
    QList<OrderSummary> orders;
    QHash<int, qsizetype> byId;
    while (query->next()) {
        OrderSummary o;
        o.idno = query->value(0).toInt();
        o.carino = query->value(1).toInt();
        o.moment = query->value(2).toString();
        o.currency = query->value(3).toString();
        o.rate = query->value(4).toDouble();
        o.placedBy = query->value(5).toInt();
        o.placedByName = query->value(6).toString();
        o.customerCode = query->value(7).toString();
        o.customerName = query->value(8).toString();
        o.repName = query->value(9).toString();
        o.deliveryName = query->value(10).toString();
        o.cargoTypeName = query->value(11).toString();
        o.carrierName = query->value(12).toString();
        o.stateName = query->value(13).toString();
        o.message = query->value(14).toString();
        o.ourNote = query->value(15).toString();
        byId.insert(o.idno, orders.size());
        orders.append(o);
    }
    if (orders.isEmpty())
        return orders;

    // The amounts of the same orders' lines, summed line by line as the windows show them.
    auto lines = Store::exec(db,
                             u"SELECT l.idno, l.miktar, l.birimfiyat, l.ind1, l.ind2, l.ind3, l.ind4, l.kdv"
                             u" FROM siparis_satirlari l JOIN siparisler s ON s.idno = l.idno WHERE "_s +
                                 where,
                             binds);
    if (!lines)
        return lines.error();
    while (lines->next()) {
        const auto it = byId.constFind(lines->value(0).toInt());
        if (it == byId.cend())
            continue;
        const double rates[4] = {lines->value(3).toDouble(), lines->value(4).toDouble(), lines->value(5).toDouble(),
                                 lines->value(6).toDouble()};
        const LineAmounts a =
            lineAmounts(lines->value(1).toDouble(), lines->value(2).toDouble(), rates, lines->value(7).toDouble());
        OrderSummary &o = orders[*it];
        o.gross = round2(o.gross + a.gross);
        o.net = round2(o.net + a.net);
        o.tax = round2(o.tax + a.tax);
    }
    return orders;
}

} // namespace Methods
