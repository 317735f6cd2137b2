// Any bytes as a CSV file: nothing crashes, the rows account for every cell, and a file read as
// UTF-8 (or decoded from CP949) gives only valid, non-empty UTF-8 texts.

#include "platform/sheet/sheetreader.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const SheetReader::Result r =
        SheetReader::readCsv(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (r.failure != SheetReader::Failure::None) {
        check(r.table().rowCount() == 0, "a refused file keeps no rows");
        return 0;
    }
    check(r.table().rowCount() > 0, "an accepted file has rows");
    qsizetype cells = 0;
    for (int row = 0; row < r.table().rowCount(); ++row) {
        cells += r.table().columnCount(row);
        for (int col = 0; col < r.table().columnCount(row); ++col) {
            const QByteArrayView text = r.table().utf8(row, col);
            check(r.table().kind(row, col) != SheetTable::Kind::Text || !text.isEmpty(), "a text cell is never empty");
            check(SheetReader::isValidUtf8(text), "cell texts are UTF-8");
        }
    }
    check(cells == r.table().cellCount(), "rows account for every cell");
    return 0;
}
