#pragma once

#include "platform/sheet/sheettable.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

// Reads every sheet of a spreadsheet file into SheetTables: .xlsx (a zip archive of XML parts),
// .xls (the older binary workbook) and CSV text (UTF-8 with or without BOM, else CP949, which
// EUC-KR is part of; comma, semicolon or tab between fields; one sheet). The format is told by
// the file's first bytes, not by its name.
namespace SheetReader {

enum class Format { Unknown, Xlsx, Xls, Csv };

enum class Failure {
    None,
    Unreadable, // cannot be opened, or not a regular file
    TooLarge, // over MaxFileBytes
    TooMuchContent, // unpacks or holds more than the bounds below allow
    Empty, // no bytes, or no cell with anything in it
    Damaged, // a workbook whose archive or parts cannot be read
    WrongFormat // neither a workbook nor text
};

inline constexpr qint64 MaxFileBytes = 50LL * 1024 * 1024;
// Rows and cells kept at most (16 bytes a cell), over all sheets: far more than any table of daily
// rates holds (a century is 36,525 days), and few enough that a file read and previewed in full
// stays within a few times the largest file.
inline constexpr int MaxRows = 100'000;
inline constexpr qsizetype MaxCells = 2'000'000;
// Texts kept at most, over all sheets: no more than a CSV file of the largest size holds.
inline constexpr qsizetype MaxTextBytes = qsizetype(MaxFileBytes);
// A workbook is an archive, and a small one can unpack to gigabytes: its parts are read as
// streams and counted as they unpack. Past any of these bounds the file is refused whole.
inline constexpr qint64 MaxUnpackedBytes = 512LL * 1024 * 1024; // all parts together
inline constexpr qint64 MaxPartBytes = 384LL * 1024 * 1024; // one part
// Unpacked to packed size of one part (counted once the part has unpacked MinRatioBytes): the XML
// of real sheets packs ten or twenty to one; the archives that unpack to gigabytes a thousand.
inline constexpr int MaxPackRatio = 200;
inline constexpr qint64 MinRatioBytes = 4LL * 1024 * 1024;
// Unpacked XML read without the reader giving one token: no cell, tag or text of a real sheet
// comes near it, and the reader would otherwise hold all of it at once.
inline constexpr qint64 MaxTokenBytes = 2LL * 1024 * 1024;

struct Sheet
{
    QString name; // the workbook's name of the sheet; empty for CSV
    SheetTable table;
};

struct Result
{
    std::vector<Sheet> sheets; // in the workbook's order; one for CSV
    Failure failure = Failure::None;
    Format format = Format::Unknown;
    QString encoding; // CSV: "UTF-8" or "CP949"
    QString detail; // the library's own words for a damaged workbook, when it gave any

    // The first sheet (a CSV file's only one); an empty table when there is none.
    const SheetTable &table() const
    {
        static const SheetTable none;
        return sheets.empty() ? none : sheets.front().table;
    }
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
