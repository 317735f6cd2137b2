#include "platform/sheet/sheetreader.h"

#include <QFile>

#include <freexl.h>

namespace SheetReader {

namespace {

// One worksheet, already selected, into `t`; false when the workbook is damaged there.
bool readWorksheet(const void *handle, SheetTable &t, qsizetype *cellsLeft, qsizetype *rowsLeft, Failure *failure)
{
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
        *failure = Failure::Damaged;
        return false;
    }
    if (qsizetype(rows) * cols > *cellsLeft || qsizetype(rows) > *rowsLeft) {
        *failure = Failure::TooMuchContent;
        return false;
    }
    *cellsLeft -= qsizetype(rows) * cols;
    *rowsLeft -= qsizetype(rows);
    for (unsigned int row = 0; row < rows; ++row) {
        t.beginRow();
        for (unsigned short col = 0; col < cols; ++col) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle, row, col, &v) != FREEXL_OK) {
                t.addEmpty();
                continue;
            }
            switch (v.type) {
            case FREEXL_CELL_INT:
                t.addNumber(double(v.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                t.addNumber(v.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                t.addText(QByteArrayView(v.value.text_value));
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME: // "YYYY-MM-DD[ HH:MM:SS]"
                t.addDate(QDate::fromString(QString::fromLatin1(v.value.text_value).left(10), Qt::ISODate));
                break;
            case FREEXL_CELL_TIME:
                t.addText(QByteArrayView(v.value.text_value));
                break;
            default:
                t.addEmpty();
                break;
            }
        }
    }
    t.trimEmptyRows();
    return true;
}

} // namespace

Result readXls(const QString &path)
{
    Result r;
    r.format = Format::Xls;
    const void *handle = nullptr;
    const int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (rc != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        r.failure = Failure::Damaged;
        r.detail = QStringLiteral("freexl %1").arg(rc);
        return r;
    }
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        r.failure = Failure::Damaged;
    qsizetype cellsLeft = MaxCells;
    qsizetype rowsLeft = MaxRows;
    bool anything = false;
    for (unsigned short i = 0; i < count && r.failure == Failure::None; ++i) {
        Sheet sheet;
        const char *name = nullptr;
        if (freexl_get_worksheet_name(handle, i, &name) == FREEXL_OK && name)
            sheet.name = QString::fromUtf8(name);
        if (freexl_select_active_worksheet(handle, i) != FREEXL_OK) {
            r.failure = Failure::Damaged;
            break;
        }
        if (!readWorksheet(handle, sheet.table, &cellsLeft, &rowsLeft, &r.failure))
            break;
        anything = anything || sheet.table.rowCount() > 0;
        r.sheets.push_back(std::move(sheet));
    }
    freexl_close(handle);
    if (r.failure != Failure::None)
        r.sheets.clear();
    else if (!anything)
        r.failure = Failure::Empty;
    return r;
}

} // namespace SheetReader
