#!/usr/bin/python3
"""Reads an .xls workbook with xlrd and prints every cell as JSON, for the export tests."""
import json
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
sheets = []
for sheet in book.sheets():
    rows = []
    for r in range(sheet.nrows):
        row = []
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                row.append(None)
            elif cell.ctype == xlrd.XL_CELL_TEXT:
                row.append({"t": cell.value})
            elif cell.ctype == xlrd.XL_CELL_NUMBER:
                row.append({"n": cell.value})
            elif cell.ctype == xlrd.XL_CELL_DATE:
                row.append({"d": cell.value})
            elif cell.ctype == xlrd.XL_CELL_BOOLEAN:
                row.append({"b": bool(cell.value)})
            else:
                row.append({"e": cell.value})
        rows.append(row)
    sheets.append({"name": sheet.name, "rows": rows})
json.dump({"sheets": sheets}, sys.stdout, ensure_ascii=False)
