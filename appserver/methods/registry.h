#pragma once

#include "protocol/catalogue.h"
#include "protocol/expected.h"
#include "protocol/value.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace Store {
class Database;
}

namespace Methods {

// What a method sees of its request.
struct CallContext
{
    Store::Database &db;
};

// inputs: the sent parameters, already decoded by the operation's kinds.
// The result: the out parameters in order, then the return value (none for a procedure).
// A method that raises returns an Error: the dispatcher sends it as {"error":...}.
using Handler = std::function<Protocol::Expected<std::vector<Protocol::Value>>(
    CallContext &, const std::vector<Protocol::Value> &inputs)>;

class Registry final
{
public:
    void add(std::string_view operation, Handler handler);
    const Handler *find(std::string_view operation) const; // nullptr: "not implemented"

private:
    std::map<std::string, Handler, std::less<>> m_handlers;
};

// Each area file registers its methods.
void registerAll(Registry &registry);

} // namespace Methods
