#include "gridexport.h"

#include "datagrid.h"
#include "gridheader.h"
#include "gridview.h"

#include "client/session/messagedialog.h"
#include "client/widgets/xlsworkbook.h"

#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace Widgets {

Spreadsheet::TableSheet gridSheet(const DataGrid &grid)
{
    const TableModel *model = grid.model();
    std::vector<Spreadsheet::TableSheetColumn> columns;
    for (const QString &name : grid.visibleColumnsInOrder()) {
        const int c = model->columnOf(name);
        if (model->tableColumn(c) < 0)
            continue; // drawn by the program, holds no value
        Spreadsheet::TableSheetColumn column;
        column.tableColumn = model->tableColumn(c);
        column.caption = model->column(c).headerText();
        column.style =
            model->cellKind(c) == CellKind::Money ? Spreadsheet::NumberStyle::Money : Spreadsheet::NumberStyle::General;
        if (model->cellKind(c) == CellKind::IconMap) {
            for (const IconEntry &e : model->column(c).icons)
                column.valueNames.emplace_back(e.value, e.name);
        }
        columns.push_back(std::move(column));
    }
    std::vector<Spreadsheet::TableSheetRow> rows;
    const std::vector<int> &order = model->dataRows();
    rows.reserve(order.size() + size_t(model->groupCount()));
    if (model->groupColumn() < 0) {
        for (int r : order)
            rows.push_back({r, {}});
    } else {
        for (int g = 0; g < model->groupCount(); ++g) {
            rows.push_back({-1, model->groupText(g)});
            const auto [begin, end] = model->groupRange(g);
            for (int i = begin; i < end; ++i)
                rows.push_back({order[size_t(i)], {}});
        }
    }
    return Spreadsheet::TableSheet(model->table(), std::move(columns), std::move(rows));
}

Protocol::Expected<Protocol::Done> exportGridToFile(const DataGrid &grid, const QString &path)
{
    return Spreadsheet::writeWorkbook(path, gridSheet(grid));
}

QString askExcelFileName(QWidget *parent)
{
    return QFileDialog::getSaveFileName(parent, QString(), QString(), u"Excel (*.xls*)"_s, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString exportGridToSpreadsheet(DataGrid &grid, const FileNameQuestion &ask)
{
    const QString chosen = ask ? ask(grid.window()) : QString();
    if (chosen.isEmpty())
        return {};
    const QString path = Spreadsheet::xlsFileName(chosen);
    const auto written = exportGridToFile(grid, path);
    if (!written) {
        Session::plainMessage(written.error().message, Session::DialogKind::Error);
        return {};
    }
    return path;
}

} // namespace Widgets
