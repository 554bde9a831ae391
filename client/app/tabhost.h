#pragma once

#include <QWidget>

#include <array>

class QStackedWidget;
class QVBoxLayout;

namespace Widgets {
class BadgeTabBar;
}

namespace App {

// The nine tab pages of the main window, in their order.
enum class TabId {
    StokListesi,       // sstoklistesi      "Stok Listesi"
    Sepet,             // ssepet            "Sepet"
    OncekiSiparisler,  // sonceki           "Önceki Siparişler"
    CariEkstre,        // sccariekstre      "Cari Ekstre"
    YeniStoklar,       // syeniler          "Yeni Stoklar"
    KampanyaliStoklar, // skampanyali       "Kampanyalı Stoklar"
    Duyurular,         // sTabSheetduyuru   "Duyurular"
    Bakiyeler,         // sTabbakiyeler     "Bakiyeler"
    SanalPos,          // ss                "Sanal Pos"
};
inline constexpr int kTabCount = 9;

QString tabName(TabId tab);  // the page's name, e.g. "sstoklistesi"
QString tabTitle(TabId tab); // its plain caption, e.g. "Stok Listesi"

// The tab control `sPageControl1`: a bar of 120 × 45 tabs (in several rows when they do not
// fit) over the pages. Each page starts empty; the view of a later list goes into it with
// installView. Captions may carry a count ("12=Stok Listesi"), drawn as a red badge.
class TabHost final : public QWidget
{
    Q_OBJECT

public:
    explicit TabHost(QWidget *parent = nullptr);

    QWidget *page(TabId tab) const { return m_pages[size_t(tab)]; }
    // Puts a view into its page, filling it; the page takes it.
    void installView(TabId tab, QWidget *view);

    void setCaption(TabId tab, const QString &caption);
    QString caption(TabId tab) const;

    TabId current() const;
    void setCurrent(TabId tab); // ignored for a hidden tab

    // A withdrawn tab is hidden for good: nothing shows it again (a count for its caption
    // included); its page stays, unreachable.
    void withdraw(TabId tab);
    bool isWithdrawn(TabId tab) const { return m_withdrawn[size_t(tab)]; }
    bool isTabShown(TabId tab) const;

    Widgets::BadgeTabBar *tabBar() const { return m_bar; }

signals:
    // Each time a tab becomes the current one (the lists load again then).
    void tabShown(App::TabId tab);
    // When the current tab is left for another.
    void tabLeft(App::TabId tab);

private:
    void currentIndexChanged(int index);

    Widgets::BadgeTabBar *m_bar;
    QStackedWidget *m_stack;
    std::array<QWidget *, kTabCount> m_pages{};
    std::array<bool, kTabCount> m_withdrawn{};
    int m_shown = -1;
};

} // namespace App
