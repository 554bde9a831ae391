#include "client/app/usertype.h"
#include "client/widgets/tabcaption.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using App::ColumnAction;
using App::ListId;

namespace {

struct CaptionCase
{
    const char *name;
    QString caption;
    QString title;
    int count;
};

TEST(TabCaption, SplitsAtTheFirstEqualsSign)
{
    const QString long100 = QString(100, u'A');
    const CaptionCase cases[] = {
        {"count and title", u"3=Sepet"_s, u"Sepet"_s, 3},
        {"zero count", u"0=Sepet"_s, u"Sepet"_s, 0},
        {"no equals sign", u"Sepet"_s, u"Sepet"_s, 0},
        {"two equals signs keep the rest", u"4=Sepet=Yeni"_s, u"Sepet=Yeni"_s, 4},
        {"title cut to 100", u"7="_s + long100 + u"BCD"_s, long100, 7},
        {"exactly 100 kept", u"7="_s + long100, long100, 7},
        {"letters are no count", u"x=Sepet"_s, u"Sepet"_s, 0},
        {"fraction is no count", u"2.5=Sepet"_s, u"Sepet"_s, 0},
        {"beyond 32 bits is no count", u"99999999999=Sepet"_s, u"Sepet"_s, 0},
        {"negative count", u"-2=Sepet"_s, u"Sepet"_s, -2},
        {"empty count", u"=Sepet"_s, u"Sepet"_s, 0},
        {"empty title", u"12="_s, QString(), 12},
        {"empty caption", QString(), QString(), 0},
        {"Turkish title", u"12=Önceki Siparişler"_s, u"Önceki Siparişler"_s, 12},
    };
    for (const CaptionCase &c : cases) {
        const Widgets::TabCaption parsed = Widgets::parseTabCaption(c.caption);
        EXPECT_EQ(parsed.title, c.title) << c.name;
        EXPECT_EQ(parsed.count, c.count) << c.name;
        EXPECT_EQ(parsed.hasBadge(), c.count > 0) << c.name;
    }
}

TEST(TabCaption, CutNeverSplitsASurrogatePair)
{
    // 99 letters and a character outside the basic plane: the cut drops the whole pair.
    const QString title = QString(99, u'A') + QString::fromUcs4(U"\U0001F697") + u"B"_s;
    const Widgets::TabCaption parsed = Widgets::parseTabCaption(u"1="_s + title);
    EXPECT_EQ(parsed.title, QString(99, u'A'));
}

TEST(TabCaption, CaptionTextReadsBack)
{
    const QString text = Widgets::tabCaptionText(12, u"Stok Listesi"_s);
    EXPECT_EQ(text, u"12=Stok Listesi"_s);
    EXPECT_EQ(Widgets::parseTabCaption(text), (Widgets::TabCaption{u"Stok Listesi"_s, 12}));
}

struct RuleCase
{
    qint32 type;
    bool customerButton;
    bool reports;
    bool campaignTab;
    // per list: the columns and what happens to them
    std::vector<std::pair<ListId, std::vector<std::pair<QString, ColumnAction>>>> lists;
};

TEST(UserTypes, DecideButtonsMenuTabAndColumns)
{
    const auto show = ColumnAction::Show;
    const auto withdraw = ColumnAction::Withdraw;
    const std::vector<std::pair<QString, ColumnAction>> repCatalogue = {
        {u"KALAN"_s, show}, {u"ALINANSIPARIS"_s, show}, {u"VERILENSIPARIS"_s, show}};
    const std::vector<std::pair<QString, ColumnAction>> noCampaign = {{u"KAMPFIYAT"_s, withdraw}, {u"K"_s, withdraw}};
    const RuleCase cases[] = {
        {1,
         true,
         true,
         true,
         {{ListId::StockList, repCatalogue},
          {ListId::NewList, repCatalogue},
          {ListId::CampaignList, repCatalogue},
          {ListId::Basket, {{u"KALAN"_s, show}}}}},
        {2,
         true,
         true,
         true,
         {{ListId::StockList, repCatalogue},
          {ListId::NewList, repCatalogue},
          {ListId::CampaignList, repCatalogue},
          {ListId::Basket, {{u"KALAN"_s, show}}}}},
        {3,
         false,
         false,
         true,
         {{ListId::StockList, {}},
          {ListId::NewList, {}},
          {ListId::CampaignList, {}},
          {ListId::Basket, {{u"DURUM"_s, withdraw}}}}},
        {4,
         false,
         false,
         false,
         {{ListId::StockList, noCampaign},
          {ListId::NewList, noCampaign},
          {ListId::CampaignList, {}},
          {ListId::Basket, {}}}},
        {0, false, false, true, {{ListId::StockList, {}}, {ListId::Basket, {}}}},
        {5, false, false, true, {{ListId::StockList, {}}, {ListId::Basket, {}}}},
        {-1, false, false, true, {{ListId::StockList, {}}, {ListId::Basket, {}}}},
    };
    for (const RuleCase &c : cases) {
        const App::UserTypeRules rules = App::userTypeRules(c.type);
        EXPECT_EQ(rules.customerButton, c.customerButton) << "type " << c.type;
        EXPECT_EQ(rules.reportsItem, c.reports) << "type " << c.type;
        EXPECT_EQ(rules.campaignTab, c.campaignTab) << "type " << c.type;
        for (const auto &[list, expected] : c.lists) {
            std::vector<std::pair<QString, ColumnAction>> actual;
            for (const App::ColumnRule &rule : App::columnRules(c.type, list))
                actual.emplace_back(rule.column, rule.action);
            EXPECT_EQ(actual, expected) << "type " << c.type << " list " << int(list);
        }
    }
}

} // namespace
