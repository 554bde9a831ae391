#pragma once

#include "protocol/clienttable.h"

#include <QLocale>
#include <QMetaType>
#include <QString>

#include <array>
#include <optional>

namespace Catalogue {

// The list a part was picked from; it decides the texts of the add dialog's price panel.
enum class ProductSource { StockList, NewList, CampaignList };

// A part as the add/change dialog reads it from the row of a catalogue list.
struct StockRow
{
    ProductSource source = ProductSource::StockList;
    qint32 stokno = 0; // STOK_STOKNO
    QString barkod;
    QString adi;
    QString marka;
    QString finishkod;
    QString model;
    double kdv = 0;
    double fiyat = 0;
    std::array<double, 4> ind{}; // IND1 … IND4
    QString indirimyazi;
    qint32 k = 0;     // campaign mark: > 0 in a campaign
    qint32 resim = 0; // 1 when the part has a picture
};

// Reads a row of a stock, new-products or campaign table by column name; a column the table
// lacks leaves its field at its default. No row (out of range) gives nullopt.
std::optional<StockRow> stockRowFrom(const Protocol::ClientTable &table, int row, ProductSource source);

// What the opener of the add/change dialog puts into its price panel: the unit price, the
// rates, the tax rate, and the captions of the discount label `indirimoran` and the price label
// `Label2` when they change (nullopt: the caption stays as it was).
struct OpenerTexts
{
    bool setsPrice = true; // false: price and rates stay 0
    double price = 0;
    std::array<double, 4> rates{};
    double taxRate = 0;
    std::optional<QString> indirimoranCaption;
    std::optional<QString> label2Caption;
};

QString defaultIndirimoranCaption(); // "İndirim:"
QString defaultLabel2Caption();      // "Fiyat:"

OpenerTexts openerTexts(const StockRow &row);
// A basket row opens the dialog with its own price and rates and leaves both captions as they are.
OpenerTexts basketOpenerTexts(double birimfiyat, const std::array<double, 4> &indirimOranlari, double kdv);

// The text of the stock list's "Fiyat Bilgisi" cell: one line each for the list price, the
// campaign price (only when above 0), the net price and the price with tax, each ended by
// "\r\n", the numbers in the money format of the locale.
QString priceCellText(double listeFiyat1, double kampFiyat, double netFiyat, double kdvDahil,
                      const QLocale &locale = QLocale(QLocale::Turkish, QLocale::Turkey));
QString priceCellText(const Protocol::ClientTable &table, int row,
                      const QLocale &locale = QLocale(QLocale::Turkish, QLocale::Turkey));

// The address of a part's picture: the image address prefix followed by the stock number.
QString pictureAddress(const QString &imagePrefix, qint32 stokno);

} // namespace Catalogue

Q_DECLARE_METATYPE(Catalogue::StockRow)
