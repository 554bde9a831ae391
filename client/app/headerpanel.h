#pragma once

#include "protocol/records.h"

#include <QWidget>

class QLabel;

namespace App {

class SvgPicture;

// The value of "Temsilci: ": the representative's name, " Telefonu: ", the telephone,
// " email: ", the address, joined with nothing between them.
QString saticiText(const Protocol::TSonucBilgisi &record);

// The top of the main window, 255 pixels high: the logo over the user's identity at the left,
// the animated picture (784 pixels wide) at the right.
class HeaderPanel final : public QWidget
{
    Q_OBJECT

public:
    explicit HeaderPanel(QWidget *parent = nullptr);

    // The three values from the session record (the start-up task and every customer change).
    void fill(const Protocol::TSonucBilgisi &record);

    QLabel *kullanicilbl() const { return m_kullanici; }
    QLabel *cariadilbl() const { return m_cariadi; }
    QLabel *saticilbl() const { return m_satici; }
    SvgPicture *logo() const { return m_logo; }
    SvgPicture *picture() const { return m_picture; }

private:
    QLabel *m_kullanici;
    QLabel *m_cariadi;
    QLabel *m_satici;
    SvgPicture *m_logo;
    SvgPicture *m_picture;
};

} // namespace App
