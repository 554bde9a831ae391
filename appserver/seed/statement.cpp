// Demo account movements: opening balances, collections (cash, card through the payment
// page with its receipt, cheques, transfers), the odd payment to a customer, and the
// statement that lists them with the invoices; the customers' balances are their sums.

#include "batch.h"
#include "context.h"
#include "random.h"

#include <QSqlQuery>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Seed {

namespace {

struct Collection
{
    int carino = 0;
    QDateTime when;
    QString type; // "Tahsilat" (from the customer) or "Tediye" (to the customer)
    QString kind; // Nakit, Kredi Kartı, Çek, Havale
    double amount = 0;
    int id = 0;
};

struct Movement
{
    int carino = 0;
    QDateTime when;
    QString type;
    QString document;
    double debit = 0;
    double credit = 0;
    QDate due;
    QString note;
    QVariant invoice;
    QVariant collection;
};

const QString kKinds[] = {u"Nakit"_s, u"Kredi Kartı"_s, u"Kredi Kartı"_s, u"Çek"_s, u"Havale"_s, u"Havale"_s};

QVariant nullInt()
{
    return QVariant(QMetaType::fromType<int>());
}

} // namespace

Protocol::Expected<Protocol::Done> seedStatement(Context &context, const QList<InvoiceSummary> &invoices)
{
    Random random(0x5EED0004);
    const QDateTime endOfToday = context.anchor.startOfDay().addSecs(18 * 3600);
    QList<Collection> collections;
    QList<Movement> movements;

    for (const CustomerInfo &customer : std::as_const(context.customers)) {
        if (random.percent(70)) {
            Movement opening;
            opening.carino = customer.carino;
            opening.when = context.anchor.startOfDay().addDays(-200).addSecs(9 * 3600);
            opening.type = u"Devir"_s;
            opening.document = u"DVR-"_s + QString::number(customer.carino);
            opening.debit = round2(random.between(0, 400) * 50.0);
            opening.due = opening.when.date();
            opening.note = u"Önceki dönemden devir"_s;
            movements.append(opening);
            if (opening.debit > 0)
                collections.append({customer.carino, opening.when.addDays(random.between(10, 40)), u"Tahsilat"_s,
                                    u"Havale"_s, opening.debit, 0});
        }
        if (random.percent(15))
            collections.append({customer.carino, endOfToday.addDays(-random.between(5, 150)), u"Tediye"_s, u"Havale"_s,
                                round2(random.between(2, 20) * 50.0), 0});
    }
    for (const InvoiceSummary &invoice : invoices) {
        Movement m;
        m.carino = invoice.carino;
        m.when = invoice.when;
        m.type = invoice.turu;
        m.document = invoice.evrakno;
        (invoice.credit ? m.credit : m.debit) = invoice.total;
        m.due = invoice.when.date().addDays(invoice.vade);
        m.invoice = invoice.idno;
        m.collection = nullInt();
        movements.append(m);
        // Most invoices are paid, some in part, some not yet.
        if (!random.percent(75))
            continue;
        const QDateTime paid = invoice.when.addDays(random.between(3, std::max(4, invoice.vade)));
        if (paid > endOfToday)
            continue;
        const double share = random.percent(80) ? 1.0 : 0.5;
        collections.append(
            {invoice.carino, paid, u"Tahsilat"_s, random.pick(kKinds), round2(std::floor(invoice.total * share)), 0});
    }
    std::stable_sort(collections.begin(), collections.end(),
                     [](const Collection &a, const Collection &b) { return a.when < b.when; });

    BatchInserter collectionRows(context.db, u"tahsilatlar"_s,
                                 {u"id"_s, u"carino"_s, u"tarih"_s, u"saat"_s, u"turu"_s, u"evrakno"_s, u"aciklama"_s});
    BatchInserter collectionLines(context.db, u"tahsilat_satirlari"_s,
                                  {u"tahsilat"_s, u"cins"_s, u"vade"_s, u"tutar"_s, u"kur"_s, u"kurtl"_s,
                                   u"doviz_tutar"_s, u"ref"_s, u"aciklama"_s});
    BatchInserter cardRows(context.db, u"sanalpos"_s,
                           {u"sirano"_s, u"tahsilat"_s, u"carino"_s, u"tarih"_s, u"tutar"_s, u"kart_sahibi"_s,
                            u"kart_no"_s, u"onay_kodu"_s, u"pdf"_s});
    collectionLines.dependsOn(collectionRows);
    cardRows.dependsOn(collectionRows);
    int cardNo = 0;
    for (int i = 0; i < collections.size(); ++i) {
        Collection &c = collections[i];
        c.id = i + 1;
        const CustomerInfo &customer = context.customers.at(c.carino - 1);
        const QString document =
            (c.type == u"Tediye"_s ? u"TED-"_s : u"TAH-"_s) + QString::number(c.id).rightJustified(6, u'0');
        const QString date = c.when.date().toString(Qt::ISODate);
        const QString time = c.when.time().toString(u"HH:mm:ss"_s);
        const QString note = c.type == u"Tediye"_s ? u"Fazla ödeme iadesi"_s : c.kind + u" ile tahsilat"_s;
        collectionRows.add({c.id, c.carino, date, time, c.type, document, note});
        if (c.kind == u"Çek"_s && c.amount >= 100) {
            // Two cheques with their own due dates.
            const double first = round2(std::floor(c.amount / 2));
            collectionLines.add({c.id, c.kind, c.when.date().addDays(30).toString(Qt::ISODate), first, u"TL"_s, 1.0,
                                 0.0, QString::number(100000 + c.id * 2), u"1. çek"_s});
            collectionLines.add({c.id, c.kind, c.when.date().addDays(60).toString(Qt::ISODate),
                                 round2(c.amount - first), u"TL"_s, 1.0, 0.0, QString::number(100001 + c.id * 2),
                                 u"2. çek"_s});
        } else {
            collectionLines.add({c.id, c.kind, date, c.amount, u"TL"_s, 1.0, 0.0, QString(), note});
        }
        if (c.kind == u"Kredi Kartı"_s && c.type == u"Tahsilat"_s) {
            ++cardNo;
            const QString card = u"5890 **** **** "_s + QString::number(1000 + random.below(9000));
            const QString approval = QString::number(100000 + random.below(900000));
            const QStringList receipt = {
                u"Tarih: "_s + date + u' ' + time,
                u"Cari: "_s + customer.carikod + u" - "_s + customer.cariadi,
                u"Kart: "_s + card,
                u"Tutar: "_s + QString::number(c.amount, 'f', 2) + u" TL"_s,
                u"Onay kodu: "_s + approval,
                u"Belge: "_s + document,
            };
            cardRows.add({cardNo, c.id, c.carino, u"%1 %2"_s.arg(date, time), c.amount, customer.cariadi, card,
                          approval, simplePdf(u"Sanal Pos Tahsilat Makbuzu"_s, receipt)});
        }
        Movement m;
        m.carino = c.carino;
        m.when = c.when;
        m.type = c.type;
        m.document = document;
        (c.type == u"Tediye"_s ? m.debit : m.credit) = c.amount;
        m.due = c.when.date();
        m.note = note;
        m.invoice = nullInt();
        m.collection = c.id;
        movements.append(m);
    }
    for (BatchInserter *inserter : {&collectionRows, &collectionLines, &cardRows}) {
        if (auto done = inserter->finish(); !done)
            return done;
    }

    std::stable_sort(movements.begin(), movements.end(), [](const Movement &a, const Movement &b) {
        return a.when != b.when ? a.when < b.when : a.carino < b.carino;
    });
    BatchInserter statement(context.db, u"cari_hareketler"_s,
                            {u"idno"_s, u"carino"_s, u"tarih"_s, u"vade_tarihi"_s, u"turadi"_s, u"evrakno"_s, u"borc"_s,
                             u"alacak"_s, u"kur"_s, u"aciklama"_s, u"fatura"_s, u"tahsilat"_s});
    QMap<int, std::pair<double, double>> totals;
    for (int i = 0; i < movements.size(); ++i) {
        const Movement &m = movements.at(i);
        statement.add({i + 1, m.carino, m.when.date().toString(Qt::ISODate), m.due.toString(Qt::ISODate), m.type,
                       m.document, m.debit, m.credit, u"TL"_s, m.note, m.invoice.isValid() ? m.invoice : nullInt(),
                       m.collection.isValid() ? m.collection : nullInt()});
        totals[m.carino].first += m.debit;
        totals[m.carino].second += m.credit;
    }
    if (auto done = statement.finish(); !done)
        return done;

    QSqlQuery balance(context.db);
    if (!balance.prepare(u"UPDATE cariler SET tlborc = ?, tlalacak = ? WHERE carino = ?"_s))
        return Protocol::makeError(u"Örnek veri yazılamadı: cari bakiyeleri"_s);
    for (auto it = totals.cbegin(); it != totals.cend(); ++it) {
        balance.bindValue(0, round2(it.value().first));
        balance.bindValue(1, round2(it.value().second));
        balance.bindValue(2, it.key());
        if (!balance.exec())
            return Protocol::makeError(u"Örnek veri yazılamadı: cari bakiyeleri"_s);
    }
    return Protocol::Done{};
}

} // namespace Seed
