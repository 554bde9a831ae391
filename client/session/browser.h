#pragma once

#include <QStringList>

namespace Session {

// Where Google Chrome and Chromium are installed on Linux, in the order they are tried.
QStringList chromeLocations();
// The first of those that exists, else empty.
QString chromePath();
// There is no Internet Explorer here: always 0.
int internetExplorerVersion();

} // namespace Session
