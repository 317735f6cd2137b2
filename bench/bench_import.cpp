// Import of rates from files, each figure against a baseline measured in the same run:
//  1. preview of 36,525 days (a century) from an .xlsx written by libxlsxwriter: the file read,
//     columns found, every row checked and compared with a table holding half of the days, vs. a
//     plain loop reading the same cells (the archive inflated and the sheet and shared strings
//     parsed with the same libraries into a vector of texts); target <= 3x.
//  2. the apply of those 36,525 new days into an empty SQLite table (each with its history row)
//     vs. the same statements sent in one transaction straight through Qt SQL; target <= 2x.
//  3. peak memory while reading and previewing a 50 MB CSV file (measured in a child process from
//     its peak resident size); target < 5x the file size.
//  4. the same for the largest .xlsx the reader takes (as many rows as it keeps, each with its own
//     remark); target < 5x the 50 MB file limit.
#include "app/clsmain.h"
#include "benchdb.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/rateimport.h"
#include "rate/ratestatements.h"
#include "rate/ratewriter.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <xlsxwriter.h>
#include <zip.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kDays = 36525;

void writeWorkbook(const QString &file)
{
    lxw_workbook *wb = workbook_new(QFile::encodeName(file).constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
    lxw_format *day = workbook_add_format(wb);
    format_set_num_format(day, "yyyy/mm/dd");
    const char *head[] = {"일자", "미달러", "베트남동", "한국원화", "비고"};
    for (int c = 0; c < 5; ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), head[c], nullptr);
    QDate d(1950, 1, 1);
    for (int i = 0; i < kDays; ++i, d = d.addDays(1)) {
        lxw_datetime dt = {d.year(), d.month(), d.day(), 0, 0, 0};
        worksheet_write_datetime(ws, lxw_row_t(i + 1), 0, &dt, day);
        worksheet_write_number(ws, lxw_row_t(i + 1), 1, 1000 + (i % 500) * 0.25, nullptr);
        worksheet_write_number(ws, lxw_row_t(i + 1), 2, 20000 + i % 1000, nullptr);
        worksheet_write_number(ws, lxw_row_t(i + 1), 3, 0.05 + (i % 100) * 0.0001, nullptr);
        if (i % 7 == 0)
            worksheet_write_string(ws, lxw_row_t(i + 1), 4, "주말 전 고시", nullptr);
    }
    workbook_close(wb);
}

// The plain loop: every cell's value text of the sheet, shared strings resolved.
size_t plainRead(const QString &file)
{
    int err = 0;
    zip_t *z = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &err);
    auto part = [z](const char *name) {
        zip_stat_t st;
        zip_stat(z, name, 0, &st);
        QByteArray data(qsizetype(st.size), Qt::Uninitialized);
        zip_file_t *f = zip_fopen(z, name, 0);
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        return data;
    };
    std::vector<QString> strings;
    {
        QXmlStreamReader x(part("xl/sharedStrings.xml"));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"t")
                strings.push_back(x.readElementText());
    }
    std::vector<QString> cells;
    QXmlStreamReader x(part("xl/worksheets/sheet1.xml"));
    bool shared = false;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"c")
            shared = x.attributes().value(QLatin1String("t")) == u"s";
        else if (x.name() == u"v") {
            const QString v = x.readElementText();
            cells.push_back(shared ? strings[size_t(v.toInt())] : v);
        }
    }
    zip_close(z);
    return cells.size();
}

long vmKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    f.open(QIODevice::ReadOnly);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toLong();
    return 0;
}

// A workbook of `rows` days, each with a remark of its own (so shared strings do not pack them).
void writeLargeWorkbook(const QString &file, int rows)
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *wb = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
    const char *head[] = {"일자", "미달러", "베트남동", "한국원화", "비고"};
    for (int c = 0; c < 5; ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), head[c], nullptr);
    QDate d(1800, 1, 1);
    for (int i = 0; i < rows; ++i, d = d.addDays(1)) {
        const lxw_row_t r = lxw_row_t(i + 1);
        worksheet_write_string(ws, r, 0, d.toString(QStringLiteral("yyyy/MM/dd")).toLatin1().constData(), nullptr);
        worksheet_write_number(ws, r, 1, 1000 + (i % 500) * 0.25, nullptr);
        worksheet_write_number(ws, r, 2, 20000 + i % 1000, nullptr);
        worksheet_write_number(ws, r, 3, 0.05 + (i % 100) * 0.0001, nullptr);
        const QByteArray remark = QByteArray::number(i) + QByteArray(" 은행 고시 환율 참고 메모").repeated(7);
        worksheet_write_string(ws, r, 4, remark.constData(), nullptr);
    }
    workbook_close(wb);
}

// Peak growth of the resident size (KB) while a child reads and previews `file`; -1 on failure.
long previewPeakKb(const QString &file, long long *rows)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5"); // the peak starts again from here
        clear.close();
        const long start = vmKb("VmRSS:");
        const SheetReader::Result big = SheetReader::read(file);
        RateImport::Preview p = RateImport::readRows(big.table(), RateImport::findColumns(big.table()));
        const long peak = vmKb("VmHWM:");
        char line[200];
        const int len = std::snprintf(line, sizeof line, "%ld %ld %lld\n", start, peak, (long long)p.rows.size());
        if (write(fds[1], line, size_t(len)) != len)
            _exit(1);
        _exit(0);
    }
    close(fds[1]);
    char buf[200] = {};
    const ssize_t got = read(fds[0], buf, sizeof buf - 1);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    long start = 0, peak = 0;
    if (got <= 0 || std::sscanf(buf, "%ld %ld %lld", &start, &peak, rows) != 3)
        return -1;
    return peak - start;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("century.xlsx"));
    writeWorkbook(xlsx);

    // 1. preview
    auto provider = freshSqlite(dir.filePath(QStringLiteral("half.db")));
    DataAccess da;
    da.AttachConnection(provider->GetConnection());
    da.BeginTrans();
    QDate d(1950, 1, 1);
    for (int i = 0; i < kDays; i += 2, d = d.addDays(2))
        da.Execute(RateStatements::insertStatement(d.toString(QStringLiteral("yyyy/MM/dd")), QStringLiteral("1000.00"),
                                                   QStringLiteral("20000"), QStringLiteral("0.05"), QString(),
                                                   QStringLiteral("B")));
    da.CommitTrans();

    double plainMs = 1e9, previewMs = 1e9;
    std::array<double, 3> parts{}; // reading the file, checking the rows, comparing with the table
    RateImport::Preview preview;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        const size_t n = plainRead(xlsx);
        plainMs = std::min(plainMs, t.nsecsElapsed() / 1e6);
        t.restart();
        const SheetReader::Result r = SheetReader::read(xlsx);
        const double read = t.nsecsElapsed() / 1e6;
        preview = RateImport::readRows(r.table(), RateImport::findColumns(r.table()));
        const double rows = t.nsecsElapsed() / 1e6;
        RateImport::compareWithStored(da, preview);
        const double total = t.nsecsElapsed() / 1e6;
        if (total < previewMs) {
            previewMs = total;
            parts = {read, rows - read, total - rows};
        }
        if (n < size_t(kDays) * 4 || preview.rows.size() != kDays)
            return 1;
    }
    std::printf("preview of %d rows from .xlsx: %.1f ms (%s); plain loop over the same cells: %.1f ms; ratio %.2f "
                "(target <= 3)\n"
                "  of which reading the file %.1f ms, checking the rows %.1f ms, comparing with the table %.1f ms\n",
                kDays, previewMs, qPrintable(RateImport::countText(preview)), plainMs, previewMs / plainMs, parts[0],
                parts[1], parts[2]);

    // 2. apply into an empty table
    auto empty = freshSqlite(dir.filePath(QStringLiteral("apply.db")));
    DataAccess da2;
    da2.AttachConnection(empty->GetConnection());
    const SheetReader::Result r = SheetReader::read(xlsx);
    RateImport::Preview all = RateImport::readRows(r.table(), RateImport::findColumns(r.table()));
    RateImport::compareWithStored(da2, all);
    QElapsedTimer t;
    t.start();
    RateWriter writer(da2, QStringLiteral("BENCH"));
    const RateImport::ApplyResult res = RateImport::apply(da2, writer, all, RateImport::Scope::NewOnly);
    const double applyMs = t.nsecsElapsed() / 1e6;
    if (!res.ok || res.inserted != kDays)
        return 1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("direct"));
        const QString file = dir.filePath(QStringLiteral("direct.db"));
        db.setDatabaseName(file);
        db.open();
        for (const QString &s : App::sqliteSchemaStatements())
            QSqlQuery(db).exec(s);
        QSqlQuery(db).exec(QStringLiteral("CREATE TEMP VIEW zz AS SELECT 1")); // warm the connection
        // the same statements: each day's insert and its history row
        QStringList statements;
        const QString host = RateHistory::hostName();
        for (const RateImport::Row &row : all.rows)
            statements << RateHistory::changeStatements(
                RateHistory::Action::Insert, row.date,
                {row.rateToWrite(0), row.rateToWrite(1), row.rateToWrite(2), row.remarkToWrite()},
                QStringLiteral("BENCH"), host, writer.historyOn());
        // GETDATE() is the program's own function; the direct path writes the same rows with SQLite's clock
        for (QString &s : statements)
            s.replace(QStringLiteral("GETDATE()"), QStringLiteral("datetime('now','localtime')"));
        t.restart();
        db.transaction();
        QSqlQuery q(db);
        for (const QString &s : statements)
            q.exec(s);
        db.commit();
        const double directMs = t.nsecsElapsed() / 1e6;
        std::printf("apply of %d new days (SQLite, one transaction): %.1f ms; the same inserts directly: %.1f ms; "
                    "ratio %.2f (target <= 2)\n",
                    kDays, applyMs, directMs, applyMs / directMs);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("direct"));

    // 3. memory for a 50 MB CSV, in a child so that its peak is its own
    const QString csv = dir.filePath(QStringLiteral("big.csv"));
    {
        QFile f(csv);
        f.open(QIODevice::WriteOnly);
        QByteArray text = "일자,미달러,베트남동,한국원화,비고,메모\n";
        const QByteArray note = QByteArray("은행 고시 환율 참고 메모 ").repeated(40);
        QDate day(1950, 1, 1);
        while (text.size() < 50LL * 1000 * 1000) {
            text += day.toString(QStringLiteral("yyyy/MM/dd")).toLatin1() + ",\"1,310.50\",24400,0.0531,비고," + note
                + '\n';
            day = day.addDays(1);
            if (day.year() > 2120)
                day = QDate(1950, 1, 1);
        }
        f.write(text);
    }
    const double mb = QFile(csv).size() / 1e6;
    long long rows = 0;
    const long growth = previewPeakKb(csv, &rows);
    if (growth < 0)
        return 1;
    std::printf("50 MB CSV (%.1f MB, %lld rows): peak growth while reading and previewing %.1f MB = %.2fx the file "
                "(target < 5)\n",
                mb, rows, growth / 1024.0, growth / 1024.0 / mb);

    // 4. memory for the largest workbook the reader takes
    const QString large = dir.filePath(QStringLiteral("large.xlsx"));
    writeLargeWorkbook(large, SheetReader::MaxRows - 1);
    const long xlsxGrowth = previewPeakKb(large, &rows);
    if (xlsxGrowth < 0 || rows != SheetReader::MaxRows - 1)
        return 1;
    std::printf(".xlsx of %lld rows (%.1f MB): peak growth while reading and previewing %.1f MB = %.2fx the 50 MB "
                "limit (target < 5)\n",
                rows, QFile(large).size() / 1e6, xlsxGrowth / 1024.0,
                xlsxGrowth / 1024.0 / (SheetReader::MaxFileBytes / 1e6));
    return 0;
}
