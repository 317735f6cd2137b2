#pragma once

#include "gridnav/ss_move_info.h"

#include <QFlags>
#include <QString>

// Grid definition and set-up: a window describes its data grid column by column in the definition
// arrays of its SS_MOVE_INFO; these procedures format the grid (and its summary grid) from it.
// The formatting procedures switch painting off while they work when it was on, and back on after.
//
// Order at set-up: fill HeaderRows, ColCount (and the rest) of the record, sbSS_MOVE_Bind,
// sbSS_GridSetup, sbSS_DefCol for columns 0..ColCount, then sbSS_ColFormat, sbSS_HeadText,
// sbSS_ColSize (+ sbSS_MOVE_Layout, sbSS_MOVE_LineDisp), finally sbSS_GridClear(info, 1).

// Stores one column's definition. With two or more header rows, `headerText` may hold one text per
// header row separated by "|"; otherwise every header row gets the whole text. Columns outside
// 0..ColCount are ignored.
void sbSS_DefCol(SS_MOVE_INFO &info, int col, const QString &headerText, double width, int kind, int hAlign, int vAlign,
                 int option, bool hidden, bool locked, bool border);

// Grid-wide set-up (header rows, font, column count, text tips) of both grids, sizes the definition
// arrays to 0..ColCount, and gives the panel's scroll bar and buttons their Tags.
void sbSS_GridSetup(SS_MOVE_INFO &info);
// Kinds, number formats, alignment, locking, colours and border lines per column.
void sbSS_ColFormat(SS_MOVE_INFO &info);
// Header texts and header row heights.
void sbSS_HeadText(SS_MOVE_INFO &info);
// Column widths by the sizing mode in the refresh button's Tag: "1" fit the grid's width (fillCol
// takes the remainder, so the columns end flush with the grid's right edge), "2" fit the widest
// text, "3" definition widths, anything else unchanged. Row heights back to the standard.
void sbSS_ColSize(SS_MOVE_INFO &info, int fillCol);
// Drops every row of the data grid and makes `rows` empty ones; clears the summary grid's cells.
void sbSS_GridClear(SS_MOVE_INFO &info, int rows);
// The summary grid takes the data grid's widths of columns col1..col2.
void sbSS_WidthSync(SS_MOVE_INFO &info, int col1, int col2);

namespace GridNav {

// The steps of a grid's format pass once its columns are defined: column formats, header texts,
// and column sizing followed by the panel's layout and line display.
enum class FormatStep { ColFormat = 0x1, HeadText = 0x2, ColSize = 0x4, All = 0x7 };
Q_DECLARE_FLAGS(FormatSteps, FormatStep)
// The steps of a three-character text such as "111" or "001": a "1" in place 1, 2 or 3 selects
// ColFormat, HeadText or ColSize; anything else there (or a shorter text) leaves the step out.
FormatSteps formatStepsOf(const QString &flags);

// Width of the number kind: 131..136 give 1..6 decimals, any other kind starting with "13" none;
// -1 for a kind that is not a number.
int numberDecimalsOfKind(int kind);

// The rate window's grid: "NO", "일자", "미달러" (2 decimals), "베트남동" (0), "한국원화" (6), "비고".
// Sets HeaderRows 1 and ColCount 5 when the record has none yet and defines columns 0..5.
void defineRateColumns(SS_MOVE_INFO &info);

} // namespace GridNav

Q_DECLARE_OPERATORS_FOR_FLAGS(GridNav::FormatSteps)
