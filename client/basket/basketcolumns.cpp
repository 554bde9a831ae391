#include "basketcolumns.h"

#include "client/resources/resources.h"

using namespace Qt::StringLiterals;

namespace Basket {

using Widgets::CellKind;
using Widgets::ColumnSpec;
using Widgets::Summary;

namespace {

enum Shown { Shown_, Hidden };
enum Fixed { Free, Fixed_ };

ColumnSpec col(const QString &name, const QString &caption, Shown shown, Fixed fixed, int weight)
{
    ColumnSpec c;
    c.name = name;
    c.caption = caption;
    c.visible = shown == Shown_;
    c.fixed = fixed == Fixed_;
    c.weight = weight;
    return c;
}

std::vector<Widgets::IconEntry> statusIcons()
{
    using Resources::StockStatus;
    Resources::initialise();
    const auto entry = [](StockStatus s, const QString &name) {
        return Widgets::IconEntry{qint64(s), name, Resources::stockStatusIcon(s)};
    };
    return {entry(StockStatus::Mevcut, u"Var"_s),
            entry(StockStatus::Telefon, u"Telefon Açınız"_s),
            entry(StockStatus::Yolda, u"Yolda"_s),
            entry(StockStatus::OzelSiparis, u"Özel Sipariş"_s),
            entry(StockStatus::Tedarik, u"Tedarik Sürecinde"_s),
            entry(StockStatus::Yok, u"Yok"_s)};
}

} // namespace

std::vector<ColumnSpec> basketColumns()
{
    std::vector<ColumnSpec> c;
    c.reserve(52);
    ColumnSpec sec = col(u"SEC"_s, u"Seç"_s, Shown_, Fixed_, 1);
    sec.kind = CellKind::CheckBox;
    c.push_back(sec);
    ColumnSpec tarih = col(u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, Shown_, Free, 1);
    tarih.summary = Summary::Count;
    // The day is what the column is read for; the hour would only be cut off at weight 1.
    tarih.kind = CellKind::Date;
    c.push_back(tarih);
    c.push_back(col(u"SIRANO"_s, {}, Hidden, Fixed_, 0));
    c.push_back(col(u"SIPARISNO"_s, u"Sipariş No"_s, Hidden, Free, 0));
    c.push_back(col(u"CARINO"_s, {}, Hidden, Fixed_, 0));
    c.push_back(col(u"TARIH"_s, u"Tarih"_s, Hidden, Free, 1));
    c.push_back(col(u"AKTAR"_s, {}, Hidden, Fixed_, 0));
    c.push_back(col(u"STOKNO"_s, {}, Hidden, Fixed_, 0));
    c.push_back(col(u"BARKOD"_s, u"Barkod"_s, Shown_, Free, 2));
    c.push_back(col(u"FINISHKOD"_s, u"FinishKod"_s, Shown_, Free, 2));
    c.push_back(col(u"OEMNO"_s, u"OEMNo"_s, Shown_, Free, 2));
    c.push_back(col(u"STOKADI"_s, u"Stok Açıklama"_s, Shown_, Free, 3));
    ColumnSpec miktar = col(u"MIKTAR"_s, u"Miktar"_s, Shown_, Free, 1);
    miktar.summary = Summary::Sum;
    c.push_back(miktar);
    c.push_back(col(u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, Shown_, Free, 1));
    c.push_back(col(u"TUTAR"_s, u"Tutar"_s, Shown_, Free, 1));
    c.push_back(col(u"INDIRIMYAZI"_s, u"İndirim Oran"_s, Shown_, Free, 2));
    c.push_back(col(u"INDIRIMORANI1"_s, u"İndirim Oranı %"_s, Hidden, Fixed_, 1));
    c.push_back(col(u"INDIRIMORANI2"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"INDIRIMORANI3"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, Hidden, Fixed_, 1));
    c.push_back(col(u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, Shown_, Free, 1));
    c.push_back(col(u"KDV"_s, {}, Shown_, Free, 1));
    c.push_back(col(u"VERGITUTARI"_s, u"Vergi Tutarı"_s, Shown_, Free, 1));
    c.push_back(col(u"NETTUTAR"_s, u"Net Tutar"_s, Shown_, Free, 1));
    c.push_back(col(u"KUR"_s, u"Kur"_s, Hidden, Free, 1));
    c.push_back(col(u"KURTL"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"VERENIDNO"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"SAAT"_s, u"Saat"_s, Hidden, Free, 1));
    c.push_back(col(u"TESLIMID"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"KARGOID"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"ACIKLAMA"_s, u"Açıklama"_s, Hidden, Free, 1));
    c.push_back(col(u"IDNO"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"VERENSIRANO"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"VEREN"_s, u"Veren"_s, Shown_, Free, 1));
    c.push_back(col(u"CARIKOD"_s, u"Cari Kod"_s, Hidden, Fixed_, 1));
    c.push_back(col(u"CARIADI"_s, u"Cari Adı"_s, Hidden, Fixed_, 1));
    for (const QString &oem : {u"OEM1"_s, u"OEM2"_s, u"OEM3"_s, u"OEM4"_s})
        c.push_back(col(oem, {}, Hidden, Free, 1));
    c.push_back(col(u"STOK_STOKNO"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"URETICIKODU"_s, {}, Hidden, Fixed_, 1));
    c.push_back(col(u"DIGERADI"_s, {}, Hidden, Free, 1));
    c.push_back(col(u"DPKOD"_s, {}, Hidden, Free, 1));
    c.push_back(col(u"MARKA"_s, u"Marka"_s, Hidden, Free, 1));
    c.push_back(col(u"MODEL"_s, u"Model"_s, Hidden, Free, 1));
    c.push_back(col(u"ANAGRUP"_s, u"Ana Grup"_s, Hidden, Free, 1));
    c.push_back(col(u"OZELKOD"_s, u"Özel Kod"_s, Hidden, Free, 1));
    c.push_back(col(u"PKOD"_s, {}, Hidden, Free, 1));
    ColumnSpec durum = col(u"DURUM"_s, u"Durum"_s, Shown_, Free, 1);
    durum.kind = CellKind::IconMap;
    durum.icons = statusIcons();
    c.push_back(durum);
    c.push_back(col(u"KALAN"_s, u"Kalan"_s, Hidden, Fixed_, 1));
    c.push_back(col(u"INDIRIMORANI4"_s, {}, Hidden, Free, 0));
    return c;
}

} // namespace Basket
