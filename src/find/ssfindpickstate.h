#pragma once

// Hover and press states of the pick-current-cell button, kept apart from the widget so the
// sequence of mouse events can be checked without a window. The button's "capture" is the
// hover hold: while it is held, leaving the button arrives as a move outside it.
class SSFindPickState
{
public:
    enum State {
        Released = 0, // idle after a release
        Normal = 1, // pointer left, normal face
        Highlighted = 2, // pointer over the button
        Pressed = 3, // left button down on it
        PressedOutside = 4, // pressed, then dragged off the button
    };

    int state() const { return m_state; }
    bool highlighted() const { return m_highlighted; }
    bool captured() const { return m_captured; }

    // A mouse move; inside = the pointer lies within the button (0 <= x <= width, 0 <= y <= height).
    void mouseMove(bool inside);
    // Left button only; other buttons change nothing. mouseUp pops the button back up.
    void mouseDown(bool leftButton);
    void mouseUp(bool leftButton);

private:
    int m_state = Released;
    bool m_highlighted = false;
    bool m_captured = false;
};
