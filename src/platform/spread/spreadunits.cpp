#include "spreadunits.h"

#include <cmath>

namespace SpreadUnits {

int widthToPixels(double units)
{
    if (!(units > 0))
        return 0;
    return int(std::lround(units * PixelsPerWidthUnit)) + 1;
}

double pixelsToWidth(int pixels)
{
    if (pixels <= 1)
        return 0;
    return (pixels - 1) / PixelsPerWidthUnit;
}

int heightToPixels(double units)
{
    if (!(units > 0))
        return 1;
    const long px = std::lround(units / HeightUnitsPerPixel);
    return px < 1 ? 1 : int(px);
}

double pixelsToHeight(int pixels)
{
    return pixels * HeightUnitsPerPixel;
}

} // namespace SpreadUnits
