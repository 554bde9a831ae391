#pragma once

#include "login.h"
#include "publicaddress.h"

#include "protocol/records.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Server {
class Connection;
}

namespace Session {

class BusySpinner;

// The windows the login may open on its way. Each has a default that opens the real one;
// tests replace what they must watch.
struct LoginWindows
{
    // The update window for an announced version; it ends the program itself.
    std::function<void(QWidget *owner, qint32 version)> update;
    // The request form of an unregistered computer, shown modally.
    std::function<void(QWidget *owner, const QString &address)> requestForm;
    // A sales representative's customer choice; true when it closed with OK.
    std::function<bool(QWidget *owner, Server::Connection &connection, Protocol::TSonucBilgisi &record)> chooseCustomer;
};
// The customer selection belongs to its own area; the program hands it in at start.
void setCustomerChooser(std::function<bool(QWidget *, Server::Connection &, Protocol::TSonucBilgisi &)> chooser);
LoginWindows defaultLoginWindows();

// The login window: user name, password, "Beni hatırla". It looks up the public address,
// fetches the computer's user record and decides; it closes with OK only for a signed-in
// user. Given the main connection and the session record, neither owned.
class girisform final : public QDialog
{
    Q_OBJECT

public:
    girisform(Server::Connection &bagim, Protocol::TSonucBilgisi &Bilgim, QWidget *parent = nullptr);
    ~girisform() override;

    void setWindows(LoginWindows windows) { m_windows = std::move(windows); }
    void setAddressLookupTimings(const AddressLookupTimings &timings) { m_timings = timings; }

    QLineEdit *adi() const { return m_adi; }
    QLineEdit *sifre() const { return m_sifre; }
    QCheckBox *benihatirla() const { return m_benihatirla; }
    QPushButton *girisButton() const { return m_giris; }
    QPushButton *vazgecButton() const { return m_vazgec; }
    BusySpinner *busy() const { return m_busy; }
    const QString &idsi() const { return m_idsi; }

    // The last decision taken, for whoever watches the window.
    bool decided() const { return m_decided; }
    LoginOutcome lastOutcome() const { return m_lastOutcome; }

signals:
    void decisionTaken();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildLayout();
    void readSettings();
    void writeSettings();
    void startLogin();
    void addressFound(const QString &address);
    void decide(std::optional<Protocol::TSonucBilgisi> fetched);
    void refuse(const QString &text, int kind);

    Server::Connection &m_bagim;
    Protocol::TSonucBilgisi &m_Bilgim;
    QString m_idsi;
    LoginWindows m_windows;
    AddressLookupTimings m_timings;
    CancelFlag m_cancel;

    QCheckBox *m_benihatirla = nullptr;
    QLineEdit *m_adi = nullptr;
    QLineEdit *m_sifre = nullptr;
    QPushButton *m_giris = nullptr;
    QPushButton *m_vazgec = nullptr;
    BusySpinner *m_busy = nullptr;
    QLabel *m_address = nullptr;

    bool m_decided = false;
    LoginOutcome m_lastOutcome = LoginOutcome::NotConnected;
};

} // namespace Session
