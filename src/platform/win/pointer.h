#pragma once

#include <QPoint>

class QWidget;

// The whole-screen mouse pointer. Positions are screen pixels.
namespace Pointer {

// Shapes, numbered as the forms number them (a number the forms pass along, as the message screen's
// pointer, is one of these; an unknown number shows the arrow).
enum class Shape : int {
    Default = 0, // the widgets' own pointers
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    SizePointer = 5,
    SizeNeSw = 6,
    SizeNs = 7,
    SizeNwSe = 8,
    SizeWe = 9,
    UpArrow = 10,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    ArrowQuestion = 14,
    SizeAll = 15,
};

Shape shape();
// Default gives the pointer back to the widgets; any other shape overrides it everywhere.
void setShape(Shape shape);

// The hourglass for as long as the object lives, or until done(); then the pointer goes back to
// the widgets.
class Busy
{
public:
    Busy() { setShape(Shape::Hourglass); }
    ~Busy() { done(); }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

    // The pointer goes back now (before a message, say) rather than at the end of the scope.
    void done()
    {
        if (!m_done)
            setShape(Shape::Default);
        m_done = true;
    }

private:
    bool m_done = false;
};

QPoint position();
void setPosition(const QPoint &screenPos);

// Screen position of a point given in the widget's client pixels.
QPoint clientToScreen(const QWidget *widget, const QPoint &clientPos);

} // namespace Pointer
