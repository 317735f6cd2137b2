#pragma once

#include <QString>

class SSFindGrid;

// The three passes of "find next" over a grid, without a window.
namespace SSFindPasses {

struct Options
{
    bool wholeValue = false; // whole-value match (flags 4) instead of "cell contains" (flags 2)
    bool activeColumnOnly = false;
};

struct Match
{
    int col = -1;
    int row = -1;
    int pass = 0; // 1 rest of the active row, 2 below it, 3 wrapped to the top; 0 = none
    bool found() const { return pass != 0; }
};

// Search flags for SearchCol from the whole-value option.
int searchFlags(bool wholeValue);

// Next match after the active cell (activeCol, activeRow):
//   pass 1: the active row, columns right of the active column;
//   pass 2: rows below the active row; the first column from the left with a match wins, even
//           when a later column matches in a nearer row;
//   pass 3: rows 1..activeRow, the same column order (finds the active cell itself last).
// With activeColumnOnly every pass looks at the active column alone (pass 1 is then empty).
// Hidden columns are skipped; a match in a hidden row is passed over and the column is searched on
// below it, so a visible match further down is still found.
Match findNext(const SSFindGrid &grid, const QString &text, const Options &options, int activeCol, int activeRow);

} // namespace SSFindPasses
