#pragma once

#include "expected.h"
#include "value.h"

#include <string>
#include <string_view>

namespace simdjson::dom {
class element;
}

namespace Protocol {

// The marshalled object form {"type":"GROUP.CLASS","id":N,"fields":{...}}.
// Writers number objects from 1, depth first; readers accept "ref" members, any field
// order, unknown members, and leave missing fields at their defaults.
void writeObject(std::string &out, const Value &record); // a record alternative, or monostate → null
// Reads the object the operation expects (type name); JSON null gives std::monostate.
Expected<Value> readObject(const simdjson::dom::element &element, std::string_view expectedType);

} // namespace Protocol
