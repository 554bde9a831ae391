#include "updatetext.h"

#include "folders.h"
#include "login.h"

using namespace Qt::StringLiterals;

namespace Session {

QString updateAnnouncementText(qint32 announcedVersion)
{
    return u"Varsel Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: "_s
           + QString::number(announcedVersion) + u'-' + QString::number(kClientVersion);
}

QString downloadProgressText(qint64 received, qint64 total, const QLocale &locale)
{
    if (total <= 0)
        return {};
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const auto fixed2 = [&](double v) { return plain.toString(v, 'f', 2); };
    const double percent = double(received) / double(total) * 100.0;
    const double mib = 1024.0 * 1024.0;
    return u"Bilgi: %"_s + fixed2(percent) + u"  İndirilen: "_s + fixed2(double(received) / mib) + u'/'
           + fixed2(double(total) / mib) + u" Mb"_s;
}

QString downloadFailureText(const QString &error)
{
    return u"Hata Oluştu !\r\nHata: "_s + error;
}

QString setupFilePath()
{
    return localApplicationDataFolder() + u"/VarselSetup.exe"_s;
}

} // namespace Session
