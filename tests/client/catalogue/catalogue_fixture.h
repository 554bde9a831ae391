#pragma once

// The catalogue's windows against a real varsel-appserver: one server for the test program, a
// dealer's session record as BuyukGetir gives it, short retries, and a scripted dialog answerer.

#include "client/server/callpatterns.h"
#include "client/server/connection.h"
#include "client/server/openretry.h"
#include "client/server/serversession.h"
#include "client/session/messagedialog.h"
#include "tests/support/appserver.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace CatalogueTest {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

inline bool waitFor(const std::function<bool()> &condition, int ms = 60000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Types a text into a widget as key presses with the characters' own text, Turkish letters
// included (QTest::keyClicks knows only ASCII keys).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        const auto key = c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

// A loopback port with nobody listening on it.
inline quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

class RealServer : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        for (const Support::DemoUser &user : s_server->users()) {
            if (user.name == u"PASIF"_s || s_users.count(user.userType))
                continue;
            s_users[user.userType] = user;
            s_server->registerComputer(computerFor(user.userType), user.name);
        }
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
        s_users.clear();
    }

    static QString computerFor(int userType) { return u"CATALOGUE-PC-%1"_s.arg(userType); }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString();
        ASSERT_TRUE(s_users.count(3)) << "no dealer among the demo users";
        auto &session = Server::ServerSession::instance();
        session.setServerOverride(QString::fromStdString(s_server->host()), s_server->port());
        session.setWebRootOverride(s_server->webRoot());
        session.applyProductionValues();
        Server::setDefaultRetryPolicy({2, 20ms});
        m_bagc = Server::Connection(session.connectionParams());
        ASSERT_TRUE(signIn(3));
    }
    void TearDown() override { Server::setDefaultRetryPolicy({}); }

    // The session record of the user of a type on his registered computer.
    bool signIn(int userType)
    {
        auto record = Server::callWithPlainOpen(
            m_bagc, [&](Server::TServerMethods1Client &proxy) { return proxy.BuyukGetir(computerFor(userType)); });
        if (!record || !record->has_value())
            return false;
        m_sbilgi = **record;
        return true;
    }

    // What the dialogs said, for failure messages.
    std::string shownTexts() const
    {
        QStringList texts;
        for (const Session::DialogRequest &request : m_answerer.shown())
            texts << request.text;
        return texts.join(u" | "_s).toStdString();
    }

    // A main connection to a port where nobody answers.
    static Server::Connection deadConnection()
    {
        Server::ConnectionParams params = Server::ServerSession::instance().connectionParams();
        params.hostName = u"127.0.0.1"_s;
        params.port = QString::number(closedPort());
        return Server::Connection(params);
    }

    static inline Support::AppServer *s_server = nullptr;
    static inline std::map<int, Support::DemoUser> s_users;
    Server::Connection m_bagc;
    Protocol::TSonucBilgisi m_sbilgi;
    Session::ScriptedAnswerer m_answerer;
};

} // namespace CatalogueTest
