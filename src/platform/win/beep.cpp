#include "platform/win/beep.h"

#include <QApplication>

namespace {
Beep::Observer &observer()
{
    static Beep::Observer o;
    return o;
}
} // namespace

namespace Beep {

void message(unsigned type)
{
    if (observer())
        observer()(type);
    // The desktop has one bell; every kind rings it.
    if (qApp)
        QApplication::beep();
}

void setObserver(Observer o)
{
    observer() = std::move(o);
}

} // namespace Beep
