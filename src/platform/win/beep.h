#pragma once

#include <functional>

// Kind beeps. Types keep the numbers the callers were written with:
// 0 default, 16 error (hand), 32 question, 48 warning (exclamation), 64 information (asterisk).
namespace Beep {

enum Type : unsigned { Default = 0, Error = 16, Question = 32, Warning = 48, Information = 64 };

void message(unsigned type);

} // namespace Beep
