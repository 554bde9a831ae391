#pragma once

#include <QFlags>
#include <QList>
#include <QString>

#include <functional>

namespace Session {

// The four kinds of the message dialog: they pick the title, the icon and the sound.
enum class DialogKind { Warning = 0, Error = 1, Information = 2, Question = 3 }; // "Uyarı", "Hata", "Bilgi", "Soru"

enum class DialogButton {
    None = 0,
    Yes = 0x1,       // "Evet"
    No = 0x2,        // "Hayır"
    Ok = 0x4,        // "Tamam"
    Cancel = 0x8,    // "Vazgeç"
    Abort = 0x10,    // "İptal"
    Retry = 0x20,    // "Tekrar"
    Ignore = 0x40,   // "Atla"
    YesToAll = 0x80, // "Tümüne Evet"
    NoToAll = 0x100, // "Tümüne Hayır"
    Help = 0x200,    // "Yardım"
};
Q_DECLARE_FLAGS(DialogButtons, DialogButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(DialogButtons)

struct DialogRequest
{
    QString text;
    DialogKind kind = DialogKind::Information;
    DialogButtons buttons = DialogButton::Ok;
    DialogButton firstButton = DialogButton::None;
    bool plain = false; // a plain message box (the per-attempt connection error), not the Turkish dialog
};

// Where every message the user sees goes. The program installs the real window; tests
// install a ScriptedAnswerer. show() may be called from any thread: from a worker it is
// handed to the UI thread and the worker waits for the answer.
class DialogPresenter
{
public:
    virtual ~DialogPresenter() = default;
    virtual DialogButton present(const DialogRequest &request) = 0; // runs on the UI thread
};

// Not owned; nullptr restores the default, which writes the message to standard error and
// answers as nobody were there (unattendedAnswer), so nothing ever blocks without a window.
void installPresenter(DialogPresenter *presenter);
DialogPresenter *installedPresenter(); // nullptr when the default is in effect
// From a worker thread the UI thread's event loop must be running, or the worker waits for it.
DialogButton show(const DialogRequest &request);

// The message dialog of the program: text, kind, buttons, first button → button pressed.
DialogButton MessageDialog(const QString &text, DialogKind kind, DialogButtons buttons,
                           DialogButton firstButton = DialogButton::None);
// A plain message box with one OK button (the platform's own, used for per-attempt errors).
void plainMessage(const QString &text);
// The platform's own box with the icon of a kind and one OK button (the login's warnings,
// the update's error).
void plainMessage(const QString &text, DialogKind kind);

// "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!" as "Hata" with "Tamam".
QString connectionFailureText();
void showConnectionFailure();

// The default and Escape rules of the dialog.
DialogButton defaultButton(DialogButtons buttons);
DialogButton escapeButton(DialogButtons buttons);

// The dialog's texts: "Uyarı", "Hata", "Bilgi", "Soru"; "Evet", "Hayır", "Tamam", ...
QString dialogTitle(DialogKind kind);
QString buttonCaption(DialogButton button);
// The buttons of a set in the order the dialog lays them out.
QList<DialogButton> orderedButtons(DialogButtons buttons);
// What a dialog answers when nobody is there to press a button: the default button,
// else the Escape button, else the first button shown.
DialogButton unattendedAnswer(DialogButtons buttons);

// For tests: records every dialog and answers from a queue (the default button when empty).
// Constructing one installs it; destroying it restores the presenter that was there before.
class ScriptedAnswerer final : public DialogPresenter
{
public:
    ScriptedAnswerer();
    ~ScriptedAnswerer() override;
    DialogButton present(const DialogRequest &request) override;

    void enqueue(DialogButton answer) { m_answers.append(answer); }
    const QList<DialogRequest> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QList<DialogRequest> m_shown;
    QList<DialogButton> m_answers;
    DialogPresenter *m_previous = nullptr;
};

} // namespace Session
