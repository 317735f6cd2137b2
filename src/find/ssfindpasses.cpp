#include "ssfindpasses.h"

#include "ssfindgrid.h"

#include <algorithm>

namespace {

// First visible match in column col with rowFrom < r <= rowTo, or -1. A hit in a hidden row is
// passed over and the search goes on below it.
int visibleMatchInColumn(const SSFindGrid &grid, int col, int rowFrom, int rowTo, const QString &text, int flags)
{
    int from = rowFrom;
    while (from < rowTo) {
        const int r = grid.SearchCol(col, from, rowTo, text, flags);
        if (r == -1)
            return -1;
        if (r <= from || r > rowTo) // a grid answering outside the range would loop for ever
            return -1;
        if (!grid.RowHidden(r))
            return r;
        from = r;
    }
    return -1;
}

// First column from firstCol to lastCol (hidden columns skipped) with a visible match in
// rowFrom < r <= rowTo; the column decides, not the nearness of the row.
bool firstColumnWithMatch(const SSFindGrid &grid, int firstCol, int lastCol, int rowFrom, int rowTo,
                          const QString &text, int flags, SSFindPasses::Match &match, int pass)
{
    for (int c = firstCol; c <= lastCol; ++c) {
        if (grid.ColHidden(c))
            continue;
        const int r = visibleMatchInColumn(grid, c, rowFrom, rowTo, text, flags);
        if (r != -1) {
            match.col = c;
            match.row = r;
            match.pass = pass;
            return true;
        }
    }
    return false;
}

} // namespace

namespace SSFindPasses {

int searchFlags(bool wholeValue)
{
    return wholeValue ? SpreadSearch::EqualValue : SpreadSearch::Contains;
}

Match findNext(const SSFindGrid &grid, const QString &text, const Options &options, int activeCol, int activeRow)
{
    Match match;
    if (text.trimmed().isEmpty())
        return match;

    const int flags = searchFlags(options.wholeValue);
    const int maxCols = grid.MaxCols();
    const int maxRows = grid.MaxRows();

    int firstCol1 = 0;
    int firstCol = 0;
    int lastCol = 0;
    int startRow1 = 0;
    if (options.activeColumnOnly) {
        firstCol1 = activeCol;
        firstCol = activeCol;
        lastCol = activeCol;
        startRow1 = activeRow; // (activeRow, activeRow]: pass 1 is empty
    } else {
        firstCol1 = activeCol + 1;
        firstCol = 1;
        lastCol = maxCols;
        startRow1 = activeRow - 1; // the active row alone
    }
    // The active column-only search must not look past the grid when the active cell lies outside it.
    lastCol = std::min(lastCol, maxCols);
    firstCol1 = std::max(firstCol1, 1);
    firstCol = std::max(firstCol, 1);

    if (firstColumnWithMatch(grid, firstCol1, lastCol, startRow1, activeRow, text, flags, match, 1))
        return match;
    if (firstColumnWithMatch(grid, firstCol, lastCol, activeRow, maxRows, text, flags, match, 2))
        return match;
    firstColumnWithMatch(grid, firstCol, lastCol, 0, std::min(activeRow, maxRows), text, flags, match, 3);
    return match;
}

} // namespace SSFindPasses
