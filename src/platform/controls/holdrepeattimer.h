#pragma once

#include <QTimer>

// The timer behind a button that repeats while it is held: the first repeat comes after a pause
// long enough for a plain click, the following ones at the quicker rate. Released (or stopped),
// it is ready to pause again on the next press.
class HoldRepeatTimer : public QTimer
{
    Q_OBJECT

public:
    static constexpr int FirstDelayMs = 450;

    HoldRepeatTimer(int repeatMs, QObject *parent);

    int repeatMs() const { return m_repeatMs; }
    void press(); // starts with the first pause unless already running
    void release(); // stops and arms the first pause again

private:
    int m_repeatMs;
};
