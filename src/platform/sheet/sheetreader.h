#pragma once

#include "platform/sheet/sheettable.h"

#include <QByteArrayView>
#include <QString>

// Reads the first sheet of a spreadsheet file into a SheetTable: .xlsx (a zip archive of XML
// parts), .xls (the older binary workbook) and CSV text (UTF-8 with or without BOM, else CP949,
// which EUC-KR is part of; comma, semicolon or tab between fields). The format is told by the
// file's first bytes, not by its name.
namespace SheetReader {

enum class Format { Unknown, Xlsx, Xls, Csv };

enum class Failure {
    None,
    Unreadable, // cannot be opened, or not a regular file
    TooLarge, // over MaxFileBytes, or more cells than MaxCells
    Empty, // no bytes, or no cell with anything in it
    Damaged, // a workbook whose archive or parts cannot be read
    WrongFormat // neither a workbook nor text
};

inline constexpr qint64 MaxFileBytes = 50LL * 1024 * 1024;
// Cells kept at most (16 bytes each): what a 50 MB file can reasonably hold.
inline constexpr qsizetype MaxCells = 8'000'000;

struct Result
{
    SheetTable table;
    Failure failure = Failure::None;
    Format format = Format::Unknown;
    QString encoding; // CSV: "UTF-8" or "CP949"
    QString detail; // the library's own words for a damaged workbook, when it gave any
};

Result read(const QString &path);

// --- parts, for tests and for the fuzz target ---
Format sniff(QByteArrayView head);
bool isValidUtf8(QByteArrayView bytes);
// CSV text as it came from a file (BOM, encoding and separator found here).
Result readCsv(QByteArray data);
// The day of a workbook's serial day number (1900 system, with its 1900/02/29; or 1904 system).
QDate serialToDate(double serial, bool date1904);
// Whether a number format code shows a day (y, m with d, d ...), not a plain number or a time.
bool isDateFormat(int numFmtId, const QString &code);

} // namespace SheetReader
