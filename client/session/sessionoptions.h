#pragma once

#include "protocol/expected.h"

#include <QStringList>

namespace Session {

// Takes --ip-service URL and --download-host URL (also written --option=URL) out of the
// arguments, wherever they stand up to a "--", and points the address lookup and the setup
// download there. The environment variables VARSEL_IP_SERVICE and VARSEL_DOWNLOAD_HOST do
// the same and yield to the command line. The rest of the arguments comes back; a missing or
// non-web address is an error.
Protocol::Expected<QStringList> applySessionOptions(const QStringList &arguments);

} // namespace Session
