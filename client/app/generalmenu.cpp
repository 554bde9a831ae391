#include "generalmenu.h"

#include "client/resources/resources.h"

using namespace Qt::StringLiterals;

namespace App {

QString webSiteHost()
{
    return u"www.varseloto.com.tr"_s;
}

QUrl webSiteUrl()
{
    return QUrl(u"http://"_s + webSiteHost() + u'/');
}

GeneralMenu::GeneralMenu(QWidget *parent)
    : QMenu(parent)
{
    setObjectName(u"Genelmenu"_s);
    // A hidden "Raporlar" must not leave a line at the end: leading and trailing lines are not drawn.
    setSeparatorsCollapsible(true);

    m_mail = addAction(Resources::icon(u"icons/menu/mail.svg"_s), u"Mail Gönder"_s);
    m_mail->setObjectName(u"M1"_s);
    addSeparator();
    m_password = addAction(Resources::icon(u"icons/menu/password.svg"_s), u"Şifre Değiştirme İsteği"_s);
    m_password->setObjectName(u"N4"_s);
    addSeparator();
    m_web = addAction(Resources::icon(u"icons/menu/web.svg"_s), QString());
    m_web->setObjectName(u"webSiteItem"_s);
    addSeparator();
    m_exit = addAction(Resources::icon(u"icons/menu/exit.svg"_s), u"Çıkış"_s);
    m_exit->setObjectName(u"G1"_s);
    addSeparator();
    m_reports = addAction(Resources::icon(u"icons/menu/reports.svg"_s), u"Raporlar"_s);
    m_reports->setObjectName(u"R1"_s);
    m_reports->setVisible(false);
}

} // namespace App
