#pragma once

#include <QString>

// The system's own description of an error number (errno), in Korean: the C library's Korean
// messages whatever the program's own locale, so that numbers keep their formatting. Where the
// system has no Korean locale, its description in the program's locale.
namespace SystemError {

QString text(int errorNumber);
// text(errorNumber), or `otherwise` when errorNumber is 0 (the failure set no error number)
QString textOr(int errorNumber, const QString &otherwise);

} // namespace SystemError
