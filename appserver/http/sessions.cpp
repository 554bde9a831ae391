#include "sessions.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QtEndian>

#include <charconv>

namespace Http {

namespace {

constexpr auto kBase64 = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;
constexpr qsizetype kPayloadBytes = 16; // expiry (8) + nonce (8)
constexpr qsizetype kMacBytes = 16;

bool equalConstantTime(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

std::string_view sessionIdFromPragma(std::string_view pragma)
{
    constexpr std::string_view key = "dssession=";
    while (!pragma.empty()) {
        const auto comma = pragma.find(',');
        const std::string_view item = trimmed(pragma.substr(0, comma));
        if (startsWithNoCase(item, key))
            return trimmed(item.substr(key.size()));
        if (comma == std::string_view::npos)
            break;
        pragma.remove_prefix(comma + 1);
    }
    return {};
}

SessionKeys::SessionKeys(QByteArray secret, std::chrono::seconds lifetime)
    : m_secret(std::move(secret))
    , m_lifetime(lifetime)
{
    if (m_secret.isEmpty()) {
        m_secret.resize(32);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(m_secret.data()), 8);
    }
}

QByteArray SessionKeys::mac(QByteArrayView payload) const
{
    return QMessageAuthenticationCode::hash(payload.toByteArray(), m_secret, QCryptographicHash::Sha256)
        .left(kMacBytes);
}

std::string SessionKeys::makeId(qint64 expiresAtMs, quint64 nonce) const
{
    char payload[kPayloadBytes];
    qToBigEndian<qint64>(expiresAtMs, payload);
    qToBigEndian<quint64>(nonce, payload + 8);
    const QByteArrayView view(payload, kPayloadBytes);
    const QByteArray id = view.toByteArray().toBase64(kBase64) + '.' + mac(view).toBase64(kBase64);
    return id.toStdString();
}

std::string SessionKeys::issue() const
{
    const qint64 lifetime = m_lifetime.count();
    std::string out = "dssession=";
    out += makeId(QDateTime::currentMSecsSinceEpoch() + lifetime, QRandomGenerator::global()->generate64());
    out += ",dssessionexpires=";
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, lifetime);
    out.append(buf, res.ptr);
    return out;
}

SessionKeys::State SessionKeys::check(std::string_view pragma) const
{
    const std::string_view id = sessionIdFromPragma(pragma);
    if (id.empty())
        return State::Absent;
    const auto dot = id.find('.');
    if (dot == std::string_view::npos)
        return State::Invalid;
    const auto decode = [](std::string_view part) {
        return QByteArray::fromBase64Encoding(QByteArray(part.data(), qsizetype(part.size())),
                                              QByteArray::Base64UrlEncoding
                                                  | QByteArray::AbortOnBase64DecodingErrors);
    };
    const auto payload = decode(id.substr(0, dot));
    const auto signature = decode(id.substr(dot + 1));
    if (!payload || !signature || payload.decoded.size() != kPayloadBytes)
        return State::Invalid;
    if (!equalConstantTime(mac(*payload), *signature))
        return State::Invalid;
    const qint64 remaining = qFromBigEndian<qint64>(payload.decoded.constData()) - QDateTime::currentMSecsSinceEpoch();
    if (remaining <= 0)
        return State::Invalid;
    return remaining < m_lifetime.count() / 2 ? State::Renew : State::Valid;
}

} // namespace Http
