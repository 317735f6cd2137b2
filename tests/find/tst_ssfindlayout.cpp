#include "find/ssfindlayout.h"

#include <QTest>

using SSFindLayout::TwipRect;

Q_DECLARE_METATYPE(SSFindLayout::TwipRect)

namespace {

bool inside(const TwipRect &inner, const TwipRect &outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

bool overlap(const TwipRect &a, const TwipRect &b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

} // namespace

class TstSSFindLayout : public QObject
{
    Q_OBJECT

private slots:
    void controlSitsInItsArea_data();
    void controlSitsInItsArea();
    void noControlsOverlap();
    void statedSizes();
};

void TstSSFindLayout::controlSitsInItsArea_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<TwipRect>("area");
    const TwipRect client{0, 0, SSFindLayout::ClientWidth, SSFindLayout::ClientHeight};
    const TwipRect belowFrames{0, SSFindLayout::SearchFrame.bottom(), SSFindLayout::ClientWidth,
                               SSFindLayout::ClientHeight - SSFindLayout::SearchFrame.bottom()};
    QTest::newRow("column header in the upper frame") << "lblSSFind_0" << SSFindLayout::CellFrame;
    QTest::newRow("row number in the upper frame") << "lblSSFind_1" << SSFindLayout::CellFrame;
    QTest::newRow("content in the upper frame") << "txtSSFind" << SSFindLayout::CellFrame;
    QTest::newRow("search text in the lower frame") << "cboSSFind" << SSFindLayout::SearchFrame;
    QTest::newRow("pick button in the lower frame") << "cmdSSFind" << SSFindLayout::SearchFrame;
    QTest::newRow("whole-value box in the lower frame") << "chkSSFind_0" << SSFindLayout::SearchFrame;
    QTest::newRow("column-only box in the lower frame") << "chkSSFind_1" << SSFindLayout::SearchFrame;
    QTest::newRow("찾기 below the frames") << "cmdNEXT" << belowFrames;
    QTest::newRow("닫기 below the frames") << "cmdClose" << belowFrames;
    QTest::newRow("upper frame in the client area") << "" << client;
}

void TstSSFindLayout::controlSitsInItsArea()
{
    QFETCH(QString, name);
    QFETCH(TwipRect, area);
    if (name.isEmpty()) {
        QVERIFY(inside(SSFindLayout::CellFrame, area));
        QVERIFY(inside(SSFindLayout::SearchFrame, area));
        QVERIFY(!overlap(SSFindLayout::CellFrame, SSFindLayout::SearchFrame));
        return;
    }
    bool seen = false;
    for (const auto &placed : SSFindLayout::controls()) {
        if (placed.name != name)
            continue;
        seen = true;
        QVERIFY2(inside(placed.rect, area), qPrintable(name));
    }
    QVERIFY(seen);
}

void TstSSFindLayout::noControlsOverlap()
{
    const auto all = SSFindLayout::controls();
    for (int i = 0; i < all.size(); ++i)
        for (int j = i + 1; j < all.size(); ++j)
            QVERIFY2(!overlap(all[i].rect, all[j].rect),
                     qPrintable(all[i].name + " overlaps " + all[j].name));
}

void TstSSFindLayout::statedSizes()
{
    // twips at 15 per pixel
    QCOMPARE(SSFindLayout::ClientWidth / 15, 240.0);
    QCOMPARE(SSFindLayout::ClientHeight / 15, 178.0);
    QCOMPARE(SSFindLayout::cmdSSFind.width / 15, 18.0);
    QCOMPARE(SSFindLayout::cmdSSFind.height / 15, 18.0);
    QCOMPARE(SSFindLayout::controls().size(), 9);
}

QTEST_GUILESS_MAIN(TstSSFindLayout)
#include "tst_ssfindlayout.moc"
