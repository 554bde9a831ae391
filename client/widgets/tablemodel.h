#pragma once

#include "columnkeys.h"
#include "columnspec.h"

#include "protocol/clienttable.h"

#include <QAbstractTableModel>

#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace Widgets {

// One entry of a column's value list (the header filter).
struct FilterValue
{
    std::string key; // filterKey(); empty for the null value
    QString label;   // as the list shows it
};

// The model of every grid: a ClientTable (owned or shared) shown through declared columns.
// Sorting, value filters and grouping are done here on the typed values through a permutation
// of row indexes; cells are formatted only when a view asks for them.
class TableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        RawValueRole = Qt::UserRole, // the typed value (number, date-time, text, bool)
        RowKindRole,                 // RowKind
        TableRowRole,                // the table row of a data row, -1 otherwise
        GroupTextRole,               // a group row's "Caption : value"
    };
    enum class RowKind { Data, GroupHeader, GroupFooter };

    explicit TableModel(QObject *parent = nullptr);
    ~TableModel() override;

    void setColumns(std::vector<ColumnSpec> columns);
    const std::vector<ColumnSpec> &columns() const { return m_specs; }
    const ColumnSpec &column(int column) const { return m_specs[size_t(column)]; }
    int columnOf(QStringView name) const; // -1 when not declared
    CellKind cellKind(int column) const { return m_kinds[size_t(column)]; }
    int tableColumn(int column) const { return m_bound[size_t(column)]; }

    // A freshly built table replaces the shown one in one reset (sort, filters and grouping stay).
    void setTable(Protocol::ClientTable &&table);
    void setTable(std::shared_ptr<Protocol::ClientTable> table);
    Protocol::ClientTable &table() { return *m_table; }
    const Protocol::ClientTable &table() const { return *m_table; }
    std::shared_ptr<Protocol::ClientTable> sharedTable() const { return m_table; }

    // After the program changed cells of a table row itself (a ticked check box): repaint the
    // row and the summaries. Sort, filters and groups are not redone until the next change.
    void tableRowChanged(int tableRow);

    // While detached the model shows no rows and never reads the table, so another party may
    // refill it; attach() shows its content again in one reset.
    void detach();
    void attach();
    bool isDetached() const { return m_detached; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override; // -1: table order

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Value filters: a column shows only rows whose value is among the accepted keys.
    void setValueFilter(int column, const std::vector<std::string> &acceptedKeys);
    void clearValueFilter(int column);
    void clearFilters();
    bool hasValueFilter(int column) const { return m_filters.count(column) != 0; }
    std::vector<std::string> acceptedKeys(int column) const;
    // The distinct values of a column among the rows the other columns' filters let through,
    // in sort order; the null value (if any) first, labelled "(Boş)".
    std::vector<FilterValue> distinctValues(int column) const;

    // Incremental search: the first data row at or after fromRow (wrapping round) whose
    // shown text in column starts with prefix, letter case ignored; -1 when none.
    int findIncremental(int column, const QString &prefix, int fromRow) const;

    // Grouping by one column: a group row, the group's rows, a group footer per value.
    void setGroupColumn(int column); // -1: no grouping
    int groupColumn() const { return m_groupColumn; }
    int groupCount() const { return int(m_groups.size()); }
    bool isGroupExpanded(int group) const { return m_groups[size_t(group)].expanded; }
    void setGroupExpanded(int group, bool expanded);
    void expandAll();
    void collapseAll();
    int groupOfRow(int row) const; // -1 for rows outside groups
    // A group's rows as a range of dataRows(), whether shown or collapsed.
    std::pair<int, int> groupRange(int group) const
    {
        return {m_groups[size_t(group)].begin, m_groups[size_t(group)].end};
    }

    RowKind rowKind(int row) const;
    int tableRow(int row) const;           // -1 for group rows
    int rowOfTableRow(int tableRow) const; // -1 when filtered out or collapsed
    int dataRowCount() const { return int(m_order.size()); }
    const std::vector<int> &dataRows() const { return m_order; } // filtered, sorted, every group

    // Footer texts: the whole grid's (group -1) or one group's summary under a column.
    QString summaryText(int column, int group = -1) const;
    double summaryValue(int column, int group = -1) const;

    // The shown text of a cell of a data row; the value name of mark columns when named.
    QString displayText(int tableRow, int column) const;
    QString groupText(int group) const;

signals:
    void summariesChanged();

private:
    struct Group
    {
        int begin = 0; // into m_order
        int end = 0;
        bool expanded = true;
    };

    void bindColumns();
    void rebuild();
    void rebuildEntries();
    void relayout();
    const ColumnKeys &keys(int tableColumn) const;
    bool passesFilters(int tableRow, int exceptColumn) const;
    int entryRow(int groupIndex, bool footer) const;

    std::vector<ColumnSpec> m_specs;
    std::vector<int> m_bound;
    std::vector<CellKind> m_kinds;
    std::shared_ptr<Protocol::ClientTable> m_table;
    bool m_detached = false;
    mutable std::vector<std::unique_ptr<ColumnKeys>> m_keys;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::map<int, std::unordered_set<std::string>> m_filters;
    int m_groupColumn = -1;
    std::map<std::string, bool> m_groupExpanded; // by group value, kept across rebuilds
    bool m_newGroupsExpanded = true;
    std::vector<int> m_order;
    std::vector<Group> m_groups;
    std::vector<qint32> m_entries; // with grouping: >= 0 table row, -(2g+1) group row, -(2g+2) footer
};

} // namespace Widgets
