#pragma once

#include <QString>

// Trims spaces only, the way the system's string functions do: a TAB or a line break is text,
// not blank.
namespace SpaceTrim {

QString trimSpaces(const QString &s);

} // namespace SpaceTrim
