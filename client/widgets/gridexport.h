#pragma once

#include "client/widgets/tablesheet.h"

#include "protocol/expected.h"

#include <functional>

class QWidget;

namespace Widgets {

class DataGrid;

// What the grid shows as a sheet: its visible columns in their order under their captions,
// and every row it holds (all of them, not only the selected one) with every group expanded,
// each group led by its group row.
Spreadsheet::TableSheet gridSheet(const DataGrid &grid);

Protocol::Expected<Protocol::Done> exportGridToFile(const DataGrid &grid, const QString &path);

// Asks where to save: the save dialog with the single filter "Excel (*.xls*)"; empty when
// cancelled. An existing file is not asked about: the export replaces it.
QString askExcelFileName(QWidget *parent);
using FileNameQuestion = std::function<QString(QWidget *parent)>;

// "Excel Kaydet": ask for a name, give it the ".xls" extension and write the grid there. When
// the file cannot be written, the error goes to the user as an error message and nothing else
// changes. Returns the file written, or an empty text.
QString exportGridToSpreadsheet(DataGrid &grid, const FileNameQuestion &ask = askExcelFileName);

} // namespace Widgets
