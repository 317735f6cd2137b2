#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <cstdint>
#include <vector>

// A sheet read from a file: rows of cells, each empty, text, a number or a day. Rows and columns
// count from 0 (row 0 is the file's first line or the sheet's row 1).
//
// Kept compact because a file may hold a million cells: 16 bytes a cell, the texts side by side in
// one UTF-8 buffer that the cells point into.
class SheetTable
{
public:
    enum class Kind : std::uint8_t { Empty, Text, Number, Date };

    int rowCount() const { return int(m_rowStart.size()); }
    int columnCount(int row) const;
    int maxColumns() const { return m_maxCols; }
    qsizetype cellCount() const { return qsizetype(m_cells.size()); }

    Kind kind(int row, int col) const;
    // A text cell's text; a number's or a day's text as a person would type it; "" when empty.
    QString text(int row, int col) const;
    QByteArrayView utf8(int row, int col) const; // a text cell's bytes (empty for the others)
    double number(int row, int col) const; // a number cell's value (0 for the others)
    QDate date(int row, int col) const; // a day cell's day (null for the others)

    // --- building, row after row ---
    void beginRow();
    void addEmpty();
    void addNumber(double value);
    void addDate(const QDate &day);
    // Text copied into the buffer.
    void addText(QByteArrayView utf8);
    // Text already in the buffer at [pos, pos + len).
    void addTextAt(qsizetype pos, qsizetype len);
    // Fills the current row with empty cells up to column `col` (exclusive).
    void padTo(int col);
    int currentColumns() const;
    // The text buffer, for readers that put a whole file into it before splitting it into cells.
    QByteArray &buffer() { return m_text; }
    // Drops trailing rows without any non-empty cell.
    void trimEmptyRows();

private:
    struct Cell
    {
        double number = 0;
        std::uint32_t pos = 0;
        std::uint32_t len : 30;
        std::uint32_t kind : 2;
    };
    static_assert(sizeof(Cell) == 16);
    const Cell *cell(int row, int col) const;

    std::vector<Cell> m_cells;
    std::vector<std::uint32_t> m_rowStart; // index of each row's first cell
    QByteArray m_text;
    int m_maxCols = 0;
};
