#include "graph/graphlayout.h"

#include <QtTest>

class TstGraphLayout : public QObject
{
    Q_OBJECT
private slots:
    void tooSmall_data();
    void tooSmall();
    void shownSize();
    void pieNote();
    void gridRows_data();
    void gridRows();
    void picture_data();
    void picture();
    void centred();
};

void TstGraphLayout::tooSmall_data()
{
    QTest::addColumn<double>("outerWidth");
    QTest::addColumn<double>("outerHeight");
    QTest::addColumn<bool>("laidOut");
    QTest::newRow("narrow") << 10185.0 << 9945.0 << false;
    QTest::newRow("low") << 15000.0 << 6585.0 << false;
    QTest::newRow("smallest laid out") << 10200.0 << 6600.0 << true;
}

void TstGraphLayout::tooSmall()
{
    QFETCH(double, outerWidth);
    QFETCH(double, outerHeight);
    QFETCH(bool, laidOut);
    GraphLayoutInput in;
    in.outerWidth = outerWidth;
    in.outerHeight = outerHeight;
    in.innerWidth = outerWidth - 120;
    in.innerHeight = outerHeight - 450;
    QCOMPARE(GraphWindowLayout::compute(in).has_value(), laidOut);
}

void TstGraphLayout::shownSize()
{
    GraphLayoutInput in;
    in.outerWidth = 15000;
    in.outerHeight = 9945;
    in.innerWidth = 14880;
    in.innerHeight = 9495;
    in.scrollFrameWidth = GraphWindowLayout::scrollFrameWidth(2100);
    QCOMPARE(in.scrollFrameWidth, 2430.0);
    const GraphLayout l = *GraphWindowLayout::compute(in);
    QCOMPARE(l.panel2, QRectF(45, 45, 4380, 9405));
    QCOMPARE(l.gridHeight, 8423.0); // 35 rows
    QCOMPARE(l.sumTop, 8678.0);
    QCOMPARE(l.panel1, QRectF(4455, 45, 10380, 8505));
    QCOMPARE(l.scroll, QRectF(4455, 8535, 10380, 405));
    QCOMPARE(l.scrollMiddleWidth, 10200.0);
    QCOMPARE(l.scrollRightLeft, 10290.0);
    QCOMPARE(l.scrollBarWidth, 6930.0);
    QCOMPARE(l.scrollFrameLeft, 7905.0);
    QCOMPARE(l.chart, QRectF(60, 240, 10260, 8205));
    QCOMPARE(l.option, QRectF(4455, 8970, 10380, 480));
    QCOMPARE(l.close, QPointF(9285, 60));
    QCOMPARE(l.showEditLeft, 8070.0);
    // the panels never overlap and the strips stack under the chart panel
    QVERIFY(l.panel2.right() < l.panel1.left());
    QVERIFY(l.scroll.bottom() <= l.option.top());
}

void TstGraphLayout::pieNote()
{
    GraphLayoutInput in;
    in.outerWidth = 15000;
    in.outerHeight = 9945;
    in.innerWidth = 14880;
    in.innerHeight = 9495;
    in.noteVisible = true;
    in.noteWidth = 4000;
    in.noteHeight = 240;
    const GraphLayout l = *GraphWindowLayout::compute(in);
    QCOMPARE(l.chart.height(), 8505.0 - 300 - 240 - 15);
    QCOMPARE(l.note, QPointF((10380 - 4000) / 2.0, 8505 - 240 - 75));
    in.noteVisible = false;
    QCOMPARE(GraphWindowLayout::compute(in)->chart.height(), 8205.0);
}

void TstGraphLayout::gridRows_data()
{
    QTest::addColumn<double>("room");
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("height");
    QTest::newRow("35 rows") << 8505.0 << 35 << 8423.0;
    QTest::newRow("one row") << 300.0 << 1 << 241.0;
    QTest::newRow("none") << 100.0 << 0 << 0.0;
}

void TstGraphLayout::gridRows()
{
    QFETCH(double, room);
    QFETCH(int, rows);
    QFETCH(double, height);
    QCOMPARE(GraphWindowLayout::gridRows(room), rows);
    QCOMPARE(GraphWindowLayout::gridHeight(rows), height);
}

void TstGraphLayout::picture_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("9000") << 9000.0 << 600;
    QTest::newRow("6000") << 6000.0 << 400;
    QTest::newRow("half rounds to even, down") << 337.5 << 22;
    QTest::newRow("half rounds to even, up") << 352.5 << 24;
}

void TstGraphLayout::picture()
{
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(GraphWindowLayout::picturePixels(twips), pixels);
}

void TstGraphLayout::centred()
{
    QCOMPARE(GraphWindowLayout::centredPos(19200, 15360, 15000, 9945), QPointF(2100, 2707.5));
}

QTEST_GUILESS_MAIN(TstGraphLayout)
#include "tst_graphlayout.moc"
