#include "messagedialog.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

// Without a window to show it in, a message goes to standard error and is answered as
// if nobody were there: a program without a display must never wait on a dialog.
class StderrPresenter final : public DialogPresenter
{
public:
    DialogButton present(const DialogRequest &request) override
    {
        const QString title = request.plain ? u"Varsel Otomotiv B2B"_s : dialogTitle(request.kind);
        const QByteArray line = (title + u": "_s + request.text + u'\n').toUtf8();
        std::fputs(line.constData(), stderr);
        return unattendedAnswer(request.buttons);
    }
};

std::atomic<DialogPresenter *> g_presenter{nullptr};

DialogPresenter &currentPresenter()
{
    static StderrPresenter fallback;
    DialogPresenter *p = g_presenter.load(std::memory_order_acquire);
    return p ? *p : fallback;
}

constexpr DialogButton kLayoutOrder[] = {
    DialogButton::Yes,    DialogButton::No,     DialogButton::Ok,       DialogButton::Cancel,
    DialogButton::Abort,  DialogButton::Retry,  DialogButton::Ignore,   DialogButton::YesToAll,
    DialogButton::NoToAll, DialogButton::Help,
};

} // namespace

void installPresenter(DialogPresenter *presenter)
{
    g_presenter.store(presenter, std::memory_order_release);
}

DialogPresenter *installedPresenter()
{
    return g_presenter.load(std::memory_order_acquire);
}

DialogButton show(const DialogRequest &request)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return currentPresenter().present(request);

    // A worker hands the dialog to the UI thread and waits for the answer; the presenter
    // is looked up there, at the moment the dialog opens.
    DialogButton answer = DialogButton::None;
    QMetaObject::invokeMethod(
        app, [&answer, &request] { answer = currentPresenter().present(request); },
        Qt::BlockingQueuedConnection);
    return answer;
}

DialogButton MessageDialog(const QString &text, DialogKind kind, DialogButtons buttons,
                           DialogButton firstButton)
{
    return show(DialogRequest{text, kind, buttons, firstButton, false});
}

void plainMessage(const QString &text)
{
    show(DialogRequest{text, DialogKind::Information, DialogButton::Ok, DialogButton::None, true});
}

void plainMessage(const QString &text, DialogKind kind)
{
    show(DialogRequest{text, kind, DialogButton::Ok, DialogButton::None, true});
}

QString connectionFailureText()
{
    return u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;
}

void showConnectionFailure()
{
    MessageDialog(connectionFailureText(), DialogKind::Error, DialogButton::Ok);
}

DialogButton defaultButton(DialogButtons buttons)
{
    for (DialogButton b : {DialogButton::Ok, DialogButton::Yes, DialogButton::Retry}) {
        if (buttons.testFlag(b))
            return b;
    }
    return DialogButton::None;
}

DialogButton escapeButton(DialogButtons buttons)
{
    for (DialogButton b : {DialogButton::Cancel, DialogButton::No, DialogButton::Ok}) {
        if (buttons.testFlag(b))
            return b;
    }
    return DialogButton::None;
}

DialogButton unattendedAnswer(DialogButtons buttons)
{
    if (DialogButton b = defaultButton(buttons); b != DialogButton::None)
        return b;
    if (DialogButton b = escapeButton(buttons); b != DialogButton::None)
        return b;
    const QList<DialogButton> shown = orderedButtons(buttons);
    return shown.isEmpty() ? DialogButton::None : shown.first();
}

QList<DialogButton> orderedButtons(DialogButtons buttons)
{
    QList<DialogButton> result;
    for (DialogButton b : kLayoutOrder) {
        if (buttons.testFlag(b))
            result.append(b);
    }
    return result;
}

QString dialogTitle(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Warning:
        return u"Uyarı"_s;
    case DialogKind::Error:
        return u"Hata"_s;
    case DialogKind::Information:
        return u"Bilgi"_s;
    case DialogKind::Question:
        return u"Soru"_s;
    }
    return {};
}

QString buttonCaption(DialogButton button)
{
    switch (button) {
    case DialogButton::Yes:
        return u"Evet"_s;
    case DialogButton::No:
        return u"Hayır"_s;
    case DialogButton::Ok:
        return u"Tamam"_s;
    case DialogButton::Cancel:
        return u"Vazgeç"_s;
    case DialogButton::Abort:
        return u"İptal"_s;
    case DialogButton::Retry:
        return u"Tekrar"_s;
    case DialogButton::Ignore:
        return u"Atla"_s;
    case DialogButton::YesToAll:
        return u"Tümüne Evet"_s;
    case DialogButton::NoToAll:
        return u"Tümüne Hayır"_s;
    case DialogButton::Help:
        return u"Yardım"_s;
    case DialogButton::None:
        break;
    }
    return {};
}

ScriptedAnswerer::ScriptedAnswerer()
    : m_previous(installedPresenter())
{
    installPresenter(this);
}

ScriptedAnswerer::~ScriptedAnswerer()
{
    if (installedPresenter() == this)
        installPresenter(m_previous);
}

DialogButton ScriptedAnswerer::present(const DialogRequest &request)
{
    m_shown.append(request);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return unattendedAnswer(request.buttons);
}

} // namespace Session
