#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Presentation rules of the graph window that need no window: chart type codes, value-label tables, the
// pie's "기타" and not-shown lists, page sizes, scroll ranges, the cross-hair read-out.

// Series kinds asked of the chart.
enum GraphType { GraphLine = 0, GraphBar = 1, GraphPie = 5 };

// Option button index (0 line, 1 bar, 2 pie) to series kind, and back (-1 for an unknown kind).
int fnGraph_TypeOfOption(int optionIndex);
int fnGraph_OptionOfType(int type);

// cboValueType: items and the chart's mark style code (-1 outside the list).
QStringList fnGraph_ValueTypeItems();
int fnGraph_MarkStyleCode(int index);

// cboValueRatio: items, value format and percent format (empty outside the list).
QStringList fnGraph_ValueRatioItems();
QString fnGraph_ValueFormat(int index);
QString fnGraph_PercentFormat(int index);

// Left-axis maximum: 4 % headroom for the labels of a line chart.
double fnGraph_AxisMax(int type, bool labelsOn, double graphMax);

// Bottom-axis label angle: upright labels once the longest one takes 5 bytes or more.
int fnGraph_LabelAngle(int labelBytesMax);

// What the automatic preset sets for a type; valueType -1 leaves the list as it is.
struct GraphPreset
{
    bool view3D = false;
    int valueType = -1;
    bool viewValue = false;
    bool viewCross = false;
};
GraphPreset fnGraph_Preset(int type);

// How the pie draws each item.
enum PieRole { PieSlice, PieOthers, PieNotShown };
struct PieFill
{
    QVector<PieRole> roles; // one per item
    double othersSum = 0; // value of the "기타" slice
    bool hasOthers = false;
    QString note; // text after "※ [주] : ", empty when there is nothing to say
};
PieFill fnGraph_PieFill(const QVector<double> &values, const QVector<double> &ratios, double total);
QString fnGraph_PieNoteText(const QString &note); // "※ [주] : " & note
QString fnGraph_OthersLabel(); // "기타"

// Points per screen: at least 1; at most the item count up to 1000 items, at most 1000 beyond.
int fnGraph_ClampPageSize(int n, int graphCount);

// Scroll bar range for a type and points per screen; largeChange 0 = keep the bar's own.
struct GraphScrollRange
{
    int minimum = 0;
    int maximum = 0;
    int largeChange = 0;
    bool resetValue = false; // the pie starts at 0 degrees
    bool zoomEnabled = true; // buttons 6, 7 and 8
};
GraphScrollRange fnGraph_ScrollRange(int type, int n, int graphCount);

// New scroll value for buttons 0..5 (first, page left, one left, one right, page right, last).
int fnGraph_ScrollStepValue(int button, int value, int minimum, int maximum, int step);
// Page step of buttons 1 and 4: 45 degrees for the pie, else the points per page.
int fnGraph_PageStep(int type, int pointsPerPage);
// Points per screen after button 6 (fewer) or 7 (more); -1 when the limit is reached.
int fnGraph_ZoomTarget(int button, int pointsPerPage, int graphCount);
// Buttons that repeat while held.
bool fnGraph_ScrollRepeats(int button);

// Texts of the three paging labels.
struct GraphPageTexts
{
    QString current, count, perScreen;
};
GraphPageTexts fnGraph_PageTexts(int type, int value, int maximum, int pointsPerPage);

// Cross-hair read-out for the axis values under the mouse. item is 1-based, 0 when there are no items.
struct CrossReadout
{
    int item = 0;
    QString xText; // "X: " & number & " (" & label & ")"
    QString yText; // "Y: " & number & " (" & value & ")"
};
CrossReadout fnGraph_CrossReadout(double xAxisValue, double yAxisValue, const QStringList &labels,
                                  const QVector<double> &values);
// Item number written in an X read-out, 0 when it holds none.
int fnGraph_ReadoutItem(const QString &xReadout);

// Row to bring to the top of the summary grid for a clicked item; 0 when nothing is to change.
int fnGraph_ClickTopRow(int item, int rowCount, int visibleRows, int currentTop);

// Vertical position of the pie's start line (twips): half the chart height, 420 higher in 3D.
double fnGraph_PieStartY(double chartHeight, bool view3D);
