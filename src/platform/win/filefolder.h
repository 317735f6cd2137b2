#pragma once

#include <QString>

// The folder part of a file name, up to and including its last "/"; empty when it names no folder.
// A backslash is an ordinary character of a file name here, never a separator.
namespace FileFolder {

QString folderOfFile(const QString &fileName);

} // namespace FileFolder
