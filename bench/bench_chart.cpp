// Drawing a full page of the chart (1,000 points of a 36,525-point series) into a 900 x 600 picture,
// and the mouse conversions the cross-hair makes on every move, against a baseline that draws the
// same number of plain rectangles into the same picture.
#include "platform/chart/chartcontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>

#include <cstdio>

namespace {

double timeMs(int rounds, const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i)
        work();
    return double(t.nsecsElapsed()) / 1e6 / rounds;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int points = 36525;
    const int perPage = 1000;
    const int rounds = 10;

    ChartControl c;
    c.resize(900, 600);
    c.addSeries(ChartControl::Bar);
    double v = 1200;
    for (int i = 0; i < points; ++i) {
        v += (i * 7919 % 41) - 20;
        c.addPoint(v, QStringLiteral("%1").arg(i), QColor(50 + i % 200, 50 + i * 3 % 200, i % 100));
    }
    c.setHeaderLine(0, QStringLiteral("일자 별 미달러"));
    c.setLeftAxisTitle(QStringLiteral("미달러"));
    c.setBottomLabelAngle(90);
    c.setMaxPointsPerPage(perPage);
    c.setFirstVisiblePoint(points / 2);

    QImage img(900, 600, QImage::Format_RGB32);
    const double baseline = timeMs(rounds, [&] {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < perPage; ++i)
            p.fillRect(QRectF(i * 0.85, 300 - (i % 200), 0.6, 200 + (i % 200)), QColor(i % 255, 100, 50));
    });
    std::printf("baseline: %d plain rectangles: %.2f ms\n", perPage, baseline);

    struct Case
    {
        const char *name;
        ChartControl::SeriesKind kind;
        bool view3D;
        bool marks;
    };
    const Case cases[] = {{"bar 2D", ChartControl::Bar, false, false},
                          {"bar 3D", ChartControl::Bar, true, false},
                          {"bar 3D marks", ChartControl::Bar, true, true},
                          {"line 2D", ChartControl::Line, false, false},
                          {"line 3D", ChartControl::Line, true, false}};
    for (const Case &k : cases) {
        c.setSeriesKind(k.kind);
        c.setView3D(k.view3D);
        c.setMarksVisible(k.marks);
        const double ms = timeMs(rounds, [&] {
            QPainter p(&img);
            c.paint(&p, QRectF(0, 0, 900, 600));
        });
        std::printf("page of %d points, %s: %.2f ms (x%.1f baseline)\n", perPage, k.name, ms, ms / baseline);
    }
    c.setMarksVisible(false);
    const double mouse = timeMs(
                             rounds,
                             [&] {
        for (int x = 0; x < 100; ++x) {
            volatile double a = c.bottomAxisValueAt(100 + x * 7);
            volatile double b = c.leftAxisValueAt(50 + x * 4);
            (void)a;
            (void)b;
        }
                             })
        / 100;
    std::printf("cross-hair conversion (both axes) per mouse move: %.3f ms (x%.2f baseline)\n", mouse,
                mouse / baseline);
    return 0;
}
