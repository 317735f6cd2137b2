#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The graph window's data set: one item per distinct X label, with the sum of its Y values, its share of the
// grand total and its colour. Everything here is plain arithmetic on texts and numbers so that it can be
// checked without a window; FrmSSGraph only copies the results into its grid and chart.

// Read access to the source grid, cell by cell (column, data row 1..maxRows).
struct GraphSource
{
    int maxRows = 0;
    std::function<QString(int col, int row)> text; // displayed text
    std::function<QString(int col, int row)> cellValue; // unformatted value
};

// Labels and summed values in the order of their first appearance (or sorted).
struct GraphItems
{
    QStringList labels;
    QVector<double> values;
};

struct GraphDataSet
{
    QStringList GraphLabels;
    QVector<double> GraphValues;
    QVector<double> GraphRatios; // percent of GraphTotal
    QVector<int> GraphColors; // RGB with red in the low byte
    double GraphTotal = 0;
    double GraphMax = 0; // never below 0
    double GraphMin = 0; // never above 0
    int GraphCount = 0;
    int LabelBytesMax = 0;
    QString XTitle;
    QString YTitle;
};

// Ascending by label, case-insensitive; labels that compare equal keep their order.
void sbSort_GraphItems(QStringList &labels, QVector<double> &values);

namespace GraphData {

// True when the text reads as a plain number (blanks around, sign, digits, one decimal point, exponent).
bool isNumeric(const QString &text);
// The number a numeric text stands for; 0 and *ok = false when it is not numeric.
double toDouble(const QString &text, bool *ok = nullptr);

// Walks data rows 1..maxRows: skips rows whose Y text (commas removed) is not numeric and, from the second
// counted row on, total rows (a "계" in columns 1-4 or in the label); equal labels (exact, case-sensitive)
// are summed into the item of their first appearance.
GraphItems gather(const GraphSource &source, int xCol, int yCol);

// Items are sorted when asked to, except for a company ("업체") axis, which keeps the grid's order.
bool shouldSort(bool sortRequested, const QString &xTitle);

// Y title: the header text, the addition alone when it equals the header, else header + " " + addition.
QString yTitle(const QString &headerText, const QString &addition);

// Chart heading: X title + " 별 " + Y title without CR LF, cut before "(kg)" when the title carries it.
QString heading(const QString &xTitle, const QString &yTitle);

// Window caption for a title.
QString caption(const QString &title);

// Length of a label in the Korean code page (949): ASCII 1 byte, other characters 2 bytes, a character
// outside the code page (beyond the basic plane) becomes one "?" byte.
int ansiBytes(const QString &label);

// Item colour from three draws in [0, 1): red and green 50..249, blue 0..99.
int itemColor(double r1, double r2, double r3);

// Share in percent; 0 when the total is exactly 0.
double ratio(double value, double total);

// Totals, ratios, colours, extremes and the longest label. `draw` yields numbers in [0, 1).
GraphDataSet makeDataSet(GraphItems items, const QString &xTitle, const QString &yTitle,
                         const std::function<double()> &draw);

// Fixed-point text with `decimals` places, thousands separators when `groups` (the "#,##0.00" style
// formats); never shows "-0".
QString formatNumber(double value, int decimals, bool groups);
QString ratioText(double ratio); // "0.00" & "%"
QString valueText(double value); // "#,###,###,##0.00"
QString countText(int count); // "###,###,##0" & " 건"

// Header row that carries the titles: the last of the header rows (numbered from -1000).
int titleRow(int colHeaderRows);

} // namespace GraphData
