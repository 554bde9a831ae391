#include "methodcalls.h"

#include "tests/support/httpclient.h"

#include "protocol/catalogue.h"
#include "protocol/codec.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace MethodTests {

Protocol::Expected<Values> Calls::call(std::string_view operation, const Values &inputs) const
{
    const Protocol::Operation *op = Protocol::findOperation(operation);
    if (!op)
        return Protocol::makeError(u"unknown operation"_s);
    auto body = Protocol::encodeRequest(*op, inputs);
    if (!body)
        return body.error();
    const Support::HttpReply reply =
        Support::httpPost(m_server.host(), m_server.port(), Protocol::methodPath("datasnap/", *op), *body,
                          {{"Content-Type", "text/plain;charset=UTF-8"}});
    if (!reply.ok)
        return Protocol::makeError(u"no answer: "_s + QString::fromStdString(reply.error));
    if (reply.status != 200)
        return Protocol::makeError(Protocol::decodeErrorAnswer(reply.status, reply.body).message);
    return Protocol::decodeResponse(*op, reply.body);
}

Protocol::Value Calls::value(std::string_view operation, const Values &inputs) const
{
    auto result = call(operation, inputs);
    if (!result) {
        ADD_FAILURE() << operation << ": " << result.error().message.toStdString();
        return std::monostate{};
    }
    if (result->empty()) {
        ADD_FAILURE() << operation << ": no return value";
        return std::monostate{};
    }
    return result->back();
}

Protocol::ClientTable Calls::table(std::string_view operation, const Values &inputs) const
{
    const Protocol::Value result = value(operation, inputs);
    if (const auto *table = std::get_if<Protocol::ClientTable>(&result))
        return *table;
    ADD_FAILURE() << operation << ": not a table";
    return {};
}

Protocol::TSonucBilgisi Calls::login(const QString &userName) const
{
    const QString computer = u"PC-"_s + userName;
    QString error;
    if (!m_server.registerComputer(computer, userName, &error)) {
        ADD_FAILURE() << "register-computer " << userName.toStdString() << ": " << error.toStdString();
        return {};
    }
    const Protocol::Value result = value("BuyukGetir", {computer});
    if (const auto *record = std::get_if<Protocol::TSonucBilgisi>(&result))
        return *record;
    ADD_FAILURE() << "BuyukGetir gave no session record for " << userName.toStdString();
    return {};
}

QVariant cell(const Protocol::ClientTable &table, int row, const char *column)
{
    const int col = table.columnIndex(QString::fromUtf8(column));
    if (col < 0) {
        ADD_FAILURE() << "no column " << column;
        return {};
    }
    return table.value(row, col);
}

double number(const Protocol::ClientTable &table, int row, const char *column)
{
    return cell(table, row, column).toDouble();
}

qint64 integer(const Protocol::ClientTable &table, int row, const char *column)
{
    return cell(table, row, column).toLongLong();
}

QString text(const Protocol::ClientTable &table, int row, const char *column)
{
    return cell(table, row, column).toString();
}

double oleDay(const QDate &day)
{
    return Protocol::toOleDate(day.startOfDay());
}

DatabaseView::DatabaseView(const Support::AppServer &server, bool writable)
    : m_name(u"view-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
    db.setDatabaseName(server.dbPath());
    db.setConnectOptions(writable ? u"QSQLITE_BUSY_TIMEOUT=10000"_s
                                  : u"QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000"_s);
    if (!db.open())
        ADD_FAILURE() << "cannot open " << server.dbPath().toStdString();
}

DatabaseView::~DatabaseView()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase DatabaseView::db() const
{
    return QSqlDatabase::database(m_name, false);
}

QVariant DatabaseView::scalar(const QString &sql, const QVariantList &binds) const
{
    QSqlQuery query(db());
    query.prepare(sql);
    for (const QVariant &bind : binds)
        query.addBindValue(bind);
    if (!query.exec() || !query.next()) {
        ADD_FAILURE() << "query failed: " << sql.toStdString();
        return {};
    }
    return query.value(0);
}

namespace {

// Qt SQL loads its drivers through the application object; every suite that links these
// helpers gets one for the whole test process.
class CoreApplication final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "appserver_methods_test";
        static char *argv[] = {name, nullptr};
        m_app = new QCoreApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QCoreApplication *m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment *const g_env = ::testing::AddGlobalTestEnvironment(new CoreApplication);

} // namespace

} // namespace MethodTests
