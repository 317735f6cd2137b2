#include "platform/win/rounding.h"

#include <cfenv>
#include <cmath>

namespace Rounding {

double halfEven(double value)
{
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(old);
    return r;
}

} // namespace Rounding
