#include "gridnav/navmath.h"

#include <QtTest>

#include <cmath>

using namespace NavMath;

class TstNavMath : public QObject
{
    Q_OBJECT

private slots:
    void roundEven_data();
    void roundEven();
    void pageRows_data();
    void pageRows();
    void fitHeight_data();
    void fitHeight();
    void scrollMapping_data();
    void scrollMapping();
    void largeChange_data();
    void largeChange();
    void stepTarget_data();
    void stepTarget();
    void scrollClick_data();
    void scrollClick();
    void goLimit_data();
    void goLimit();
    void texts();
    void focusBox_data();
    void focusBox();
    void goSlide();
    void sumGeometry_data();
    void sumGeometry();
    void hScrollNeed_data();
    void hScrollNeed();
    void panelLayoutOfRateWindow();
    void arrangement();
    void fitToWidth_data();
    void fitToWidth();
};

void TstNavMath::roundEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("half down to even") << 2.5 << 2;
    QTest::newRow("half up to even") << 3.5 << 4;
    QTest::newRow("negative half") << -0.5 << 0;
    QTest::newRow("below half") << 12.466 << 12;
    QTest::newRow("huge held at int max") << 1e12 << std::numeric_limits<int>::max();
}

void TstNavMath::roundEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(NavMath::roundEven(value), expected);
}

void TstNavMath::pageRows_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("headers");
    QTest::addColumn<int>("expected");
    // 3000 twips = 200 pixels = 127.4 units = 12.47 rows, less two for a single header row
    QTest::newRow("3000 twips, one header") << 3000.0 << 1 << 10;
    QTest::newRow("3000 twips, two headers") << 3000.0 << 2 << 10;
    QTest::newRow("3000 twips, three headers") << 3000.0 << 3 << 9;
    QTest::newRow("rate window grid") << 4813.0 << 1 << 18;
    QTest::newRow("empty height") << 0.0 << 1 << -2;
}

void TstNavMath::pageRows()
{
    QFETCH(double, height);
    QFETCH(int, headers);
    QFETCH(int, expected);
    QCOMPARE(NavMath::pageRows(height, headers), expected);
}

void TstNavMath::fitHeight_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("below");
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("rows");
    QTest::newRow("rate window with summary") << 6135.0 << 330.0 << 810.0 << 20;
    QTest::newRow("rate window without summary") << 6135.0 << 0.0 << 810.0 << 21;
    QTest::newRow("small") << 1500.0 << 0.0 << 0.0 << 5;
}

void TstNavMath::fitHeight()
{
    QFETCH(double, height);
    QFETCH(double, below);
    QFETCH(double, top);
    QFETCH(int, rows);
    const int h = NavMath::fitHeight(height, below, top);
    // a whole number of data rows of 10.22 units, 0.637 units per 15-twip pixel
    QCOMPARE(h, int(std::lround(rows * 10.22 * 15 / 0.637)));
    QVERIFY(h <= height - below - top);
}

void TstNavMath::scrollMapping_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("row");
    QTest::newRow("thumb at top") << 100 << 20 << 1 << 1;
    QTest::newRow("thumb at bottom shows LastTop") << 100 << 20 << 10000 << 81;
    QTest::newRow("big grid bottom") << 1000000 << 20 << 10000 << 999981;
    QTest::newRow("one row per step") << 10019 << 20 << 4321 << 4321;
    QTest::newRow("low value held at row 1") << 100 << 20 << 2 << 1;
    QTest::newRow("half row to even") << 10019 + 10000 << 20 << 5 << 10; // 2.0 rows per step
}

void TstNavMath::scrollMapping()
{
    QFETCH(int, rows);
    QFETCH(int, page);
    QFETCH(int, value);
    QFETCH(int, row);
    QCOMPARE(rowOf(value, rows, page), row);
    // and back: the row's position lands within one step of the value
    const int pos = scrollPos(row, rows, page);
    QVERIFY2(pos >= 1 && pos <= 10000, qPrintable(QString::number(pos)));
    if (row == lastTop(rows, page))
        QCOMPARE(pos, 10000);
    QCOMPARE(scrollPos(1, rows, page), 1);
}

void TstNavMath::largeChange_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("expected");
    QTest::newRow("less than a page beyond") << 30 << 20 << 10000;
    QTest::newRow("exactly a page beyond") << 40 << 20 << 10000;
    QTest::newRow("100 rows, page 20") << 100 << 20 << 2469; // 20 / (81 / 10000)
    QTest::newRow("a million rows: at least 1") << 1000000 << 20 << 1;
}

void TstNavMath::largeChange()
{
    QFETCH(int, rows);
    QFETCH(int, page);
    QFETCH(int, expected);
    QCOMPARE(NavMath::largeChange(rows, page), expected);
}

void TstNavMath::stepTarget_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("repeats");
    QTest::addColumn<bool>("clamped");
    QTest::newRow("END shows the last page") << "END" << 1 << 100 << 81 << false << false;
    QTest::newRow("TOP") << "TOP" << 50 << 100 << 1 << false << false;
    QTest::newRow("PDN keeps one row") << "PDN" << 1 << 100 << 20 << true << false;
    QTest::newRow("PDN clamped at LastTop") << "PDN" << 70 << 100 << 81 << true << true;
    QTest::newRow("PUP back to 1") << "PUP" << 20 << 100 << 1 << true << false;
    QTest::newRow("PUP clamped at 1") << "PUP" << 10 << 100 << 1 << true << true;
    QTest::newRow("1UP at top") << "1UP" << 1 << 100 << 1 << true << true;
    QTest::newRow("1DN") << "1DN" << 5 << 100 << 6 << true << false;
    QTest::newRow("1DN at bottom") << "1DN" << 81 << 100 << 81 << true << true;
    QTest::newRow("blanks ignored") << " 1DN  " << 5 << 100 << 6 << true << false;
    QTest::newRow("unknown tag goes to row 1") << "XYZ" << 50 << 100 << 1 << false << false;
    QTest::newRow("fewer rows than a page") << "END" << 1 << 5 << 1 << false << true;
}

void TstNavMath::stepTarget()
{
    QFETCH(QString, tag);
    QFETCH(int, top);
    QFETCH(int, rows);
    QFETCH(int, target);
    QFETCH(bool, repeats);
    QFETCH(bool, clamped);
    const NavMath::Direction direction = NavMath::directionOf(tag);
    const StepResult r = NavMath::stepTarget(direction, top, rows, 20);
    QCOMPARE(r.target, target);
    QCOMPARE(r.repeats, repeats);
    QCOMPARE(r.clamped, clamped);
    QCOMPARE(NavMath::isRepeating(direction), repeats);
    // a known tag reads back as its own text; any other is no direction
    QCOMPARE(NavMath::tagOf(direction), direction == NavMath::Direction::None ? QString() : tag.trimmed());
}

void TstNavMath::scrollClick_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("target");
    // a track click moves P - 1 rows whatever the clicked position
    QTest::newRow("just below the thumb") << 30 << scrollPos(30, 100, 20) + 1 << 49;
    QTest::newRow("far below the thumb") << 30 << 9999 << 49;
    QTest::newRow("just above the thumb") << 30 << scrollPos(30, 100, 20) - 1 << 11;
    QTest::newRow("same value counts as up") << 30 << scrollPos(30, 100, 20) << 11;
    QTest::newRow("down clamped at LastTop") << 70 << 10000 << 81;
}

void TstNavMath::scrollClick()
{
    QFETCH(int, top);
    QFETCH(int, value);
    QFETCH(int, target);
    QCOMPARE(scrollClickTarget(value, top, 100, 20), target);
}

void TstNavMath::goLimit_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero to 1") << qint64(0) << 100 << 1;
    QTest::newRow("too large to LastTop") << qint64(5000) << 100 << 81;
    QTest::newRow("beyond 32 bits") << qint64(99999999999) << 100 << 81;
    QTest::newRow("in range") << qint64(50) << 100 << 50;
    QTest::newRow("one page: not corrected") << qint64(50) << 10 << 50;
}

void TstNavMath::goLimit()
{
    QFETCH(qint64, value);
    QFETCH(int, rows);
    QFETCH(int, expected);
    QCOMPARE(NavMath::goLimit(value, rows, 20), expected);
}

void TstNavMath::texts()
{
    const struct
    {
        qint64 n;
        const char *text;
    } cases[] = {{0, "0"},
                 {7, "7"},
                 {999, "999"},
                 {1234, "1,234"},
                 {12345, "12,345"},
                 {1234567, "1,234,567"},
                 {100000000, "100,000,000"}};
    for (const auto &c : cases) {
        QCOMPARE(nowText(c.n), QString::fromLatin1(c.text));
        QCOMPARE(parseNowText(QString::fromLatin1(c.text)), c.n);
    }
    QCOMPARE(parseNowText(QStringLiteral("abc")), qint64(0));
    QCOMPARE(goLabel(1234), QStringLiteral("(1 ~ 1,234)"));
    QCOMPARE(goLabel(81), QStringLiteral("(1 ~ 81)"));
}

void TstNavMath::focusBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<int>("width");
    QTest::newRow("12,345 focused") << "12,345" << true << 630;
    QTest::newRow("1,234 focused") << "1,234" << true << 540;
    QTest::newRow("1,234,567 focused") << "1,234,567" << true << 900;
    QTest::newRow("999 stays") << "999" << true << 345;
    QTest::newRow("12,345 unfocused") << "12,345" << false << 345;
}

void TstNavMath::focusBox()
{
    QFETCH(QString, text);
    QFETCH(bool, focus);
    QFETCH(int, width);
    QCOMPARE(focusBoxWidth(text, focus), width);
    const QRectF panel(6915, 810, kPanelWidth, 5000);
    const QRectF box = lineBoxRect(0, panel, width);
    QCOMPARE(box.right(), panel.right()); // widens to the left only
    QCOMPARE(box.top(), 810.0 + 945);
    QCOMPARE(lineBoxRect(1, panel, width).top(), 810.0 + 5000 - 600);
}

void TstNavMath::goSlide()
{
    const double left = 6915, top = 810;
    QCOMPARE(goSlideRect(0, left, top, 300), QRectF(left, top, 15, 300));
    for (int k = 1; k <= 5; ++k) {
        const QRectF r = goSlideRect(k, left, top, 300);
        QCOMPARE(r.width(), 282.0 * k);
        QCOMPARE(r.right(), left); // slides out of the panel's left edge
    }
    QCOMPARE(goSlideRect(6, left, top, 300), QRectF(left - 1410 + 15, top, 1410, 300));
}

void TstNavMath::sumGeometry_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("hscroll");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("rowHeight");
    QTest::addColumn<int>("mode");
    QTest::newRow("one row, all columns fit") << 1 << false << 330 << 13.63 << 0;
    QTest::newRow("one row with the bar") << 1 << true << 600 << 11.59 << 1;
    QTest::newRow("two rows") << 2 << false << 555 << 11.59 << 0;
    QTest::newRow("two rows with the bar") << 2 << true << 870 << 11.59 << 1;
}

void TstNavMath::sumGeometry()
{
    QFETCH(int, rows);
    QFETCH(bool, hscroll);
    QFETCH(int, height);
    QFETCH(double, rowHeight);
    QFETCH(int, mode);
    const SumGeometry g = NavMath::sumGeometry(rows, hscroll);
    QCOMPARE(g.height, height);
    QCOMPARE(g.rowHeight, rowHeight);
    QCOMPARE(g.scrollBarMode, mode);
}

void TstNavMath::hScrollNeed_data()
{
    QTest::addColumn<double>("gridWidth");
    QTest::addColumn<bool>("needed");
    // the rate window's columns 10 + 10 + 10 + 10 + 50 units plus row numbers 4
    QTest::newRow("design width 6840") << 6840.0 << true;
    QTest::newRow("wide window") << 12000.0 << false;
    QTest::newRow("just too narrow") << (90 + 6 * 0.124999 + 4) / 0.124999 * 15 - 1 << true;
}

void TstNavMath::hScrollNeed()
{
    QFETCH(double, gridWidth);
    QFETCH(bool, needed);
    QCOMPARE(needsHScroll(gridWidth, 4, {10, 10, 10, 10, 50}), needed);
}

void TstNavMath::panelLayoutOfRateWindow()
{
    const QRectF grid(90, 810, 6840, 3570);
    const PanelLayout l = panelLayout(grid, 6135, true, 330);
    QCOMPARE(l.gridHeight, NavMath::fitHeight(6135, 330, 810));
    QCOMPARE(l.sum, QRectF(90, 810 + l.gridHeight - 15, 6840, 330)); // one shared border line
    QCOMPARE(l.panel.left(), 90.0 + 6840 - 15);
    QCOMPARE(l.panel.top(), 810.0);
    QCOMPARE(l.panel.height(), l.gridHeight + 330.0 - 15);
    QCOMPARE(l.panel.bottom(), l.sum.bottom()); // the panel runs down beside the summary line
    QCOMPARE(l.frameTop, l.panel.height() - 1345 + 15);
    QCOMPARE(l.scrollHeight, l.panel.height() - 1965 - 1345 + 270);

    const PanelLayout bare = panelLayout(grid, 6135, false, 0);
    QCOMPARE(bare.panel.height(), double(bare.gridHeight));
    QVERIFY(bare.sum.isNull());
}

void TstNavMath::arrangement()
{
    const PanelArrangement a = panelArrangement(5000);
    const QRectF buttons[] = {a.xls, a.grp, a.fnd};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(buttons[i], QRectF(0, 315 * i, 330, 315));
    QCOMPARE(a.top.top(), 1215.0);
    QCOMPARE(a.up1.bottom(), a.scroll.top()); // the bar starts under 1UP
    QCOMPARE(a.scroll.left(), -15.0);
    QCOMPARE(a.frame, QRectF(0, 5000 - 1345, 330, 1345));
    QCOMPARE(a.scroll.bottom(), a.frame.top());
    QCOMPARE(a.end.bottom(), 750.0);
    QCOMPARE(a.ref.top(), 1035.0);
}

void TstNavMath::fitToWidth_data()
{
    QTest::addColumn<double>("gridWidth");
    QTest::addColumn<bool>("hideThird");
    QTest::newRow("design width") << 6840.0 << false;
    QTest::newRow("after a resize") << 11385.0 << false;
    QTest::newRow("odd width") << 7777.0 << false;
    QTest::newRow("a hidden column") << 6840.0 << true;
}

void TstNavMath::fitToWidth()
{
    QFETCH(double, gridWidth);
    QFETCH(bool, hideThird);
    const QVector<double> def{4, 10, 10, 10, 10, 50};
    QVector<bool> hidden(6, false);
    hidden[3] = hideThird;
    const int n = hideThird ? 4 : 5;
    const double A = availableWidth(gridWidth, n, 4);
    QCOMPARE(A, ((gridWidth - (n + 3) * 15) / 15) * 0.124999 - 4);
    // a grid that keeps whole pixels (8 per unit)
    auto pixels = [](double w) { return std::floor(w * 8) / 8; };
    QVector<double> applied(6, -1);
    const QVector<double> w = NavMath::fitToWidth(def, hidden, 5, A, [&](int c, double width) {
        applied[c] = width;
        return pixels(width);
    });
    for (int c = 1; c < 5; ++c)
        QCOMPARE(applied[c], w[c]); // every other visible column is applied once

    QCOMPARE(w[0], -1.0);
    QCOMPARE(w[3] < 0, hideThird);
    double total = 0;
    for (int c = 1; c < 6; ++c)
        if (w[c] >= 0)
            total += c == 5 ? w[c] : pixels(w[c]);
    QVERIFY(qFuzzyCompare(total, A)); // ends flush with the available width
    QVERIFY(w[5] > w[1]); // the fill column keeps its larger share
}

QTEST_GUILESS_MAIN(TstNavMath)
#include "tst_navmath.moc"
