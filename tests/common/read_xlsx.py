#!/usr/bin/env python3
"""Prints an .xlsx workbook as JSON for the export tests: sheet names, and for the first sheet
every non-empty cell with its value, type and number format, the merged ranges and hidden columns."""
import json
import sys

import openpyxl

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
        }
print(json.dumps({
    "sheets": wb.sheetnames,
    "maxRow": ws.max_row,
    "maxCol": ws.max_column,
    "cells": cells,
    "merged": sorted(str(r) for r in ws.merged_cells.ranges),
    "hidden": sorted(k for k, d in ws.column_dimensions.items() if d.hidden),
}, ensure_ascii=False))
