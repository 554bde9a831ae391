#pragma once

#include <QString>
#include <QStringList>

// The rules of the catalogue lists that need no window: wide and narrow mode, tab captions.
namespace Catalogue {

// Up to this width (of the main window for the stock list, of the screen for the new and
// campaign lists) a list is narrow; one pixel more and it is wide.
inline constexpr int kNarrowWidthLimit = 1152;
inline bool isWideMode(int width)
{
    return width > kNarrowWidthLimit;
}

// What the stock list's column sizing does in each mode.
struct StockListMode
{
    bool wide = true;
    QStringList priceColumns; // KDVDAHIL, NETFIYAT, KAMPFIYAT, LISTEFIYAT1: shown only when wide
    bool showFiyatBilgisi = false;
    int rowHeight = 60;
    // Narrow only, after the proportional sizing: fixed widths of a few columns.
    int oemWidth = 0; // OEM1, OEM2, OEM3
    int fiyatBilgisiWidth = 0;
};
StockListMode stockListMode(int windowWidth);

// "Stok Listesi", "Yeni Stoklar", "Kampanyalı": the titles the lists write their row counts with.
QString stockListTitle();
QString newListTitle();
QString campaignListTitle();

// The caption of the stock tab after a search: "N=Stok Listesi" on success, the plain title
// after a failure.
QString stockSearchCaption(bool succeeded, int rows);
// The caption of the new or campaign tab after a load: the count and the list's title.
QString listCaption(int rows, const QString &title);

} // namespace Catalogue
