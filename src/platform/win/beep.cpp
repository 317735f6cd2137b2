#include "platform/win/beep.h"

#include "platform/win/services.h"

#include <QApplication>

namespace Beep {

void message(unsigned type)
{
    if (Platform::services().beepObserver)
        Platform::services().beepObserver(type);
    // The desktop has one bell; every kind rings it.
    if (qApp)
        QApplication::beep();
}

} // namespace Beep
