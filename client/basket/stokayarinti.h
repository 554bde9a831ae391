#pragma once

#include "basketcalls.h"

#include "client/catalogue/stockrow.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace Catalogue {
class PricePanel;
class TAsyncResim;
} // namespace Catalogue

namespace Basket {

// The add/change dialog `stokayarinti` ("Sepete Ekle"): the part's values and picture, the
// quantity in whole packages and the price panel. The one place a part goes into the basket
// or its basket row is changed.
class stokayarinti final : public QDialog
{
    Q_OBJECT

public:
    explicit stokayarinti(qint32 stokno, QWidget *parent = nullptr);
    ~stokayarinti() override;

    qint32 stokno() const { return m_stokno; }

    // What the opener fills in, in the order it does so.
    void setTopValues(const QString &barkod, const QString &adi, const QString &finishkod, const QString &marka,
                      const QString &model);
    void setKdv(double kdv);
    // The quantity box starts at, steps by and never goes below the package quantity.
    void setKoliAdet(qint32 koliadet);
    qint32 koliadet() const { return m_koliadet; }
    // Representatives may change the price and the rates; the rate panel stays hidden for
    // a campaign part although its boxes are editable.
    void applyUserType(qint32 musteriTipi, bool fromCampaignList);
    void applyOpener(const Catalogue::OpenerTexts &texts);
    // The basket row's quantity, held within the box's limits.
    void setQuantity(double quantity);

    // The values it was confirmed with.
    DialogValues values() const { return m_values; }

    QSpinBox *adet() const { return m_adet; }
    Catalogue::PricePanel *pricePanel() const { return m_prices; }
    Catalogue::TAsyncResim *picture() const { return m_picture; }
    QPushButton *siparisEkleButton() const { return m_ekle; }
    QPushButton *vazgecButton() const { return m_vazgec; }
    QLabel *barkodLabel() const { return m_barkod; }

    // "Sipariş ekle": the quantity is raised to whole packages, then the dialog confirms.
    void siparisEkle();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void roundQuantityUp();
    // Confirms with the quantity box as it stands; a box without a number says so and stays.
    void confirm();

    qint32 m_stokno;
    qint32 m_koliadet = 1;
    bool m_shownOnce = false;
    DialogValues m_values;

    QLabel *m_barkod = nullptr;
    QLabel *m_adi = nullptr;
    QLabel *m_finishkod = nullptr;
    QLabel *m_marka = nullptr;
    QLabel *m_model = nullptr;
    Catalogue::TAsyncResim *m_picture = nullptr;
    QSpinBox *m_adet = nullptr;
    Catalogue::PricePanel *m_prices = nullptr;
    QPushButton *m_ekle = nullptr;
    QPushButton *m_vazgec = nullptr;
};

} // namespace Basket
