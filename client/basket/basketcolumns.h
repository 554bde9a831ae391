#pragma once

#include "client/widgets/columnspec.h"

#include <vector>

namespace Basket {

// The 52 columns of the basket grid `cxGridDBTableView1`, in their order, before the user
// type's rules (which show KALAN for representatives and withdraw DURUM for dealers).
std::vector<Widgets::ColumnSpec> basketColumns();

} // namespace Basket
