#include "columns.h"

#include "client/resources/resources.h"

#include <QMutex>

using namespace Qt::StringLiterals;

static void initialiseCatalogueIcons()
{
    Q_INIT_RESOURCE(catalogue);
}

namespace Catalogue {

namespace {

using Widgets::CellKind;
using Widgets::ColumnSpec;
using Widgets::IconEntry;
using Widgets::Summary;

enum Shown { Hidden, Visible };

ColumnSpec column(const QString &name, const QString &caption, Shown shown, int weight)
{
    ColumnSpec c;
    c.name = name;
    c.caption = caption;
    c.visible = shown == Visible;
    c.weight = weight;
    return c;
}

// A column that is never offered in the column customisation.
ColumnSpec fixedColumn(const QString &name, int weight)
{
    ColumnSpec c = column(name, {}, Hidden, weight);
    c.fixed = true;
    return c;
}

ColumnSpec iconColumn(ColumnSpec c, std::vector<IconEntry> icons, int otherIcon = -1)
{
    c.kind = CellKind::IconMap;
    c.icons = std::move(icons);
    c.otherIcon = otherIcon;
    c.alignment = Qt::AlignCenter;
    return c;
}

// The picture mark: 1 "Var" with the picture icon, 0 "Yok" without one.
ColumnSpec pictureMark(const QString &caption)
{
    return iconColumn(column(u"RESIM"_s, caption, Visible, 1),
                      {{1, u"Var"_s, markIcon(MarkIcon::Picture)}, {0, u"Yok"_s, {}}});
}

// The new-product mark: 1 "Evet"; 0 "Hayır", whose icon any other value shows too.
ColumnSpec newMark()
{
    return iconColumn(column(u"Y"_s, u"Yeni"_s, Visible, 1),
                      {{0, u"Hayır"_s, markIcon(MarkIcon::NotNew)}, {1, u"Evet"_s, markIcon(MarkIcon::New)}}, 0);
}

// The campaign mark of the stock and campaign lists: 0 unnamed with its own icon, 1 "Evet".
ColumnSpec campaignMark()
{
    return iconColumn(column(u"K"_s, u"Kampanyalı"_s, Visible, 1),
                      {{0, {}, markIcon(MarkIcon::NoCampaign)}, {1, u"Evet"_s, markIcon(MarkIcon::Campaign)}});
}

// The stock status of a depot, with the icons of the status legend.
ColumnSpec depotStatus(const QString &name, const QString &caption)
{
    using Resources::StockStatus;
    const auto entry = [](StockStatus status, const QString &label) {
        return IconEntry{qint64(status), label, Resources::stockStatusIcon(status)};
    };
    return iconColumn(column(name, caption, Visible, 1), {
                                                             entry(StockStatus::Mevcut, u"Var"_s),
                                                             entry(StockStatus::Telefon, u"Telefon Açınız"_s),
                                                             entry(StockStatus::Yolda, u"Yolda"_s),
                                                             entry(StockStatus::OzelSiparis, u"Özel Sipariş"_s),
                                                             entry(StockStatus::Tedarik, u"Tedarik Sürecinde"_s),
                                                             entry(StockStatus::Yok, u"Yok"_s),
                                                         });
}

// The row count of the footer sits under OEM1 (shown only while that column is).
ColumnSpec oem1()
{
    ColumnSpec c = column(u"OEM1"_s, u"Oem1"_s, Hidden, 2);
    c.summary = Summary::Count;
    return c;
}

ColumnSpec centred(ColumnSpec c)
{
    c.alignment = Qt::AlignCenter;
    return c;
}

} // namespace

QIcon markIcon(MarkIcon which)
{
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    static bool initialised = false;
    if (!initialised) {
        initialiseCatalogueIcons();
        initialised = true;
    }
    switch (which) {
    case MarkIcon::Picture: return QIcon(u":/catalogue/icons/resim.svg"_s);
    case MarkIcon::New: return QIcon(u":/catalogue/icons/yeni.svg"_s);
    case MarkIcon::NotNew: return QIcon(u":/catalogue/icons/yenidegil.svg"_s);
    case MarkIcon::Campaign: return QIcon(u":/catalogue/icons/kampanya.svg"_s);
    case MarkIcon::NoCampaign: return QIcon(u":/catalogue/icons/kampanyayok.svg"_s);
    }
    return {};
}

std::vector<ColumnSpec> stockListColumns()
{
    return {
        oem1(),
        column(u"OEM2"_s, u"Oem2"_s, Hidden, 2),
        column(u"OEM3"_s, u"Oem3"_s, Hidden, 2),
        column(u"BARKOD"_s, u"Barkod"_s, Visible, 2),
        column(u"OEMNO"_s, u"Oem No"_s, Visible, 2),
        column(u"ADI"_s, u"Açıklama"_s, Visible, 3),
        column(u"MODEL"_s, u"Model"_s, Visible, 2),
        column(u"MARKA"_s, u"Marka"_s, Visible, 2),
        column(u"OEM4"_s, u"Oem4"_s, Hidden, 2),
        fixedColumn(u"STOK_STOKNO"_s, 1),
        column(u"FINISHKOD"_s, u"Finish Kod"_s, Hidden, 2),
        column(u"URETICIKODU"_s, u"Üretici Kod"_s, Hidden, 2),
        pictureMark(u"Resim"_s),
        fixedColumn(u"BARKOD_BARKODNO"_s, 1),
        column(u"DIGERADI"_s, u"Diğer Adı"_s, Hidden, 3),
        fixedColumn(u"DPKOD"_s, 2),
        column(u"BIRIM"_s, u"Birim"_s, Hidden, 1),
        column(u"ANAGRUP"_s, u"Ana Grup"_s, Hidden, 2),
        column(u"OZELKOD"_s, u"Özel Kod"_s, Visible, 2),
        fixedColumn(u"KALAN"_s, 1),
        fixedColumn(u"PKOD"_s, 1),
        column(u"KDV"_s, {}, Hidden, 1),
        fixedColumn(u"ALINANSIPARIS"_s, 1),
        fixedColumn(u"VERILENSIPARIS"_s, 1),
        // The four price columns and "Fiyat Bilgisi" are switched by the window's width.
        column(u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s, Visible, 2),
        column(u"KAMPFIYAT"_s, u"Kampanyalı Fiyat"_s, Visible, 2),
        column(u"FIYAT"_s, u"Liste Fiyatı"_s, Hidden, 2),
        newMark(),
        campaignMark(),
        centred(column(u"INDIRIMYAZI"_s, u"İndirim Oran"_s, Visible, 2)),
        column(u"NETFIYAT"_s, u"Net Fiyatı"_s, Visible, 2),
        column(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, Visible, 3),
        [] {
            ColumnSpec c = column(kFiyatBilgisi.toString(), u"Fiyat Bilgisi"_s, Hidden, 2);
            c.kind = CellKind::OwnerDrawn;
            c.sortable = false;
            return c;
        }(),
        depotStatus(u"DURUM"_s, u"İSTANBUL DEPO"_s),
        depotStatus(u"DURUM2"_s, u"KONYA DEPO"_s),
    };
}

std::vector<ColumnSpec> newListColumns()
{
    return {
        oem1(),
        column(u"OEM2"_s, u"Oem2"_s, Hidden, 2),
        column(u"OEM3"_s, u"Oem3"_s, Hidden, 2),
        column(u"BARKOD"_s, u"Barkod"_s, Visible, 2),
        column(u"ADI"_s, u"Açıklama"_s, Visible, 3),
        column(u"OEM4"_s, u"Oem4"_s, Hidden, 2),
        fixedColumn(u"STOK_STOKNO"_s, 1),
        column(u"FINISHKOD"_s, u"Finish Kod"_s, Visible, 2),
        column(u"URETICIKODU"_s, u"Üretici Kod"_s, Hidden, 2),
        fixedColumn(u"BARKOD_BARKODNO"_s, 1),
        column(u"DIGERADI"_s, u"Diğer Adı"_s, Hidden, 3),
        fixedColumn(u"DPKOD"_s, 2),
        column(u"OEMNO"_s, u"Oem No"_s, Hidden, 2),
        column(u"BIRIM"_s, u"Birim"_s, Visible, 1),
        column(u"MARKA"_s, u"Marka"_s, Visible, 2),
        column(u"MODEL"_s, u"Model"_s, Visible, 2),
        column(u"ANAGRUP"_s, u"Ana Grup"_s, Hidden, 2),
        column(u"OZELKOD"_s, u"Özel Kod"_s, Hidden, 2),
        fixedColumn(u"KALAN"_s, 1),
        fixedColumn(u"PKOD"_s, 1),
        column(u"KDV"_s, {}, Hidden, 1),
        fixedColumn(u"ALINANSIPARIS"_s, 1),
        fixedColumn(u"VERILENSIPARIS"_s, 1),
        column(u"FIYAT"_s, u"Liste Fiyatı2"_s, Hidden, 2),
        // Here 0 is named "Hayır" and shows no icon.
        iconColumn(column(u"K"_s, u"Kampanyalı"_s, Visible, 1),
                   {{0, u"Hayır"_s, {}}, {1, u"Evet"_s, markIcon(MarkIcon::Campaign)}}),
        column(u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s, Visible, 2),
        column(u"KAMPFIYAT"_s, u"Kampanyalı Fiyatı"_s, Visible, 2),
        column(u"INDIRIMYAZI"_s, u"Indirim Oran"_s, Visible, 2),
        [] {
            ColumnSpec c = column(u"INDIRIM"_s, u"İndirim Oran"_s, Hidden, 1);
            c.fixed = true;
            return c;
        }(),
        column(u"NETFIYAT"_s, u"Net Fiyatı"_s, Visible, 2),
        column(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, Visible, 2),
    };
}

std::vector<ColumnSpec> campaignListColumns()
{
    return {
        oem1(),
        column(u"OEM2"_s, u"Oem2"_s, Hidden, 2),
        column(u"OEM3"_s, u"Oem3"_s, Hidden, 2),
        column(u"BARKOD"_s, u"Barkod"_s, Visible, 2),
        column(u"ADI"_s, u"Açıklama"_s, Visible, 3),
        column(u"OEM4"_s, u"Oem4"_s, Hidden, 2),
        fixedColumn(u"STOK_STOKNO"_s, 1),
        pictureMark(u"Resim"_s),
        column(u"FINISHKOD"_s, u"Finish Kod"_s, Visible, 2),
        column(u"URETICIKODU"_s, u"Üretici Kod"_s, Hidden, 2),
        fixedColumn(u"BARKOD_BARKODNO"_s, 1),
        column(u"DIGERADI"_s, u"Diğer Adı"_s, Hidden, 3),
        fixedColumn(u"DPKOD"_s, 2),
        column(u"OEMNO"_s, u"Oem No"_s, Hidden, 2),
        column(u"BIRIM"_s, u"Birim"_s, Visible, 1),
        column(u"MARKA"_s, u"Marka"_s, Visible, 2),
        column(u"MODEL"_s, u"Model"_s, Visible, 2),
        column(u"ANAGRUP"_s, u"Ana Grup"_s, Hidden, 2),
        column(u"OZELKOD"_s, u"Özel Kod"_s, Hidden, 2),
        fixedColumn(u"KALAN"_s, 1),
        fixedColumn(u"PKOD"_s, 1),
        column(u"KDV"_s, {}, Hidden, 1),
        fixedColumn(u"ALINANSIPARIS"_s, 1),
        fixedColumn(u"VERILENSIPARIS"_s, 1),
        // In this list FIYAT is the campaign price and ESKIFIYAT the former list price.
        column(u"ESKIFIYAT"_s, u"Liste Fiyatı"_s, Visible, 2),
        column(u"FIYAT"_s, u"Kampanyalı Fiyatı"_s, Visible, 2),
        newMark(),
        campaignMark(),
        [] {
            ColumnSpec c = column(u"INDIRIM"_s, u"İndirim Oran"_s, Hidden, 1);
            c.fixed = true;
            return c;
        }(),
        column(u"INDIRIMYAZI"_s, u"İndirim Oran"_s, Visible, 2),
        column(u"NETFIYAT"_s, u"Net Fiyatı"_s, Visible, 2),
        column(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, Visible, 2),
        depotStatus(u"DURUM"_s, u"Durum"_s),
    };
}

std::vector<ColumnSpec> stockMovementColumns()
{
    // The server's bare column names are hard to read side by side; each column gets a short
    // caption. The amounts keep the plain number display (no money format in this window).
    const auto plain = [](const QString &name, const QString &caption, Shown shown) {
        return column(name, caption, shown, 1);
    };
    const auto amount = [](const QString &name, const QString &caption, Shown shown, Summary summary = Summary::None) {
        ColumnSpec c = column(name, caption, shown, 1);
        c.kind = CellKind::Number;
        c.summary = summary;
        return c;
    };
    std::vector<ColumnSpec> columns{
        plain(u"BARKOD"_s, u"Barkod"_s, Hidden),
        plain(u"TARIH"_s, u"Tarih"_s, Visible),
        plain(u"TURU"_s, u"Türü"_s, Visible),
        plain(u"EVRAKSERI"_s, u"Seri"_s, Visible),
        plain(u"EVRAKSIRA"_s, u"Sıra"_s, Visible),
        amount(u"MIKTAR"_s, u"Miktar"_s, Visible, Summary::Count),
        amount(u"TLBIRIMFIYAT"_s, u"Birim Fiyat"_s, Visible),
        amount(u"TLVERGI"_s, u"Vergi"_s, Visible),
        amount(u"TLTUTAR"_s, u"Tutar"_s, Visible),
    };
    for (int i = 1; i <= 8; ++i)
        columns.push_back(amount(u"INDIRIM%1"_s.arg(i), u"İndirim %1"_s.arg(i), Hidden));
    columns.push_back(amount(u"TOPLAMINDIRIM"_s, u"İndirim"_s, Visible));
    columns.push_back(amount(u"MASRAF1"_s, u"Masraf 1"_s, Hidden));
    columns.push_back(amount(u"MASRAF2"_s, u"Masraf 2"_s, Hidden));
    columns.push_back(amount(u"TOPLAMMASRAF"_s, u"Masraf"_s, Hidden));
    columns.push_back(amount(u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, Visible, Summary::Average));
    columns.push_back(amount(u"NETTLTUTAR"_s, u"Net Tutar"_s, Visible, Summary::Average));
    columns.push_back(plain(u"VADE"_s, u"Vade"_s, Hidden));
    columns.push_back(plain(u"STOKCARIKOD"_s, u"Cari Kod"_s, Hidden));
    columns.push_back(amount(u"KDVDAHILBIRIMFIYAT"_s, u"KDV Dahil Fiyat"_s, Visible, Summary::Average));
    columns.push_back(amount(u"KDVDAHILTUTAR"_s, u"KDV Dahil Tutar"_s, Visible, Summary::Average));
    columns.push_back(plain(u"SATICI"_s, u"Satıcı"_s, Hidden));
    return columns;
}

} // namespace Catalogue
