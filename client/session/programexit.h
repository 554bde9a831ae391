#pragma once

#include <functional>

namespace Session {

// Ends the program at once with a code, without waiting for background work (a cancelled
// login, the update, an unregistered computer). Tests install a function that only
// records the code; callers therefore return right after calling it.
void exitProgram(int code);
using ExitFunction = std::function<void(int code)>;
void setExitFunction(ExitFunction function); // empty restores the real exit

} // namespace Session
