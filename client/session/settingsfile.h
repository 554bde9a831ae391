#pragma once

#include "protocol/expected.h"

#include <QString>

#include <optional>

namespace Session {

// The remembered login of ayar.ini: section "kullanici", keys "isim", "sifre", "hatırla".
struct LoginSettings
{
    QString isim;
    QString sifre;
    bool hatirla = true;
    bool operator==(const LoginSettings &) const = default;
};

// The file is UTF-8 text (the key "hatırla" has a non-ASCII letter) with CRLF line ends:
//   [kullanici]
//   isim=...
//   sifre=...
//   hatırla=1
// Reading is lenient, as the system's INI reader is: names are matched without regard to
// case, blanks around names and values are dropped, a value in double quotes loses them,
// the first occurrence of a key wins, a missing key takes its default, and "hatırla" is a
// whole number whose non-zero means true (anything else: the default). A file with a byte
// order mark of UTF-16 is read as such; bytes that are not UTF-8 are read as Latin-1.
// A missing file gives nullopt; an unreadable, truncated or junk file gives the defaults.
std::optional<LoginSettings> readLoginSettings(const QString &path);

// Writes the whole file at once (a temporary file renamed over the old one), so a failure
// never leaves it half-written. A value with blanks at its ends or a leading quote is
// written in double quotes so that it reads back as it was. Line breaks cannot be stored:
// they are written as blanks.
Protocol::Expected<Protocol::Done> writeLoginSettings(const QString &path, const LoginSettings &settings);

} // namespace Session
