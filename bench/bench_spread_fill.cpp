// Grid fill and scrolling figures.
//   fill: 100,000 rows x 5 columns through SetCellText with painting off, then painting on, against
//         building the same strings into a std::vector<QString> in the same run (target: within 5x).
//   scroll: moving the first visible row of a 1,000,000-row grid, against the same on 10,000 rows;
//         a ratio near 1 means no work per row.
#include "platform/spread/spreadgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rows = 100000;
constexpr int Cols = 5;

// The five fields of one rate row, as the database hands them over (text).
QString field(int row, int col)
{
    switch (col) {
    case 1:
        return QStringLiteral("%1/%2/%3")
            .arg(2000 + row / 366)
            .arg(row % 12 + 1, 2, 10, QLatin1Char('0'))
            .arg(row % 28 + 1, 2, 10, QLatin1Char('0'));
    case 2:
        return QString::number(1100 + (row % 5000) * 0.05, 'f', 2);
    case 3:
        return QString::number(20000 + row % 9000);
    case 4:
        return QString::number(0.05 + (row % 1000) * 0.000001, 'f', 6);
    default:
        return row % 7 ? QString() : QStringLiteral("비고 %1").arg(row);
    }
}

double baselineMs()
{
    QElapsedTimer t;
    t.start();
    std::vector<QString> cells;
    cells.reserve(size_t(Rows) * Cols);
    for (int r = 1; r <= Rows; ++r)
        for (int c = 1; c <= Cols; ++c)
            cells.push_back(field(r, c));
    const double ms = t.nsecsElapsed() / 1e6;
    if (cells.size() != size_t(Rows) * Cols)
        std::abort();
    return ms;
}

void defineColumns(SpreadGrid &grid)
{
    grid.setColHeaderRows(1);
    grid.setMaxCols(Cols);
    grid.setRow(-1);
    for (int c = 2; c <= 4; ++c) {
        grid.setCol(c);
        grid.setCellKind(SpreadGrid::KindNumber);
        grid.setNumberDecimals(c == 2 ? 2 : (c == 3 ? 0 : 6));
        grid.setNumberShowGroups(true);
    }
}

double gridFillMs(SpreadGrid &grid)
{
    QElapsedTimer t;
    t.start();
    grid.setRedraw(false);
    for (int r = 1; r <= Rows; ++r) {
        grid.setMaxRows(grid.MaxRows() + 1);
        for (int c = 1; c <= Cols; ++c)
            grid.SetCellText(c, grid.MaxRows(), field(r, c));
    }
    grid.setRedraw(true);
    QApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

// Average time of one jump of the first visible row, painted.
double scrollMs(int rows)
{
    SpreadGrid grid;
    grid.resize(600, 400);
    grid.setScrollBarMode(SpreadGrid::ScrollBarHorizontal);
    defineColumns(grid);
    grid.setRedraw(false);
    grid.setMaxRows(rows);
    grid.setRedraw(true);
    grid.show();
    QApplication::processEvents();
    constexpr int Jumps = 400;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < Jumps; ++i) {
        grid.setFirstVisibleRow(int((quint64(i) * 7919 * 104729) % quint64(rows - 30)) + 1);
        grid.view()->viewport()->repaint();
    }
    return t.nsecsElapsed() / 1e6 / Jumps;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // best of three for each, so a busy machine's hiccup does not decide
    double base = 1e30;
    double fill = 1e30;
    for (int run = 0; run < 3; ++run) {
        base = std::min(base, baselineMs());
        SpreadGrid grid;
        grid.resize(600, 400);
        defineColumns(grid);
        grid.show();
        QApplication::processEvents();
        fill = std::min(fill, gridFillMs(grid));
        if (grid.GetCellText(2, Rows).isEmpty())
            return 2;
    }
    std::printf(
        "fill %d rows x %d cols: grid %.1f ms, strings into std::vector<QString> %.1f ms, ratio %.2f (target <= 5)\n",
        Rows, Cols, fill, base, fill / base);

    // a million rows made and shown at once, and every row put back to the standard height
    {
        SpreadGrid grid;
        grid.resize(600, 400);
        defineColumns(grid);
        grid.show();
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        grid.setRedraw(false);
        grid.setMaxRows(1000000);
        grid.setRedraw(true);
        QApplication::processEvents();
        const double make = t.nsecsElapsed() / 1e6;
        t.restart();
        grid.setRedraw(false);
        for (int r = 1; r <= grid.MaxRows(); ++r)
            grid.setRowHeight(r, 10.22);
        grid.setRedraw(true);
        std::printf("1,000,000 rows: made and shown %.1f ms; every row to the standard height %.1f ms\n", make,
                    t.nsecsElapsed() / 1e6);
    }

    const double small = scrollMs(10000);
    const double large = scrollMs(1000000);
    std::printf(
        "scroll jump + repaint: 10,000 rows %.3f ms, 1,000,000 rows %.3f ms, ratio %.2f (no per-row work: near 1)\n",
        small, large, large / small);
    return fill / base <= 5.0 ? 0 : 1;
}
