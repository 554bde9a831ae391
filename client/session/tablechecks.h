#pragma once

namespace Protocol {
class ClientTable;
}

namespace Session {

// True when the table has columns (is "open") and at least one row.
bool tableHasRows(const Protocol::ClientTable &table);
// Walks the rows from the first; true at the first row whose SEC is 1, which stays the
// current row. Otherwise false, with the current row past the last one.
bool anyRowSelected(Protocol::ClientTable &table);

} // namespace Session
