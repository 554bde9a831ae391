#pragma once

#include <QString>

#include <span>
#include <string_view>

namespace Protocol {

// Kinds of an operation's parameters, in signature order. OutInt64 is an out parameter
// (the announced size of a stream): it is not sent, it comes back before the return value.
enum class ParamKind { Text, Int32, Double, Session, OutInt64 };

enum class ResultKind {
    None,        // a procedure: {"result":[]}
    Text,
    Int32,
    Bool,
    TableReader, // a table, copied row by row into the view's table
    DataPacket,  // a table, assigned whole
    Stream,      // bytes with an out 64-bit size before them
    Object,      // a record (objectType names it) or null
};

struct Parameter
{
    std::string_view name;
    ParamKind kind;
};

struct Operation
{
    std::string_view name;              // exactly as called, with its capitals
    std::span<const Parameter> params;  // in signature order, out parameters included
    ResultKind result;
    std::string_view objectType;        // for ResultKind::Object: "baglantiu.TSonucBilgisi", ...

    int inputCount() const;             // parameters that are sent
    int outputCount() const;            // out parameters that come back before the return value
};

// Every operation of TServerMethods1 that the client calls, in one table shared by the
// client's proxy and the server's dispatcher.
std::span<const Operation> operations();
const Operation *findOperation(std::string_view name); // exact, case-sensitive; nullptr when unknown

// Compile-time-ish access by name for the typed proxy: asserts and logs when the name is unknown.
const Operation &operation(std::string_view name);

} // namespace Protocol
