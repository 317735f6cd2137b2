#pragma once

#include "platform/chart/chartgeometry.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

// One point of the chart's single series.
struct ChartPoint
{
    double value = 0.0;
    QString label;
    QColor colour;
};

// What the chart shows and how: everything its layout and its painters read. ChartControl keeps one
// and changes it through its setters.
struct ChartSettings
{
    int kind = -1; // ChartControl::SeriesKind, -1 = no series
    QVector<ChartPoint> points;

    bool marksVisible = false;
    int marksStyle = 0; // ChartControl::MarkStyle
    QFont marksFont;
    QString valueFormat = QStringLiteral("#,##0.###");
    QString percentFormat = QStringLiteral("##0.## %");

    bool view3D = false;
    int depthPercent = 15;
    bool lineMarkers = true;
    QColor markerOutline = QColor(128, 128, 128);

    QStringList header;
    QFont headerFont;
    QColor headerColour = Qt::blue;
    QColor panelColour = QColor(224, 224, 224);
    QColor wallColour = QColor(128, 128, 255);
    QColor wallDetail = QColor(0, 0, 192);
    bool legendVisible = false;

    QString leftTitle;
    QString bottomTitle;
    bool leftAuto = true;
    double leftMin = 0.0;
    double leftMax = 0.0;
    bool bottomAuto = true;
    int labelAngle = 0;
    QFont axisFont;

    int perPage = 0;
    int first = 0;
    bool scaleLastPage = false;
    int rotation = 0;
};

// Where the parts of the chart go in one rectangle: computed once per rectangle and shared by
// painting and the mouse functions.
struct ChartLayout
{
    QRectF rect;
    double headerBottom = 0;
    QFont headerFont;
    QFont axisFont;
    QFont marksFont;
    // line and bar
    QRectF area; // plot area including the depth
    QRectF front; // front plane of the plot
    QPointF depth; // back plane offset
    ChartGeometry::AxisScale scale;
    ChartGeometry::PageWindow page;
    double labelsWidth = 0;
    double titleWidth = 0;
    QRectF legend;
    // pie
    ChartGeometry::PieShape pie;
    QVector<ChartGeometry::PieSlice> slices;
};

// Value labels of the shown points of a line or bar chart, in point order.
struct ChartMarks
{
    QVector<QRectF> boxes; // empty: not drawn
    QStringList texts;
};

// The layout rules of the chart: no widget, only the settings, fonts and the target rectangle.
namespace ChartPlot {

constexpr double kPad = 10.0; // pixels around the chart's contents
constexpr double kPie3DRaise = 28.0; // pixels (420 twips) the 3D disc sits above the middle
constexpr double kBarWidth = 0.68; // share of a point's width taken by its bar
constexpr double kBarMaxWidth = 90.0; // pixels: a few bars on a wide chart stay bars, not blocks

// Fonts are sized in logical pixels (point size at 96 dpi), so every paint device draws alike.
QFont pixelFont(const QFont &font);
// Tick labels: thousands grouped, as many decimals as the step needs.
QString tickText(double v, double step);
// Text of the mark of one point; total is the sum of all point values.
QString markText(const ChartSettings &s, int index, double total);
// The box of a mark's text centred on anchor, above or below it.
QRectF markBox(const QFontMetricsF &fm, const QString &text, const QPointF &anchor, bool above);

// The layout of the chart in rect. labelWidth is the widest bottom label over all points, measured
// here when below 0 and kept by the caller, so that the plot does not jump while scrolling.
ChartLayout layout(const ChartSettings &s, const QRectF &rect, double total, double &labelWidth);
// Value labels of a line or bar chart placed clear of each other and of the axis labels; none for
// the pie or when marks are hidden.
ChartMarks placedMarks(const ChartSettings &s, const ChartLayout &l, double total);

} // namespace ChartPlot
