#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QVector>

// Layout arithmetic of the chart, free of fonts and widgets, so that painting and hit-testing share it
// and tests can call it with numbers. All lengths are logical pixels; y grows downwards.
namespace ChartGeometry {

// ---- value axis ----
struct AxisScale
{
    double minimum = 0.0;
    double maximum = 1.0;
    double step = 1.0;
    QVector<double> ticks; // tick values from the bottom up, all within [minimum, maximum]
};

// A "nice" number near x: 1, 2, 5 or 10 times a power of ten (rounded, or the next one up).
double niceNumber(double x, bool round);
// Automatic axis: bounds widened to whole steps around lo..hi, at most about maxTicks intervals.
AxisScale niceScale(double lo, double hi, int maxTicks);
// Fixed axis: keeps lo..hi as given and puts ticks on whole steps inside it.
AxisScale fixedScale(double lo, double hi, int maxTicks);
// Decimals needed to print the ticks of a step (0 for 1, 1 for 0.5, 2 for 0.25...).
int stepDecimals(double step);

// ---- paging by points ----
struct PageWindow
{
    int first = 0; // index of the first point shown
    int shown = 0; // points drawn
    int slotCount = 0; // point widths the plot is divided into (>= shown; more on a short last page)
};
// perPage 0 = all points. The last page keeps the slot width of full pages unless scaleLastPage.
PageWindow pageWindow(int pointCount, int perPage, int first, bool scaleLastPage);
int pageCount(int pointCount, int perPage);
int clampFirst(int pointCount, int first);

// ---- plot and oblique 3D ----
// Offset of the back plane from the front plane (right and up) for a depth in percent of the plot.
QPointF depthOffset(const QSizeF &area, int depthPercent);
// The front plane of a plot area once room for the depth offset is taken off the top and right.
QRectF frontPlot(const QRectF &area, const QPointF &depth);

double valueToY(double value, double lo, double hi, const QRectF &plot);
double yToValue(double y, double lo, double hi, const QRectF &plot);
double slotCentreX(int slot, int slotCount, const QRectF &plot);
// Bottom-axis value under x: first + fractional slot, the centre of slot k reads first + k.
double xToAxisValue(double x, int first, int slotCount, const QRectF &plot);
// Front face of the bar in slot; widthRatio of the slot (0..1), at most maxWidth; the bar runs from
// the base line (0 clamped into lo..hi) to the value clamped into lo..hi.
QRectF barRect(int slot, int slotCount, double value, double lo, double hi, const QRectF &plot, double widthRatio,
               double maxWidth = 1e300);

// Marks placed from left to right (boxes in the order of their centres' x), so that no two come
// closer than gap, none comes within gap of a line of `lines` and each stays inside `area` (the plot
// beside the left axis labels and above the bottom ones, so no mark covers an axis label). A box
// first slides sideways into the area; where it would cover a box placed before it or a line, it
// moves up or down by its own height plus gap, one step and then more (staggered, or down into its
// bar), up to `levels` steps each way. A box that finds no free place comes back empty.
QVector<QRectF> placeMarks(const QVector<QRectF> &boxes, const QRectF &area, double gap, int levels = 4,
                           const QVector<QPolygonF> &lines = {});

// Marks at their own points, never staggered: each box slides sideways (never off its own middle)
// and then up or down only as far as it takes to stay inside `area`; one that covers a line moves just above the line
// where it spans the box, or else just below it. Where the marks still come closer than gap, only every n-th is kept
// (the first, the (n+1)-th, ...), n the smallest that keeps them apart; the others, and a box with no place at all,
// come back empty.
QVector<QRectF> thinMarks(const QVector<QRectF> &boxes, const QRectF &area, double gap,
                          const QVector<QPolygonF> &lines = {});
// The lowest and highest y of a polyline over x0..x1 (points by increasing x); false where it has
// no part there.
bool lineSpan(const QPolygonF &line, double x0, double x1, double *minY, double *maxY);
// Whether the polyline comes within gap of the box.
bool coversLine(const QRectF &box, const QPolygonF &line, double gap);

// The three visible faces of a box seen obliquely from the upper right.
struct Box3D
{
    QPolygonF front;
    QPolygonF top;
    QPolygonF side;
};
Box3D box3D(const QRectF &front, const QPointF &depth);
// One segment of a line drawn as a ribbon: a→b, b+depth, a+depth.
QPolygonF ribbonQuad(const QPointF &a, const QPointF &b, const QPointF &depth);

// ---- pie ----
struct PieSlice
{
    double startDeg = 0.0; // counter-clockwise from 3 o'clock
    double spanDeg = 0.0;
};
// Slices in point order sized by the magnitude of each value; the spans add up to 360 when any
// value is non-zero. The first slice starts at rotationDeg (normalised to 0..360).
QVector<PieSlice> pieSlices(const QVector<double> &values, double rotationDeg);

struct PieShape
{
    QRectF top; // bounding rectangle of the top face (an ellipse in 3D)
    double thickness = 0; // height of the disc's side, 0 in 2D
};
// centreY is where the caller wants the disc's centre; room is the rectangle the disc with its side
// must fit into (marks outside it); in 3D the disc is tilted to tilt (height/width of the top face).
PieShape pieShape(const QRectF &room, double centreY, bool view3D, int depthPercent, double tilt = 0.55);
// Point on the rim of ellipse at an angle (degrees, counter-clockwise from 3 o'clock).
QPointF ellipsePoint(const QRectF &ellipse, double deg);
// Index of the slice under pos on the top face, -1 outside the disc.
int sliceAt(const QVector<PieSlice> &slices, const PieShape &shape, const QPointF &pos);
// Parts of [start, start+span] (degrees) lying in the near half of the disc (180..360),
// whose side is visible in 3D. Each pair is (start, span).
QVector<QPair<double, double>> nearHalfParts(double startDeg, double spanDeg);

} // namespace ChartGeometry
