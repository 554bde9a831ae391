#pragma once

#include <QString>

#include <vector>

namespace App {

// The lists of the main window whose columns depend on the user type.
enum class ListId { StockList, NewList, CampaignList, Basket };

// What a user type does to one column of a list:
//   Show     - visible, and offered in the column customisation;
//   Withdraw - hidden, and no longer offered in the column customisation.
enum class ColumnAction { Show, Withdraw };

struct ColumnRule
{
    ListId list;
    QString column;
    ColumnAction action;
    bool operator==(const ColumnRule &) const = default;
};

// What the session record's MusteriTipi decides once after the login. Types 1 and 2 are the
// sales representatives; 3 a dealer; 4 a dealer without campaigns; any other value changes
// nothing (the columns keep what their lists declare).
struct UserTypeRules
{
    bool customerButton = false; // "Başka Cari Seç"
    bool reportsItem = false;    // "Raporlar" of the general menu
    bool campaignTab = true;     // "Kampanyalı Stoklar"; once hidden it is never shown again
    std::vector<ColumnRule> columns;
};

UserTypeRules userTypeRules(qint32 musteriTipi);

// The rules of one list, in the order they are to be applied.
std::vector<ColumnRule> columnRules(qint32 musteriTipi, ListId list);

inline bool isSalesRepresentative(qint32 musteriTipi)
{
    return musteriTipi == 1 || musteriTipi == 2;
}

} // namespace App
