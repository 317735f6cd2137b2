#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

// Number display of the grid's number cells, and reading typed numbers back.
namespace SpreadNumber {

constexpr int MaxDecimals = 6;

// "1,234.50" for (1234.5, 2, '.', ',', true). Decimals are clamped to 0..6; halves round away from zero.
// The digits are those of the value's decimal text to 15 significant digits; past them a double
// holds nothing a person wrote, so they show as zeros.
QString format(double value, int decimals, QChar decimalChar, QChar groupChar, bool showGroups);

// The plain form used as a cell's unformatted value: "." and no separators, with the given decimals.
QString plain(double value, int decimals);

// Reads "1,234.50", "-0.5", " 12 " (group characters anywhere in the integer part are accepted).
// Empty or anything else gives no value.
std::optional<double> parse(QStringView text, QChar decimalChar, QChar groupChar);

} // namespace SpreadNumber
