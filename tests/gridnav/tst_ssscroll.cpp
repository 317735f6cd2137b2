// The navigator's moves, its repeat, the scroll bar both ways, the go-to box and the line display.
#include "shownform.h"

#include "../common/scrollbarparts.h"

#include "gridnav/navmath.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"
#include "winui/tipwindow.h" // ToolTip::tipWindow() needs the complete type
#include "winui/tooltip.h"

#include "../common/fakeservices.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

// Where the bar draws its thumb and its track (the bar's own pixels).
QRect thumbRect(const QScrollBar *bar)
{
    return ScrollBarParts::rect(bar, QStyle::SC_ScrollBarSlider);
}

QRect grooveRect(const QScrollBar *bar)
{
    return ScrollBarParts::rect(bar, QStyle::SC_ScrollBarGroove);
}

// Notes each new pixel rectangle of a widget.
class GeometryLog : public QObject
{
public:
    GeometryLog(QWidget *w, QVector<QRect> &frames)
        : m_frames(frames)
    {
        w->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            const QRect g = static_cast<QWidget *>(watched)->geometry();
            if (m_frames.isEmpty() || m_frames.last() != g)
                m_frames.append(g);
        }
        return false;
    }

private:
    QVector<QRect> &m_frames;
};

} // namespace

class TstSsScroll : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void init();
    void cleanup();

    void pageRowsFollowGridHeight();
    void emptyGrid();
    void moveStep_data();
    void moveStep();
    void heldButtonRepeats();
    void stopAtBoundKeepsRow();
    void thumbDrag_data();
    void thumbDrag();
    void trackClickMovesOnePage();
    void wheelScrollUpdatesPanel();
    void goToBox();
    void goToNothingWhenOnePage();
    void goToBoxClosedWhileSliding();
    void goToEscape();
    void currentLineText();

private:
    NavTestForm *m_form = nullptr;
    void setPage(int rows, int page);
};

void TstSsScroll::init()
{
    m_fakes->twipsPerPixel = 15;
    m_form = new NavTestForm;
    QVERIFY(showActive(*m_form));
}

void TstSsScroll::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

// `rows` rows in a grid sized for a page of `page` rows.
void TstSsScroll::setPage(int rows, int page)
{
    QCOMPARE(m_form->showPage(rows, page), page);
}

void TstSsScroll::pageRowsFollowGridHeight()
{
    m_form->grid->resize(m_form->grid->width(), 200); // 3000 twips
    QCOMPARE(fnSS_PageRows(m_form->info, 1), 10);
    sbSS_MOVE_LineDisp(m_form->info);
    QCOMPARE(m_form->info.PageRows, 10);
}

void TstSsScroll::emptyGrid()
{
    SS_MOVE_INFO &i = m_form->info;
    m_form->fill(0);
    QCOMPARE(m_form->grid->MaxRows(), 0);
    QCOMPARE(i.txtNow->text(), QStringLiteral("1"));
    QCOMPARE(i.txtMax->text(), QStringLiteral("0"));
    QVERIFY(!i.sclMove->isEnabled());
    for (QAbstractButton *b : {i.cmdTop, i.cmdPup, i.cmd1Up, i.cmd1Dn, i.cmdPdn, i.cmdEnd})
        QVERIFY(!b->isEnabled());
    sbSS_MOVE_Reset(i);
    QCOMPARE(i.txtNow->text(), QString());
    QCOMPARE(i.txtMax->text(), QString());

    // a step on an empty grid (the timer path does not look at the buttons) stays at row 1
    sbSS_MOVE_Step(i, QStringLiteral("END"));
    QCOMPARE(m_form->grid->FirstVisibleRow(), 1);
}

void TstSsScroll::moveStep_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("to");
    QTest::newRow("END shows 81..100") << 1 << "END" << 81;
    QTest::newRow("PDN from 1") << 1 << "PDN" << 20;
    QTest::newRow("PDN from 70 clamped") << 70 << "PDN" << 81;
    QTest::newRow("PUP from 20") << 20 << "PUP" << 1;
    QTest::newRow("1DN") << 40 << "1DN" << 41;
    QTest::newRow("1UP") << 40 << "1UP" << 39;
    QTest::newRow("TOP") << 40 << "TOP" << 1;
}

void TstSsScroll::moveStep()
{
    QFETCH(int, from);
    QFETCH(QString, tag);
    QFETCH(int, to);
    setPage(100, 20);
    SS_MOVE_INFO &i = m_form->info;
    m_form->grid->setFirstVisibleRow(from);
    QCOMPARE(i.txtNow->text(), QString::number(from)); // followed the grid
    QAbstractButton *button = nullptr;
    for (QAbstractButton *b : {i.cmdTop, i.cmdPup, i.cmd1Up, i.cmd1Dn, i.cmdPdn, i.cmdEnd})
        if (b->property("Tag").toString() == tag)
            button = b;
    QVERIFY(button);
    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(m_form->grid->FirstVisibleRow(), to);
    QCOMPARE(i.txtNow->text(), QString::number(to));
    QCOMPARE(i.sclMove->value(), NavMath::scrollPos(to, 100, 20));
    QVERIFY(!i.MoveBusy);
    QVERIFY(!i.SkipTopLeft);
    QTest::mouseRelease(button, Qt::LeftButton);
    QVERIFY(!i.timMove->isActive());
}

void TstSsScroll::heldButtonRepeats()
{
    setPage(1000, 20);
    SS_MOVE_INFO &i = m_form->info;
    auto *down = qobject_cast<PicButton *>(i.cmd1Dn);
    QVERIFY(down);
    // when each move reached the grid, ms after the press
    QElapsedTimer clock;
    QVector<qint64> moves;
    connect(m_form->grid, &SpreadGrid::TopLeftChange, this, [&](int, int oldTop, int, int newTop) {
        if (newTop != oldTop)
            moves.append(clock.elapsed());
    });
    clock.start();
    QTest::mousePress(down, Qt::LeftButton);
    QCOMPARE(moves.size(), 1); // at once
    QCOMPARE(m_form->grid->FirstVisibleRow(), 2);
    QCOMPARE(i.sclMove->property("Tag").toString(), QStringLiteral("1DN"));
    QCOMPARE(i.timMove->interval(), 450);
    QTRY_VERIFY_WITH_TIMEOUT(moves.size() >= 2, 2000);
    QVERIFY2(moves[1] >= 449, qPrintable(QString::number(moves[1]))); // not before 450 ms
    QCOMPARE(i.timMove->interval(), 60);
    QTest::qWait(600);
    const qsizetype held = moves.size();
    QTest::mouseRelease(down, Qt::LeftButton);
    const qint64 released = clock.elapsed();
    // then every 60 ms: never faster, and the repeat keeps going
    for (qsizetype k = 2; k < held; ++k)
        QVERIFY2(moves[k] - moves[1] >= 59 * (k - 1),
                 qPrintable(QStringLiteral("move %1 at %2 ms").arg(k).arg(moves[k])));
    QVERIFY2(held >= 2 + 3, qPrintable(QString::number(held)));
    QVERIFY(held <= 2 + (released - moves[1]) / 59 + 1);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 1 + int(held));

    // releasing stops at once and gives the grid the focus
    const int stopped = m_form->grid->FirstVisibleRow();
    QVERIFY(!i.timMove->isActive());
    QCOMPARE(i.timMove->interval(), 450);
    QCOMPARE(i.sclMove->property("Tag").toString(), QString());
    QTest::qWait(200);
    QCOMPARE(m_form->grid->FirstVisibleRow(), stopped);
    QTRY_VERIFY(m_form->grid->isAncestorOf(QApplication::focusWidget()) || m_form->grid->hasFocus());
    QCOMPARE(i.txtNow->text(), NavMath::nowText(stopped));
}

void TstSsScroll::stopAtBoundKeepsRow()
{
    setPage(100, 20);
    SS_MOVE_INFO &i = m_form->info;
    m_form->grid->setFirstVisibleRow(80);
    auto *pdn = qobject_cast<PicButton *>(i.cmdPdn);
    QTest::mousePress(pdn, Qt::LeftButton);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 81);
    QTest::qWait(700); // repeats at the bound only re-arm the timer
    QCOMPARE(m_form->grid->FirstVisibleRow(), 81);
    QTest::mouseRelease(pdn, Qt::LeftButton);
    QVERIFY(!i.timMove->isActive());

    // TOP and END never repeat
    QTest::mousePress(qobject_cast<PicButton *>(i.cmdTop), Qt::LeftButton);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 1);
    QVERIFY(!i.timMove->isActive());
    QTest::mouseRelease(qobject_cast<PicButton *>(i.cmdTop), Qt::LeftButton);

    // the right button does not move
    QTest::mousePress(qobject_cast<PicButton *>(i.cmdEnd), Qt::RightButton);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 1);
    QTest::mouseRelease(qobject_cast<PicButton *>(i.cmdEnd), Qt::RightButton);
}

void TstSsScroll::thumbDrag_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("row");
    QTest::newRow("bottom shows LastTop") << 100 << 10000 << 81;
    QTest::newRow("top shows row 1") << 100 << 1 << 1;
    QTest::newRow("middle") << 10019 << 5000 << 5000;
}

void TstSsScroll::thumbDrag()
{
    QFETCH(int, rows);
    QFETCH(int, value);
    QFETCH(int, row);
    setPage(rows, 20);
    SS_MOVE_INFO &i = m_form->info;
    m_form->grid->setFirstVisibleRow(40);
    // the thumb taken with the mouse and dragged: past the bar's ends, or to where the value stands
    QScrollBar *bar = i.sclMove;
    const QRect thumb = thumbRect(bar);
    const QPoint from = bar->mapTo(m_form, thumb.center());
    QTest::mousePress(m_form->windowHandle(), Qt::LeftButton, {}, from);
    QVERIFY(bar->isSliderDown());
    const QRect groove = grooveRect(bar);
    const int span = groove.height() - thumb.height();
    int y = from.y() - thumb.center().y() + groove.top() + thumb.height() / 2
        + int(std::lround(double(span) * (value - bar->minimum()) / (bar->maximum() - bar->minimum())));
    if (value == bar->maximum())
        y += 40;
    else if (value == bar->minimum())
        y -= 40;
    QTest::mouseMove(m_form->windowHandle(), QPoint(from.x(), y));
    const int reached = bar->sliderPosition();
    QVERIFY2(qAbs(reached - value) <= 2 * (bar->maximum() - bar->minimum()) / std::max(1, span),
             qPrintable(QString::number(reached)));
    const int expected = reached == 1 ? 1 : NavMath::rowOf(reached, rows, 20);
    QCOMPARE(m_form->grid->FirstVisibleRow(), expected);
    QVERIFY(qAbs(expected - row) <= 2 * rows / std::max(1, span) + 1);
    QCOMPARE(i.txtNow->text(), NavMath::nowText(expected));
    QVERIFY(i.MoveBusy); // until the thumb is let go
    QTest::mouseRelease(m_form->windowHandle(), Qt::LeftButton, {}, QPoint(from.x(), y));
    QVERIFY(!i.MoveBusy);
    QVERIFY(!i.SkipTopLeft);
    QCOMPARE(m_form->grid->FirstVisibleRow(), expected); // letting go does not page
}

void TstSsScroll::trackClickMovesOnePage()
{
    setPage(1000, 20);
    SS_MOVE_INFO &i = m_form->info;
    QCOMPARE(i.sclMove->pageStep(), NavMath::largeChange(1000, 20));
    // a click in the track near its bottom end moves one page, not to where it was clicked
    QScrollBar *bar = i.sclMove;
    const QPoint low(bar->width() / 2, grooveRect(bar).bottom() - 3);
    QTest::mouseClick(bar, Qt::LeftButton, {}, low);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 20);
    QTest::mouseClick(bar, Qt::LeftButton, {}, low);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 39);
    QCOMPARE(i.sclMove->value(), NavMath::scrollPos(39, 1000, 20));
    // the step arrow moves a page too: the size of the change is not used
    i.sclMove->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 20);
    QCOMPARE(i.txtNow->text(), QStringLiteral("20"));
    QVERIFY(!i.MoveBusy);
    QVERIFY(!i.SkipTopLeft);
}

void TstSsScroll::wheelScrollUpdatesPanel()
{
    setPage(1000, 20);
    SS_MOVE_INFO &i = m_form->info;
    // a move by other means (wheel, keyboard, the find window) shows in the panel
    m_form->grid->setFirstVisibleRow(500);
    QCOMPARE(i.txtNow->text(), QStringLiteral("500"));
    QCOMPARE(i.sclMove->value(), NavMath::scrollPos(500, 1000, 20));
    QCOMPARE(m_form->grid->FirstVisibleRow(), 500); // the bar's update did not page
    // after a drag that did not change the row the next move is not skipped
    i.sclMove->setSliderDown(true);
    i.sclMove->setSliderPosition(i.sclMove->value());
    i.sclMove->setSliderDown(false);
    m_form->grid->setFirstVisibleRow(600);
    QCOMPARE(i.txtNow->text(), QStringLiteral("600"));
}

void TstSsScroll::goToBox()
{
    setPage(1253, 20); // LastTop 1234
    SS_MOVE_INFO &i = m_form->info;
    m_form->grid->setFirstVisibleRow(17);
    // every place the box takes on its way out
    QVector<QRect> frames;
    GeometryLog log(i.picGo, frames);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseDClick(i.txtNow, Qt::LeftButton);
    QVERIFY(i.picGo->isVisible());
    QTRY_VERIFY(!i.navigator->isSliding());
    QVERIFY(clock.elapsed() >= 50); // five steps of at least 10 ms
    QVERIFY(i.picGo->isVisible());
    QCOMPARE(i.lblGo->text(), QStringLiteral("(1 ~ 1,234)"));
    QCOMPARE(i.txtGo->text(), QStringLiteral("17"));
    const QRectF back(Twips::left(i.picBack), Twips::top(i.picBack), 0, 0);
    QVector<QRect> expected;
    for (int k = 0; k <= NavMath::kGoSteps + 1; ++k) {
        const QRectF r = NavMath::goSlideRect(k, back.left(), back.top(), 345);
        QWidget probe;
        Twips::setGeometry(&probe, r.left(), r.top(), r.width(), r.height());
        if (expected.isEmpty() || expected.last() != probe.geometry())
            expected.append(probe.geometry());
    }
    QCOMPARE(frames, expected);
    QCOMPARE(Twips::width(i.picGo), 1410.0);
    QCOMPARE(Twips::left(i.picGo), back.left() - 1410 + 15);
    QCOMPARE(Twips::top(i.picGo), back.top());
    QTRY_VERIFY(i.txtGo->hasFocus());
    QTRY_COMPARE(i.txtGo->selectedText(), QStringLiteral("17"));

    QTest::keyClicks(i.txtGo, QStringLiteral("0"));
    QCOMPARE(i.txtGo->text(), QStringLiteral("1"));
    i.txtGo->selectAll();
    QTest::keyClicks(i.txtGo, QStringLiteral("99999"));
    QCOMPARE(i.txtGo->text(), QStringLiteral("1234"));
    i.txtGo->selectAll();
    QTest::keyClicks(i.txtGo, QStringLiteral("600"));
    QCOMPARE(i.txtGo->text(), QStringLiteral("600"));
    QTest::keyClick(i.txtGo, Qt::Key_Return);
    QCOMPARE(m_form->grid->FirstVisibleRow(), 600);
    QCOMPARE(i.txtNow->text(), QStringLiteral("600"));
    QCOMPARE(i.sclMove->value(), NavMath::scrollPos(600, 1253, 20));
    QTRY_VERIFY(!i.picGo->isVisible()); // the grid took the focus
    QVERIFY(!i.MoveBusy);
    QVERIFY(!i.SkipTopLeft);

    // an open box closes when the focus leaves it for another control (a click on the grid)
    QTest::mouseDClick(i.txtNow, Qt::LeftButton);
    QVERIFY(i.picGo->isVisible());
    QTRY_VERIFY(i.txtGo->hasFocus());
    QTest::mouseClick(m_form->grid->view()->viewport(), Qt::LeftButton, {}, QPoint(40, 30));
    QVERIFY(!i.picGo->isVisible());
    QCOMPARE(m_form->grid->FirstVisibleRow(), 600);
}

void TstSsScroll::goToBoxClosedWhileSliding()
{
    setPage(1253, 20);
    SS_MOVE_INFO &i = m_form->info;
    // a second double-click while the box slides out closes it; the slide does not bring it back
    QTest::mouseDClick(i.txtNow, Qt::LeftButton);
    QVERIFY(i.navigator->isSliding());
    QTest::mouseDClick(i.txtNow, Qt::LeftButton);
    QVERIFY(!i.picGo->isVisible());
    QTRY_VERIFY(!i.navigator->isSliding());
    QTest::qWait(100);
    QVERIFY(!i.picGo->isVisible());
    QVERIFY(!i.txtGo->hasFocus());
    // the window's other events are served while it slides: a timer of the window's own fires
    bool served = false;
    QTest::mouseDClick(i.txtNow, Qt::LeftButton);
    QTimer::singleShot(0, this, [&] { served = i.navigator->isSliding(); });
    QTRY_VERIFY(served);
    QTRY_VERIFY(i.txtGo->hasFocus());
    QCOMPARE(Twips::width(i.picGo), 1410.0);
}

void TstSsScroll::goToNothingWhenOnePage()
{
    setPage(15, 20);
    SS_MOVE_INFO &i = m_form->info;
    QTest::mouseDClick(i.txtNow, Qt::LeftButton);
    QVERIFY(!i.picGo->isVisible());
}

void TstSsScroll::goToEscape()
{
    setPage(100, 20);
    SS_MOVE_INFO &i = m_form->info;
    QTest::mouseDClick(i.txtNow, Qt::LeftButton);
    QTRY_VERIFY(i.picGo->isVisible());
    QTRY_VERIFY(i.txtGo->hasFocus());
    QTest::keyClick(i.txtGo, Qt::Key_Escape);
    QVERIFY(!i.picGo->isVisible());
    QCOMPARE(m_form->grid->FirstVisibleRow(), 1);
}

void TstSsScroll::currentLineText()
{
    setPage(5000, 20);
    m_form->grid->setFirstVisibleRow(1234);
    QCOMPARE(m_form->info.txtNow->text(), QStringLiteral("1,234"));
    QCOMPARE(m_form->info.txtMax->text(), QStringLiteral("5,000"));
}

QTEST_MAIN(TstSsScroll)
#include "tst_ssscroll.moc"
