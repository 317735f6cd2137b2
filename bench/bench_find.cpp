// Find next over a 1,000,000-row x 5-column grid whose only match is in the last row, against a
// plain loop over the same strings in the same run. Prints both times and their ratio.
#include "find/spreadfindgrid.h"
#include "find/ssfindpasses.h"
#include "platform/spread/spreadgrid.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rows = 1'000'000;
constexpr int Cols = 5;
constexpr int Runs = 3;

QString cellText(int col, int row)
{
    switch (col) {
    case 1:
        return QStringLiteral("%1/%2/%3")
            .arg(2000 + row / 372)
            .arg(row / 31 % 12 + 1, 2, 10, QChar('0'))
            .arg(row % 31 + 1, 2, 10, QChar('0'));
    case 2:
        return QStringLiteral("1,%1.%2").arg(100 + row % 900).arg(row % 100, 2, 10, QChar('0'));
    case 3:
        return QStringLiteral("2%1,%2").arg(row % 10).arg(100 + row % 900);
    case 4:
        return QStringLiteral("0.05%1").arg(row % 10000, 4, 10, QChar('0'));
    default:
        return row % 7 == 0 ? QStringLiteral("휴일 환율 고시 없음") : QString();
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString needle = QStringLiteral("찾는값");

    // the same strings, column by column, as the plain loop sees them
    std::vector<QString> plain;
    plain.reserve(size_t(Rows) * Cols);
    SpreadGrid grid;
    grid.setRedraw(false);
    grid.setMaxCols(Cols);
    grid.setMaxRows(Rows);
    for (int r = 1; r <= Rows; ++r)
        for (int c = 1; c <= Cols; ++c)
            grid.SetCellText(c, r, cellText(c, r));
    grid.SetCellText(Cols, Rows, QStringLiteral("마지막 행의 찾는값"));
    grid.setRedraw(true);
    for (int c = 1; c <= Cols; ++c)
        for (int r = 1; r <= Rows; ++r)
            plain.push_back(r == Rows && c == Cols ? QStringLiteral("마지막 행의 찾는값") : cellText(c, r));

    SpreadFindGrid cells(&grid);
    SSFindPasses::Options options;
    double bestFind = 1e300, bestPlain = 1e300;
    SSFindPasses::Match match;
    qsizetype plainHit = -1;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        match = SSFindPasses::findNext(cells, needle, options, 1, 1);
        bestFind = std::min(bestFind, t.nsecsElapsed() / 1e6);

        t.restart();
        plainHit = -1;
        for (size_t i = 0; i < plain.size(); ++i) {
            if (plain[i].contains(needle, Qt::CaseInsensitive)) {
                plainHit = qsizetype(i);
                break;
            }
        }
        bestPlain = std::min(bestPlain, t.nsecsElapsed() / 1e6);
    }
    if (!match.found() || match.col != Cols || match.row != Rows || plainHit != qsizetype(plain.size()) - 1) {
        std::fprintf(stderr, "wrong result: find (%d, %d), plain %lld\n", match.col, match.row,
                     static_cast<long long>(plainHit));
        return 1;
    }
    std::printf("find next over %d x %d cells: %.1f ms; plain loop: %.1f ms; ratio %.2f (target <= 3)\n", Rows, Cols,
                bestFind, bestPlain, bestFind / bestPlain);
    return 0;
}
