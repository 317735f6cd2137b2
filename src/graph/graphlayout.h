#pragma once

#include <QRectF>
#include <optional>

// Geometry of the graph window in twips (15 twips = 1 pixel at 96 dpi). The resize rules are computed here
// from the window's size and the controls' design sizes; the window only applies the result.

struct GraphLayoutInput
{
    double outerWidth = 0, outerHeight = 0; // whole window, frame included
    double innerWidth = 0, innerHeight = 0; // client area (W, H)

    // design sizes of the controls the rules keep
    double panel2Width = 4380; // summary panel xPanel2
    double gridTop = 270; // SS_TXT inside xPanel2
    double gridHeight = 0; // SS_TXT now
    double sumHeight = 435; // picSS_SUM
    double optionHeight = 480; // picOption
    double scrollHeight = 405; // picScroll
    double scrollBarLeft = 1230; // sclScroll inside picScroll
    double scrollFrameWidth = 0; // fmeScroll
    double closeWidth = 1050; // cmdClose
    double showEditWidth = 1200; // cmdShowEdit
    double noteWidth = 0, noteHeight = 0; // lblRemPie
    bool noteVisible = false;
};

struct GraphLayout
{
    QRectF panel2; // xPanel2
    double gridHeight; // SS_TXT, whole data rows
    double sumTop; // picSS_SUM top inside xPanel2
    QRectF panel1; // xPanel1
    QRectF scroll; // picScroll
    double scrollMiddleWidth; // imgScroll(1)
    double scrollRightLeft; // imgScroll(2)
    double scrollBarWidth; // sclScroll
    double scrollFrameLeft; // fmeScroll
    QRectF chart; // chtGraph inside xPanel1
    QRectF option; // picOption
    double optionMiddleWidth; // imgOption(1)
    double optionRightLeft; // picOptionIn
    QPointF note; // lblRemPie inside xPanel1
    QPointF close; // cmdClose inside picOption
    double showEditLeft; // cmdShowEdit inside picOption
};

// Smallest outer size that is laid out; a smaller window keeps its previous layout.
constexpr double kGraphMinOuterWidth = 10200;
constexpr double kGraphMinOuterHeight = 6600;
// Outer size the window is given when shown.
constexpr double kGraphShowWidth = 15000;
constexpr double kGraphShowHeight = 9945;

// Fixed places of the load (twips).
constexpr double kGraphPanel2Left = 45, kGraphPanel2Top = 45;
constexpr double kGraphPanel1Left = 4455, kGraphPanel1Top = 45;
constexpr double kGraphGridLeft = 90;
constexpr double kGraphChartLeft = 60, kGraphChartTop = 240;

namespace GraphWindowLayout {

// Data rows of the summary grid that fit in `room` twips, and the height in twips holding them:
// the grid's units (SpreadUnits): a pixel counts 0.637 row units, a data row is 10.22 units.
int gridRows(double room);
double gridHeight(int rows);

std::optional<GraphLayout> compute(const GraphLayoutInput &in);

// Chart height for a pie note of the given height (0 = no note).
double chartHeight(double panel1Height, double noteHeight);

// fmeScroll holds cmdScroll(3)..(9): their widths plus 330 twips.
double scrollFrameWidth(double buttonsWidth);

// Centred position of a window on a screen (twips).
QPointF centredPos(double screenWidth, double screenHeight, double width, double height);

// Picture size in pixels for a chart size in twips (15 twips a pixel, rounded half to even).
int picturePixels(double twips);

} // namespace GraphWindowLayout
