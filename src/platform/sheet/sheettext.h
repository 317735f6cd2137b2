#pragma once

#include <QString>
#include <QStringView>

// A cell's text as a workbook stores it. The format writes a character it cannot hold in XML (a
// control character, or CR) as "_xHHHH_"; a text that holds such a pattern literally keeps it by
// writing its underscore as "_x005F_". Pure functions, for the reader and for every export.
namespace SheetText {

// What an export hands to the workbook writer: every literal "_xHHHH_" with its underscore
// escaped (the writer itself escapes the control characters, but not this).
QString escapeLiterals(const QString &text);
// A stored text as the user typed it: each "_xHHHH_" read as the character HHHH.
QString unescape(QStringView stored);

} // namespace SheetText
