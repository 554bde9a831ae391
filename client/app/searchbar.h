#pragma once

#include "busyindicator.h"

#include <QWidget>

#include <array>

class QPushButton;
class QToolButton;

namespace Session {
class UppercaseEdit;
}

namespace App {

class GeneralMenu;

// The lists that show a busy indicator in the search bar while they load.
enum class BusyId { StockSearch, NewList, CampaignList, Announcements, Statement, PreviousOrders, Basket };
inline constexpr int kBusyIndicatorCount = 7;

// The search bar, 35 pixels high: a picture, the search box `araedit`, "Ara", "Temizle",
// "Başka Cari Seç" (hidden unless the user type allows it), the seven busy indicators
// (hidden) and, at the right end, the split button whose drop-down is the general menu.
class SearchBar final : public QWidget
{
    Q_OBJECT

public:
    explicit SearchBar(QWidget *parent = nullptr);

    Session::UppercaseEdit *araedit() const { return m_araedit; }
    QPushButton *araButton() const { return m_ara; }
    QPushButton *temizleButton() const { return m_temizle; }
    QPushButton *musteritus() const { return m_musteritus; }
    QToolButton *menuButton() const { return m_menuButton; }
    GeneralMenu *Genelmenu() const { return m_menu; }
    BusyIndicator *busy(BusyId which) const { return m_busy[size_t(which)]; }

signals:
    // Enter in the search box or "Ara", while the search box is enabled (no search running).
    void searchRequested();
    // "Temizle", while the search box is enabled.
    void clearRequested();
    // "Başka Cari Seç".
    void customerChangeRequested();

private:
    Session::UppercaseEdit *m_araedit;
    QPushButton *m_ara;
    QPushButton *m_temizle;
    QPushButton *m_musteritus;
    QToolButton *m_menuButton;
    GeneralMenu *m_menu;
    std::array<BusyIndicator *, kBusyIndicatorCount> m_busy{};
};

} // namespace App
