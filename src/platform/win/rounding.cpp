#include "platform/win/rounding.h"

#include <cmath>

namespace Rounding {

double halfEven(double value)
{
    // floor, the difference and the sums below are exact, so no rounding mode can change the
    // result (a switch of the mode around nearbyint is not kept by every compiler's optimiser)
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

} // namespace Rounding
