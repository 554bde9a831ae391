#include "appserver/http/sessions.h"

#include <QDateTime>

#include <gtest/gtest.h>

using Http::SessionKeys;
using State = SessionKeys::State;
using namespace std::chrono_literals;

namespace {

std::string pragmaFor(const std::string &id)
{
    return "dssession=" + id;
}

TEST(SessionKeys, IssuedIdIsAcceptedAndCarriesItsLifetime)
{
    const SessionKeys keys("secret", 1200s);
    const std::string pragma = keys.issue();
    ASSERT_TRUE(pragma.starts_with("dssession=")) << pragma;
    EXPECT_TRUE(pragma.ends_with(",dssessionexpires=1200000")) << pragma;
    // The id itself must survive being cut at the first comma and contain no '='.
    const std::string_view id = Http::sessionIdFromPragma(pragma);
    EXPECT_EQ(id.find_first_of(",= "), std::string_view::npos) << id;
    EXPECT_EQ(keys.check(pragma), State::Valid);
    EXPECT_EQ(keys.check(pragmaFor(std::string(id))), State::Valid);
}

TEST(SessionKeys, RefusesWhatItDidNotIssueOrWhatHasRunOut)
{
    const SessionKeys keys("secret", 1200s);
    const SessionKeys otherInstanceKeys("another secret", 1200s);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const std::string good = keys.makeId(now + 600'000 + 60'000, 7);
    std::string tamperedPayload = good;
    tamperedPayload[3] = tamperedPayload[3] == 'A' ? 'B' : 'A';
    std::string tamperedMac = good;
    const std::size_t macStart = good.find('.') + 1;
    tamperedMac[macStart] = tamperedMac[macStart] == 'A' ? 'B' : 'A';

    const struct
    {
        const char *what;
        std::string id;
        State expected;
    } cases[] = {
        {"valid, more than half its life left", good, State::Valid},
        {"valid, less than half its life left", keys.makeId(now + 60'000, 7), State::Renew},
        {"expired a moment ago", keys.makeId(now - 1, 7), State::Invalid},
        {"payload changed", tamperedPayload, State::Invalid},
        {"signature changed", tamperedMac, State::Invalid},
        {"signed with another secret", otherInstanceKeys.makeId(now + 900'000, 7), State::Invalid},
        {"no signature", good.substr(0, good.find('.')), State::Invalid},
        {"not base64", "!!!.???", State::Invalid},
        {"a number, as other servers hand out", "123456789", State::Invalid},
    };
    for (const auto &c : cases)
        EXPECT_EQ(keys.check(pragmaFor(c.id)), c.expected) << c.what;
}

TEST(SessionKeys, SharedSecretMakesInstancesInterchangeable)
{
    const SessionKeys first("shared", 1200s);
    const SessionKeys second("shared", 1200s);
    EXPECT_EQ(second.check(first.issue()), State::Valid);
}

TEST(SessionKeys, EmptySecretIsReplacedByARandomOne)
{
    const SessionKeys first(QByteArray(), 1200s);
    const SessionKeys second(QByteArray(), 1200s);
    EXPECT_EQ(first.check(first.issue()), State::Valid);
    EXPECT_EQ(second.check(first.issue()), State::Invalid);
}

TEST(SessionIdFromPragma, FindsTheSessionAmongOtherDirectives)
{
    const struct
    {
        std::string_view pragma;
        std::string_view id;
    } cases[] = {
        {"dssession=abc.def", "abc.def"},
        {"dssession=abc.def,dssessionexpires=1200000", "abc.def"},
        {"no-cache, dssession=abc.def", "abc.def"},
        {"  DSSession=abc.def  ", "abc.def"},
        {"no-cache", ""},
        {"", ""},
        {"dssession=", ""},
        {"xdssession=abc", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Http::sessionIdFromPragma(c.pragma), c.id) << c.pragma;
}

} // namespace
