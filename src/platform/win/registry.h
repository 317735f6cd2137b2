#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Read-only machine-wide settings. They live in registry.ini in the system directory, one
// section per key path ("[SOFTWARE\ZEVARU]"), one "name=value" line per value.
namespace Registry {

// Full path of the INI file that holds the machine-wide values.
QString iniPath();

// Whether the INI file is there to be read: a missing file is no error (every value is then
// empty); one that exists but cannot be used is: no permission, a folder or a pipe in its place,
// more than 64 KiB, or bytes that are not UTF-8 text.
enum class FileState { Missing, Readable, Unreadable };
FileState fileState();

// The text of a value as written, only the spaces and tabs around it left out. *found is false
// when the file, the key or the value is missing (or the file cannot be used); *line is the
// file's line (from 1) the value was read from, 0 when none.
QString readValue(const QString &keyPath, const QString &valueName, bool *found = nullptr, int *line = nullptr);

// The file's bytes as text: UTF-8, with or without a byte order mark, holding no control
// characters but tab, CR and LF. Anything else (Latin-1, UTF-16, NUL bytes) is no text.
std::optional<QString> decodeText(const QByteArray &bytes);

// The value of valueName in the section keyPath of the file's text. Section and value names
// match in any letter case; a value comes back as written (commas, semicolons, backslashes and
// quotes kept); lines starting with ';' or '#' are comments; of two lines with one name the
// later counts.
std::optional<QString> valueIn(const QString &text, const QString &keyPath, const QString &valueName,
                               int *line = nullptr);

} // namespace Registry
