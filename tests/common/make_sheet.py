#!/usr/bin/python3
# Writes a workbook for the import tests: make_sheet.py KIND OUT ROWS_JSON
#   KIND  openpyxl | openpyxl1904 (the 1904 date system) | xlwt (.xls)
#         | inline (.xlsx by hand: every text an inline string, ROWS cells taken as the raw XML
#           text of <is>, e.g. "<t>a_x000D_</t>")
#         | bomb-ratio | bomb-token (.xlsx that unpack past the reader's bounds: a sheet packed a
#           thousand to one, one endless tag; ROWS is ignored)
#   ROWS  a JSON list of rows; a cell is a string, a number, null, or {"date": "YYYY-MM-DD"} for a
#         real date cell (shown with the number format "yyyy/mm/dd"). Several sheets: a JSON list of
#         {"name": NAME, "rows": ROWS}.
import datetime
import json
import base64
import os
import sys
import zipfile

kind, out, rows = sys.argv[1], sys.argv[2], json.loads(sys.argv[3])
sheets = rows if rows and isinstance(rows[0], dict) else [{"name": "Sheet1", "rows": rows}]


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
    wb.remove(wb.active)
    for sheet in sheets:
        ws = wb.create_sheet(sheet["name"])
        for r, row in enumerate(sheet["rows"], start=1):
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
    day = xlwt.easyxf(num_format_str="yyyy/mm/dd")
    for sheet in sheets:
        ws = wb.add_sheet(sheet["name"])
        for r, row in enumerate(sheet["rows"]):
            for c, cell in enumerate(row):
                if cell is None:
                    continue
                if isinstance(cell, dict):
                    ws.write(r, c, value(cell), day)
                else:
                    ws.write(r, c, cell)
    wb.save(out)
elif kind == "inline" or kind.startswith("bomb-"):
    NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
    z = zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED)
    z.writestr("xl/workbook.xml", '<workbook %s><sheets><sheet name="Sheet1" sheetId="1"/></sheets></workbook>' % NS)
    with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as f:
        f.write(('<worksheet %s><sheetData>' % NS).encode())
        if kind == "inline":
            for r, row in enumerate(rows, start=1):
                f.write(b'<row r="%d">' % r)
                for c, cell in enumerate(row):
                    ref = "%s%d" % (chr(ord("A") + c), r)
                    if isinstance(cell, str):
                        f.write(('<c r="%s" t="inlineStr"><is>%s</is></c>' % (ref, cell)).encode())
                    elif cell is not None:
                        f.write(('<c r="%s"><v>%s</v></c>' % (ref, cell)).encode())
                f.write(b"</row>")
        elif kind == "bomb-ratio":
            block = b" " * 1000000
            for _ in range(120):  # 120 MB of blanks between two rows, packed a thousand to one
                f.write(block)
        elif kind == "bomb-token":
            f.write(b'<row r="1"><c r="A1" x="')
            f.write(base64.b64encode(os.urandom(3 * 1024 * 1024)))  # 4 MB that hardly pack, in one tag
            f.write(b'"/></row>')
        f.write(b"</sheetData></worksheet>")
    z.close()
else:
    sys.exit("unknown kind " + kind)
