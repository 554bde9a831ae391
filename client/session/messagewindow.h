#pragma once

#include "messagedialog.h"

#include <QDialog>
#include <QMap>

class QPushButton;

namespace Session {

// The program's message dialog: a title and icon by kind, the message in the message
// font, Turkish buttons. The default button has the focus and answers Enter; Escape
// answers the Escape button or, when there is none, does nothing. The first button only
// leads the Tab order.
class MessageWindow final : public QDialog
{
    Q_OBJECT

public:
    explicit MessageWindow(const DialogRequest &request, QWidget *owner = nullptr);

    DialogButton answer() const { return m_answer; }
    QPushButton *button(DialogButton which) const { return m_buttons.value(which); }

    // The message font of every dialog (the main window sets it at start).
    static void setFontPointSize(int points);
    static int fontPointSize();

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void finishWith(DialogButton which);

    DialogRequest m_request;
    QMap<DialogButton, QPushButton *> m_buttons;
    DialogButton m_answer = DialogButton::None;
    bool m_placed = false;
};

// Shows every request in a window on top of the active window: the Turkish dialog, or the
// platform's own box for plain messages.
class WindowPresenter final : public DialogPresenter
{
public:
    DialogButton present(const DialogRequest &request) override;
};

// Makes the message windows the program's dialogs and the desktop's bell its sounds.
void installDialogWindow();

} // namespace Session
