#include "platform/win/systemservices.h"

#include <QDate>
#include <QDateTime>

namespace {

struct ClockYear
{
    int year = 0;
    qint64 readAt = 0; // ms since the epoch
};

ClockYear &clockYear()
{
    static ClockYear c;
    return c;
}

} // namespace

Platform::SystemServices &Platform::systemServices()
{
    static SystemServices s;
    return s;
}

void Platform::resetSystemServices()
{
    Platform::systemServices() = Platform::SystemServices{};
}

int Clock::year()
{
    if (Platform::systemServices().currentYear)
        return Platform::systemServices().currentYear;
    ClockYear &c = clockYear();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (c.year == 0 || now - c.readAt > 1000 || now < c.readAt) {
        c.year = QDate::currentDate().year();
        c.readAt = now;
    }
    return c.year;
}
