#include "client/app/tabhost.h"
#include "client/app/varselstyle.h"
#include "client/widgets/badgetabbar.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using App::TabId;

namespace {

// Pixels that are clearly the badge's red: strong red, little green and blue.
int redPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
                ++count;
        }
    }
    return count;
}

QImage render(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

class TabBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static bool styled = false;
        if (!styled) {
            ASSERT_TRUE(App::applyBuiltInStyle(*qApp));
            styled = true;
        }
    }
};

TEST_F(TabBar, DrawsTheRedCountAtTheTopRightOnlyForACountAboveZero)
{
    struct Case
    {
        QString caption;
        bool badge;
    };
    const Case cases[] = {
        {u"3=Sepet"_s, true}, {u"1234=Stok Listesi"_s, true}, {u"0=Sepet"_s, false},
        {u"Sepet"_s, false},  {u"x=Sepet"_s, false},          {u"-4=Sepet"_s, false},
    };
    for (const Case &c : cases) {
        Widgets::BadgeTabBar bar;
        bar.addTab(QIcon(), u"Önce"_s);
        const int index = bar.addTab(QIcon(), c.caption);
        bar.resize(300, bar.heightForWidth(300));
        const QImage image = render(bar);
        const QRect tab = bar.tabRect(index);
        ASSERT_EQ(tab.size(), QSize(120, 45));
        // The badge's corner: the top right quarter of the tab, inside its 2-pixel margin.
        const QRect corner(tab.center().x() + 1, tab.top() + 2, tab.width() / 2 - 3, tab.height() / 2 - 2);
        const QRect rest(tab.left(), tab.center().y() + 4, tab.width(), tab.height() / 2 - 4);
        if (c.badge)
            EXPECT_GT(redPixels(image, corner), 5) << c.caption.toStdString();
        else
            EXPECT_EQ(redPixels(image, corner), 0) << c.caption.toStdString();
        EXPECT_EQ(redPixels(image, rest), 0) << c.caption.toStdString();
        EXPECT_EQ(redPixels(image, bar.tabRect(0)), 0) << "the neighbour stays plain";
    }
}

TEST_F(TabBar, FlowsIntoRowsAndHiddenTabsTakeNoPlace)
{
    Widgets::BadgeTabBar bar;
    for (int i = 0; i < 9; ++i)
        bar.addTab(QIcon(), u"Sekme %1"_s.arg(i));
    bar.resize(1366, bar.heightForWidth(1366));
    EXPECT_EQ(bar.rowCount(), 1);
    EXPECT_EQ(bar.heightForWidth(1366), 46);
    EXPECT_EQ(bar.tabRect(8), QRect(960, 0, 120, 45));

    bar.resize(500, bar.heightForWidth(500)); // four to a row
    EXPECT_EQ(bar.rowCount(), 3);
    // The smallest height is one row; the rows at a width come from heightForWidth, so a
    // window holding the bar is not kept taller than its screen.
    EXPECT_EQ(bar.minimumSizeHint().height(), 46);
    EXPECT_EQ(bar.tabRect(4), QRect(0, 45, 120, 45));
    EXPECT_EQ(bar.tabRect(8), QRect(0, 90, 120, 45));

    bar.setTabVisible(2, false);
    EXPECT_TRUE(bar.tabRect(2).isEmpty());
    EXPECT_EQ(bar.tabRect(3), QRect(240, 0, 120, 45));
    EXPECT_EQ(bar.rowCount(), 2);
    EXPECT_EQ(bar.tabAt(QPoint(250, 10)), 3);
}

TEST_F(TabBar, ClicksSelectAndAHiddenCurrentTabHandsOverToTheNext)
{
    Widgets::BadgeTabBar bar;
    for (int i = 0; i < 4; ++i)
        bar.addTab(QIcon(), u"Sekme %1"_s.arg(i));
    bar.resize(480, bar.heightForWidth(480));
    bar.show();
    QSignalSpy changed(&bar, &Widgets::BadgeTabBar::currentChanged);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(2).center());
    EXPECT_EQ(bar.currentIndex(), 2);
    bar.setTabVisible(2, false);
    EXPECT_EQ(bar.currentIndex(), 3);
    bar.setCurrentIndex(2); // hidden: ignored
    EXPECT_EQ(bar.currentIndex(), 3);
    EXPECT_EQ(changed.size(), 2);
}

TEST_F(TabBar, TabHostHasTheNinePagesInOrderAndReportsEveryShowing)
{
    App::TabHost host;
    const QStringList names = {u"sstoklistesi"_s,    u"ssepet"_s,        u"sonceki"_s,
                               u"sccariekstre"_s,    u"syeniler"_s,      u"skampanyali"_s,
                               u"sTabSheetduyuru"_s, u"sTabbakiyeler"_s, u"ss"_s};
    const QStringList titles = {u"Stok Listesi"_s, u"Sepet"_s,        u"Önceki Siparişler"_s,
                                u"Cari Ekstre"_s,  u"Yeni Stoklar"_s, u"Kampanyalı Stoklar"_s,
                                u"Duyurular"_s,    u"Bakiyeler"_s,    u"Sanal Pos"_s};
    for (int i = 0; i < App::kTabCount; ++i) {
        EXPECT_EQ(host.page(TabId(i))->objectName(), names[i]);
        EXPECT_EQ(host.caption(TabId(i)), titles[i]);
        EXPECT_FALSE(host.tabBar()->tabIcon(i).isNull()) << "every tab has its picture";
    }
    EXPECT_EQ(host.current(), TabId::StokListesi);

    QList<TabId> shown;
    QList<TabId> left;
    QObject::connect(&host, &App::TabHost::tabShown, &host, [&](TabId t) { shown << t; });
    QObject::connect(&host, &App::TabHost::tabLeft, &host, [&](TabId t) { left << t; });
    host.setCurrent(TabId::Sepet);
    host.setCurrent(TabId::Bakiyeler);
    host.setCurrent(TabId::Sepet);
    host.setCurrent(TabId::Sepet); // already shown: no second load
    EXPECT_EQ(shown, (QList<TabId>{TabId::Sepet, TabId::Bakiyeler, TabId::Sepet}));
    EXPECT_EQ(left, (QList<TabId>{TabId::StokListesi, TabId::Sepet, TabId::Bakiyeler}));

    auto *view = new QWidget;
    host.installView(TabId::Duyurular, view);
    EXPECT_EQ(view->parentWidget(), host.page(TabId::Duyurular));
}

} // namespace
