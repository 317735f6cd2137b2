#include "platform/chart/chartgeometry.h"

#include <QtTest>

using namespace ChartGeometry;

class TestChartGeometry : public QObject
{
    Q_OBJECT

private slots:
    void niceNumbers_data();
    void niceNumbers();
    void automaticAxis_data();
    void automaticAxis();
    void fixedAxis_data();
    void fixedAxis();
    void tickDecimals_data();
    void tickDecimals();
    void paging_data();
    void paging();
    void plotMapping_data();
    void plotMapping();
    void bottomAxisValue_data();
    void bottomAxisValue();
    void bars_data();
    void bars();
    void marksKeptApart_data();
    void marksKeptApart();
    void crowdedMarksThinned_data();
    void crowdedMarksThinned();
    void obliqueFaces();
    void pieAngles_data();
    void pieAngles();
    void pieHitTest_data();
    void pieHitTest();
    void pieFitsRoom_data();
    void pieFitsRoom();
    void nearHalf_data();
    void nearHalf();
};

void TestChartGeometry::niceNumbers_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("round");
    QTest::addColumn<double>("nice");
    QTest::newRow("1.4 rounds to 1") << 1.4 << true << 1.0;
    QTest::newRow("1.6 rounds to 2") << 1.6 << true << 2.0;
    QTest::newRow("3.2 rounds to 5") << 3.2 << true << 5.0;
    QTest::newRow("7.5 rounds to 10") << 7.5 << true << 10.0;
    QTest::newRow("1.01 ceils to 2") << 1.01 << false << 2.0;
    QTest::newRow("2 stays 2") << 2.0 << false << 2.0;
    QTest::newRow("230 ceils to 500") << 230.0 << false << 500.0;
    QTest::newRow("0.031 ceils to 0.05") << 0.031 << false << 0.05;
    QTest::newRow("0 falls back to 1") << 0.0 << false << 1.0;
    QTest::newRow("negative falls back to 1") << -5.0 << true << 1.0;
}

void TestChartGeometry::niceNumbers()
{
    QFETCH(double, x);
    QFETCH(bool, round);
    QFETCH(double, nice);
    QCOMPARE(niceNumber(x, round), nice);
}

void TestChartGeometry::automaticAxis_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<int>("maxTicks");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::newRow("0..1510, 8 intervals") << 0.0 << 1510.0 << 8 << 0.0 << 1600.0 << 200.0;
    QTest::newRow("0..97, 5 intervals") << 0.0 << 97.0 << 5 << 0.0 << 100.0 << 20.0;
    QTest::newRow("negative and positive") << -35.0 << 120.0 << 6 << -50.0 << 150.0 << 50.0;
    QTest::newRow("all negative") << -820.0 << 0.0 << 4 << -1000.0 << 0.0 << 500.0;
    QTest::newRow("all zero opens 0..1") << 0.0 << 0.0 << 5 << 0.0 << 1.0 << 0.2;
    QTest::newRow("flat positive series") << 50.0 << 50.0 << 5 << 0.0 << 60.0 << 20.0;
    QTest::newRow("swapped bounds") << 10.0 << 0.0 << 5 << 0.0 << 10.0 << 2.0;
    QTest::newRow("small fractions") << 0.0 << 0.37 << 4 << 0.0 << 0.4 << 0.1;
    QTest::newRow("the whole double scale") << -1e308 << 1e308 << 4 << -1e308 << 1e308 << 5e307;
}

void TestChartGeometry::automaticAxis()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(int, maxTicks);
    const AxisScale s = niceScale(lo, hi, maxTicks);
    QTEST(s.minimum, "min");
    QTEST(s.maximum, "max");
    QTEST(s.step, "step");
    QVERIFY(s.minimum <= std::min(lo, hi) && s.maximum >= std::max(lo, hi));
    QVERIFY(!s.ticks.isEmpty());
    QCOMPARE(s.ticks.first(), s.minimum);
    QVERIFY(qFuzzyCompare(s.ticks.last(), s.maximum));
    for (int i = 1; i < s.ticks.size(); ++i)
        QVERIFY(qFuzzyCompare(s.ticks.at(i) - s.ticks.at(i - 1), s.step));
}

void TestChartGeometry::fixedAxis_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<int>("maxTicks");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("tickCount");
    QTest::newRow("line max x 1.04 keeps its odd top") << 0.0 << 1570.4 << 8 << 0.0 << 1570.4 << 8;
    QTest::newRow("negative minimum") << -5.0 << 10.0 << 5 << -5.0 << 10.0 << 4;
    QTest::newRow("zero range gets one unit") << 0.0 << 0.0 << 5 << 0.0 << 1.0 << 6;
    QTest::newRow("equal positive bounds start at 0") << 7.0 << 7.0 << 7 << 0.0 << 7.0 << 8;
    QTest::newRow("equal negative bounds end at 0") << -3.0 << -3.0 << 3 << -3.0 << 0.0 << 4;
    QTest::newRow("the whole double scale") << -1.5e308 << 1.5e308 << 3 << -1.5e308 << 1.5e308 << 3;
}

void TestChartGeometry::fixedAxis()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(int, maxTicks);
    const AxisScale s = fixedScale(lo, hi, maxTicks);
    QTEST(s.minimum, "min");
    QTEST(s.maximum, "max");
    QTEST(int(s.ticks.size()), "tickCount");
    for (double t : s.ticks)
        QVERIFY(t >= s.minimum - 1e-9 && t <= s.maximum + 1e-9);
}

void TestChartGeometry::tickDecimals_data()
{
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("decimals");
    QTest::newRow("200") << 200.0 << 0;
    QTest::newRow("1") << 1.0 << 0;
    QTest::newRow("0.5") << 0.5 << 1;
    QTest::newRow("0.25") << 0.25 << 2;
    QTest::newRow("0.002") << 0.002 << 3;
}

void TestChartGeometry::tickDecimals()
{
    QFETCH(double, step);
    QTEST(stepDecimals(step), "decimals");
}

void TestChartGeometry::paging_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("first");
    QTest::addColumn<bool>("scaleLast");
    QTest::addColumn<int>("wantFirst");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("slotCount");
    QTest::newRow("all points when perPage is 0") << 12 << 0 << 0 << false << 0 << 12 << 12;
    QTest::newRow("first full page") << 20 << 15 << 0 << false << 0 << 15 << 15;
    QTest::newRow("scrolled by 5: a full page") << 20 << 15 << 5 << false << 5 << 15 << 15;
    QTest::newRow("last page not stretched") << 20 << 15 << 15 << false << 15 << 5 << 15;
    QTest::newRow("last page stretched on request") << 20 << 15 << 15 << true << 15 << 5 << 5;
    QTest::newRow("everything fits one page") << 12 << 15 << 0 << false << 0 << 12 << 12;
    QTest::newRow("first beyond the end is clamped") << 20 << 15 << 99 << false << 19 << 1 << 15;
    QTest::newRow("negative first is clamped") << 20 << 15 << -3 << false << 0 << 15 << 15;
    QTest::newRow("no points") << 0 << 15 << 4 << false << 0 << 0 << 15;
}

void TestChartGeometry::paging()
{
    QFETCH(int, count);
    QFETCH(int, perPage);
    QFETCH(int, first);
    QFETCH(bool, scaleLast);
    const PageWindow w = pageWindow(count, perPage, first, scaleLast);
    QTEST(w.first, "wantFirst");
    QTEST(w.shown, "shown");
    QTEST(w.slotCount, "slotCount");
    QVERIFY(w.first + w.shown <= std::max(count, 0));
}

void TestChartGeometry::plotMapping_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("y");
    // plot 100..300 vertically
    QTest::newRow("minimum at the bottom") << 0.0 << 0.0 << 100.0 << 300.0;
    QTest::newRow("maximum at the top") << 100.0 << 0.0 << 100.0 << 100.0;
    QTest::newRow("middle") << 50.0 << 0.0 << 100.0 << 200.0;
    QTest::newRow("zero in a signed range") << 0.0 << -50.0 << 150.0 << 250.0;
    QTest::newRow("zero across the whole double scale") << 0.0 << -1e308 << 1e308 << 200.0;
}

void TestChartGeometry::plotMapping()
{
    QFETCH(double, value);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, y);
    const QRectF plot(40, 100, 400, 200);
    QCOMPARE(valueToY(value, lo, hi, plot), y);
    QCOMPARE(yToValue(y, lo, hi, plot), value);
}

void TestChartGeometry::bottomAxisValue_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("slotCount");
    QTest::addColumn<double>("value");
    // plot from x 100, 300 wide
    QTest::newRow("centre of the first slot") << 115.0 << 0 << 10 << 0.0;
    QTest::newRow("centre of the fourth slot") << 205.0 << 0 << 10 << 3.0;
    QTest::newRow("scrolled by 7") << 205.0 << 7 << 10 << 10.0;
    QTest::newRow("left edge") << 100.0 << 0 << 10 << -0.5;
    QTest::newRow("right edge") << 400.0 << 0 << 10 << 9.5;
    QTest::newRow("three slots") << 350.0 << 0 << 3 << 2.0;
}

void TestChartGeometry::bottomAxisValue()
{
    QFETCH(double, x);
    QFETCH(int, first);
    QFETCH(int, slotCount);
    const QRectF plot(100, 50, 300, 200);
    QTEST(xToAxisValue(x, first, slotCount, plot), "value");
    // the slot centre maps back onto the same value
    const double v = xToAxisValue(x, first, slotCount, plot);
    if (std::fabs(v - std::round(v)) < 1e-9)
        QCOMPARE(slotCentreX(int(std::round(v)) - first, slotCount, plot), x);
}

void TestChartGeometry::bars_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("maxWidth");
    QTest::addColumn<QRectF>("rect");
    // plot (0,0) 400 x 200 in 4 slots of 100, bars 50 wide
    QTest::newRow("half height") << 0 << 50.0 << 0.0 << 100.0 << 1e9 << QRectF(25, 100, 50, 100);
    QTest::newRow("full height, third slot") << 2 << 100.0 << 0.0 << 100.0 << 1e9 << QRectF(225, 0, 50, 200);
    QTest::newRow("negative hangs below zero") << 1 << -50.0 << -100.0 << 100.0 << 1e9 << QRectF(125, 100, 50, 50);
    QTest::newRow("above the maximum is cut") << 3 << 500.0 << 0.0 << 100.0 << 1e9 << QRectF(325, 0, 50, 200);
    QTest::newRow("zero is flat on the base") << 0 << 0.0 << 0.0 << 100.0 << 1e9 << QRectF(25, 200, 50, 0);
    QTest::newRow("range above zero starts at its minimum")
        << 0 << 150.0 << 100.0 << 200.0 << 1e9 << QRectF(25, 100, 50, 100);
    QTest::newRow("narrowed to the widest bar, still centred")
        << 1 << 100.0 << 0.0 << 100.0 << 20.0 << QRectF(140, 0, 20, 200);
}

void TestChartGeometry::bars()
{
    QFETCH(double, maxWidth);
    QFETCH(int, slot);
    QFETCH(double, value);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QTEST(barRect(slot, 4, value, lo, hi, QRectF(0, 0, 400, 200), 0.5, maxWidth), "rect");
}

void TestChartGeometry::marksKeptApart_data()
{
    QTest::addColumn<QVector<QRectF>>("boxes");
    QTest::addColumn<QRectF>("area");
    QTest::addColumn<QVector<QRectF>>("placed");
    const QRectF a(20, 100, 60, 14);
    const QRectF room(10, 0, 500, 200);
    const double up = -16; // one step: the box's height and the gap of 2
    QTest::newRow("side by side with room")
        << QVector<QRectF>{a, a.translated(70, 0)} << room << QVector<QRectF>{a, a.translated(70, 0)};
    QTest::newRow("crowded on one line: every other one a step up")
        << QVector<QRectF>{a, a.translated(40, 0), a.translated(80, 0)} << room
        << QVector<QRectF>{a, a.translated(40, up), a.translated(80, 0)};
    QTest::newRow("closer than the gap") << QVector<QRectF>{a, a.translated(61, 0)} << room
                                         << QVector<QRectF>{a, a.translated(61, up)};
    QTest::newRow("no room above: down into the bar")
        << QVector<QRectF>{a, a.translated(30, 0)} << QRectF(10, 95, 500, 100)
        << QVector<QRectF>{a, a.translated(30, -up)};
    QTest::newRow("left of the plot: moved beside the axis labels")
        << QVector<QRectF>{a.translated(-25, 0)} << room << QVector<QRectF>{a.translated(-10, 0)};
    QTest::newRow("past the right edge: moved in")
        << QVector<QRectF>{a.translated(460, 0)} << room << QVector<QRectF>{a.translated(430, 0)};
    QTest::newRow("no room anywhere: left out")
        << QVector<QRectF>{a, a.translated(10, 0)} << QRectF(10, 100, 500, 14) << QVector<QRectF>{a, QRectF()};
    QTest::newRow("wider than the plot: left out")
        << QVector<QRectF>{QRectF(0, 100, 600, 14)} << room << QVector<QRectF>{QRectF()};
    QTest::newRow("none") << QVector<QRectF>{} << room << QVector<QRectF>{};
}

void TestChartGeometry::marksKeptApart()
{
    QFETCH(QVector<QRectF>, boxes);
    QFETCH(QRectF, area);
    QTEST(placeMarks(boxes, area, 2), "placed");
}

void TestChartGeometry::crowdedMarksThinned_data()
{
    QTest::addColumn<QVector<QRectF>>("boxes");
    QTest::addColumn<QRectF>("area");
    QTest::addColumn<QPolygonF>("line");
    QTest::addColumn<QVector<QRectF>>("placed");
    const QRectF a(20, 100, 60, 14);
    const QRectF room(10, 0, 500, 200);
    const QPolygonF none;
    const QRectF no;
    QTest::newRow("two abreast: every other one")
        << QVector<QRectF>{a, a.translated(40, 0), a.translated(80, 0), a.translated(120, 0)} << room << none
        << QVector<QRectF>{a, no, a.translated(80, 0), no};
    QTest::newRow("three abreast: every third")
        << QVector<QRectF>{a, a.translated(25, 0), a.translated(50, 0), a.translated(75, 0)} << room << none
        << QVector<QRectF>{a, no, no, a.translated(75, 0)};
    QTest::newRow("above the wall: brought down under it")
        << QVector<QRectF>{a} << QRectF(10, 105, 500, 100) << none << QVector<QRectF>{a.translated(0, 5)};
    // y = 110 - x / 10: from 108.2 to 101.8 where the box (and its gap) spans it
    const QPolygonF rising{QPointF(0, 110), QPointF(200, 90)};
    QTest::newRow("over a rising line: just above it")
        << QVector<QRectF>{a} << room << rising << QVector<QRectF>{QRectF(20, 101.8 - 4 - 14, 60, 14)};
    QTest::newRow("no room above the line: just below it")
        << QVector<QRectF>{a} << QRectF(10, 95, 500, 100) << rising << QVector<QRectF>{QRectF(20, 108.2 + 4, 60, 14)};
    QTest::newRow("clear of the line: where it is")
        << QVector<QRectF>{a} << room << QPolygonF{QPointF(0, 130), QPointF(200, 130)} << QVector<QRectF>{a};
}

void TestChartGeometry::crowdedMarksThinned()
{
    QFETCH(QVector<QRectF>, boxes);
    QFETCH(QRectF, area);
    QFETCH(QPolygonF, line);
    const QVector<QPolygonF> lines = line.isEmpty() ? QVector<QPolygonF>{} : QVector<QPolygonF>{line};
    QTEST(thinMarks(boxes, area, 2, lines), "placed");
}

void TestChartGeometry::obliqueFaces()
{
    const QPointF d = depthOffset(QSizeF(400, 200), 15);
    // 15 % of the smaller side, at 45 degrees: right and up by the same amount
    QVERIFY(qAbs(d.x() - 30 * 0.7071) < 1e-3);
    QCOMPARE(d.y(), -d.x());
    const QRectF area(50, 20, 400, 200);
    const QRectF f = frontPlot(area, d);
    QCOMPARE(f.left(), area.left());
    QCOMPARE(f.bottom(), area.bottom());
    // the back plane ends exactly at the area's top right corner
    QVERIFY(qAbs(f.translated(d).right() - area.right()) < 1e-9);
    QVERIFY(qAbs(f.translated(d).top() - area.top()) < 1e-9);

    const Box3D b = box3D(QRectF(10, 10, 20, 50), QPointF(6, -6));
    QCOMPARE(b.front, QPolygonF({QPointF(10, 10), QPointF(30, 10), QPointF(30, 60), QPointF(10, 60)}));
    QCOMPARE(b.top, QPolygonF({QPointF(10, 10), QPointF(30, 10), QPointF(36, 4), QPointF(16, 4)}));
    QCOMPARE(b.side, QPolygonF({QPointF(30, 10), QPointF(30, 60), QPointF(36, 54), QPointF(36, 4)}));
    QCOMPARE(ribbonQuad(QPointF(0, 0), QPointF(10, 5), QPointF(4, -4)),
             QPolygonF({QPointF(0, 0), QPointF(10, 5), QPointF(14, 1), QPointF(4, -4)}));
    QCOMPARE(depthOffset(QSizeF(400, 200), 0), QPointF(0, 0));
}

void TestChartGeometry::pieAngles_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<double>("rotation");
    QTest::addColumn<QVector<double>>("spans");
    QTest::addColumn<double>("firstStart");
    QTest::newRow("quarters") << QVector<double>{1, 1, 2} << 0.0 << QVector<double>{90, 90, 180} << 0.0;
    QTest::newRow("rotated 45") << QVector<double>{1, 1, 2} << 45.0 << QVector<double>{90, 90, 180} << 45.0;
    QTest::newRow("rotation past a turn") << QVector<double>{3, 1} << 400.0 << QVector<double>{270, 90} << 40.0;
    QTest::newRow("negative rotation") << QVector<double>{1} << -90.0 << QVector<double>{360} << 270.0;
    QTest::newRow("all negative values") << QVector<double>{-10, -30} << 0.0 << QVector<double>{90, 270} << 0.0;
    QTest::newRow("a zero value has no slice")
        << QVector<double>{50, 0, 50} << 10.0 << QVector<double>{180, 0, 180} << 10.0;
    QTest::newRow("values near the top of the double scale")
        << QVector<double>{1e308, 1e308, -1e308, 1e308} << 0.0 << QVector<double>{90, 90, 90, 90} << 0.0;
    QTest::newRow("others example") << QVector<double>{50, 30, 0.5} << 359.0
                                    << QVector<double>{50 / 80.5 * 360, 30 / 80.5 * 360, 0.5 / 80.5 * 360} << 359.0;
}

void TestChartGeometry::pieAngles()
{
    QFETCH(QVector<double>, values);
    QFETCH(double, rotation);
    QFETCH(QVector<double>, spans);
    QFETCH(double, firstStart);
    const QVector<PieSlice> s = pieSlices(values, rotation);
    QCOMPARE(s.size(), values.size());
    QCOMPARE(s.first().startDeg, firstStart);
    double sum = 0;
    for (int i = 0; i < s.size(); ++i) {
        QVERIFY(qAbs(s.at(i).spanDeg - spans.at(i)) < 1e-9);
        QVERIFY(s.at(i).startDeg >= 0 && s.at(i).startDeg < 360);
        if (i > 0) // each slice starts where the one before ended
            QVERIFY(qAbs(std::fmod(s.at(i - 1).startDeg + s.at(i - 1).spanDeg, 360.0) - s.at(i).startDeg) < 1e-9);
        sum += s.at(i).spanDeg;
    }
    QVERIFY(qAbs(sum - 360.0) < 1e-9);
}

void TestChartGeometry::pieHitTest_data()
{
    QTest::addColumn<double>("rotation");
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("slice");
    // circle of radius 100 around (200, 200); slices of 90, 90, 180 degrees
    QTest::newRow("3 o'clock side of the first slice") << 0.0 << QPointF(250, 190) << 0;
    QTest::newRow("12 o'clock left: second slice") << 0.0 << QPointF(190, 150) << 1;
    QTest::newRow("below: third slice") << 0.0 << QPointF(200, 260) << 2;
    QTest::newRow("outside the disc") << 0.0 << QPointF(320, 200) << -1;
    QTest::newRow("rotated 90: above is the first slice") << 90.0 << QPointF(190, 150) << 0;
    QTest::newRow("rotated 90: right below is the third") << 90.0 << QPointF(250, 210) << 2;
}

void TestChartGeometry::pieHitTest()
{
    QFETCH(double, rotation);
    QFETCH(QPointF, pos);
    PieShape shape;
    shape.top = QRectF(100, 100, 200, 200);
    QTEST(sliceAt(pieSlices({1, 1, 2}, rotation), shape, pos), "slice");
}

void TestChartGeometry::pieFitsRoom_data()
{
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<double>("centreY");
    QTest::newRow("2D centred") << false << 200.0;
    QTest::newRow("2D raised") << false << 150.0;
    QTest::newRow("3D centred") << true << 200.0;
    QTest::newRow("3D raised by 28") << true << 172.0;
}

void TestChartGeometry::pieFitsRoom()
{
    QFETCH(bool, view3D);
    QFETCH(double, centreY);
    const QRectF room(20, 60, 560, 300);
    const PieShape p = pieShape(room, centreY, view3D, 15);
    QCOMPARE(p.top.center().y(), centreY);
    QCOMPARE(p.top.center().x(), room.center().x());
    QVERIFY(p.top.width() > 50);
    // the top face and the side below it stay inside the room
    QVERIFY(p.top.top() >= room.top() - 1e-9);
    QVERIFY(p.top.bottom() + p.thickness <= room.bottom() + 1e-9);
    QVERIFY(p.top.left() >= room.left() - 1e-9 && p.top.right() <= room.right() + 1e-9);
    if (view3D) {
        QVERIFY(p.thickness > 0);
        QVERIFY(p.top.height() < p.top.width()); // tilted
    } else {
        QCOMPARE(p.thickness, 0.0);
        QCOMPARE(p.top.height(), p.top.width());
    }
}

void TestChartGeometry::nearHalf_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("span");
    QTest::addColumn<QVector<double>>("parts"); // start, span, start, span...
    QTest::newRow("upper half only") << 10.0 << 100.0 << QVector<double>{};
    QTest::newRow("lower half only") << 200.0 << 90.0 << QVector<double>{200, 90};
    QTest::newRow("crossing 180") << 150.0 << 60.0 << QVector<double>{180, 30};
    QTest::newRow("crossing 360 into the upper half") << 300.0 << 100.0 << QVector<double>{300, 60};
    QTest::newRow("whole disc") << 90.0 << 360.0 << QVector<double>{180, 180};
    QTest::newRow("wrapping from 350 through the upper half into the lower")
        << 350.0 << 250.0 << QVector<double>{350, 10, 540, 60};
}

void TestChartGeometry::nearHalf()
{
    QFETCH(double, start);
    QFETCH(double, span);
    QFETCH(QVector<double>, parts);
    const auto got = nearHalfParts(start, span);
    QCOMPARE(got.size() * 2, parts.size());
    for (int i = 0; i < got.size(); ++i) {
        QVERIFY(qAbs(got.at(i).first - parts.at(2 * i)) < 1e-9);
        QVERIFY(qAbs(got.at(i).second - parts.at(2 * i + 1)) < 1e-9);
    }
}

QTEST_APPLESS_MAIN(TestChartGeometry)
#include "tst_chartgeometry.moc"
