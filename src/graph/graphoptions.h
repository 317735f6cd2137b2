#pragma once

#include "platform/chart/chartcontrol.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Presentation rules of the graph window that need no window: the option buttons' series kinds
// (ChartControl::SeriesKind), value-label tables, the pie's "기타" and not-shown lists, page sizes, scroll ranges, the
// cross-hair read-out.

// What the automatic preset sets for a type; valueType -1 leaves the list as it is.
struct GraphPreset
{
    bool view3D = false;
    int valueType = -1;
    bool viewValue = false;
    bool viewCross = false;
};

// How the pie draws each item.
enum PieRole { PieSlice, PieOthers, PieNotShown };
struct PieFill
{
    QVector<PieRole> roles; // one per item
    double othersSum = 0; // value of the "기타" slice
    bool hasOthers = false;
    QString note; // text after "※ [주] : ", empty when there is nothing to say
};

// Scroll bar range for a type and points per screen; largeChange 0 = keep the bar's own.
struct GraphScrollRange
{
    int minimum = 0;
    int maximum = 0;
    int largeChange = 0;
    bool resetValue = false; // the pie starts at 0 degrees
    bool zoomEnabled = true; // buttons 6, 7 and 8
};

// Texts of the three paging labels.
struct GraphPageTexts
{
    QString current, count, perScreen;
};

// Cross-hair read-out for the axis values under the mouse. item is 1-based, 0 when there are no items.
struct CrossReadout
{
    int item = 0;
    QString xText; // "X: " & number & " (" & label & ")"
    QString yText; // "Y: " & number & " (" & value & ")"
};

namespace GraphOptions {

// Option button index (0 line, 1 bar, 2 pie) to series kind, and back (-1 for an unknown kind).
int typeOfOption(int optionIndex);
int optionOfType(int type);

// cboValueType: items and the chart's mark style code (-1 outside the list).
QStringList valueTypeItems();
int markStyleCode(int index);

// cboValueRatio: items, value format and percent format (empty outside the list).
QStringList valueRatioItems();
QString valueFormat(int index);
QString percentFormat(int index);

// Left-axis maximum: 4 % headroom for the labels of a line chart.
double axisMax(int type, bool labelsOn, double graphMax);

// Bottom-axis label angle: upright labels once the longest one takes 5 bytes or more.
int labelAngle(int labelBytesMax);

GraphPreset preset(int type);

PieFill pieFill(const QVector<double> &values, const QVector<double> &ratios, double total);
QString pieNoteText(const QString &note); // "※ [주] : " & note
QString othersLabel(); // "기타"

// Points per screen: at least 1; at most the item count up to 1000 items, at most 1000 beyond.
int clampPageSize(int n, int graphCount);

GraphScrollRange scrollRange(int type, int n, int graphCount);

// New scroll value for buttons 0..5 (first, page left, one left, one right, page right, last).
int scrollStepValue(int button, int value, int minimum, int maximum, int step);
// Page step of buttons 1 and 4: 45 degrees for the pie, else the points per page.
int pageStep(int type, int pointsPerPage);
// Points per screen after button 6 (fewer) or 7 (more); -1 when the limit is reached.
int zoomTarget(int button, int pointsPerPage, int graphCount);
// Buttons that repeat while held.
bool scrollRepeats(int button);

GraphPageTexts pageTexts(int type, int value, int maximum, int pointsPerPage);

CrossReadout crossReadout(double xAxisValue, double yAxisValue, const QStringList &labels,
                          const QVector<double> &values);
// Item number written in an X read-out, 0 when it holds none.
int readoutItem(const QString &xReadout);

// Row to bring to the top of the summary grid for a clicked item; 0 when nothing is to change.
int clickTopRow(int item, int rowCount, int visibleRows, int currentTop);

// Vertical position of the pie's start line (twips): half the chart height, 420 higher in 3D.
double pieStartY(double chartHeight, bool view3D);

} // namespace GraphOptions
