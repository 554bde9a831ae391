#include "searchtexts.h"

#include "sql.h"

#include <QHash>

#include <mutex>

using namespace Qt::StringLiterals;

namespace Store {

namespace {

struct Loaded
{
    QString stamp;
    std::shared_ptr<const SearchTexts> texts;
};

std::mutex g_mutex;
QHash<QString, Loaded> g_loaded; // by database (driver, name, host, port)

} // namespace

Protocol::Expected<std::shared_ptr<const SearchTexts>> SearchTexts::current(const QSqlDatabase &db,
                                                                            const QString &stamp)
{
    const QString key = databaseIdentity(db);
    // Loading holds the lock: a second search of the same moment waits for the one load.
    std::lock_guard lock(g_mutex);
    if (const auto it = g_loaded.constFind(key); it != g_loaded.cend() && it->stamp == stamp)
        return it->texts;

    auto rows = exec(db, u"SELECT stokno, arama FROM stoklar ORDER BY stokno"_s);
    if (!rows)
        return rows.error();
    auto texts = std::make_shared<SearchTexts>();
    while (rows->next()) {
        const int stokno = rows->value(0).toInt();
        if (stokno <= 0 || std::size_t(stokno) < texts->m_start.size())
            continue; // not a key the index can hold
        texts->m_start.resize(std::size_t(stokno) + 1, std::uint32_t(texts->m_blob.size()));
        texts->m_blob += rows->value(1).toString().toStdString();
    }
    texts->m_start.push_back(std::uint32_t(texts->m_blob.size())); // the end of the last text
    g_loaded.insert(key, {stamp, texts});
    return std::shared_ptr<const SearchTexts>(texts);
}

std::string_view SearchTexts::text(int stokno) const
{
    if (stokno <= 0 || std::size_t(stokno) + 1 >= m_start.size())
        return {};
    const std::uint32_t from = m_start[std::size_t(stokno)];
    return std::string_view(m_blob).substr(from, m_start[std::size_t(stokno) + 1] - from);
}

} // namespace Store
