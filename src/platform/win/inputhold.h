#pragma once

// While a command of a window runs (its pending events processed at the points where it waits),
// the user's mouse and key input to the program's windows is dropped, so no command can start
// inside another. Windows keep painting and moving; a modal box or dialog the command opens, and
// a pop-up menu, still take their input. Scopes nest and may end in any order: input comes back
// when the last one ends.
namespace InputHold {

class Scope
{
public:
    Scope();
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;
};

// True while a Scope lives.
bool active();

} // namespace InputHold
