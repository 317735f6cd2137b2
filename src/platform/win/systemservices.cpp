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

SystemServices &systemServices()
{
    static SystemServices s;
    return s;
}

void resetSystemServices()
{
    systemServices() = SystemServices{};
}

int Clock::year()
{
    if (systemServices().currentYear)
        return systemServices().currentYear;
    ClockYear &c = clockYear();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (c.year == 0 || now - c.readAt > 1000 || now < c.readAt) {
        c.year = QDate::currentDate().year();
        c.readAt = now;
    }
    return c.year;
}
