#pragma once

// The body of the server's answers: text of its own, or an answer kept for many requests
// (AnswerCache), which is sent from where it is kept instead of being copied for each one.

#include <boost/asio/buffer.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/optional/optional.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace Http {

struct AnswerBody
{
    class value_type
    {
    public:
        value_type() = default;
        value_type &operator=(std::string text)
        {
            m_text = std::move(text);
            m_shared.reset();
            return *this;
        }
        void assign(const char *data, std::size_t size)
        {
            m_text.assign(data, size);
            m_shared.reset();
        }
        void share(std::shared_ptr<const std::string> kept)
        {
            m_text.clear();
            m_shared = std::move(kept);
        }
        void clear()
        {
            m_text.clear();
            m_shared.reset();
        }
        const std::string &text() const { return m_shared ? *m_shared : m_text; }
        std::size_t size() const { return text().size(); }

    private:
        std::string m_text;
        std::shared_ptr<const std::string> m_shared;
    };

    static std::uint64_t size(const value_type &body) { return body.size(); }

    class writer
    {
    public:
        using const_buffers_type = boost::asio::const_buffer;

        template<bool isRequest, class Fields>
        explicit writer(const boost::beast::http::header<isRequest, Fields> &, const value_type &body)
            : m_body(body)
        {}
        void init(boost::beast::error_code &ec) { ec = {}; }
        boost::optional<std::pair<const_buffers_type, bool>> get(boost::beast::error_code &ec)
        {
            ec = {};
            const std::string &text = m_body.text();
            return {{const_buffers_type(text.data(), text.size()), false}};
        }

    private:
        const value_type &m_body;
    };
};

} // namespace Http
