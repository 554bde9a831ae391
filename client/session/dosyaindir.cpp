#include "dosyaindir.h"

#include "addresses.h"
#include "messagedialog.h"
#include "programexit.h"
#include "updatetext.h"

#include "client/platform/services.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

QString forDisplay(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

dosyaindir::dosyaindir(QWidget *owner, qint32 announcedVersion, const QUrl &source)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_manager(new QNetworkAccessManager(this))
    , m_source(source.isEmpty() ? setupDownloadUrl() : source)
{
    setObjectName(u"dosyaindir"_s);
    setWindowTitle(u"Dosya İndir"_s);
    setFixedSize(543, 309);

    QFont big;
    big.setFamilies({u"Tahoma"_s, u"DejaVu Sans"_s});
    big.setPixelSize(27);
    m_text = new QLabel(forDisplay(updateAnnouncementText(announcedVersion)), this);
    m_text->setObjectName(u"yazi"_s);
    m_text->setFont(big);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);

    QFont small = big;
    small.setPixelSize(13);
    small.setBold(true);
    m_bilgi = new QLabel(u"bilgi"_s, this);
    m_bilgi->setObjectName(u"bilgi"_s);
    m_bilgi->setFont(small);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_bilgi);
    layout->addWidget(m_bar);

    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

dosyaindir::~dosyaindir()
{
    if (m_reply)
        m_reply->abort();
}

void dosyaindir::Yeni(QWidget *owner, qint32 announcedVersion)
{
    dosyaindir window(owner, announcedVersion);
    window.exec();
}

void dosyaindir::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activateWindow();
    // The download starts once the window is up, whether or not the desktop activates it.
    QTimer::singleShot(0, this, &dosyaindir::startDownload);
}

void dosyaindir::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        startDownload();
}

void dosyaindir::startDownload()
{
    if (m_basladi)
        return;
    m_basladi = true;

    const QString path = setupFilePath();
    if (QFile::exists(path) && !QFile::remove(path)) {
        fail(u"Eski kurulum dosyası silinemedi: "_s + path);
        return;
    }

    QNetworkRequest request(m_source);
    request.setTransferTimeout(60000);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setRawHeader("Accept",
                         "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8");
    request.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    request.setRawHeader("User-Agent",
                         "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                         "Chrome/60.0.3112.32 Safari/537.36");
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &dosyaindir::progressed);
    connect(m_reply, &QNetworkReply::finished, this, &dosyaindir::finished);
}

void dosyaindir::progressed(qint64 received, qint64 total)
{
    // Without an announced length nothing is shown (the network layer reports the received
    // size as the total once such a download ends; that is no announcement).
    if (total <= 0 || !m_reply || !m_reply->header(QNetworkRequest::ContentLengthHeader).isValid())
        return;
    m_bilgi->setText(downloadProgressText(received, total));
    // Bytes, as long as they fit the bar's int range; KiB beyond 2 GiB.
    const qint64 unit = total > std::numeric_limits<int>::max() ? 1024 : 1;
    m_bar->setMaximum(int(total / unit));
    m_bar->setValue(int(received / unit));
}

void dosyaindir::finished()
{
    QNetworkReply *reply = m_reply;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        fail(reply->errorString());
        return;
    }
    const QString path = setupFilePath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(file.errorString());
        return;
    }
    file.write(reply->readAll());
    if (!file.commit()) {
        fail(file.errorString());
        return;
    }
    // Here "open" means running the file: it must be executable.
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
    if (!Platform::services().startProgram(path, {u"/silent"_s})) {
        fail(u"Kurulum programı başlatılamadı: "_s + path);
        return;
    }
    exitProgram(0);
    done(Accepted); // reached only where the exit is only recorded
}

void dosyaindir::fail(const QString &error)
{
    plainMessage(downloadFailureText(error), DialogKind::Error);
    exitProgram(0);
    done(Rejected);
}

} // namespace Session
