#pragma once

#include <QByteArray>

#include <chrono>
#include <string>
#include <string_view>

namespace Http {

// DataSnap session ids without a session table: an id carries its own expiry and an HMAC
// over it, so every instance that shares the secret accepts the ids of every other one
// and a restart does not have to remember anything. Sessions hold no business state.
class SessionKeys final
{
public:
    enum class State {
        Absent,  // the request names no session
        Valid,
        Renew,   // valid, but past half its life: hand out a fresh one
        Invalid, // unknown, forged or expired
    };

    // An empty secret gets a random one: sessions then live as long as this process.
    SessionKeys(QByteArray secret, std::chrono::seconds lifetime);

    // pragma: the request's Pragma header ("dssession=ID" among other directives).
    State check(std::string_view pragma) const;
    // The value of the answer's Pragma header: "dssession=ID,dssessionexpires=MS".
    std::string issue() const;

    // Exposed for tests of the format: the id for a given expiry (ms since the epoch).
    std::string makeId(qint64 expiresAtMs, quint64 nonce) const;

private:
    QByteArray mac(QByteArrayView payload) const;

    QByteArray m_secret;
    std::chrono::milliseconds m_lifetime;
};

// The dssession value of a Pragma header, or empty.
std::string_view sessionIdFromPragma(std::string_view pragma);

} // namespace Http
