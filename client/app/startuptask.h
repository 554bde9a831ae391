#pragma once

#include "client/server/connection.h"
#include "client/server/tawait.h"

#include "protocol/records.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <vector>

namespace App {

// The steps of the start-up task, in the order its worker runs them.
enum class StartupStep {
    AnaBilgiAl,         // the header labels
    KayanYazi,          // the ticker text
    BannerREsimAlUst,   // the upper banner picture
    BannerREsimAlAlt,   // the lower banner picture
    AcilisReklamAdetAl, // the number of opening advertisements
    BalonYaz,           // the badge counts of the tab captions
};

// What a step's worker may use: a connection copy of its own per server call, the copy of
// the session record taken when the task started, and the synchronous hand-off of work that
// touches the window to the UI thread.
class StartupContext final
{
public:
    StartupContext(Server::Connection connection, Protocol::TSonucBilgisi record, QPointer<QObject> window);

    // A fresh, closed copy of the main connection.
    Server::Connection connectionCopy() const { return m_connection.copy(); }
    const Protocol::TSonucBilgisi &record() const { return m_record; }

    // Runs work on the UI thread and waits until it has run. Work is dropped when the window
    // is gone by then. Called on the UI thread itself, it runs at once.
    void handOff(const std::function<void()> &work) const;

private:
    Server::Connection m_connection;
    Protocol::TSonucBilgisi m_record;
    QPointer<QObject> m_window;
};

// The background task the main window starts once after the login: one worker runs the
// installed steps in StartupStep order (a step that fails handles that itself, the others
// still run), then the completions run on the UI thread in the order they were added.
class StartupTask final
{
public:
    using Step = std::function<void(const StartupContext &)>;

    void setStep(StartupStep step, Step worker);
    bool hasStep(StartupStep step) const { return m_steps.count(step) > 0; }
    std::vector<StartupStep> installedSteps() const;
    void addCompletion(std::function<void()> completion);

    // Starts the worker with copies of the connection and the record; window is the context
    // of the hand-offs and of the completion (both are dropped once it is destroyed).
    Server::IAwait start(QObject *window, const Server::Connection &bagc, const Protocol::TSonucBilgisi &sbilgi);

private:
    std::map<StartupStep, Step> m_steps;
    std::vector<std::function<void()>> m_completions;
};

} // namespace App
