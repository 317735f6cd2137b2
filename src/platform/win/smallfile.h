#pragma once

#include <QByteArray>
#include <QString>

// Reads the program's own small settings files (ZEVARU.DAT, registry.ini) whole. Only a regular
// file (or a link to one) of at most MaxSize bytes is read: a folder, a pipe or a device in its
// place, or a file far larger than any valid content, is refused before a byte of it is read.
namespace SmallFile {

constexpr qint64 MaxSize = qint64(64) * 1024;

enum class Result { Read, Missing, NotRegular, TooLarge, Unreadable };

// Reads path into *content. *why (when given) gets a short Korean reason on every failure but
// Missing.
Result read(const QString &path, QByteArray *content, QString *why = nullptr);

} // namespace SmallFile
