#include "confrandom.h"

namespace App {

double ConfRandom::next()
{
    m_state = m_state * 1664525u + 1013904223u;
    // the low bits of an LCG repeat with short periods; only the top 24 bits are used
    return double(m_state >> 8) / 16777216.0;
}

} // namespace App
