#pragma once

#include "testhelpers.h"

#include "tests/support/appserver.h"

#include <gtest/gtest.h>

namespace ClientTest {

// One real varsel-appserver for a whole suite: starting it and seeding its database is the
// slow part, and the tests only read or add their own rows.
class RealServer : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (s_server->ok() && !s_server->users().isEmpty()) {
            // A dealer: a user with a customer account of his own has rows in every list.
            const QList<Support::DemoUser> users = s_server->users();
            s_user = users.first();
            for (const Support::DemoUser &u : users) {
                if (u.customerNo > 0) {
                    s_user = u;
                    break;
                }
            }
            s_server->registerComputer(registeredId(), s_user.name);
        }
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString();
        ASSERT_FALSE(s_user.name.isEmpty()) << "the demo database has no users";
    }

    static QString registeredId() { return QStringLiteral("TEST-PC-0001"); }
    static Server::ConnectionParams params() { return loopback(s_server->port(), s_server->host()); }

    static inline Support::AppServer *s_server = nullptr;
    static inline Support::DemoUser s_user;
};

} // namespace ClientTest
