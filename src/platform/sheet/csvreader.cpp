#include "platform/sheet/csvguard.h"
#include "platform/sheet/sheetreader.h"

#include <iconv.h>

#include <cerrno>

namespace SheetReader {

bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int n = 0;
        unsigned cp = 0;
        if ((c & 0xE0) == 0xC0) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= n)
            return false;
        for (int i = 1; i <= n; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // overlong forms, surrogates and values past U+10FFFF are not UTF-8
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF))
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += n + 1;
    }
    return true;
}

namespace {

// CP949 to UTF-8 through iconv; false when the bytes are not CP949 either.
bool cp949ToUtf8(QByteArrayView in, QByteArray *out)
{
    iconv_t cd = iconv_open("UTF-8", "CP949");
    if (cd == iconv_t(-1)) // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
        return false;
    out->resize(in.size() * 3 / 2 + 16);
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = size_t(in.size());
    char *dst = out->data();
    size_t dstLeft = size_t(out->size());
    bool ok = true;
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
            continue;
        if (errno == E2BIG) {
            const qsizetype used = dst - out->data();
            out->resize(out->size() + qsizetype(srcLeft) * 2 + 16);
            dst = out->data() + used;
            dstLeft = size_t(out->size() - used);
            continue;
        }
        ok = false; // EILSEQ / EINVAL: not CP949
        break;
    }
    out->resize(dst - out->data());
    iconv_close(cd);
    return ok;
}

// The separator used most in the first line outside quotes: comma, semicolon or tab.
char findSeparator(QByteArrayView text)
{
    int counts[3] = {0, 0, 0};
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            counts[c == ',' ? 0 : c == ';' ? 1 : c == '\t' ? 2 : 0] += (c == ',' || c == ';' || c == '\t');
    }
    if (counts[1] > counts[0] && counts[1] >= counts[2])
        return ';';
    if (counts[2] > counts[0] && counts[2] > counts[1])
        return '\t';
    return ',';
}

} // namespace

Result readCsv(QByteArray data)
{
    Result r;
    r.format = Format::Csv;
    r.sheets.resize(1);
    SheetTable &table = r.sheets.front().table;
    qsizetype start = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        start = 3;
    if (data.size() - start <= 0) {
        r.failure = Failure::Empty;
        return r;
    }
    if (QByteArrayView(data).sliced(start).contains('\0')) {
        r.failure = Failure::WrongFormat; // a binary file, not text
        return r;
    }
    QByteArray &text = table.buffer();
    if (isValidUtf8(QByteArrayView(data).sliced(start))) {
        r.encoding = QStringLiteral("UTF-8");
        text = std::move(data);
    } else if (start == 3) {
        r.failure = Failure::WrongFormat; // says UTF-8 but is not
        return r;
    } else {
        r.encoding = QStringLiteral("CP949");
        start = 0;
        if (!cp949ToUtf8(data, &text)) {
            r.failure = Failure::WrongFormat;
            return r;
        }
        data = QByteArray(); // only the decoded text stays
    }

    const char sep = findSeparator(QByteArrayView(text).sliced(start));
    const qsizetype n = text.size();
    qsizetype i = start;
    // Cells point into the buffer; a quoted field with doubled quotes is written unquoted at the
    // buffer's end (appending may move the buffer, so positions, never pointers, are kept).
    while (i < n) {
        table.beginRow();
        while (true) {
            if (i < n && text.at(i) == '"') {
                const qsizetype open = ++i;
                bool doubled = false;
                while (i < n) {
                    if (text.at(i) == '"') {
                        if (i + 1 < n && text.at(i + 1) == '"') {
                            doubled = true;
                            i += 2;
                            continue;
                        }
                        break;
                    }
                    ++i;
                }
                const qsizetype close = i;
                if (i < n)
                    ++i; // the closing quote
                // anything between the closing quote and the separator belongs to the field
                const qsizetype tailStart = i;
                while (i < n && text.at(i) != sep && text.at(i) != '\n' && text.at(i) != '\r')
                    ++i;
                if (!doubled && tailStart == i) {
                    const qsizetype guard = CsvGuard::guardLength(QByteArrayView(text).sliced(open, close - open));
                    table.addTextAt(open + guard, close - open - guard);
                } else {
                    QByteArray field = text.mid(open, close - open);
                    field.replace("\"\"", "\"");
                    field += text.mid(tailStart, i - tailStart);
                    table.addText(QByteArrayView(field).sliced(CsvGuard::guardLength(field)));
                }
            } else {
                const qsizetype from = i;
                bool blank = true;
                while (i < n && text.at(i) != sep && text.at(i) != '\n' && text.at(i) != '\r') {
                    blank = blank && (text.at(i) == ' ' || text.at(i) == '\t');
                    ++i;
                }
                if (blank)
                    table.addEmpty(); // blanks alone are no value
                else {
                    const qsizetype guard = CsvGuard::guardLength(QByteArrayView(text).sliced(from, i - from));
                    table.addTextAt(from + guard, i - from - guard);
                }
            }
            if (table.cellCount() > MaxCells || table.rowCount() > MaxRows) {
                r.failure = Failure::TooMuchContent;
                table = SheetTable();
                return r;
            }
            if (i < n && text.at(i) == sep) {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && text.at(i) == '\r')
            ++i;
        if (i < n && text.at(i) == '\n')
            ++i;
    }
    table.trimEmptyRows();
    if (table.rowCount() == 0)
        r.failure = Failure::Empty;
    return r;
}

} // namespace SheetReader
