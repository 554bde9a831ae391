#pragma once

#include "protocol/expected.h"

#include <QString>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <memory>

namespace Session {

struct AddressLookupTimings
{
    std::chrono::milliseconds connect{15000}; // until the request is on its way
    std::chrono::milliseconds read{1500};     // silence allowed while the answer arrives
    std::chrono::milliseconds retryPause{1000};
};

// One GET of the address-echo service. The answer is the caller's address as plain text;
// it comes back trimmed. An answer that is not an IP address (a page of HTML, a long
// text) counts as an empty answer, which the login reports. Transport failures, time-outs
// and error statuses are errors. Blocks its thread (a worker's) while it runs.
Protocol::Expected<QString> fetchPublicAddressOnce(const QUrl &url, const AddressLookupTimings &timings = {});

using CancelFlag = std::shared_ptr<std::atomic<bool>>;

// Tries again after every failure, without limit, until an answer arrives. A set cancel
// flag ends the tries with an empty text (the window that waited is gone).
QString lookupPublicAddress(const QUrl &url, const CancelFlag &cancel, const AddressLookupTimings &timings = {});

} // namespace Session
