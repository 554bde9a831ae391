#include "callcommand.h"

#include "client/platform/identity.h"
#include "client/server/callpatterns.h"
#include "client/server/connection.h"
#include "client/server/servermethods.h"
#include "client/server/serversession.h"

#include "protocol/catalogue.h"

#include <QCryptographicHash>
#include <QDateTime>

#include <charconv>
#include <cstdio>
#include <system_error>

using namespace Qt::StringLiterals;

namespace App {

namespace {

void print(FILE *to, const std::string &text)
{
    std::fwrite(text.data(), 1, text.size(), to);
    std::fflush(to);
}

void print(FILE *to, const QString &text)
{
    print(to, text.toStdString());
}

int fail(const QString &message)
{
    print(stderr, u"varsel-b2b: "_s + message + u'\n');
    return 1;
}

std::string escaped(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string escaped(const QString &text)
{
    return escaped(text.toStdString());
}

std::string number(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v); // shortest form that reads back exactly
    return std::string(buf, r.ptr);
}

std::string dateTimeText(qint64 naiveMsecs)
{
    return QDateTime::fromMSecsSinceEpoch(naiveMsecs, Qt::UTC).toString(u"yyyy-MM-dd'T'HH:mm:ss.zzz"_s).toStdString();
}

std::string cellText(const Protocol::ClientTable &t, int row, int col)
{
    using Protocol::ColumnKind;
    if (t.isNull(row, col))
        return "\\N";
    switch (t.column(col).kind) {
    case ColumnKind::Text: return escaped(t.utf8(row, col));
    case ColumnKind::Int32:
    case ColumnKind::Int64: return std::to_string(t.integer(row, col));
    case ColumnKind::Float:
    case ColumnKind::Currency: return number(t.number(row, col));
    case ColumnKind::Bool: return t.boolean(row, col) ? "true" : "false";
    case ColumnKind::DateTime: return dateTimeText(t.dateTimeMsecs(row, col));
    case ColumnKind::Bytes: return t.bytes(row, col).toHex().toStdString();
    }
    return {};
}

std::string fieldText(const QString &v)
{
    return escaped(v);
}
std::string fieldText(qint32 v)
{
    return std::to_string(v);
}
std::string fieldText(double v)
{
    return number(v);
}
std::string fieldText(bool v)
{
    return v ? "true" : "false";
}

template<typename Record> void writeRecord(std::string &out, Record record, const std::string &prefix = {})
{
    record.visit([&](const char *name, auto &value) {
        using T = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<T, QList<Protocol::TAcilisEkran>>) {
            // The array: its length, then each item's fields under NAME[i].
            out += prefix + name + '=' + std::to_string(value.size()) + '\n';
            for (qsizetype i = 0; i < value.size(); ++i)
                writeRecord(out, value[i], prefix + name + '[' + std::to_string(i) + "].");
        } else {
            out += prefix + name + '=' + fieldText(value) + '\n';
        }
    });
}

struct ValuePrinter
{
    std::string &out;
    void operator()(std::monostate) const { out += "null\n"; }
    void operator()(const QString &v) const { out += escaped(v) + '\n'; }
    void operator()(qint32 v) const { out += std::to_string(v) + '\n'; }
    void operator()(qint64 v) const { out += std::to_string(v) + '\n'; }
    void operator()(double v) const { out += number(v) + '\n'; }
    void operator()(bool v) const { out += v ? "true\n" : "false\n"; }
    void operator()(const Protocol::ClientTable &t) const { out += formatTable(t); }
    void operator()(const Protocol::Stream &s) const
    {
        out += "size=" + std::to_string(s.announcedSize) + " bytes=" + std::to_string(s.bytes.size()) +
               " sha256=" + QCryptographicHash::hash(s.bytes, QCryptographicHash::Sha256).toHex().toStdString() + '\n';
    }
    template<typename Record> void operator()(const Record &r) const { writeRecord(out, r); }
};

// The printed name of a parameter kind, for the usage line of an operation.
QString parameterList(const Protocol::Operation &op)
{
    QStringList names;
    for (const Protocol::Parameter &p : op.params) {
        if (p.kind == Protocol::ParamKind::Text || p.kind == Protocol::ParamKind::Int32 ||
            p.kind == Protocol::ParamKind::Double)
            names << QString::fromLatin1(p.name.data(), qsizetype(p.name.size()));
    }
    return names.join(u' ');
}

Protocol::Expected<Protocol::Value> readArgument(const Protocol::Parameter &p, const QString &text)
{
    const QString name = QString::fromLatin1(p.name.data(), qsizetype(p.name.size()));
    if (p.kind == Protocol::ParamKind::Text)
        return Protocol::Value(text);
    const std::string s = text.toStdString();
    const char *end = s.data() + s.size();
    if (p.kind == Protocol::ParamKind::Int32) {
        qint32 v = 0;
        const auto r = std::from_chars(s.data(), end, v);
        if (s.empty() || r.ec != std::errc() || r.ptr != end)
            return Protocol::makeError(u"%1: 32 bitlik bir tamsayı değil: \"%2\""_s.arg(name, text));
        return Protocol::Value(v);
    }
    double v = 0;
    const auto r = std::from_chars(s.data(), end, v);
    if (s.empty() || r.ec != std::errc() || r.ptr != end)
        return Protocol::makeError(u"%1: bir sayı değil: \"%2\""_s.arg(name, text));
    return Protocol::Value(v);
}

int runCall(const QStringList &args)
{
    if (args.isEmpty())
        return fail(u"call: işlem adı eksik"_s);
    const QString name = args.first();
    const Protocol::Operation *op = Protocol::findOperation(name.toStdString());
    if (!op)
        return fail(u"call: bilinmeyen işlem: %1"_s.arg(name));

    QStringList positional;
    QString asId;
    bool haveAs = false;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (!optionsEnded && a == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && a == u"--as") {
            if (i + 1 >= args.size())
                return fail(u"call: --as bir bilgisayar kimliği bekliyor"_s);
            asId = args[++i];
            haveAs = true;
        } else if (!optionsEnded && a.startsWith(u"--as=")) {
            asId = a.mid(5);
            haveAs = true;
        } else {
            positional << a;
        }
    }

    std::vector<const Protocol::Parameter *> sent;
    for (const Protocol::Parameter &p : op->params) {
        if (p.kind == Protocol::ParamKind::Text || p.kind == Protocol::ParamKind::Int32 ||
            p.kind == Protocol::ParamKind::Double)
            sent.push_back(&p);
    }
    if (qsizetype(sent.size()) != positional.size())
        return fail(u"call: %1 %2 değer bekliyor (%3), %4 verildi"_s.arg(name)
                        .arg(sent.size())
                        .arg(parameterList(*op))
                        .arg(positional.size()));

    std::vector<Protocol::Value> arguments;
    for (size_t i = 0; i < sent.size(); ++i) {
        auto v = readArgument(*sent[i], positional[qsizetype(i)]);
        if (!v)
            return fail(u"call: "_s + v.error().message);
        arguments.push_back(std::move(*v));
    }

    Server::ServerSession &session = Server::ServerSession::instance();
    session.applyProductionValues();
    Server::Connection connection(session.connectionParams(), &session);

    auto outputs = Server::callWithPlainOpen(
        connection, [&](Server::TServerMethods1Client &proxy) -> Protocol::Expected<std::vector<Protocol::Value>> {
            Protocol::TSonucBilgisi record;
            if (haveAs) {
                auto found = proxy.BuyukGetir(asId);
                if (!found)
                    return found.error();
                if (!found->has_value() || !(*found)->FVarmi)
                    return Protocol::makeError(u"%1 kimliğine kayıtlı kullanıcı yok"_s.arg(asId));
                record.Kopyala(**found);
            }
            std::vector<Protocol::Value> inputs;
            size_t next = 0;
            for (const Protocol::Parameter &p : op->params) {
                if (p.kind == Protocol::ParamKind::Session)
                    inputs.emplace_back(record); // each object parameter gets a copy of its own
                else if (p.kind != Protocol::ParamKind::OutInt64)
                    inputs.push_back(arguments[next++]);
            }
            return proxy.call(op->name, std::move(inputs));
        });
    if (!outputs)
        return fail(u"call %1: %2"_s.arg(name, outputs.error().message));
    print(stdout, formatOutputs(*outputs));
    return 0;
}

} // namespace

std::string formatTable(const Protocol::ClientTable &table)
{
    std::string out;
    for (int c = 0; c < table.columnCount(); ++c)
        out += (c ? "\t" : "") + escaped(table.column(c).name);
    out += '\n';
    for (int c = 0; c < table.columnCount(); ++c)
        out += (c ? "\t" : "") + Protocol::columnKindName(table.column(c).kind).toStdString();
    out += '\n';
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (c)
                out += '\t';
            out += cellText(table, r, c);
        }
        out += '\n';
    }
    return out;
}

std::string formatOutputs(const std::vector<Protocol::Value> &outputs)
{
    // The announced size of a stream travels as an out parameter before it; the stream's own
    // line shows it, so only the return value is printed.
    std::string out;
    if (!outputs.empty())
        std::visit(ValuePrinter{out}, outputs.back());
    return out;
}

QString usageText()
{
    return u"Kullanım:\n"
           "  varsel-b2b [--server SUNUCU[:PORT]] [--web-root ADRES]   pencereleri açar\n"
           "  varsel-b2b --help          bu yardım\n"
           "  varsel-b2b --version       programın sürümü\n"
           "  varsel-b2b --computer-id   bu bilgisayarın kimliği\n"
           "  varsel-b2b call İŞLEM [DEĞER...] [--server SUNUCU[:PORT]] [--as KİMLİK]\n"
           "      bir sunucu işlemini çağırır ve cevabını yazar. Değerler işlemin metin, tamsayı ve\n"
           "      ondalık parametrelerine sırayla gider; oturum kaydı parametresi --as ile verilen\n"
           "      bilgisayar kimliğinin kaydıdır (BuyukGetir), --as yoksa boş bir kayıttır.\n"
           "      Tablo: sekmeyle ayrılmış satırlar (kolon adları, kolon türleri, her satır; boş \\N).\n"
           "      Kayıt: ALAN=değer satırları. Akış: size=N bytes=M sha256=HEX. Hata: çıkış kodu 1.\n"_s;
}

Protocol::Expected<QStringList> applyServerOptions(const QStringList &arguments)
{
    QStringList rest;
    Server::ServerSession &session = Server::ServerSession::instance();
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        QString value;
        const bool isServer = a == u"--server" || a.startsWith(u"--server=");
        const bool isWebRoot = a == u"--web-root" || a.startsWith(u"--web-root=");
        if (optionsEnded || !(isServer || isWebRoot)) {
            optionsEnded = optionsEnded || a == u"--";
            rest << a;
            continue;
        }
        if (a.contains(u'=')) {
            value = a.section(u'=', 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return Protocol::makeError(u"%1 bir değer bekliyor"_s.arg(a));
        }
        if (isServer) {
            Server::HostPort hp;
            if (!Server::parseHostPort(value, hp))
                return Protocol::makeError(u"--server: geçersiz sunucu adresi: \"%1\""_s.arg(value));
            session.setServerOverride(hp.host, hp.port);
        } else {
            if (!value.startsWith(u"http://") && !value.startsWith(u"https://"))
                return Protocol::makeError(u"--web-root: http:// ya da https:// ile başlamalı: \"%1\""_s.arg(value));
            session.setWebRootOverride(value);
        }
    }
    return rest;
}

bool isWindowlessCommand(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return false;
    const QString &first = arguments.first();
    return first == u"--help" || first == u"-h" || first == u"--version" || first == u"--computer-id" ||
           first == u"call";
}

int runWindowlessCommand(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    if (command == u"--help" || command == u"-h") {
        print(stdout, usageText());
        return 0;
    }
    if (command == u"--version") {
        print(stdout, u"varsel-b2b %1\n"_s.arg(QStringLiteral(VARSEL_B2B_VERSION)));
        return 0;
    }
    if (command == u"--computer-id") {
        print(stdout, Platform::computerIdentifier() + u'\n');
        return 0;
    }
    if (command == u"call")
        return runCall(arguments.mid(1));
    print(stderr, u"varsel-b2b: bilinmeyen komut: %1\n"_s.arg(command) + usageText());
    return 2;
}

} // namespace App
