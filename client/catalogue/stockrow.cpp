#include "stockrow.h"

#include "client/session/moneyformat.h"

using namespace Qt::StringLiterals;

namespace Catalogue {

namespace {

double numberOf(const Protocol::ClientTable &table, int row, QStringView column)
{
    const int c = table.columnIndex(column);
    return c < 0 || table.isNull(row, c) ? 0.0 : table.number(row, c);
}

qint32 integerOf(const Protocol::ClientTable &table, int row, QStringView column)
{
    const int c = table.columnIndex(column);
    if (c < 0 || table.isNull(row, c))
        return 0;
    // A mark may arrive as a floating-point column; the platform reads it as a whole number.
    return qint32(table.number(row, c));
}

QString textOf(const Protocol::ClientTable &table, int row, QStringView column)
{
    const int c = table.columnIndex(column);
    return c < 0 || table.isNull(row, c) ? QString() : table.text(row, c);
}

OpenerTexts discountedPrice(const StockRow &row)
{
    OpenerTexts texts;
    texts.price = row.fiyat;
    texts.rates = row.ind;
    texts.taxRate = row.kdv;
    return texts;
}

QString campaignCaption(const StockRow &row)
{
    return u"Kampanyalı "_s + row.indirimyazi;
}

} // namespace

std::optional<StockRow> stockRowFrom(const Protocol::ClientTable &table, int row, ProductSource source)
{
    if (row < 0 || row >= table.rowCount())
        return std::nullopt;
    StockRow r;
    r.source = source;
    r.stokno = integerOf(table, row, u"STOK_STOKNO");
    r.barkod = textOf(table, row, u"BARKOD");
    r.adi = textOf(table, row, u"ADI");
    r.marka = textOf(table, row, u"MARKA");
    r.finishkod = textOf(table, row, u"FINISHKOD");
    r.model = textOf(table, row, u"MODEL");
    r.kdv = numberOf(table, row, u"KDV");
    r.fiyat = numberOf(table, row, u"FIYAT");
    r.ind = {numberOf(table, row, u"IND1"), numberOf(table, row, u"IND2"), numberOf(table, row, u"IND3"),
             numberOf(table, row, u"IND4")};
    r.indirimyazi = textOf(table, row, u"INDIRIMYAZI");
    r.k = integerOf(table, row, u"K");
    r.resim = integerOf(table, row, u"RESIM");
    return r;
}

QString defaultIndirimoranCaption()
{
    return u"İndirim:"_s;
}

QString defaultLabel2Caption()
{
    return u"Fiyat:"_s;
}

OpenerTexts openerTexts(const StockRow &row)
{
    switch (row.source) {
    case ProductSource::StockList:
        if (row.k < 0) {
            // Neither price nor rates: the panel starts from 0; only the tax rate is the part's.
            OpenerTexts texts;
            texts.setsPrice = false;
            texts.taxRate = row.kdv;
            return texts;
        }
        if (row.k == 0) {
            OpenerTexts texts = discountedPrice(row);
            texts.indirimoranCaption = u"İndirim: %"_s + row.indirimyazi;
            return texts;
        }
        break;
    case ProductSource::NewList:
        if (row.k <= 0) {
            OpenerTexts texts = discountedPrice(row);
            texts.indirimoranCaption = u"İndirim:  % "_s + row.indirimyazi;
            return texts;
        }
        break;
    case ProductSource::CampaignList: break;
    }
    OpenerTexts texts = discountedPrice(row);
    texts.indirimoranCaption = campaignCaption(row);
    texts.label2Caption = u"Kampanyalı Fiyat:"_s;
    return texts;
}

OpenerTexts basketOpenerTexts(double birimfiyat, const std::array<double, 4> &indirimOranlari, double kdv)
{
    OpenerTexts texts;
    texts.price = birimfiyat;
    texts.rates = indirimOranlari;
    texts.taxRate = kdv;
    return texts;
}

QString priceCellText(double listeFiyat1, double kampFiyat, double netFiyat, double kdvDahil, const QLocale &locale)
{
    const QString lineEnd = u"\r\n"_s;
    QString text = u"Liste Fiyatı: "_s + Session::moneyText(listeFiyat1, locale) + lineEnd;
    if (kampFiyat > 0)
        text += u"Kampanyalı Fiyat: "_s + Session::moneyText(kampFiyat, locale) + lineEnd;
    text += u"NetFiyat: "_s + Session::moneyText(netFiyat, locale) + lineEnd;
    text += u"KDV li Fiyat: "_s + Session::moneyText(kdvDahil, locale) + lineEnd;
    return text;
}

QString priceCellText(const Protocol::ClientTable &table, int row, const QLocale &locale)
{
    return priceCellText(numberOf(table, row, u"LISTEFIYAT1"), numberOf(table, row, u"KAMPFIYAT"),
                         numberOf(table, row, u"NETFIYAT"), numberOf(table, row, u"KDVDAHIL"), locale);
}

QString pictureAddress(const QString &imagePrefix, qint32 stokno)
{
    return imagePrefix + QString::number(stokno);
}

} // namespace Catalogue
