#pragma once

// Calling the server methods of a real varsel-appserver the way the client does: the
// request encoded and the answer decoded by the wire library, over loopback HTTP. Shared by
// the method suites of the account, sales representative and notices areas.

#include "tests/support/appserver.h"

#include "protocol/clienttable.h"
#include "protocol/expected.h"
#include "protocol/value.h"

#include <QSqlDatabase>
#include <QString>

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace MethodTests {

using Values = std::vector<Protocol::Value>;

class Calls final
{
public:
    explicit Calls(const Support::AppServer &server)
        : m_server(server)
    {}

    // The out parameters, then the return value; an {"error":...} answer is an Error with its text.
    Protocol::Expected<Values> call(std::string_view operation, const Values &inputs = {}) const;

    // The return value of a call that must succeed (a test failure otherwise; monostate then).
    Protocol::Value value(std::string_view operation, const Values &inputs = {}) const;
    Protocol::ClientTable table(std::string_view operation, const Values &inputs = {}) const;

    // The session record of a demo user, as the login gets it: his computer is registered and
    // BuyukGetir asked for it.
    Protocol::TSonucBilgisi login(const QString &userName) const;

private:
    const Support::AppServer &m_server;
};

// A cell by column name, row by row.
QVariant cell(const Protocol::ClientTable &table, int row, const char *column);
double number(const Protocol::ClientTable &table, int row, const char *column);
qint64 integer(const Protocol::ClientTable &table, int row, const char *column);
QString text(const Protocol::ClientTable &table, int row, const char *column);

// Days since 1899-12-30, as report dates travel.
double oleDay(const QDate &day);

// The server's database, opened beside it (WAL lets it read while the server runs);
// read-only unless a test has to put in a row that no operation writes.
class DatabaseView final
{
public:
    explicit DatabaseView(const Support::AppServer &server, bool writable = false);
    ~DatabaseView();
    DatabaseView(const DatabaseView &) = delete;
    DatabaseView &operator=(const DatabaseView &) = delete;

    QVariant scalar(const QString &sql, const QVariantList &binds = {}) const;
    QSqlDatabase db() const;

private:
    QString m_name;
};

// gtest prints QStrings readably.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << text.toStdString();
}

} // namespace MethodTests
