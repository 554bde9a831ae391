#include "tasyncresim.h"

#include "pictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QUrl>

namespace Catalogue {

TAsyncResim::TAsyncResim(QWidget *parent)
    : QWidget(parent)
    , m_http(new QNetworkAccessManager(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

TAsyncResim::~TAsyncResim()
{
    // The transfer belongs to this control: it ends with it, and its completion never runs.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void TAsyncResim::setUrl(const QString &url)
{
    if (url == m_url)
        return;
    m_url = url;
    if (m_reply) {
        QNetworkReply *former = m_reply;
        m_reply = nullptr;
        former->disconnect(this);
        former->abort();
        former->deleteLater();
    }
    if (!m_url.isEmpty())
        startRequest();
}

void TAsyncResim::startRequest()
{
    const QUrl address(m_url);
    if (!address.isValid() || address.scheme().isEmpty())
        return;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_http->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64 total) {
        if (received > kMaxPictureBytes || total > kMaxPictureBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Geldi(reply); });
}

void TAsyncResim::Geldi(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    // An error page is no picture, whatever type it claims.
    if (!body.isEmpty() && status >= 200 && status < 300) {
        const QByteArray format = pictureFormatFor(reply->rawHeader("Content-Type"));
        if (!format.isEmpty()) {
            QBuffer buffer;
            buffer.setData(body);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, format);
            reader.setDecideFormatFromContent(false);
            QImage decoded;
            if (reader.read(&decoded) && !decoded.isNull()) {
                m_picture = std::move(decoded);
                update();
                emit pictureChanged();
            }
        }
    }
    emit requestFinished();
}

void TAsyncResim::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), fitted);
    target.moveCenter(rect().center());
    painter.drawImage(target, m_picture);
}

} // namespace Catalogue
