// Basket changes: adding a part, changing a line, deleting one line or all of them.
//
// Each change checks the session record's user and that he may work for the customer, and
// runs in one transaction. A dealer's lines are priced by the server (the price and rates a
// dealer's client sends are only checked for sense, never stored): he cannot give himself a
// price. A sales representative may set the unit price and the four rates of a line.

#include "basketlines.h"
#include "cataloguerows.h"
#include "registry.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

QString now()
{
    return QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
}

Protocol::Expected<RequestedLine> requestedLine(const Inputs &inputs)
{
    const double rates[4] = {doubleAt(inputs, 8), doubleAt(inputs, 11), doubleAt(inputs, 12), doubleAt(inputs, 13)};
    return checkedLine(doubleAt(inputs, 5), doubleAt(inputs, 6), doubleAt(inputs, 7), rates);
}

struct Part
{
    QString barkod;
    QString adi;
    int kdv = 0;
    int kampanya = 0;
    PartPrice price;
};

Protocol::Expected<Part> partFor(const QSqlDatabase &db, int stokno, int carino)
{
    auto query = Store::exec(db,
                             u"SELECT barkod, adi, kdv, fiyat, kampanya, kampfiyat, marka, anagrup FROM stoklar"
                             u" WHERE stokno = ?"_s,
                             {stokno});
    if (!query)
        return query.error();
    if (!query->next())
        return Protocol::makeError(u"Stok bulunamadı: %1"_s.arg(stokno));
    auto pricing = CustomerPricing::load(db, carino);
    if (!pricing)
        return pricing.error();
    Part part;
    part.barkod = query->value(0).toString();
    part.adi = query->value(1).toString();
    part.kdv = query->value(2).toInt();
    part.kampanya = query->value(4).toInt();
    part.price = pricing->priceOf(stokno, query->value(6).toString(), query->value(7).toString(),
                                  query->value(3).toDouble(), part.kampanya, query->value(5).toDouble());
    return part;
}

// SepetEkle2(bilgim, carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1, verenid, k,
// ind2, ind3, ind4): 1 when the part is in the basket. A part already there is not added a
// second time: its line gets the quantity added.
Outputs sepetEkle2(CallContext &context, const Inputs &inputs)
{
    const int carino = intAt(inputs, 1);
    const int stokno = intAt(inputs, 2);
    auto requested = requestedLine(inputs);
    if (!requested)
        return requested.error();
    auto done =
        Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
            auto caller = basketCaller(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0), carino);
            if (!caller)
                return caller.error();
            auto part = partFor(db, stokno, carino);
            if (!part)
                return part.error();
            auto existing = Store::exec(db,
                                        u"SELECT sirano, miktar FROM sepet WHERE carino = ? AND stokno = ?"
                                        u" ORDER BY sirano"_s,
                                        {carino, stokno});
            if (!existing)
                return existing.error();
            if (existing->next()) {
                const int sirano = existing->value(0).toInt();
                const double total = existing->value(1).toDouble() + requested->quantity;
                if (total > kMaxBasketQuantity)
                    return Protocol::makeError(u"Geçersiz miktar: sepetteki satırla birlikte %1 adetten fazla"_s.arg(
                        kMaxBasketQuantity, 0, 'f', 0));
                auto updated = Store::exec(db, u"UPDATE sepet SET miktar = ? WHERE sirano = ?"_s, {total, sirano});
                if (!updated)
                    return updated.error();
                return Protocol::Done{};
            }
            const bool ownPrice = caller->representative();
            const double price = ownPrice ? requested->price : part->price.price;
            const double *rates = ownPrice ? requested->rates : part->price.rates;
            auto inserted =
                Store::exec(db,
                            u"INSERT INTO sepet (carino, stokno, barkod, stokadi, miktar, kdv, birimfiyat,"
                            u" ind1, ind2, ind3, ind4, kampanya, verenid, sec, tarih)"
                            u" VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?)"_s,
                            {carino, stokno, part->barkod, part->adi, requested->quantity, part->kdv, price, rates[0],
                             rates[1], rates[2], rates[3], part->kampanya, caller->sirano, now()});
            if (!inserted)
                return inserted.error();
            return Protocol::Done{};
        });
    if (!done)
        return done.error();
    return answer(qint32(1));
}

// SepetGuncelle2(bilgim, carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1, verenid,
// _sepetsirano, ind2, ind3, ind4): 1 when the line was changed. A dealer changes the
// quantity; a representative also the unit price and the rates.
Outputs sepetGuncelle2(CallContext &context, const Inputs &inputs)
{
    const int carino = intAt(inputs, 1);
    const int sirano = intAt(inputs, 10);
    auto requested = requestedLine(inputs);
    if (!requested)
        return requested.error();
    auto done =
        Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
            auto caller = basketCaller(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0), carino);
            if (!caller)
                return caller.error();
            auto updated =
                caller->representative()
                    ? Store::exec(db,
                                  u"UPDATE sepet SET miktar = ?, birimfiyat = ?, ind1 = ?, ind2 = ?, ind3 = ?, ind4 = ?"
                                  u" WHERE sirano = ? AND carino = ?"_s,
                                  {requested->quantity, requested->price, requested->rates[0], requested->rates[1],
                                   requested->rates[2], requested->rates[3], sirano, carino})
                    : Store::exec(db, u"UPDATE sepet SET miktar = ? WHERE sirano = ? AND carino = ?"_s,
                                  {requested->quantity, sirano, carino});
            if (!updated)
                return updated.error();
            if (updated->numRowsAffected() != 1)
                return Protocol::makeError(u"Sepet satırı bulunamadı: %1"_s.arg(sirano));
            return Protocol::Done{};
        });
    if (!done)
        return done.error();
    return answer(qint32(1));
}

// SepetSatirSil(bilgi, satirno, aciklamam): deletes one line of the record's customer.
Outputs sepetSatirSil(CallContext &context, const Inputs &inputs)
{
    const Protocol::TSonucBilgisi *record = inputAt<Protocol::TSonucBilgisi>(inputs, 0);
    const int sirano = intAt(inputs, 1);
    auto done =
        Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
            auto caller = basketCaller(db, record, record ? record->FCARINO : 0);
            if (!caller)
                return caller.error();
            auto deleted =
                Store::exec(db, u"DELETE FROM sepet WHERE sirano = ? AND carino = ?"_s, {sirano, record->FCARINO});
            if (!deleted)
                return deleted.error();
            if (deleted->numRowsAffected() != 1)
                return Protocol::makeError(u"Sepet satırı bulunamadı: %1"_s.arg(sirano));
            return Protocol::Done{};
        });
    if (!done)
        return done.error();
    return answer(qint32(1));
}

// SepetHepsiniSil(bilgi): empties the record's customer's basket; answers how many lines went.
Outputs sepetHepsiniSil(CallContext &context, const Inputs &inputs)
{
    const Protocol::TSonucBilgisi *record = inputAt<Protocol::TSonucBilgisi>(inputs, 0);
    int lines = 0;
    auto done =
        Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
            auto caller = basketCaller(db, record, record ? record->FCARINO : 0);
            if (!caller)
                return caller.error();
            auto deleted = Store::exec(db, u"DELETE FROM sepet WHERE carino = ?"_s, {record->FCARINO});
            if (!deleted)
                return deleted.error();
            lines = deleted->numRowsAffected();
            return Protocol::Done{};
        });
    if (!done)
        return done.error();
    return answer(qint32(lines));
}

} // namespace

void registerBasketEditMethods(Registry &registry)
{
    registry.add("SepetEkle2", sepetEkle2);
    registry.add("SepetGuncelle2", sepetGuncelle2);
    registry.add("SepetSatirSil", sepetSatirSil);
    registry.add("SepetHepsiniSil", sepetHepsiniSil);
}

} // namespace Methods
