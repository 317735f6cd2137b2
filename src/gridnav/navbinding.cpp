#include "gridnav/navigator.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssmenus.h"
#include "gridnav/ssscroll.h"
#include "platform/controls/holdrepeattimer.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "winui/tipwindow.h" // ToolTip::tipWindow() needs the complete type
#include "winui/tooltip.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

// A record bound to its navigator: the controls handed over, the hints made, and the controls'
// events forwarded to the moves of ssscroll.cpp.

namespace {

// Forwards the events of one navigator's controls; deleting it undoes every connection and filter.
class NavLinks : public QObject
{
public:
    NavLinks(SS_MOVE_INFO &info, QObject *parent)
        : QObject(parent)
        , m_info(info)
    { }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        SS_MOVE_INFO &info = m_info;
        if (watched == info.txtNow || watched == info.txtMax) {
            const int box = watched == info.txtNow ? 0 : 1;
            if (event->type() == QEvent::FocusIn)
                sbSS_MOVE_FocusBox(info, box, true);
            else if (event->type() == QEvent::FocusOut)
                sbSS_MOVE_FocusBox(info, box, false);
            else if (box == 0 && event->type() == QEvent::MouseButtonDblClick) {
                sbSS_MOVE_GoShow(info);
                return true;
            }
        } else if (watched == info.txtGo) {
            if (event->type() == QEvent::FocusIn) {
                // after the click that gave the focus has placed the caret
                QPointer<QLineEdit> go = info.txtGo;
                QTimer::singleShot(0, this, [go] {
                    if (go && go->hasFocus())
                        go->selectAll();
                });
            } else if (event->type() == QEvent::FocusOut) {
                sbSS_MOVE_GoKey(info, 27);
            } else if (event->type() == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent *>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    sbSS_MOVE_GoKey(info, 13);
                    return true;
                }
                if (key == Qt::Key_Escape) {
                    sbSS_MOVE_GoKey(info, 27);
                    return true;
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    SS_MOVE_INFO &m_info;
};

} // namespace

void sbSS_MOVE_Bind(QWidget *form, SS_MOVE_INFO &info, int index)
{
    GridNav::Navigator *nav = GridNav::Navigator::find(form, index);
    info.navigator = nav;
    info.Grid = nav ? nav->grid() : nullptr;
    info.SumGrid = nav && info.HasSum ? nav->sumGrid() : nullptr;
    static_cast<GridNav::NavControls &>(info) = nav ? nav->controls() : GridNav::NavControls{};

    const QString crlf = QStringLiteral("\r\n");
    struct Hint
    {
        QWidget *control;
        const char *title;
        QString text;
    };
    const Hint hints[7] = {
        {info.SumGrid, "조회정보", QStringLiteral("없음")},
        {info.txtNow, "시트 현제 라인",
         QStringLiteral("클릭 : 전체값 표시") + crlf + QStringLiteral("더블클릭 : 바로가기창 표시")},
        {info.txtMax, "시트 전체 라인", QStringLiteral("클릭 : 전체값 표시")},
        {info.cmdXls, "내보내기", GridNav::exportHintText(!info.DataItems.isEmpty())},
        {info.cmdGrp, "그래프 보기",
         QStringLiteral("그래프 형태로 통계 보기") + crlf + QStringLiteral("좌클릭 : 그래프 보기") + crlf
             + QStringLiteral("우클릭 : 메뉴표시")},
        {info.cmdFnd, "찾기", QStringLiteral("입력 항목 찾기")},
        {info.cmdRef, "새로고침",
         QStringLiteral("시트 크기에 맞게 정렬") + crlf + QStringLiteral("좌클릭 : 새로고침 실행") + crlf
             + QStringLiteral("우클릭 : 메뉴표시")},
    };
    for (int i = 0; i < 7; ++i) {
        info.Tips[i].reset();
        if (!hints[i].control)
            continue;
        auto tip = std::make_shared<ToolTip>();
        // the summary line's tip carries the query statistics later: information icon, not centred
        if (i == 0)
            fnSet_ToolTip(tip.get(), hints[i].control, ToolTip::TipStyle::Balloon, false, hints[i].text,
                          QString::fromUtf8(hints[i].title), ToolTip::TipIcon::Information);
        else
            fnSet_ToolTip(tip.get(), hints[i].control, ToolTip::TipStyle::Balloon, true, hints[i].text,
                          QString::fromUtf8(hints[i].title), ToolTip::TipIcon::None);
        info.Tips[i] = tip;
    }
}

void GridNav::forwardEvents(SS_MOVE_INFO &info, const std::function<void()> &onLayout)
{
    delete info.Links.data();
    if (!info.picBack)
        return;
    auto *links = new NavLinks(info, info.picBack);
    info.Links = links;
    SS_MOVE_INFO *p = &info;

    using NavMath::Direction;
    const std::pair<QAbstractButton *, Direction> moves[] = {
        {info.cmdTop, Direction::Top},      {info.cmdPup, Direction::PageUp},   {info.cmd1Up, Direction::LineUp},
        {info.cmd1Dn, Direction::LineDown}, {info.cmdPdn, Direction::PageDown}, {info.cmdEnd, Direction::End}};
    for (const auto &[b, direction] : moves) {
        auto *pb = qobject_cast<PicButton *>(b);
        if (!pb)
            continue;
        QObject::connect(pb, &PicButton::MouseDown, links, [p, d = direction](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                sbSS_MOVE_Step(*p, d);
        });
        QObject::connect(pb, &PicButton::MouseUp, links, [p] { sbSS_MOVE_Stop(*p); });
    }
    if (info.timMove)
        QObject::connect(info.timMove, &QTimer::timeout, links, [p] { timSS_MOVE_Timer(*p); });
    if (info.sclMove) {
        QScrollBar *scl = info.sclMove;
        QObject::connect(scl, &QScrollBar::valueChanged, links, [p, scl] {
            if (!scl->isSliderDown()) // a drag is followed through sliderMoved
                sbSS_MOVE_ScrollChange(*p);
        });
        QObject::connect(scl, &QScrollBar::sliderMoved, links, [p] { sbSS_MOVE_ScrollDrag(*p); });
        // the bar's notification when the thumb is let go only ends the drag
        QObject::connect(scl, &QScrollBar::sliderReleased, links, [p] {
            if (p->MoveBusy)
                sbSS_MOVE_ScrollChange(*p);
        });
    }
    // the export button's right-click menu, when the window gave it items
    if (auto *xls = qobject_cast<PicButton *>(info.cmdXls))
        QObject::connect(xls, &PicButton::MouseDown, links, [p](Qt::MouseButton button) {
            if (button == Qt::RightButton)
                dataMenu(*p);
        });
    for (QLineEdit *e : {info.txtNow, info.txtMax, info.txtGo})
        if (e)
            e->installEventFilter(links);
    if (info.txtGo)
        QObject::connect(info.txtGo, &QLineEdit::textChanged, links, [p] { sbSS_MOVE_GoLimit(*p); });
    if (info.Grid) {
        QObject::connect(info.Grid, &SpreadGrid::TopLeftChange, links,
                         [p](int oldLeft, int oldTop, int newLeft, int newTop) {
            if (oldTop != newTop)
                sbSS_MOVE_TopLeftChange(*p);
            if (oldLeft != newLeft && p->HasSum && p->SumGrid)
                p->SumGrid->setFirstVisibleCol(p->Grid->FirstVisibleCol());
        });
        QObject::connect(info.Grid, &SpreadGrid::ColWidthChange, links, [p, onLayout](int col1, int col2) {
            sbSS_WidthSync(*p, col1, col2);
            if (onLayout)
                onLayout();
        });
    }
    if (info.HasSum && info.SumGrid) {
        QObject::connect(info.SumGrid, &SpreadGrid::TopLeftChange, links, [p](int oldLeft, int, int newLeft, int) {
            if (oldLeft != newLeft && p->Grid)
                p->Grid->setFirstVisibleCol(p->SumGrid->FirstVisibleCol());
        });
    }
}

void sbSS_MOVE_Release(SS_MOVE_INFO &info)
{
    if (info.timMove)
        info.timMove->stop();
    delete info.Links.data();
    info.Links = nullptr;
    for (auto &tip : info.Tips)
        tip.reset();
    info.DataItems.clear(); // their commands belong to the window that is letting go
    if (info.navigator)
        info.navigator->stopSliding();
    info.navigator = nullptr;
    info.Grid = nullptr;
    info.SumGrid = nullptr;
    static_cast<GridNav::NavControls &>(info) = GridNav::NavControls{};
}
