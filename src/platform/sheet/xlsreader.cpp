#include "platform/sheet/sheetreader.h"

#include <QFile>

#include <freexl.h>

namespace SheetReader {

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
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
        freexl_close(handle);
        r.failure = Failure::Damaged;
        return r;
    }
    if (qsizetype(rows) * cols > MaxCells) {
        freexl_close(handle);
        r.failure = Failure::TooLarge;
        return r;
    }
    SheetTable &t = r.table;
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
    freexl_close(handle);
    t.trimEmptyRows();
    if (t.rowCount() == 0)
        r.failure = Failure::Empty;
    return r;
}

} // namespace SheetReader
