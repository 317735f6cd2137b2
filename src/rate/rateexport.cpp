#include "rate/rateexport.h"

#include "rate/ratestatements.h"
#include "rate/ratevalue.h"

#include "platform/db/dataaccess.h"
#include "platform/sheet/csvguard.h"
#include "platform/spread/spreadnumber.h"
#include "platform/spread/spreadunits.h"
#include "platform/spread/spreadworkbook.h"

#include <QSaveFile>
#include <QStringList>

namespace RateExport {

namespace {

// The grid's columns as the window defines them: header, width in grid units, decimals of a
// rate column (-1 for text) and alignment (0 left, 1 right, 2 centre). The widths are those the
// window's grid fits its columns to at 15 twips a pixel, which its export writes.
struct Column
{
    const char *header;
    double width;
    int decimals;
    int hAlign;
};
const Column kColumns[5] = {
    {"일자", 10.25, -1, 2},    {"미달러", 10.25, 2, 1}, {"베트남동", 10.25, 0, 1},
    {"한국원화", 10.25, 6, 1}, {"비고", 51.625, -1, 0},
};
constexpr int kCentre = 2;
constexpr int kRight = 1;

SpreadWorkbook::Cell textCell(const QString &text, int hAlign)
{
    SpreadWorkbook::Cell c;
    c.type = text.isEmpty() ? SpreadWorkbook::Cell::Type::Empty : SpreadWorkbook::Cell::Type::Text;
    c.text = text;
    c.look.hAlign = hAlign;
    return c;
}

QString averageText(const Table &table, int k)
{
    return SpreadNumber::format(table.average[size_t(k)], kColumns[k + 1].decimals, u'.', u',', true);
}

QString csvField(QString t)
{
    if (t.contains(u',') || t.contains(u'"') || t.contains(u'\n') || t.contains(u'\r'))
        t = u'"' + t.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return t;
}

QByteArray csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &f : fields)
        quoted << csvField(f);
    return quoted.join(u',').toUtf8() + "\r\n";
}

} // namespace

double average(long double sum, long count)
{
    return count > 0 ? double(sum / count) : 0.0;
}

bool read(DataAccess &da, const QString &from, const QString &to, Table *table, QString *error)
{
    table->rows.clear();
    table->average = {};
    if (!da.OpenQuery(RateStatements::periodStatement(from, to), 1, 3)) {
        *error = da.lastError();
        return false;
    }
    if (!da.IsEof()) {
        da.MoveFirst();
        const long n = da.RecordCount();
        // long double: rates near the largest double add up beyond it
        long double sums[3] = {0, 0, 0};
        table->rows.reserve(n);
        for (long i = 1; i <= n; ++i) {
            Row row;
            const int fields = da.FieldCount();
            for (int j = 0; j < fields; ++j) {
                const QString value = da.FieldValue(j);
                double rate = 0;
                if (j == 0)
                    row.day = value;
                else if (j == 4)
                    row.remark = value;
                else if (j <= 3 && RateValue::parse(value, &rate))
                    row.rate[size_t(j - 1)] = rate;
                if (j >= 1 && j <= 3)
                    sums[j - 1] += rate;
            }
            table->rows.append(row);
            da.MoveNext();
        }
        for (int k = 0; k < 3; ++k)
            table->average[size_t(k)] = average(sums[k], n);
    }
    da.CloseQuery();
    return true;
}

bool writeXlsx(const Table &table, const QString &file)
{
    SpreadWorkbook::Sheet sheet;
    const int rows = int(table.rows.size());
    sheet.resize(rows + 2, 5);
    for (int c = 0; c < 5; ++c) {
        sheet.colWidths[size_t(c)] = SpreadWorkbook::excelWidth(SpreadUnits::widthToPixels(kColumns[c].width));
        sheet.at(0, c) = textCell(QString::fromUtf8(kColumns[c].header), kCentre);
    }
    for (int r = 0; r < rows; ++r) {
        const Row &row = table.rows.at(r);
        sheet.at(r + 1, 0) = textCell(row.day, kColumns[0].hAlign);
        for (int k = 0; k < 3; ++k) {
            const Column &col = kColumns[k + 1];
            SpreadWorkbook::Cell &cell = sheet.at(r + 1, k + 1);
            cell.look.hAlign = col.hAlign;
            if (const std::optional<double> v = row.rate[size_t(k)]) {
                cell.type = SpreadWorkbook::Cell::Type::Number;
                cell.number = *v;
                cell.look.numberFormat = SpreadWorkbook::numberFormat(col.decimals, true);
            }
        }
        sheet.at(r + 1, 4) = textCell(row.remark, kColumns[4].hAlign);
    }
    // the summary line: its texts as the line under the grid shows them, right-aligned
    sheet.at(rows + 1, 0) = textCell(QStringLiteral("평균"), kRight);
    for (int k = 0; k < 3; ++k)
        sheet.at(rows + 1, k + 1) = textCell(averageText(table, k), kRight);
    sheet.at(rows + 1, 4) = textCell(QString(), kRight);
    return SpreadWorkbook::write(sheet, file, QString());
}

QByteArray csv(const Table &table)
{
    QByteArray out("\xEF\xBB\xBF");
    QStringList line;
    for (const Column &c : kColumns)
        line << QString::fromUtf8(c.header);
    out += csvLine(line);
    for (const Row &row : table.rows) {
        line = QStringList{CsvGuard::guard(row.day)};
        for (int k = 0; k < 3; ++k) {
            const std::optional<double> v = row.rate[size_t(k)];
            line << (v ? SpreadNumber::plain(*v, kColumns[k + 1].decimals) : QString());
        }
        line << CsvGuard::guard(row.remark);
        out += csvLine(line);
    }
    line = QStringList{QStringLiteral("평균")};
    for (int k = 0; k < 3; ++k)
        line << SpreadNumber::plain(table.average[size_t(k)], kColumns[k + 1].decimals);
    line << QString();
    out += csvLine(line);
    return out;
}

bool writeCsv(const Table &table, const QString &file)
{
    const QByteArray out = csv(table);
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size())
        return false;
    return f.commit();
}

} // namespace RateExport
