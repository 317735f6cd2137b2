#pragma once

// Grid units to pixels and back. Column widths count 8-pixel units and each column adds one pixel
// for its grid line; row heights count row units, one pixel being 0.637 of them.
namespace SpreadUnits {

constexpr double PixelsPerWidthUnit = 8.0;
constexpr double HeightUnitsPerPixel = 0.637;
constexpr double DefaultColWidth = 9.0; // width units (73 pixels with the line)
constexpr double DefaultRowHeight = 10.22; // row units (16 pixels)

int widthToPixels(double units); // section size in pixels, line included; 0 for units <= 0
double pixelsToWidth(int pixels); // inverse of widthToPixels for whole pixels
int heightToPixels(double units); // section size in pixels, at least 1
double pixelsToHeight(int pixels);

} // namespace SpreadUnits
