// Navigator moves on a grid of a million rows: every move is a fixed amount of work, whatever the
// number of rows. Prints the time per move and its ratio to setting the grid's first row directly
// (the baseline, measured in the same run).
#include "rategridform.h"

#include "gridnav/navmath.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    RateGridForm rate(true);
    QWidget &form = rate.form;
    SpreadGrid *grid = rate.grid;
    SS_MOVE_INFO &info = rate.info;
    sbSS_MOVE_Arrange(info);
    sbSS_MOVE_Layout(info, 6135);
    form.show();
    QApplication::processEvents();

    const int rows = 1000000;
    grid->setMaxRows(rows);
    QElapsedTimer t;
    t.start();
    sbSS_MOVE_LineDisp(info);
    const double lineDispMs = t.nsecsElapsed() / 1e6;

    const int moves = 20000;
    const char *tags[] = {"PDN", "1DN", "PDN", "1UP"};
    // targets the navigator will produce, for the baseline
    QVector<int> targets;
    int top = 1;
    for (int k = 0; k < moves; ++k) {
        top = NavMath::stepTarget(NavMath::directionOf(QString::fromLatin1(tags[k % 4])), top, rows, info.PageRows)
                  .target;
        targets.append(top);
    }

    grid->setFirstVisibleRow(1);
    t.restart();
    for (int target : targets)
        grid->setFirstVisibleRow(target);
    const double baseNs = double(t.nsecsElapsed()) / moves;

    grid->setFirstVisibleRow(1);
    t.restart();
    for (int k = 0; k < moves; ++k)
        sbSS_MOVE_Step(info, QString::fromLatin1(tags[k % 4]));
    const double stepNs = double(t.nsecsElapsed()) / moves;
    sbSS_MOVE_Stop(info);
    const bool same = grid->FirstVisibleRow() == targets.last();

    t.restart();
    info.sclMove->setSliderDown(true);
    for (int v = 1; v <= 10000; ++v)
        info.sclMove->setSliderPosition(v);
    info.sclMove->setSliderDown(false);
    const double dragNs = double(t.nsecsElapsed()) / 10000;

    std::printf("rows %d, page %d\n", rows, info.PageRows);
    std::printf("line display: %.3f ms\n", lineDispMs);
    std::printf("baseline setFirstVisibleRow: %.0f ns per move\n", baseNs);
    std::printf("sbSS_MOVE_Step: %.0f ns per move, ratio %.2f to baseline%s\n", stepNs, stepNs / baseNs,
                same ? "" : " (ended on a different row!)");
    std::printf("thumb drag: %.0f ns per position, ratio %.2f to baseline\n", dragNs, dragNs / baseNs);
    sbSS_MOVE_Release(info);
    return same ? 0 : 1;
}
