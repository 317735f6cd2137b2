#pragma once

#include <QString>

// Read-only machine-wide settings. They live in registry.ini in the system directory, one INI
// section per key path ("[SOFTWARE\ZEVARU]"), read through QSettings.
namespace Registry {

// Full path of the INI file that holds the machine-wide values.
QString iniPath();

// Whether the INI file is there to be read: a missing file is no error (every value is then
// empty), one that exists but cannot be read (no permission, a folder in its place) is.
enum class FileState { Missing, Readable, Unreadable };
FileState fileState();

// The raw text of a value, NULs included. *found is false when the file, the key or the value
// is missing (or the file cannot be read). A value QSettings reads as a list (unquoted commas)
// comes back joined with ", ".
QString readValue(const QString &keyPath, const QString &valueName, bool *found = nullptr);

} // namespace Registry
