// Any bytes as ZEVARU.DAT: the field reader, the descrambler and the field cutting never crash
// or read out of bounds, and what they give back keeps the record's shape. The same bytes also
// make a record the way zevaru-conf does, which must read back field for field.

#include "app/anymodule.h"
#include "app/confcodec.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

QTemporaryDir *g_dir = nullptr;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

void check(bool ok, const char *what)
{
    if (!ok)
        fail(what);
}

bool isPrintable(QChar c)
{
    return c.unicode() >= 32 && c.unicode() <= 126;
}

QString printableOnly(const QString &s)
{
    QString out;
    for (QChar c : s)
        if (isPrintable(c))
            out += c;
    return out;
}

QString confPath()
{
    return g_dir->filePath(QStringLiteral("ZEVARU.DAT"));
}

void writeConf(const QByteArray &content)
{
    // a fresh file each time: truncating one in place makes ext4 flush it to disk on close
    QFile::remove(confPath());
    QFile f(confPath());
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        fail("the fuzzer's own ZEVARU.DAT could not be written");
}

// What the program reads from the file must be what the in-memory reader gives for its bytes.
void checkFileReading(const QByteArray &content, const QString &record)
{
    writeConf(content);
    for (int index = -1; index <= ConfCodec::FieldCount; ++index) {
        QString value;
        try {
            value = fnGet_ConfValue(index);
        } catch (const std::runtime_error &) {
            fail("fnGet_ConfValue raised on a readable file");
        }
        check(value == ConfCodec::cutField(record, index), "file read differs from the in-memory read");
    }
}

// Arbitrary bytes as the file's content.
void rawFile(const QByteArray &content)
{
    const QString acc = ConfCodec::accumulateFields(content);
    // fields come from disjoint stretches of the content and each needs a delimiter before the
    // next, so the joined text is never longer than the content
    check(acc.size() <= content.size(), "accumulated text longer than the file");
    check(!acc.startsWith(QLatin1Char(' ')) && !acc.endsWith(QLatin1Char(' ')), "accumulated text not trimmed");

    const QString record = fnConf_Descramble(acc);
    const QString printable = printableOnly(acc);
    check(record.size() == printable.size(), "descrambling lost or added characters");
    for (QChar c : record)
        check(isPrintable(c), "descrambled character outside 32..126");
    // each printable character maps one to one: scrambling gives the printable input back
    check(ConfCodec::scramble(record) == printable, "scramble does not invert descramble");

    for (int index = -2; index <= ConfCodec::FieldCount + 1; ++index) {
        const QString field = ConfCodec::cutField(record, index);
        const int start = ConfCodec::fieldStart(index);
        const int width = ConfCodec::fieldWidth(index);
        if (start < 0) {
            check(field.isEmpty() && width == 0, "unknown field index gave a value");
            continue;
        }
        check(field.size() <= width, "field wider than the record allows");
        check(record.mid(start, width).contains(field), "field not taken from its own place");
        if (ConfCodec::fieldTrimmed(index))
            check(!field.startsWith(QLatin1Char(' ')) && !field.endsWith(QLatin1Char(' ')),
                  "server/user/password/database field keeps spaces at an end");
    }
    checkFileReading(content, record);
}

// The bytes as the five values zevaru-conf accepts (printable ASCII, no spaces at either end of
// fields 1..4, at most the field's width), written the way it writes them.
void toolRecord(const uint8_t *data, size_t size)
{
    QString values[ConfCodec::FieldCount];
    size_t pos = 0;
    for (int k = 0; k < ConfCodec::FieldCount; ++k) {
        const int width = ConfCodec::fieldWidth(k);
        // a byte >= 0x80 ends a field early, so short fields are reachable
        QString v;
        while (pos < size && v.size() < width) {
            const uint8_t b = data[pos++];
            if (b >= 0x80)
                break;
            v += QChar(32 + b % 95);
        }
        if (k == 0 && v.isEmpty())
            v = QStringLiteral("0");
        values[k] = ConfCodec::fieldTrimmed(k) ? v.trimmed() : v;
    }
    QString record;
    for (int k = 0; k < ConfCodec::FieldCount; ++k)
        record += values[k].leftJustified(ConfCodec::fieldWidth(k), QLatin1Char(' '));
    check(record.size() == ConfCodec::RecordLength, "record of the wrong length");

    const QString scrambled = ConfCodec::scramble(record);
    check(scrambled.size() == record.size(), "scrambling changed the length");
    for (QChar c : scrambled)
        check(isPrintable(c), "scrambled character outside 32..126");
    check(fnConf_Descramble(scrambled) == record, "descramble does not invert scramble");

    const QByteArray content = ConfCodec::fileContent(scrambled);
    const QString back = fnConf_Descramble(ConfCodec::accumulateFields(content));
    check(back == record, "file form of a record does not read back");
    for (int k = 0; k < ConfCodec::FieldCount; ++k)
        check(ConfCodec::cutField(back, k) == values[k], "a written value reads back changed");
    checkFileReading(content, back);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    g_dir = new QTemporaryDir;
    if (!g_dir->isValid())
        fail("no temporary directory");
    qputenv("ZEVARU_SYSTEM_DIR", g_dir->path().toLocal8Bit());
    std::atexit([] { delete g_dir; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    rawFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    toolRecord(data, size);
    return 0;
}
