#include "winui/tipgeometry.h"

#include <QTest>

class TestTipGeometry : public QObject
{
    Q_OBJECT

private slots:
    void place_data();
    void place();
    void balloonOutlineHoldsItsPointer();
};

// screen 0,0 1280x1024 unless stated; body 200x60
void TestTipGeometry::place_data()
{
    QTest::addColumn<bool>("balloon");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<QPoint>("below");
    QTest::addColumn<QPoint>("above");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<bool>("stemUp");
    QTest::addColumn<QPoint>("stemTip");

    const int s = TipGeometry::StemHeight;
    // centred balloon: body centred on the control's bottom middle, pointer at the middle
    QTest::newRow("centred balloon") << true << true << QPoint(400, 300) << QPoint(400, 280)
                                     << QRect(300, 300, 200, 60 + s) << true << QPoint(100, 0);
    // centred plain tip: straight under the control, centred
    QTest::newRow("centred plain") << false << true << QPoint(400, 300) << QPoint(400, 280) << QRect(300, 300, 200, 60)
                                   << true << QPoint();
    // plain tip follows the mouse: CursorGap below the pointer, left edge at the pointer
    QTest::newRow("plain at pointer") << false << false << QPoint(400, 300) << QPoint(400, 300)
                                      << QRect(400, 300 + TipGeometry::CursorGap, 200, 60) << true << QPoint();
    // balloon at the pointer: the pointer's point is near the body's left end
    QTest::newRow("balloon at pointer") << true << false << QPoint(400, 300) << QPoint(400, 300)
                                        << QRect(400 - (TipGeometry::Radius + TipGeometry::StemWidth),
                                                 300 + TipGeometry::CursorGap, 200, 60 + s)
                                        << true << QPoint(TipGeometry::Radius + TipGeometry::StemWidth, 0);
    // no room below: the balloon stands on the control's top edge, pointer downwards
    QTest::newRow("flipped above") << true << true << QPoint(400, 1000) << QPoint(400, 980)
                                   << QRect(300, 980 - 60 - s, 200, 60 + s) << false << QPoint(100, 60 + s - 1);
    // at the right screen edge the window is pulled in; the pointer still aims at the anchor
    QTest::newRow("right edge") << true << true << QPoint(1250, 300) << QPoint(1250, 280)
                                << QRect(1080, 300, 200, 60 + s) << true << QPoint(1250 - 1080, 0);
    // so far out that even the pointer cannot reach: it stops short of the rounded corner
    QTest::newRow("beyond right edge") << true << true << QPoint(1279, 300) << QPoint(1279, 280)
                                       << QRect(1080, 300, 200, 60 + s) << true
                                       << QPoint(200 - TipGeometry::Radius - TipGeometry::StemWidth / 2, 0);
    // at the left edge likewise
    QTest::newRow("left edge") << true << true << QPoint(30, 300) << QPoint(30, 280) << QRect(0, 300, 200, 60 + s)
                               << true << QPoint(30, 0);
}

void TestTipGeometry::place()
{
    QFETCH(bool, balloon);
    QFETCH(bool, centred);
    QFETCH(QPoint, below);
    QFETCH(QPoint, above);
    QFETCH(QRect, window);
    QFETCH(bool, stemUp);
    QFETCH(QPoint, stemTip);

    const QRect screen(0, 0, 1280, 1024);
    const TipGeometry::Layout l = TipGeometry::place(QSize(200, 60), below, above, balloon, centred, screen);
    QCOMPARE(l.window, window);
    QCOMPARE(l.stemUp, stemUp);
    QCOMPARE(l.body.size(), QSize(200, 60));
    QVERIFY(screen.contains(l.window));
    if (balloon) {
        QCOMPARE(l.stemTip, stemTip);
        // the body leaves room for the pointer on the right side
        QCOMPARE(l.body.top(), stemUp ? TipGeometry::StemHeight : 0);
    } else {
        QCOMPARE(l.body, QRect(QPoint(0, 0), window.size()));
    }
}

void TestTipGeometry::balloonOutlineHoldsItsPointer()
{
    const TipGeometry::Layout l =
        TipGeometry::place(QSize(120, 40), QPoint(300, 200), QPoint(300, 180), true, true, QRect(0, 0, 800, 600));
    const QPainterPath path = TipGeometry::balloonPath(l);
    // the pointer's point and the body's middle are inside, the corners beside the pointer are not
    QVERIFY(path.contains(QPointF(l.stemTip.x() + 0.5, l.stemTip.y() + 2.0)));
    QVERIFY(path.contains(QPointF(l.body.center())));
    QVERIFY(!path.contains(QPointF(1.0, 1.0)));
    QVERIFY(!path.contains(QPointF(l.window.width() - 2.0, 1.0)));
    QVERIFY(path.boundingRect().height() <= l.window.height() + 0.01);
}

QTEST_GUILESS_MAIN(TestTipGeometry)
#include "tst_tipgeometry.moc"
