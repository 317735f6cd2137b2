#include "platform/sheet/sheetreader.h"

#include <QFile>
#include <QFileInfo>

namespace SheetReader {

Result readXlsx(const QString &path); // xlsxreader.cpp
Result readXls(const QString &path); // xlsreader.cpp

Format sniff(QByteArrayView head)
{
    if (head.startsWith("PK\x03\x04"))
        return Format::Xlsx;
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Format::Xls;
    return Format::Csv;
}

Result read(const QString &path)
{
    Result r;
    const QFileInfo info(path);
    QFile f(path);
    // a pipe or a device would never end; a folder is no file
    if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
        r.failure = Failure::Unreadable;
        return r;
    }
    if (f.size() > MaxFileBytes) {
        r.failure = Failure::TooLarge;
        return r;
    }
    if (f.size() == 0) {
        r.failure = Failure::Empty;
        return r;
    }
    const QByteArray head = f.peek(8);
    switch (sniff(head)) {
    case Format::Xlsx:
        f.close();
        return readXlsx(path);
    case Format::Xls:
        f.close();
        return readXls(path);
    default:
        break;
    }
    QByteArray data = f.read(MaxFileBytes + 1);
    if (data.size() > MaxFileBytes) { // it grew while being read
        r.failure = Failure::TooLarge;
        return r;
    }
    return readCsv(std::move(data));
}

} // namespace SheetReader
