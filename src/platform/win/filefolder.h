#pragma once

#include <QString>

// The folder part of a file name, up to and including its last "/"; empty when it names no folder.
// A backslash is an ordinary character of a file name here, never a separator.
QString folderOfFile(const QString &fileName);

class QDate;

// "YYYYMMDD" of `today`, a blank, then `baseName` ("/" and "\" become "_": they would name a folder).
QString datedFileName(const QDate &today, const QString &baseName);
