// Demo notices: the ticker, announcements, opening advertisements and the two banners.

#include "batch.h"
#include "context.h"
#include "images.h"

using namespace Qt::StringLiterals;

namespace Seed {

namespace {

struct Item
{
    QString title;
    QStringList lines;
    QString search; // "#KAMPANYA#", "#YENİ#" or a search text
    QColor top;
    QColor bottom;
    QColor ink;
};

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

Protocol::Expected<Protocol::Done> insertItems(Context &context, const QString &table, const QList<Item> &items,
                                               QSize size, const char *format)
{
    BatchInserter rows(context.db, table, {u"sirano"_s, u"baslik"_s, u"resim"_s, u"arama"_s, u"sira"_s, u"aktif"_s}, 4);
    for (int i = 0; i < items.size(); ++i) {
        const Item &item = items.at(i);
        const QByteArray picture = encodeImage(poster(size, item.top, item.bottom, item.lines, item.ink), format);
        rows.add({i + 1, item.title, hexText(picture), item.search, i + 1, 1});
    }
    return rows.finish();
}

} // namespace

Protocol::Expected<Protocol::Done> seedNotices(Context &context)
{
    const QString ticker = u"<b>Varsel Otomotiv</b> B2B: saat <font color=\"#FF0000\"><b>16:00</b></font>'ya kadar"
                           u" verilen siparişler aynı gün kargoda. Kampanyalı ürünlerde <b>%20</b>'ye varan"
                           u" indirimler sizi bekliyor!"_s;
    BatchInserter settings(context.db, u"settings"_s, {u"key"_s, u"value"_s});
    settings.add({u"kayan_yazi"_s, ticker});
    if (auto done = settings.finish(); !done)
        return done;

    const QList<Item> announcements = {
        {u"Kampanyalı Ürünler"_s,
         {u"KAMPANYALI"_s, u"ÜRÜNLER"_s, u"%20'YE VARAN İNDİRİM"_s},
         u"#KAMPANYA#"_s,
         QColor(200, 30, 30),
         QColor(120, 10, 10),
         Qt::white},
        {u"Yeni Gelen Ürünler"_s,
         {u"YENİ GELEN"_s, u"ÜRÜNLER"_s},
         u"#YENİ#"_s,
         QColor(20, 110, 60),
         QColor(10, 60, 30),
         Qt::white},
        {u"Fren Balatası"_s,
         {u"FREN BALATASI"_s, u"TÜM MARKALAR STOKTA"_s},
         u"FREN BALATASI"_s,
         QColor(30, 60, 140),
         QColor(10, 25, 70),
         QColor(255, 200, 40)},
        {u"Triger Setleri"_s,
         {u"TRİGER SETLERİ"_s, u"GATES - SKF - CONTITECH"_s},
         u"TRIGER SETI"_s,
         QColor(60, 60, 60),
         QColor(20, 20, 20),
         QColor(245, 130, 32)},
    };
    if (auto done = insertItems(context, u"duyurular"_s, announcements, QSize(605, 405), "PNG"); !done)
        return done;

    const QList<Item> advertisements = {
        {u"Hoş Geldiniz"_s,
         {u"HOŞ GELDİNİZ"_s, u"VARSEL OTOMOTİV B2B"_s},
         QString(),
         QColor(12, 44, 96),
         QColor(5, 20, 50),
         Qt::white},
        {u"Kampanya"_s,
         {u"BU AY KAMPANYADA"_s, u"FİLTRE SETLERİ"_s},
         u"#KAMPANYA#"_s,
         QColor(245, 130, 32),
         QColor(160, 70, 10),
         Qt::white},
        {u"Amortisör"_s,
         {u"AMORTİSÖRLERDE"_s, u"ÇİFT ALANA İNDİRİM"_s},
         u"AMORTISOR"_s,
         QColor(40, 40, 40),
         QColor(10, 10, 10),
         QColor(255, 210, 0)},
    };
    if (auto done = insertItems(context, u"acilis_reklamlari"_s, advertisements, QSize(600, 400), "JPG"); !done)
        return done;

    BatchInserter banners(context.db, u"bannerlar"_s, {u"ad"_s, u"resim"_s});
    banners.add({u"ust"_s, gifBanner(900, 60, u"VARSEL OTOMOTİV B2B"_s)});
    banners.add({u"alt"_s, encodeImage(poster(QSize(1200, 36), QColor(245, 130, 32), QColor(200, 90, 10),
                                              {u"YETKİLİ BAYİLERİMİZE ÖZEL FİYATLAR - HIZLI TESLİMAT"_s}, Qt::white),
                                       "BMP")});
    return banners.finish();
}

} // namespace Seed
