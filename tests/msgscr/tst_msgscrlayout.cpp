#include "msgscr/mouseglide.h"
#include "msgscr/msgscrlayout.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>

// The message screen's geometry in twips, computed without a window.
class TstMsgScrLayout : public QObject
{
    Q_OBJECT
private slots:
    void bodySize_data();
    void bodySize();
    void wideLineWidensEverything();
    void tiles_data();
    void tiles();
    void progressBar_data();
    void progressBar();
    void buttons_data();
    void buttons();
    void labelsAndPictures();
    void centring_data();
    void centring();
    void coverLeft_data();
    void coverLeft();
    void glideTarget_data();
    void glideTarget();
    void glidePath_data();
    void glidePath();
};

namespace {
MsgScrLayoutInput input(int lines, qint32 buttons, double lineWidth = 1800)
{
    MsgScrLayoutInput in;
    for (int i = 0; i < lines; ++i)
        in.lineWidths.append(lineWidth);
    in.buttons = buttons;
    in.inforWidth = 1710;
    in.progrLabelWidth = 360;
    return in;
}
} // namespace

void TstMsgScrLayout::bodySize_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("clientW");
    QTest::addColumn<double>("clientH");
    QTest::newRow("one short line") << 1 << 1 << 4050.0 << 1140.0 << 5750.0 << 3360.0;
    QTest::newRow("five lines fit the minimum") << 5 << 1 << 4050.0 << 1140.0 << 5750.0 << 3360.0;
    QTest::newRow("six lines grow by one pitch") << 6 << 1 << 4050.0 << 1410.0 << 5750.0 << 3630.0;
    QTest::newRow("question pair") << 2 << 3 << 4050.0 << 1140.0 << 5750.0 << 3360.0;
    QTest::newRow("wait notice") << 1 << 0 << 4050.0 << 1140.0 << 5750.0 << 3360.0;
    QTest::newRow("progress one line raised to minimum") << 1 << 4 << 4050.0 << 1140.0 << 5750.0 << 3360.0;
    QTest::newRow("progress two lines") << 2 << 4 << 4050.0 << 1140.0 << 5750.0 << 3360.0;
    QTest::newRow("progress three lines") << 3 << 4 << 4050.0 << 1410.0 << 5750.0 << 3630.0;
}

void TstMsgScrLayout::bodySize()
{
    QFETCH(int, lines);
    QFETCH(int, buttons);
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(double, clientW);
    QFETCH(double, clientH);
    const MsgScrLayout l = MsgScrGeometry::layout(input(lines, buttons));
    QCOMPARE(l.bodyWidth, w);
    QCOMPARE(l.bodyHeight, h);
    QCOMPARE(l.clientWidth, clientW);
    QCOMPARE(l.clientHeight, clientH);
    QCOMPARE(l.windowWidth, clientW + 90);
    QCOMPARE(l.windowHeight, clientH + 480);
    QCOMPARE(l.progressVisible, buttons == 4);
    QCOMPARE(l.lines.size(), lines);
    for (int i = 0; i < lines; ++i) {
        QCOMPARE(l.lines[i].left, 1290.0);
        QCOMPARE(l.lines[i].top, 750.0 + 270.0 * i);
        QCOMPARE(l.lines[i].height, 180.0);
    }
}

void TstMsgScrLayout::wideLineWidensEverything()
{
    const MsgScrLayout narrow = MsgScrGeometry::layout(input(2, 3));
    MsgScrLayoutInput wideIn = input(2, 3);
    wideIn.lineWidths[1] = 4050 + 600.4; // rounded to a whole twip
    const MsgScrLayout wide = MsgScrGeometry::layout(wideIn);
    QCOMPARE(wide.bodyWidth, 4650.0);
    const double grow = wide.bodyWidth - narrow.bodyWidth;
    QCOMPARE(grow, 600.0);
    QCOMPARE(wide.textTop[1].width - narrow.textTop[1].width, grow);
    QCOMPARE(wide.textTop[2].left - narrow.textTop[2].left, grow);
    QCOMPARE(wide.frameTop[1].width - narrow.frameTop[1].width, grow);
    QCOMPARE(wide.frameMid[2].left - narrow.frameMid[2].left, grow);
    QCOMPARE(wide.title.width - narrow.title.width, grow);
    QCOMPARE(wide.progrBox.width - narrow.progrBox.width, grow);
    QCOMPARE(wide.progrPieces[1].width - narrow.progrPieces[1].width, grow);
    QCOMPARE(wide.clientWidth - narrow.clientWidth, grow);
    QCOMPARE(wide.bodyHeight, narrow.bodyHeight);
    // the emblem and the prompt line keep to the right edge
    QCOMPARE(wide.emblem.left - narrow.emblem.left, grow);
    QCOMPARE(wide.infor.left - narrow.infor.left, grow);
}

namespace {
using TileRow = std::array<TwipRect, 3>;

// Three rows of three tiles that cover `outer` without gap or overlap: the rows share their
// column edges, the corner columns are `cornerWidth` wide, the top and bottom rows as high as given.
void checkTileGrid(const TileRow (&rows)[3], const TwipRect &outer, double cornerWidth, double topHeight,
                   double bottomHeight)
{
    for (int r = 0; r < 3; ++r) {
        const TileRow &row = rows[r];
        QCOMPARE(row[0].left, outer.left);
        QCOMPARE(row[2].right(), outer.right());
        QCOMPARE(row[0].width, cornerWidth);
        QCOMPARE(row[2].width, cornerWidth);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(row[c].top, row[0].top);
            QCOMPARE(row[c].height, row[0].height);
            QCOMPARE(row[c].left, rows[0][c].left);
            QCOMPARE(row[c].width, rows[0][c].width);
            if (c > 0)
                QCOMPARE(row[c].left, row[c - 1].right());
        }
        if (r > 0)
            QCOMPARE(row[0].top, rows[r - 1][0].bottom());
    }
    QCOMPARE(rows[0][0].top, outer.top);
    QCOMPARE(rows[2][0].bottom(), outer.bottom());
    QCOMPARE(rows[0][0].height, topHeight);
    QCOMPARE(rows[2][0].height, bottomHeight);
}

// Body width and height by the rule's words: the widest line rounded, at least the 45-character
// gauge; 270 a line, plus 600 with the progress bar or less 210 without, at least five lines' 1140.
double ruleWidth(int lines, double lineWidth)
{
    return lines > 0 ? std::max(std::nearbyint(lineWidth), 4050.0) : 4050.0;
}
double ruleHeight(int lines, qint32 buttons)
{
    const double n = std::max(lines, 1);
    return std::max(buttons == 4 ? 270 * n + 600 : 270 * n - 210, 1140.0);
}
} // namespace

void TstMsgScrLayout::tiles_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<double>("lineWidth");
    QTest::newRow("one short line, 확인") << 1 << 1 << 1800.0;
    QTest::newRow("five lines fill the minimum") << 5 << 3 << 1800.0;
    QTest::newRow("six lines grow the box") << 6 << 1 << 1800.0;
    QTest::newRow("wide line widens the box") << 2 << 3 << 5333.0;
    QTest::newRow("wait notice") << 1 << 0 << 3000.0;
    QTest::newRow("progress bar, four lines") << 4 << 4 << 4500.0;
}

void TstMsgScrLayout::tiles()
{
    QFETCH(int, lines);
    QFETCH(int, buttons);
    QFETCH(double, lineWidth);
    const MsgScrLayoutInput in = input(lines, buttons, lineWidth);
    const MsgScrLayout l = MsgScrGeometry::layout(in);
    const double w = ruleWidth(lines, lineWidth);
    const double h = ruleHeight(lines, buttons);
    QCOMPARE(l.bodyWidth, w);
    QCOMPARE(l.bodyHeight, h);

    // the frame covers the whole client area, which the rule states as (W + 1700) x (H + 2220)
    const TwipRect client{0, 0, w + 1700, h + 2220};
    QCOMPARE(l.clientWidth, client.width);
    QCOMPARE(l.clientHeight, client.height);
    checkTileGrid({l.frameTop, l.frameMid, l.frameBtm}, client, 150, 240, in.bottomTileHeight);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(l.windowWidth, client.width + in.frameExtraWidth);
    QCOMPARE(l.windowHeight, client.height + in.frameExtraHeight);

    // the text box starts at (1140, 600) with 90-twip corners, its inner part 120 wider than the
    // body and 240 higher
    const TwipRect box{1140, 600, w + 120 + 180, h + 240 + 180};
    checkTileGrid({l.textTop, l.textMid, l.textBtm}, box, 90, 90, 90);
    // every line, and with set 4 the bar and its label, lies inside the box and above the strip
    QList<TwipRect> inside = l.lines;
    if (l.progressVisible)
        inside << l.progrBox << l.progrLabel;
    for (const TwipRect &r : std::as_const(inside)) {
        QVERIFY(r.left >= l.textMid[1].left && r.right() <= l.textMid[1].right());
        QVERIFY(r.top >= l.textMid[1].top && r.bottom() <= l.textMid[1].bottom());
    }
    QVERIFY(box.bottom() <= l.frameBtm[0].top);
    QVERIFY(box.right() <= l.frameMid[2].left);
}

void TstMsgScrLayout::progressBar_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<double>("barTop");
    QTest::addColumn<double>("labelTop");
    QTest::newRow("set 4 one line") << 1 << 1620.0 << 1380.0;
    QTest::newRow("set 4 four lines") << 4 << 270.0 * 4 + 600 + 480 << 270.0 * 4 + 600 + 240;
}

void TstMsgScrLayout::progressBar()
{
    QFETCH(int, lines);
    QFETCH(double, barTop);
    QFETCH(double, labelTop);
    const MsgScrLayout l = MsgScrGeometry::layout(input(lines, 4));
    QVERIFY(l.progressVisible);
    QCOMPARE(l.progrBox, (TwipRect{1290, barTop, l.bodyWidth, 390}));
    QCOMPARE(l.progrLabel.top, labelTop);
    QCOMPARE(l.progrPieces[0], (TwipRect{0, 0, 30, 390}));
    QCOMPARE(l.progrPieces[1], (TwipRect{30, 0, l.bodyWidth - 60, 390}));
    QCOMPARE(l.progrPieces[2], (TwipRect{l.bodyWidth - 30, 0, 30, 390}));
    QCOMPARE(l.progrCover, (TwipRect{30, 0, l.bodyWidth - 30, 390}));
    // the percentage sits centred above the bar
    QCOMPARE(l.progrLabel.left + l.progrLabel.width / 2, l.progrBox.left + l.progrBox.width / 2);
    // the bar lies inside the text box and below the last line
    QVERIFY(l.progrBox.bottom() <= l.textMid[1].bottom());
    QVERIFY(l.progrLabel.top >= l.lines.last().bottom());
}

void TstMsgScrLayout::buttons_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<double>("lineWidth");
    QTest::newRow("one button") << 1 << 1800.0;
    QTest::newRow("close button") << 2 << 1800.0;
    QTest::newRow("pair") << 3 << 1800.0;
    QTest::newRow("pair on a wide screen") << 3 << 5333.0;
    QTest::newRow("one button on a wide screen") << 1 << 5333.0;
}

void TstMsgScrLayout::buttons()
{
    QFETCH(int, buttons);
    QFETCH(double, lineWidth);
    const MsgScrLayout l = MsgScrGeometry::layout(input(1, buttons, lineWidth));
    const double y = l.frameBtm[0].top + 180;
    const double centre = l.clientWidth / 2;
    QCOMPARE(l.buttons[0], l.buttons[1]);
    QCOMPARE(l.buttons[1], l.buttons[2]);
    QCOMPARE(l.buttons[0].top, y);
    QCOMPARE(l.buttons[0].width, 1335.0);
    QCOMPARE(l.buttons[0].height, 435.0);
    // buttons lie in the bottom strip
    QVERIFY(l.buttons[0].bottom() <= l.clientHeight);
    if (buttons == 3) {
        QVERIFY(l.lastButtonPlaced);
        QCOMPARE(l.buttons[3].top, y);
        // symmetric about the centre line within the half-twip rounding
        const double leftGap = centre - l.buttons[2].right();
        const double rightGap = l.buttons[3].left - centre;
        QVERIFY2(qAbs(leftGap - rightGap) <= 1.0, qPrintable(QString("%1 vs %2").arg(leftGap).arg(rightGap)));
        // d = round(667.5 + 150) = 818 (half to even), so the gap is 2 x 818 - 1335 twips
        QCOMPARE(l.buttons[3].left - l.buttons[2].right(), 301.0);
    } else {
        QVERIFY(!l.lastButtonPlaced);
        QVERIFY(qAbs(l.buttons[0].left + l.buttons[0].width / 2 - centre) <= 0.5);
    }
}

void TstMsgScrLayout::labelsAndPictures()
{
    const MsgScrLayout l = MsgScrGeometry::layout(input(1, 1));
    QCOMPARE(l.icon, (TwipRect{220, 600, 780, 780}));
    QCOMPARE(l.heading, (TwipRect{90, 1500, 1020, 675}));
    QCOMPARE(l.title, (TwipRect{1125, 240, 4170 + 180, 240}));
    // the prompt line's right edge meets the text box's right edge
    QCOMPARE(l.infor.right(), l.textBtm[2].right());
    QCOMPARE(l.infor.top, l.frameBtm[0].top - 285);
    // the emblem at the right end of the button strip
    QCOMPARE(l.emblem.right(), l.frameBtm[2].left);
    QCOMPARE(l.emblem.top, l.frameBtm[0].top + 90);
}

void TstMsgScrLayout::centring_data()
{
    QTest::addColumn<TwipRect>("owner");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    // the one-line notice's window is 5840 x 3840
    QTest::newRow("centred owner") << TwipRect{0, 0, 15360, 11520} << 4760.0 << 3840.0;
    QTest::newRow("off-centre owner") << TwipRect{3000, 6000, 9000, 6000} << 4580.0 << 7080.0;
    QTest::newRow("owner smaller than the screen") << TwipRect{-600, 300, 4000, 3000} << -1520.0 << -120.0;
}

void TstMsgScrLayout::centring()
{
    QFETCH(TwipRect, owner);
    QFETCH(double, left);
    QFETCH(double, top);
    const MsgScrLayout l = MsgScrGeometry::layout(input(1, 1));
    QCOMPARE(l.windowWidth, 5840.0);
    QCOMPARE(l.windowHeight, 3840.0);
    const QPointF p = MsgScrGeometry::centredPosition(owner, l.windowWidth, l.windowHeight);
    QCOMPARE(p.x(), left);
    QCOMPARE(p.y(), top);
}

void TstMsgScrLayout::coverLeft_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<double>("left");
    QTest::addColumn<QString>("text");
    QTest::newRow("below zero") << -5.0 << 30.0 << "0.0%";
    QTest::newRow("zero") << 0.0 << 30.0 << "0.0%";
    QTest::newRow("half way") << 50.0 << 30.0 + 2010.0 << "50.0%";
    QTest::newRow("one decimal") << 42.5 << 30.0 + 4020.0 * 0.425 << "42.5%";
    QTest::newRow("rounded to one decimal") << 33.333 << 30.0 + 4020.0 * 0.33333 << "33.3%";
    QTest::newRow("full") << 100.0 << 4050.0 << "100.0%";
    QTest::newRow("beyond full") << 150.0 << 4050.0 << "100.0%";
}

void TstMsgScrLayout::coverLeft()
{
    QFETCH(double, percent);
    QFETCH(double, left);
    QFETCH(QString, text);
    QCOMPARE(MsgScrGeometry::coverLeft(4050, percent), left);
    QCOMPARE(MsgScrGeometry::percentText(percent), text);
}

void TstMsgScrLayout::glideTarget_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QPoint>("target");
    // 87 % across, 60 % down, a half going to the even neighbour
    QTest::newRow("answer button") << 2208.0 << 3060.0 << 1335.0 << 435.0 << QPoint(225, 221);
    QTest::newRow("half rounds to even, x") << 0.0 << 0.0 << 1500.0 << 0.0 << QPoint(87, 0);
    QTest::newRow("x.5 down to even") << 52.5 << 0.0 << 0.0 << 0.0 << QPoint(4, 0); // 3.5 -> 4
    QTest::newRow("x.5 up to even") << 37.5 << 22.5 << 0.0 << 0.0 << QPoint(2, 2); // 2.5 -> 2, 1.5 -> 2
    QTest::newRow("origin") << 0.0 << 0.0 << 0.0 << 0.0 << QPoint(0, 0);
}

void TstMsgScrLayout::glideTarget()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QPoint, target);
    QCOMPARE(MouseGlide::target(left, top, width, height, 15, 15), target);
}

void TstMsgScrLayout::glidePath_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QPoint>("step");
    QTest::newRow("exact eighths") << QPoint(0, 0) << QPoint(80, -16) << QPoint(10, -2);
    QTest::newRow("uneven: last step lands exactly") << QPoint(100, 100) << QPoint(113, 95) << QPoint(2, -1);
    QTest::newRow("half eighth rounds to even") << QPoint(0, 0) << QPoint(20, 12) << QPoint(2, 2); // 2.5, 1.5
    QTest::newRow("already there") << QPoint(7, 7) << QPoint(7, 7) << QPoint(0, 0);
}

void TstMsgScrLayout::glidePath()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QPoint, step);
    const QList<QPoint> path = MouseGlide::path(from, to);
    QCOMPARE(path.size(), MouseGlide::Steps + 1);
    for (int i = 0; i < MouseGlide::Steps; ++i)
        QCOMPARE(path[i], from + step * (i + 1));
    QCOMPARE(path.last(), to);
}

QTEST_APPLESS_MAIN(TstMsgScrLayout)
#include "tst_msgscrlayout.moc"
