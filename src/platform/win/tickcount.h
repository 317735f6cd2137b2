#pragma once

#include <QtGlobal>

// Millisecond tick for short animations and elapsed times. Monotonic: it never steps back when
// the wall clock is changed, and it does not wrap.
namespace TickCount {

qint64 now();

// Waits until more than `ms` milliseconds have passed, letting window messages run meanwhile.
void waitMoreThan(qint64 ms);

} // namespace TickCount
