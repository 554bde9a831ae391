#include "partsnapshot.h"

#include "appserver/store/dataversions.h"
#include "appserver/store/sql.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <mutex>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

struct Loaded
{
    qint64 version = -1;
    std::shared_ptr<const PartSnapshot> snapshot;
};

std::mutex g_mutex;
QHash<QString, Loaded> g_loaded; // by database (driver, name, host, port)

// The text columns in PartSnapshot::Text order.
constexpr const char *kTextColumns[PartSnapshot::TextCount] = {
    "oem1",     "oem2",  "oem3",  "barkod",  "oemno",   "adi",     "model", "marka", "oem4",
    "finishkod", "ureticikodu", "digeradi", "dpkod", "birim", "anagrup", "ozelkod", "pkod",
};

constexpr int kNumbers = 12; // the columns before the texts in the query below

QString selectSql(const QSqlDatabase &db)
{
    // Text is read as its UTF-8 bytes: the answer tables keep UTF-8, so the texts skip two
    // conversions on the way in and every list skips them on the way out.
    const bool postgres = db.driverName() == u"QPSQL"_s;
    QStringList columns = {u"stokno, barkodno, resim, kdv, kampanya, yeni, durum, durum2,"
                           u" fiyat, kampfiyat, kalan, verilensiparis"_s};
    for (const char *column : kTextColumns) {
        const QString name = QString::fromLatin1(column);
        columns.append(postgres ? u"convert_to("_s + name + u", 'UTF8')"_s : u"CAST("_s + name + u" AS BLOB)"_s);
    }
    return u"SELECT "_s + columns.join(u", "_s) + u" FROM stoklar ORDER BY stokno"_s;
}

} // namespace

Protocol::Expected<std::shared_ptr<const PartSnapshot>> PartSnapshot::current(const QSqlDatabase &db)
{
    // The number first: what is read after it is at least as new as the number it is kept with.
    auto versions = Store::dataVersions(db);
    if (!versions)
        return versions.error();
    const QString key = Store::databaseIdentity(db);
    // Loading holds the lock: a second list of the same moment waits for the one load.
    std::lock_guard lock(g_mutex);
    if (const auto it = g_loaded.constFind(key); it != g_loaded.cend() && it->version == versions->catalogue)
        return it->snapshot;

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(selectSql(db)))
        return Protocol::makeError(u"Veritabanı hatası: stoklar okunamadı"_s);
    auto snapshot = std::make_shared<PartSnapshot>();
    QHash<QString, int> nameIds;
    const auto idOf = [&](const QString &name) {
        const auto found = nameIds.constFind(name);
        if (found != nameIds.cend())
            return *found;
        const int id = int(snapshot->m_names.size());
        snapshot->m_names.push_back(name);
        nameIds.insert(name, id);
        return id;
    };
    while (query.next()) {
        Part part;
        part.stokno = query.value(0).toInt();
        part.barkodno = query.value(1).toLongLong();
        part.resim = query.value(2).toInt();
        part.kdv = query.value(3).toInt();
        part.kampanya = query.value(4).toInt();
        part.yeni = query.value(5).toInt();
        part.durum = query.value(6).toInt();
        part.durum2 = query.value(7).toInt();
        part.fiyat = query.value(8).toDouble();
        part.kampfiyat = query.value(9).toDouble();
        part.kalan = query.value(10).toDouble();
        part.verilensiparis = query.value(11).toDouble();
        if (snapshot->m_blob.size() > std::size_t(UINT32_MAX) / 2)
            return Protocol::makeError(u"Stok listesi belleğe sığmıyor"_s);
        part.textStart = std::uint32_t(snapshot->m_blob.size());
        for (int t = 0; t < TextCount; ++t) {
            const QByteArray bytes = query.value(kNumbers + t).toByteArray();
            snapshot->m_blob.append(bytes.constData(), std::size_t(bytes.size()));
            part.textEnd[std::size_t(t)] = std::uint32_t(snapshot->m_blob.size());
        }
        part.markaId = idOf(QString::fromUtf8(snapshot->text(part, Marka)));
        part.anagrupId = idOf(QString::fromUtf8(snapshot->text(part, AnaGrup)));
        snapshot->m_parts.push_back(part);
    }
    if (query.lastError().isValid())
        return Protocol::makeError(u"Veritabanı hatası: stoklar okunamadı"_s);

    // A direct table from stock number to part while the numbers are dense enough for it.
    const std::size_t count = snapshot->m_parts.size();
    const int highest = count ? snapshot->m_parts.back().stokno : 0;
    if (highest > 0 && std::size_t(highest) <= 4 * count + 1000000) {
        snapshot->m_byStokno.assign(std::size_t(highest) + 1, -1);
        for (std::size_t i = 0; i < count; ++i) {
            if (snapshot->m_parts[i].stokno > 0)
                snapshot->m_byStokno[std::size_t(snapshot->m_parts[i].stokno)] = int(i);
        }
    }
    g_loaded.insert(key, {versions->catalogue, snapshot});
    return std::shared_ptr<const PartSnapshot>(snapshot);
}

const PartSnapshot::Part *PartSnapshot::find(int stokno) const
{
    if (!m_byStokno.empty()) {
        if (stokno <= 0 || std::size_t(stokno) >= m_byStokno.size())
            return nullptr;
        const int at = m_byStokno[std::size_t(stokno)];
        return at < 0 ? nullptr : &m_parts[std::size_t(at)];
    }
    const auto it = std::lower_bound(m_parts.begin(), m_parts.end(), stokno,
                                     [](const Part &part, int number) { return part.stokno < number; });
    return it != m_parts.end() && it->stokno == stokno ? &*it : nullptr;
}

std::string_view PartSnapshot::text(const Part &part, Text which) const
{
    const std::uint32_t from = which == 0 ? part.textStart : part.textEnd[std::size_t(which) - 1];
    return std::string_view(m_blob).substr(from, part.textEnd[std::size_t(which)] - from);
}

int PartSnapshot::nameId(const QString &name) const
{
    const auto it = std::find(m_names.begin(), m_names.end(), name);
    return it == m_names.end() ? -1 : int(it - m_names.begin());
}

} // namespace Methods
