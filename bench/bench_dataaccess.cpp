// Reading a period of rates through DataAccess (OpenQuery buffers the whole set as text, then
// MoveFirst/FieldValue/MoveNext) against the same rows read with sqlite3_step, converting the
// five fields to text, in the same run. Prints both times and the ratio.

#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

const char *const Period =
    " SELECT STD_DATE, USD, VND, KRW, REMARK  FROM EX_RATE WHERE STD_DATE BETWEEN '0000/01/01' AND '9999/12/31' ";

void seed(const QString &file, int days)
{
    sqlite3 *db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE EX_RATE (STD_DATE VARCHAR(10) NOT NULL PRIMARY KEY, USD NUMERIC, VND NUMERIC,"
                 " KRW NUMERIC, REMARK VARCHAR(200), INS_DATE DATETIME, INS_SCODE VARCHAR(50));"
                 "BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO EX_RATE VALUES (?, ?, ?, ?, ?, '2024-01-01 09:00:00.000', 'B')", -1, &ins,
                       nullptr);
    for (int i = 0; i < days; ++i) {
        char day[16];
        std::snprintf(day, sizeof day, "%04d/%02d/%02d", 1900 + i / 372, 1 + (i / 31) % 12, 1 + i % 31);
        sqlite3_bind_text(ins, 1, day, -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(ins, 2, 1100 + (i % 35000) / 100.0);
        sqlite3_bind_int(ins, 3, 22000 + i % 3500);
        sqlite3_bind_double(ins, 4, 0.05 + (i % 997) / 1e6);
        sqlite3_bind_text(ins, 5, i % 10 ? "" : "월말 기준", -1, SQLITE_STATIC);
        sqlite3_step(ins);
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

double baselineMs(const QString &file, long *rows)
{
    QElapsedTimer t;
    t.start();
    sqlite3 *db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, Period, -1, &st, nullptr);
    long n = 0;
    size_t bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < 5; ++i) {
            const unsigned char *text = sqlite3_column_text(st, i);
            bytes += text ? std::strlen(reinterpret_cast<const char *>(text)) : 0;
        }
        ++n;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    *rows = n + long(bytes == 0);
    return t.nsecsElapsed() / 1e6;
}

double dataAccessMs(const QString &file, long *rows, double *openMs)
{
    QElapsedTimer t;
    t.start();
    ConnProvider provider;
    provider.setServerName(QStringLiteral("sqlite"));
    provider.setDatabaseName(file);
    provider.OpenConnection();
    DataAccess da;
    da.AttachConnection(provider.GetConnection());
    da.OpenQuery(QString::fromUtf8(Period), 1, 3);
    *openMs = t.nsecsElapsed() / 1e6;
    da.MoveFirst();
    const long n = da.RecordCount();
    qsizetype chars = 0;
    for (long i = 0; i < n; ++i) {
        for (int j = 0; j < da.FieldCount(); ++j)
            chars += da.FieldValue(j).size();
        da.MoveNext();
    }
    da.CloseQuery();
    *rows = n + long(chars == 0);
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    for (int days : {36525, 200000}) {
        const QString file = dir.filePath(QStringLiteral("bench-%1.db").arg(days));
        seed(file, days);
        long a = 0, b = 0;
        double base = 1e18, ours = 1e18, open = 0;
        for (int round = 0; round < 5; ++round) { // best of five, both warm
            base = qMin(base, baselineMs(file, &a));
            double o = 0;
            const double total = dataAccessMs(file, &b, &o);
            if (total < ours) {
                ours = total;
                open = o;
            }
        }
        std::printf("rows %ld: sqlite3_step %.1f ms, DataAccess %.1f ms (of which OpenQuery %.1f ms, "
                    "%ld rows), ratio %.2f\n",
                    a, base, ours, open, b, ours / base);
    }
    return 0;
}
