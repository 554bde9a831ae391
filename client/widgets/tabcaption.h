#pragma once

#include <QString>

namespace Widgets {

// A tab caption may carry a count: "12=Stok Listesi" is the title "Stok Listesi" with the
// count 12. The lists write their sizes this way and the badges their counts; the tab bar
// draws the title and, for a count above zero, a red "(12)".
struct TabCaption
{
    QString title;
    int count = 0;

    bool hasBadge() const { return count > 0; }
    bool operator==(const TabCaption &) const = default;
};

inline constexpr int kMaxTabTitleLength = 100;

// Splits at the first "=": the text after it is the title, cut to 100 characters; the text
// before it is the count when it is a whole decimal number, else 0. A caption without "="
// is all title with the count 0. Never fails.
TabCaption parseTabCaption(const QString &caption);

// The caption form of a count and a title ("12=Stok Listesi").
QString tabCaptionText(int count, const QString &title);

} // namespace Widgets
