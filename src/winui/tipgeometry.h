#pragma once

#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a tip window goes and what its outline is. Pure: tests call it with numbers.
// All values in pixels; positions on the screen unless stated.
class TipGeometry
{
public:
    static constexpr int StemHeight = 12; // balloon pointer, from body edge to its point
    static constexpr int StemWidth = 16; // balloon pointer, width at the body edge
    static constexpr int Radius = 6; // balloon corner radius
    static constexpr int CursorGap = 20; // a plain tip sits this far below the mouse pointer

    struct Layout
    {
        QRect window; // the tip window on the screen
        QRect body; // the text box inside the window (window coordinates)
        QPoint stemTip; // point of the pointer inside the window; balloon only
        bool stemUp = true; // pointer on the top edge (tip below its anchor)
    };

    // body: size of the text box. below: the point the tip hangs from (the middle of the
    // control's bottom edge when centred, else the mouse pointer); above: where it stands on
    // when there is no room below (the middle of the control's top edge, or the pointer).
    // Centred tips are centred on below.x; balloons put their pointer on the anchor point;
    // plain tips go CursorGap below the pointer when not centred. The window is kept inside
    // screen, flipped above when it does not fit below.
    static Layout place(QSize body, QPoint below, QPoint above, bool balloon, bool centred, QRect screen);

    // Outline of the balloon (body with rounded corners and the pointer) in window coordinates.
    static QPainterPath balloonPath(const Layout &layout);
};
