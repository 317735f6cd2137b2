#include "ssfindpickstate.h"

void SSFindPickState::mouseMove(bool inside)
{
    if (m_state == PressedOutside)
        return; // nothing changes until the button is released
    if (m_captured) {
        if (inside)
            return;
        if (m_state == Pressed) {
            // dragged off while pressed: the press keeps the pointer until the release
            m_highlighted = false;
            m_state = PressedOutside;
        } else if (m_state != Normal) {
            m_highlighted = false;
            m_captured = false;
            m_state = Normal;
        }
    } else if (m_state != Highlighted) {
        m_highlighted = true;
        m_captured = true;
        m_state = Highlighted;
    }
}

void SSFindPickState::mouseDown(bool leftButton)
{
    if (!leftButton)
        return;
    m_state = Pressed;
    m_captured = true; // a pressed button holds the pointer
}

void SSFindPickState::mouseUp(bool leftButton)
{
    if (!leftButton)
        return;
    m_highlighted = false;
    m_captured = false;
    m_state = Released;
}
