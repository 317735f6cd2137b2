#include "spreadexcelexport.h"

#include "platform/win/wincolor.h"
#include "spreadmodel.h"
#include "spreadnumber.h"
#include "spreadunits.h"
#include "spreadworkbook.h"

#include <algorithm>

namespace {

SpreadWorkbook::Look lookOf(const SpreadFormat &f, bool number)
{
    SpreadWorkbook::Look look;
    look.numberFormat = number ? SpreadWorkbook::numberFormat(f.decimals, f.showGroups) : QString();
    look.hAlign = f.hAlign;
    look.vAlign = f.vAlign;
    look.foreColor = f.foreColor;
    look.backColor = f.backColor;
    return look;
}

// One cell of the grid (grid address) as the workbook takes it: numbers of number cells as
// numbers with the column's format, anything else as its display text.
SpreadWorkbook::Cell cellOf(const SpreadModel &store, int col, int row)
{
    const SpreadFormat f = store.format(col, row);
    const auto type = store.valueType(col, row);
    SpreadWorkbook::Cell cell;
    if (type == SpreadModel::Empty) {
        cell.look = lookOf(f, false);
        return cell;
    }
    if (f.kind == 13) {
        if (type == SpreadModel::Number) {
            cell.type = SpreadWorkbook::Cell::Type::Number;
            cell.number = store.numberValue(col, row);
        } else if (const auto v = SpreadNumber::parse(store.rawText(col, row), f.decimalChar, f.groupChar)) {
            cell.type = SpreadWorkbook::Cell::Type::Number;
            cell.number = *v;
        }
    }
    if (cell.type == SpreadWorkbook::Cell::Type::Number) {
        cell.look = lookOf(f, true);
    } else {
        cell.type = SpreadWorkbook::Cell::Type::Text;
        cell.text = store.displayText(col, row);
        cell.look = lookOf(f, false);
    }
    return cell;
}

} // namespace

QString SpreadExcelExport::numberFormat(int decimals, bool showGroups)
{
    return SpreadWorkbook::numberFormat(decimals, showGroups);
}

double SpreadExcelExport::excelWidth(int pixels)
{
    return SpreadWorkbook::excelWidth(pixels);
}

bool SpreadExcelExport::write(const SpreadModel &store, const QString &file, const QString &sheet,
                              const QString &logFile)
{
    SpreadWorkbook::Sheet out;
    out.name = sheet.isEmpty() ? QStringLiteral("Sheet1") : sheet;
    const int rows = store.maxRows();
    const int cols = store.maxCols();
    out.resize(rows, cols);
    for (int c = 1; c <= cols; ++c) {
        out.colHidden[size_t(c - 1)] = store.colHidden(c);
        out.colWidths[size_t(c - 1)] = SpreadWorkbook::excelWidth(SpreadUnits::widthToPixels(store.colWidth(c)));
    }
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            out.at(r - 1, c - 1) = cellOf(store, c, r);

    // merged blocks of the data area
    for (const QRect &s : store.spans()) {
        if (s.top() < 1 || s.right() < 1)
            continue;
        const int left = std::max(s.left(), 1);
        const int right = std::min(s.right(), cols);
        const int bottom = std::min(s.bottom(), rows);
        if (left > right || s.top() > bottom || (left == right && s.top() == bottom))
            continue;
        out.merges.push_back(
            {s.top() - 1, left - 1, bottom - 1, right - 1, lookOf(store.format(left, s.top()), false)});
    }
    return SpreadWorkbook::write(out, file, logFile);
}
