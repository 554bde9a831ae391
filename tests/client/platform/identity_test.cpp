#include "client/platform/fakeservices.h"
#include "client/platform/identity.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Platform::FakeServices;

namespace {

QByteArray mac(const char *hex)
{
    return QByteArray::fromHex(hex);
}

struct IdentifierCase
{
    const char *name;
    QString serial;
    QList<QByteArray> adapters;
    QString expected;
};

class ComputerIdentifier : public ::testing::TestWithParam<IdentifierCase>
{};

TEST_P(ComputerIdentifier, FromSerialOrAdapter)
{
    const IdentifierCase &c = GetParam();
    FakeServices fake;
    fake.serial = c.serial;
    fake.adapters = c.adapters;
    Platform::ScopedServices installed(fake);
    EXPECT_EQ(Platform::computerIdentifier(), c.expected);
}

const QByteArray zero(6, '\0');

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputerIdentifier,
    ::testing::Values(
        IdentifierCase{"SerialUpperNoBlanks", u" ab 12 cd "_s, {}, u"AB12CD"_s},
        IdentifierCase{"SerialWinsOverAdapter", u"x1"_s, {mac("001A2B3C4D5E")}, u"X1"_s},
        IdentifierCase{"ZeroAdapterSkipped", QString(), {zero, mac("001A2B3C4D5E")}, u"00-1A-2B-3C-4D-5E"_s},
        IdentifierCase{"BlankSerialFallsBack", u"   "_s, {mac("0a0b0c0d0e0f")}, u"0A-0B-0C-0D-0E-0F"_s},
        IdentifierCase{"FirstRealAdapterStops", QString(), {mac("111111111111"), mac("222222222222")}, u"11-11-11-11-11-11"_s},
        IdentifierCase{"OnlyZeroAdapter", QString(), {zero}, u"00-00-00-00-00-00"_s},
        IdentifierCase{"NothingAnswers", QString(), {}, QString()},
        IdentifierCase{"ShortAdapterIgnored", QString(), {mac("0102"), mac("a1b2c3d4e5f6")}, u"A1-B2-C3-D4-E5-F6"_s},
        IdentifierCase{"SharedDiskOne", u" wd-wcc4n0kxh7ts"_s, {}, u"VARSELMERKEZ01"_s},
        IdentifierCase{"SharedDiskTwo", u"S3YJ NX0K 812345P"_s, {}, u"VARSELMERKEZ01"_s},
        IdentifierCase{"OtherDiskNotMapped", u"S3YJNX0K812345Q"_s, {}, u"S3YJNX0K812345Q"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Identity, NamesNeedRoomForTheTerminator)
{
    FakeServices fake;
    Platform::ScopedServices installed(fake);
    struct
    {
        QString raw;
        QString expected;
    } cases[] = {
        {u"abcdefghijklmno"_s, u"abcdefghijklmno"_s}, // 15 fits
        {u"abcdefghijklmnop"_s, QString()},           // 16 does not
        {u"kullaniciuzunadi1"_s, QString()},          // the fake's 17
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        fake.user = c.raw;
        fake.computer = c.raw;
        EXPECT_EQ(Platform::userName(), c.expected) << c.raw.toStdString();
        EXPECT_EQ(Platform::computerName(), c.expected) << c.raw.toStdString();
    }
}

TEST(Identity, LocalAddressIsFirstIPv4ElseLoopback)
{
    FakeServices fake;
    Platform::ScopedServices installed(fake);
    EXPECT_EQ(Platform::localAddress(), u"192.0.2.10"_s); // after an IPv6 address

    fake.addresses = {QHostAddress(u"::1"_s)};
    EXPECT_EQ(Platform::localAddress(), u"127.0.0.1"_s);
    fake.addresses.clear();
    EXPECT_EQ(Platform::localAddress(), u"127.0.0.1"_s);
}

TEST(Identity, ScopedServicesRestoresThePrevious)
{
    FakeServices outer;
    FakeServices inner;
    inner.serial = u"inner"_s;
    Platform::ScopedServices a(outer);
    {
        Platform::ScopedServices b(inner);
        EXPECT_EQ(Platform::computerIdentifier(), u"INNER"_s);
    }
    EXPECT_EQ(Platform::computerIdentifier(), u"AB12CD"_s);
}

} // namespace
