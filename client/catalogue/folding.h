#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace Catalogue {

// What a character typed into the search box becomes: the Turkish letters ğ ü ş ö ç Ğ Ü Ş İ Ö Ç
// turn into their plain ASCII letters and the dotless ı into a capital I; everything else is
// kept. The box turns the rest to upper case, so a search is plain upper-case ASCII.
// Only typed characters are folded: a text that the program puts into the box stays as it is.
QChar foldTypedCharacter(QChar c);
QString foldTyped(QStringView typed);

} // namespace Catalogue
