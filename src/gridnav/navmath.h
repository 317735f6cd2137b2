#pragma once

#include "platform/spread/spreadunits.h"

#include <QRectF>
#include <QString>
#include <QVector>

#include <functional>

// The navigator's arithmetic as pure functions: page rows, fitted grid height, the mapping between the
// scroll bar (1..10000) and the first visible row, move targets, the layout of the panel and the column
// widths of the sizing modes. Lengths are in twips (15 per pixel), column widths in the grid's width
// units (8 pixels; the forms use 0.124999 per pixel) and row heights in its row units (one pixel is
// 0.637 units, a data row 10.22). Rounding is to the nearest integer with halves to even.
namespace NavMath {

constexpr int kScrollMin = 1;
constexpr int kScrollMax = 10000;
constexpr double kDataRowHeight = SpreadUnits::DefaultRowHeight; // row units
constexpr double kOneHeaderHeight = 21.077; // row units, a single header row
constexpr double kUnitsPerPixelV = SpreadUnits::HeightUnitsPerPixel; // row units per pixel
constexpr double kUnitsPerPixelH = 0.124999; // width units per pixel

int roundEven(double v);

// "###,###,##0": thousands separators, no decimals, "0" for zero.
QString nowText(qint64 n);
// The number in a line box; separators allowed. Not a number gives 0.
qint64 parseNowText(const QString &text);

// Default-height rows in a height given in twips (15 a pixel), and the height of so many rows,
// both rounded half to even; every grid of the program sizes itself by these two.
int rowsIn(double twips);
int heightOf(int rows);
// Data rows that fit in a grid of the given height (twips) with the given header rows.
int pageRows(double gridHeight, int headerRows);
// Grid height (twips) holding a whole number of rows in the space from the grid's top down to
// `height`, less `below` for what stands under it.
int fitHeight(double height, double below, double gridTop);

// R = rows, P = page rows.
int lastTop(int rows, int pageRows);
int scrollPos(int top, int rows, int pageRows);
int rowOf(int value, int rows, int pageRows);
int largeChange(int rows, int pageRows);

// The six moves of the navigator's buttons. Their Tag texts are "TOP", "PUP", "1UP", "1DN", "PDN"
// and "END"; None stands for any other text (the grid goes to its first row).
enum class Direction { None, Top, PageUp, LineUp, LineDown, PageDown, End };
// The direction a Tag text names (blanks around it ignored), and the Tag text of a direction
// ("" for None).
Direction directionOf(const QString &tag);
QString tagOf(Direction direction);

struct StepResult
{
    int target = 1; // new first visible row, within 1..LastTop (and never below 1)
    bool repeats = false; // the direction repeats while its button is held
    bool clamped = false; // a bound was hit: the repeat timer is switched off
};
// PUP, 1UP, 1DN and PDN repeat while their button is held; TOP and END do not.
bool isRepeating(Direction direction);
StepResult stepTarget(Direction direction, int top, int rows, int pageRows);

// The scroll bar was clicked: one page up when the new value is not past the current position,
// one page down otherwise. Clamped like a move.
int scrollClickTarget(int newValue, int top, int rows, int pageRows);

// Go-to box.
QString goLabel(int lastTop); // "(1 ~ 1,234)"
int goLimit(qint64 value, int rows, int pageRows); // the value the input is corrected to
constexpr int kGoWidth = 1410;
constexpr int kGoSteps = 5;
constexpr int kGoStep = kGoWidth / kGoSteps; // 282
// Left and width of the sliding box at step k (0 = start, 1..5, 6 = final), twips.
QRectF goSlideRect(int k, double backLeft, double backTop, double boxHeight);

// Line boxes.
constexpr int kBoxWidth = 345;
constexpr int kBoxHeight = 285;
constexpr int kBoxTextLeft = 30;
constexpr int kBoxTextTop = 45;
constexpr int kBoxTextWidth = 255;
// Width of a focused line box showing `text` (widened when the number is above 999).
int focusBoxWidth(const QString &text, bool hasFocus);

// Panel geometry (twips). The panel is borderless, kPanelWidth wide; its children are placed in its
// own coordinates.
constexpr int kPanelWidth = 330;
constexpr int kMoveFrameHeight = 1345;
constexpr int kScrollTop = 1965;

struct SumGeometry
{
    int height = 0;
    double rowHeight = 0.0;
    int scrollBarMode = 0;
};
// Summary grid for `sumRows` rows, carrying the horizontal scroll bar when `needHScroll`.
SumGeometry sumGeometry(int sumRows, bool needHScroll);
// Whether the visible columns (widths in units, column 0 excluded) overflow a grid of the given width.
bool needsHScroll(double gridWidth, double col0Width, const QVector<double> &visibleWidths);

struct PanelLayout
{
    int gridHeight = 0;
    QRectF sum; // summary grid, container coordinates
    QRectF panel; // picSS_BACK, container coordinates
    double scrollHeight = 0;
    double frameTop = 0; // fmeSS_MOVE, panel coordinates
    QRectF nowBox; // picSS_MOVE_NOW (unfocused), container coordinates
    QRectF maxBox; // picSS_MOVE_MAX (unfocused), container coordinates
};
// `grid` is the grid's current rectangle; `sumHeight` 0 without a summary grid.
PanelLayout panelLayout(const QRectF &grid, double height, bool hasSum, double sumHeight,
                        double frameHeight = kMoveFrameHeight);

// Line box rectangle (container coordinates): box 0 current line, 1 total.
QRectF lineBoxRect(int boxIndex, const QRectF &panel, double width);

// Control rectangles inside the panel (panel coordinates) for `sArrange`.
struct PanelArrangement
{
    QRectF xls, grp, fnd, top, pup, up1, scroll, frame;
    QRectF dn1, pdn, end, ref; // inside the frame
};
PanelArrangement panelArrangement(double scaleHeight);

// Column sizing. Widths are in width units.
// Width left for columns 1.. in a grid `gridWidth` twips wide with `visibleCount` visible data columns
// (a pixel per column line and 3 for the frame), less the row-number column.
double availableWidth(double gridWidth, int visibleCount, double col0Width);
// Mode 1: the visible columns' definition widths scaled to `available`; `fillCol` takes the remainder
// of what the grid reports for the others (`apply(col, width)` sets a width and returns the width
// the grid then reports), so the columns end flush with the grid's right edge. Index 0 and hidden
// columns are returned as -1 (left alone); the fill column's width is returned, not applied.
QVector<double> fitToWidth(const QVector<double> &defWidths, const QVector<bool> &hidden, int fillCol, double available,
                           const std::function<double(int, double)> &apply);

} // namespace NavMath
