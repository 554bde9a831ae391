#pragma once

// Support::AppServer starts the real varsel-appserver (the binary named by the environment
// variable B2B_APPSERVER, which every test gets from b2b_add_test) on loopback, on free ports,
// with a fresh SQLite database in a temporary folder, and stops it when it goes out of scope.
//
//     Support::AppServer server;                 // seeds a small catalogue (300 parts)
//     ASSERT_TRUE(server.ok()) << server.error();
//     ASSERT_TRUE(server.registerComputer(u"PC-1"_s, server.users().first().name));
//     auto reply = Support::httpPost(server.host(), server.port(), path, body);
//
// Nothing here needs a QCoreApplication: the server runs as a child process (it receives
// SIGTERM when the test process dies), the subcommands run to their end synchronously.

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace Support {

// One line of `varsel-appserver users`.
struct DemoUser
{
    QString name;
    QString password;
    int userType = 0;
    int customerNo = 0;
    QString customerName;
};

class AppServer final
{
public:
    struct Options
    {
        int parts = 300;                  // --parts: catalogue size of the new database
        // An existing database (another AppServer's dbUrl()) instead of a new one: several
        // instances on one database stand for servers behind a balancer.
        QString dbUrl;
        QStringList extraArgs;            // appended to the server's command line
        std::chrono::seconds startTimeout{120};
    };

    AppServer();
    explicit AppServer(Options options);
    ~AppServer(); // SIGTERM, then SIGKILL after a few seconds
    AppServer(const AppServer &) = delete;
    AppServer &operator=(const AppServer &) = delete;

    bool ok() const;       // started and listening
    QString error() const; // why not

    std::string host() const;     // "127.0.0.1"
    std::uint16_t port() const;   // DataSnap REST port
    std::uint16_t webPort() const;
    QString webRoot() const;      // "http://127.0.0.1:WEBPORT/"
    QString dbPath() const;       // the SQLite file
    QString dbUrl() const;        // "sqlite:" + dbPath(), or the one given in Options
    qint64 pid() const;
    bool running() const;         // the process has not exited

    // The subcommands, on the same database while the server runs.
    bool registerComputer(const QString &computerId, const QString &userName, QString *error = nullptr) const;
    QList<DemoUser> users() const;

    // Runs `varsel-appserver ARGS` to its end; returns its exit code (-1 if it could not run)
    // and its standard output.
    static int runTool(const QStringList &args, QString *output = nullptr,
                       std::chrono::seconds timeout = std::chrono::seconds(120));

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The server binary: $B2B_APPSERVER.
QString appServerPath();

} // namespace Support
