#include "platform/win/tickcount.h"

#include <QCoreApplication>
#include <QThread>

#include <chrono>

namespace TickCount {

qint64 now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void waitMoreThan(qint64 ms)
{
    const qint64 start = now();
    while (now() - start <= ms) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        // don't spin a whole core while waiting
        QThread::usleep(500);
    }
}

} // namespace TickCount
