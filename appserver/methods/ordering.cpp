// Ordering methods: the delivery options, cargo types and carriers the confirmation window
// offers, and SiparisKaydet, which turns the selected basket lines into one order.

#include "areas.h"
#include "basketlines.h"
#include "registry.h"
#include "tablefill.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

constexpr int kMaxMessageLength = 2000;

Outputs options(CallContext &context, const QString &table)
{
    Protocol::ClientTable out = makeTable({int32(u"ID"_s), text(u"ADI"_s, 50)});
    // The table name is one of the two fixed names below, never a request's text.
    auto done =
        fillFromQuery(out, context.db.connection(), u"SELECT id, adi FROM "_s + table + u" ORDER BY sira, id"_s);
    if (!done)
        return done.error();
    return answer(std::move(out));
}

// TeslimVer(): the delivery options, an id and a caption per row, in display order.
Outputs teslimVer(CallContext &context, const Inputs &)
{
    return options(context, u"teslim_sekilleri"_s);
}

// KargoVer(): the cargo types, the same way.
Outputs kargoVer(CallContext &context, const Inputs &)
{
    return options(context, u"kargo_turleri"_s);
}

// KargolarVer(gn): the carriers of one cargo type with their notes.
Outputs kargolarVer(CallContext &context, const Inputs &inputs)
{
    Protocol::ClientTable out = makeTable({text(u"ADI"_s, 50), int32(u"SIRANO"_s), text(u"UYARI"_s, 250)});
    auto done = fillFromQuery(out, context.db.connection(),
                              u"SELECT adi, sirano, uyari FROM kargolar WHERE kargo_turu = ? ORDER BY sira, sirano"_s,
                              {intAt(inputs, 0)});
    if (!done)
        return done.error();
    return answer(std::move(out));
}

Protocol::Expected<Protocol::Done> checkChoices(const QSqlDatabase &db, int delivery, int cargoType, int carrier)
{
    auto known = Store::exec(db,
                             u"SELECT (SELECT COUNT(*) FROM teslim_sekilleri WHERE id = ?),"
                             u" (SELECT COUNT(*) FROM kargo_turleri WHERE id = ?),"
                             u" (SELECT COUNT(*) FROM kargolar WHERE sirano = ? AND kargo_turu = ?)"_s,
                             {delivery, cargoType, carrier, cargoType});
    if (!known)
        return known.error();
    if (!known->next())
        return Protocol::makeError(u"Veritabanı hatası: seçenekler okunamadı"_s);
    if (known->value(0).toInt() != 1)
        return Protocol::makeError(u"Geçersiz teslim durumu: %1"_s.arg(delivery));
    if (known->value(1).toInt() != 1)
        return Protocol::makeError(u"Geçersiz kargo türü: %1"_s.arg(cargoType));
    if (known->value(2).toInt() != 1)
        return Protocol::makeError(u"Geçersiz kargo: %1 bu kargo türünün kargoları arasında yok"_s.arg(carrier));
    return Protocol::Done{};
}

// SiparisKaydet(BB, _carino, _teslim, _kargo, _aciklama, _verenid, _kargoyeni): the
// customer's selected basket lines (SEC = 1) become one order and leave the basket, all in
// one transaction. False, with nothing written, when no line is selected.
Outputs siparisKaydet(CallContext &context, const Inputs &inputs)
{
    const int carino = intAt(inputs, 1);
    const int delivery = intAt(inputs, 2);
    const int cargoType = intAt(inputs, 3);
    const QString message = textAt(inputs, 4);
    const int carrier = intAt(inputs, 6);
    if (message.size() > kMaxMessageLength)
        return Protocol::makeError(u"Mesaj en fazla %1 karakter olabilir"_s.arg(kMaxMessageLength));

    bool placed = false;
    auto done =
        Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
            auto caller = basketCaller(db, inputAt<Protocol::TSonucBilgisi>(inputs, 0), carino);
            if (!caller)
                return caller.error();
            if (auto valid = checkChoices(db, delivery, cargoType, carrier); !valid)
                return valid;

            auto selected = Store::exec(db,
                                        u"SELECT sirano, stokno, barkod, stokadi, miktar, birimfiyat, ind1, ind2, ind3,"
                                        u" ind4, kdv, kampanya, verenid, tarih FROM sepet WHERE carino = ? AND sec = 1"
                                        u" ORDER BY sirano"_s,
                                        {carino});
            if (!selected)
                return selected.error();
            QList<QVariantList> lines;
            while (selected->next()) {
                QVariantList line;
                for (int i = 0; i < 14; ++i)
                    line.append(selected->value(i));
                lines.append(line);
            }
            if (lines.isEmpty())
                return Protocol::Done{}; // nothing to order: false, and the transaction writes nothing

            const QString moment = QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
            auto idno = Store::insertReturningId(
                db,
                u"INSERT INTO siparisler (carino, tarih, verenid, teslim, kargo_turu,"
                u" kargo, durum, aciklama) VALUES (?, ?, ?, ?, ?, ?, 1, ?)"_s,
                {carino, moment, caller->sirano, delivery, cargoType, carrier, message}, u"idno"_s);
            if (!idno)
                return idno.error();
            for (const QVariantList &l : std::as_const(lines)) {
                // sirano, stokno, barkod, stokadi, miktar, birimfiyat, ind1..ind4, kdv, kampanya, verenid, tarih
                auto written =
                    Store::exec(db,
                                u"INSERT INTO siparis_satirlari (idno, sepet_sirano, stokno, barkod, stokadi,"
                                u" miktar, teslim_edilen, kalan, birimfiyat, ilkfiyat, ind1, ind2, ind3, ind4,"
                                u" kdv, kampanya, verenid, tarih)"
                                u" VALUES (?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                                {*idno, l[0], l[1], l[2], l[3], l[4], l[4], l[5], l[5], l[6], l[7], l[8], l[9], l[10],
                                 l[11], l[12], l[13]});
                if (!written)
                    return written.error();
                auto removed =
                    Store::exec(db, u"DELETE FROM sepet WHERE sirano = ? AND carino = ? AND sec = 1"_s, {l[0], carino});
                if (!removed)
                    return removed.error();
                if (removed->numRowsAffected() != 1)
                    return Protocol::makeError(
                        u"Sepet bu sırada değişti; sipariş kaydedilmedi, lütfen tekrar deneyin"_s);
            }
            placed = true;
            return Protocol::Done{};
        });
    if (!done)
        return done.error();
    return answer(placed);
}

} // namespace

void registerOrderingMethods(Registry &registry)
{
    registry.add("TeslimVer", teslimVer);
    registry.add("KargoVer", kargoVer);
    registry.add("KargolarVer", kargolarVer);
    registry.add("SiparisKaydet", siparisKaydet);
}

} // namespace Methods
