#include "usertype.h"

using namespace Qt::StringLiterals;

namespace App {

UserTypeRules userTypeRules(qint32 musteriTipi)
{
    UserTypeRules rules;
    switch (musteriTipi) {
    case 1:
    case 2:
        rules.customerButton = true;
        rules.reportsItem = true;
        // The remaining quantity everywhere a representative orders from, and the order
        // counters of a part in the three catalogue lists.
        for (ListId list : {ListId::StockList, ListId::NewList, ListId::CampaignList, ListId::Basket})
            rules.columns.push_back({list, u"KALAN"_s, ColumnAction::Show});
        for (ListId list : {ListId::StockList, ListId::NewList, ListId::CampaignList}) {
            rules.columns.push_back({list, u"ALINANSIPARIS"_s, ColumnAction::Show});
            rules.columns.push_back({list, u"VERILENSIPARIS"_s, ColumnAction::Show});
        }
        break;
    case 3: rules.columns.push_back({ListId::Basket, u"DURUM"_s, ColumnAction::Withdraw}); break;
    case 4:
        rules.campaignTab = false;
        for (ListId list : {ListId::StockList, ListId::NewList}) {
            rules.columns.push_back({list, u"KAMPFIYAT"_s, ColumnAction::Withdraw});
            rules.columns.push_back({list, u"K"_s, ColumnAction::Withdraw});
        }
        break;
    default: break;
    }
    return rules;
}

std::vector<ColumnRule> columnRules(qint32 musteriTipi, ListId list)
{
    std::vector<ColumnRule> result;
    for (ColumnRule &rule : userTypeRules(musteriTipi).columns) {
        if (rule.list == list)
            result.push_back(std::move(rule));
    }
    return result;
}

} // namespace App
