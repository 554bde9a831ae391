#include "seed.h"

#include "batch.h"
#include "context.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Seed {

double round2(double value)
{
    return std::round(value * 100.0) / 100.0;
}

LinePrice priceFor(const CustomerInfo &customer, const PartInfo &part)
{
    LinePrice line;
    if (auto special = customer.specialPrices.constFind(part.stokno); special != customer.specialPrices.cend()) {
        line.price = *special;
        return line;
    }
    if (part.kampanya > 0 && part.kampfiyat > 0) {
        line.price = part.kampfiyat; // a campaign price is net of discounts
        return line;
    }
    line.price = part.fiyat;
    const Discount *best = nullptr;
    int bestScore = -1;
    for (const Discount &d : customer.discounts) {
        if ((!d.marka.isEmpty() && d.marka != part.marka) || (!d.anagrup.isEmpty() && d.anagrup != part.anagrup))
            continue;
        const int score = (d.marka.isEmpty() ? 0 : 2) + (d.anagrup.isEmpty() ? 0 : 1);
        if (score > bestScore) {
            best = &d;
            bestScore = score;
        }
    }
    if (best) {
        for (int i = 0; i < 4; ++i)
            line.ind[i] = best->ind[i];
    }
    return line;
}

Protocol::Expected<Protocol::Done> seedOptions(Context &context)
{
    BatchInserter states(context.db, u"siparis_durumlari"_s, {u"kod"_s, u"adi"_s});
    const QString stateNames[] = {u"Alındı"_s,     u"Onaylandı"_s,  u"Görüldü"_s, u"Parçalı Hazırlandı"_s,
                                  u"Hazırlandı"_s, u"Sevk Edildi"_s};
    for (int i = 0; i < 6; ++i)
        states.add({i + 1, stateNames[i]});
    if (auto done = states.finish(); !done)
        return done;

    BatchInserter delivery(context.db, u"teslim_sekilleri"_s, {u"id"_s, u"adi"_s, u"sira"_s});
    delivery.add({1, u"Depodan Teslim Alınacak"_s, 1});
    delivery.add({2, u"Kargo ile Gönderilsin"_s, 2});
    delivery.add({3, u"Servis Aracımızla Gönderilsin"_s, 3});
    if (auto done = delivery.finish(); !done)
        return done;

    BatchInserter cargo(context.db, u"kargo_turleri"_s, {u"id"_s, u"adi"_s, u"sira"_s});
    cargo.add({1, u"Alıcı Ödemeli"_s, 1});
    cargo.add({2, u"Gönderici Ödemeli"_s, 2});
    cargo.add({3, u"Anlaşmalı Ambar"_s, 3});
    if (auto done = cargo.finish(); !done)
        return done;

    BatchInserter carriers(context.db, u"kargolar"_s, {u"sirano"_s, u"kargo_turu"_s, u"adi"_s, u"uyari"_s, u"sira"_s});
    carriers.add({1, 1, u"Yurtiçi Kargo"_s, u"16:00'ya kadar verilen siparişler aynı gün kargoya verilir."_s, 1});
    carriers.add({2, 1, u"Aras Kargo"_s, u"Desi başına ek ücret alınır."_s, 2});
    carriers.add({3, 1, u"MNG Kargo"_s, QString(), 3});
    carriers.add({4, 2, u"Yurtiçi Kargo"_s, u"Kargo ücreti faturaya eklenir."_s, 1});
    carriers.add({5, 2, u"Sürat Kargo"_s, u"Kargo ücreti faturaya eklenir."_s, 2});
    carriers.add({6, 3, u"Horoz Lojistik"_s, u"Ambar teslimi 2-3 iş günü sürer."_s, 1});
    return carriers.finish();
}

Protocol::Expected<Protocol::Done> populate(const QSqlDatabase &db, const Options &options)
{
    Context context;
    context.db = db;
    context.anchor = options.anchor.isValid() ? options.anchor : QDate(2025, 1, 15);
    using Step = Protocol::Expected<Protocol::Done> (*)(Context &);
    if (auto done = seedCatalogue(context, std::max(0, options.parts)); !done)
        return done;
    const Step steps[] = {seedAccounts, seedOptions, seedHistory, seedNotices};
    for (Step step : steps) {
        if (auto done = step(context); !done)
            return done;
    }
    return Protocol::Done{};
}

} // namespace Seed
