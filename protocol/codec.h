#pragma once

#include "catalogue.h"
#include "expected.h"
#include "value.h"

#include <string>
#include <string_view>
#include <vector>

namespace Protocol {

// The REST path of a server method: /datasnap/rest/TServerMethods1/%22Name%22/
std::string methodPath(std::string_view context, const Operation &op); // context "datasnap/"
inline constexpr std::string_view kPlatformNamePath = "/datasnap/rest/DSAdmin/%22GetPlatformName%22/";

// --- client side
// {"_parameters":[...]}; inputs are the sent parameters only, in order, of the operation's kinds.
Expected<std::string> encodeRequest(const Operation &op, const std::vector<Value> &inputs);
// Decodes a 2xx body: the out parameters in order, then the return value (absent for None).
// Anything that does not match the operation's signature is an Error with a clear text.
Expected<std::vector<Value>> decodeResponse(const Operation &op, std::string_view body);

// What a non-2xx answer means.
struct ErrorAnswer
{
    enum class Kind { Raised, SessionExpired, Other } kind = Kind::Other;
    QString message;
};
ErrorAnswer decodeErrorAnswer(int httpStatus, std::string_view body);

// --- server side
Expected<std::vector<Value>> decodeRequest(const Operation &op, std::string_view body);
// outputs: the out parameters in order, then the return value (none for a procedure).
std::string encodeResponse(const Operation &op, const std::vector<Value> &outputs);
std::string encodeError(const QString &message);          // {"error":"..."}
std::string encodeSessionExpired(const QString &message); // {"SessionExpired":"..."}

// Doubles for days since 1899-12-30 (the fraction is the time of day), as the report ranges travel.
double toOleDate(const QDateTime &dt);
QDateTime fromOleDate(double days);

} // namespace Protocol
