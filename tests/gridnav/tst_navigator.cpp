// The navigator's widgets, its binding to a record and its layout.
#include "shownform.h"

#include "../common/scrollbarparts.h"

#include "gridnav/navmath.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"
#include "winui/tipwindow.h" // ToolTip::tipWindow() needs the complete type
#include "winui/tooltip.h"

#include "../common/fakeservices.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

namespace {

// Where the bar draws its thumb (the bar's own pixels).
QRect thumbRect(const QScrollBar *bar)
{
    return ScrollBarParts::rect(bar, QStyle::SC_ScrollBarSlider);
}

} // namespace

class TstNavigator : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void init();
    void cleanup();

    void bindFindsEveryControl();
    void hints();
    void thumbShowsOverTheLowerButtons_data();
    void thumbShowsOverTheLowerButtons();
    void focusBoxWidens();
    void layoutFillsContainer();
    void sidewaysTogether();
    void userWidthReachesSummary();
    void releaseClears();

private:
    NavTestForm *m_form = nullptr;
    void setPage(int rows, int page);
};

void TstNavigator::init()
{
    m_fakes->twipsPerPixel = 15;
    m_form = new NavTestForm;
    QVERIFY(showActive(*m_form));
}

void TstNavigator::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

// `rows` rows in a grid sized for a page of `page` rows.
void TstNavigator::setPage(int rows, int page)
{
    QCOMPARE(m_form->showPage(rows, page), page);
}

void TstNavigator::bindFindsEveryControl()
{
    const SS_MOVE_INFO &i = m_form->info;
    QCOMPARE(i.Grid, m_form->grid);
    QCOMPARE(i.SumGrid, m_form->sum);
    const QObject *controls[] = {i.picBack, i.fmeMove, i.sclMove, i.txtNow, i.picNow, i.txtMax, i.picMax,
                                 i.cmdXls,  i.cmdGrp,  i.cmdFnd,  i.cmdRef, i.cmdTop, i.cmdPup, i.cmd1Up,
                                 i.cmd1Dn,  i.cmdPdn,  i.cmdEnd,  i.picGo,  i.lblGo,  i.txtGo,  i.timMove};
    for (const QObject *c : controls)
        QVERIFY(c);
    QCOMPARE(i.cmdTop->objectName(), QStringLiteral("cmdSS_MOVE_TOP"));
    QCOMPARE(i.fmeMove->parentWidget(), i.picBack);
    QCOMPARE(i.cmdEnd->parentWidget(), i.fmeMove);

    // a second navigator with index 1 on the same form is kept apart
    new GridNav::Navigator(m_form->container, nullptr, nullptr, 1);
    SS_MOVE_INFO other;
    sbSS_MOVE_Bind(m_form, other, 1);
    QVERIFY(other.cmdTop && other.cmdTop != i.cmdTop);
    QVERIFY(!other.Grid); // made without a grid
    sbSS_MOVE_Release(other);
    // an index without a navigator leaves the record empty
    SS_MOVE_INFO none;
    sbSS_MOVE_Bind(m_form, none, 2);
    QVERIFY(!none.Grid && !none.cmdTop && !none.timMove && !none.navigator);

    // set-up tags
    const QStringList tags{"TOP", "PUP", "1UP", "1DN", "PDN", "END"};
    const QAbstractButton *moves[] = {i.cmdTop, i.cmdPup, i.cmd1Up, i.cmd1Dn, i.cmdPdn, i.cmdEnd};
    for (int k = 0; k < 6; ++k)
        QCOMPARE(moves[k]->property("Tag").toString(), tags[k]);
    QCOMPARE(i.cmdGrp->property("Tag").toString(), QStringLiteral("1"));
    QCOMPARE(i.cmdRef->property("Tag").toString(), QStringLiteral("1"));
    QCOMPARE(i.sclMove->property("Tag").toString(), QString());
    QCOMPARE(i.sclMove->minimum(), 1);
    QCOMPARE(i.sclMove->maximum(), 10000);
}

void TstNavigator::hints()
{
    const SS_MOVE_INFO &i = m_form->info;
    const QString crlf = QStringLiteral("\r\n");
    const struct
    {
        int index;
        QWidget *control;
        QString title;
        QString text;
    } cases[] = {
        {0, m_form->sum, "조회정보", "없음"},
        {1, i.txtNow, "시트 현제 라인", "클릭 : 전체값 표시" + crlf + "더블클릭 : 바로가기창 표시"},
        {2, i.txtMax, "시트 전체 라인", "클릭 : 전체값 표시"},
        {3, i.cmdXls, "내보내기", "엑셀 형식으로 파일 저장"},
        {4, i.cmdGrp, "그래프 보기",
         "그래프 형태로 통계 보기" + crlf + "좌클릭 : 그래프 보기" + crlf + "우클릭 : 메뉴표시"},
        {5, i.cmdFnd, "찾기", "입력 항목 찾기"},
        {6, i.cmdRef, "새로고침",
         "시트 크기에 맞게 정렬" + crlf + "좌클릭 : 새로고침 실행" + crlf + "우클릭 : 메뉴표시"},
    };
    for (const auto &c : cases) {
        const ToolTip *tip = i.Tips[c.index].get();
        QVERIFY(tip);
        QCOMPARE(tip->ParentControl(), c.control);
        QCOMPARE(tip->Title(), c.title);
        QCOMPARE(tip->TipText(), c.text);
        QCOMPARE(tip->Style(), 1);
    }
    QCOMPARE(i.Tips[0]->Icon(), 1);
    QVERIFY(!i.Tips[0]->Centered());
    QVERIFY(i.Tips[3]->Centered());
}

void TstNavigator::thumbShowsOverTheLowerButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("top");
    QTest::newRow("last page (END)") << "END" << 981;
    QTest::newRow("first page (TOP)") << "TOP" << 1;
}

void TstNavigator::thumbShowsOverTheLowerButtons()
{
    QFETCH(QString, button);
    QFETCH(int, top);
    setPage(1000, 20);
    SS_MOVE_INFO &i = m_form->info;
    // to the end first, so the first page is a move as well
    QTest::mouseClick(i.cmdEnd, Qt::LeftButton);
    QTest::mouseClick(button == u"END" ? i.cmdEnd : i.cmdTop, Qt::LeftButton);
    QCOMPARE(m_form->grid->FirstVisibleRow(), top);
    QScrollBar *bar = i.sclMove;
    const QRect thumb = thumbRect(bar);
    QVERIFY(!thumb.isEmpty());
    // what the panel shows at the thumb's middle is the bar, whichever end it stands at
    QWidget *panel = i.picBack;
    const QPoint middle = bar->mapTo(panel, thumb.center());
    QCOMPARE(panel->childAt(middle), static_cast<QWidget *>(bar));
    // and a press there takes the thumb
    const QPoint inWindow = bar->mapTo(m_form, thumb.center());
    QTest::mousePress(m_form->windowHandle(), Qt::LeftButton, {}, inWindow);
    QVERIFY(bar->isSliderDown());
    QTest::mouseRelease(m_form->windowHandle(), Qt::LeftButton, {}, inWindow);
    QCOMPARE(m_form->grid->FirstVisibleRow(), top);
    // the lower buttons still show and take their presses
    QWidget *down = i.cmd1Dn;
    QCOMPARE(panel->childAt(down->mapTo(panel, down->rect().center())), down);
    QTest::mouseClick(m_form->windowHandle(), Qt::LeftButton, {}, down->mapTo(m_form, down->rect().center()));
    QCOMPARE(m_form->grid->FirstVisibleRow(), std::min(top + 1, 981));
}

void TstNavigator::focusBoxWidens()
{
    setPage(12345, 20);
    SS_MOVE_INFO &i = m_form->info;
    QCOMPARE(i.txtMax->text(), QStringLiteral("12,345"));
    const double right = Twips::left(i.picMax) + Twips::width(i.picMax);
    QCOMPARE(Twips::width(i.picMax), 345.0);
    i.txtMax->setFocus();
    QTRY_COMPARE(Twips::width(i.picMax), 630.0);
    QCOMPARE(Twips::left(i.picMax) + Twips::width(i.picMax), right); // widened to the left
    QCOMPARE(Twips::width(i.txtMax), 630.0 - 90);
    m_form->grid->setFocus();
    QTRY_COMPARE(Twips::width(i.picMax), 345.0);
    QCOMPARE(i.txtMax->cursorPosition(), 6);
    // a number up to 999 keeps the box
    sbSS_MOVE_FocusBox(i, 0, true);
    QCOMPARE(Twips::width(i.picNow), 345.0);
}

void TstNavigator::layoutFillsContainer()
{
    m_form->fill(300);
    SS_MOVE_INFO &i = m_form->info;
    const double height = Twips::height(m_form->container);
    const double gridTop = Twips::top(m_form->grid);
    // the grid holds whole rows, the summary line shares its bottom border, the panel runs beside both
    QCOMPARE(m_form->grid->height(), Twips::toPixels(NavMath::fitHeight(height, Twips::height(m_form->sum), gridTop)));
    QCOMPARE(m_form->sum->y(), m_form->grid->geometry().bottom());
    QCOMPARE(i.picBack->x(), m_form->grid->geometry().right());
    QCOMPARE(i.picBack->geometry().bottom(), m_form->sum->geometry().bottom());
    QCOMPARE(i.fmeMove->geometry().bottom(), i.picBack->height()); // one pixel under the panel's edge
    // fitted to the grid's width the columns need no horizontal bar
    QCOMPARE(m_form->sum->ScrollBarMode(), 0);
    QCOMPARE(Twips::height(m_form->sum), 330.0);
    // at their definition widths they do: the summary line carries the bar and grows
    m_form->info.cmdRef->setProperty("Tag", QStringLiteral("3"));
    m_form->resize(600, m_form->height());
    QCOMPARE(m_form->sum->ScrollBarMode(), 1);
    QCOMPARE(Twips::height(m_form->sum), 600.0);
    QCOMPARE(m_form->sum->y(), m_form->grid->geometry().bottom());
    // a window wide enough for all of them removes the bar and shrinks the line to 330 twips
    m_form->resize(1600, m_form->height());
    QCOMPARE(m_form->sum->ScrollBarMode(), 0);
    QCOMPARE(Twips::height(m_form->sum), 330.0);
}

void TstNavigator::sidewaysTogether()
{
    m_form->fill(50);
    m_form->info.cmdRef->setProperty("Tag", QStringLiteral("3"));
    m_form->resize(600, m_form->height()); // too narrow for the definition widths
    SpreadGrid *g = m_form->grid;
    SpreadGrid *s = m_form->sum;
    g->setFirstVisibleCol(3);
    QCOMPARE(s->FirstVisibleCol(), 3);
    s->setFirstVisibleCol(2);
    QCOMPARE(g->FirstVisibleCol(), 2);
    QCOMPARE(g->FirstVisibleRow(), 1); // sideways only
}

void TstNavigator::userWidthReachesSummary()
{
    m_form->fill(50);
    SpreadGrid *g = m_form->grid;
    g->setColWidth(2, 25);
    QVERIFY(m_form->sum->ColWidth(2) != 25.0);
    emit g->ColWidthChange(2, 2); // as after the user dragged the column's edge
    QCOMPARE(m_form->sum->ColWidth(2), 25.0);
    // and the window laid the panel out again
    QCOMPARE(m_form->info.picBack->x(), g->geometry().right());
}

void TstNavigator::releaseClears()
{
    SS_MOVE_INFO &i = m_form->info;
    QPointer<QObject> links = i.Links;
    QVERIFY(links);
    sbSS_MOVE_Release(i);
    QVERIFY(!links);
    QVERIFY(!i.Grid && !i.SumGrid && !i.picBack && !i.sclMove && !i.txtNow && !i.cmdTop && !i.timMove && !i.txtGo);
    for (const auto &tip : i.Tips)
        QVERIFY(!tip);
    // the controls still work on their own and no longer reach the record
    m_form->grid->setFirstVisibleRow(1);
}

QTEST_MAIN(TstNavigator)
#include "tst_navigator.moc"
