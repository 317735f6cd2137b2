// The rate checks and the history against baselines measured in the same run:
//  1. the missing-day and jump check of a century (36,525 days) against one plain pass over the
//     same rows in memory that reads the three rates of each row;
//  2. a day's save (existence check, then insert or update in a transaction) with its history row
//     against the same saves on a database that keeps no history.
#include "app/clsmain.h"
#include "benchdb.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/ratecheck.h"
#include "rate/ratestatements.h"
#include "rate/ratevalue.h"
#include "rate/ratewriter.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QList<RateCheck::Row> century(QString *from, QString *to)
{
    const QDate first(1927, 1, 2);
    QList<RateCheck::Row> rows;
    for (int i = 0; i < 36525; ++i) {
        const QDate d = first.addDays(i);
        if (i % 97 == 5)
            continue; // a missing day now and then
        const double usd = i % 1013 == 7 ? 11000.0 : 1100.0 + (i % 350) / 100.0; // and a typo
        rows.append({d.toString(QStringLiteral("yyyy/MM/dd")),
                     {QString::number(usd, 'f', 2), QString::number(22000 + i % 50),
                      QString::number(0.05 + (i % 100) / 1000000.0, 'f', 6)},
                     i % 53 == 0 ? QStringLiteral("휴일") : QString()});
    }
    *from = first.toString(QStringLiteral("yyyy/MM/dd"));
    *to = first.addDays(36524).toString(QStringLiteral("yyyy/MM/dd"));
    std::reverse(rows.begin(), rows.end()); // the server's order is not the day order
    return rows;
}

template<typename F> double bestMs(int runs, F f)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

// Saves of `days` days: an insert each, then an update each.
double savesMs(ConnProvider &p, int days)
{
    DataAccess da;
    da.AttachConnection(p.GetConnection());
    RateWriter w(da, QStringLiteral("BENCH"));
    w.historyOn();
    QElapsedTimer t;
    t.start();
    const QDate first(2024, 1, 1);
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < days; ++i) {
            using RateStatements::numberText;
            w.save(first.addDays(i).toString(QStringLiteral("yyyy/MM/dd")),
                   {numberText(1300 + i + pass), numberText(24000), numberText(0.05), QStringLiteral("bench")});
        }
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString from, to;
    const QList<RateCheck::Row> rows = century(&from, &to);

    double sink = 0;
    const double baseline = bestMs(7, [&] {
        double prev = 0;
        for (const RateCheck::Row &r : rows)
            for (const QString &field : r.rates) {
                double v = 0;
                RateValue::parse(field, &v);
                sink += v - prev;
                prev = v;
            }
    });
    qsizetype found = 0;
    const double check =
        bestMs(7, [&] { found = RateCheck::periodFindings(from, to, rows, {}, RateCheck::Limits()).size(); });
    std::printf("baseline: one pass over %lld rows in memory: %.2f ms\n", qlonglong(rows.size()), baseline);
    std::printf("missing-day and jump check, 36,525 days (%lld findings): %.2f ms (x%.2f baseline, target <= 2)\n",
                qlonglong(found), check, check / baseline);

    QTemporaryDir dir;
    QStringList plain = App::sqliteSchemaStatements();
    plain.erase(std::remove_if(plain.begin(), plain.end(),
                               [](const QString &s) { return s.contains(QStringLiteral("EX_RATE_LOG")); }),
                plain.end());
    auto without = freshSqlite(dir.filePath(QStringLiteral("plain.db")), plain);
    auto with = freshSqlite(dir.filePath(QStringLiteral("history.db")), App::sqliteSchemaStatements());
    constexpr int Days = 150;
    // alternate the two so that a busy moment of the machine falls on both
    double plainMs = 1e300, historyMs = 1e300;
    for (int round = 0; round < 3; ++round) {
        plainMs = std::min(plainMs, savesMs(*without, Days));
        historyMs = std::min(historyMs, savesMs(*with, Days));
    }
    std::printf("baseline: %d saves without history (SQLite): %.1f ms\n", 2 * Days, plainMs);
    std::printf("%d saves with their history rows: %.1f ms (x%.2f baseline, target <= 1.5)\n", 2 * Days, historyMs,
                historyMs / plainMs);
    return sink == 12345.678 ? 1 : 0;
}
