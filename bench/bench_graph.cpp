// Graph window build time: sbDisp_SS_Graph_Init on a century of daily rows (36,525), once with as many
// distinct labels (the labels arrive newest first, so the sort has all the work to do) and once with
// 12 labels (month names), each against a loop that only reads the same cells of the same grid.
#include "graph/frmssgraph.h"
#include "platform/spread/spreadgrid.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int kRows = 36525;

void fill(SpreadGrid &g, bool distinct)
{
    g.setRedraw(false);
    g.setMaxCols(4);
    g.setColHeaderRows(1);
    g.setMaxRows(kRows);
    g.SetCellText(1, SpreadGrid::FirstHeaderRow, QStringLiteral("일자"));
    g.SetCellText(2, SpreadGrid::FirstHeaderRow, QStringLiteral("USD"));
    g.SetCellText(3, SpreadGrid::FirstHeaderRow, QStringLiteral("VND"));
    g.SetCellText(4, SpreadGrid::FirstHeaderRow, QStringLiteral("비고"));
    g.setCol(2);
    g.setRow(SpreadGrid::AllCells);
    g.setCellKind(SpreadGrid::KindNumber);
    g.setNumberDecimals(2);
    g.setNumberShowGroups(true);
    const QDate last(2026, 12, 31);
    for (int r = 1; r <= kRows; ++r) {
        const QDate d = last.addDays(1 - r);
        const QString label = distinct ? d.toString(QStringLiteral("yyyy/MM/dd"))
                                       : QStringLiteral("%1월").arg(d.month(), 2, 10, QLatin1Char('0'));
        g.SetCellText(1, r, label);
        g.SetCellText(2, r, 1100.0 + (r % 350) + (r % 7) * 0.25);
        g.SetCellText(3, r, QStringLiteral("23,500"));
        g.SetCellText(4, r, QString());
    }
    g.setRedraw(true);
}

// Reads every cell the build reads, and nothing else.
double readCells(SpreadGrid &g)
{
    QElapsedTimer t;
    t.start();
    qsizetype sink = 0;
    for (int r = 1; r <= g.MaxRows(); ++r) {
        sink += g.GetCellText(2, r).size();
        for (int c = 1; c <= 4; ++c)
            sink += g.GetCellText(c, r).size();
        g.setCol(2);
        g.setRow(r);
        sink += g.CellValue().size();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    if (sink == 42)
        std::puts("");
    return ms;
}

double build(FrmSSGraph &w, SpreadGrid &g)
{
    QElapsedTimer t;
    t.start();
    w.sbDisp_SS_Graph_Init(&g, 1, 2, QStringLiteral("환율관리 프로그램"), QString(), QString(), true);
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    FrmSSGraph window;
    for (bool distinct : {true, false}) {
        SpreadGrid grid;
        fill(grid, distinct);
        readCells(grid); // warm-up
        const double base = readCells(grid);
        const double ms = build(window, grid);
        std::printf("bench_graph %-16s rows=%d items=%d  build %.1f ms  baseline read %.1f ms  ratio %.2f\n",
                    distinct ? "distinct-labels" : "12-labels", kRows, window.dataSet().GraphCount, ms, base,
                    base > 0 ? ms / base : 0.0);
    }
    return 0;
}
