#pragma once

#include "clienttable.h"
#include "expected.h"

#include <string>
#include <string_view>

namespace simdjson::dom {
class element;
}

namespace Protocol {

// The JSON table form: {"table":[[meta x13]...], "COL":[...], ...}
void writeTable(std::string &out, const ClientTable &table);
std::string tableToJson(const ClientTable &table);
// An upper bound of the size writeTable produces, so a writer reserves once.
std::size_t tableJsonBound(const ClientTable &table);

Expected<ClientTable> tableFromJson(std::string_view json);
Expected<ClientTable> tableFromElement(const simdjson::dom::element &element);

} // namespace Protocol
