#include "tablechecks.h"

#include "protocol/clienttable.h"

using namespace Qt::StringLiterals;

namespace Session {

bool tableHasRows(const Protocol::ClientTable &table)
{
    return table.columnCount() > 0 && table.rowCount() > 0;
}

bool anyRowSelected(Protocol::ClientTable &table)
{
    if (!tableHasRows(table))
        return false;
    const int sec = table.columnIndex(u"SEC");
    table.first();
    while (!table.eof()) {
        if (sec >= 0 && !table.isNull(table.currentRow(), sec)
            && table.number(table.currentRow(), sec) == 1.0)
            return true;
        table.next();
    }
    return false;
}

} // namespace Session
