#pragma once

#include <QString>

class QDate;

namespace FileFolder {

// The folder part of a file name, up to and including its last "/"; empty when it names no folder.
// A backslash is an ordinary character of a file name here, never a separator.
QString folderOfFile(const QString &fileName);

// "YYYYMMDD" of `today`, a blank, then `baseName` ("/" and "\" become "_": they would name a folder).
QString datedFileName(const QDate &today, const QString &baseName);

// Whether a folder lies on one of the system's pseudo file systems (/proc, /sys, /dev and their
// kind wherever mounted): no place for a user's file, and some of their files block a reader.
bool isPseudoFileSystem(const QString &folder);

// The folder a save dialog opens in next after a save to `fileName`: its folder, or "" (the
// dialog's own default) when that folder is on a pseudo file system.
QString rememberedFolder(const QString &fileName);

} // namespace FileFolder
