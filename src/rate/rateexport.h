#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class DataAccess;

// A period of EX_RATE written to a file without a window: the .xlsx the grid's export writes (the
// header row, the rows with the columns' number formats, the "평균" line of the averages) and
// the same rows as CSV.
namespace RateExport {

struct Row
{
    QString day;
    std::array<std::optional<double>, 3> rate; // USD, VND, KRW; none where the field is no number
    QString remark;
};

struct Table
{
    QList<Row> rows;
    std::array<double, 3> average{}; // over every row, a missing rate counted 0, as the grid's line
};

// The rows of the period (from..to, "YYYY/MM/DD") as the query reads them into the grid; false
// when the query failed (error set).
bool read(DataAccess &da, const QString &from, const QString &to, Table *table, QString *error);

// The average shown under the grid: the sum over the rows, back in double range.
double average(long double sum, long count);

// The workbook as the grid's export writes it; false when it cannot be written (nothing is left).
bool writeXlsx(const Table &table, const QString &file);

// The rows as CSV in UTF-8 with BOM, CR LF between lines: the header row, the rows with the
// rates as plain numbers of the columns' decimals, then the "평균" line. Text cells that a
// spreadsheet would take as a formula are guarded (CsvGuard).
QByteArray csv(const Table &table);
// csv() saved to a file in one step; false when it cannot be written.
bool writeCsv(const Table &table, const QString &file);

} // namespace RateExport
