#include "tablemodel.h"

#include "cellformat.h"
#include "turkishtext.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace Widgets {

TableModel::TableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(std::make_shared<Protocol::ClientTable>())
{}

TableModel::~TableModel() = default;

void TableModel::setColumns(std::vector<ColumnSpec> columns)
{
    beginResetModel();
    m_specs = std::move(columns);
    m_filters.clear();
    m_sortColumn = -1;
    m_groupColumn = -1;
    bindColumns();
    rebuild();
    endResetModel();
    emit summariesChanged();
}

int TableModel::columnOf(QStringView name) const
{
    for (size_t i = 0; i < m_specs.size(); ++i) {
        if (m_specs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void TableModel::bindColumns()
{
    m_bound.assign(m_specs.size(), -1);
    m_kinds.assign(m_specs.size(), CellKind::Text);
    for (size_t i = 0; i < m_specs.size(); ++i) {
        m_bound[i] = m_specs[i].name.isEmpty() ? -1 : m_table->columnIndex(m_specs[i].name);
        m_kinds[i] = resolveKind(m_specs[i].kind, *m_table, m_bound[i]);
        if (m_bound[i] < 0 && m_specs[i].kind != CellKind::OwnerDrawn)
            m_kinds[i] = CellKind::Text; // a declared column the table lacks shows empty cells
    }
    m_keys.clear();
    m_keys.resize(size_t(m_table->columnCount()));
}

void TableModel::setTable(Protocol::ClientTable &&table)
{
    setTable(std::make_shared<Protocol::ClientTable>(std::move(table)));
}

void TableModel::setTable(std::shared_ptr<Protocol::ClientTable> table)
{
    beginResetModel();
    m_table = table ? std::move(table) : std::make_shared<Protocol::ClientTable>();
    m_detached = false;
    bindColumns();
    rebuild();
    endResetModel();
    emit summariesChanged();
}

void TableModel::tableRowChanged(int tableRow)
{
    for (auto &k : m_keys)
        k.reset(); // the changed value must sort by its new content next time
    const int row = rowOfTableRow(tableRow);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit summariesChanged();
}

void TableModel::detach()
{
    if (m_detached)
        return;
    beginResetModel();
    m_detached = true;
    m_keys.clear();
    m_order.clear();
    m_groups.clear();
    m_entries.clear();
    endResetModel();
    emit summariesChanged();
}

void TableModel::attach()
{
    beginResetModel();
    m_detached = false;
    bindColumns();
    rebuild();
    endResetModel();
    emit summariesChanged();
}

const ColumnKeys &TableModel::keys(int tableColumn) const
{
    auto &slot = m_keys[size_t(tableColumn)];
    if (!slot)
        slot = std::make_unique<ColumnKeys>(*m_table, tableColumn);
    return *slot;
}

bool TableModel::passesFilters(int row, int exceptColumn) const
{
    for (const auto &[column, accepted] : m_filters) {
        if (column != exceptColumn && !accepted.count(filterKey(*m_table, row, m_bound[size_t(column)])))
            return false;
    }
    return true;
}

void TableModel::rebuild()
{
    m_order.clear();
    m_groups.clear();
    m_entries.clear();
    if (m_detached)
        return;
    const int rows = m_table->rowCount();
    if (m_filters.empty()) {
        m_order.resize(size_t(rows));
        std::iota(m_order.begin(), m_order.end(), 0);
    } else {
        m_order.reserve(size_t(rows));
        for (int r = 0; r < rows; ++r) {
            if (passesFilters(r, -1))
                m_order.push_back(r);
        }
    }
    if (m_sortColumn >= 0 && m_bound[size_t(m_sortColumn)] >= 0) {
        const ColumnKeys &k = keys(m_bound[size_t(m_sortColumn)]);
        const bool descending = m_sortOrder == Qt::DescendingOrder;
        std::sort(m_order.begin(), m_order.end(), [&k, descending](int a, int b) {
            const int c = k.compare(a, b);
            if (c != 0)
                return descending ? c > 0 : c < 0;
            return a < b;
        });
    }
    const int groupBound = m_groupColumn >= 0 ? m_bound[size_t(m_groupColumn)] : -1;
    if (m_groupColumn >= 0) {
        if (groupBound >= 0) {
            const ColumnKeys &g = keys(groupBound);
            std::stable_sort(m_order.begin(), m_order.end(), [&g](int a, int b) { return g.compare(a, b) < 0; });
        }
        for (int i = 0; i < int(m_order.size());) {
            int end = i + 1;
            while (end < int(m_order.size()) && groupBound >= 0 &&
                   keys(groupBound).compare(m_order[size_t(i)], m_order[size_t(end)]) == 0)
                ++end;
            const auto known = m_groupExpanded.find(filterKey(*m_table, m_order[size_t(i)], groupBound));
            m_groups.push_back({i, end, known != m_groupExpanded.end() ? known->second : m_newGroupsExpanded});
            i = end;
        }
        rebuildEntries();
    }
}

void TableModel::rebuildEntries()
{
    m_entries.clear();
    for (size_t g = 0; g < m_groups.size(); ++g) {
        const Group &group = m_groups[g];
        m_entries.push_back(-(2 * qint32(g) + 1));
        if (group.expanded)
            m_entries.insert(m_entries.end(), m_order.begin() + group.begin, m_order.begin() + group.end);
        m_entries.push_back(-(2 * qint32(g) + 2));
    }
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_groupColumn >= 0 ? int(m_entries.size()) : int(m_order.size());
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_specs.size());
}

TableModel::RowKind TableModel::rowKind(int row) const
{
    if (m_groupColumn < 0)
        return RowKind::Data;
    const qint32 e = m_entries[size_t(row)];
    return e >= 0 ? RowKind::Data : (-e) % 2 == 1 ? RowKind::GroupHeader : RowKind::GroupFooter;
}

int TableModel::tableRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    if (m_groupColumn < 0)
        return m_order[size_t(row)];
    const qint32 e = m_entries[size_t(row)];
    return e >= 0 ? e : -1;
}

int TableModel::groupOfRow(int row) const
{
    if (m_groupColumn < 0 || row < 0 || row >= rowCount())
        return -1;
    for (; row >= 0; --row) {
        const qint32 e = m_entries[size_t(row)];
        if (e < 0)
            return (-e - 1) / 2; // the group's own row or footer, or the header above a data row
    }
    return -1;
}

int TableModel::rowOfTableRow(int tableRow) const
{
    if (m_groupColumn < 0) {
        const auto it = std::find(m_order.begin(), m_order.end(), tableRow);
        return it == m_order.end() ? -1 : int(it - m_order.begin());
    }
    const auto it = std::find(m_entries.begin(), m_entries.end(), tableRow);
    return it == m_entries.end() ? -1 : int(it - m_entries.begin());
}

QString TableModel::displayText(int tableRow, int column) const
{
    const int bound = m_bound[size_t(column)];
    if (m_kinds[size_t(column)] == CellKind::IconMap)
        return valueName(*m_table, tableRow, bound, CellKind::IconMap, m_specs[size_t(column)]);
    return cellText(*m_table, tableRow, bound, m_kinds[size_t(column)]);
}

QString TableModel::groupText(int group) const
{
    const ColumnSpec &columnSpec = m_specs[size_t(m_groupColumn)];
    const int first = m_order[size_t(m_groups[size_t(group)].begin)];
    QString value = valueName(*m_table, first, m_bound[size_t(m_groupColumn)], m_kinds[size_t(m_groupColumn)], columnSpec);
    if (m_bound[size_t(m_groupColumn)] < 0 || m_table->isNull(first, m_bound[size_t(m_groupColumn)]))
        value = u"(Boş)"_s;
    return columnSpec.headerText() + u" : "_s + value;
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int column = index.column();
    const RowKind kind = rowKind(index.row());
    if (role == RowKindRole)
        return int(kind);
    if (kind != RowKind::Data) {
        const qint32 e = m_entries[size_t(index.row())];
        const int group = (-e - 1) / 2;
        if (role == GroupTextRole || (role == Qt::DisplayRole && kind == RowKind::GroupHeader && column == 0))
            return kind == RowKind::GroupHeader ? QVariant(groupText(group)) : QVariant();
        if (role == TableRowRole)
            return -1;
        if (kind == RowKind::GroupFooter && role == Qt::DisplayRole && m_specs[size_t(column)].summary != Summary::None)
            return summaryText(column, group);
        if (kind == RowKind::GroupFooter && role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    const int row = tableRow(index.row());
    const int bound = m_bound[size_t(column)];
    const CellKind cellKind = m_kinds[size_t(column)];
    const ColumnSpec &columnSpec = m_specs[size_t(column)];
    switch (role) {
    case Qt::DisplayRole: return cellText(*m_table, row, bound, cellKind);
    case RawValueRole: return bound < 0 ? QVariant() : m_table->value(row, bound);
    case TableRowRole: return row;
    case Qt::DecorationRole:
        if (cellKind == CellKind::IconMap && bound >= 0 && !m_table->isNull(row, bound)) {
            if (const IconEntry *e = iconFor(columnSpec, m_table->integer(row, bound)))
                return e->icon;
        }
        return {};
    case Qt::ToolTipRole: return cellKind == CellKind::IconMap ? QVariant(displayText(row, column)) : QVariant();
    case Qt::CheckStateRole:
        if (cellKind != CellKind::CheckBox)
            return {};
        return bound >= 0 && !m_table->isNull(row, bound) && m_table->number(row, bound) != 0 ? Qt::Checked
                                                                                              : Qt::Unchecked;
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = columnSpec.alignment;
        if (!(a & Qt::AlignHorizontal_Mask)) {
            a |= cellKind == CellKind::Number || cellKind == CellKind::Money       ? Qt::AlignRight
                 : cellKind == CellKind::CheckBox || cellKind == CellKind::IconMap ? Qt::AlignHCenter
                                                                                   : Qt::AlignLeft;
        }
        if (!(a & Qt::AlignVertical_Mask))
            a |= Qt::AlignVCenter;
        return int(a);
    }
    default: return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < int(m_specs.size())) {
        if (role == Qt::DisplayRole)
            return m_specs[size_t(section)].headerText();
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TableModel::relayout()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> tableRows;
    tableRows.reserve(size_t(before.size()));
    for (const QModelIndex &i : before)
        tableRows.push_back(tableRow(i.row()));
    rebuild();
    std::vector<int> rowOf;
    if (!before.isEmpty()) {
        rowOf.assign(size_t(m_table->rowCount()), -1);
        for (int r = 0; r < rowCount(); ++r) {
            const int t = tableRow(r);
            if (t >= 0)
                rowOf[size_t(t)] = r;
        }
    }
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int t = tableRows[size_t(i)];
        const int row = t >= 0 ? rowOf[size_t(t)] : -1;
        after.append(row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TableModel::sort(int column, Qt::SortOrder order)
{
    if (column >= int(m_specs.size()) || (column >= 0 && !m_specs[size_t(column)].sortable))
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    relayout();
}

void TableModel::setValueFilter(int column, const std::vector<std::string> &accepted)
{
    beginResetModel();
    m_filters[column] = std::unordered_set<std::string>(accepted.begin(), accepted.end());
    rebuild();
    endResetModel();
    emit summariesChanged();
}

void TableModel::clearValueFilter(int column)
{
    if (!m_filters.count(column))
        return;
    beginResetModel();
    m_filters.erase(column);
    rebuild();
    endResetModel();
    emit summariesChanged();
}

void TableModel::clearFilters()
{
    if (m_filters.empty())
        return;
    beginResetModel();
    m_filters.clear();
    rebuild();
    endResetModel();
    emit summariesChanged();
}

std::vector<std::string> TableModel::acceptedKeys(int column) const
{
    const auto it = m_filters.find(column);
    if (it == m_filters.end())
        return {};
    return {it->second.begin(), it->second.end()};
}

std::vector<FilterValue> TableModel::distinctValues(int column) const
{
    std::vector<FilterValue> values;
    const int bound = m_bound[size_t(column)];
    if (m_detached || bound < 0)
        return values;
    std::unordered_map<std::string, int> firstRow;
    std::vector<int> rows;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        if (!passesFilters(r, column))
            continue;
        if (firstRow.emplace(filterKey(*m_table, r, bound), r).second)
            rows.push_back(r);
    }
    const ColumnKeys &k = keys(bound);
    std::sort(rows.begin(), rows.end(), [&k](int a, int b) {
        const int c = k.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    for (int r : rows) {
        std::string key = filterKey(*m_table, r, bound);
        QString label =
            key.empty() ? u"(Boş)"_s : valueName(*m_table, r, bound, m_kinds[size_t(column)], m_specs[size_t(column)]);
        values.push_back({std::move(key), std::move(label)});
    }
    return values;
}

int TableModel::findIncremental(int column, const QString &prefix, int fromRow) const
{
    const int rows = rowCount();
    if (prefix.isEmpty() || rows == 0 || column < 0 || column >= columnCount())
        return -1;
    const QString wanted = turkishUpper(prefix);
    fromRow = std::clamp(fromRow, 0, rows - 1);
    for (int i = 0; i < rows; ++i) {
        const int row = (fromRow + i) % rows;
        const int t = tableRow(row);
        if (t >= 0 && turkishUpper(displayText(t, column)).startsWith(wanted))
            return row;
    }
    return -1;
}

void TableModel::setGroupColumn(int column)
{
    beginResetModel();
    m_groupColumn = column >= 0 && column < int(m_specs.size()) ? column : -1;
    m_groupExpanded.clear();
    rebuild();
    endResetModel();
    emit summariesChanged();
}

int TableModel::entryRow(int group, bool footer) const
{
    const qint32 wanted = -(2 * qint32(group) + (footer ? 2 : 1));
    const auto it = std::find(m_entries.begin(), m_entries.end(), wanted);
    return int(it - m_entries.begin());
}

void TableModel::setGroupExpanded(int group, bool expanded)
{
    if (group < 0 || group >= groupCount() || m_groups[size_t(group)].expanded == expanded)
        return;
    Group &g = m_groups[size_t(group)];
    const int header = entryRow(group, false);
    const int count = g.end - g.begin;
    m_groupExpanded[filterKey(*m_table, m_order[size_t(g.begin)], m_bound[size_t(m_groupColumn)])] = expanded;
    if (count == 0) {
        g.expanded = expanded;
        return;
    }
    if (expanded) {
        beginInsertRows({}, header + 1, header + count);
        g.expanded = true;
        m_entries.insert(m_entries.begin() + header + 1, m_order.begin() + g.begin, m_order.begin() + g.end);
        endInsertRows();
    } else {
        beginRemoveRows({}, header + 1, header + count);
        g.expanded = false;
        m_entries.erase(m_entries.begin() + header + 1, m_entries.begin() + header + 1 + count);
        endRemoveRows();
    }
}

void TableModel::expandAll()
{
    beginResetModel();
    m_newGroupsExpanded = true;
    m_groupExpanded.clear();
    for (Group &g : m_groups)
        g.expanded = true;
    rebuildEntries();
    endResetModel();
}

void TableModel::collapseAll()
{
    beginResetModel();
    m_newGroupsExpanded = false;
    m_groupExpanded.clear();
    for (Group &g : m_groups)
        g.expanded = false;
    rebuildEntries();
    endResetModel();
}

double TableModel::summaryValue(int column, int group) const
{
    const Summary summary = m_specs[size_t(column)].summary;
    int begin = 0, end = int(m_order.size());
    if (group >= 0 && group < groupCount()) {
        begin = m_groups[size_t(group)].begin;
        end = m_groups[size_t(group)].end;
    }
    if (summary == Summary::Count)
        return end - begin;
    const int bound = m_bound[size_t(column)];
    if (summary == Summary::None || bound < 0)
        return 0;
    double sum = 0;
    int counted = 0;
    for (int i = begin; i < end; ++i) {
        const int r = m_order[size_t(i)];
        if (!m_table->isNull(r, bound)) {
            sum += m_table->number(r, bound);
            ++counted;
        }
    }
    return summary == Summary::Sum ? sum : counted ? sum / counted : 0;
}

QString TableModel::summaryText(int column, int group) const
{
    const Summary summary = m_specs[size_t(column)].summary;
    if (summary == Summary::None)
        return {};
    const double v = summaryValue(column, group);
    if (summary == Summary::Count)
        return QString::number(qint64(v));
    const int bound = m_bound[size_t(column)];
    if (bound < 0)
        return {}; // nothing to add up in a column the table does not have
    const bool whole = bound >= 0 && (m_table->column(bound).kind == Protocol::ColumnKind::Int32 ||
                                      m_table->column(bound).kind == Protocol::ColumnKind::Int64);
    if (summary == Summary::Sum && whole)
        return QString::number(qint64(v));
    return moneyText(v);
}

} // namespace Widgets
