#include "startuptask.h"

#include <QCoreApplication>
#include <QThread>

namespace App {

StartupContext::StartupContext(Server::Connection connection, Protocol::TSonucBilgisi record, QPointer<QObject> window)
    : m_connection(std::move(connection))
    , m_record(std::move(record))
    , m_window(std::move(window))
{}

void StartupContext::handOff(const std::function<void()> &work) const
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    if (QThread::currentThread() == app->thread()) {
        if (m_window)
            work();
        return;
    }
    // The application object lives as long as the program, so the hand-off never targets an
    // object that is gone; whether the window still exists is asked on the UI thread.
    QPointer<QObject> window = m_window;
    QMetaObject::invokeMethod(
        app,
        [&work, window] {
            if (window)
                work();
        },
        Qt::BlockingQueuedConnection);
}

void StartupTask::setStep(StartupStep step, Step worker)
{
    m_steps[step] = std::move(worker);
}

std::vector<StartupStep> StartupTask::installedSteps() const
{
    std::vector<StartupStep> steps;
    for (const auto &entry : m_steps)
        steps.push_back(entry.first);
    return steps;
}

void StartupTask::addCompletion(std::function<void()> completion)
{
    m_completions.push_back(std::move(completion));
}

Server::IAwait StartupTask::start(QObject *window, const Server::Connection &bagc,
                                  const Protocol::TSonucBilgisi &sbilgi)
{
    std::vector<Step> steps;
    for (const auto &entry : m_steps)
        steps.push_back(entry.second);
    auto context = std::make_shared<StartupContext>(bagc.copy(), sbilgi, QPointer<QObject>(window));
    Server::IAwait task = Server::TAwait::create([steps = std::move(steps), context] {
        for (const Step &step : steps)
            step(*context);
    });
    task->Await(window, [completions = m_completions] {
        for (const auto &completion : completions)
            completion();
    });
    return task;
}

} // namespace App
