#include "listrules.h"

using namespace Qt::StringLiterals;

namespace Catalogue {

StockListMode stockListMode(int windowWidth)
{
    StockListMode mode;
    mode.wide = isWideMode(windowWidth);
    mode.priceColumns = {u"KDVDAHIL"_s, u"NETFIYAT"_s, u"KAMPFIYAT"_s, u"LISTEFIYAT1"_s};
    mode.showFiyatBilgisi = !mode.wide;
    mode.rowHeight = mode.wide ? 60 : 100;
    if (!mode.wide) {
        mode.oemWidth = 80;
        mode.fiyatBilgisiWidth = 150;
    }
    return mode;
}

QString stockListTitle()
{
    return u"Stok Listesi"_s;
}

QString newListTitle()
{
    return u"Yeni Stoklar"_s;
}

QString campaignListTitle()
{
    return u"Kampanyalı"_s;
}

QString stockSearchCaption(bool succeeded, int rows)
{
    return succeeded ? listCaption(rows, stockListTitle()) : stockListTitle();
}

QString listCaption(int rows, const QString &title)
{
    return QString::number(rows) + u'=' + title;
}

} // namespace Catalogue
