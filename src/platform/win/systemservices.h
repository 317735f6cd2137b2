#pragma once

#include <QString>

namespace Platform {

// The seams to the machine that need no screen: the machine's settings folder and the clock's
// year. The windowless tools use them as the program does; a test sets them instead of the real
// thing. An empty member (or 0) means the real thing.
struct SystemServices
{
    int currentYear = 0; // 0: the clock's
    QString machineSystemDir; // empty: /etc/zevaru
};

// The process's machine seams.
SystemServices &systemServices();
// Every machine seam back to the real one.
void resetSystemServices();

} // namespace Platform

namespace Clock {

// The year of today: the test's year when one is set, else the clock's, read again after a second
// at most (the local date reads the time zone file each time, and an import checks thousands of
// days in a row).
int year();

} // namespace Clock
