#include "protocol/marshal.h"

#include <simdjson.h>

#include <gtest/gtest.h>

using namespace Protocol;

namespace {

std::string marshal(const Value &v)
{
    std::string out;
    writeObject(out, v);
    return out;
}

Expected<Value> unmarshal(const std::string &json, std::string_view type)
{
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(json).get(root))
        return Error{QStringLiteral("parse")};
    return readObject(root, type);
}

TSonucBilgisi filledSession()
{
    TSonucBilgisi s;
    s.FBILGISAYARID = QStringLiteral("AB12CD");
    s.FSaticiMail = QStringLiteral("satis@varsel.com.tr");
    s.FSirano = 17;
    s.FCariAdi = QStringLiteral("ÖZGÜR OTO YEDEK PARÇA");
    s.FSIFRE = QStringLiteral("1234");
    s.FSaticiNo = 3;
    s.FCARINO = 1001;
    s.FAKTIF = 1;
    s.FADI = QStringLiteral("BAYİ");
    s.Fcarikod = QStringLiteral("120.01.001");
    s.FVarmi = true;
    s.FMusteriTipi = 3;
    s.FVersion = 2;
    return s;
}

template<typename R>
void expectRoundTrip(const R &record)
{
    const std::string json = marshal(Value(record));
    auto back = unmarshal(json, R::typeName);
    ASSERT_TRUE(back.has_value()) << back.error().message.toStdString();
    ASSERT_TRUE(std::holds_alternative<R>(*back));
    EXPECT_EQ(std::get<R>(*back), record) << json;
}

} // namespace

TEST(Marshal, everyRecordRoundTrips)
{
    expectRoundTrip(filledSession());
    expectRoundTrip(TSonucBilgisi());
    expectRoundTrip(TSiparisDipAyrinti{QStringLiteral("acil"), QStringLiteral("Onaylandı"), QStringLiteral("BAYİ"),
                                       QStringLiteral("YURTİÇİ"), {}, QStringLiteral("Kargo"), QStringLiteral("Alıcı Öder"), {}});
    expectRoundTrip(TTusSonuclari{1, 2, 3, 4, 5, 6});
    expectRoundTrip(TAcilisEkran{4, QStringLiteral("FFD8FF"), QStringLiteral("Kampanya"), QStringLiteral("#KAMPANYA#")});
    TAcilisEkranlariki list;
    list.FEkranlar = {TAcilisEkran{1, QStringLiteral("00"), QStringLiteral("A"), QStringLiteral("#YENİ#")},
                      TAcilisEkran{2, QStringLiteral("11"), QStringLiteral("B"), QStringLiteral("FREN")}};
    expectRoundTrip(list);
    expectRoundTrip(TAcilisEkranlariki());
    TMobilCariBilgisi card;
    card.FCARIADI = QStringLiteral("GÜNEŞ OTOMOTİV");
    card.FTLBORC = 1234.5;
    card.FTLALACAK = 0.1;
    card.FTLBAKIYE = -1234.4;
    card.FCARINO = 1001;
    card.FILCE = QStringLiteral("Şişli");
    expectRoundTrip(card);
}

TEST(Marshal, writesTypeIdAndFieldsInDeclaredOrder)
{
    const std::string json = marshal(Value(TSonucBilgisi()));
    EXPECT_EQ(json.rfind(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FBILGISAYARID":"","FSaticiMail":"","FSirano":0,)", 0), 0u) << json;
    EXPECT_NE(json.find(R"("FMusteriTipi":1,"FVersion":1}})"), std::string::npos) << json;
}

TEST(Marshal, nestedObjectsAreNumberedDepthFirst)
{
    TAcilisEkranlariki list;
    list.FEkranlar = {TAcilisEkran{}, TAcilisEkran{}};
    const std::string json = marshal(Value(list));
    EXPECT_NE(json.find(R"("type":"mobilstokunit.TAcilisEkranlariki","id":1)"), std::string::npos);
    EXPECT_NE(json.find(R"("type":"mobilstokunit.TAcilisEkran","id":2)"), std::string::npos);
    EXPECT_NE(json.find(R"("type":"mobilstokunit.TAcilisEkran","id":3)"), std::string::npos);
}

TEST(Marshal, readsRefsAnyOrderUnknownAndMissingFields)
{
    const std::string json = R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[
        {"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FArama":"FREN","FSiraNo":5,"FYeni":"x"}},
        {"type":"mobilstokunit.TAcilisEkran","ref":2}]}})";
    auto v = unmarshal(json, TAcilisEkranlariki::typeName);
    ASSERT_TRUE(v.has_value()) << v.error().message.toStdString();
    const auto &list = std::get<TAcilisEkranlariki>(*v);
    ASSERT_EQ(list.FEkranlar.size(), 2);
    EXPECT_EQ(list.FEkranlar[0].FSiraNo, 5);
    EXPECT_EQ(list.FEkranlar[0].FArama, QStringLiteral("FREN"));
    EXPECT_TRUE(list.FEkranlar[0].FBaslik.isEmpty());
    EXPECT_EQ(list.FEkranlar[1], list.FEkranlar[0]);

    auto session = unmarshal(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FADI":"X"}})", TSonucBilgisi::typeName);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(std::get<TSonucBilgisi>(*session).FMusteriTipi, 1); // missing fields keep their defaults
    EXPECT_EQ(std::get<TSonucBilgisi>(*session).FVersion, 1);
}

TEST(Marshal, nullGivesNoObjectAndWrongShapesAreErrors)
{
    auto none = unmarshal("null", TSonucBilgisi::typeName);
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(*none));
    EXPECT_EQ(marshal(Value{}), "null");

    const std::string bad[] = {
        R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{}})",         // another class
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FSirano":"x"}})", // wrong kind
        R"({"type":"baglantiu.TSonucBilgisi","id":1})",                      // no fields
        R"({"type":"baglantiu.TSonucBilgisi","ref":1})",                     // a ref to nothing
        R"("text")",
    };
    for (const std::string &json : bad) {
        SCOPED_TRACE(json);
        EXPECT_FALSE(unmarshal(json, TSonucBilgisi::typeName).has_value());
    }
}

TEST(Records, kopyalaCopiesEveryFieldIncludingEmptyTexts)
{
    TSonucBilgisi target = filledSession();
    const TSonucBilgisi fresh;
    target.Kopyala(fresh);
    EXPECT_EQ(target, fresh);
    EXPECT_EQ(fresh.FMusteriTipi, 1);
    EXPECT_EQ(fresh.FVersion, 1);
    EXPECT_FALSE(fresh.FVarmi);

    TSiparisDipAyrinti dip{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                           QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g"), QStringLiteral("h")};
    dip.Kopyala(TSiparisDipAyrinti());
    EXPECT_EQ(dip, TSiparisDipAyrinti());
}
