#include "publicaddress.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

constexpr qint64 kMaxAnswerBytes = 256; // the longest IPv6 text is 45 characters

} // namespace

Protocol::Expected<QString> fetchPublicAddressOnce(const QUrl &url, const AddressLookupTimings &timings)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply *reply = manager.get(request);

    QEventLoop loop;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool timedOut = false;
    bool tooLong = false;
    QObject::connect(&watchdog, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    // The connect time-out runs until the request is sent; then every pause in the answer
    // is held to the read time-out.
    QObject::connect(reply, &QNetworkReply::requestSent, &watchdog, [&] { watchdog.start(timings.read); });
    QObject::connect(reply, &QNetworkReply::downloadProgress, &watchdog, [&](qint64 received, qint64) {
        if (received > kMaxAnswerBytes) {
            tooLong = true;
            reply->abort();
            return;
        }
        watchdog.start(timings.read);
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    watchdog.start(timings.connect);
    if (!reply->isFinished())
        loop.exec();
    watchdog.stop();

    if (tooLong)
        return QString();
    if (timedOut)
        return Protocol::makeError(u"Zaman aşımı"_s);
    if (reply->error() != QNetworkReply::NoError)
        return Protocol::makeError(reply->errorString());
    const QString answer = QString::fromUtf8(reply->readAll()).trimmed();
    QHostAddress address;
    if (!address.setAddress(answer))
        return QString();
    return answer;
}

QString lookupPublicAddress(const QUrl &url, const CancelFlag &cancel, const AddressLookupTimings &timings)
{
    const auto cancelled = [&] { return cancel && cancel->load(); };
    while (!cancelled()) {
        if (auto answer = fetchPublicAddressOnce(url, timings))
            return *answer;
        // Wait the pause in short steps so that a closed window is not kept waiting.
        for (auto waited = std::chrono::milliseconds(0); waited < timings.retryPause && !cancelled();
             waited += std::chrono::milliseconds(50))
            QThread::msleep(50);
    }
    return {};
}

} // namespace Session
