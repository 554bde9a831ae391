#pragma once

#include <QLocale>
#include <QString>

namespace Session {

// The update window's large text for an announced version ("... Version: 7-1").
QString updateAnnouncementText(qint32 announcedVersion);
// "Bilgi: %25,00  İndirilen: 1,00/4,00 Mb": percent, received and total mebibytes with two
// decimals and the locale's decimal separator. Empty when the total is unknown.
QString downloadProgressText(qint64 received, qint64 total, const QLocale &locale = QLocale());
// "Hata Oluştu !\r\nHata: " and the error.
QString downloadFailureText(const QString &error);
// Where the setup program is saved: VarselSetup.exe in the local application data folder.
QString setupFilePath();

} // namespace Session
