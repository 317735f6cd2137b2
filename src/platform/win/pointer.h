#pragma once

#include <QPoint>

class QWidget;

// The whole-screen mouse pointer. Shapes are numbered as the forms number them:
// 0 default, 1 arrow, 2 cross, 3 I-beam, 5 size all, 6 NE-SW, 7 N-S, 8 NW-SE, 9 W-E,
// 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question, 15 size all.
// Positions are screen pixels.
namespace Pointer {

constexpr int Hourglass = 11;

int shape();
// 0 gives the pointer back to the widgets; any other number overrides it everywhere.
void setShape(int number);

// The hourglass for as long as the object lives; then the pointer goes back to the widgets.
class Busy
{
public:
    Busy() { setShape(Hourglass); }
    ~Busy() { setShape(0); }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;
};

QPoint position();
void setPosition(const QPoint &screenPos);

// Screen position of a point given in the widget's client pixels.
QPoint clientToScreen(const QWidget *widget, const QPoint &clientPos);

} // namespace Pointer
