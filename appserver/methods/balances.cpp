// Open order balances: listing them, deleting one, changing its quantity or its price, and
// all order lines of a customer.
//
// A change names the order line by its number (STOKHAR_NO) and repeats what the client saw
// of it (its basket line number, part, code and quantities): the line must still be an open
// balance of the customer the session record works for, and still look as the client saw
// it, or nothing is changed.

#include "accountparts.h"
#include "caller.h"
#include "inputs.h"
#include "orderlines.h"
#include "registry.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

constexpr double kMaxQuantity = 100000;
constexpr double kMaxPrice = 1e9;

// BakiyelerVer2(carino): the customer's order lines with a remaining quantity.
Outputs bakiyelerVer2(CallContext &context, const Inputs &inputs)
{
    auto table = orderLines(context.db.connection(), u"s.carino = ? AND l.kalan > 0"_s, {intAt(inputs, 0)});
    if (!table)
        return table.error();
    return answer(std::move(*table));
}

// TumSiparislerVer(carino, stokno): every order line of the customer, or those of one part.
Outputs tumSiparislerVer(CallContext &context, const Inputs &inputs)
{
    const int carino = intAt(inputs, 0);
    const int stokno = intAt(inputs, 1);
    auto table = stokno == 0
                     ? orderLines(context.db.connection(), u"s.carino = ?"_s, {carino})
                     : orderLines(context.db.connection(), u"s.carino = ? AND l.stokno = ?"_s, {carino, stokno});
    if (!table)
        return table.error();
    return answer(std::move(*table));
}

struct BalanceLine
{
    int sirano = 0;
    double ordered = 0;
    double delivered = 0;
    double remaining = 0;
};

bool sameQuantity(double a, double b)
{
    return std::fabs(a - b) < 1e-6;
}

// The open balance a change request names, checked as the file comment says.
Protocol::Expected<BalanceLine> openBalance(const QSqlDatabase &db, const Protocol::TSonucBilgisi &record,
                                            const Inputs &inputs)
{
    const int stokno = intAt(inputs, 1);
    const int basketLine = intAt(inputs, 2);
    const int orderLine = intAt(inputs, 3);
    const QString barkod = textAt(inputs, 6);
    auto query = Store::exec(db,
                             u"SELECT l.sirano, l.stokno, l.sepet_sirano, l.barkod, l.miktar, l.teslim_edilen,"
                             u" l.kalan, s.carino FROM siparis_satirlari l JOIN siparisler s ON s.idno = l.idno"
                             u" WHERE l.sirano = ?"_s,
                             {orderLine});
    if (!query)
        return query.error();
    const auto notFound = [orderLine] {
        return Protocol::makeError(u"Sipariş bakiyesi bulunamadı: %1"_s.arg(orderLine));
    };
    if (!query->next() || query->value(7).toInt() != record.FCARINO)
        return notFound();
    if (query->value(2).toInt() != basketLine || (stokno != 0 && query->value(1).toInt() != stokno) ||
        query->value(3).toString().trimmed() != barkod.trimmed()) {
        return Protocol::makeError(
            u"Sipariş bakiyesi gönderilen bilgilere uymuyor; listeyi yenileyip tekrar deneyin"_s);
    }
    BalanceLine line;
    line.sirano = query->value(0).toInt();
    line.ordered = query->value(4).toDouble();
    line.delivered = query->value(5).toDouble();
    line.remaining = query->value(6).toDouble();
    if (line.remaining <= 0)
        return Protocol::makeError(u"Bu sipariş satırının açık bakiyesi yok"_s);
    return line;
}

enum class Change { Delete, Quantity, Price };

Protocol::Expected<Protocol::Done> checkRequest(Change change, const Inputs &inputs)
{
    const double adet = doubleAt(inputs, 4);
    const double bakiye = doubleAt(inputs, 5);
    if (!std::isfinite(adet) || !std::isfinite(bakiye) || adet < 0 || bakiye < 0 || adet > kMaxQuantity ||
        bakiye > kMaxQuantity) {
        return Protocol::makeError(u"Geçersiz miktar"_s);
    }
    if (change == Change::Quantity && (bakiye <= 0 || bakiye != std::floor(bakiye) || !sameQuantity(adet, bakiye)))
        return Protocol::makeError(u"Yeni bakiye 1 ile %1 arasında bir tam sayı olmalı"_s.arg(kMaxQuantity, 0, 'f', 0));
    if (change == Change::Price) {
        const double price = doubleAt(inputs, 7);
        const double rate = doubleAt(inputs, 8);
        if (!std::isfinite(price) || price <= 0 || price > kMaxPrice)
            return Protocol::makeError(u"Geçersiz fiyat"_s);
        if (!std::isfinite(rate) || rate < 0 || rate > 100)
            return Protocol::makeError(u"İndirim oranı 0 ile 100 arasında olmalı"_s);
    }
    return Protocol::Done{};
}

QString note(const QString &what, const QString &who)
{
    return what + u" ("_s + who + u')';
}

Outputs changeBalance(CallContext &context, const Inputs &inputs, Change change)
{
    if (auto valid = checkRequest(change, inputs); !valid)
        return valid.error();
    const Protocol::TSonucBilgisi *record = inputAt<Protocol::TSonucBilgisi>(inputs, 0);
    auto done =
        Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
            auto caller = authenticateFor(db, record);
            if (!caller)
                return caller.error();
            if (change == Change::Price && !caller->representative())
                return Protocol::makeError(u"Fiyat değiştirme yetkiniz yok"_s);
            auto line = openBalance(db, *record, inputs);
            if (!line)
                return line.error();
            const double adet = doubleAt(inputs, 4);
            const double bakiye = doubleAt(inputs, 5);
            // The quantities the client saw must still be the line's own.
            if ((change == Change::Delete &&
                 (!sameQuantity(adet, line->ordered) || !sameQuantity(bakiye, line->remaining))) ||
                (change == Change::Price && !sameQuantity(adet, line->ordered))) {
                return Protocol::makeError(u"Sipariş bakiyesi değişmiş; listeyi yenileyip tekrar deneyin"_s);
            }

            const QString appendNote = u"aciklama = CASE WHEN aciklama = '' THEN ? ELSE aciklama || ' / ' || ? END"_s;
            QString sql;
            QVariantList binds;
            switch (change) {
            case Change::Delete: {
                const QString text = note(u"Bakiye silindi"_s, caller->name);
                sql = u"UPDATE siparis_satirlari SET kalan = 0, "_s + appendNote;
                binds = {text, text};
                break;
            }
            case Change::Quantity: {
                const QString text = note(u"Bakiye %1 → %2"_s.arg(line->remaining).arg(bakiye), caller->name);
                sql = u"UPDATE siparis_satirlari SET kalan = ?, miktar = teslim_edilen + ?, "_s + appendNote;
                binds = {bakiye, bakiye, text, text};
                break;
            }
            case Change::Price: {
                const double price = doubleAt(inputs, 7);
                const double rate = doubleAt(inputs, 8);
                const QString text = note(u"Fiyat %1, indirim %%2"_s.arg(price).arg(rate), caller->name);
                sql = u"UPDATE siparis_satirlari SET birimfiyat = ?, ind1 = ?, ind2 = 0, ind3 = 0, ind4 = 0, "_s +
                      appendNote;
                binds = {price, rate, text, text};
                break;
            }
            }
            binds.append(line->sirano);
            auto updated = Store::exec(db, sql + u" WHERE sirano = ? AND kalan > 0"_s, binds);
            if (!updated)
                return updated.error();
            if (updated->numRowsAffected() != 1)
                return Protocol::makeError(u"Sipariş bakiyesi değiştirilemedi"_s);
            return Protocol::Done{};
        });
    if (!done)
        return done.error();
    return answer(qint32(1));
}

// BakiyeDuzenle(k, stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod): deletes the
// open balance (the remaining quantity becomes 0; what was delivered stays).
Outputs bakiyeDuzenle(CallContext &context, const Inputs &inputs)
{
    return changeBalance(context, inputs, Change::Delete);
}

// BakiyeDegistir(k, stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod): the new
// remaining quantity (sent twice); the ordered quantity becomes delivered + remaining.
Outputs bakiyeDegistir(CallContext &context, const Inputs &inputs)
{
    return changeBalance(context, inputs, Change::Quantity);
}

// BakiyeFiyatDegistir(..., fiyat, ind): a representative's new unit price and the one
// discount rate that replaces the line's four.
Outputs bakiyeFiyatDegistir(CallContext &context, const Inputs &inputs)
{
    return changeBalance(context, inputs, Change::Price);
}

} // namespace

void registerBalanceMethods(Registry &registry)
{
    registry.add("BakiyelerVer2", bakiyelerVer2);
    registry.add("TumSiparislerVer", tumSiparislerVer);
    registry.add("BakiyeDuzenle", bakiyeDuzenle);
    registry.add("BakiyeDegistir", bakiyeDegistir);
    registry.add("BakiyeFiyatDegistir", bakiyeFiyatDegistir);
}

} // namespace Methods
