// The method registry and the session method BuyukGetir, called in-process on a real database.

#include "appserver/methods/registry.h"
#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

TEST(MethodRegistry, FindsWhatWasAddedAndNothingElse)
{
    Methods::Registry registry;
    EXPECT_EQ(registry.find("BuyukGetir"), nullptr);
    Methods::registerAll(registry);
    EXPECT_NE(registry.find("BuyukGetir"), nullptr);
    EXPECT_EQ(registry.find("buyukgetir"), nullptr) << "names are matched with their capitals";
    EXPECT_EQ(registry.find("NoSuchMethod"), nullptr);
}

class BuyukGetir : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Store::OpenOptions options;
        options.seedParts = 50;
        options.seedAnchor = QDate(2025, 3, 10);
        auto opened = Store::Database::open(u"sqlite:"_s + m_dir.filePath(u"s.db"_s), options);
        ASSERT_TRUE(opened) << opened.error().message.toStdString();
        m_db = std::move(*opened);
        Methods::registerAll(m_registry);
        for (const auto &[id, user] : {std::pair{u"PC-BAYI"_s, u"BAYI"_s}, std::pair{u"PC-TEMSILCI"_s, u"TEMSILCI"_s},
                                       std::pair{u"PC-YONETICI"_s, u"YONETICI"_s}, std::pair{u"PC-PASIF"_s, u"PASIF"_s},
                                       std::pair{u"PC-BAYI4"_s, u"BAYI4"_s}})
            ASSERT_TRUE(m_db->registerComputer(id, user));
    }

    Protocol::Expected<std::vector<Protocol::Value>> call(std::vector<Protocol::Value> inputs)
    {
        const Methods::Method *method = m_registry.find("BuyukGetir");
        EXPECT_NE(method, nullptr);
        Methods::CallContext context{*m_db};
        return method->handler(context, inputs);
    }

    Protocol::TSonucBilgisi record(const QString &id)
    {
        auto result = call({id});
        EXPECT_TRUE(result) << (result ? std::string() : result.error().message.toStdString());
        if (!result || result->size() != 1 || !std::holds_alternative<Protocol::TSonucBilgisi>(result->front())) {
            ADD_FAILURE() << "not one TSonucBilgisi for " << id.toStdString();
            return {};
        }
        return std::get<Protocol::TSonucBilgisi>(result->front());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Store::Database> m_db;
    Methods::Registry m_registry;
};

TEST_F(BuyukGetir, ADealerGetsHisAccountAndHisRepresentative)
{
    const Protocol::TSonucBilgisi r = record(u"PC-BAYI"_s);
    EXPECT_TRUE(r.FVarmi);
    EXPECT_EQ(r.FBILGISAYARID, u"PC-BAYI"_s);
    EXPECT_EQ(r.FADI, u"BAYI"_s);
    EXPECT_EQ(r.FSIFRE, u"1234"_s);
    EXPECT_EQ(r.FAKTIF, 1);
    EXPECT_EQ(r.FMusteriTipi, 3);
    EXPECT_EQ(r.FVersion, 1);
    EXPECT_GT(r.FSirano, 0);
    EXPECT_EQ(r.FKullanicimail, u"bayi@ornekoto.com.tr"_s);

    // The account and representative as the database has them.
    auto expected = Store::exec(
        m_db->connection(), u"SELECT c.carino, c.carikod, c.cariadi, s.saticino, s.adi, s.email, s.telefon, k.sirano"
                            u" FROM kullanicilar k JOIN cariler c ON c.carino = k.carino"
                            u" JOIN saticilar s ON s.saticino = c.saticino WHERE k.adi = 'BAYI'"_s);
    ASSERT_TRUE(expected && expected->next());
    EXPECT_EQ(r.FCARINO, expected->value(0).toInt());
    EXPECT_EQ(r.Fcarikod, expected->value(1).toString());
    EXPECT_EQ(r.FCariAdi, expected->value(2).toString());
    EXPECT_FALSE(r.FCariAdi.isEmpty());
    EXPECT_EQ(r.FSaticiNo, expected->value(3).toInt());
    EXPECT_EQ(r.FSaticiAdi, expected->value(4).toString());
    EXPECT_EQ(r.FSaticiMail, expected->value(5).toString());
    EXPECT_EQ(r.FSaticiTelefon, expected->value(6).toString());
    EXPECT_EQ(r.FSirano, expected->value(7).toInt());
    // What only the client knows stays empty.
    EXPECT_TRUE(r.FBilgiSayarAdi.isEmpty() && r.FDisip.isEmpty() && r.FIcip.isEmpty() &&
                r.FBilgisayarKullanici.isEmpty());
}

TEST_F(BuyukGetir, UserTypesAndStates)
{
    struct Case
    {
        QString id;
        QString name;
        int type;
        int active;
        bool hasCustomer;
    };
    const Case cases[] = {
        {u"PC-TEMSILCI"_s, u"TEMSILCI"_s, 2, 1, false}, // chooses a customer after the login
        {u"PC-YONETICI"_s, u"YONETICI"_s, 1, 1, false},
        {u"PC-BAYI4"_s, u"BAYI4"_s, 4, 1, true},
        {u"PC-PASIF"_s, u"PASIF"_s, 3, 0, true}, // the client refuses him, but he is registered
    };
    for (const Case &k : cases) {
        const Protocol::TSonucBilgisi r = record(k.id);
        EXPECT_TRUE(r.FVarmi) << k.id.toStdString();
        EXPECT_EQ(r.FADI, k.name);
        EXPECT_EQ(r.FMusteriTipi, k.type) << k.id.toStdString();
        EXPECT_EQ(r.FAKTIF, k.active) << k.id.toStdString();
        EXPECT_EQ(r.FCARINO > 0, k.hasCustomer) << k.id.toStdString();
        EXPECT_EQ(r.FCariAdi.isEmpty(), !k.hasCustomer) << k.id.toStdString();
        EXPECT_EQ(r.Fcarikod.isEmpty(), !k.hasCustomer) << k.id.toStdString();
        EXPECT_GT(r.FSaticiNo, 0) << k.id.toStdString();
        EXPECT_FALSE(r.FSaticiAdi.isEmpty()) << k.id.toStdString();
    }
}

TEST_F(BuyukGetir, AnUnregisteredComputerIsAnsweredWithVarmiFalse)
{
    const Protocol::TSonucBilgisi r = record(u"PC-UNKNOWN"_s);
    EXPECT_FALSE(r.FVarmi);
    EXPECT_EQ(r.FBILGISAYARID, u"PC-UNKNOWN"_s);
    EXPECT_EQ(r.FVersion, 1) << "the update check still works for an unregistered computer";
    EXPECT_TRUE(r.FADI.isEmpty());
    EXPECT_TRUE(r.FSIFRE.isEmpty());
    EXPECT_EQ(r.FCARINO, 0);
    EXPECT_EQ(r.FSirano, 0);

    // The identifier is matched exactly.
    EXPECT_FALSE(record(u"pc-bayi"_s).FVarmi);
    EXPECT_FALSE(record(u"PC-BAYI "_s).FVarmi);
}

TEST_F(BuyukGetir, NoIdentifierGivesNullAndAWrongRequestAnError)
{
    for (const QString &blank : {QString(), u"   "_s}) {
        auto result = call({blank});
        ASSERT_TRUE(result);
        ASSERT_EQ(result->size(), 1u);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(result->front()));
    }
    for (const std::vector<Protocol::Value> &bad :
         {std::vector<Protocol::Value>{}, std::vector<Protocol::Value>{qint32(5)}}) {
        auto result = call(bad);
        ASSERT_FALSE(result);
        EXPECT_FALSE(result.error().message.isEmpty());
    }
}

TEST_F(BuyukGetir, ALaterRegistrationReplacesTheEarlierOne)
{
    Methods::Registry own;
    for (qint32 n : {1, 2}) {
        own.add("X", [n](Methods::CallContext &, const std::vector<Protocol::Value> &) {
            return Protocol::Expected<std::vector<Protocol::Value>>(std::vector<Protocol::Value>{n});
        });
    }
    const Methods::Method *method = own.find("X");
    ASSERT_NE(method, nullptr);
    Methods::CallContext context{*m_db};
    auto result = method->handler(context, {});
    ASSERT_TRUE(result);
    EXPECT_EQ(std::get<qint32>(result->front()), 2);
}

TEST_F(BuyukGetir, AnnouncesTheVersionOfTheSettings)
{
    ASSERT_TRUE(m_db->setSetting(u"version"_s, u"2"_s));
    EXPECT_EQ(record(u"PC-BAYI"_s).FVersion, 2);
    EXPECT_EQ(record(u"PC-UNKNOWN"_s).FVersion, 2);
}

TEST_F(BuyukGetir, FollowsAComputerMovedToAnotherUser)
{
    ASSERT_TRUE(m_db->registerComputer(u"PC-BAYI"_s, u"BAYI2"_s));
    const Protocol::TSonucBilgisi r = record(u"PC-BAYI"_s);
    EXPECT_EQ(r.FADI, u"BAYI2"_s);
    EXPECT_EQ(r.FCARINO, 2);
}

} // namespace
