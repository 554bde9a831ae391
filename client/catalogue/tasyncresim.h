#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QNetworkAccessManager;
class QNetworkReply;

namespace Catalogue {

// A picture control that fetches its picture over HTTP in the background: setting `Url` starts
// a GET at once, and the picture appears when it has arrived, so the dialog holding it opens and
// takes input without waiting. The answer is shown only when it has a body, a 2xx status and a
// Content-Type whose rest after "image/" is exactly jpeg, jpg, png or bmp, and when that body
// decodes; every failure is silent and leaves the picture as it was. The picture is stretched
// to the control keeping its proportions, centred, on a transparent background.
//
// Destroying the control (its dialog closed first) aborts a transfer still running; nothing is
// set on a destroyed control.
class TAsyncResim final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Url READ Url WRITE setUrl)

public:
    explicit TAsyncResim(QWidget *parent = nullptr);
    ~TAsyncResim() override;

    QString Url() const { return m_url; }
    // A new, different address starts its request (an empty one starts none); the same address
    // again does nothing. A request still running for the former address is abandoned.
    void setUrl(const QString &url);

    const QImage &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    bool isLoading() const { return !m_reply.isNull(); }

    // A larger answer is cut off and shows nothing: no part picture comes near it.
    static constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;

signals:
    void pictureChanged();
    // The request for the current address ended, whether it showed a picture or not.
    void requestFinished();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void startRequest();
    void Geldi(QNetworkReply *reply);

    QString m_url;
    QImage m_picture;
    QNetworkAccessManager *m_http;
    QPointer<QNetworkReply> m_reply;
};

} // namespace Catalogue
