#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace Protocol {

// The one error type of calls that can fail in normal use: its text is what the user sees.
struct Error
{
    QString message;
};

// A small stand-in for std::expected (C++23), enough for results that are a value or an Error.
template<typename T>
class [[nodiscard]] Expected final
{
public:
    Expected(T value) : m_data(std::in_place_index<0>, std::move(value)) {}
    Expected(Error error) : m_data(std::in_place_index<1>, std::move(error)) {}

    bool has_value() const { return m_data.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T &value() & { return std::get<0>(m_data); }
    const T &value() const & { return std::get<0>(m_data); }
    T &&value() && { return std::get<0>(std::move(m_data)); }
    T &operator*() & { return value(); }
    const T &operator*() const & { return value(); }
    T *operator->() { return &value(); }
    const T *operator->() const { return &value(); }

    const Error &error() const { return std::get<1>(m_data); }

private:
    std::variant<T, Error> m_data;
};

// For operations whose success carries no value.
struct Done
{};

inline Error makeError(QString message)
{
    return Error{std::move(message)};
}

} // namespace Protocol
