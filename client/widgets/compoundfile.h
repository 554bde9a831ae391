#pragma once

#include <QByteArray>

namespace Spreadsheet {

// A compound file (the container of Excel 97-2003 workbooks) holding one stream named
// "Workbook". Version 3, 512-byte sectors; the stream is padded to 4096 bytes when shorter, so
// it always lives in regular sectors and no mini stream is needed. Large streams get DIFAT
// sectors once the FAT outgrows the 109 places in the header.
QByteArray compoundFileWithWorkbook(QByteArray workbookStream);

} // namespace Spreadsheet
