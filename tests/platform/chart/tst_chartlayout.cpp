#include "platform/chart/chartcontrol.h"
#include "platform/chart/chartlayout.h"

#include <QtTest>

#include <cmath>

// The chart's layout from its settings alone: no chart widget is made.
class TstChartLayout : public QObject
{
    Q_OBJECT
private slots:
    void plotInsideTheRectangle_data();
    void plotInsideTheRectangle();
    void uprightLabelsKeepTheirMeasure();
    void pieCentredAndWhole_data();
    void pieCentredAndWhole();
    void marksOnlyForShownPlotPoints_data();
    void marksOnlyForShownPlotPoints();
    void marksOfAllPointsOverTheirOwn_data();
    void marksOfAllPointsOverTheirOwn();
};

namespace {

ChartSettings settings(int kind, int points)
{
    ChartSettings s;
    s.kind = kind;
    s.header = {QStringLiteral("거래처 별 USD")};
    s.leftTitle = QStringLiteral("USD");
    for (int i = 0; i < points; ++i)
        s.points.append({100.0 * (i + 1), QStringLiteral("항목 %1").arg(i + 1), QColor(Qt::red)});
    return s;
}

const QRectF kRect(0, 0, 600, 400);

} // namespace

void TstChartLayout::plotInsideTheRectangle_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("view3D");
    QTest::newRow("bar") << int(ChartControl::Bar) << false;
    QTest::newRow("bar 3D") << int(ChartControl::Bar) << true;
    QTest::newRow("line") << int(ChartControl::Line) << false;
    QTest::newRow("line 3D") << int(ChartControl::Line) << true;
}

void TstChartLayout::plotInsideTheRectangle()
{
    QFETCH(int, kind);
    QFETCH(bool, view3D);
    ChartSettings s = settings(kind, 20);
    s.view3D = view3D;
    s.perPage = 15;
    double labelWidth = -1;
    const ChartLayout l = ChartPlot::layout(s, kRect, 21000, labelWidth);
    QVERIFY(kRect.contains(l.area));
    QVERIFY(l.area.top() >= l.headerBottom);
    QVERIFY(l.headerBottom > kRect.top());
    QVERIFY(l.area.contains(l.front));
    // the depth runs to the upper right in 3D and is nothing in 2D
    QCOMPARE(l.depth.x() > 0, view3D);
    QCOMPARE(l.depth.y() < 0, view3D);
    QCOMPARE(l.page.shown, 15);
    QVERIFY(l.scale.maximum >= 2000);
    QCOMPARE(l.scale.minimum, 0.0);
}

void TstChartLayout::uprightLabelsKeepTheirMeasure()
{
    ChartSettings s = settings(ChartControl::Bar, 5);
    s.labelAngle = 90;
    double labelWidth = -1;
    const ChartLayout measured = ChartPlot::layout(s, kRect, 1500, labelWidth);
    QVERIFY(labelWidth > 0);
    // a kept, wider measure (a long label seen on another page) leaves less room for the plot
    double kept = labelWidth + 40;
    const ChartLayout wider = ChartPlot::layout(s, kRect, 1500, kept);
    QCOMPARE(kept, labelWidth + 40);
    QVERIFY(wider.area.height() < measured.area.height());
}

void TstChartLayout::pieCentredAndWhole_data()
{
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<bool>("marks");
    QTest::newRow("flat") << false << false;
    QTest::newRow("3D with marks") << true << true;
}

void TstChartLayout::pieCentredAndWhole()
{
    QFETCH(bool, view3D);
    QFETCH(bool, marks);
    ChartSettings s = settings(ChartControl::Pie, 4);
    s.view3D = view3D;
    s.marksVisible = marks;
    double labelWidth = -1;
    const ChartLayout l = ChartPlot::layout(s, kRect, 1000, labelWidth);
    QCOMPARE(l.pie.top.center().x(), kRect.center().x());
    QVERIFY(kRect.contains(l.pie.top));
    QCOMPARE(l.pie.thickness > 0, view3D);
    double span = 0;
    for (const ChartGeometry::PieSlice &slice : l.slices)
        span += slice.spanDeg;
    QCOMPARE(l.slices.size(), 4);
    QCOMPARE(span, 360.0);
}

void TstChartLayout::marksOnlyForShownPlotPoints_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("count");
    QTest::newRow("bar") << int(ChartControl::Bar) << true << 10;
    QTest::newRow("line") << int(ChartControl::Line) << true << 10;
    QTest::newRow("hidden") << int(ChartControl::Bar) << false << 0;
    QTest::newRow("pie marks its own way") << int(ChartControl::Pie) << true << 0;
}

void TstChartLayout::marksOnlyForShownPlotPoints()
{
    QFETCH(int, kind);
    QFETCH(bool, visible);
    QFETCH(int, count);
    ChartSettings s = settings(kind, 30);
    s.marksVisible = visible;
    s.perPage = 10;
    s.first = 5;
    double labelWidth = -1;
    const ChartLayout l = ChartPlot::layout(s, kRect, 46500, labelWidth);
    const ChartMarks m = ChartPlot::placedMarks(s, l, 46500);
    QCOMPARE(m.boxes.size(), count);
    QCOMPARE(m.texts.size(), count);
    for (int k = 0; k < m.boxes.size(); ++k) {
        QCOMPARE(m.texts.at(k), ChartPlot::markText(s, 5 + k, 46500));
        // right of the left axis labels, above the bottom ones
        if (!m.boxes.at(k).isEmpty()) {
            QVERIFY(m.boxes.at(k).left() > l.front.left());
            QVERIFY(m.boxes.at(k).bottom() < l.front.bottom());
        }
    }
}

void TstChartLayout::marksOfAllPointsOverTheirOwn_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<int>("points");
    QTest::newRow("bar 3D, a page") << int(ChartControl::Bar) << true << 15;
    QTest::newRow("bar 3D, all points") << int(ChartControl::Bar) << true << 120;
    QTest::newRow("bar, all points") << int(ChartControl::Bar) << false << 120;
    QTest::newRow("line, all points") << int(ChartControl::Line) << false << 120;
    QTest::newRow("line 3D, all points") << int(ChartControl::Line) << true << 120;
}

void TstChartLayout::marksOfAllPointsOverTheirOwn()
{
    QFETCH(int, kind);
    QFETCH(bool, view3D);
    QFETCH(int, points);
    ChartSettings s = settings(kind, points);
    // a rate that goes up and down, with the highest value near the middle
    for (int i = 0; i < points; ++i)
        s.points[i].value = 1300 + 40 * std::sin(i / 5.0) + (i == points / 2 ? 60 : 0);
    s.view3D = view3D;
    s.marksVisible = true;
    s.perPage = points;
    double labelWidth = -1;
    const ChartLayout l = ChartPlot::layout(s, kRect, 0, labelWidth);
    const ChartMarks m = ChartPlot::placedMarks(s, l, 0);
    QCOMPARE(m.boxes.size(), points);
    QList<int> kept;
    for (int k = 0; k < points; ++k)
        if (!m.boxes.at(k).isEmpty())
            kept << k;
    QVERIFY(kept.size() > 1);
    // left out by one rule: every n-th (a first one without room beside the axis may be missing)
    const int n = kept.at(1) - kept.at(0);
    for (const int k : kept)
        QCOMPARE(k % n, 0);
    for (int k = n; k < points - n; k += n)
        QVERIFY2(kept.contains(k), qPrintable(QString::number(k)));
    const int slotCount = std::max(1, l.page.slotCount);
    for (const int k : kept) {
        const QRectF &b = m.boxes.at(k);
        for (const int j : kept)
            QVERIFY2(j == k || !b.intersects(m.boxes.at(j)), qPrintable(QStringLiteral("%1 and %2").arg(k).arg(j)));
        // under the heading; in 3D not above the back wall
        QVERIFY(b.top() >= (view3D ? l.area.top() : l.headerBottom));
        if (kind == ChartControl::Bar) {
            // over its own bar: over the middle of its top face
            const QRectF bar =
                ChartGeometry::barRect(k, slotCount, s.points.at(k).value, l.scale.minimum, l.scale.maximum, l.front,
                                       ChartPlot::kBarWidth, ChartPlot::kBarMaxWidth)
                    .translated(l.depth * 0.1);
            const double middle = bar.center().x() + l.depth.x() * 0.4;
            QVERIFY2(b.left() <= middle && middle <= b.right(), qPrintable(QString::number(k)));
        } else {
            // clear of the line
            QPolygonF line;
            for (int i = 0; i < points; ++i)
                line << QPointF(
                            ChartGeometry::slotCentreX(i, slotCount, l.front),
                            ChartGeometry::valueToY(s.points.at(i).value, l.scale.minimum, l.scale.maximum, l.front))
                        + l.depth * 0.25;
            QVERIFY2(!ChartGeometry::coversLine(b, line, 0), qPrintable(QString::number(k)));
        }
    }
}

QTEST_MAIN(TstChartLayout)
#include "tst_chartlayout.moc"
