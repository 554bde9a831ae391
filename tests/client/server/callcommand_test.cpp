// `varsel-b2b call`: its printed form, and the real binary against the real server.
#include "realserver.h"

#include "client/app/callcommand.h"
#include "client/server/servermethods.h"

#include <QProcess>

using namespace Qt::StringLiterals;
using Protocol::ColumnInfo;
using Protocol::ColumnKind;

TEST(CallOutput, TableLinesWithEveryKindNullsAndEscapes)
{
    Protocol::ClientTable table;
    const std::pair<const char *, ColumnKind> columns[] = {
        {"ADI", ColumnKind::Text},       {"ADET", ColumnKind::Int32},     {"BUYUK", ColumnKind::Int64},
        {"FIYAT", ColumnKind::Float},    {"TUTAR", ColumnKind::Currency}, {"SECILI", ColumnKind::Bool},
        {"TARIH", ColumnKind::DateTime}, {"RESIM", ColumnKind::Bytes},
    };
    for (const auto &[name, kind] : columns) {
        ColumnInfo info;
        info.name = QString::fromLatin1(name);
        info.kind = kind;
        info.typeCode = Protocol::defaultTypeCode(kind);
        table.addColumn(info);
    }
    table.appendRow({u"ön\tarka\nsatır\\son"_s, 7, qint64(1) << 40, 0.1, 125.5, true,
                     QDateTime(QDate(2024, 2, 29), QTime(13, 45, 6, 7)), QByteArray("\x00\xff\x10", 3)});
    table.appendRow({QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    table.appendRow({u""_s, -2147483647 - 1, qint64(-1), 1e21, -0.5, false, QDateTime(QDate(1899, 12, 30), QTime(0, 0)),
                     QByteArray()});
    table.applyMoneyFormat(); // the display format changes nothing of the printed values

    const std::string expected =
        "ADI\tADET\tBUYUK\tFIYAT\tTUTAR\tSECILI\tTARIH\tRESIM\n"
        "text\tint32\tint64\tfloat\tcurrency\tbool\tdatetime\tbytes\n"
        "ön\\tarka\\nsatır\\\\son\t7\t1099511627776\t0.1\t125.5\ttrue\t2024-02-29T13:45:06.007\t00ff10\n"
        "\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\n"
        "\t-2147483648\t-1\t1e+21\t-0.5\tfalse\t1899-12-30T00:00:00.000\t\n";
    EXPECT_EQ(App::formatTable(table), expected);
}

TEST(CallOutput, ScalarsRecordsAndStreams)
{
    Protocol::TSiparisDipAyrinti dip;
    dip.FSizinMesaj = u"iki\nsatır"_s;
    dip.FDurumu = u"Onaylandı"_s;
    Protocol::TAcilisEkranlariki ekranlar;
    ekranlar.FEkranlar = {Protocol::TAcilisEkran{1, u"ff"_s, u"Yeni"_s, u"#YENİ#"_s},
                          Protocol::TAcilisEkran{2, {}, u"Kampanya"_s, u"#KAMPANYA#"_s}};

    struct Case
    {
        const char *what;
        std::vector<Protocol::Value> outputs;
        std::string expected;
    };
    const Case cases[] = {
        {"procedure", {}, ""},
        {"text", {u"a\tb"_s}, "a\\tb\n"},
        {"integer", {qint32(-5)}, "-5\n"},
        {"boolean", {false}, "false\n"},
        {"null object", {std::monostate()}, "null\n"},
        {"stream after its size",
         {qint64(10), Protocol::Stream{10, QByteArray("abc")}},
         "size=10 bytes=3 sha256=ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\n"},
        {"record",
         {dip},
         "FSizinMesaj=iki\\nsatır\nFDurumu=Onaylandı\nFVeren=\nFKargo=\nFBizimMesaj=\nFTeslimCinsi=\n"
         "FKargoCinsi=\nFSaticiNotu=\n"},
        {"record with an array",
         {ekranlar},
         "FEkranlar=2\n"
         "FEkranlar[0].FSiraNo=1\nFEkranlar[0].FResim=ff\nFEkranlar[0].FBaslik=Yeni\nFEkranlar[0].FArama=#YENİ#\n"
         "FEkranlar[1].FSiraNo=2\nFEkranlar[1].FResim=\nFEkranlar[1].FBaslik=Kampanya\n"
         "FEkranlar[1].FArama=#KAMPANYA#\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(App::formatOutputs(c.outputs), c.expected);
    }
}

namespace {

struct ClientRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ClientRun runClient(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(VARSEL_B2B_BINARY), args);
    ClientRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = u"did not finish"_s;
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class CallCommand : public ClientTest::RealServer
{
protected:
    static QString server()
    {
        return QString::fromStdString(s_server->host()) + u':' + QString::number(s_server->port());
    }
};

TEST_F(CallCommand, BuyukGetirPrintsTheRecordFieldByFieldOrNull)
{
    const ClientRun found = runClient({u"call"_s, u"BuyukGetir"_s, registeredId(), u"--server"_s, server()});
    ASSERT_EQ(found.exitCode, 0) << found.err.toStdString();
    const QStringList lines = found.out.split(u'\n', Qt::SkipEmptyParts);

    QStringList expectedNames;
    Protocol::TSonucBilgisi().visit([&](const char *name, auto &) { expectedNames << QString::fromLatin1(name); });
    ASSERT_EQ(lines.size(), expectedNames.size()) << found.out.toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(expectedNames[i] + u'=')) << lines[i].toStdString();
    EXPECT_TRUE(lines.contains(u"FADI="_s + s_user.name));

    const ClientRun unknown = runClient({u"call"_s, u"BuyukGetir"_s, u"NO-SUCH-PC"_s, u"--server"_s, server()});
    ASSERT_EQ(unknown.exitCode, 0) << unknown.err.toStdString();
    EXPECT_TRUE(unknown.out.contains(u"\nFVarmi=false\n"_s)) << unknown.out.toStdString();

    const ClientRun missing = runClient({u"call"_s, u"BuyukGetir"_s, u""_s, u"--server"_s, server()});
    ASSERT_EQ(missing.exitCode, 0) << missing.err.toStdString();
    EXPECT_EQ(missing.out, u"null\n"_s);
}

TEST_F(CallCommand, TableAndStreamPrintWhatTheProxyReads)
{
    Server::ServerSession session;
    Server::Connection connection(params(), &session);
    ASSERT_TRUE(connection.open());
    Server::TServerMethods1Client proxy(connection);
    const auto statement = proxy.CariEkstreVer(s_user.customerNo);
    ASSERT_TRUE(statement) << statement.error().message.toStdString();
    ASSERT_GT(statement->rowCount(), 0) << "the demo data has a statement for every dealer";
    const auto banner = proxy.BannerResimVer2();
    ASSERT_TRUE(banner) << banner.error().message.toStdString();

    const ClientRun table =
        runClient({u"call"_s, u"CariEkstreVer"_s, QString::number(s_user.customerNo), u"--server"_s, server()});
    ASSERT_EQ(table.exitCode, 0) << table.err.toStdString();
    EXPECT_EQ(table.out.toStdString(), App::formatTable(*statement));
    const QStringList lines = table.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + statement->rowCount());
    const qsizetype columns = lines[0].split(u'\t').size();
    EXPECT_EQ(columns, statement->columnCount());
    for (const QString &line : lines)
        EXPECT_EQ(line.split(u'\t').size(), columns) << line.toStdString();

    const ClientRun stream = runClient({u"call"_s, u"BannerResimVer2"_s, u"--server"_s, server()});
    ASSERT_EQ(stream.exitCode, 0) << stream.err.toStdString();
    EXPECT_EQ(stream.out.toStdString(), App::formatOutputs({banner->announcedSize, *banner}));
    EXPECT_TRUE(stream.out.startsWith(u"size="_s + QString::number(banner->announcedSize) + u" bytes="_s +
                                      QString::number(banner->bytes.size()) + u" sha256="_s));
}

TEST_F(CallCommand, SessionParameterIsTheRecordOfTheComputerGivenWithAs)
{
    // BalonGetir needs the record of a real user: with --as the command sends the dealer's,
    // without it a fresh record, which the server refuses.
    Server::ServerSession session;
    Server::Connection connection(params(), &session);
    ASSERT_TRUE(connection.open());
    Server::TServerMethods1Client proxy(connection);
    const auto record = proxy.BuyukGetir(registeredId());
    ASSERT_TRUE(record && record->has_value());
    const auto expected = proxy.BalonGetir(**record);
    ASSERT_TRUE(expected) << expected.error().message.toStdString();

    const ClientRun run = runClient({u"call"_s, u"BalonGetir"_s, u"--as"_s, registeredId(), u"--server"_s, server()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), App::formatTable(*expected));

    const ClientRun fresh = runClient({u"call"_s, u"BalonGetir"_s, u"--server"_s, server()});
    EXPECT_EQ(fresh.exitCode, 1);
    EXPECT_TRUE(fresh.out.isEmpty());
}

TEST_F(CallCommand, FailuresGoToStandardErrorWithExitCodeOne)
{
    struct Case
    {
        const char *what;
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {"server not reachable", {u"call"_s, u"KayanYaziGetir"_s, u"--server"_s, u"127.0.0.1:1"_s}, 1},
        {"unknown operation", {u"call"_s, u"YokBoyleBirIslem"_s, u"--server"_s, server()}, 1},
        {"argument not an integer", {u"call"_s, u"EnVer"_s, u"on"_s, u"--server"_s, server()}, 1},
        {"too few arguments", {u"call"_s, u"KampanyaliVer2"_s, u"1"_s, u"--server"_s, server()}, 1},
        {"unregistered --as", {u"call"_s, u"SepetSayisi"_s, u"--as"_s, u"NO-SUCH-PC"_s, u"--server"_s, server()}, 1},
        {"bad server address", {u"call"_s, u"KayanYaziGetir"_s, u"--server"_s, u"host:port"_s}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const ClientRun run = runClient(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_FALSE(run.err.trimmed().isEmpty());
    }
    const ClientRun refused = runClient(cases[0].args);
    EXPECT_TRUE(refused.err.contains(u"Connection refused"_s)) << refused.err.toStdString();
}

TEST(WindowlessCommands, RunWithoutADisplay)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"QT_QPA_PLATFORM"_s);
    for (const QString &command : {u"--help"_s, u"--version"_s, u"--computer-id"_s}) {
        SCOPED_TRACE(command.toStdString());
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VARSEL_B2B_BINARY), {command});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_FALSE(process.readAllStandardOutput().trimmed().isEmpty() && command != u"--computer-id"_s);
    }
}
