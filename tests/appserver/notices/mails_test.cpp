// The two mail operations against the real server: each mail lands in the outbox with
// every field exactly as sent; refused mails leave no row.

#include "tests/appserver/account/methodcalls.h"

#include <QSqlQuery>

using namespace MethodTests;
using namespace Qt::StringLiterals;

namespace {

const char *const kColumns[] = {"idsi",         "baslik",  "firmaadi", "adres1",    "adres2", "ilce",
                                "sehir",        "telefon", "fax",      "vd",        "vn",     "yetkili",
                                "kullaniciadi", "sifre",   "mail",     "kargoambar"};

class Mails : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_server = new Support::AppServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    // Sixteen distinct texts, with the characters that break careless SQL or formats.
    static Values fields(const QString &tag)
    {
        Values values;
        for (int i = 0; i < 16; ++i)
            values.push_back(QString(tag + u" %1 'ş\"%%_; DROP TABLE mail_kutusu; --"_s.arg(i)));
        return values;
    }

    int outboxRows() const { return DatabaseView(*s_server).scalar(u"SELECT COUNT(*) FROM mail_kutusu"_s).toInt(); }

    // The stored row of a mail: the sixteen texts, konu (null stays null), islem.
    void expectStored(qint32 id, const Values &sent, const QVariant &konu, const QString &operation) const
    {
        const DatabaseView view(*s_server);
        QSqlQuery query(view.db());
        QString columns;
        for (const char *c : kColumns)
            columns += QLatin1StringView(c) + u", "_s;
        ASSERT_TRUE(query.prepare(u"SELECT "_s + columns +
                                  u"konu, islem, olusturma, gonderildi FROM mail_kutusu"
                                  u" WHERE id = ?"_s));
        query.addBindValue(id);
        ASSERT_TRUE(query.exec());
        ASSERT_TRUE(query.next()) << "no outbox row " << id;
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(query.value(i).toString(), std::get<QString>(sent[size_t(i)])) << kColumns[i];
        }
        EXPECT_EQ(query.value(16).isNull(), konu.isNull());
        EXPECT_EQ(query.value(16).toString(), konu.toString());
        EXPECT_EQ(query.value(17).toString(), operation);
        EXPECT_FALSE(query.value(18).toString().isEmpty());
        EXPECT_EQ(query.value(19).toInt(), 0) << "waiting to be delivered";
    }

    static Support::AppServer *s_server;
};

Support::AppServer *Mails::s_server = nullptr;

TEST_F(Mails, PasswordRequestIsStoredWithAllItsFields)
{
    const Values sent = fields(u"istek"_s);
    const Protocol::Value id = calls().value("MailGonserCari", sent);
    ASSERT_TRUE(std::holds_alternative<qint32>(id));
    expectStored(std::get<qint32>(id), sent, QVariant(), u"MailGonserCari"_s);
}

TEST_F(Mails, MessageIsStoredWithAllItsFieldsAndBody)
{
    const struct
    {
        const char *what;
        QString body;
    } cases[] = {
        {"the body encoding of two lines", u"\"a b\",c"_s},
        {"quotes and percent signs", u"\"x\"\"y\",100%,'; DELETE FROM mail_kutusu; --"_s},
        {"10,000 characters", QString(10000, u'ğ')},
        {"trailing blanks", u"son satır   "_s},
    };
    for (const auto &c : cases) {
        Values sent = fields(QString::fromLatin1(c.what));
        sent.push_back(c.body);
        const Protocol::Value id = calls().value("MailGonserCariNormal", sent);
        ASSERT_TRUE(std::holds_alternative<qint32>(id)) << c.what;
        sent.pop_back();
        expectStored(std::get<qint32>(id), sent, c.body, u"MailGonserCariNormal"_s);
    }
}

TEST_F(Mails, RefusedMailsLeaveNoRow)
{
    const int before = outboxRows();
    struct Case
    {
        const char *what;
        const char *operation;
        Values inputs;
    };
    std::vector<Case> cases;
    Values noComputer = fields(u"a"_s);
    noComputer[0] = u"   "_s;
    cases.push_back({"no computer identifier", "MailGonserCari", noComputer});
    Values noTitle = fields(u"b"_s);
    noTitle[1] = QString();
    cases.push_back({"no title", "MailGonserCari", noTitle});
    Values longField = fields(u"c"_s);
    longField[2] = QString(5000, u'x');
    cases.push_back({"a field of 5,000 characters", "MailGonserCari", longField});
    Values emptyBody = fields(u"d"_s);
    emptyBody.push_back(u"  \r\n "_s);
    cases.push_back({"an empty body", "MailGonserCariNormal", emptyBody});
    Values hugeBody = fields(u"e"_s);
    hugeBody.push_back(QString(200001, u'y'));
    cases.push_back({"a body of 200,001 characters", "MailGonserCariNormal", hugeBody});

    for (const Case &c : cases) {
        auto answer = calls().call(c.operation, c.inputs);
        ASSERT_FALSE(answer) << c.what;
        EXPECT_FALSE(answer.error().message.isEmpty()) << c.what;
    }
    EXPECT_EQ(outboxRows(), before);
}

} // namespace
