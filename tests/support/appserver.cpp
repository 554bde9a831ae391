#include "appserver.h"

#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace Support {

namespace {

using Clock = std::chrono::steady_clock;

struct Child
{
    pid_t pid = -1;
    int out = -1; // read end of the child's standard output
};

// fork/exec rather than QProcess: no application object or event loop is needed, and the
// child gets SIGTERM if the test process dies before it could stop the server.
bool spawn(const QStringList &args, Child &child, QString &error)
{
    const QString program = appServerPath();
    if (program.isEmpty()) {
        error = u"B2B_APPSERVER is not set"_s;
        return false;
    }
    std::vector<QByteArray> storage;
    storage.push_back(program.toLocal8Bit());
    for (const QString &arg : args)
        storage.push_back(arg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &arg : storage)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        dup2(fds[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    child.pid = pid;
    child.out = fds[0];
    return true;
}

// Reads until a line break, the end of the output or the deadline; false on the last two.
bool readLine(int fd, std::string &buffer, std::string &line, Clock::time_point deadline)
{
    for (;;) {
        if (const auto nl = buffer.find('\n'); nl != std::string::npos) {
            line = buffer.substr(0, nl);
            buffer.erase(0, nl + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char chunk[4096];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        buffer.append(chunk, std::size_t(n));
    }
}

// Waits for the child until the deadline; its exit code, -1 when killed or still running.
int reap(pid_t pid, Clock::time_point deadline, bool *exited = nullptr)
{
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) {
            if (exited)
                *exited = true;
            return done == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (Clock::now() >= deadline) {
            if (exited)
                *exited = false;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    bool exited = false;
    reap(pid, Clock::now() + std::chrono::seconds(10), &exited);
    if (!exited) {
        kill(pid, SIGKILL);
        reap(pid, Clock::now() + std::chrono::seconds(10));
    }
}

bool parseEndpoint(const std::string &text, std::uint16_t &port)
{
    const auto colon = text.rfind(':');
    if (colon == std::string::npos)
        return false;
    bool ok = false;
    const uint value = QString::fromStdString(text.substr(colon + 1)).toUInt(&ok);
    port = std::uint16_t(value);
    return ok && value > 0 && value < 65536;
}

} // namespace

QString appServerPath()
{
    return qEnvironmentVariable("B2B_APPSERVER");
}

struct AppServer::Private
{
    QTemporaryDir dir;
    QString dbPath;
    QString dbUrl;
    pid_t pid = -1;
    mutable bool exited = false;
    std::uint16_t port = 0;
    std::uint16_t webPort = 0;
    QString error;
};

AppServer::AppServer()
    : AppServer(Options{})
{}

AppServer::AppServer(Options options)
    : d(std::make_unique<Private>())
{
    if (!d->dir.isValid()) {
        d->error = u"no temporary folder: "_s + d->dir.errorString();
        return;
    }
    if (options.dbUrl.isEmpty()) {
        d->dbPath = d->dir.filePath(u"varsel.db"_s);
        d->dbUrl = u"sqlite:"_s + d->dbPath;
    } else {
        d->dbUrl = options.dbUrl;
        if (d->dbUrl.startsWith(u"sqlite:"_s))
            d->dbPath = d->dbUrl.mid(7);
    }
    QStringList args{u"--db"_s, dbUrl(), u"--bind"_s, u"127.0.0.1"_s, u"--port"_s, u"0"_s,
                     u"--web-port"_s, u"0"_s, u"--parts"_s, QString::number(options.parts)};
    args += options.extraArgs;

    Child child;
    if (!spawn(args, child, d->error))
        return;
    d->pid = child.pid;
    std::string buffer;
    std::string line;
    const bool gotLine = readLine(child.out, buffer, line, Clock::now() + options.startTimeout);
    close(child.out); // the server prints nothing more; a full pipe must never block it
    if (!gotLine) {
        // The output ended or the time ran out; a process that is ending gets a moment.
        bool exited = false;
        const int code = reap(d->pid, Clock::now() + std::chrono::seconds(5), &exited);
        d->exited = exited;
        d->error = exited ? u"varsel-appserver ended with exit code %1 before listening"_s.arg(code)
                          : u"varsel-appserver did not report listening in time"_s;
        return;
    }
    // listening on ADDRESS:PORT web ADDRESS:WEBPORT
    const QStringList words = QString::fromStdString(line).split(u' ');
    if (words.size() != 5 || words.at(0) != u"listening"_s || words.at(3) != u"web"_s
        || !parseEndpoint(words.at(2).toStdString(), d->port) || !parseEndpoint(words.at(4).toStdString(), d->webPort)) {
        d->error = u"unexpected first line: "_s + QString::fromStdString(line);
        d->port = d->webPort = 0;
    }
}

AppServer::~AppServer()
{
    if (d->pid > 0 && !d->exited)
        stop(d->pid);
}

bool AppServer::ok() const
{
    return d->error.isEmpty() && d->port != 0;
}

QString AppServer::error() const
{
    return d->error;
}

std::string AppServer::host() const
{
    return "127.0.0.1";
}

std::uint16_t AppServer::port() const
{
    return d->port;
}

std::uint16_t AppServer::webPort() const
{
    return d->webPort;
}

QString AppServer::webRoot() const
{
    return u"http://127.0.0.1:%1/"_s.arg(d->webPort);
}

QString AppServer::dbPath() const
{
    return d->dbPath;
}

QString AppServer::dbUrl() const
{
    return d->dbUrl;
}

qint64 AppServer::pid() const
{
    return d->pid;
}

bool AppServer::running() const
{
    if (d->pid <= 0 || d->exited)
        return false;
    reap(d->pid, Clock::now(), &d->exited);
    return !d->exited;
}

bool AppServer::registerComputer(const QString &computerId, const QString &userName, QString *error) const
{
    QString output;
    const int code = runTool({u"register-computer"_s, computerId, u"--user"_s, userName, u"--db"_s, dbUrl()}, &output);
    if (code != 0 && error)
        *error = u"register-computer ended with exit code %1"_s.arg(code);
    return code == 0;
}

QList<DemoUser> AppServer::users() const
{
    QString output;
    QList<DemoUser> users;
    if (runTool({u"users"_s, u"--db"_s, dbUrl()}, &output) != 0)
        return users;
    for (const QString &line : output.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split(u'\t');
        if (cells.size() != 5)
            continue;
        users.append(DemoUser{cells.at(0), cells.at(1), cells.at(2).toInt(), cells.at(3).toInt(), cells.at(4)});
    }
    return users;
}

int AppServer::runTool(const QStringList &args, QString *output, std::chrono::seconds timeout)
{
    Child child;
    QString error;
    if (!spawn(args, child, error))
        return -1;
    const auto deadline = Clock::now() + timeout;
    std::string all;
    std::string line;
    while (readLine(child.out, all, line, deadline)) {
        if (output)
            *output += QString::fromStdString(line) + u'\n';
    }
    if (output && !all.empty())
        *output += QString::fromStdString(all);
    close(child.out);
    bool exited = false;
    const int code = reap(child.pid, deadline, &exited);
    if (!exited) {
        stop(child.pid);
        return -1;
    }
    return code;
}

} // namespace Support
