// BuyukGetir over the wire: the real server on loopback, a computer registered with its
// command, the session record as the client receives it.

#include "tests/support/appserver.h"
#include "tests/support/httpclient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr std::string_view kBuyukGetir = "/datasnap/rest/TServerMethods1/%22BuyukGetir%22/";

QJsonObject callBuyukGetir(const Support::AppServer &server, const QString &computerId)
{
    const QByteArray body =
        QJsonDocument(QJsonObject{{u"_parameters"_s, QJsonArray{computerId}}}).toJson(QJsonDocument::Compact);
    const Support::HttpReply reply = Support::httpPost(server.host(), server.port(), kBuyukGetir, body.toStdString());
    EXPECT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.status, 200) << reply.body;
    const QJsonArray result =
        QJsonDocument::fromJson(QByteArray::fromStdString(reply.body)).object().value(u"result"_s).toArray();
    EXPECT_EQ(result.size(), 1) << reply.body;
    const QJsonObject record = result.at(0).toObject();
    EXPECT_EQ(record.value(u"type"_s).toString(), u"baglantiu.TSonucBilgisi"_s) << reply.body;
    return record.value(u"fields"_s).toObject();
}

TEST(BuyukGetirOverTheWire, ARegisteredDealerAndAnUnknownComputer)
{
    Support::AppServer server;
    ASSERT_TRUE(server.ok()) << server.error().toStdString();
    const QList<Support::DemoUser> users = server.users();
    const auto dealer = std::find_if(users.cbegin(), users.cend(), [](const auto &u) { return u.userType == 3; });
    ASSERT_NE(dealer, users.cend());
    QString error;
    ASSERT_TRUE(server.registerComputer(u"WIRE-PC"_s, dealer->name, &error)) << error.toStdString();

    const QJsonObject known = callBuyukGetir(server, u"WIRE-PC"_s);
    EXPECT_TRUE(known.value(u"FVarmi"_s).toBool());
    EXPECT_EQ(known.value(u"FADI"_s).toString(), dealer->name);
    EXPECT_EQ(known.value(u"FSIFRE"_s).toString(), dealer->password);
    EXPECT_EQ(known.value(u"FCARINO"_s).toInt(), dealer->customerNo);
    EXPECT_EQ(known.value(u"FCariAdi"_s).toString(), dealer->customerName);
    EXPECT_EQ(known.value(u"FMusteriTipi"_s).toInt(), 3);
    EXPECT_EQ(known.value(u"FVersion"_s).toInt(), 1);
    EXPECT_EQ(known.value(u"FBILGISAYARID"_s).toString(), u"WIRE-PC"_s);
    EXPECT_FALSE(known.value(u"FSaticiAdi"_s).toString().isEmpty());

    const QJsonObject unknown = callBuyukGetir(server, u"BILINMEYEN-PC"_s);
    EXPECT_FALSE(unknown.value(u"FVarmi"_s).toBool());
    EXPECT_EQ(unknown.value(u"FBILGISAYARID"_s).toString(), u"BILINMEYEN-PC"_s);
    EXPECT_TRUE(unknown.value(u"FADI"_s).toString().isEmpty());
}

} // namespace
