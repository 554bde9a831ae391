#pragma once

#include <QDialog>
#include <QPointer>
#include <QUrl>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;

namespace Session {

// The update window: downloads the setup program, saves it in the local application data
// folder, starts it with "/silent" and ends the program. A failure is shown, then the
// program ends too; the next start tries again.
class dosyaindir final : public QDialog
{
    Q_OBJECT

public:
    // The download comes from the download host's setup path unless another source is given.
    dosyaindir(QWidget *owner, qint32 announcedVersion, const QUrl &source = {});
    ~dosyaindir() override;

    // Opens the window modally for an announced version (the login's step).
    static void Yeni(QWidget *owner, qint32 announcedVersion);

    QLabel *bilgi() const { return m_bilgi; }
    QLabel *message() const { return m_text; }
    QProgressBar *progress() const { return m_bar; }
    bool basladi() const { return m_basladi; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void startDownload();
    void progressed(qint64 received, qint64 total);
    void finished();
    void fail(const QString &error);

    QLabel *m_text = nullptr;
    QLabel *m_bilgi = nullptr;
    QProgressBar *m_bar = nullptr;
    QNetworkAccessManager *m_manager = nullptr;
    QPointer<QNetworkReply> m_reply;
    QUrl m_source;
    bool m_basladi = false;
};

} // namespace Session
