#pragma once

#include <QString>

class SpreadModel;

// Writes a grid's data rows 1..maxRows and columns 1..maxCols to an .xlsx workbook with one sheet:
// numbers as numbers with the column's display format, other cells as text, merged blocks merged.
class SpreadExcelExport
{
public:
    // False when the file cannot be written (no partial file is left then); a log line goes to
    // logFile when one is named.
    static bool write(const SpreadModel &store, const QString &file, const QString &sheet, const QString &logFile);

    // Excel number format of a number cell: "#,##0.00", "0", ...
    static QString numberFormat(int decimals, bool showGroups);
    // Excel column width (characters) for a width in pixels.
    static double excelWidth(int pixels);
};
