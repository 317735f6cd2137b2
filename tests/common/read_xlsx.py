#!/usr/bin/env python3
"""Prints an .xlsx workbook as JSON for the export tests: sheet names, and for the first sheet
every non-empty cell with its value, type, number format, font colour and solid fill colour
(RGB hex, "" when none), alignment ("horizontal/vertical"), the merged ranges, hidden columns and column widths."""
import json
import sys

import openpyxl


def rgb(color):
    """"RRGGBB" of an explicit colour, "" for none or a theme colour."""
    if color is None or color.type != "rgb" or not isinstance(color.rgb, str):
        return ""
    return color.rgb[-6:].upper()


wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
cells = {}
for row in ws.iter_rows():
    for c in row:
        if c.value is None:
            continue
        cells[c.coordinate] = {
            "value": c.value,
            "type": "number" if isinstance(c.value, (int, float)) else "text",
            "format": c.number_format,
            "font": rgb(c.font.color),
            "fill": rgb(c.fill.fgColor) if c.fill.fill_type == "solid" else "",
            "align": "%s/%s" % (c.alignment.horizontal or "", c.alignment.vertical or ""),
        }
print(json.dumps({
    "sheets": wb.sheetnames,
    "maxRow": ws.max_row,
    "maxCol": ws.max_column,
    "cells": cells,
    "merged": sorted(str(r) for r in ws.merged_cells.ranges),
    "hidden": sorted(k for k, d in ws.column_dimensions.items() if d.hidden),
    "widths": {k: d.width for k, d in ws.column_dimensions.items() if d.customWidth},
}, ensure_ascii=False))
