#include "reports.h"

#include "orderlines.h"
#include "pdfs.h"

#include "appserver/store/sql.h"

#include <QDate>
#include <QList>
#include <QMap>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

// A table of the document: header cells, then rows; the columns in `numbers` are right-aligned.
class HtmlTable final
{
public:
    HtmlTable(const QStringList &headers, QList<int> numbers)
        : m_numbers(std::move(numbers))
    {
        m_html = u"<table width=\"100%\" cellpadding=\"2\" cellspacing=\"0\" border=\"0.5\"><tr>"_s;
        for (int c = 0; c < headers.size(); ++c)
            m_html += cell(u"th"_s, c, headers.at(c));
        m_html += u"</tr>"_s;
    }
    void row(const QStringList &cells, bool sum = false)
    {
        m_html += sum ? u"<tr class=\"sum\">"_s : u"<tr>"_s;
        for (int c = 0; c < cells.size(); ++c)
            m_html += cell(u"td"_s, c, cells.at(c));
        m_html += u"</tr>"_s;
        ++m_rows;
    }
    int rows() const { return m_rows; }
    QString html() const { return m_html + u"</table>"_s; }

private:
    QString cell(const QString &tag, int column, const QString &text) const
    {
        const QString align = m_numbers.contains(column) ? u" class=\"n\""_s : QString();
        return u"<"_s + tag + align + u'>' + html(text) + u"</"_s + tag + u'>';
    }
    static QString html(const QString &text) { return Methods::html(text); }

    QList<int> m_numbers;
    QString m_html;
    int m_rows = 0;
};

QString heading(const QString &title, const QString &subtitle)
{
    return u"<h1>"_s + html(title) + u"</h1><p class=\"note\">"_s + html(subtitle) + u"</p>"_s;
}

QString balanceText(double balance)
{
    const double rounded = round2(balance);
    return moneyText(std::abs(rounded)) + (rounded > 0 ? u" (B)"_s : rounded < 0 ? u" (A)"_s : QString());
}

QString nothing()
{
    return u"<p>Seçilen tarihlerde kayıt yok.</p>"_s;
}

// --- 6 with a customer: Cari Özeti
Protocol::Expected<QByteArray> customerSummary(const QSqlDatabase &db, int carino, const QString &day)
{
    auto card = Store::exec(db,
                            u"SELECT c.carikod, c.cariadi, COALESCE(sa.adi, ''), c.adres1, c.adres2, c.ilce, c.il,"
                            u" c.tel1, c.gsm, c.email, c.vergidairesi, c.vergino, c.yetkili, c.indirim, c.vade"
                            u" FROM cariler c LEFT JOIN saticilar sa ON sa.saticino = c.saticino WHERE c.carino = ?"_s,
                            {carino});
    if (!card)
        return card.error();
    if (!card->next())
        return Protocol::makeError(u"Cari bulunamadı: %1"_s.arg(carino));
    const auto v = [&](int i) { return card->value(i).toString(); };
    QString body = heading(u"Cari Özeti"_s, v(0) + u" - "_s + v(1) + u"  •  "_s + dateText(day) + u" itibarıyla"_s);

    HtmlTable info({u"Bilgi"_s, u"Değer"_s}, {});
    info.row({u"Temsilci"_s, v(2)});
    info.row({u"Adres"_s, v(3) + u' ' + v(4) + u' ' + v(5) + u" / "_s + v(6)});
    info.row({u"Telefon / Gsm"_s, v(7) + u" / "_s + v(8)});
    info.row({u"E-posta"_s, v(9)});
    info.row({u"Vergi Dairesi / No"_s, v(10) + u" / "_s + v(11)});
    info.row({u"Yetkili"_s, v(12)});
    info.row({u"İndirim % / Vade (Gün)"_s, QString::number(card->value(13).toDouble()) + u" / "_s + v(14)});
    body += info.html();

    auto moves = Store::exec(db,
                             u"SELECT tarih, turadi, evrakno, borc, alacak, aciklama FROM cari_hareketler"
                             u" WHERE carino = ? AND tarih <= ? ORDER BY tarih, idno"_s,
                             {carino, day});
    if (!moves)
        return moves.error();
    struct Move
    {
        QStringList cells;
    };
    QList<Move> all;
    double debit = 0, credit = 0;
    while (moves->next()) {
        debit += moves->value(3).toDouble();
        credit += moves->value(4).toDouble();
        all.append({{dateText(moves->value(0).toString()), moves->value(1).toString(), moves->value(2).toString(),
                     moneyText(moves->value(3).toDouble()), moneyText(moves->value(4).toDouble()),
                     balanceText(debit - credit)}});
    }
    body += u"<h2>Bakiye</h2>"_s;
    HtmlTable totals({u"Toplam Borç"_s, u"Toplam Alacak"_s, u"Bakiye"_s}, {0, 1, 2});
    totals.row({moneyText(debit), moneyText(credit), balanceText(debit - credit)}, true);
    body += totals.html();

    constexpr int kRecent = 15;
    body += u"<h2>Son Hareketler</h2>"_s;
    HtmlTable recent({u"Tarih"_s, u"Tür"_s, u"Evrak No"_s, u"Borç"_s, u"Alacak"_s, u"Bakiye"_s}, {3, 4, 5});
    for (qsizetype i = std::max<qsizetype>(0, all.size() - kRecent); i < all.size(); ++i)
        recent.row(all.at(i).cells);
    body += recent.rows() > 0 ? recent.html() : nothing();

    auto open = orderLines(db, u"s.carino = ? AND l.kalan > 0 AND s.tarih < ?"_s,
                           {carino, QDate::fromString(day, Qt::ISODate).addDays(1).toString(Qt::ISODate)});
    if (!open)
        return open.error();
    double openNet = 0;
    const int kalan = open->columnIndex(u"KALAN"), net = open->columnIndex(u"NETBIRIMFIYAT");
    for (int r = 0; r < open->rowCount(); ++r)
        openNet = round2(openNet + round2(open->number(r, kalan) * open->number(r, net)));
    body += u"<h2>Açık Sipariş Bakiyeleri</h2><p>"_s + QString::number(open->rowCount()) + u" satır, net tutarı "_s +
            moneyText(openNet) + u" TL.</p>"_s;
    return renderPdf(u"Cari Özeti"_s, body);
}

// --- 6 without a customer: Cari Toplu Alacak Vadeleri
Protocol::Expected<QByteArray> receivablesByDueDate(const QSqlDatabase &db, const Caller &caller,
                                                    const QString &repName, const QString &day)
{
    QString where = visibleCustomers(caller, u"c.carino"_s);
    QVariantList binds{visibleBind(caller)};
    if (!repName.isEmpty() && repName != u"."_s) {
        auto named = Store::scalar(db, u"SELECT saticino FROM saticilar WHERE UPPER(adi) = UPPER(?)"_s, {repName});
        if (!named)
            return named.error();
        if (named->isValid()) {
            where += u" AND c.saticino = ?"_s;
            binds.append(named->toInt());
        }
    }
    binds.append(day);
    auto query = Store::exec(db,
                             u"SELECT c.carino, c.carikod, c.cariadi, COALESCE(sa.adi, ''), h.borc, h.alacak,"
                             u" h.vade_tarihi FROM cariler c LEFT JOIN saticilar sa ON sa.saticino = c.saticino"
                             u" JOIN cari_hareketler h ON h.carino = c.carino WHERE "_s +
                                 where + u" AND h.tarih <= ? ORDER BY c.carikod, h.vade_tarihi, h.idno"_s,
                             binds);
    if (!query)
        return query.error();

    struct Customer
    {
        QString code, name, rep;
        QList<std::pair<QString, double>> debts; // due date, amount, in due order
        double credit = 0;
    };
    QList<Customer> customers;
    int current = -1;
    while (query->next()) {
        if (current != query->value(0).toInt()) {
            current = query->value(0).toInt();
            customers.append(
                {query->value(1).toString(), query->value(2).toString(), query->value(3).toString(), {}, 0});
        }
        Customer &c = customers.last();
        if (query->value(4).toDouble() > 0)
            c.debts.append({query->value(6).toString(), query->value(4).toDouble()});
        c.credit += query->value(5).toDouble();
    }

    const QDate asOf = QDate::fromString(day, Qt::ISODate);
    QString body = heading(u"Cari Toplu Alacak Vadeleri"_s, dateText(day) + u" itibarıyla"_s);
    HtmlTable table({u"Cari Kod"_s, u"Cari Adı"_s, u"Temsilci"_s, u"Bakiye"_s, u"Vadesi Geçmiş"_s, u"Vadesi Gelmemiş"_s,
                     u"En Eski Vade"_s, u"Gecikme (Gün)"_s},
                    {3, 4, 5, 7});
    double sumBalance = 0, sumOverdue = 0, sumUpcoming = 0;
    for (const Customer &c : std::as_const(customers)) {
        double credit = c.credit, overdue = 0, upcoming = 0, debit = 0;
        QString oldest;
        for (const auto &[due, amount] : c.debts) {
            debit += amount;
            const double settled = std::min(credit, amount);
            credit -= settled;
            const double left = round2(amount - settled);
            if (left <= 0)
                continue;
            if (due <= day) {
                overdue += left;
                if (oldest.isEmpty())
                    oldest = due;
            } else {
                upcoming += left;
            }
        }
        const double balance = round2(debit - c.credit);
        if (balance == 0)
            continue;
        const qint64 late = oldest.isEmpty() ? 0 : QDate::fromString(oldest, Qt::ISODate).daysTo(asOf);
        table.row({c.code, c.name, c.rep, balanceText(balance), moneyText(overdue), moneyText(upcoming),
                   oldest.isEmpty() ? QString() : dateText(oldest),
                   oldest.isEmpty() ? QString() : QString::number(late)});
        sumBalance += balance;
        sumOverdue += overdue;
        sumUpcoming += upcoming;
    }
    if (table.rows() == 0) {
        body += nothing();
    } else {
        table.row({u"Toplam"_s, QString(), QString(), balanceText(sumBalance), moneyText(sumOverdue),
                   moneyText(sumUpcoming), QString(), QString()},
                  true);
        body += table.html();
    }
    return renderPdf(u"Cari Toplu Alacak Vadeleri"_s, body);
}

// --- 7: Cari Alış Satış Tablosu (Satıcılı)
Protocol::Expected<QByteArray> salesByMonth(const QSqlDatabase &db, int carino, const DateRange &range)
{
    if (carino <= 0)
        return Protocol::makeError(u"Bu rapor için bir cari seçilmeli"_s);
    auto customer = Store::exec(db, u"SELECT carikod, cariadi FROM cariler WHERE carino = ?"_s, {carino});
    if (!customer)
        return customer.error();
    if (!customer->next())
        return Protocol::makeError(u"Cari bulunamadı: %1"_s.arg(carino));
    QString body = heading(u"Cari Alış Satış Tablosu (Satıcılı)"_s,
                           customer->value(0).toString() + u" - "_s + customer->value(1).toString() + u"  •  "_s +
                               dateText(range.from) + u" - "_s + dateText(range.to));

    struct Figures
    {
        int invoices = 0;
        double net = 0, tax = 0, total = 0, collected = 0;
    };
    QMap<std::pair<QString, QString>, Figures> byMonthAndRep; // (yyyy-MM, representative)
    if (!range.empty()) {
        auto invoices = Store::exec(db,
                                    u"SELECT f.tarih, COALESCE(sa.adi, ''), f.matrah, f.kdvtutar, f.kdvdahil"
                                    u" FROM faturalar f LEFT JOIN saticilar sa ON sa.saticino = f.saticino"
                                    u" WHERE f.carino = ? AND f.tarih >= ? AND f.tarih <= ?"_s,
                                    {carino, range.from, range.to});
        if (!invoices)
            return invoices.error();
        while (invoices->next()) {
            Figures &f = byMonthAndRep[{invoices->value(0).toString().left(7), invoices->value(1).toString()}];
            ++f.invoices;
            f.net += invoices->value(2).toDouble();
            f.tax += invoices->value(3).toDouble();
            f.total += invoices->value(4).toDouble();
        }
        auto collections =
            Store::exec(db,
                        u"SELECT h.tarih, COALESCE(sa.adi, ''), h.alacak - h.borc FROM cari_hareketler h"
                        u" JOIN cariler c ON c.carino = h.carino"
                        u" LEFT JOIN saticilar sa ON sa.saticino = c.saticino"
                        u" WHERE h.carino = ? AND h.tahsilat IS NOT NULL AND h.tarih >= ? AND h.tarih <= ?"_s,
                        {carino, range.from, range.to});
        if (!collections)
            return collections.error();
        while (collections->next())
            byMonthAndRep[{collections->value(0).toString().left(7), collections->value(1).toString()}].collected +=
                collections->value(2).toDouble();
    }

    HtmlTable table(
        {u"Ay"_s, u"Temsilci"_s, u"Fatura Adedi"_s, u"Net Satış"_s, u"KDV"_s, u"Toplam Satış"_s, u"Tahsilat"_s},
        {2, 3, 4, 5, 6});
    Figures sum;
    for (auto it = byMonthAndRep.cbegin(); it != byMonthAndRep.cend(); ++it) {
        const Figures &f = it.value();
        const QDate month = QDate::fromString(it.key().first + u"-01"_s, Qt::ISODate);
        table.row({month.toString(u"MM.yyyy"_s), it.key().second, QString::number(f.invoices), moneyText(f.net),
                   moneyText(f.tax), moneyText(f.total), moneyText(f.collected)});
        sum.invoices += f.invoices;
        sum.net += f.net;
        sum.tax += f.tax;
        sum.total += f.total;
        sum.collected += f.collected;
    }
    if (table.rows() == 0) {
        body += nothing();
    } else {
        table.row({u"Toplam"_s, QString(), QString::number(sum.invoices), moneyText(sum.net), moneyText(sum.tax),
                   moneyText(sum.total), moneyText(sum.collected)},
                  true);
        body += table.html();
    }
    return renderPdf(u"Cari Alış Satış Tablosu"_s, body);
}

} // namespace

Protocol::Expected<QByteArray> makeReport(const QSqlDatabase &db, const Caller &caller, const ReportRequest &request)
{
    switch (request.number) {
    case 6:
        if (request.carino > 0)
            return customerSummary(db, request.carino, request.range.from);
        return receivablesByDueDate(db, caller, request.repName, request.range.from);
    case 7: return salesByMonth(db, request.carino, request.range);
    default: return Protocol::makeError(u"Bilinmeyen rapor: %1"_s.arg(request.number));
    }
}

} // namespace Methods
