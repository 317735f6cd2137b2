#!/usr/bin/python3
# Writes a workbook for the import tests: make_sheet.py KIND OUT ROWS_JSON
#   KIND  openpyxl | openpyxl1904 (the 1904 date system) | xlwt (.xls)
#   ROWS  a JSON list of rows; a cell is a string, a number, null, or {"date": "YYYY-MM-DD"} for a
#         real date cell (shown with the number format "yyyy/mm/dd").
import datetime
import json
import sys

kind, out, rows = sys.argv[1], sys.argv[2], json.loads(sys.argv[3])


def value(cell):
    if isinstance(cell, dict) and "date" in cell:
        return datetime.datetime.strptime(cell["date"], "%Y-%m-%d")
    return cell


if kind.startswith("openpyxl"):
    import openpyxl
    from openpyxl.utils.datetime import CALENDAR_MAC_1904

    wb = openpyxl.Workbook()
    if kind == "openpyxl1904":
        wb.epoch = CALENDAR_MAC_1904
    ws = wb.active
    for r, row in enumerate(rows, start=1):
        for c, cell in enumerate(row, start=1):
            if cell is None:
                continue
            x = ws.cell(row=r, column=c, value=value(cell))
            if isinstance(cell, dict):
                x.number_format = "yyyy/mm/dd"
    wb.save(out)
elif kind == "xlwt":
    import xlwt

    wb = xlwt.Workbook(encoding="utf-8")
    ws = wb.add_sheet("Sheet1")
    day = xlwt.easyxf(num_format_str="yyyy/mm/dd")
    for r, row in enumerate(rows):
        for c, cell in enumerate(row):
            if cell is None:
                continue
            if isinstance(cell, dict):
                ws.write(r, c, value(cell), day)
            else:
                ws.write(r, c, cell)
    wb.save(out)
else:
    sys.exit("unknown kind " + kind)
