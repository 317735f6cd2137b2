#pragma once

#include <QString>

// Number and mark texts of the chart.
namespace ChartFormat {

// Formats value with a pattern as the forms write them: "###,###,###,##0.00", "0.0%", "#,##0".
// A "," in the whole-number part groups thousands; "0" digits are always written, "#" only when
// needed; text before and after the digits (such as "%") is kept literally. Halves round away from
// zero.
QString formatNumber(double value, const QString &pattern);

// Text of one mark: style code (0 value, 1 percent, 2 label, 3 label+percent, 4 label+value,
// 6 percent+total, 7 label+percent+total); percent is the point's share of total in percent.
QString markText(int style, const QString &label, double value, double total, const QString &valueFormat,
                 const QString &percentFormat);

} // namespace ChartFormat
