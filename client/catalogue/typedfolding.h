#pragma once

class QLineEdit;

namespace Catalogue {

// Makes the search box fold every character typed into it (key presses and input-method
// commits) before the box sees it: ç → c, ğ → g, ı → I and so on. A typed small i becomes a
// capital I, so that the box's Turkish upper case does not turn it into a dotted İ: what is
// typed is searched as plain ASCII. Text that the program sets is left alone.
void installTypedFolding(QLineEdit *edit);

} // namespace Catalogue
