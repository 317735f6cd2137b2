#include "platform/sheet/sheetreader.h"

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

// A whole (small) part of the archive; false when it is missing or cannot be read.
bool readPart(zip_t *zip, const char *name, QByteArray *out)
{
    zip_stat_t st;
    if (zip_stat(zip, name, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || st.size > zip_uint64_t(64) * 1024 * 1024)
        return false;
    std::unique_ptr<zip_file_t, EntryCloser> f(zip_fopen(zip, name, 0));
    if (!f)
        return false;
    out->resize(qsizetype(st.size));
    return zip_fread(f.get(), out->data(), st.size) == zip_int64_t(st.size);
}

// Feeds a part to the XML reader in pieces, so a large sheet is never inflated whole.
class StreamedPart
{
public:
    StreamedPart(zip_t *zip, const QString &name, QXmlStreamReader &xml)
        : m_file(zip_fopen(zip, name.toUtf8().constData(), 0))
        , m_xml(xml)
    { }
    bool opened() const { return bool(m_file); }

    // Next token; false at the end of the part or on damage (failed() tells which).
    bool next()
    {
        while (true) {
            m_xml.readNext();
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !m_eof) {
                char buf[64 * 1024];
                const zip_int64_t n = zip_fread(m_file.get(), buf, sizeof buf);
                if (n < 0) {
                    m_failed = true;
                    return false;
                }
                if (n == 0)
                    m_eof = true;
                m_xml.addData(QByteArray(buf, qsizetype(n)));
                continue;
            }
            if (m_xml.hasError()) {
                m_failed = true;
                return false;
            }
            return !m_xml.atEnd();
        }
    }
    bool failed() const { return m_failed; }

private:
    std::unique_ptr<zip_file_t, EntryCloser> m_file;
    QXmlStreamReader &m_xml;
    bool m_eof = false;
    bool m_failed = false;
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
    QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    bool date1904 = false;
    std::vector<bool> xfIsDate;
};

// The first sheet's part and the date system, from workbook.xml and its relations.
bool readWorkbook(zip_t *zip, Workbook *wb)
{
    QByteArray data;
    if (!readPart(zip, "xl/workbook.xml", &data))
        return false;
    QXmlStreamReader xml(data);
    QString firstId;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const auto v = xml.attributes().value(QLatin1String("date1904"));
            wb->date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"sheet" && firstId.isEmpty()) {
            for (const auto &a : xml.attributes())
                if (a.name() == u"id")
                    firstId = a.value().toString();
        }
    }
    if (xml.hasError())
        return false;
    QByteArray rels;
    if (firstId.isEmpty() || !readPart(zip, "xl/_rels/workbook.xml.rels", &rels))
        return true; // the usual name then
    QXmlStreamReader rx(rels);
    while (!rx.atEnd()) {
        if (rx.readNext() == QXmlStreamReader::StartElement && rx.name() == u"Relationship"
            && rx.attributes().value(QLatin1String("Id")) == firstId) {
            QString target = rx.attributes().value(QLatin1String("Target")).toString();
            wb->sheetPart = target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    return !rx.hasError();
}

// Which cell styles show a day: styles.xml's number formats through the cell formats.
void readStyles(zip_t *zip, Workbook *wb)
{
    QByteArray data;
    if (!readPart(zip, "xl/styles.xml", &data))
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

// Shared strings into the table's buffer: each string's place and length.
bool readSharedStrings(zip_t *zip, SheetTable &table, std::vector<std::pair<qsizetype, qsizetype>> *strings)
{
    if (zip_name_locate(zip, "xl/sharedStrings.xml", 0) < 0)
        return true; // a sheet of numbers only has none
    QXmlStreamReader xml;
    StreamedPart part(zip, QStringLiteral("xl/sharedStrings.xml"), xml);
    if (!part.opened())
        return false;
    QByteArray &buf = table.buffer();
    qsizetype start = 0;
    int phonetic = 0; // <rPh> runs are reading aids, not the text
    bool inText = false;
    while (part.next()) {
        if (xml.isStartElement()) {
            if (xml.name() == u"si")
                start = buf.size();
            else if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t")
                inText = phonetic == 0;
        } else if (xml.isEndElement()) {
            if (xml.name() == u"si")
                strings->emplace_back(start, buf.size() - start);
            else if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == u"t")
                inText = false;
        } else if (inText && xml.isCharacters()) {
            buf.append(xml.text().toUtf8());
        }
    }
    return !part.failed();
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
    Workbook wb;
    std::vector<std::pair<qsizetype, qsizetype>> strings;
    if (!readWorkbook(zip.get(), &wb) || !readSharedStrings(zip.get(), r.table, &strings)) {
        r.failure = Failure::Damaged;
        return r;
    }
    readStyles(zip.get(), &wb);

    QXmlStreamReader xml;
    StreamedPart part(zip.get(), wb.sheetPart, xml);
    if (!part.opened()) {
        r.failure = Failure::Damaged;
        return r;
    }
    SheetTable &t = r.table;
    int nextRow = 0;
    // the cell being read
    int col = -1;
    QString type;
    int style = -1;
    QString value;
    bool inValue = false;
    bool inInline = false;
    while (part.next()) {
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == u"row") {
                bool ok = false;
                const int rowNo = xml.attributes().value(QLatin1String("r")).toInt(&ok);
                const int target = ok && rowNo >= 1 ? rowNo - 1 : nextRow;
                if (target < nextRow || target > 1048575) {
                    r.failure = Failure::Damaged; // rows out of order or beyond any sheet
                    return r;
                }
                while (nextRow <= target) {
                    t.beginRow();
                    ++nextRow;
                }
            } else if (name == u"c") {
                const auto attrs = xml.attributes();
                const auto ref = attrs.value(QLatin1String("r"));
                col = ref.isEmpty() ? t.currentColumns() : columnOfRef(ref);
                type = attrs.value(QLatin1String("t")).toString();
                style = attrs.hasAttribute(QLatin1String("s")) ? attrs.value(QLatin1String("s")).toInt() : -1;
                value.clear();
                if (col < t.currentColumns() || nextRow == 0) {
                    r.failure = Failure::Damaged;
                    return r;
                }
            } else if (name == u"v") {
                inValue = true;
            } else if (name == u"is") {
                inInline = true;
            }
        } else if (xml.isCharacters()) {
            if (inValue || inInline)
                value += xml.text();
        } else if (xml.isEndElement()) {
            const auto name = xml.name();
            if (name == u"v") {
                inValue = false;
            } else if (name == u"is") {
                inInline = false;
            } else if (name == u"c" && col >= 0) {
                t.padTo(col);
                if (value.isEmpty()) {
                    t.addEmpty();
                } else if (type == u"s") {
                    bool ok = false;
                    const qsizetype i = value.toLongLong(&ok);
                    if (!ok || i < 0 || std::size_t(i) >= strings.size()) {
                        r.failure = Failure::Damaged;
                        return r;
                    }
                    t.addTextAt(strings[std::size_t(i)].first, strings[std::size_t(i)].second);
                } else if (type == u"inlineStr" || type == u"str" || type == u"e") {
                    t.addText(value.toUtf8());
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
                if (t.cellCount() > MaxCells) {
                    r.failure = Failure::TooLarge;
                    r.table = SheetTable();
                    return r;
                }
            }
        }
    }
    if (part.failed()) {
        r.failure = Failure::Damaged;
        r.detail = xml.errorString();
        r.table = SheetTable(); // none of a damaged sheet is used
        return r;
    }
    t.trimEmptyRows();
    if (t.rowCount() == 0)
        r.failure = Failure::Empty;
    return r;
}

} // namespace SheetReader
