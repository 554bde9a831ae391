#pragma once

#include "basketline.h"

#include "client/catalogue/stockrow.h"

#include "client/server/connection.h"

#include "protocol/clienttable.h"
#include "protocol/expected.h"
#include "protocol/records.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

// The server calls of the basket and the order, each made the way its action needs:
// loads on a worker with their own copy, changes directly on the main connection, the
// package quantity and the reload directly on a copy.
namespace Basket {

// Told the operation name of every basket call just before it goes out (after its
// connection opened). Tests count calls with it; the program installs none.
using CallObserver = std::function<void(const QString &operation)>;
void setCallObserver(CallObserver observer);

// SepetVer2 on a worker's own copy (report now false): the fresh basket table.
Protocol::Expected<Protocol::ClientTable> fetchBasket(Server::Connection copy, qint32 carino);
// SepetYukle on the UI thread, on a copy of the main connection: none when the connection
// could not be opened (reported) or the call failed (its text shown).
std::optional<Protocol::ClientTable> SepetYukle(const Server::Connection &bagc, qint32 carino);

// The package quantity of a part (EnVer on a copy, report now false); 1 when it cannot be
// asked or is below 1.
qint32 koliAdet(const Server::Connection &bagc, qint32 stokno);

// What the dialog was confirmed with.
struct DialogValues
{
    qint32 quantity = 0;
    double price = 0;
    std::array<double, 4> rates{};
};

// SepetEkle2 on the main connection: the server's answer (1 means added); none when the
// connection could not be opened or the call failed (both already shown).
std::optional<qint32> SepetEkle2(Server::Connection &bagc, const Protocol::TSonucBilgisi &sbilgi,
                                 const Catalogue::StockRow &line, const DialogValues &values);
// SepetGuncelle2: quantity and price from the dialog, the four rates the row stored.
std::optional<qint32> SepetGuncelle2(Server::Connection &bagc, const Protocol::TSonucBilgisi &sbilgi,
                                     const BasketLine &line, qint32 quantity, double price);
// True when the call was made (its answer is not read).
bool SepetSatirSil(Server::Connection &bagc, const Protocol::TSonucBilgisi &sbilgi, const BasketLine &line);
bool SepetHepsiniSil(Server::Connection &bagc, const Protocol::TSonucBilgisi &sbilgi);
// Stores one row's selection flag on a copy; a failed call is skipped without a word.
void SepetSecimGuncelle(const Server::Connection &bagc, qint32 sirano, qint32 secim);

// The overdue-account warning, on a thread of its own with its own copy (report now false).
Protocol::Expected<QString> CariVadeGunGecmismiBul(Server::Connection copy, qint32 carino);

// One option of the confirmation window's groups.
struct Choice
{
    qint32 id = 0;
    QString caption;
};
struct OrderChoices
{
    std::vector<Choice> teslim; // TeslimVer
    std::vector<Choice> kargo;  // KargoVer
};
// TeslimVer, then KargoVer, on one copy of the main connection; none when it cannot be opened.
std::optional<OrderChoices> orderChoices(const Server::Connection &bagc);
// The first two values of every row of a table-reader answer.
std::vector<Choice> choicesOf(const Protocol::ClientTable &table);

// The carriers of a cargo type (ADI, SIRANO, UYARI), on the main connection.
std::optional<Protocol::ClientTable> KargolarVer(Server::Connection &bagc, qint32 kargoTuru);

// SiparisKaydet on the main connection: true when the order was placed; none when the
// connection could not be opened or the call failed.
std::optional<bool> SiparisKaydet(Server::Connection &bagc, const Protocol::TSonucBilgisi &sbilgi, qint32 td, qint32 kt,
                                  const QString &aciklama, qint32 kn);

} // namespace Basket
