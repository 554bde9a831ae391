#include "protocol/tablejson.h"
#include "protocol/jsonwriter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

using namespace Protocol;

namespace {

std::string meta(const char *name, int code)
{
    return std::string("[\"") + name + "\"," + std::to_string(code) + ",0,0,0,4,4,0,true,false,0,false,false]";
}

std::string oneColumn(const char *name, int code, const std::string &values)
{
    return "{\"table\":[" + meta(name, code) + "],\"" + name + "\":" + values + "}";
}

} // namespace

TEST(TableJson, everyTypeCodeGivesItsKindAndRoundTrips)
{
    struct Case
    {
        int code;
        ColumnKind kind;
        std::string values;
    };
    const Case cases[] = {
        {1, ColumnKind::Text, R"(["a","Ğü",null])"},
        {26, ColumnKind::Text, R"(["FREN \"BALATA\"\n"])"},
        {5, ColumnKind::Int32, "[-32768,7]"},
        {6, ColumnKind::Int32, "[2147483647,-2147483648]"},
        {12, ColumnKind::Int32, "[65535]"},
        {13, ColumnKind::Int32, "[1]"},
        {28, ColumnKind::Int32, "[-5]"},
        {29, ColumnKind::Int32, "[200]"},
        {18, ColumnKind::Int64, "[9007199254740993,-1]"},
        {19, ColumnKind::Int64, "[42]"},
        {7, ColumnKind::Float, "[125.5,0.1,-3]"},
        {27, ColumnKind::Float, "[1.5E20]"},
        {25, ColumnKind::Currency, "[10.25]"},
        {8, ColumnKind::Currency, "[3.5]"},
        {4, ColumnKind::Bool, "[true,false,null]"},
        {2, ColumnKind::DateTime, R"(["2024-03-05"])"},
        {10, ColumnKind::DateTime, R"(["12:34:56"])"},
        {11, ColumnKind::DateTime, R"(["2024-03-05 12:34:56.7"])"},
        {24, ColumnKind::DateTime, R"(["2024-02-29 23:59:59.999"])"},
        {3, ColumnKind::Bytes, "[[0,1,255]]"},
        {9, ColumnKind::Bytes, "[[]]"},
        {15, ColumnKind::Bytes, "[[7]]"},
        {33, ColumnKind::Bytes, "[null]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        auto table = tableFromJson(oneColumn("C", c.code, c.values));
        ASSERT_TRUE(table.has_value()) << table.error().message.toStdString();
        EXPECT_EQ(table->column(0).kind, c.kind);
        // Writing and reading again gives the same cells.
        auto again = tableFromJson(tableToJson(*table));
        ASSERT_TRUE(again.has_value()) << again.error().message.toStdString();
        ASSERT_EQ(again->rowCount(), table->rowCount());
        EXPECT_EQ(again->column(0).typeCode, c.code);
        for (int r = 0; r < table->rowCount(); ++r)
            EXPECT_EQ(again->value(r, 0), table->value(r, 0)) << "row " << r;
    }
}

TEST(TableJson, datesKeepMillisecondsAndDefaultToMidnight)
{
    auto t = tableFromJson(oneColumn("T", 24, R"(["2024-03-05 12:34:56.7","2024-03-05","2024-03-05 12:34:56.70"])"));
    ASSERT_TRUE(t.has_value()) << t.error().message.toStdString();
    EXPECT_EQ(t->dateTime(0, 0), QDateTime(QDate(2024, 3, 5), QTime(12, 34, 56, 7)));
    EXPECT_EQ(t->dateTime(1, 0), QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
    EXPECT_EQ(t->dateTime(2, 0), QDateTime(QDate(2024, 3, 5), QTime(12, 34, 56, 70)));
    EXPECT_EQ(tableToJson(*t).find("12:34:56.7\"") != std::string::npos, true);

    auto time = tableFromJson(oneColumn("T", 10, R"(["08:05:00"])"));
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(time->dateTime(0, 0).time(), QTime(8, 5));
}

TEST(TableJson, emptyForms)
{
    auto none = tableFromJson(R"({"table":[]})");
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->columnCount(), 0);
    EXPECT_EQ(none->rowCount(), 0);

    auto noRows = tableFromJson(oneColumn("A", 26, "[]"));
    ASSERT_TRUE(noRows.has_value());
    EXPECT_EQ(noRows->columnCount(), 1);
    EXPECT_EQ(noRows->rowCount(), 0);
    EXPECT_EQ(tableToJson(ClientTable()), R"({"table":[]})");
}

TEST(TableJson, scaleIsASigned16BitValue)
{
    auto t = tableFromJson(R"({"table":[["F",7,0,0,65534,8,8,0,true,false,0,false,false]],"F":[1]})");
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->column(0).scale, -2);
}

TEST(TableJson, numericColumnsAcceptNumbersWrittenAsText)
{
    auto t = tableFromJson(R"({"table":[["N",6,0,0,0,4,4,0,true,false,0,false,false],["F",7,1,0,0,8,8,0,true,false,0,false,false]],"N":["12"],"F":["1.25"]})");
    ASSERT_TRUE(t.has_value()) << t.error().message.toStdString();
    EXPECT_EQ(t->integer(0, 0), 12);
    EXPECT_DOUBLE_EQ(t->number(0, 1), 1.25);
}

TEST(TableJson, malformedTablesAreErrors)
{
    const std::string twoCols = "{\"table\":[" + meta("A", 6) + "," + meta("B", 6) + "],";
    const std::string cases[] = {
        twoCols + R"("A":[1,2],"B":[1]})",                       // column arrays of different length
        oneColumn("A", 99, "[1]"),                               // unknown type code
        oneColumn("A", 6, R"(["x"])"),                           // text in a number column
        oneColumn("A", 26, "[5]"),                               // number in a text column
        oneColumn("A", 4, "[1]"),                                // number in a boolean column
        oneColumn("A", 6, "[1.5]"),                              // fraction in an integer column
        oneColumn("A", 6, "[3000000000]"),                       // out of 32-bit range
        oneColumn("A", 24, R"(["2024-13-01"])"),                 // impossible date
        oneColumn("A", 24, R"(["yesterday"])"),
        oneColumn("A", 3, "[[256]]"),                            // not a byte
        "{\"table\":[" + meta("A", 6) + "]}",                    // no values for a column
        R"({"table":[["A",6,0,0,0,4,4,0,true,false,0,false,false]],"A":[1,2)", // truncated
        R"({"tablo":[]})",
        R"([1,2,3])",
        "",
    };
    for (const std::string &json : cases) {
        SCOPED_TRACE(json);
        auto t = tableFromJson(json);
        ASSERT_FALSE(t.has_value());
        EXPECT_FALSE(t.error().message.isEmpty());
    }
}

// Numbers of whole cents take a fast path; it must give exactly what the general shortest
// form gives, or the same table would travel differently depending on its values.
TEST(TableJson, numbersWrittenByTheFastPathMatchTheShortestForm)
{
    const auto general = [](double v) {
        char buf[32];
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    };
    const auto written = [](double v) {
        char buf[32];
        return std::string(buf, Protocol::Json::writeDouble(buf, v));
    };
    const double cases[] = {0.0,      -0.0,     0.01,      0.05,     0.1,       0.29,     1.0,        -1.0,
                            10.5,     100,      12345.67,  -0.07,    99999.99,  -99999.99, 100000,    100000.01,
                            1e5 - 1,  1e7,      0.125,     1.005,    0.001,     1e-9,     123.456,    2.675,
                            400.45,   -304.34,  3e-5,      1e15,     65535.35,  0.3,      0.1 + 0.2,  1.0 / 3};
    for (const double v : cases)
        EXPECT_EQ(written(v), general(v)) << "value " << general(v);
    // Every cent of the first thousand units, and the same values computed the way prices
    // are (a rate applied, then rounded).
    for (int cents = -100000; cents <= 100000; ++cents) {
        const double v = cents / 100.0;
        ASSERT_EQ(written(v), general(v));
        const double discounted = std::round(v * 0.85 * 100.0) / 100.0;
        ASSERT_EQ(written(discounted), general(discounted));
    }
}
