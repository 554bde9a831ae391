// The command line of varsel-appserver: the subcommands the run script and the tests use,
// and refusals that must end the program with a clear message instead of a half start.

#include "tests/support/appserver.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using Support::AppServer;
using namespace Qt::StringLiterals;

namespace {

TEST(CommandLine, UsersAreListedAndAComputerIsRegisteredForOne)
{
    AppServer server;
    ASSERT_TRUE(server.ok()) << server.error().toStdString();
    const QList<Support::DemoUser> users = server.users();
    ASSERT_FALSE(users.isEmpty());
    for (const Support::DemoUser &user : users) {
        EXPECT_FALSE(user.name.isEmpty());
        EXPECT_GE(user.userType, 1);
        EXPECT_LE(user.userType, 4);
    }
    QString error;
    EXPECT_TRUE(server.registerComputer(u"PC-KAYIT-1"_s, users.first().name, &error)) << error.toStdString();
    EXPECT_FALSE(server.registerComputer(u"PC-KAYIT-2"_s, u"BOYLE-BIRI-YOK"_s));
    EXPECT_TRUE(server.running());
}

TEST(CommandLine, WrongUseEndsWithAnErrorCode)
{
    QTemporaryDir dir;
    const QString db = u"sqlite:"_s + dir.filePath(u"v.db"_s);
    const struct
    {
        QStringList args;
        int code;
    } cases[] = {
        {{u"--help"_s}, 0},
        {{u"bilinmeyen"_s}, 2},
        {{u"register-computer"_s, u"PC"_s}, 2},                 // no --user
        {{u"--db"_s, db, u"--port"_s, u"99999"_s}, 2},
        {{u"--db"_s, db, u"--bind"_s, u"adres-degil"_s}, 2},
        {{u"--db"_s, u"mysql://x"_s}, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AppServer::runTool(c.args), c.code) << c.args.join(u' ').toStdString();
}

TEST(CommandLine, ABusyPortIsReportedAndTheProgramEnds)
{
    AppServer first;
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    const int code = AppServer::runTool({u"--db"_s, first.dbUrl(), u"--bind"_s, u"127.0.0.1"_s, u"--port"_s,
                                         QString::number(first.port()), u"--web-port"_s, u"0"_s},
                                        nullptr, std::chrono::seconds(60));
    EXPECT_EQ(code, 1);
}

} // namespace
