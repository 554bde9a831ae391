#pragma once

#include <QString>

namespace Session {

// Percent-encodes a whole web address: scheme and host stay, the path is encoded as path
// text (its "/" kept) and the query as parameter text (its "&" and "=" kept); every other
// character outside the unreserved set becomes %XX of its UTF-8 bytes.
QString encodeWebAddress(const QString &address);

} // namespace Session
