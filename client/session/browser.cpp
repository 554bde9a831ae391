#include "browser.h"

#include "client/platform/identity.h"
#include "client/platform/services.h"

using namespace Qt::StringLiterals;

namespace Session {

QStringList chromeLocations()
{
    QStringList locations{
        u"/usr/bin/google-chrome-stable"_s,
        u"/usr/bin/google-chrome"_s,
        u"/opt/google/chrome/chrome"_s,
        u"/usr/bin/chromium"_s,
        u"/usr/bin/chromium-browser"_s,
        u"/snap/bin/chromium"_s,
        u"/var/lib/flatpak/exports/bin/com.google.Chrome"_s,
    };
    // The per-user installation; a user whose name did not fit (empty) has none to look in.
    if (const QString user = Platform::userName(); !user.isEmpty())
        locations.append(u"/home/"_s + user + u"/.local/share/flatpak/exports/bin/com.google.Chrome"_s);
    return locations;
}

QString chromePath()
{
    const QStringList locations = chromeLocations();
    for (const QString &path : locations) {
        if (Platform::services().fileExists(path))
            return path;
    }
    return {};
}

int internetExplorerVersion()
{
    return 0;
}

} // namespace Session
