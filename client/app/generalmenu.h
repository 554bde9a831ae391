#pragma once

#include <QMenu>
#include <QUrl>

namespace App {

// The distributor's web site: the general menu shows its host, the item opens its root page.
QString webSiteHost();
QUrl webSiteUrl();

// The general menu `Genelmenu`, in its order with a line between every two items:
// "Mail Gönder", "Şifre Değiştirme İsteği", the web site, "Çıkış", "Raporlar" (shown only to
// the user types that may see reports).
class GeneralMenu final : public QMenu
{
    Q_OBJECT

public:
    explicit GeneralMenu(QWidget *parent = nullptr);

    QAction *M1() const { return m_mail; }         // "Mail Gönder"
    QAction *N4() const { return m_password; }     // "Şifre Değiştirme İsteği"
    QAction *webSiteItem() const { return m_web; } // the web site's host
    QAction *G1() const { return m_exit; }         // "Çıkış"
    QAction *R1() const { return m_reports; }      // "Raporlar"

    void setWebSiteCaption(const QString &host) { m_web->setText(host); }

private:
    QAction *m_mail;
    QAction *m_password;
    QAction *m_web;
    QAction *m_exit;
    QAction *m_reports;
};

} // namespace App
