#pragma once

// Rounding as the program's arithmetic does it when a measure becomes a whole number: to the
// nearest, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
namespace Rounding {

// Independent of the floating-point rounding mode in force; infinities and NaN come back unchanged.
double halfEven(double value);

} // namespace Rounding
