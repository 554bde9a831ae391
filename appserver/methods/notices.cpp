// Notices: the ticker, the tab badges, announcements, opening advertisements, the two
// banners, the customer card of a computer and the balance text of the payment page.

#include "accountparts.h"
#include "areas.h"
#include "caller.h"
#include "inputs.h"
#include "registry.h"
#include "tablefill.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QSqlQuery>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

// KayanYaziGetir(): the ticker text (simple HTML), empty when none is set.
Outputs kayanYaziGetir(CallContext &context, const Inputs &)
{
    return answer(context.db.setting(u"kayan_yazi"_s));
}

// BalonGetir(bil): one row of the badge counts, read by position: basket lines of the
// session's customer, new parts, campaign parts, announcements, and the customer's open
// order balances (a double).
Outputs balonGetir(CallContext &context, const Inputs &inputs)
{
    const QSqlDatabase db = context.db.connection();
    const auto *record = inputAt<Protocol::TSonucBilgisi>(inputs, 0);
    auto caller = authenticateFor(db, record);
    if (!caller)
        return caller.error();
    Protocol::ClientTable table =
        makeTable({int32(u"SEPET"_s), int32(u"YENI"_s), int32(u"KAMPANYA"_s), int32(u"DUYURU"_s), money(u"BAKIYE"_s)});
    auto done = fillFromQuery(table, db,
                              u"SELECT (SELECT COUNT(*) FROM sepet WHERE carino = ?),"
                              u" (SELECT COUNT(*) FROM stoklar WHERE yeni = 1),"
                              u" (SELECT COUNT(*) FROM stoklar WHERE kampanya > 0),"
                              u" (SELECT COUNT(*) FROM duyurular WHERE aktif = 1),"
                              u" (SELECT COUNT(*) FROM siparis_satirlari l JOIN siparisler s ON s.idno = l.idno"
                              u"  WHERE s.carino = ? AND l.kalan > 0)"_s,
                              {record->FCARINO, record->FCARINO});
    if (!done)
        return done.error();
    return answer(std::move(table));
}

Protocol::TAcilisEkran pictureItem(const QSqlQuery &row)
{
    Protocol::TAcilisEkran item;
    item.FSiraNo = row.value(0).toInt();
    item.FResim = row.value(1).toString();
    item.FBaslik = row.value(2).toString();
    item.FArama = row.value(3).toString();
    return item;
}

// AcilisEkranlarVer2(): the active announcements in display order.
Outputs acilisEkranlarVer2(CallContext &context, const Inputs &)
{
    auto query =
        Store::exec(context.db.connection(), u"SELECT sirano, resim, baslik, arama FROM duyurular WHERE aktif = 1"
                                             u" ORDER BY sira, sirano"_s);
    if (!query)
        return query.error();
    Protocol::TAcilisEkranlariki list;
    while (query->next())
        list.FEkranlar.append(pictureItem(*query));
    return answer(std::move(list));
}

// AcilisReklamAdet(): the number of active opening advertisements.
Outputs acilisReklamAdet(CallContext &context, const Inputs &)
{
    auto count = Store::scalar(context.db.connection(), u"SELECT COUNT(*) FROM acilis_reklamlari WHERE aktif = 1"_s);
    if (!count)
        return count.error();
    return answer(qint32(count->toInt()));
}

// AcilisREklamVer(sira): the advertisement at that 0-based position; null past either end.
Outputs acilisReklamVer(CallContext &context, const Inputs &inputs)
{
    const int position = intAt(inputs, 0);
    if (position < 0)
        return answer(std::monostate{});
    auto query = Store::exec(context.db.connection(),
                             u"SELECT sirano, resim, baslik, arama FROM acilis_reklamlari WHERE aktif = 1"
                             u" ORDER BY sira, sirano LIMIT 1 OFFSET ?"_s,
                             {position});
    if (!query)
        return query.error();
    if (!query->next())
        return answer(std::monostate{});
    return answer(pictureItem(*query));
}

Outputs banner(CallContext &context, const QString &name)
{
    auto picture = Store::scalar(context.db.connection(), u"SELECT resim FROM bannerlar WHERE ad = ?"_s, {name});
    if (!picture)
        return picture.error();
    return streamAnswer(picture->isValid() ? picture->toByteArray() : QByteArray());
}

// BannerResimVer2() → size, stream: the upper banner (GIF); size 0 when there is none.
Outputs bannerResimVer2(CallContext &context, const Inputs &)
{
    return banner(context, u"ust"_s);
}

// BannerResimVer3() → size, stream: the lower banner (BMP).
Outputs bannerResimVer3(CallContext &context, const Inputs &)
{
    return banner(context, u"alt"_s);
}

// MobilCariBilgisiGetir(sirano, _idsi): the card of the customer the computer's user works
// for, with the user's own login data; null for an unknown computer. The client sends 0 as
// sirano; another number must be the registered user's own.
Outputs mobilCariBilgisiGetir(CallContext &context, const Inputs &inputs)
{
    const int sirano = intAt(inputs, 0);
    const QString computer = textAt(inputs, 1).trimmed();
    if (computer.isEmpty())
        return answer(std::monostate{});
    auto query = Store::exec(
        context.db.connection(),
        u"SELECT k.sirano, k.adi, k.sifre, k.email, COALESCE(c.carino, 0), COALESCE(c.carikod, ''),"
        u" COALESCE(c.cariadi, ''), COALESCE(c.adres1, ''), COALESCE(c.adres2, ''), COALESCE(c.ilce, ''),"
        u" COALESCE(c.il, ''), COALESCE(c.ulke, ''), COALESCE(c.tel1, ''), COALESCE(c.tel2, ''), COALESCE(c.gsm, ''),"
        u" COALESCE(c.fax1, ''), COALESCE(c.fax2, ''), COALESCE(c.email, ''), COALESCE(c.vergidairesi, ''),"
        u" COALESCE(c.vergino, ''), COALESCE(c.yetkili, ''), COALESCE(c.anagrup, ''), COALESCE(c.altgrup, ''),"
        u" COALESCE(c.ozelkod, ''), COALESCE(c.tlborc, 0), COALESCE(c.tlalacak, 0), COALESCE(sa.adi, ''),"
        u" COALESCE(sa.email, ''), COALESCE(sa.telefon, '')"
        u" FROM bilgisayarlar b JOIN kullanicilar k ON k.sirano = b.kullanici"
        u" LEFT JOIN cariler c ON c.carino = k.carino"
        u" LEFT JOIN saticilar sa ON sa.saticino = COALESCE(k.saticino, c.saticino)"
        u" WHERE b.bilgisayarid = ?"_s,
        {computer});
    if (!query)
        return query.error();
    if (!query->next() || (sirano != 0 && query->value(0).toInt() != sirano))
        return answer(std::monostate{});
    const auto v = [&](int i) { return query->value(i).toString(); };
    Protocol::TMobilCariBilgisi card;
    card.FBILGISAYARID = computer;
    card.FKULLANICIADI = v(1);
    card.FSIFRE = v(2);
    card.FMAIL = v(3);
    card.FCARINO = query->value(4).toInt();
    card.FCARIKOD = v(5);
    card.FCARIADI = v(6);
    card.FADRES1 = v(7);
    card.FADRES2 = v(8);
    card.FILCE = v(9);
    card.FSEHIR = v(10);
    card.FULKE = v(11);
    card.FTEL1 = v(12);
    card.FTEL2 = v(13);
    card.FGSM = v(14);
    card.FFAX1 = v(15);
    card.FFAX2 = v(16);
    card.FEMAIL = v(17);
    card.FVERGIDAIRESI = v(18);
    card.FVERGINO = v(19);
    card.FYETKILI = v(20);
    card.FAnaGrup = v(21);
    card.FAltGrup = v(22);
    card.FOzelKod = v(23);
    card.FTLBORC = query->value(24).toDouble();
    card.FTLALACAK = query->value(25).toDouble();
    card.FTLBAKIYE = std::round((card.FTLBORC - card.FTLALACAK) * 100.0) / 100.0;
    card.FSATICIADI = v(26);
    card.FSATICIMAIL = v(27);
    card.FSATICITELEFON = v(28);
    return answer(std::move(card));
}

// CariDurumVer(carino): the account balance for the payment page as plain decimal text
// ("1234.50"; negative when the distributor owes); empty for an unknown customer.
Outputs cariDurumVer(CallContext &context, const Inputs &inputs)
{
    auto balance = Store::scalar(context.db.connection(), u"SELECT tlborc - tlalacak FROM cariler WHERE carino = ?"_s,
                                 {intAt(inputs, 0)});
    if (!balance)
        return balance.error();
    if (!balance->isValid())
        return answer(QString());
    const double rounded = std::round(balance->toDouble() * 100.0) / 100.0;
    return answer(QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2));
}

} // namespace

void registerNoticeMethods(Registry &registry)
{
    registry.add("KayanYaziGetir", kayanYaziGetir);
    registry.add("BalonGetir", balonGetir);
    registry.add("AcilisEkranlarVer2", acilisEkranlarVer2);
    registry.add("AcilisReklamAdet", acilisReklamAdet);
    registry.add("AcilisREklamVer", acilisReklamVer);
    registry.add("BannerResimVer2", bannerResimVer2);
    registry.add("BannerResimVer3", bannerResimVer3);
    registry.add("MobilCariBilgisiGetir", mobilCariBilgisiGetir);
    registry.add("CariDurumVer", cariDurumVer);
    registerMailMethods(registry);
}

} // namespace Methods
