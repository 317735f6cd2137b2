#pragma once

#include <QtGlobal>

// The pseudo-random generator of the configuration scrambler: a 32-bit linear congruential
// generator (multiplier 1664525, increment 1013904223) whose top 24 bits give r in [0, 1).
// Its fixed initial state and the way a seed enters it decide which ZEVARU.DAT files can be
// read, so neither may ever change: every file written by zevaru-conf depends on them.
namespace App {

class ConfRandom
{
public:
    static constexpr quint32 InitialState = 0x2545F491u;

    ConfRandom() = default;

    void reset() { m_state = InitialState; }
    // The signed 32-bit seed is taken bit for bit and mixed into the state.
    void seed(qint32 seed) { m_state ^= quint32(seed); }
    // Next number r, 0 <= r < 1, with 24 significant bits (exact in a double).
    double next();
    // floor(r * 95): the shift applied to one printable character.
    int nextShift() { return int(next() * 95.0); }

private:
    quint32 m_state = InitialState;
};

} // namespace App
