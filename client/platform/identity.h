#pragma once

#include <QByteArray>
#include <QString>

namespace Platform {

// The identity of this computer as the server knows it, built from the installed Services.
// None of these fails: each gives an empty text (or the loopback address) instead.

// The key of the user's record on the server: the first disk's serial in upper case, else
// the adapter address; blanks removed; the two office disks map to one identifier.
QString computerIdentifier();
// XX-XX-XX-XX-XX-XX of the first adapter, or of the next while the one just read is all zeros.
QString adapterAddress();
// Names are read with room for 15 characters; a longer one gives an empty text.
QString computerName();
QString userName();
// The first IPv4 address of the computer's own host name, else "127.0.0.1".
QString localAddress();

// Six bytes as upper-case hexadecimal pairs joined by "-"; empty for anything but six bytes.
QString formatAdapterAddress(const QByteArray &bytes);

// The two disk serials that share one identifier, and that identifier.
inline constexpr const char *kSharedDiskSerials[2] = {"WD-WCC4N0KXH7TS", "S3YJNX0K812345P"};
inline constexpr const char *kSharedIdentifier = "VARSELMERKEZ01";

} // namespace Platform
