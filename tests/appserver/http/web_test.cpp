// The web port of a real varsel-appserver: address echo, setup download, request form.

#include "tests/support/appserver.h"
#include "tests/support/httpclient.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using Support::HttpReply;
using namespace Qt::StringLiterals;

namespace {

// Qt SQL loads its drivers through the application object.
class CoreApplication final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "appserver_http_web_test";
        static char *argv[] = {name, nullptr};
        m_app = new QCoreApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QCoreApplication *m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment *const g_env = ::testing::AddGlobalTestEnvironment(new CoreApplication);

class WebPort : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_server = new Support::AppServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    static HttpReply get(std::string_view path)
    {
        return Support::httpGet(s_server->host(), s_server->webPort(), path);
    }
    static HttpReply postForm(const QList<std::pair<QString, QString>> &fields)
    {
        std::string body;
        for (const auto &[key, value] : fields) {
            if (!body.empty())
                body += '&';
            // As a browser encodes a form: blanks as '+', everything else outside the
            // unreserved set as %XX.
            body += QUrl::toPercentEncoding(key).toStdString() + '='
                    + QUrl::toPercentEncoding(value, " ").replace(' ', '+').toStdString();
        }
        return Support::httpPost(s_server->host(), s_server->webPort(), "/formmailgonder.aspx", body,
                                 {{"Content-Type", "application/x-www-form-urlencoded"}});
    }

    // The stored requests, oldest first: computer_id, carino, kullanici, fields.
    struct Stored
    {
        QString computerId;
        int carino = 0;
        QString kullanici;
        QJsonObject fields;
    };
    static QList<Stored> storedRequests()
    {
        QList<Stored> rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"check"_s);
            db.setDatabaseName(s_server->dbPath());
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(u"SELECT computer_id, carino, kullanici, fields_json, created_at "
                                   u"FROM web_requests ORDER BY id"_s));
            while (query.next()) {
                EXPECT_FALSE(query.value(4).toString().isEmpty());
                rows.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toString(),
                             QJsonDocument::fromJson(query.value(3).toString().toUtf8()).object()});
            }
        }
        QSqlDatabase::removeDatabase(u"check"_s);
        return rows;
    }

    static Support::AppServer *s_server;
};

Support::AppServer *WebPort::s_server = nullptr;

QString text(const HttpReply &reply)
{
    return QString::fromStdString(reply.body);
}

TEST_F(WebPort, AddressEchoAnswersTheCallersAddress)
{
    const HttpReply reply = get("/ip");
    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "127.0.0.1");
    EXPECT_TRUE(reply.header("Content-Type").starts_with("text/plain"));
    // Behind a balancer the first forwarded address is the caller; rubbish there is ignored.
    const auto forwarded = [](const std::string &value) {
        return Support::httpGet(s_server->host(), s_server->webPort(), "/ip", {{"X-Forwarded-For", value}}).body;
    };
    EXPECT_EQ(forwarded("203.0.113.9, 10.0.0.1"), "203.0.113.9");
    EXPECT_EQ(forwarded("<script>"), "127.0.0.1");
}

TEST_F(WebPort, SetupDownloadWithAndWithoutLengthIsTheSameRunnableProgram)
{
    const HttpReply withLength = get("/exe/VarselSetup.exe");
    ASSERT_TRUE(withLength.ok) << withLength.error;
    EXPECT_EQ(withLength.status, 200);
    EXPECT_EQ(withLength.header("Content-Length"), std::to_string(withLength.body.size()));
    EXPECT_GT(withLength.body.size(), 64u * 1024) << "big enough to arrive in many blocks";
    ASSERT_TRUE(withLength.body.starts_with("#!/bin/sh\n"));

    for (std::string_view path : {"/exe/VarselSetup-nolength.exe", "/exe/VarselSetup.exe?nolength=1"}) {
        const HttpReply chunked = get(path);
        ASSERT_TRUE(chunked.ok) << chunked.error;
        EXPECT_EQ(chunked.status, 200);
        EXPECT_FALSE(chunked.hasHeader("Content-Length")) << path;
        EXPECT_EQ(chunked.header("Transfer-Encoding"), "chunked") << path;
        EXPECT_EQ(chunked.body, withLength.body) << path;
    }

    const HttpReply sized = get("/exe/VarselSetup.exe?size=300000");
    EXPECT_EQ(sized.body.size(), 300000u);
    EXPECT_EQ(get("/exe/VarselSetup.exe?size=abc").status, 400);

    // Saved and started as the update does it, with "/silent".
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile program(dir.filePath(u"VarselSetup.exe"_s));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write(withLength.body.data(), qint64(withLength.body.size()));
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    QProcess run;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"VARSEL_SETUP_MARKER"_s, dir.filePath(u"ran"_s));
    run.setProcessEnvironment(environment);
    run.start(program.fileName(), {u"/silent"_s});
    ASSERT_TRUE(run.waitForFinished(10000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
    QFile marker(dir.filePath(u"ran"_s));
    ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
    EXPECT_EQ(marker.readAll(), "/silent\n");
}

TEST_F(WebPort, RequestFormShowsTheComputerItWasOpenedFor)
{
    // As the login opens it: one blank after kullanici=, which the browser sends as %20.
    const HttpReply reply = get("/formmailgonder.aspx?carino=0&kullanici=%20&id=ABC123");
    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Type"), "text/html; charset=utf-8");
    const QString page = text(reply);
    EXPECT_TRUE(page.contains(u"Bilgisayar ID: ABC123"_s));
    EXPECT_TRUE(page.contains(u"Firma Adı"_s));
    EXPECT_TRUE(page.contains(u"name=\"id\" value=\"ABC123\""_s));
    EXPECT_TRUE(page.contains(u"method=\"post\""_s));

    // Whatever the address carries is shown as text, never as markup.
    const QString hostile = text(get("/formmailgonder.aspx?id=%22%3E%3Cscript%3Ex%3C/script%3E"));
    EXPECT_FALSE(hostile.contains(u"<script>"_s));
    EXPECT_TRUE(hostile.contains(u"&quot;&gt;&lt;script&gt;"_s));

    EXPECT_EQ(get("/formmailgonder.aspx?carino=0&kullanici=%20&id=").status, 400);
}

TEST_F(WebPort, RequestFormStoresWhatWasTypedExactly)
{
    const int before = int(storedRequests().size());
    const QString tricky = u"Öz Şahin Oto'; DROP TABLE web_requests; -- & \"ortak\" + 1"_s;
    const HttpReply reply = postForm({{u"carino"_s, u"0"_s},
                                      {u"kullanici"_s, u" "_s},
                                      {u"id"_s, u"PC-İSTEK-1"_s},
                                      {u"firma"_s, tricky},
                                      {u"yetkili"_s, u"Ayşe Yılmaz"_s},
                                      {u"telefon"_s, u"+90 212 555 00 00"_s},
                                      {u"eposta"_s, u"ayse@example.com"_s},
                                      {u"sehir"_s, u"İstanbul"_s},
                                      {u"aciklama"_s, u"satır 1\r\nsatır 2"_s}});
    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.status, 200) << reply.body;
    EXPECT_TRUE(text(reply).contains(u"İsteğiniz alındı"_s));

    const auto rows = storedRequests();
    ASSERT_EQ(rows.size(), before + 1);
    const Stored &row = rows.last();
    EXPECT_EQ(row.computerId, u"PC-İSTEK-1"_s);
    EXPECT_EQ(row.carino, 0);
    EXPECT_EQ(row.kullanici, QString());
    EXPECT_EQ(row.fields.value(u"firma"_s).toString(), tricky);
    EXPECT_EQ(row.fields.value(u"telefon"_s).toString(), u"+90 212 555 00 00"_s);
    EXPECT_EQ(row.fields.value(u"sehir"_s).toString(), u"İstanbul"_s);
    EXPECT_EQ(row.fields.value(u"aciklama"_s).toString(), u"satır 1\r\nsatır 2"_s);
    EXPECT_EQ(row.fields.value(u"vergino"_s).toString(), QString());
}

TEST_F(WebPort, RefusedRequestFormKeepsTheTypedTextAndStoresNothing)
{
    const int before = int(storedRequests().size());
    const struct
    {
        QList<std::pair<QString, QString>> fields;
        QString message;
    } cases[] = {
        {{{u"id"_s, u"PC-2"_s}, {u"firma"_s, u"   "_s}, {u"yetkili"_s, u"Ali <b>"_s}}, u"Firma Adı boş olamaz !"_s},
        {{{u"id"_s, u"PC-2"_s},
          {u"firma"_s, u"Firma"_s},
          {u"yetkili"_s, u"Ali"_s},
          {u"telefon"_s, u"1"_s},
          {u"eposta"_s, u"a@b"_s},
          {u"sehir"_s, u"Ankara"_s},
          {u"vergino"_s, QString(21, u'9')}},
         u"Vergi No en fazla 20 karakter olabilir !"_s},
    };
    for (const auto &c : cases) {
        const HttpReply reply = postForm(c.fields);
        EXPECT_EQ(reply.status, 422);
        EXPECT_TRUE(text(reply).contains(c.message)) << c.message.toStdString();
    }
    EXPECT_TRUE(text(postForm(cases[0].fields)).contains(u"value=\"Ali &lt;b&gt;\""_s)) << "typed text comes back";
    // Without the computer it came from, a request is of no use.
    EXPECT_EQ(postForm({{u"firma"_s, u"X"_s}}).status, 400);
    EXPECT_EQ(storedRequests().size(), before);
}

TEST_F(WebPort, OtherPlacesAnswerNotFound)
{
    for (std::string_view path : {"/resimgoster.ashx?id=1201", "/tahsilkart.html?carino=1", "/yok", "/"}) {
        const HttpReply reply = get(path);
        ASSERT_TRUE(reply.ok) << reply.error;
        EXPECT_EQ(reply.status, 404) << path;
    }
    const HttpReply wrongVerb = Support::httpPost(s_server->host(), s_server->webPort(), "/ip", "x");
    EXPECT_EQ(wrongVerb.status, 405);
    EXPECT_EQ(wrongVerb.header("Allow"), "GET");
}

} // namespace
