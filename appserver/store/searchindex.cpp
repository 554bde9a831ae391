#include "searchindex.h"

#include "folding.h"
#include "searchtexts.h"
#include "sql.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlQuery>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Store {

namespace {

const QString kStampKey = u"arama_dizini"_s;
constexpr int kInsertRows = 64;                 // index rows per INSERT statement
constexpr std::size_t kListsToIntersect = 3;    // the rarest pieces' lists are always intersected
constexpr std::size_t kDecodeToCheckRatio = 20; // a further list while it is at most this many times the candidates

bool isPostgres(const QSqlDatabase &db)
{
    return db.driverName() == u"QPSQL"_s;
}

// A piece of one to three ASCII characters as one number: the length above 21 bits of
// characters, so pieces of different lengths never meet.
constexpr std::uint32_t pieceKey(const char *c, int length)
{
    std::uint32_t key = std::uint32_t(length) << 21;
    for (int i = 0; i < length; ++i)
        key |= std::uint32_t(static_cast<unsigned char>(c[i])) << (7 * i);
    return key;
}

QString pieceText(std::uint32_t key)
{
    const int length = int(key >> 21);
    QString text;
    for (int i = 0; i < length; ++i)
        text.append(QLatin1Char(char((key >> (7 * i)) & 0x7f)));
    return text;
}

struct Postings
{
    int last = 0;
    int count = 0;
    std::string bytes;
};

void appendVarint(std::string &out, std::uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(char((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.push_back(char(value));
}

// Reads one varint; false at a truncated end.
bool readVarint(const unsigned char *&p, const unsigned char *end, std::uint32_t &value)
{
    value = 0;
    for (int shift = 0; p < end && shift < 35; shift += 7) {
        const unsigned char byte = *p++;
        value |= std::uint32_t(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

Protocol::Expected<QString> catalogueStamp(const QSqlDatabase &db)
{
    auto query = exec(db, u"SELECT COUNT(*), COALESCE(MAX(stokno), 0) FROM stoklar"_s);
    if (!query)
        return query.error();
    if (!query->next())
        return QString();
    return u"%1:%2"_s.arg(query->value(0).toLongLong()).arg(query->value(1).toLongLong());
}

Protocol::Expected<Protocol::Done> createTable(const QSqlDatabase &db)
{
    const QString bytes = isPostgres(db) ? u"BYTEA"_s : u"BLOB"_s;
    auto done = exec(db, u"CREATE TABLE IF NOT EXISTS arama_parcalari (parca TEXT PRIMARY KEY,"
                         u" adet INTEGER NOT NULL, liste "_s +
                             bytes + u" NOT NULL)"_s);
    if (!done)
        return done.error();
    return Protocol::Done{};
}

QString insertStatement(int rows)
{
    QString sql = u"INSERT INTO arama_parcalari (parca, adet, liste) VALUES "_s;
    for (int r = 0; r < rows; ++r)
        sql += r == 0 ? u"(?, ?, ?)"_s : u", (?, ?, ?)"_s;
    return sql;
}

std::vector<int> intersect(const std::vector<int> &candidates, const QByteArray &list)
{
    std::vector<int> out;
    auto p = reinterpret_cast<const unsigned char *>(list.constData());
    const auto end = p + list.size();
    std::uint32_t value = 0;
    std::size_t j = 0;
    while (p < end && j < candidates.size()) {
        std::uint32_t delta = 0;
        if (!readVarint(p, end, delta))
            break;
        value += delta;
        while (j < candidates.size() && std::uint32_t(candidates[j]) < value)
            ++j;
        if (j < candidates.size() && std::uint32_t(candidates[j]) == value) {
            out.push_back(candidates[j]);
            ++j;
        }
    }
    return out;
}

} // namespace

std::string encodePostings(const std::vector<int> &ascending)
{
    std::string out;
    int last = 0;
    for (const int value : ascending) {
        appendVarint(out, std::uint32_t(value - last));
        last = value;
    }
    return out;
}

std::vector<int> decodePostings(const char *data, std::size_t size, std::size_t limit)
{
    std::vector<int> out;
    auto p = reinterpret_cast<const unsigned char *>(data);
    const auto end = p + size;
    std::uint32_t value = 0;
    while (p < end && out.size() < limit) {
        std::uint32_t delta = 0;
        if (!readVarint(p, end, delta))
            break;
        value += delta;
        out.push_back(int(value));
    }
    return out;
}

Protocol::Expected<Protocol::Done> rebuildSearchIndex(const QSqlDatabase &db)
{
    if (auto done = createTable(db); !done)
        return done;
    if (auto done = exec(db, u"DELETE FROM arama_parcalari"_s); !done)
        return done.error();

    // Every piece gets a dense slot on first sight; the slot table covers all keys.
    std::vector<int> slotOf(std::size_t(1) << 23, -1);
    std::vector<std::uint32_t> keys;
    std::vector<Postings> lists;
    {
        auto rows = exec(db, u"SELECT stokno, arama FROM stoklar ORDER BY stokno"_s);
        if (!rows)
            return rows.error();
        while (rows->next()) {
            const int stokno = rows->value(0).toInt();
            const QString arama = rows->value(1).toString();
            const QByteArray text = arama.toLatin1();
            const char *c = text.constData();
            const int n = int(text.size());
            for (int i = 0; i < n; ++i) {
                for (int length = 1; length <= 3 && i + length <= n; ++length) {
                    const unsigned char last = static_cast<unsigned char>(c[i + length - 1]);
                    // Only ASCII pieces: the search column is folded, anything else is noise.
                    if (last == 0 || last >= 0x80 || arama.at(i + length - 1).unicode() >= 0x80)
                        break;
                    const std::uint32_t key = pieceKey(c + i, length);
                    int &slot = slotOf[key];
                    if (slot < 0) {
                        slot = int(lists.size());
                        lists.emplace_back();
                        keys.push_back(key);
                    }
                    Postings &list = lists[std::size_t(slot)];
                    if (list.count > 0 && list.last == stokno)
                        continue;
                    appendVarint(list.bytes, std::uint32_t(stokno - list.last));
                    list.last = stokno;
                    ++list.count;
                }
            }
        }
    }

    QSqlQuery full(db);
    if (!full.prepare(insertStatement(kInsertRows)))
        return Protocol::makeError(u"Veritabanı hatası: arama dizini yazılamadı"_s);
    std::size_t at = 0;
    while (at < lists.size()) {
        const int rows = int(std::min<std::size_t>(kInsertRows, lists.size() - at));
        QSqlQuery partial(db);
        QSqlQuery &query = rows == kInsertRows ? full : partial;
        if (rows != kInsertRows && !partial.prepare(insertStatement(rows)))
            return Protocol::makeError(u"Veritabanı hatası: arama dizini yazılamadı"_s);
        for (int r = 0; r < rows; ++r, ++at) {
            const Postings &list = lists[at];
            query.bindValue(3 * r, pieceText(keys[at]));
            query.bindValue(3 * r + 1, list.count);
            query.bindValue(3 * r + 2, QByteArray(list.bytes.data(), qsizetype(list.bytes.size())));
        }
        if (!query.exec())
            return Protocol::makeError(u"Veritabanı hatası: arama dizini yazılamadı"_s);
    }

    auto stamp = catalogueStamp(db);
    if (!stamp)
        return stamp.error();
    // The moment of the build makes every rebuild's stamp new, so the texts held in memory
    // for checking (searchtexts.h) are reloaded after it.
    auto saved = exec(db,
                      u"INSERT INTO settings (key, value) VALUES (?, ?)"
                      u" ON CONFLICT (key) DO UPDATE SET value = excluded.value"_s,
                      {kStampKey, QString(*stamp + u':' + QString::number(QDateTime::currentMSecsSinceEpoch()))});
    if (!saved)
        return saved.error();
    return Protocol::Done{};
}

Protocol::Expected<Protocol::Done> ensureSearchIndex(const QSqlDatabase &db)
{
    if (db.tables().contains(u"arama_parcalari"_s)) {
        auto stamp = catalogueStamp(db);
        if (!stamp)
            return stamp.error();
        auto saved = scalar(db, u"SELECT value FROM settings WHERE key = ?"_s, {kStampKey});
        if (!saved)
            return saved.error();
        if (saved->isValid() && saved->toString().startsWith(*stamp + u':'))
            return Protocol::Done{};
    }
    return rebuildSearchIndex(db);
}

Protocol::Expected<std::vector<int>> searchParts(const QSqlDatabase &db, const QString &text, int limit)
{
    std::vector<int> found;
    if (limit <= 0)
        return found;
    const QString term = foldForSearch(text).trimmed();
    if (term.size() > kMaxSearchTextLength)
        return found;
    for (const QChar c : term) {
        if (c.unicode() == 0 || c.unicode() >= 0x80)
            return found; // no part's search column has it
    }

    if (term.isEmpty()) {
        auto query = exec(db, u"SELECT stokno FROM stoklar ORDER BY stokno LIMIT ?"_s, {limit});
        if (!query)
            return query.error();
        while (query->next())
            found.push_back(query->value(0).toInt());
        return found;
    }

    if (term.size() <= 3) {
        // The text is one piece: its list is the answer.
        auto list = scalar(db, u"SELECT liste FROM arama_parcalari WHERE parca = ?"_s, {term});
        if (!list)
            return list.error();
        const QByteArray bytes = list->toByteArray();
        return decodePostings(bytes.constData(), std::size_t(bytes.size()), std::size_t(limit));
    }

    // A longer text: its distinct three-character pieces, the rarest ones' lists intersected.
    QStringList pieces;
    for (qsizetype i = 0; i + 3 <= term.size(); ++i) {
        const QString piece = term.mid(i, 3);
        if (!pieces.contains(piece))
            pieces.append(piece);
    }
    // Counts first (small rows), then only the lists that are read.
    QString sql = u"SELECT parca, adet FROM arama_parcalari WHERE parca IN ("_s;
    QVariantList binds;
    for (const QString &piece : std::as_const(pieces)) {
        sql += binds.isEmpty() ? u"?"_s : u",?"_s;
        binds.append(piece);
    }
    sql += u")"_s;
    auto counts = exec(db, sql, binds);
    if (!counts)
        return counts.error();
    std::vector<std::pair<int, QString>> byCount;
    while (counts->next())
        byCount.emplace_back(counts->value(1).toInt(), counts->value(0).toString());
    if (byCount.size() < std::size_t(pieces.size()))
        return found; // a piece no part has
    std::sort(byCount.begin(), byCount.end());
    const auto listOf = [&](std::size_t i) -> Protocol::Expected<QByteArray> {
        auto list = scalar(db, u"SELECT liste FROM arama_parcalari WHERE parca = ?"_s, {byCount[i].second});
        if (!list)
            return list.error();
        return list->toByteArray();
    };
    auto rarest = listOf(0);
    if (!rarest)
        return rarest.error();
    std::vector<int> candidates = decodePostings(rarest->constData(), std::size_t(rarest->size()));
    // The next rarest lists while they are worth reading: the first few always, then one
    // that is not much longer than what it could remove (a list entry costs far less to
    // decode than a candidate to check, hence the factor).
    for (std::size_t i = 1; i < byCount.size() && !candidates.empty(); ++i) {
        if (i >= kListsToIntersect && std::size_t(byCount[i].first) > kDecodeToCheckRatio * candidates.size())
            break;
        auto list = listOf(i);
        if (!list)
            return list.error();
        candidates = intersect(candidates, *list);
    }
    if (candidates.empty())
        return found;

    // Having every piece does not make the text a substring: check each candidate's text.
    auto stamp = scalar(db, u"SELECT value FROM settings WHERE key = ?"_s, {kStampKey});
    if (!stamp)
        return stamp.error();
    auto texts = SearchTexts::current(db, stamp->toString());
    if (!texts)
        return texts.error();
    const std::string needle = term.toStdString();
    for (const int stokno : candidates) {
        if ((*texts)->text(stokno).find(needle) == std::string_view::npos)
            continue;
        found.push_back(stokno);
        if (found.size() == std::size_t(limit))
            break;
    }
    return found;
}

} // namespace Store
