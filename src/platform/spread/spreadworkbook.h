#pragma once

#include <QString>

#include <vector>

// An .xlsx workbook of one sheet, described cell by cell and written in one go: what the grid's
// export writes from its cells, and what a windowless export writes from rows, so that both give
// the same file for the same cells.
namespace SpreadWorkbook {

// How a cell looks: its number format ("" for a text cell), alignment and colours (red in the
// low byte, as the grid keeps them).
struct Look
{
    QString numberFormat;
    int hAlign = 0; // 0 left, 1 right, 2 centre
    int vAlign = 2; // 0 top, 1 bottom, 2 centre
    int foreColor = 0;
    int backColor = 0xFFFFFF;
};

struct Cell
{
    enum class Type { Empty, Number, Text };
    Type type = Type::Empty;
    double number = 0;
    QString text;
    Look look;
};

// A merged block, rows and columns from 0, both ends included; its first cell is written into it.
struct Merge
{
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    Look look;
};

struct Sheet
{
    QString name = QStringLiteral("Sheet1");
    int rows = 0;
    int cols = 0;
    std::vector<double> colWidths; // Excel widths (characters), one a column
    std::vector<bool> colHidden;
    std::vector<Cell> cells; // rows * cols, row by row
    std::vector<Merge> merges;

    void resize(int rowCount, int colCount);
    Cell &at(int row, int col) { return cells[size_t(row) * size_t(cols) + size_t(col)]; }
    const Cell &at(int row, int col) const { return cells[size_t(row) * size_t(cols) + size_t(col)]; }
};

// False when the file cannot be written (no partial file is left then); a log line goes to
// logFile when one is named. The file keeps the permissions of a file it replaces.
bool write(const Sheet &sheet, const QString &file, const QString &logFile);

// Excel number format of a number cell: "#,##0.00", "0", ...
QString numberFormat(int decimals, bool showGroups);
// Excel column width (characters) for a width in pixels.
double excelWidth(int pixels);

} // namespace SpreadWorkbook
