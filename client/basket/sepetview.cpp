#include "sepetview.h"

#include "basketcalls.h"
#include "basketcolumns.h"
#include "onaysip.h"
#include "stokayarinti.h"
#include "totalspanel.h"

#include "client/session/messagedialog.h"
#include "client/session/tablechecks.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace Basket {

using Session::DialogButton;
using Session::DialogKind;

namespace {
constexpr int kNarrowScreen = 1152;

void information(const QString &text)
{
    Session::MessageDialog(text, DialogKind::Information, DialogButton::Ok);
}

bool askedYes(const QString &text)
{
    return Session::MessageDialog(text, DialogKind::Question, DialogButton::Yes | DialogButton::No) ==
           DialogButton::Yes;
}
} // namespace

SepetView::SepetView(SepetHost host, QWidget *parent)
    : QWidget(parent)
    , m_host(std::move(host))
{
    setObjectName(u"ssepetView"_s);
    buildLayout();
}

SepetView::~SepetView() = default;

void SepetView::buildLayout()
{
    m_grid = new Widgets::DataGrid(this);
    m_grid->setObjectName(u"cxGridDBTableView1"_s);
    m_grid->setColumns(basketColumns());
    m_grid->setWholeRowSelection(false);
    m_grid->setRowHeight(60);
    m_grid->setHeaderHeight(40);
    m_grid->setAlternatingRowColors(true);
    m_grid->setFooterVisible(true);

    m_popup = new QMenu(this);
    m_popup->setObjectName(u"PopupMenu1"_s);
    m_satirDegistir = m_popup->addAction(u"Satır Değiştir"_s);
    m_popup->addSeparator();
    m_satirSil = m_popup->addAction(u"Satır Sil"_s);
    m_popup->addSeparator();
    m_hepsiniSil = m_popup->addAction(u"Hepsini Sil"_s);
    m_grid->setPopupMenu(m_popup);

    // The selection bar `panelsec`.
    auto *panelsec = new QWidget(this);
    panelsec->setObjectName(u"panelsec"_s);
    m_hepsiniSec = new QPushButton(u"Hepsini Seç"_s, panelsec);
    m_secimleriKaldir = new QPushButton(u"Seçimleri Kaldır"_s, panelsec);
    m_uyari = new QLabel(panelsec);
    m_uyari->setObjectName(u"lbluyarbakiye"_s);
    m_uyari->setWordWrap(true);
    m_uyari->setStyleSheet(u"color: #d00000; font-weight: bold; font-size: 16px;"_s);
    auto *secLayout = new QHBoxLayout(panelsec);
    secLayout->setContentsMargins(4, 4, 4, 4);
    secLayout->addWidget(m_hepsiniSec);
    secLayout->addWidget(m_secimleriKaldir);
    secLayout->addWidget(m_uyari, 1);

    // The totals with "Gönder" and "Excel Kaydet" on their right.
    auto *bottom = new QWidget(this);
    m_totals = new TotalsPanel(bottom);
    m_gonder = new QPushButton(u"Gönder"_s, bottom);
    m_gonder->setObjectName(u"gonder"_s);
    m_excel = new QPushButton(u"Excel Kaydet"_s, bottom);
    m_excel->setObjectName(u"excelkaydet"_s);
    for (QPushButton *b : {m_gonder, m_excel})
        b->setMinimumSize(130, 44);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_gonder);
    buttons->addWidget(m_excel);
    buttons->addStretch(1);
    auto *bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(4, 0, 4, 4);
    bottomLayout->addStretch(1);
    bottomLayout->addWidget(m_totals);
    bottomLayout->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grid, 1);
    layout->addWidget(panelsec);
    layout->addWidget(bottom);

    connect(m_grid, &Widgets::DataGrid::rowActivated, this, [this](int) { toggleOrChange(); });
    connect(m_satirDegistir, &QAction::triggered, this, &SepetView::toggleOrChange);
    connect(m_satirSil, &QAction::triggered, this, &SepetView::deleteRow);
    connect(m_hepsiniSil, &QAction::triggered, this, &SepetView::emptyBasket);
    connect(m_hepsiniSec, &QPushButton::clicked, this, [this] { selectAll(1); });
    connect(m_secimleriKaldir, &QPushButton::clicked, this, [this] { selectAll(0); });
    connect(m_gonder, &QPushButton::clicked, this, &SepetView::Gonder);
    connect(m_excel, &QPushButton::clicked, this, &SepetView::exportExcel);
    connect(m_grid, &Widgets::DataGrid::sizingNeeded, this, [this] {
        if (!m_grid->isEnabled())
            return;
        const QScreen *s = screen();
        if (s && s->geometry().width() > kNarrowScreen)
            m_grid->kolonBoyutla();
        else
            m_grid->fitColumnsToContent();
    });
}

Protocol::ClientTable &SepetView::sepet()
{
    return m_grid->table();
}

bool SepetView::isLoaded() const
{
    return m_grid->model()->table().columnCount() > 0;
}

void SepetView::installTable(Protocol::ClientTable &&table)
{
    m_grid->setTable(std::move(table));
}

void SepetView::load()
{
    const Server::Connection &bagc = *m_host.bagc;
    const qint32 carino = m_host.sbilgi->FCARINO;

    // 1. The warning is emptied before anything else arrives.
    m_uyari->clear();
    // 2. The overdue warning on its own: it neither waits for the basket nor is awaited.
    const quint64 round = ++m_warningRound;
    auto warning = std::make_shared<QString>();
    Server::TAwait::create([warning, copy = bagc.copy(), carino]() mutable {
        Protocol::Expected<QString> text = CariVadeGunGecmismiBul(std::move(copy), carino);
        if (text)
            *warning = *text;
    })->Await(this, [this, warning, round] {
        // An answer of an earlier showing of the tab is not this one's.
        if (round == m_warningRound)
            m_uyari->setText(*warning);
        emit warningShown();
    });

    // 3. The basket in the background, into a fresh table that the completion swaps in.
    auto fresh = std::make_shared<std::optional<Protocol::ClientTable>>();
    Server::FetchSteps steps;
    steps.begin = [this] {
        if (m_host.busy)
            m_host.busy(true);
        m_grid->setEnabled(false);
        m_grid->detach();
    };
    steps.end = [this] {
        m_grid->attach();
        m_grid->setEnabled(true);
        if (m_host.busy)
            m_host.busy(false);
    };
    m_loadRun = Server::BackgroundFetch::start(
        this, steps,
        [fresh, copy = bagc.copy(), carino]() mutable {
            Protocol::Expected<Protocol::ClientTable> table = fetchBasket(std::move(copy), carino);
            if (!table)
                return true;
            *fresh = std::move(*table);
            return false;
        },
        [this, fresh](bool hata) {
            if (!hata && fresh->has_value())
                installTable(std::move(**fresh));
            if (m_host.setCaption)
                m_host.setCaption(QString::number(sepet().rowCount()) + u"=Sepet"_s);
            SepetToplamlari();
            emit m_grid->sizingNeeded();
            emit loaded(hata);
        });
}

bool SepetView::SepetYukle()
{
    std::optional<Protocol::ClientTable> table = Basket::SepetYukle(*m_host.bagc, m_host.sbilgi->FCARINO);
    if (!table)
        return false;
    installTable(std::move(*table));
    return true;
}

void SepetView::SepetToplamlari()
{
    m_totals->display(sepetToplamlari(sepet()));
}

int SepetView::focusedRow() const
{
    return m_grid->currentTableRow();
}

void SepetView::addOrChange(const Catalogue::StockRow &part)
{
    // 1. The basket must be known to tell an add from a change.
    if (!isLoaded() && !SepetYukle())
        return;
    // 3. A part is never added twice: its basket row is changed instead.
    const int row = basketRowOfPart(sepet(), part.stokno);
    if (row >= 0) {
        sepet().setCurrentRow(row);
        changeRow(row);
        return;
    }
    // 4. Otherwise the add dialog for the product row.
    addPart(part);
}

void SepetView::addPart(const Catalogue::StockRow &part)
{
    stokayarinti dialog(part.stokno, window());
    dialog.setKdv(part.kdv);
    dialog.setTopValues(part.barkod, part.adi, part.finishkod, part.marka, part.model);
    dialog.setKoliAdet(koliAdet(*m_host.bagc, part.stokno));
    dialog.applyUserType(m_host.sbilgi->FMusteriTipi, part.source == Catalogue::ProductSource::CampaignList);
    dialog.applyOpener(Catalogue::openerTexts(part));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::optional<qint32> answer = SepetEkle2(*m_host.bagc, *m_host.sbilgi, part, dialog.values());
    // Any answer but 1 leaves the basket as shown, without a word.
    if (answer && *answer == 1)
        SepetYukle();
}

void SepetView::changeRow(int row)
{
    const BasketLine line = basketLineFromRow(sepet(), row);
    stokayarinti dialog(line.stokno, window());
    dialog.setTopValues(line.barkod, line.stokadi, line.finishkod, line.marka, line.model);
    dialog.setKdv(line.kdv);
    dialog.setKoliAdet(koliAdet(*m_host.bagc, line.stokno));
    dialog.applyUserType(m_host.sbilgi->FMusteriTipi, false);
    dialog.applyOpener(Catalogue::basketOpenerTexts(line.birimfiyat, line.oran, line.kdv));
    dialog.setQuantity(line.miktar);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DialogValues values = dialog.values();
    // Only the quantity and the price come from the dialog; the row keeps its own rates.
    if (SepetGuncelle2(*m_host.bagc, *m_host.sbilgi, line, values.quantity, values.price))
        SepetYukle();
}

void SepetView::toggleOrChange()
{
    const int row = focusedRow();
    if (row < 0 || !isLoaded())
        return;
    Protocol::ClientTable &table = sepet();
    table.setCurrentRow(row);
    const QModelIndex focused = m_grid->view()->currentIndex();
    const int column = focused.isValid() ? focused.column() : -1;
    const bool onSec = column >= 0 && m_grid->model()->column(column).name == u"SEC"_s;
    if (!onSec) {
        changeRow(row);
        return;
    }
    const int sec = table.columnIndex(u"SEC");
    if (sec < 0)
        return;
    const qint32 old = table.isNull(row, sec) ? 0 : qRound(table.number(row, sec));
    const qint32 flag = toggledSelection(old);
    const qint32 sirano = basketLineFromRow(table, row).sirano;
    table.setValue(row, sec, flag);
    m_grid->model()->tableRowChanged(row);
    Basket::SepetSecimGuncelle(*m_host.bagc, sirano, flag);
    SepetToplamlari();
}

void SepetView::deleteRow()
{
    const int row = focusedRow();
    if (row < 0 || !isLoaded())
        return;
    sepet().setCurrentRow(row);
    const BasketLine line = basketLineFromRow(sepet(), row);
    if (!askedYes(u"Satırı silmek istiyor musunuz "_s))
        return;
    if (!SepetSatirSil(*m_host.bagc, *m_host.sbilgi, line))
        return;
    SepetYukle();
    information(u"Satır silindi !"_s);
}

void SepetView::emptyBasket()
{
    if (!Session::tableHasRows(sepet()))
        return;
    // Anything but "Evet" (the close box included) keeps the basket.
    if (!askedYes(u"Tüm Sepeti Silmek İstiyor musunuz "_s))
        return;
    if (!SepetHepsiniSil(*m_host.bagc, *m_host.sbilgi))
        return;
    information(u"Sepet Silindi !"_s);
    SepetYukle();
}

void SepetView::selectAll(qint32 flag)
{
    Protocol::ClientTable &table = sepet();
    const int sec = table.columnIndex(u"SEC");
    if (sec >= 0) {
        for (int row = 0; row < table.rowCount(); ++row) {
            table.setValue(row, sec, flag);
            m_grid->model()->tableRowChanged(row);
            Basket::SepetSecimGuncelle(*m_host.bagc, basketLineFromRow(table, row).sirano, flag);
        }
    }
    SepetToplamlari();
    if (m_host.focusSearch)
        m_host.focusSearch();
}

void SepetView::Gonder()
{
    if (!Session::anyRowSelected(sepet())) {
        Session::MessageDialog(u"Gönderilecek Parça Yok "_s, DialogKind::Warning, DialogButton::Ok);
        return;
    }
    std::unique_ptr<ONAYSIP> onay = std::make_unique<ONAYSIP>(m_totals->geneltoplaml()->text(), *m_host.sbilgi,
                                                              m_uyari->text(), *m_host.bagc, window());
    if (onay->exec() != QDialog::Accepted)
        return;
    const std::optional<bool> placed =
        SiparisKaydet(*m_host.bagc, *m_host.sbilgi, onay->td(), onay->kt(), onay->aciklama(), onay->KN());
    onay.reset();
    if (placed && *placed) {
        information(u"Siparişiniz Gönderildi !"_s);
        SepetYukle();
        return;
    }
    Session::MessageDialog(u"Sipariş Göndermede Hata"_s, DialogKind::Error, DialogButton::Ok);
}

void SepetView::exportExcel()
{
    Widgets::exportGridToSpreadsheet(*m_grid, m_ask);
}

} // namespace Basket
