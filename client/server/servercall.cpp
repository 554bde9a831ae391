#include "servermethods.h"

#include "connection.h"

#include "protocol/codec.h"

#include <QDebug>

using namespace Qt::StringLiterals;

namespace Server {

using Protocol::Value;
using Values = Protocol::Expected<std::vector<Value>>;

namespace {

QString opText(std::string_view name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

} // namespace

TServerMethods1Client::TServerMethods1Client(Connection &connection)
    : m_connection(&connection)
{}

Values TServerMethods1Client::call(std::string_view operation, std::vector<Value> inputs)
{
    const Protocol::Operation *op = Protocol::findOperation(operation);
    if (!op) {
        qWarning() << "no such server operation:" << opText(operation);
        return Protocol::makeError(u"Sunucuda böyle bir işlem yok: %1"_s.arg(opText(operation)));
    }
    if (!m_connection->isOpen())
        return Protocol::makeError(u"Sunucu bağlantısı yok (%1 çağrılamadı)"_s.arg(opText(operation)));

    auto body = Protocol::encodeRequest(*op, inputs);
    if (!body) {
        // The typed methods follow the catalogue, so this is a programmer's slip.
        qWarning() << "parameters do not match the catalogue:" << body.error().message;
        return body.error();
    }
    const std::string path = Protocol::methodPath(m_connection->params().datasnapContext.toStdString(), *op);

    for (int attempt = 0;; ++attempt) {
        auto reply = m_connection->post(path, *body);
        if (!reply)
            return reply.error();
        if (reply->status >= 200 && reply->status < 300)
            return Protocol::decodeResponse(*op, reply->body);
        const Protocol::ErrorAnswer answer = Protocol::decodeErrorAnswer(reply->status, reply->body);
        if (answer.kind == Protocol::ErrorAnswer::Kind::SessionExpired && attempt == 0) {
            m_connection->session().clearDsSessionId();
            continue;
        }
        if (answer.message.isEmpty())
            return Protocol::makeError(answer.kind == Protocol::ErrorAnswer::Kind::SessionExpired
                                           ? u"Sunucu oturumu sona erdi"_s
                                           : u"Sunucu beklenmeyen bir cevap verdi (HTTP %1)"_s.arg(reply->status));
        return Protocol::makeError(answer.message);
    }
}

} // namespace Server
