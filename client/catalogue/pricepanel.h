#pragma once

#include "prices.h"
#include "stockrow.h"

#include <QWidget>

#include <array>

class QLabel;

namespace Catalogue {

class MoneyEdit;

// The price panel of the add/change dialog: the unit price `birimfiyat` under `Label2`, the four
// rate boxes `edindirim1` … `edindirim4` in a panel of their own (hidden unless the opener shows
// it), and three read-only results: the discount of the line `indtutar` under `indirimoran`,
// the price of one piece with tax `kdvdahiltutar` and the line total `geneltutar`.
//
// The dialog that holds it calls open() with the opener's texts, then setQuantity() whenever
// its quantity changes. Every key release in the eight money boxes recomputes the results;
// F4 there divides the unit price by 1.2 first.
class PricePanel final : public QWidget
{
    Q_OBJECT

public:
    explicit PricePanel(QWidget *parent = nullptr);

    // Price, rates, tax rate and captions as the opener gives them (captions it leaves unset go
    // back to "Fiyat:" and "İndirim:"); decides once whether the discount line is shown (rates
    // adding up to more than 1) and recomputes.
    void open(const OpenerTexts &texts);

    void setQuantity(double quantity);
    double quantity() const { return m_quantity; }

    // Who may change the price and the rates (the user type decides, in the dialog).
    void setPriceEditable(bool editable);
    void setRatesEditable(bool editable);
    void setRatesVisible(bool visible);

    double price() const;
    std::array<double, 4> rates() const;
    double taxRate() const { return m_taxRate; }
    // The results as last computed.
    const PriceLine &line() const { return m_line; }
    bool discountLineShown() const { return m_discountLineShown; }

    // Recomputes the three results from the boxes, the tax rate and the quantity.
    void SatirHesapla();

    MoneyEdit *birimfiyat() const { return m_birimfiyat; }
    MoneyEdit *edindirim(int number) const { return m_rates[size_t(number - 1)]; } // 1 … 4
    MoneyEdit *indtutar() const { return m_indtutar; }
    MoneyEdit *kdvdahiltutar() const { return m_kdvdahiltutar; }
    MoneyEdit *geneltutar() const { return m_geneltutar; }
    QLabel *Label2() const { return m_label2; }
    QLabel *indirimoran() const { return m_indirimoran; }
    QWidget *ratesPanel() const { return m_ratesPanel; }

signals:
    void recomputed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MoneyEdit *m_birimfiyat;
    std::array<MoneyEdit *, 4> m_rates{};
    MoneyEdit *m_indtutar;
    MoneyEdit *m_kdvdahiltutar;
    MoneyEdit *m_geneltutar;
    QLabel *m_label2;
    QLabel *m_indirimoran;
    QWidget *m_ratesPanel;
    double m_taxRate = 0;
    double m_quantity = 0;
    bool m_discountLineShown = false;
    PriceLine m_line;
};

} // namespace Catalogue
