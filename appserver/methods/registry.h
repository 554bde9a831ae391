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

// Whether the answer may be kept and given again for the same request: only for methods
// that change nothing and whose answer depends on nothing but their parameters and the
// tables that Store::DataVersions watches.
enum class Keep { No, WhileDataUnchanged };

struct Method
{
    Handler handler;
    Keep keep = Keep::No;
};

class Registry final
{
public:
    void add(std::string_view operation, Handler handler, Keep keep = Keep::No);
    const Method *find(std::string_view operation) const; // nullptr: "not implemented"

private:
    std::map<std::string, Method, std::less<>> m_methods;
};

// Each area file registers its methods.
void registerAll(Registry &registry);

} // namespace Methods
