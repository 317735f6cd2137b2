#pragma once

#include <QByteArray>
#include <QString>

// The scrambled connection record of ZEVARU.DAT: the record layout, the scrambler and the
// file's delimited-field reading. Shared by the program (which only reads) and zevaru-conf.
namespace ConfCodec {

// The six upper-case letters whose hash seeds the generator. Fixed for the same reason as the
// generator itself: changing it makes every existing ZEVARU.DAT unreadable.
inline constexpr char KeyString[] = "QMTRSK";

// Record layout: index 0 is a 1-character flag, 1..4 are 30-character fields
// (server, user id, password, database). Character positions are 0-based here.
inline constexpr int FieldCount = 5;
inline constexpr int RecordLength = 121;
int fieldStart(int index); // -1 for an unknown index
int fieldWidth(int index); // 0 for an unknown index
bool fieldTrimmed(int index);

// One field cut out of a descrambled record; empty for an unknown index or a short record.
QString cutField(const QString &record, int index);

// The ANSI code of a character as the scrambler sees it (63 '?' outside Latin-1).
int ansiCode(QChar c);

// Drops characters outside 32..126 and reverses the per-character shift.
QString descramble(const QString &text);
// The inverse for printable text (characters outside 32..126 are dropped as well).
QString scramble(const QString &plain);

// Reads the file's content the way the program reads ZEVARU.DAT: delimited fields (ending at a
// comma or a line end; a field in double quotes may hold commas and loses its quotes), each cut
// to 255 characters and trimmed of spaces, joined with ",". Bytes are taken as Latin-1.
QString accumulateFields(const QByteArray &content);

// File content for a scrambled text that accumulateFields() gives back unchanged: each
// comma-separated piece is framed by TAB characters, which survive the space trim and the
// quote detection and are then dropped by the descrambler without drawing a random number.
QByteArray fileContent(const QString &scrambled);

// The plain record of the five fields (flag, server, user id, password, database), each padded
// to its width; fields must already fit (zevaru-conf refuses the ones that do not).
QString joinRecord(const QString &flag, const QString &server, const QString &user, const QString &password,
                   const QString &database);

} // namespace ConfCodec
