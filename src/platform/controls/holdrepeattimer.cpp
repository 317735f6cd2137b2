#include "holdrepeattimer.h"

HoldRepeatTimer::HoldRepeatTimer(int repeatMs, QObject *parent)
    : QTimer(parent)
    , m_repeatMs(repeatMs)
{
    setTimerType(Qt::PreciseTimer); // a coarse timer may fire the first repeat 20 ms early
    setInterval(FirstDelayMs);
    // connected before any owner's slot, so the owner's tick already sees the quick rate
    connect(this, &QTimer::timeout, this, [this] {
        if (interval() != m_repeatMs)
            setInterval(m_repeatMs);
    });
}

void HoldRepeatTimer::press()
{
    if (isActive())
        return;
    setInterval(FirstDelayMs);
    start();
}

void HoldRepeatTimer::release()
{
    stop();
    setInterval(FirstDelayMs);
}
