#pragma once

#include "columnspec.h"
#include "griddelegate.h"
#include "gridlayoutstore.h"
#include "tablemodel.h"

#include <QWidget>

#include <memory>
#include <optional>

class QMenu;

namespace Widgets {

class GridFooter;
class GridHeader;
class GridView;

// The one grid every list of the program uses: a list declares its columns and gives it
// tables; the grid shows them read-only with sorting, header filters, incremental search,
// grouping, a footer of summaries, column customisation, sizing and a remembered layout.
class DataGrid final : public QWidget
{
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    TableModel *model() const { return m_model; }
    GridView *view() const { return m_view; }
    GridHeader *header() const { return m_header; }
    GridFooter *footer() const { return m_footer; }

    void setColumns(std::vector<ColumnSpec> columns);
    void setTable(Protocol::ClientTable &&table) { m_model->setTable(std::move(table)); }
    Protocol::ClientTable &table() { return m_model->table(); }
    // Around a fill of the grid's own table by someone else: no reads, no repaints between.
    void detach();
    void attach();

    // --- behaviour
    void setWholeRowSelection(bool wholeRow);
    void setRowHeight(int pixels);
    int rowHeight() const;
    void setHeaderHeight(int pixels);
    void setAlternatingRowColors(bool on);
    void setSortingByHeader(bool on);
    void setFilterButtons(bool on);
    void setFooterVisible(bool on);
    void setColumnCustomisation(bool on);
    void setRowIndicator(bool on);
    void setGroupColumn(const QString &name); // empty: no grouping
    void setPopupMenu(QMenu *menu) { m_popup = menu; }
    void setCellPainter(const QString &column, CellPainter painter);

    // --- columns, by name
    void setColumnVisible(const QString &name, bool visible);
    bool isColumnVisible(const QString &name) const;
    // Offered columns appear in the customisation menu (declared: every column not fixed).
    void setColumnOffered(const QString &name, bool offered);
    bool isColumnOffered(const QString &name) const;
    void setColumnWidth(const QString &name, int pixels);
    int columnWidth(const QString &name) const;
    QStringList customisableColumns() const; // what the customisation menu lists, in order
    QStringList visibleColumnsInOrder() const;

    // Proportional sizing by weights over the grid's width, inside one update.
    void kolonBoyutla();
    // Each visible column as wide as its header and the cells of the rows now in view.
    void fitColumnsToContent();

    // --- rows
    int currentTableRow() const; // -1 when no data row is focused
    void setCurrentTableRow(int tableRow);

    // --- layout memory: call once the columns and their user-type rules are in place; the
    // layout at that moment is the default that restoreDefaultLayout() goes back to.
    void setLayoutStorage(const QString &iniPath, const QString &user, const QString &gridName);
    GridLayout currentLayout() const;
    void applyLayout(const GridLayout &layout);
    void restoreDefaultLayout();

    // The column customisation menu of the header (also for tests).
    std::unique_ptr<QMenu> customisationMenu();
    // Opens the value list of a column's header filter.
    QWidget *openFilter(int column, const QPoint &globalPos);

signals:
    void rowActivated(int tableRow); // double-click or Enter on a data row
    void currentRowChanged(int tableRow);
    void sizingNeeded(); // the grid changed size or went back to its default layout

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void saveLayout();
    void onCurrentChanged(const QModelIndex &current);

    TableModel *m_model;
    GridView *m_view;
    GridHeader *m_header;
    GridDelegate *m_delegate;
    GridFooter *m_footer;
    QMenu *m_popup = nullptr;
    QMetaObject::Connection m_sortConnection;
    std::vector<bool> m_offered;
    bool m_customisation = true;
    int m_updating = 0; // programmatic layout changes are not the user's and are not saved
    std::unique_ptr<GridLayoutStore> m_store;
    QString m_gridName;
    std::optional<GridLayout> m_defaultLayout;
    const Protocol::ClientTable *m_resetTable = nullptr;
    int m_resetTableRow = -1;
};

} // namespace Widgets
