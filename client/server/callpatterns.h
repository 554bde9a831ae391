#pragma once

#include "connection.h"
#include "openretry.h"
#include "servermethods.h"

#include "client/session/messagedialog.h"

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

// The four ways a server call is made. A body gets a fresh proxy and returns the
// Expected<T> of its call (or of a short run of calls); the proxy is dropped right after.
namespace Server {

namespace Detail {
template<typename Body> using BodyResult = std::invoke_result_t<Body &, TServerMethods1Client &>;
template<typename Body> using BodyValue = std::remove_cvref_t<decltype(std::declval<BodyResult<Body> &>().value())>;

template<typename Body> BodyResult<Body> callAndClose(Connection &connection, Body &body)
{
    TServerMethods1Client proxy(connection);
    BodyResult<Body> result = std::invoke(body, proxy);
    connection.close();
    return result;
}

// A direct call's failure reaches the user as the platform's error text.
template<typename Body> std::optional<BodyValue<Body>> shown(BodyResult<Body> result)
{
    if (!result) {
        Session::plainMessage(result.error().message, Session::DialogKind::Error);
        return std::nullopt;
    }
    return std::move(result).value();
}
} // namespace Detail

// 1. Background call with its own copy, on a worker: the copy is opened with retry (report now
//    as the caller says), called and closed. An open that failed gives the connection-failure
//    text as its error; nothing else is shown here, the view's completion reports.
template<typename Body> Detail::BodyResult<Body> callOnOwnCopy(Connection copy, bool reportNow, Body body)
{
    if (!openWithRetry(copy, reportNow))
        return Protocol::makeError(Session::connectionFailureText());
    return Detail::callAndClose(copy, body);
}

// 2. Direct call on the main connection, on the UI thread: open with retry (report now), call,
//    close. An open that failed has been reported already; a failed call shows its text.
template<typename Body> std::optional<Detail::BodyValue<Body>> callOnMain(Connection &bagc, Body body)
{
    if (!openWithRetry(bagc, true))
        return std::nullopt;
    return Detail::shown<Body>(Detail::callAndClose(bagc, body));
}

// 3. Direct call with its own copy, on the UI thread: as 2, on a copy of the main connection.
template<typename Body> std::optional<Detail::BodyValue<Body>> callDirectOnCopy(const Connection &bagc, Body body)
{
    Connection copy = bagc.copy();
    return callOnMain(copy, std::move(body));
}

// 4. Direct call with a single plain open, no retry: a failed open or call comes back as the
//    error (its text is the system's own for the open), for the window to show.
template<typename Body> Detail::BodyResult<Body> callWithPlainOpen(Connection &connection, Body body)
{
    if (auto opened = connection.open(); !opened) {
        connection.close();
        return opened.error();
    }
    return Detail::callAndClose(connection, body);
}

} // namespace Server
