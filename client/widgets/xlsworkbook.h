#pragma once

#include "sheetsource.h"

#include "protocol/expected.h"

#include <QByteArray>
#include <QString>

namespace Spreadsheet {

// Rows a sheet of an Excel 97-2003 workbook can hold, and columns.
constexpr int kMaxSheetRows = 65536;
constexpr int kMaxSheetColumns = 256;

// The "Workbook" stream (BIFF8) of the source: the header row on top of every sheet, data
// rows continuing on further sheets ("Sayfa1", "Sayfa2", ...) when one sheet is full.
Protocol::Expected<QByteArray> workbookStream(const SheetSource &source, const QString &sheetBaseName);

// Writes the workbook to path, replacing any file there. The file appears whole or not at
// all: it is written beside the target and renamed over it at the end.
Protocol::Expected<Protocol::Done> writeWorkbook(const QString &path, const SheetSource &source,
                                                 const QString &sheetBaseName = QStringLiteral("Sayfa"));

// The save dialog's extension rule: the extension of the chosen name (from the last point
// after the last folder separator) becomes ".xls"; a name without one gets ".xls" appended.
QString xlsFileName(const QString &chosen);

} // namespace Spreadsheet
