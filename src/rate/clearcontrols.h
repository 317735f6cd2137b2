#pragma once

#include <QStringList>

class QWidget;

// Resets every control of a window by its type name: date boxes to today ("YYYY/MM/DD"),
// number boxes to "0", text boxes to "", combo boxes to no selection; other kinds untouched.
// Controls whose object name is in exceptNames (any letter case) are skipped. A control that
// refuses its new value does not stop the others.
void fnClear_Controls(QWidget *form, const QStringList &exceptNames = {});
