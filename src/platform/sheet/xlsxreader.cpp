#include "platform/sheet/sheetreader.h"
#include "platform/sheet/sheettext.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <vector>

namespace SheetReader {

QDate serialToDate(double serial, bool date1904)
{
    if (!(serial >= 0) || serial > 2958465) // up to 9999/12/31
        return {};
    const qint64 day = qint64(serial); // the time of day is the fraction
    if (date1904)
        return QDate(1904, 1, 1).addDays(day);
    if (day < 1)
        return {};
    // the 1900 system counts a 1900/02/29 that never was (serial 60)
    if (day == 60)
        return {};
    return day < 60 ? QDate(1899, 12, 31).addDays(day) : QDate(1899, 12, 30).addDays(day);
}

bool isDateFormat(int numFmtId, const QString &code)
{
    if ((numFmtId >= 14 && numFmtId <= 17) || numFmtId == 22 || (numFmtId >= 27 && numFmtId <= 36)
        || (numFmtId >= 50 && numFmtId <= 58))
        return true;
    if (code.isEmpty())
        return false;
    // quoted texts, [colour] and [$-locale] parts and escaped characters say nothing of the kind
    QString c = code;
    c.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]|\\\\.|_.|\\*.")));
    c = c.toLower();
    return c.contains(u'y') || c.contains(u'd');
}

namespace {

struct ZipCloser
{
    void operator()(zip_t *z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

struct EntryCloser
{
    void operator()(zip_file_t *f) const { zip_fclose(f); }
};
using EntryPtr = std::unique_ptr<zip_file_t, EntryCloser>;

// The archive and what it has unpacked so far. Every byte read out of it is counted here, so
// that what a part's header claims never matters: past a bound the whole file is refused.
struct Archive
{
    zip_t *zip = nullptr;
    qint64 total = 0;
    Failure failure = Failure::None;

    // `n` more bytes of a part that has unpacked `partBytes` (these included) from `packed`.
    bool count(qint64 n, qint64 partBytes, qint64 packed)
    {
        total += n;
        const bool over = total > MaxUnpackedBytes || partBytes > MaxPartBytes
            || (partBytes >= MinRatioBytes && partBytes > MaxPackRatio * std::max<qint64>(packed, 1));
        if (over)
            failure = Failure::TooMuchContent;
        return !over;
    }

    qint64 packedSize(const char *name) const
    {
        zip_stat_t st;
        if (zip_stat(zip, name, 0, &st) != 0 || !(st.valid & ZIP_STAT_COMP_SIZE))
            return 0;
        return qint64(st.comp_size);
    }
};

// A whole small part of the archive (the workbook, its relations, the styles); false when it is
// missing, cannot be read, or is larger than a part of its kind ever is.
bool readPart(Archive &a, const char *name, QByteArray *out)
{
    constexpr qsizetype MaxSmallPart = qsizetype(16) * 1024 * 1024;
    EntryPtr f(zip_fopen(a.zip, name, 0));
    if (!f)
        return false;
    const qint64 packed = a.packedSize(name);
    out->clear();
    char buf[64 * 1024];
    while (true) {
        const zip_int64_t n = zip_fread(f.get(), buf, sizeof buf);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out->append(buf, qsizetype(n));
        if (!a.count(n, out->size(), packed))
            return false;
        if (out->size() > MaxSmallPart) {
            a.failure = Failure::TooMuchContent;
            return false;
        }
    }
}

// Feeds a part to the XML reader in pieces, so a large sheet is never inflated whole.
class StreamedPart
{
public:
    StreamedPart(Archive &archive, const QString &name, QXmlStreamReader &xml)
        : m_archive(archive)
        , m_file(zip_fopen(archive.zip, name.toUtf8().constData(), 0))
        , m_packed(archive.packedSize(name.toUtf8().constData()))
        , m_xml(xml)
    { }
    bool opened() const { return bool(m_file); }

    // Next token; false at the end of the part, on damage or past a bound (failure() tells).
    bool next()
    {
        while (true) {
            m_xml.readNext();
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !m_eof) {
                // the reader keeps a token's bytes until the token ends: a token that never
                // ends would take them all
                if (m_sinceToken > MaxTokenBytes)
                    return fail(Failure::TooMuchContent);
                char buf[64 * 1024];
                const zip_int64_t n = zip_fread(m_file.get(), buf, sizeof buf);
                if (n < 0)
                    return fail(Failure::Damaged);
                if (n == 0)
                    m_eof = true;
                m_read += n;
                m_sinceToken += n;
                if (!m_archive.count(n, m_read, m_packed))
                    return fail(Failure::TooMuchContent);
                m_xml.addData(QByteArray(buf, qsizetype(n)));
                continue;
            }
            if (m_xml.hasError())
                return fail(Failure::Damaged);
            m_sinceToken = 0;
            return !m_xml.atEnd();
        }
    }
    Failure failure() const { return m_failure; }

private:
    bool fail(Failure f)
    {
        m_failure = f;
        return false;
    }

    Archive &m_archive;
    EntryPtr m_file;
    qint64 m_packed = 0;
    QXmlStreamReader &m_xml;
    qint64 m_read = 0;
    qint64 m_sinceToken = 0;
    bool m_eof = false;
    Failure m_failure = Failure::None;
};

int columnOfRef(QStringView ref)
{
    int col = 0;
    for (const QChar ch : ref) {
        const char16_t c = ch.unicode();
        if (c >= u'A' && c <= u'Z')
            col = col * 26 + (c - u'A' + 1);
        else if (c >= u'a' && c <= u'z')
            col = col * 26 + (c - u'a' + 1);
        else
            break;
        if (col > 16384)
            return -1;
    }
    return col - 1;
}

struct Workbook
{
    struct Entry
    {
        QString name;
        QString part;
    };
    std::vector<Entry> sheets;
    bool date1904 = false;
    std::vector<bool> xfIsDate;
};

// The sheets' names and parts and the date system, from workbook.xml and its relations.
bool readWorkbook(Archive &a, Workbook *wb)
{
    QByteArray data;
    if (!readPart(a, "xl/workbook.xml", &data))
        return false;
    QXmlStreamReader xml(data);
    QStringList ids;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const auto v = xml.attributes().value(QLatin1String("date1904"));
            wb->date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"sheet") {
            QString id;
            for (const auto &attr : xml.attributes())
                if (attr.name() == u"id")
                    id = attr.value().toString();
            ids << id;
            // the usual part name, unless the relations say otherwise
            wb->sheets.push_back({xml.attributes().value(QLatin1String("name")).toString(),
                                  QStringLiteral("xl/worksheets/sheet%1.xml").arg(wb->sheets.size() + 1)});
        }
    }
    if (xml.hasError())
        return false;
    if (wb->sheets.empty())
        wb->sheets.push_back({QString(), QStringLiteral("xl/worksheets/sheet1.xml")});
    QByteArray rels;
    if (!readPart(a, "xl/_rels/workbook.xml.rels", &rels))
        return a.failure == Failure::None;
    QHash<QString, QString> targets;
    QXmlStreamReader rx(rels);
    while (!rx.atEnd()) {
        if (rx.readNext() == QXmlStreamReader::StartElement && rx.name() == u"Relationship") {
            const QString target = rx.attributes().value(QLatin1String("Target")).toString();
            targets.insert(rx.attributes().value(QLatin1String("Id")).toString(),
                           target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target);
        }
    }
    for (qsizetype i = 0; i < ids.size() && std::size_t(i) < wb->sheets.size(); ++i)
        if (const auto it = targets.constFind(ids[i]); !ids[i].isEmpty() && it != targets.cend())
            wb->sheets[std::size_t(i)].part = *it;
    return !rx.hasError();
}

// Which cell styles show a day: styles.xml's number formats through the cell formats.
void readStyles(Archive &a, Workbook *wb)
{
    QByteArray data;
    if (!readPart(a, "xl/styles.xml", &data))
        return;
    QXmlStreamReader xml(data);
    QHash<int, QString> codes;
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        const auto t = xml.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (xml.name() == u"numFmt")
                codes.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                             xml.attributes().value(QLatin1String("formatCode")).toString());
            else if (xml.name() == u"cellXfs")
                inCellXfs = true;
            else if (inCellXfs && xml.name() == u"xf") {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                wb->xfIsDate.push_back(isDateFormat(id, codes.value(id)));
            }
        } else if (t == QXmlStreamReader::EndElement && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
}

// The texts of <t> elements outside phonetic runs (<rPh> are reading aids, not the text), each
// read back from the workbook's escapes.
class TextRuns
{
public:
    // Whether the token belonged to a text; `appendTo` gets the decoded text at its end.
    bool take(const QXmlStreamReader &xml, QString *appendTo)
    {
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh")
                ++m_phonetic;
            else if (xml.name() == u"t" && m_phonetic == 0) {
                m_inText = true;
                m_run.clear();
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh")
                --m_phonetic;
            else if (xml.name() == u"t" && m_inText) {
                m_inText = false;
                *appendTo += SheetText::unescape(m_run);
            }
        } else if (m_inText && xml.isCharacters()) {
            m_run += xml.text();
            return true;
        }
        return false;
    }

private:
    QString m_run;
    int m_phonetic = 0;
    bool m_inText = false;
};

struct SharedStrings
{
    QByteArray text; // UTF-8, side by side
    std::vector<std::pair<qsizetype, qsizetype>> at; // each string's place and length
};

// The shared strings, decoded. Their bytes count against the texts a file may hold.
bool readSharedStrings(Archive &a, SharedStrings *strings)
{
    if (zip_name_locate(a.zip, "xl/sharedStrings.xml", 0) < 0)
        return true; // a sheet of numbers only has none
    QXmlStreamReader xml;
    StreamedPart part(a, QStringLiteral("xl/sharedStrings.xml"), xml);
    if (!part.opened())
        return false;
    TextRuns runs;
    QString one;
    while (part.next()) {
        if (xml.isStartElement() && xml.name() == u"si") {
            one.clear();
        } else if (xml.isEndElement() && xml.name() == u"si") {
            const qsizetype start = strings->text.size();
            strings->text += one.toUtf8();
            strings->at.emplace_back(start, strings->text.size() - start);
            if (strings->text.size() > MaxTextBytes) {
                a.failure = Failure::TooMuchContent;
                return false;
            }
        } else {
            runs.take(xml, &one);
        }
    }
    if (part.failure() == Failure::TooMuchContent)
        a.failure = Failure::TooMuchContent;
    return part.failure() == Failure::None;
}

// What the sheets may still take.
struct Budget
{
    qsizetype rows = MaxRows;
    qsizetype cells = MaxCells;
    qsizetype text = MaxTextBytes;
};

// One sheet's part into `t`. Failure::None when read.
Failure readSheet(Archive &a, const Workbook &wb, const QString &partName, const SharedStrings &strings, Budget *budget,
                  SheetTable &t, QString *detail)
{
    QXmlStreamReader xml;
    StreamedPart part(a, partName, xml);
    if (!part.opened())
        return Failure::Damaged;
    int nextRow = 0; // rows made so far
    int rowAt = -1; // the row being read: made when its first cell comes (a row of formats alone is none)
    // the cell being read
    int col = -1;
    QString type;
    int style = -1;
    QString value;
    bool inValue = false;
    bool inInline = false;
    TextRuns runs;
    const qsizetype textStart = t.buffer().size();
    while (part.next()) {
        if (inInline && runs.take(xml, &value))
            continue;
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == u"row") {
                bool ok = false;
                const int rowNo = xml.attributes().value(QLatin1String("r")).toInt(&ok);
                const int target = ok && rowNo >= 1 ? rowNo - 1 : rowAt + 1;
                if (target <= rowAt || target > 1048575)
                    return Failure::Damaged; // rows out of order or beyond any sheet
                rowAt = target;
            } else if (name == u"c") {
                if (rowAt < 0)
                    return Failure::Damaged;
                if (nextRow <= rowAt) {
                    if (rowAt + 1 - nextRow > budget->rows)
                        return Failure::TooMuchContent;
                    budget->rows -= rowAt + 1 - nextRow;
                    while (nextRow <= rowAt) {
                        t.beginRow();
                        ++nextRow;
                    }
                }
                const auto attrs = xml.attributes();
                const auto ref = attrs.value(QLatin1String("r"));
                col = ref.isEmpty() ? t.currentColumns() : columnOfRef(ref);
                type = attrs.value(QLatin1String("t")).toString();
                style = attrs.hasAttribute(QLatin1String("s")) ? attrs.value(QLatin1String("s")).toInt() : -1;
                value.clear();
                if (col < t.currentColumns())
                    return Failure::Damaged;
            } else if (name == u"v") {
                inValue = true;
            } else if (name == u"is") {
                inInline = true;
            }
        } else if (xml.isCharacters()) {
            if (inValue)
                value += xml.text();
        } else if (xml.isEndElement()) {
            const auto name = xml.name();
            if (name == u"v") {
                inValue = false;
            } else if (name == u"is") {
                inInline = false;
            } else if (name == u"c" && col >= 0) {
                const qsizetype before = t.cellCount();
                t.padTo(col);
                if (value.isEmpty()) {
                    t.addEmpty();
                } else if (type == u"s") {
                    bool ok = false;
                    const qsizetype i = value.toLongLong(&ok);
                    if (!ok || i < 0 || std::size_t(i) >= strings.at.size())
                        return Failure::Damaged;
                    const auto [pos, len] = strings.at[std::size_t(i)];
                    t.addText(QByteArrayView(strings.text.constData() + pos, len));
                } else if (type == u"inlineStr") {
                    t.addText(value.toUtf8());
                } else if (type == u"str" || type == u"e") {
                    t.addText(SheetText::unescape(value).toUtf8());
                } else if (type == u"b") {
                    t.addText(value == u"1" ? QByteArrayView("TRUE") : QByteArrayView("FALSE"));
                } else if (type == u"d") {
                    t.addDate(QDate::fromString(value.left(10), Qt::ISODate));
                } else {
                    bool ok = false;
                    const double v = value.toDouble(&ok);
                    if (!ok)
                        t.addText(value.toUtf8());
                    else if (style >= 0 && std::size_t(style) < wb.xfIsDate.size() && wb.xfIsDate[std::size_t(style)])
                        t.addDate(serialToDate(v, wb.date1904));
                    else
                        t.addNumber(v);
                }
                col = -1;
                budget->cells -= t.cellCount() - before;
                if (budget->cells < 0 || t.buffer().size() - textStart > budget->text)
                    return Failure::TooMuchContent;
            }
        }
    }
    if (part.failure() != Failure::None) {
        if (part.failure() == Failure::Damaged)
            *detail = xml.errorString();
        return part.failure();
    }
    budget->text -= t.buffer().size() - textStart;
    t.trimEmptyRows();
    return Failure::None;
}

} // namespace

Result readXlsx(const QString &path)
{
    Result r;
    r.format = Format::Xlsx;
    int err = 0;
    ZipPtr zip(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err));
    if (!zip) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, err);
        r.detail = QString::fromLocal8Bit(zip_error_strerror(&ze));
        zip_error_fini(&ze);
        r.failure = Failure::Damaged;
        return r;
    }
    Archive a;
    a.zip = zip.get();
    Workbook wb;
    SharedStrings strings;
    const bool partsRead = readWorkbook(a, &wb) && readSharedStrings(a, &strings);
    if (partsRead)
        readStyles(a, &wb);
    if (!partsRead || a.failure != Failure::None) {
        r.failure = a.failure != Failure::None ? a.failure : Failure::Damaged;
        return r;
    }
    Budget budget;
    budget.text -= strings.text.size();
    bool anything = false;
    for (const Workbook::Entry &e : wb.sheets) {
        Sheet sheet;
        sheet.name = e.name;
        r.failure = readSheet(a, wb, e.part, strings, &budget, sheet.table, &r.detail);
        if (r.failure != Failure::None) {
            r.sheets.clear(); // none of a damaged or oversized workbook is used
            return r;
        }
        anything = anything || sheet.table.rowCount() > 0;
        r.sheets.push_back(std::move(sheet));
    }
    if (!anything)
        r.failure = Failure::Empty;
    return r;
}

} // namespace SheetReader
