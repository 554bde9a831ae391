#include "folders.h"

#include "client/platform/services.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace Session {

QString applicationDataFolder()
{
    const QString folder = Platform::services().roamingAppDataFolder() + u'/'
                           + QLatin1StringView(kProgramFolderName);
    QDir().mkpath(folder);
    return folder;
}

QString settingsFilePath()
{
    return applicationDataFolder() + u"/ayar.ini"_s;
}

QString documentsFolder()
{
    return Platform::services().documentsFolder();
}

QString localApplicationDataFolder()
{
    return Platform::services().localAppDataFolder();
}

} // namespace Session
