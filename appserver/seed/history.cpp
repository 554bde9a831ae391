// Demo history: orders in every state over the last months, the invoices of the shipped
// ones with their stock movements, and today's baskets.

#include "batch.h"
#include "context.h"
#include "random.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Seed {

namespace {

constexpr int kHistoryDays = 180;

struct LineSpec
{
    const PartInfo *part = nullptr;
    LinePrice price;
    double quantity = 0;
    double delivered = 0;
};

struct OrderSpec
{
    int customer = 0; // index into context.customers
    QDateTime when;
    int state = 1;
    int delivery = 2;
    int cargoType = 1;
    int carrier = 1;
    QString message;
    QString ourNote;
    QString repNote;
    QList<LineSpec> lines;
};

const QString kMessages[] = {QString(),
                             QString(),
                             u"Acil gönderim rica ederiz."_s,
                             u"Faturayı e-posta ile gönderiniz."_s,
                             u"Eksik ürün varsa bekletmeyin."_s,
                             u"Öğleden sonra teslim alacağız."_s};
const QString kOurNotes[] = {QString(), u"Siparişiniz hazırlanıyor."_s, u"Eksik ürünler tedarik sürecinde."_s,
                             u"Kargo takip numarası faturada yazılıdır."_s};
const QString kRepNotes[] = {QString(), QString(), QString(), u"Müşteri ile telefonda görüşüldü."_s,
                             u"Vade farkı uygulanmayacak."_s};

QString timestamp(const QDateTime &when)
{
    return when.toString(u"yyyy-MM-dd HH:mm:ss"_s);
}

// The four successive discounts of a line: the net amount.
double netAmount(double gross, const double ind[4])
{
    double net = gross;
    for (int i = 0; i < 4; ++i) {
        if (ind[i] > 0)
            net -= net * ind[i] / 100.0;
    }
    return net;
}

int stateForAge(Random &random, int ageDays)
{
    if (ageDays <= 1)
        return 1 + random.below(3); // received, confirmed, seen
    if (ageDays <= 6)
        return 2 + random.below(4);    // confirmed .. prepared
    return random.percent(92) ? 6 : 5; // mostly shipped
}

QList<OrderSpec> planOrders(Context &context, Random &random)
{
    QList<OrderSpec> orders;
    if (context.parts.isEmpty())
        return orders;
    const QDateTime today = context.anchor.startOfDay();
    for (int c = 0; c < context.customers.size(); ++c) {
        const int count = c < 3 ? 14 : random.between(2, 7);
        for (int o = 0; o < count; ++o) {
            OrderSpec order;
            order.customer = c;
            int age = random.below(kHistoryDays);
            order.state = stateForAge(random, age);
            if (c < 3 && o < 6) {
                // The demo dealers have one recent order in each state.
                age = o / 2;
                order.state = o + 1;
            }
            order.when = today.addDays(-age).addSecs(8 * 3600 + 30 * 60 + random.below(10 * 3600));
            order.delivery = random.percent(70) ? 2 : (random.percent(50) ? 1 : 3);
            order.cargoType = random.between(1, 3);
            order.carrier = order.cargoType == 1   ? random.between(1, 3)
                            : order.cargoType == 2 ? random.between(4, 5)
                                                   : 6;
            order.message = random.pick(kMessages);
            order.ourNote = order.state >= 2 ? random.pick(kOurNotes) : QString();
            order.repNote = random.pick(kRepNotes);
            const int lines = random.between(1, 8);
            for (int l = 0; l < lines; ++l) {
                LineSpec line;
                line.part = &context.parts.at(random.below(int(context.parts.size())));
                line.price = priceFor(context.customers.at(c), *line.part);
                const int packages = random.between(1, 5);
                line.quantity = double(line.part->koliadet * packages);
                if (order.state == 6) {
                    const bool partly = packages > 1 && random.percent(20);
                    line.delivered =
                        partly ? double(line.part->koliadet * random.between(1, packages - 1)) : line.quantity;
                }
                order.lines.append(line);
            }
            orders.append(order);
        }
    }
    std::stable_sort(orders.begin(), orders.end(),
                     [](const OrderSpec &a, const OrderSpec &b) { return a.when < b.when; });
    return orders;
}

} // namespace

Protocol::Expected<Protocol::Done> seedHistory(Context &context)
{
    Random random(0x5EED0003);
    const QList<OrderSpec> orders = planOrders(context, random);

    BatchInserter orderRows(context.db, u"siparisler"_s,
                            {u"idno"_s, u"carino"_s, u"tarih"_s, u"verenid"_s, u"teslim"_s, u"kargo_turu"_s, u"kargo"_s,
                             u"durum"_s, u"aciklama"_s, u"alan_notu"_s, u"satici_notu"_s});
    BatchInserter lineRows(context.db, u"siparis_satirlari"_s,
                           {u"sirano"_s, u"idno"_s, u"sepet_sirano"_s, u"stokno"_s, u"barkod"_s, u"stokadi"_s,
                            u"miktar"_s, u"teslim_edilen"_s, u"kalan"_s, u"birimfiyat"_s, u"ilkfiyat"_s, u"ind1"_s,
                            u"ind2"_s, u"ind3"_s, u"ind4"_s, u"kdv"_s, u"kampanya"_s, u"verenid"_s, u"tarih"_s});
    BatchInserter invoiceRows(context.db, u"faturalar"_s,
                              {u"idno"_s, u"carino"_s, u"evrakno"_s, u"tarih"_s, u"saat"_s, u"turu"_s, u"vade"_s,
                               u"saticino"_s, u"irsaliye_evrakno"_s, u"irsaliye_tarihi"_s, u"irsaliye_tipi"_s,
                               u"siparis_idno"_s, u"toplam"_s, u"toplamindirim"_s, u"matrah"_s, u"kdvtutar"_s,
                               u"kdvdahil"_s});
    BatchInserter movementRows(
        context.db, u"stok_hareketleri"_s,
        {u"id"_s,   u"stokno"_s,    u"carino"_s,    u"fatura"_s,        u"tarih"_s,      u"saat"_s,
         u"turu"_s, u"evrakseri"_s, u"evraksira"_s, u"miktar"_s,        u"birimfiyat"_s, u"ind1"_s,
         u"ind2"_s, u"ind3"_s,      u"ind4"_s,      u"toplamindirim"_s, u"tutar"_s,      u"nettutar"_s,
         u"kdv"_s,  u"vergi"_s,     u"vade"_s,      u"saticino"_s});

    lineRows.dependsOn(orderRows);
    invoiceRows.dependsOn(orderRows);
    movementRows.dependsOn(invoiceRows);

    int lineNo = 0;
    int movementNo = 0;
    QList<InvoiceSummary> invoices;
    struct PendingInvoice
    {
        int order;
        QDateTime when;
    };
    QList<PendingInvoice> toInvoice;
    const QDateTime endOfToday = context.anchor.startOfDay().addSecs(18 * 3600);

    for (int o = 0; o < orders.size(); ++o) {
        const OrderSpec &order = orders.at(o);
        const CustomerInfo &customer = context.customers.at(order.customer);
        const int idno = o + 1;
        orderRows.add({idno, customer.carino, timestamp(order.when), customer.userSirano, order.delivery,
                       order.cargoType, order.carrier, order.state, order.message, order.ourNote, order.repNote});
        for (const LineSpec &line : order.lines) {
            ++lineNo;
            lineRows.add({lineNo, idno, lineNo, line.part->stokno, line.part->barkod, line.part->adi, line.quantity,
                          line.delivered, line.quantity - line.delivered, line.price.price, line.price.price,
                          line.price.ind[0], line.price.ind[1], line.price.ind[2], line.price.ind[3], line.part->kdv,
                          line.part->kampanya, customer.userSirano, timestamp(order.when.addSecs(-600))});
        }
        if (order.state == 6)
            toInvoice.append({o, std::min(order.when.addDays(1 + random.below(2)), endOfToday)});
    }
    std::stable_sort(toInvoice.begin(), toInvoice.end(),
                     [](const PendingInvoice &a, const PendingInvoice &b) { return a.when < b.when; });

    for (int i = 0; i < toInvoice.size(); ++i) {
        const OrderSpec &order = orders.at(toInvoice.at(i).order);
        const CustomerInfo &customer = context.customers.at(order.customer);
        const QDateTime when = toInvoice.at(i).when;
        InvoiceSummary invoice;
        invoice.idno = i + 1;
        invoice.carino = customer.carino;
        invoice.when = when;
        invoice.evrakno = u"A-"_s + QString::number(invoice.idno).rightJustified(6, u'0');
        invoice.turu = u"Satış Faturası"_s;
        invoice.vade = customer.vade;
        double gross = 0, discount = 0, base = 0, tax = 0;
        QList<QVariantList> movements; // written after their invoice
        for (const LineSpec &line : order.lines) {
            if (line.delivered <= 0)
                continue;
            const double amount = round2(line.delivered * line.price.price);
            const double net = round2(netAmount(amount, line.price.ind));
            const double lineTax = round2(net * line.part->kdv / 100.0);
            gross += amount;
            discount += amount - net;
            base += net;
            tax += lineTax;
            movements.append({++movementNo,
                              line.part->stokno,
                              customer.carino,
                              invoice.idno,
                              when.date().toString(Qt::ISODate),
                              when.time().toString(u"HH:mm:ss"_s),
                              invoice.turu,
                              u"A"_s,
                              invoice.idno,
                              line.delivered,
                              line.price.price,
                              line.price.ind[0],
                              line.price.ind[1],
                              line.price.ind[2],
                              line.price.ind[3],
                              round2(amount - net),
                              amount,
                              net,
                              line.part->kdv,
                              lineTax,
                              customer.vade,
                              customer.saticino});
        }
        invoice.total = round2(base + tax);
        invoiceRows.add({invoice.idno, customer.carino, invoice.evrakno, when.date().toString(Qt::ISODate),
                         when.time().toString(u"HH:mm:ss"_s), invoice.turu, customer.vade, customer.saticino,
                         QString(u"İRS-"_s + QString::number(invoice.idno).rightJustified(6, u'0')),
                         when.date().toString(Qt::ISODate), u"Satış İrsaliyesi"_s, toInvoice.at(i).order + 1,
                         round2(gross), round2(discount), round2(base), round2(tax), invoice.total});
        for (const QVariantList &movement : std::as_const(movements))
            movementRows.add(movement);
        invoices.append(invoice);
    }

    for (BatchInserter *inserter : {&orderRows, &lineRows, &invoiceRows, &movementRows}) {
        if (auto done = inserter->finish(); !done)
            return done;
    }

    // Today's baskets: the demo dealers' first, a few other customers' after them.
    BatchInserter basket(context.db, u"sepet"_s,
                         {u"sirano"_s, u"carino"_s, u"stokno"_s, u"barkod"_s, u"stokadi"_s, u"miktar"_s, u"kdv"_s,
                          u"birimfiyat"_s, u"ind1"_s, u"ind2"_s, u"ind3"_s, u"ind4"_s, u"kampanya"_s, u"verenid"_s,
                          u"sec"_s, u"tarih"_s});
    if (!context.parts.isEmpty()) {
        for (int c = 0; c < std::min<qsizetype>(10, context.customers.size()); ++c) {
            const CustomerInfo &customer = context.customers.at(c);
            const int lines = c == 0   ? 4
                              : c == 1 ? 2
                              : c == 2 ? 1
                                       : (c >= 4 && random.percent(60) ? random.between(1, 3) : 0);
            for (int l = 0; l < lines; ++l) {
                const PartInfo &part = context.parts.at(random.below(int(context.parts.size())));
                const LinePrice price = priceFor(customer, part);
                ++lineNo;
                basket.add({lineNo, customer.carino, part.stokno, part.barkod, part.adi,
                            double(part.koliadet * random.between(1, 3)), part.kdv, price.price, price.ind[0],
                            price.ind[1], price.ind[2], price.ind[3], part.kampanya, customer.userSirano,
                            l < (lines + 1) / 2 ? 1 : 0,
                            timestamp(context.anchor.startOfDay().addSecs(9 * 3600 + l * 420))});
            }
        }
    }
    if (auto done = basket.finish(); !done)
        return done;

    return seedStatement(context, invoices);
}

} // namespace Seed
