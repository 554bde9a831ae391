#pragma once

#include "basketcalls.h"

#include "client/server/connection.h"

#include "protocol/clienttable.h"
#include "protocol/records.h"

#include <QDialog>

#include <vector>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace Basket {

// The order confirmation window `ONAYSIP` ("Sipariş Onay"): who orders for whom and how much,
// the delivery options, cargo types and carriers the server lists, and a message. It ends
// confirmed only when all three are chosen; then td, kt, KN and the message are available.
class ONAYSIP final : public QDialog
{
    Q_OBJECT

public:
    // Opening it loads the delivery options and the cargo types (TeslimVer, KargoVer).
    ONAYSIP(const QString &toplam, const Protocol::TSonucBilgisi &sbilgi, const QString &uyari,
            Server::Connection &bagc, QWidget *parent = nullptr);

    // The summary's three lines, joined by "\r\n" as the order's record keeps them.
    static QString summaryText(const Protocol::TSonucBilgisi &sbilgi, const QString &toplam);

    qint32 td() const { return m_td; }
    qint32 kt() const { return m_kt; }
    qint32 KN() const { return m_kn; }
    QString aciklama() const;

    // For tests and for the user's hands alike.
    QButtonGroup *teslimDurumu() const { return m_teslim; }
    QButtonGroup *kargoTurleri() const { return m_kargoTurleri; }
    QComboBox *kargoList() const { return m_kargoList; }
    QLabel *uyarikargo() const { return m_uyarikargo; }
    QPlainTextEdit *aciklamagir() const { return m_aciklamagir; }
    QLabel *summary() const { return m_summary; }
    QLabel *warning() const { return m_warning; }
    QPushButton *evetButton() const { return m_evet; }
    QPushButton *hayirButton() const { return m_hayir; }
    const Protocol::ClientTable &kargo() const { return m_kargo; }

    // "Evet": the three checks in their order, then the window closes as confirmed.
    void Evet();

private:
    void buildLayout();
    void loadChoices();
    void fillGroup(QGroupBox *box, QButtonGroup *group, const std::vector<Choice> &choices);
    void orderFocus();
    void kargoTuruSecildi(int index);
    void kargoSecildi(int index);
    int firstCarrierNamed(const QString &name) const;

    Server::Connection &m_bagc;
    qint32 m_td = 0;
    qint32 m_kt = 0;
    qint32 m_kn = 0;
    std::vector<Choice> m_teslimChoices;
    std::vector<Choice> m_kargoChoices;
    Protocol::ClientTable m_kargo;

    QGroupBox *m_teslimBox = nullptr;
    QGroupBox *m_kargoTurBox = nullptr;
    QButtonGroup *m_teslim = nullptr;
    QButtonGroup *m_kargoTurleri = nullptr;
    QComboBox *m_kargoList = nullptr;
    QLabel *m_uyarikargo = nullptr;
    QPlainTextEdit *m_aciklamagir = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_warning = nullptr;
    QPushButton *m_evet = nullptr;
    QPushButton *m_hayir = nullptr;
};

} // namespace Basket
