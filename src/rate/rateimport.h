#pragma once

#include "platform/sheet/sheetreader.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>

class DataAccess;
class RateWriter;

// Rates brought in from a file: which columns hold which field, each row checked as the input
// panel checks a day, compared with the stored day (추가 / 수정 / 동일 / 거부), and the chosen rows
// written in one transaction through the save's own statements. No window here: the preview
// window and the command-line tool share it.
namespace RateImport {

enum Field { FieldDate, FieldUsd, FieldVnd, FieldKrw, FieldRemark, FieldCount };
// "일자", "미달러", "베트남동", "한국원화", "비고" (the grid's header texts).
QString fieldCaption(int field);
// The field a header text names: ours or date / usd / vnd / krw / remark in any letter case; -1.
int fieldOfHeader(const QString &text);

struct ColumnMap
{
    int headerRow = -1; // row of the header texts; -1: none, data from row 0
    std::array<int, FieldCount> col{-1, -1, -1, -1, -1}; // sheet column of each field, -1 = none
    // A day and at least one rate are needed.
    bool usable() const;
};
// The header row among the sheet's first rows whose texts name the day and at least one rate.
// Not found: nothing usable, for the user to pick the columns.
ColumnMap findColumns(const SheetTable &table);
// The sheets of a file whose header is found, in the workbook's order (a cover sheet or a note
// before the table is passed over).
QList<int> fittingSheets(const SheetReader::Result &file);

// How the file writes the decimal mark of the numbers it holds as text: decided from all of them
// ("1.234,5" or "0,53" say comma, "1,234.5" or "1310.5" point; "23.807" alone says neither).
enum class DecimalMark { Unknown, Point, Comma, Mixed };
DecimalMark decimalMark(const SheetTable &table, const ColumnMap &map);

// The file's text of a cell as a day "YYYY/MM/DD": day cells, "YYYY/MM/DD", "YYYY-MM-DD",
// "YYYYMMDD" (also as a number), with a time of day after it ignored. Other texts come back
// as they are (the date check then refuses them).
QString dayText(const SheetTable &table, int row, int col);

// Unpublished: a day the services have not published (a fetch only); never written.
enum class Outcome { Add, Change, Same, Refused, Unpublished };
QString outcomeText(Outcome o); // "추가", "수정", "동일", "거부", "게시되지 않음"
// Add, Change or Same: a row the stored day is compared with.
bool comparable(Outcome o);

struct Row
{
    int line = 0; // the file's line (sheet row) counted from 1
    QString date; // "YYYY/MM/DD", or the file's text when refused for it
    std::array<QString, 3> rate; // plain values as the save writes them; "" = not in the file
                                 // (a refused row: the file's texts as they are)
    QString remark;
    bool remarkGiven = false;
    Outcome outcome = Outcome::Refused;
    QString reason; // 거부: the input panel's words
    QString jump; // a jump the save would ask about, in the question's words
    bool stored = false; // the day is in the table (old values below)
    std::array<QString, 3> oldRate;
    QString oldRemark;
    QString source; // the services of a fetched row ("eximbank+vietcombank"); "" for a file's

    // The values a write sends: the file's, else the stored day's, else the panel's defaults.
    QString rateToWrite(int i) const;
    QString remarkToWrite() const;
};

struct Preview
{
    ColumnMap map;
    QVector<Row> rows;
    std::array<int, 5> count{0, 0, 0, 0, 0}; // by Outcome
    int skipped = 0; // blank lines and the export's "평균" line
    DecimalMark mark = DecimalMark::Unknown;
    QString source; // what the history rows name as the rows' origin (the file's name)
};

// Reads the data rows through the map and checks each one; every row still to compare is
// Outcome::Add until compareWithStored() has seen the table.
Preview readRows(const SheetTable &table, const ColumnMap &map);
// Compares the accepted rows with the stored days (one period query): 추가, 수정 or 동일.
// False when the table could not be read; the preview is unchanged then.
bool compareWithStored(DataAccess &da, Preview &preview, QString *error = nullptr);
void recount(Preview &preview);
// "추가 N건   수정 N건   동일 N건   거부 N건" (and "   게시되지 않음 N건" when there are such)
QString countText(const Preview &p);
// The closing words of an apply: "추가 N건, 수정 N건", and ", 거부 N건 제외" when rows were left out.
QString appliedText(const Preview &p, int inserted, int updated);

// A plain value as the panel's box of rate `index` keeps it ("1310.50", "24400", "0.0531"):
// false with the box's words when it would refuse it. A text number is read with the file's
// decimal mark; one whose mark cannot be told is refused, never read a thousand times off.
bool rateValue(int index, const SheetTable &table, int row, int col, QString *value, QString *reason,
               DecimalMark mark = DecimalMark::Point);
// A stored rate field in the same form (empty for NULL or text).
QString storedRate(int index, const QString &field);

enum class Scope { NewOnly, NewAndChanged };
struct ApplyResult
{
    bool ok = false;
    int inserted = 0;
    int updated = 0;
    QStringList movedDays; // changed by someone else since the preview: nothing was written
    QString error; // the database's words when a statement failed
};
// Writes the chosen rows in one transaction through the writer the save uses (each change with
// its history row where the database keeps one): before writing, each chosen day is read again
// and must be as the preview showed it, else nothing is written and the moved days are named. Any
// failed statement rolls everything back. Each history row names the row's source, else the
// preview's. progress(done, total) is called now and then.
ApplyResult apply(DataAccess &da, RateWriter &writer, const Preview &preview, Scope scope,
                  const std::function<void(int, int)> &progress = {});
bool chosen(const Row &row, Scope scope);

// The Korean sentence for a file that could not be read.
QString failureText(SheetReader::Failure failure);

} // namespace RateImport
