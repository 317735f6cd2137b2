#pragma once

#include "platform/win/winrgb.h"

#include <QColor>

// The one place that turns the forms' colour numbers (0x00BBGGRR) into QColor and back.
namespace WinColor {

inline QColor toQColor(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline int fromQColor(const QColor &c)
{
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace WinColor
