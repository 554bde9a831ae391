#pragma once

#include "tablemodel.h"

#include <QFrame>

class QListWidget;

namespace Widgets {

// The list that a header filter button opens: "(Tümü)" and every value of the column with a
// check box; "Tamam" applies the ticked values as the column's filter, "Vazgeç" leaves it.
class FilterPopup final : public QFrame
{
    Q_OBJECT

public:
    FilterPopup(TableModel *model, int column, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // Applies the ticked values (all ticked: no filter) and closes.
    void apply();

private:
    void syncAllItem();

    TableModel *m_model;
    int m_column;
    std::vector<FilterValue> m_values;
    QListWidget *m_list;
    bool m_syncing = false;
};

} // namespace Widgets
