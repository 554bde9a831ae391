#pragma once

// Answers kept for requests that come again: the catalogue lists are asked for the same
// texts by many users all day, while the parts and prices behind them change a few times a
// day. An answer is kept with the data versions it was made at (Store::DataVersions::all)
// and given again only while they are unchanged, for exactly the same method and request
// body (which carries the session record, so one user never gets another's answer).
//
// Least recently used answers leave first once the kept bytes pass the capacity; an answer
// larger than a quarter of it is not kept.

#include <QtGlobal>

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace Http {

class AnswerCache final
{
public:
    using Body = std::shared_ptr<const std::string>;

    explicit AnswerCache(std::size_t capacityBytes);

    // The kept answer of this request at this version, or null.
    Body find(std::string_view method, std::string_view request, qint64 version);
    void keep(std::string_view method, std::string_view request, qint64 version, Body answer);

    std::size_t keptBytes() const;
    std::size_t keptCount() const;

private:
    struct Entry
    {
        std::string key;
        qint64 version = -1;
        Body answer;
    };
    static std::string keyOf(std::string_view method, std::string_view request);
    void dropOldest();

    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::list<Entry> m_order; // most recently used first
    std::unordered_map<std::string_view, std::list<Entry>::iterator> m_index; // keys point into m_order
    std::size_t m_bytes = 0;
};

} // namespace Http
