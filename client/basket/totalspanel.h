#pragma once

#include "basketmath.h"

#include <QWidget>

class QLabel;

namespace Basket {

// The five totals under the basket, right-aligned: "Toplam:", "İndirim Toplam:",
// "Ara Toplam:", "Vergi:" and, in bold, "Genel Toplam:".
class TotalsPanel final : public QWidget
{
    Q_OBJECT

public:
    explicit TotalsPanel(QWidget *parent = nullptr);

    // Writes the values in the money format "#,###,##0.00" of the Turkish locale.
    void display(const SepetToplamlari &totals);

    QLabel *aratoplaml() const { return m_toplam; }
    QLabel *indiriml() const { return m_indirim; }
    QLabel *nettutarl() const { return m_net; }
    QLabel *vergil() const { return m_vergi; }
    QLabel *geneltoplaml() const { return m_genel; }

private:
    QLabel *m_toplam;
    QLabel *m_indirim;
    QLabel *m_net;
    QLabel *m_vergi;
    QLabel *m_genel;
};

} // namespace Basket
