#pragma once

#include "navtestform.h"

#include <QTest>

// Shows `form` and makes it the active window, as each test function of the navigator starts;
// false when the window manager would not show or activate it.
inline bool showActive(NavTestForm &form)
{
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return false;
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}
