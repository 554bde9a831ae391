#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace Widgets {

// Appends the collation key of a UTF-8 text: comparing two keys bytewise orders the texts as
// the Turkish alphabet does (a b c ç d e f g ğ h ı i j ... ö ... ş ... ü ...), letter case
// ignored, digits before letters, signs before digits. Equal keys are broken by the raw bytes.
void appendTurkishSortKey(std::string &out, std::string_view utf8);

// Upper case by the Turkish rules (i → İ, ı → I), for matching typed text without regard to case.
QString turkishUpper(QStringView text);

} // namespace Widgets
