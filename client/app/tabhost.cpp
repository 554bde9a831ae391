#include "tabhost.h"

#include "client/resources/resources.h"
#include "client/widgets/badgetabbar.h"

#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace App {

namespace {

struct TabEntry
{
    QString name;
    QString title;
    QString icon;
};

const std::array<TabEntry, kTabCount> &tabEntries()
{
    static const std::array<TabEntry, kTabCount> entries = {{
        {u"sstoklistesi"_s, u"Stok Listesi"_s, u"icons/tabs/stoklistesi.svg"_s},
        {u"ssepet"_s, u"Sepet"_s, u"icons/tabs/sepet.svg"_s},
        {u"sonceki"_s, u"Önceki Siparişler"_s, u"icons/tabs/oncekisiparisler.svg"_s},
        {u"sccariekstre"_s, u"Cari Ekstre"_s, u"icons/tabs/cariekstre.svg"_s},
        {u"syeniler"_s, u"Yeni Stoklar"_s, u"icons/tabs/yenistoklar.svg"_s},
        {u"skampanyali"_s, u"Kampanyalı Stoklar"_s, u"icons/tabs/kampanyalistoklar.svg"_s},
        {u"sTabSheetduyuru"_s, u"Duyurular"_s, u"icons/tabs/duyurular.svg"_s},
        {u"sTabbakiyeler"_s, u"Bakiyeler"_s, u"icons/tabs/bakiyeler.svg"_s},
        {u"ss"_s, u"Sanal Pos"_s, u"icons/tabs/sanalpos.svg"_s},
    }};
    return entries;
}

} // namespace

QString tabName(TabId tab)
{
    return tabEntries()[size_t(tab)].name;
}

QString tabTitle(TabId tab)
{
    return tabEntries()[size_t(tab)].title;
}

TabHost::TabHost(QWidget *parent)
    : QWidget(parent)
    , m_bar(new Widgets::BadgeTabBar(this))
    , m_stack(new QStackedWidget(this))
{
    setObjectName(u"sPageControl1"_s);
    m_bar->setObjectName(u"tabBar"_s);
    m_bar->setTabSize({120, 45});
    m_stack->setObjectName(u"tabPages"_s);

    for (int i = 0; i < kTabCount; ++i) {
        const TabEntry &entry = tabEntries()[size_t(i)];
        auto *page = new QWidget(m_stack);
        page->setObjectName(entry.name);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        m_stack->addWidget(page);
        m_pages[size_t(i)] = page;
        m_bar->addTab(Resources::icon(entry.icon), entry.title);
    }
    m_bar->setCurrentIndex(0);
    m_shown = 0;

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_stack, 1);

    connect(m_bar, &Widgets::BadgeTabBar::currentChanged, this, &TabHost::currentIndexChanged);
}

void TabHost::installView(TabId tab, QWidget *view)
{
    QWidget *host = page(tab);
    view->setParent(host);
    host->layout()->addWidget(view);
}

void TabHost::setCaption(TabId tab, const QString &caption)
{
    m_bar->setTabCaption(int(tab), caption);
}

QString TabHost::caption(TabId tab) const
{
    return m_bar->tabCaption(int(tab));
}

TabId TabHost::current() const
{
    return TabId(qMax(0, m_bar->currentIndex()));
}

void TabHost::setCurrent(TabId tab)
{
    m_bar->setCurrentIndex(int(tab));
}

void TabHost::withdraw(TabId tab)
{
    m_withdrawn[size_t(tab)] = true;
    m_bar->setTabVisible(int(tab), false);
}

bool TabHost::isTabShown(TabId tab) const
{
    return !isWithdrawn(tab) && m_bar->isTabVisible(int(tab));
}

void TabHost::currentIndexChanged(int index)
{
    if (index < 0 || index == m_shown)
        return;
    const int left = m_shown;
    m_shown = index;
    m_stack->setCurrentIndex(index);
    if (left >= 0)
        emit tabLeft(TabId(left));
    emit tabShown(TabId(index));
}

} // namespace App
