#include "answercache.h"

namespace Http {

AnswerCache::AnswerCache(std::size_t capacityBytes)
    : m_capacity(capacityBytes)
{}

std::string AnswerCache::keyOf(std::string_view method, std::string_view request)
{
    std::string key;
    key.reserve(method.size() + 1 + request.size());
    key.append(method);
    key.push_back('\n'); // a method name never holds a line break
    key.append(request);
    return key;
}

AnswerCache::Body AnswerCache::find(std::string_view method, std::string_view request, qint64 version)
{
    thread_local std::string key;
    key.assign(method);
    key.push_back('\n');
    key.append(request);
    std::lock_guard lock(m_mutex);
    const auto it = m_index.find(std::string_view(key));
    if (it == m_index.end())
        return nullptr;
    if (it->second->version != version) {
        // Made from data that has changed since: it will not be right again.
        m_bytes -= it->second->key.size() + it->second->answer->size();
        m_order.erase(it->second);
        m_index.erase(it);
        return nullptr;
    }
    m_order.splice(m_order.begin(), m_order, it->second);
    return it->second->answer;
}

void AnswerCache::keep(std::string_view method, std::string_view request, qint64 version, Body answer)
{
    if (!answer)
        return;
    std::string key = keyOf(method, request);
    const std::size_t size = key.size() + answer->size();
    if (size > m_capacity / 4)
        return;
    std::lock_guard lock(m_mutex);
    if (const auto it = m_index.find(std::string_view(key)); it != m_index.end()) {
        m_bytes -= it->second->key.size() + it->second->answer->size();
        m_order.erase(it->second);
        m_index.erase(it);
    }
    m_order.push_front(Entry{std::move(key), version, std::move(answer)});
    m_index.emplace(std::string_view(m_order.front().key), m_order.begin());
    m_bytes += size;
    while (m_bytes > m_capacity && !m_order.empty())
        dropOldest();
}

void AnswerCache::dropOldest()
{
    const Entry &oldest = m_order.back();
    m_bytes -= oldest.key.size() + oldest.answer->size();
    m_index.erase(std::string_view(oldest.key));
    m_order.pop_back();
}

std::size_t AnswerCache::keptBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_bytes;
}

std::size_t AnswerCache::keptCount() const
{
    std::lock_guard lock(m_mutex);
    return m_order.size();
}

} // namespace Http
