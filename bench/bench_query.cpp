// The query command end to end: the period query of 36,525 days (a century) and of 1,000,000
// rows from SQLite through the main window's own query button, wait notice and grid fill
// included, against a baseline in the same run that only steps the same rows with sqlite3_step
// and turns the five fields into text. Prints both times and their ratio.
#include "app/clsmain.h"
#include "app/confcodec.h"
#include "msgscr/msgscr.h"
#include "platform/controls/ddate.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/services.h"
#include "platform/win/stdmessagebox.h"
#include "rate/frmrate.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <vector>

namespace {

const char *Schema = "CREATE TABLE EX_RATE (STD_DATE VARCHAR(10) NOT NULL PRIMARY KEY, USD NUMERIC, VND NUMERIC, "
                     "KRW NUMERIC, REMARK VARCHAR(200), INS_DATE TEXT, INS_SCODE VARCHAR(50))";

// Rows keyed by day from 1927/01/02 on. A million rows do not fit in the years the date boxes
// accept, so that table holds 14 rows a day, keyed "YYYY/MM/DD.nn" (still in text order).
QString keyOf(qint64 i, int perDay)
{
    static const QDate first(1927, 1, 2);
    const QString day = first.addDays(i / perDay).toString(QStringLiteral("yyyy/MM/dd"));
    return perDay == 1 ? day : day + QStringLiteral(".%1").arg(i % perDay, 2, 10, QChar(u'0'));
}

bool makeDatabase(const QString &file, qint64 rows, int perDay)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_exec(db, Schema, nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO EX_RATE VALUES (?, ?, ?, ?, ?, '2024-01-01 00:00:00', 'B')", -1, &st, nullptr);
    for (qint64 i = 0; i < rows; ++i) {
        const QByteArray key = keyOf(i, perDay).toUtf8();
        sqlite3_bind_text(st, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(st, 2, 1100.0 + double(i % 35000) / 100.0);
        sqlite3_bind_int(st, 3, int(22000 + i % 3500));
        sqlite3_bind_double(st, 4, 0.05 + double(i % 1000) / 100000.0);
        sqlite3_bind_text(st, 5, i % 9 == 0 ? "월말 기준" : "", -1, SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return true;
}

// The baseline: the same statement stepped, each field turned into text.
qint64 baselineMs(const QString &file, const QString &from, const QString &to, qint64 *rowsSeen)
{
    QElapsedTimer t;
    t.start();
    sqlite3 *db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    const QByteArray sql =
        QStringLiteral(" SELECT STD_DATE, USD, VND, KRW, REMARK  FROM EX_RATE WHERE STD_DATE BETWEEN '%1' AND '%2' ")
            .arg(from, to)
            .toUtf8();
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    std::vector<QString> fields;
    fields.reserve(5);
    qint64 rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        fields.clear();
        for (int c = 0; c < 5; ++c)
            fields.push_back(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c))));
        ++rows;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    *rowsSeen = rows;
    return t.elapsed();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Platform::services().messageBoxAnswer = [](const StdMessageBox::Request &r) {
        std::fprintf(stderr, "box: %s\n", qPrintable(r.text));
        return QMessageBox::Ok;
    };
    MsgScr::answerHook() = MsgScr::answerWith(MsgScr::Answer::Ok);

    QTemporaryDir sys, run;
    qputenv("ZEVARU_SYSTEM_DIR", sys.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", run.path().toLocal8Bit());
    qputenv("ODBCSYSINI", sys.path().toLocal8Bit());
    const QString rec = QStringLiteral("0") + QStringLiteral("sqlite").leftJustified(30) + QString().leftJustified(60)
        + QStringLiteral("bench.db").leftJustified(30);
    writeFile(sys.filePath(QStringLiteral("ZEVARU.DAT")), ConfCodec::fileContent(ConfCodec::scramble(rec)));
    writeFile(sys.filePath(QStringLiteral("registry.ini")), "[SOFTWARE\\ZEVARU]\nREG_USERID=BENCH\n");

    struct Case
    {
        const char *name;
        qint64 rows;
        int perDay;
    };
    const Case cases[] = {{"36,525 days", 36525, 1}, {"1,000,000 rows", 1000000, 14}};
    for (const Case &c : cases) {
        const QString file = sys.filePath(QStringLiteral("bench.db"));
        QFile::remove(file);
        if (!makeDatabase(file, c.rows, c.perDay)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(file));
            return 1;
        }
        const QString from = keyOf(0, 1);
        // the day after the last key: every row lies within the period
        const QString to = keyOf((c.rows - 1) / c.perDay * c.perDay + c.perDay, c.perDay).left(10);

        App::Program program;
        program.setEndHook([](int) {});
        FrmRate frm;
        if (!frm.Form_Load())
            return 1;
        frm.show();
        QApplication::processEvents();
        frm.txtFM_DATE()->setValue(from);
        frm.txtTO_DATE()->setValue(to);
        const QString queryTo = to;

        qint64 best = -1, baseBest = -1, seen = 0, baseRows = 0;
        for (int pass = 0; pass < 3; ++pass) {
            QElapsedTimer t;
            t.start();
            frm.btnQuery_Click();
            QApplication::processEvents(); // the grid painted
            const qint64 ms = t.elapsed();
            best = best < 0 ? ms : std::min(best, ms);
            seen = frm.SS()->MaxRows();
            const qint64 base = baselineMs(file, from, queryTo, &baseRows);
            baseBest = baseBest < 0 ? base : std::min(baseBest, base);
        }
        std::printf(
            "query %-15s rows shown %8lld: %7lld ms; sqlite3_step baseline (%lld rows) %6lld ms; ratio %.2f%s\n",
            c.name, seen, best, baseRows, baseBest, baseBest > 0 ? double(best) / double(baseBest) : 0.0,
            c.perDay == 1 ? " (target <= 3)" : "");
        std::fflush(stdout);
    }
    return 0;
}
