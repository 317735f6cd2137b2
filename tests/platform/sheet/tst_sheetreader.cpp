// Reading spreadsheet files as they come: workbooks written by libxlsxwriter, openpyxl (both date
// systems) and xlwt (.xls), CSV in UTF-8 with and without BOM and in CP949, and the files that must
// be refused (damaged archives, broken sheets, binary, empty, too large).

#include "platform/sheet/sheetreader.h"

#include "../../common/xlsxreadback.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <xlsxwriter.h>

using SheetReader::Failure;
using SheetReader::Format;

namespace {

// The rows every workbook case writes: a header, two days (a real date cell and a text day), and a
// remark with Korean text and a quote.
const char *const kRowsJson = R"([["일자","미달러","베트남동","한국원화","비고"],)"
                              R"([{"date":"2024-03-04"},1310.5,24400,0.0531,"첫날 \"메모\""],)"
                              R"(["2024/03/05","1,320.25",24500,0.0539,null]])";
// What those rows read as (text() of every cell, row after row, "|" between cells).
const QStringList kRowsText = {
    QStringLiteral("일자|미달러|베트남동|한국원화|비고"),
    QStringLiteral("2024/03/04|1310.5|24400|0.0531|첫날 \"메모\""),
    QStringLiteral("2024/03/05|1,320.25|24500|0.0539"),
};

// Inline strings as the reader meets them: escapes, a literal one, runs with blanks between them,
// and a phonetic reading that is not part of the text.
const char *const kInlineJson = R"([["<t>비고</t>"],["<t>a_x000D_\nb_x0001_</t>"],)"
                                R"(["<r><t>앞</t></r> <r><t>_x005F_x0041_</t></r><rPh><t>읽기</t></rPh>"]])";

QStringList rowsText(const SheetTable &t)
{
    QStringList rows;
    for (int r = 0; r < t.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < t.columnCount(r); ++c)
            cells << t.text(r, c);
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        rows << cells.join(u'|');
    }
    return rows;
}

bool runPython(const QStringList &args)
{
    const QString py = XlsxReadBack::python();
    if (py.isEmpty())
        return false;
    QProcess p;
    p.start(py, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return false;
    }
    return true;
}

QString script(const char *name)
{
    return qEnvironmentVariable("ZOZURA_SOURCE_DIR") + QStringLiteral("/tests/common/") + QString::fromLatin1(name);
}

// The same rows through libxlsxwriter, the library the program's own export uses.
bool writeWithLibxlsxwriter(const QString &file)
{
    lxw_workbook *wb = workbook_new(QFile::encodeName(file).constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
    lxw_format *day = workbook_add_format(wb);
    format_set_num_format(day, "yyyy/mm/dd");
    const char *head[] = {"일자", "미달러", "베트남동", "한국원화", "비고"};
    for (int c = 0; c < 5; ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), head[c], nullptr);
    lxw_datetime dt = {2024, 3, 4, 0, 0, 0};
    worksheet_write_datetime(ws, 1, 0, &dt, day);
    worksheet_write_number(ws, 1, 1, 1310.5, nullptr);
    worksheet_write_number(ws, 1, 2, 24400, nullptr);
    worksheet_write_number(ws, 1, 3, 0.0531, nullptr);
    worksheet_write_string(ws, 1, 4, "첫날 \"메모\"", nullptr);
    worksheet_write_string(ws, 2, 0, "2024/03/05", nullptr);
    worksheet_write_string(ws, 2, 1, "1,320.25", nullptr);
    worksheet_write_number(ws, 2, 2, 24500, nullptr);
    worksheet_write_number(ws, 2, 3, 0.0539, nullptr);
    return workbook_close(wb) == LXW_NO_ERROR;
}

QByteArray toCp949(const QString &text)
{
    QProcess p; // iconv(1) is part of the C library's tools on every Debian
    p.start(QStringLiteral("iconv"),
            {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"), QStringLiteral("CP949")});
    p.waitForStarted();
    p.write(text.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished();
    return p.readAllStandardOutput();
}

const QString kCsv = QStringLiteral("일자,미달러,베트남동,한국원화,비고\r\n"
                                    "2024/03/04,1310.5,24400,0.0531,\"첫날 \"\"메모\"\"\"\r\n"
                                    "2024/03/05,\"1,320.25\",24500,0.0539,\r\n");

} // namespace

class TstSheetReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void read_data();
    void read();
    void serialToDate_data();
    void serialToDate();
    void isDateFormat_data();
    void isDateFormat();

private:
    QTemporaryDir m_dir;
};

void TstSheetReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!XlsxReadBack::python().isEmpty(), "python3 with openpyxl and xlwt is needed");
}

void TstSheetReader::read_data()
{
    QTest::addColumn<QString>("make"); // how the file is made (see read())
    QTest::addColumn<int>("failure");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QStringList>("rows");

    const int none = int(Failure::None);
    QTest::newRow("xlsx by libxlsxwriter") << "lxw" << none << int(Format::Xlsx) << "" << kRowsText;
    QTest::newRow("xlsx by openpyxl") << "openpyxl" << none << int(Format::Xlsx) << "" << kRowsText;
    QTest::newRow("xlsx in the 1904 date system") << "openpyxl1904" << none << int(Format::Xlsx) << "" << kRowsText;
    QTest::newRow("xls by xlwt") << "xlwt" << none << int(Format::Xls) << "" << kRowsText;
    QTest::newRow("csv UTF-8") << "csv-utf8" << none << int(Format::Csv) << "UTF-8" << kRowsText;
    QTest::newRow("csv UTF-8 with BOM") << "csv-bom" << none << int(Format::Csv) << "UTF-8" << kRowsText;
    QTest::newRow("csv CP949") << "csv-cp949" << none << int(Format::Csv) << "CP949" << kRowsText;
    QTest::newRow("csv semicolons, LF") << "csv-semicolon" << none << int(Format::Csv) << "UTF-8"
                                        << QStringList{QStringLiteral("date|usd"), QStringLiteral("20240304|1310,5")};
    QTest::newRow("empty file") << "empty" << int(Failure::Empty) << int(Format::Unknown) << "" << QStringList();
    QTest::newRow("blank lines only") << "blank" << int(Failure::Empty) << int(Format::Csv) << "UTF-8" << QStringList();
    QTest::newRow("csv BOM, then not UTF-8")
        << "bombad" << int(Failure::WrongFormat) << int(Format::Csv) << "" << QStringList();
    QTest::newRow("binary (a picture)") << "png" << int(Failure::WrongFormat) << int(Format::Csv) << ""
                                        << QStringList();
    QTest::newRow("xlsx cut in half") << "truncated" << int(Failure::Damaged) << int(Format::Xlsx) << ""
                                      << QStringList();
    QTest::newRow("zip without a workbook")
        << "plainzip" << int(Failure::Damaged) << int(Format::Xlsx) << "" << QStringList();
    QTest::newRow("sheet XML broken") << "badxml" << int(Failure::Damaged) << int(Format::Xlsx) << "" << QStringList();
    QTest::newRow("xls header, garbage after")
        << "badxls" << int(Failure::Damaged) << int(Format::Xls) << "" << QStringList();
    QTest::newRow("xlsx with inline strings and escapes")
        << "inline" << none << int(Format::Xlsx) << ""
        << QStringList{QStringLiteral("비고"), QStringLiteral("a\r\nb\x01"), QStringLiteral("앞_x0041_")};
    QTest::newRow("over 50 MB") << "huge" << int(Failure::TooLarge) << int(Format::Unknown) << "" << QStringList();
    // a small archive that would unpack to far more than any sheet: refused whole, early
    QTest::newRow("xlsx packed a thousand to one")
        << "bomb-ratio" << int(Failure::TooMuchContent) << int(Format::Xlsx) << "" << QStringList();
    QTest::newRow("xlsx with one endless tag")
        << "bomb-token" << int(Failure::TooMuchContent) << int(Format::Xlsx) << "" << QStringList();
    QTest::newRow("a folder") << "folder" << int(Failure::Unreadable) << int(Format::Unknown) << "" << QStringList();
}

void TstSheetReader::read()
{
    QFETCH(QString, make);
    QFETCH(int, failure);
    QFETCH(int, format);
    QFETCH(QString, encoding);
    QFETCH(QStringList, rows);

    const QString file = m_dir.filePath(make + QStringLiteral(".file"));
    auto write = [&file](const QByteArray &bytes) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    QString good = m_dir.filePath(QStringLiteral("good.xlsx"));
    if (!QFile::exists(good))
        QVERIFY(writeWithLibxlsxwriter(good));
    if (make == u"lxw")
        QVERIFY(writeWithLibxlsxwriter(file));
    else if (make.startsWith(u"openpyxl") || make == u"xlwt")
        QVERIFY(runPython({script("make_sheet.py"), make, file, QString::fromUtf8(kRowsJson)}));
    else if (make == u"inline")
        QVERIFY(runPython({script("make_sheet.py"), make, file, QString::fromUtf8(kInlineJson)}));
    else if (make.startsWith(u"bomb-"))
        QVERIFY(runPython({script("make_sheet.py"), make, file, QStringLiteral("[]")}));
    else if (make == u"csv-utf8")
        QVERIFY(write(kCsv.toUtf8()));
    else if (make == u"csv-bom")
        QVERIFY(write("\xEF\xBB\xBF" + kCsv.toUtf8()));
    else if (make == u"csv-cp949")
        QVERIFY(write(toCp949(kCsv)));
    else if (make == u"csv-semicolon")
        QVERIFY(write("date;usd\n20240304;1310,5\n"));
    else if (make == u"empty")
        QVERIFY(write({}));
    else if (make == u"blank")
        QVERIFY(write("\r\n\r\n  \n"));
    else if (make == u"bombad")
        QVERIFY(write("\xEF\xBB\xBF\xB0\xA1,\xFF\n"));
    else if (make == u"png")
        QVERIFY(write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    else if (make == u"truncated") {
        QFile g(good);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QVERIFY(write(g.readAll().left(int(g.size() / 2))));
    } else if (make == u"plainzip")
        QVERIFY(runPython(
            {QStringLiteral("-c"),
             QStringLiteral(
                 "import zipfile,sys; z=zipfile.ZipFile(sys.argv[1],'w'); z.writestr('a.txt','x'); z.close()"),
             file}));
    else if (make == u"badxml")
        QVERIFY(runPython({QStringLiteral("-c"),
                           QStringLiteral("import zipfile,sys\n"
                                          "src=zipfile.ZipFile(sys.argv[1]); dst=zipfile.ZipFile(sys.argv[2],'w')\n"
                                          "for n in src.namelist():\n"
                                          "    d=src.read(n)\n"
                                          "    if n=='xl/worksheets/sheet1.xml': d=d[:len(d)//2]+b'<<'+d[len(d)//2:]\n"
                                          "    dst.writestr(n,d)\n"
                                          "dst.close()"),
                           good, file}));
    else if (make == u"badxls")
        QVERIFY(write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\x7f')));
    else if (make == u"huge") {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(SheetReader::MaxFileBytes + 1)); // sparse: no 50 MB written
    } else if (make == u"folder")
        QVERIFY(QDir(m_dir.path()).mkpath(make + QStringLiteral(".file")));

    const SheetReader::Result r = SheetReader::read(file);
    QCOMPARE(int(r.failure), failure);
    if (failure != int(Failure::Empty) || format != int(Format::Unknown))
        QCOMPARE(int(r.format), format);
    if (!encoding.isEmpty())
        QCOMPARE(r.encoding, encoding);
    QCOMPARE(rowsText(r.table()), rows);
    if (make == u"lxw" || make.startsWith(u"openpyxl") || make == u"xlwt") {
        // a real date cell, a number and a text day keep their kinds
        QCOMPARE(r.table().kind(1, 0), SheetTable::Kind::Date);
        QCOMPARE(r.table().kind(1, 1), SheetTable::Kind::Number);
        QCOMPARE(r.table().number(1, 1), 1310.5);
        QCOMPARE(r.table().kind(2, 0), SheetTable::Kind::Text);
    }
}

void TstSheetReader::serialToDate_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QString>("day");
    QTest::newRow("first day") << 1.0 << false << "1900/01/01";
    QTest::newRow("day before the false leap day") << 59.0 << false << "1900/02/28";
    QTest::newRow("1900/02/29 never was") << 60.0 << false << "";
    QTest::newRow("day after it") << 61.0 << false << "1900/03/01";
    QTest::newRow("2024/01/01 with a time") << 45292.75 << false << "2024/01/01";
    QTest::newRow("1904 system day 0") << 0.0 << true << "1904/01/01";
    QTest::newRow("1904 system 2024/03/04") << 43893.0 << true << "2024/03/04";
    QTest::newRow("negative") << -1.0 << false << "";
}

void TstSheetReader::serialToDate()
{
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(QString, day);
    QCOMPARE(SheetReader::serialToDate(serial, date1904).toString(QStringLiteral("yyyy/MM/dd")), day);
}

void TstSheetReader::isDateFormat_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("isDate");
    QTest::newRow("built-in m/d/yy") << 14 << "" << true;
    QTest::newRow("built-in general") << 0 << "" << false;
    QTest::newRow("built-in #,##0.00") << 4 << "" << false;
    QTest::newRow("custom yyyy/mm/dd") << 164 << "yyyy/mm/dd" << true;
    QTest::newRow("custom with locale and text") << 165 << "[$-412]yyyy\"년\" m\"월\" d\"일\"" << true;
    QTest::newRow("custom number") << 166 << "#,##0.000000" << false;
    QTest::newRow("custom time only") << 167 << "[h]:mm:ss" << false;
    QTest::newRow("a d inside quotes only") << 168 << "0\" days\"" << false;
}

void TstSheetReader::isDateFormat()
{
    QFETCH(int, id);
    QFETCH(QString, code);
    QFETCH(bool, isDate);
    QCOMPARE(SheetReader::isDateFormat(id, code), isDate);
}

QTEST_MAIN(TstSheetReader)
#include "tst_sheetreader.moc"
