#pragma once

#include "protocol/clienttable.h"

#include <QDialog>

class QPushButton;

namespace Widgets {
class DataGrid;
}

namespace Catalogue {

// "Stok Hareketleri": the movements of one part for the current customer account, as the server
// gives them, in a read-only grid with short captions, with the row count under MIKTAR
// and averages under the net and tax-inclusive amounts. "Kapat" closes it.
class hareket_stok final : public QDialog
{
    Q_OBJECT

public:
    explicit hareket_stok(Protocol::ClientTable har, QWidget *parent = nullptr);

    Widgets::DataGrid *grid() const { return m_grid; }
    QPushButton *kapat() const { return m_kapat; }

private:
    Widgets::DataGrid *m_grid;
    QPushButton *m_kapat;
};

} // namespace Catalogue
