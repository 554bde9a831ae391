#include "protocol/codec.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Protocol;

namespace {

std::string golden(const char *name)
{
    QFile f(QStringLiteral(B2B_TEST_DATA "/wire/") + QLatin1StringView(name));
    if (!f.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing golden file " << name;
    return f.readAll().toStdString();
}

} // namespace

TEST(Catalogue, namesAreUniqueAndSignaturesConsistent)
{
    std::set<std::string_view> names;
    for (const Operation &op : operations()) {
        EXPECT_TRUE(names.insert(op.name).second) << op.name;
        EXPECT_EQ(op.result == ResultKind::Stream, op.outputCount() == 1) << op.name;
        EXPECT_EQ(op.result == ResultKind::Object, !op.objectType.empty()) << op.name;
    }
    EXPECT_EQ(names.size(), 49u);
    EXPECT_NE(findOperation("SiparisAytintisiDip"), nullptr);
    EXPECT_NE(findOperation("AcilisREklamVer"), nullptr);
    EXPECT_EQ(findOperation("acilisreklamver"), nullptr); // names are called exactly as written
    EXPECT_EQ(operation("SepetEkle2").inputCount(), 14);
    EXPECT_EQ(operation("MailGonserCariNormal").inputCount(), 17);
    EXPECT_EQ(operation("RaporGetir").inputCount(), 7);
}

TEST(Codec, methodPathQuotesTheName)
{
    EXPECT_EQ(methodPath("datasnap/", operation("SepetVer2")), "/datasnap/rest/TServerMethods1/%22SepetVer2%22/");
}

TEST(Codec, requestsMatchTheGoldenFiles)
{
    auto secim = encodeRequest(operation("SepetSecimGuncelle"), {qint32(42), qint32(1)});
    ASSERT_TRUE(secim.has_value());
    EXPECT_EQ(*secim, golden("SepetSecimGuncelle.request.json"));

    TSonucBilgisi s;
    s.FBILGISAYARID = QStringLiteral("AB12CD");
    s.FSirano = 17;
    s.FCariAdi = QStringLiteral("ÖZGÜR OTO");
    s.FSIFRE = QStringLiteral("1234");
    s.FCARINO = 1001;
    s.FAKTIF = 1;
    s.FADI = QStringLiteral("BAYİ");
    s.FVarmi = true;
    s.FMusteriTipi = 3;
    auto ekle = encodeRequest(operation("SepetEkle2"),
                              {s, qint32(1001), qint32(1201), QStringLiteral("FRN-001"),
                               QStringLiteral("FREN \"ÖN\" BALATASI"), 1.5, 20.0, 0.1, 5.0, qint32(17), qint32(0),
                               0.0, 0.0, 0.0});
    ASSERT_TRUE(ekle.has_value()) << ekle.error().message.toStdString();
    EXPECT_EQ(*ekle, golden("SepetEkle2.request.json"));

    auto none = encodeRequest(operation("KargoVer"), {});
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(*none, R"({"_parameters":[]})");
    auto nullObject = encodeRequest(operation("SepetHepsiniSil"), {std::monostate{}});
    ASSERT_TRUE(nullObject.has_value());
    EXPECT_EQ(*nullObject, R"({"_parameters":[null]})");
}

TEST(Codec, requestsWithWrongCountOrKindAreRefused)
{
    EXPECT_FALSE(encodeRequest(operation("SepetVer2"), {}).has_value());
    EXPECT_FALSE(encodeRequest(operation("SepetVer2"), {QStringLiteral("42")}).has_value());
    EXPECT_FALSE(encodeRequest(operation("SepetVer2"), {qint32(1), qint32(2)}).has_value());
}

TEST(Codec, responsesDecodeByResultKind)
{
    auto pdf = decodeResponse(operation("SAnalPosPdfVer"), golden("SAnalPosPdfVer.response.json"));
    ASSERT_TRUE(pdf.has_value()) << pdf.error().message.toStdString();
    ASSERT_EQ(pdf->size(), 2u);
    EXPECT_EQ(std::get<qint64>((*pdf)[0]), 5);
    EXPECT_EQ(std::get<Stream>((*pdf)[1]).bytes, QByteArray("%PDF\n"));

    // The announced size is reported as sent, even when it differs from the bytes.
    auto lying = decodeResponse(operation("BannerResimVer2"), R"({"result":[10,[1,2]]})");
    ASSERT_TRUE(lying.has_value());
    EXPECT_EQ(std::get<Stream>((*lying)[1]).announcedSize, 10);
    EXPECT_EQ(std::get<Stream>((*lying)[1]).bytes.size(), 2);

    auto user = decodeResponse(operation("BuyukGetir"), golden("BuyukGetir.response.json"));
    ASSERT_TRUE(user.has_value()) << user.error().message.toStdString();
    const auto &rec = std::get<TSonucBilgisi>(user->back());
    EXPECT_EQ(rec.FADI, QStringLiteral("BAYİ"));
    EXPECT_TRUE(rec.FVarmi);
    EXPECT_EQ(rec.FVersion, 1);

    auto nobody = decodeResponse(operation("BuyukGetir"), R"({"result":[null]})");
    ASSERT_TRUE(nobody.has_value());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(nobody->back()));

    auto basket = decodeResponse(operation("SepetVer2"), golden("SepetVer2.response.json"));
    ASSERT_TRUE(basket.has_value()) << basket.error().message.toStdString();
    const auto &table = std::get<ClientTable>(basket->back());
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.integer(1, 0), 1202);
    EXPECT_TRUE(table.isNull(1, 1));

    auto procedure = decodeResponse(operation("SepetSecimGuncelle"), R"({"result":[]})");
    ASSERT_TRUE(procedure.has_value());
    EXPECT_TRUE(procedure->empty());

    auto saved = decodeResponse(operation("SiparisKaydet"), R"({"result":[false]})");
    ASSERT_TRUE(saved.has_value());
    EXPECT_FALSE(std::get<bool>(saved->back()));
}

TEST(Codec, responsesThatDoNotMatchTheSignatureAreErrors)
{
    const std::pair<const char *, const char *> cases[] = {
        {"EnVer", R"({"result":["4"]})"},
        {"EnVer", R"({"result":[1,2]})"},
        {"EnVer", R"({"result":[]})"},
        {"EnVer", R"({"result":[4294967296]})"},
        {"SiparisKaydet", R"({"result":[1]})"},
        {"KayanYaziGetir", R"({"result":[12]})"},
        {"SAnalPosPdfVer", R"({"result":[[1,2]]})"},
        {"SAnalPosPdfVer", R"({"result":[2,[1,300]]})"},
        {"BuyukGetir", R"({"result":[{"type":"baglantiu.TTusSonuclari","id":1,"fields":{}}]})"},
        {"SepetVer2", R"({"result":[{"table":[["A",6,0,0,0,4,4,0,true,false,0,false,false]],"A":[1,"x"]}]})"},
        {"SepetVer2", R"({"result":[{"table":)"},
        {"SepetVer2", "<html>Bad Gateway</html>"},
        {"SepetVer2", R"({"error":"x"})"},
    };
    for (const auto &[name, body] : cases) {
        SCOPED_TRACE(std::string(name) + " " + body);
        auto decoded = decodeResponse(operation(name), body);
        ASSERT_FALSE(decoded.has_value());
        EXPECT_FALSE(decoded.error().message.isEmpty());
    }
}

TEST(Codec, errorAnswers)
{
    auto raised = decodeErrorAnswer(500, R"({"error":"Stok bulunamadı"})");
    EXPECT_EQ(raised.kind, ErrorAnswer::Kind::Raised);
    EXPECT_EQ(raised.message, QStringLiteral("Stok bulunamadı"));
    EXPECT_EQ(decodeErrorAnswer(403, R"({"SessionExpired":"Session 12 is not found"})").kind,
              ErrorAnswer::Kind::SessionExpired);
    auto other = decodeErrorAnswer(502, "<html>");
    EXPECT_EQ(other.kind, ErrorAnswer::Kind::Other);
    EXPECT_TRUE(other.message.contains(QStringLiteral("502")));
}

TEST(Codec, serverSideRoundTrip)
{
    const Operation &op = operation("SepetEkle2");
    auto request = decodeRequest(op, golden("SepetEkle2.request.json"));
    ASSERT_TRUE(request.has_value()) << request.error().message.toStdString();
    ASSERT_EQ(request->size(), 14u);
    EXPECT_EQ(std::get<TSonucBilgisi>((*request)[0]).FCariAdi, QStringLiteral("ÖZGÜR OTO"));
    EXPECT_EQ(std::get<QString>((*request)[4]), QStringLiteral("FREN \"ÖN\" BALATASI"));
    EXPECT_EQ(std::get<double>((*request)[7]), 0.1);

    EXPECT_FALSE(decodeRequest(op, R"({"_parameters":[]})").has_value());
    EXPECT_FALSE(decodeRequest(operation("SepetVer2"), R"({"_parameters":["x"]})").has_value());
    EXPECT_FALSE(decodeRequest(operation("SepetVer2"), "not json").has_value());
    EXPECT_FALSE(decodeRequest(operation("SepetVer2"), R"({"_parameters":[1e300]})").has_value());

    ClientTable t;
    t.addColumn({QStringLiteral("A"), ColumnKind::Int32, 6});
    t.appendRow({7});
    const std::string body = encodeResponse(operation("SepetVer2"), {t});
    auto back = decodeResponse(operation("SepetVer2"), body);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(std::get<ClientTable>(back->back()).integer(0, 0), 7);

    const std::string pdf = encodeResponse(operation("SAnalPosPdfVer"), {qint64(3), Stream{3, QByteArray("\x00\x7f\xff", 3)}});
    EXPECT_EQ(pdf, R"({"result":[3,[0,127,255]]})");
    EXPECT_EQ(encodeError(QStringLiteral("bozuk \"istek\"")), R"({"error":"bozuk \"istek\""})");
}

TEST(Codec, oleDatesCountDaysFrom1899)
{
    EXPECT_DOUBLE_EQ(toOleDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(toOleDate(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    EXPECT_EQ(fromOleDate(45000.25), QDateTime(QDate(2023, 3, 15), QTime(6, 0)));
    const QDateTime dt(QDate(2026, 12, 11), QTime(7, 44, 2));
    EXPECT_EQ(fromOleDate(toOleDate(dt)), dt);
}
