#pragma once

#include <QStringView>

namespace RateValue {

// A rate field as the database gave it, read as a number. Anything that is not a finite number
// (NULL, empty, text written by another program) gives false and 0.
//
// The query reads every rate of every row through this, so plain decimals ("1234.5", "-0.05")
// are read without going through the locale machinery; other shapes ("1.0e-05") take the
// general path.
bool parse(QStringView field, double *value);

} // namespace RateValue
