#pragma once

#include <QString>

// Read-only access to the machine-wide settings: the registry values under SOFTWARE\ZEVARU and
// the scrambled connection record in ZEVARU.DAT of the system directory.

// Value name of a registry setting by index (0 "REG_USERID" ... 11 "REG_PRTSETPORTB"); empty
// for any other index.
QString fnGet_RegName(int index);

// The registry value, or empty text when it cannot be read. A value stored with a NUL gives
// the text before the first NUL; otherwise the text trimmed of spaces.
QString fnGet_RegValue(int index);

// The system directory, without a trailing slash.
QString fnGet_SystemDir();

// One field of the connection record (0 flag, 1 server, 2 user id, 3 password, 4 database);
// every call reads and descrambles the whole file again. Throws std::runtime_error (UTF-8
// description in Korean) when ZEVARU.DAT is missing or cannot be read.
QString fnGet_ConfValue(int index);

QString fnConf_Descramble(const QString &text);

// h = h XOR (2^a * c) XOR (2^b * c) over the ANSI codes c, a stepping by 7 mod 19 and b by
// 13 mod 23; 32-bit signed.
qint32 fnConf_Hash(const QString &text);
