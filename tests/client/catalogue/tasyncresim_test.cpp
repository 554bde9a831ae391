// The picture control: the real server's picture endpoint, and a small local web server for the
// answers a real one rarely gives (odd content types, broken bodies, a transfer that never ends).
#include "catalogue_fixture.h"

#include "client/catalogue/stockrow.h"
#include "client/catalogue/tasyncresim.h"
#include "tests/support/httpclient.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpSocket>

#include <map>

namespace CatalogueTest {
namespace {

QByteArray encoded(const char *format, QColor colour = Qt::red, QSize size = QSize(40, 30))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

// Answers GET /NAME with what the test put under NAME; "/stall" sends its headers and then
// nothing more. It counts the requests and notices dropped connections.
class PictureServer final : public QObject
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray contentType;
        QByteArray body;
    };

    PictureServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, this, [this] { ++disconnects; });
            }
        });
    }

    QString url(const QString &name) const { return u"http://127.0.0.1:%1/%2"_s.arg(m_server.serverPort()).arg(name); }

    std::map<QByteArray, Answer> answers;
    int requests = 0;
    int disconnects = 0;

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        ++requests;
        const QByteArray path = pending.split(' ').value(1).mid(1);
        pending.clear();
        if (path == "stall") {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: 100000\r\n\r\n");
            socket->write(QByteArray(100, 'x'));
            return;
        }
        const auto found = answers.find(path);
        const Answer a = found == answers.end() ? Answer{404, "text/html", "<html>yok</html>"} : found->second;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + " X\r\n";
        if (!a.contentType.isEmpty())
            head += "Content-Type: " + a.contentType + "\r\n";
        head += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n\r\n";
        socket->write(head + a.body);
    }

    QTcpServer m_server;
    std::map<QTcpSocket *, QByteArray> m_pending;
};

// Sets the address and waits for its request to end; true when a picture is shown then.
bool showsPicture(Catalogue::TAsyncResim &control, const QString &url)
{
    QSignalSpy finished(&control, &Catalogue::TAsyncResim::requestFinished);
    QSignalSpy changed(&control, &Catalogue::TAsyncResim::pictureChanged);
    control.setUrl(url);
    EXPECT_TRUE(waitFor([&] { return finished.count() > 0; }, 15000)) << url.toStdString();
    return changed.count() > 0;
}

TEST(TAsyncResim, ContentTypeDecidesTheDecoder)
{
    PictureServer server;
    const QByteArray jpeg = encoded("JPEG");
    struct Case
    {
        QByteArray name;
        PictureServer::Answer answer;
        bool shown;
    };
    const Case cases[] = {
        {"upper", {200, "image/JPEG", jpeg}, true},
        {"jpeg", {200, "image/jpeg", jpeg}, true},
        {"jpg", {200, "image/jpg", jpeg}, true},
        {"png", {200, "image/png", encoded("PNG")}, true},
        {"bmp", {200, "image/bmp", encoded("BMP")}, true},
        {"params", {200, "image/jpeg; charset=binary", jpeg}, false},
        {"html", {200, "text/html", "<html><body>hata</body></html>"}, false},
        {"gif", {200, "image/gif", encoded("PNG")}, false},
        {"none", {200, "", jpeg}, false},
        {"empty", {200, "image/jpeg", ""}, false},
        {"notjpeg", {200, "image/jpeg", "this is no picture at all"}, false},
        {"pngasjpeg", {200, "image/jpeg", encoded("PNG")}, false},
        {"missing", {404, "text/html", "<html>404</html>"}, false},
        {"errorpicture", {500, "image/jpeg", jpeg}, false},
    };
    for (const Case &c : cases)
        server.answers[c.name] = c.answer;
    for (const Case &c : cases) {
        Catalogue::TAsyncResim control;
        EXPECT_EQ(showsPicture(control, server.url(QString::fromLatin1(c.name))), c.shown) << c.name.constData();
        EXPECT_EQ(control.hasPicture(), c.shown) << c.name.constData();
    }
}

TEST(TAsyncResim, FailuresKeepThePictureAndTheSameAddressIsNotFetchedAgain)
{
    PictureServer server;
    server.answers["good"] = {200, "image/png", encoded("PNG", Qt::blue, QSize(64, 48))};
    server.answers["bad"] = {200, "image/jpeg", "\xFF\xD8\xFF broken"};
    Catalogue::TAsyncResim control;
    ASSERT_TRUE(showsPicture(control, server.url(u"good"_s)));
    EXPECT_EQ(control.picture().size(), QSize(64, 48));
    const int requests = server.requests;
    control.setUrl(server.url(u"good"_s));
    QTest::qWait(100);
    EXPECT_EQ(server.requests, requests) << "the same address again does nothing";

    EXPECT_FALSE(showsPicture(control, server.url(u"bad"_s)));
    EXPECT_EQ(control.picture().size(), QSize(64, 48)) << "an undecodable body leaves the former picture";
    EXPECT_FALSE(showsPicture(control, u"http://127.0.0.1:%1/x"_s.arg(closedPort())));
    EXPECT_TRUE(control.hasPicture()) << "an unreachable host is silent";
    control.setUrl({});
    EXPECT_FALSE(control.isLoading());
}

TEST(TAsyncResim, DestroyingTheControlEndsTheTransfer)
{
    PictureServer server;
    auto *control = new Catalogue::TAsyncResim;
    control->setUrl(server.url(u"stall"_s));
    ASSERT_TRUE(waitFor([&] { return server.requests == 1; }, 10000));
    EXPECT_TRUE(control->isLoading());
    delete control; // the dialog closed before the picture came
    EXPECT_TRUE(waitFor([&] { return server.disconnects == 1; }, 10000)) << "the transfer is aborted";
    QTest::qWait(50); // nothing may reach the destroyed control
}

class PictureEndpoint : public RealServer
{
};

TEST_F(PictureEndpoint, PartsWithAPictureGetAJpeg)
{
    // Parts with RESIM 1 and 0 from a real search.
    auto table = Server::callDirectOnCopy(m_bagc, [&](Server::TServerMethods1Client &proxy) {
        Protocol::TSonucBilgisi copy;
        copy.Kopyala(m_sbilgi);
        return proxy.StokAraGetirZerva(QString(), copy);
    });
    ASSERT_TRUE(table && table->rowCount() > 0);
    qint32 with = 0, without = 0;
    const int resim = table->columnIndex(u"RESIM"), stokno = table->columnIndex(u"STOK_STOKNO");
    for (int r = 0; r < table->rowCount() && (!with || !without); ++r) {
        (table->number(r, resim) == 1 ? with : without) = qint32(table->integer(r, stokno));
    }
    ASSERT_TRUE(with && without);

    const QString prefix = Server::ServerSession::instance().imagePrefix();
    ASSERT_TRUE(prefix.endsWith(u"resimgoster.ashx?id="_s)) << prefix.toStdString();
    Catalogue::TAsyncResim control;
    control.resize(300, 200);
    ASSERT_TRUE(showsPicture(control, Catalogue::pictureAddress(prefix, with)));
    EXPECT_GE(control.picture().width(), 100);

    EXPECT_FALSE(showsPicture(control, Catalogue::pictureAddress(prefix, without)));
    EXPECT_FALSE(showsPicture(control, Catalogue::pictureAddress(prefix, 99999999)));
    EXPECT_TRUE(control.hasPicture()) << "the former picture stays";

    // What the endpoint answers, on the wire.
    const auto get = [](const std::string &path) {
        return Support::httpGet(s_server->host(), s_server->webPort(), path);
    };
    const Support::HttpReply picture = get("/resimgoster.ashx?id=" + std::to_string(with));
    EXPECT_EQ(picture.status, 200);
    EXPECT_EQ(picture.header("Content-Type"), "image/jpeg");
    EXPECT_EQ(picture.body.substr(0, 3), "\xFF\xD8\xFF");
    for (const std::string &bad : {"/resimgoster.ashx?id=" + std::to_string(without), std::string("/resimgoster.ashx"),
                                   std::string("/resimgoster.ashx?id=abc"), std::string("/resimgoster.ashx?id=-1"),
                                   std::string("/resimgoster.ashx?id=%27%20OR%201=1")}) {
        const Support::HttpReply reply = get(bad);
        EXPECT_EQ(reply.status, 404) << bad;
        EXPECT_EQ(reply.header("Content-Type").substr(0, 9), "text/html") << bad;
    }
}

} // namespace
} // namespace CatalogueTest
