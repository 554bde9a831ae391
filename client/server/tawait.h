#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QThreadPool;

namespace Server {

// The pool workers run on. They spend their time waiting on the network, so it holds more
// threads than the machine has cores; it is never torn down, so leaving the program never
// waits for a hung call.
QThreadPool *workerPool();

class TAwait;
using IAwait = std::shared_ptr<TAwait>;

// Runs a worker off the UI thread and then a completion on the thread of a context object
// (a view, on the UI thread). The task lives until its completion has run. If the context is
// destroyed first, the completion is dropped: the worker must therefore own all it touches.
class TAwait final : public std::enable_shared_from_this<TAwait>
{
public:
    static IAwait create(std::function<void()> worker);

    void Await(QObject *context, std::function<void()> completion);

private:
    struct Token
    {
    };

public:
    TAwait(Token, std::function<void()> worker);

private:
    std::function<void()> m_worker;
};

// What a view does around a background load, on the UI thread. Both steps may be empty.
struct FetchSteps
{
    std::function<void()> begin; // show the busy indicator, disable the grid, detach it, stop redrawing
    std::function<void()> end;   // attach the grid, redraw, enable it, hide the busy indicator
};

// The background-call pattern of every list view:
//   begin() now; fetch() on a worker, whose return value is the failure flag `hata`;
//   then on the UI thread end(), completion(hata), and, when hata, the connection-failure
//   message. fetch must not touch a widget or the view's model: it fills data it owns.
class BackgroundFetch final
{
public:
    using Fetch = std::function<bool()>;
    using Completion = std::function<void(bool hata)>;

    static IAwait start(QObject *view, const FetchSteps &steps, Fetch fetch, Completion completion = {});
};

} // namespace Server
