#pragma once

#include <QtGlobal>

// Colours as the forms and the bought components store them: one number with red in the low byte,
// then green, then blue (0x00BBGGRR). The arithmetic needs no screen; wincolor.h adds QColor.
namespace WinColor {

constexpr int rgb(int r, int g, int b)
{
    return (r & 255) | ((g & 255) << 8) | ((b & 255) << 16);
}

// The same colour written the other way round, 0x00RRGGBB, as a spreadsheet file wants it.
constexpr quint32 toRrggbb(quint32 value)
{
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

} // namespace WinColor
