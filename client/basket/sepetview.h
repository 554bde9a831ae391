#pragma once

#include "basketline.h"
#include "basketmath.h"

#include "client/catalogue/stockrow.h"
#include "client/server/connection.h"
#include "client/server/tawait.h"
#include "client/widgets/gridexport.h"

#include "protocol/records.h"

#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace Widgets {
class DataGrid;
}

namespace Basket {

class TotalsPanel;

// What the basket tab borrows from the main window.
struct SepetHost
{
    Server::Connection *bagc = nullptr;                     // the main connection
    Protocol::TSonucBilgisi *sbilgi = nullptr;              // the session record
    std::function<void(bool on)> busy;                      // the basket's busy indicator in the search bar
    std::function<void(const QString &caption)> setCaption; // the tab's caption ("3=Sepet")
    std::function<void()> focusSearch; // selects the search box's text and focuses it, when enabled
};

// The basket tab `ssepet`: the grid of the basket lines the server keeps, the selection bar
// with the overdue warning, the totals, "Gönder" and "Excel Kaydet"; and the add/change dialog
// the product lists open through addOrChange.
class SepetView final : public QWidget
{
    Q_OBJECT

public:
    explicit SepetView(SepetHost host, QWidget *parent = nullptr);
    ~SepetView() override;

    Widgets::DataGrid *grid() const { return m_grid; }
    Protocol::ClientTable &sepet();
    bool isLoaded() const; // the basket table has been filled once
    QMenu *PopupMenu1() const { return m_popup; }
    QAction *satirDegistirAction() const { return m_satirDegistir; }
    QAction *satirSilAction() const { return m_satirSil; }
    QAction *hepsiniSilAction() const { return m_hepsiniSil; }
    QPushButton *hepsiniSecButton() const { return m_hepsiniSec; }
    QPushButton *secimleriKaldirButton() const { return m_secimleriKaldir; }
    QPushButton *gonderButton() const { return m_gonder; }
    QPushButton *excelButton() const { return m_excel; }
    QLabel *lbluyarbakiye() const { return m_uyari; }
    TotalsPanel *totals() const { return m_totals; }

    // Where "Excel Kaydet" asks for the file (tests answer it themselves).
    void setFileNameQuestion(Widgets::FileNameQuestion ask) { m_ask = std::move(ask); }

    // Showing the tab: the warning on a thread of its own, the basket in the background.
    void load();
    Server::IAwait loadRun() const { return m_loadRun; }
    // The direct reload on the UI thread; false when it failed (already reported).
    bool SepetYukle();
    // The totals of the selected rows into the panel.
    void SepetToplamlari();

    // A double-click in a product list: the part's basket row is changed if it has one,
    // otherwise the part is added.
    void addOrChange(const Catalogue::StockRow &part);
    // A double-click on a basket row and "Satır Değiştir": on "Seç" the flag is toggled,
    // elsewhere the row's change dialog opens.
    void toggleOrChange();
    void deleteRow();            // "Satır Sil"
    void emptyBasket();          // "Hepsini Sil"
    void selectAll(qint32 flag); // "Hepsini Seç" (1), "Seçimleri Kaldır" (0)
    void Gonder();
    void exportExcel();

signals:
    void loaded(bool hata); // the tab's load has finished
    void warningShown();    // the overdue warning's answer has been handled

private:
    void buildLayout();
    void installTable(Protocol::ClientTable &&table);
    void changeRow(int row);
    void addPart(const Catalogue::StockRow &part);
    int focusedRow() const;

    SepetHost m_host;
    Widgets::DataGrid *m_grid = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_satirDegistir = nullptr;
    QAction *m_satirSil = nullptr;
    QAction *m_hepsiniSil = nullptr;
    QPushButton *m_hepsiniSec = nullptr;
    QPushButton *m_secimleriKaldir = nullptr;
    QPushButton *m_gonder = nullptr;
    QPushButton *m_excel = nullptr;
    QLabel *m_uyari = nullptr;
    TotalsPanel *m_totals = nullptr;
    Widgets::FileNameQuestion m_ask = Widgets::askExcelFileName;
    Server::IAwait m_loadRun;
    quint64 m_warningRound = 0;
};

} // namespace Basket
