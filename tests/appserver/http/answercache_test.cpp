#include "appserver/http/answercache.h"

#include <gtest/gtest.h>

using Http::AnswerCache;

namespace {

AnswerCache::Body body(std::size_t bytes, char fill = 'x')
{
    return std::make_shared<const std::string>(bytes, fill);
}

TEST(AnswerCache, GivesAnAnswerOnlyForTheSameRequestAtTheSameVersion)
{
    AnswerCache cache(1 << 20);
    cache.keep("StokAraGetirZerva", R"({"_parameters":["FREN",{"FCARINO":5}]})", 7, body(100, 'a'));

    struct Case
    {
        const char *what;
        const char *method;
        const char *request;
        qint64 version;
        bool given;
    };
    const Case cases[] = {
        {"another customer's record", "StokAraGetirZerva", R"({"_parameters":["FREN",{"FCARINO":6}]})", 7, false},
        {"another method", "YenilerVer2", R"({"_parameters":["FREN",{"FCARINO":5}]})", 7, false},
        {"the same request", "StokAraGetirZerva", R"({"_parameters":["FREN",{"FCARINO":5}]})", 7, true},
        // A newer version drops the answer for good, so the old version cannot bring it back.
        {"newer data", "StokAraGetirZerva", R"({"_parameters":["FREN",{"FCARINO":5}]})", 8, false},
        {"then the old version again", "StokAraGetirZerva", R"({"_parameters":["FREN",{"FCARINO":5}]})", 7, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const AnswerCache::Body found = cache.find(c.method, c.request, c.version);
        EXPECT_EQ(found != nullptr, c.given);
        if (found) {
            EXPECT_EQ(*found, std::string(100, 'a'));
        }
    }
    EXPECT_EQ(cache.keptCount(), 0u);
    EXPECT_EQ(cache.keptBytes(), 0u);
}

TEST(AnswerCache, TheLeastRecentlyUsedLeaveFirstAndHugeAnswersAreNotKept)
{
    AnswerCache cache(10000);
    cache.keep("M", "a", 1, body(2000));
    cache.keep("M", "b", 1, body(2000));
    cache.keep("M", "c", 1, body(2000));
    ASSERT_NE(cache.find("M", "a", 1), nullptr); // a is now the most recently used
    cache.keep("M", "d", 1, body(2000));
    cache.keep("M", "e", 1, body(2000)); // over 10,000 bytes: b, the oldest unused, leaves
    EXPECT_NE(cache.find("M", "a", 1), nullptr);
    EXPECT_EQ(cache.find("M", "b", 1), nullptr);
    EXPECT_NE(cache.find("M", "e", 1), nullptr);
    EXPECT_LE(cache.keptBytes(), 10000u);

    cache.keep("M", "huge", 1, body(3000)); // more than a quarter of the capacity
    EXPECT_EQ(cache.find("M", "huge", 1), nullptr);

    cache.keep("M", "a", 2, body(10, 'n')); // kept again: replaces the old answer
    const AnswerCache::Body again = cache.find("M", "a", 2);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(*again, std::string(10, 'n'));
}

} // namespace
