#include "gridnav/ssscroll.h"

#include "gridnav/navmath.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssmenus.h"
#include "platform/controls/holdrepeattimer.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"
#include "winui/tipwindow.h" // ToolTip::tipWindow() needs the complete type
#include "winui/tooltip.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegion>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

namespace {

constexpr int kRepeatMs = 60; // a held move button repeats this often after the first pause
constexpr int kGoHeight = 345; // go-to box height, twips
constexpr int kGoStepMs = 10; // the go-to box's slide: one step this often

const char *const kTagProperty = "Tag";

// The navigator's own changes to the grid or the scroll bar: each flag is set for the life of the
// scope and given back its earlier value after (a notification in between may clear it first).
using FlagScope = QScopedValueRollback<bool>;

QString tagOf(const QObject *o)
{
    return o ? o->property(kTagProperty).toString() : QString();
}

void setTag(QObject *o, const QString &tag)
{
    if (o)
        o->setProperty(kTagProperty, tag);
}

void setGeometryTwips(QWidget *w, const QRectF &r)
{
    if (w)
        Twips::setGeometry(w, r.left(), r.top(), r.width(), r.height());
}

QRectF twipsRect(const QWidget *w)
{
    return QRectF(Twips::left(w), Twips::top(w), Twips::width(w), Twips::height(w));
}

// The current-line box shows `row` unless it already does (separators allowed in what it shows);
// the caret goes after the text.
void showNow(SS_MOVE_INFO &info, int row)
{
    if (!info.txtNow)
        return;
    if (NavMath::parseNowText(info.txtNow->text()) != row || info.txtNow->text().isEmpty()) {
        info.txtNow->setText(NavMath::nowText(row));
        info.txtNow->setCursorPosition(int(info.txtNow->text().size()));
    }
}

void setScroll(SS_MOVE_INFO &info, int value)
{
    if (info.sclMove)
        info.sclMove->setValue(value);
}

QList<QAbstractButton *> moveButtons(const SS_MOVE_INFO &info)
{
    return {info.cmdTop, info.cmdPup, info.cmd1Up, info.cmd1Dn, info.cmdPdn, info.cmdEnd};
}

QAbstractButton *buttonOf(const SS_MOVE_INFO &info, NavMath::Direction direction)
{
    if (direction == NavMath::Direction::None)
        return nullptr;
    for (QAbstractButton *b : moveButtons(info))
        if (b && NavMath::directionOf(tagOf(b)) == direction)
            return b;
    return nullptr;
}

void focusGrid(SS_MOVE_INFO &info)
{
    if (info.Grid)
        info.Grid->setFocus(Qt::OtherFocusReason);
}

// The bar's look; `bottom` pixels at its lower end are left out of its track (see fitScrollBar).
QString scrollSheet(int bottom)
{
    return QStringLiteral(
               "QScrollBar:vertical { background: #dfe5ec; width: 23px; margin: 0px 0px %1px 0px; border: none; }"
               "QScrollBar::handle:vertical { background: #8fa3bc; min-height: 12px; margin: 1px 3px 1px 4px;"
               " border-radius: 3px; }"
               "QScrollBar::handle:vertical:hover { background: #6f87a6; }"
               "QScrollBar::handle:vertical:disabled { background: #c9d1db; }"
               "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; border: none; }"
               "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
        .arg(bottom);
}

// The bar stands in front of the panel's other controls. Its lower end runs on over the top of the
// lower button frame; that part is cut away (mask) and left out of the track, so that the thumb
// travels only where it can be seen and a press on 1DN still reaches 1DN.
void fitScrollBar(SS_MOVE_INFO &info)
{
    QScrollBar *bar = info.sclMove;
    if (!bar)
        return;
    bar->raise();
    int overlap = 0;
    if (info.fmeMove && info.fmeMove->parentWidget() == bar->parentWidget())
        overlap = std::clamp(bar->geometry().bottom() + 1 - info.fmeMove->y(), 0, bar->height());
    if (bar->property("zzFrameOverlap").toInt() != overlap) {
        bar->setProperty("zzFrameOverlap", overlap);
        bar->setStyleSheet(scrollSheet(overlap));
    }
    if (overlap > 0)
        bar->setMask(QRegion(0, 0, bar->width(), bar->height() - overlap));
    else
        bar->clearMask();
}

PicButton *makeButton(QWidget *parent, const char *name, const char *glyph,
                      NavMath::Direction direction = NavMath::Direction::None)
{
    auto *b = new PicButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    b->setPicture(QStringLiteral(":/gridnav/%1.svg").arg(QString::fromLatin1(glyph)));
    if (direction != NavMath::Direction::None)
        b->setTag(NavMath::tagOf(direction));
    return b;
}

QFrame *makeBox(QWidget *container, const char *picName, const char *txtName, QLineEdit **txtOut)
{
    auto *pic = new QFrame(container);
    pic->setObjectName(QString::fromLatin1(picName));
    pic->setFrameShape(QFrame::Box);
    pic->setAutoFillBackground(true);
    QPalette pal = pic->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0x9a, 0xa7, 0xb8));
    pic->setPalette(pal);
    auto *txt = new QLineEdit(pic);
    txt->setObjectName(QString::fromLatin1(txtName));
    *txtOut = txt;
    txt->setReadOnly(true);
    txt->setFrame(false);
    txt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // the narrow box shows three digits whole: a fixed-pitch face and the line edit's own
    // 2-pixel side margins given back to the text
    txt->setTextMargins(-2, 0, -1, 0);
    txt->setContextMenuPolicy(Qt::NoContextMenu);
    QFont f(QStringLiteral("NanumGothicCoding"));
    f.setPixelSize(10);
    txt->setFont(f);
    txt->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: #1f3a5f; padding: 0px; }"));
    return pic;
}

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

namespace GridNav {

Navigator::Navigator(QWidget *container, SpreadGrid *dataGrid, SpreadGrid *summaryGrid, int index)
    : QObject(container)
    , grid(dataGrid)
    , sumGrid(summaryGrid)
    , m_index(index)
{
    setObjectName(QStringLiteral("SS_MOVE"));
    auto *back = new QFrame(container);
    back->setObjectName(QStringLiteral("picSS_BACK"));
    back->setAutoFillBackground(true);
    QPalette pal = back->palette();
    pal.setColor(QPalette::Window, QColor(0xe9, 0xee, 0xf4));
    back->setPalette(pal);
    picBack = back;

    using NavMath::Direction;
    cmdXls = makeButton(back, "cmdSS_MOVE_XLS", "export");
    cmdGrp = makeButton(back, "cmdSS_MOVE_GRP", "graph");
    cmdFnd = makeButton(back, "cmdSS_MOVE_FND", "find");
    cmdTop = makeButton(back, "cmdSS_MOVE_TOP", "top", Direction::Top);
    cmdPup = makeButton(back, "cmdSS_MOVE_PUP", "pageup", Direction::PageUp);
    cmd1Up = makeButton(back, "cmdSS_MOVE_1UP", "up", Direction::LineUp);

    sclMove = new QScrollBar(Qt::Vertical, back);
    sclMove->setObjectName(QStringLiteral("sclSS_MOVE"));
    sclMove->setRange(NavMath::kScrollMin, NavMath::kScrollMax);
    sclMove->setFocusPolicy(Qt::NoFocus);
    // the move buttons above and below stand in for the bar's own arrows
    sclMove->setStyleSheet(scrollSheet(0));

    fmeMove = new QFrame(back);
    fmeMove->setObjectName(QStringLiteral("fmeSS_MOVE"));
    cmd1Dn = makeButton(fmeMove, "cmdSS_MOVE_1DN", "down", Direction::LineDown);
    cmdPdn = makeButton(fmeMove, "cmdSS_MOVE_PDN", "pagedown", Direction::PageDown);
    cmdEnd = makeButton(fmeMove, "cmdSS_MOVE_END", "end", Direction::End);
    cmdRef = makeButton(fmeMove, "cmdSS_MOVE_REF", "refresh");

    picNow = makeBox(container, "picSS_MOVE_NOW", "txtSS_MOVE_NOW", &txtNow);
    picMax = makeBox(container, "picSS_MOVE_MAX", "txtSS_MOVE_MAX", &txtMax);

    picGo = new QFrame(container);
    picGo->setObjectName(QStringLiteral("picSS_MOVE_GO"));
    picGo->setFrameShape(QFrame::Box);
    picGo->setAutoFillBackground(true);
    QPalette goPal = picGo->palette();
    goPal.setColor(QPalette::Window, QColor(0xff, 0xfb, 0xe6));
    goPal.setColor(QPalette::WindowText, QColor(0x6f, 0x87, 0xa6));
    picGo->setPalette(goPal);
    auto *lay = new QHBoxLayout(picGo);
    lay->setContentsMargins(3, 1, 2, 1);
    lay->setSpacing(2);
    lblGo = new QLabel(picGo);
    lblGo->setObjectName(QStringLiteral("lblSS_MOVE_GO"));
    QFont small = lblGo->font();
    small.setPixelSize(10);
    QFont tiny = small;
    tiny.setPixelSize(9);
    lblGo->setFont(tiny);
    lblGo->setStyleSheet(QStringLiteral("color: #44556b;"));
    txtGo = new QLineEdit(picGo);
    txtGo->setObjectName(QStringLiteral("txtSS_MOVE_GO"));
    txtGo->setFont(small);
    txtGo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtGo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), txtGo));
    txtGo->setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid #8fa3bc; padding: 0px 1px; background: white; }"));
    // the range is always shown whole; the input takes what is left (six digits at least)
    lblGo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    txtGo->setMinimumWidth(Twips::toPixels(420));
    lay->addWidget(lblGo);
    lay->addWidget(txtGo, 1);
    picGo->hide();

    timMove = new HoldRepeatTimer(kRepeatMs, this);
    timMove->setObjectName(QStringLiteral("timSS_MOVE"));
    timGo = new QTimer(this);
    timGo->setInterval(kGoStepMs);
    connect(timGo, &QTimer::timeout, this, &Navigator::slideStep);
}

Navigator *Navigator::find(QWidget *form, int index)
{
    if (!form)
        return nullptr;
    const auto found = form->findChildren<Navigator *>();
    for (Navigator *n : found)
        if (n->index() == index)
            return n;
    return nullptr;
}

QRectF Navigator::goRect(int step) const
{
    const QRectF back = twipsRect(picBack);
    return NavMath::goSlideRect(step, back.left(), back.top(), kGoHeight);
}

void Navigator::slideOutGoBox()
{
    picGo->raise();
    setGeometryTwips(picGo, goRect(0));
    picGo->show();
    // steps on a timer, not a wait: the window's own events (a close among them) keep flowing
    m_goStep = 0;
    timGo->start();
}

bool Navigator::isSliding() const
{
    return timGo->isActive();
}

void Navigator::slideStep()
{
    if (!picGo->isVisible()) {
        // closed again while it slid (Escape, a second double-click, a new fill)
        timGo->stop();
        return;
    }
    ++m_goStep;
    setGeometryTwips(picGo, goRect(m_goStep));
    if (m_goStep < NavMath::kGoSteps)
        return;
    timGo->stop();
    setGeometryTwips(picGo, goRect(NavMath::kGoSteps + 1));
    txtGo->setFocus(Qt::OtherFocusReason);
    txtGo->selectAll();
}

} // namespace GridNav

void sbSS_MOVE_Bind(QWidget *form, SS_MOVE_INFO &info, int index)
{
    GridNav::Navigator *nav = GridNav::Navigator::find(form, index);
    info.navigator = nav;
    info.Grid = nav ? nav->grid.data() : nullptr;
    info.SumGrid = nav && info.HasSum ? nav->sumGrid.data() : nullptr;
    info.sclMove = nav ? nav->sclMove : nullptr;
    info.txtNow = nav ? nav->txtNow : nullptr;
    info.picNow = nav ? nav->picNow : nullptr;
    info.txtMax = nav ? nav->txtMax : nullptr;
    info.picMax = nav ? nav->picMax : nullptr;
    info.cmdXls = nav ? nav->cmdXls : nullptr;
    info.cmdGrp = nav ? nav->cmdGrp : nullptr;
    info.cmdRef = nav ? nav->cmdRef : nullptr;
    info.cmdFnd = nav ? nav->cmdFnd : nullptr;
    info.cmdTop = nav ? nav->cmdTop : nullptr;
    info.cmdPup = nav ? nav->cmdPup : nullptr;
    info.cmd1Up = nav ? nav->cmd1Up : nullptr;
    info.cmd1Dn = nav ? nav->cmd1Dn : nullptr;
    info.cmdPdn = nav ? nav->cmdPdn : nullptr;
    info.cmdEnd = nav ? nav->cmdEnd : nullptr;
    info.picGo = nav ? nav->picGo : nullptr;
    info.lblGo = nav ? nav->lblGo : nullptr;
    info.txtGo = nav ? nav->txtGo : nullptr;
    info.picBack = nav ? nav->picBack : nullptr;
    info.fmeMove = nav ? nav->fmeMove : nullptr;
    info.timMove = nav ? nav->timMove : nullptr;

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
            fnSet_ToolTip(tip.get(), hints[i].control, 1, false, hints[i].text, QString::fromUtf8(hints[i].title), 1);
        else
            fnSet_ToolTip(tip.get(), hints[i].control, 1, true, hints[i].text, QString::fromUtf8(hints[i].title), 0);
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
        info.navigator->timGo->stop();
    info.navigator = nullptr;
    info.Grid = nullptr;
    info.SumGrid = nullptr;
    info.picBack = nullptr;
    info.fmeMove = nullptr;
    info.sclMove = nullptr;
    info.txtNow = nullptr;
    info.picNow = nullptr;
    info.txtMax = nullptr;
    info.picMax = nullptr;
    info.cmdXls = info.cmdGrp = info.cmdFnd = info.cmdRef = nullptr;
    info.cmdTop = info.cmdPup = info.cmd1Up = info.cmd1Dn = info.cmdPdn = info.cmdEnd = nullptr;
    info.picGo = nullptr;
    info.lblGo = nullptr;
    info.txtGo = nullptr;
    info.timMove = nullptr;
}

int fnSS_PageRows(const SS_MOVE_INFO &info, int headerRows)
{
    if (!info.Grid)
        return 0;
    return NavMath::pageRows(Twips::height(info.Grid), headerRows);
}

int fnSS_FitHeight(const SS_MOVE_INFO &info, double height, double below)
{
    if (!info.Grid)
        return 0;
    return NavMath::fitHeight(height, below, Twips::top(info.Grid));
}

void sbSS_MOVE_Layout(SS_MOVE_INFO &info, double height)
{
    SpreadGrid *grid = info.Grid;
    if (!grid)
        return;
    // 1. does a horizontal bar need to be shown?
    QVector<double> widths;
    for (int c = 1; c <= grid->MaxCols(); ++c) {
        grid->setCol(c);
        grid->setRow(-1);
        if (!grid->ColHidden())
            widths.append(grid->ColWidth(c));
    }
    const bool need = NavMath::needsHScroll(Twips::width(grid), grid->ColWidth(0), widths);

    // 2. summary grid height and which grid carries the bar
    const bool hasSum = info.HasSum && info.SumGrid;
    double sumHeight = 0;
    if (hasSum) {
        const NavMath::SumGeometry g = NavMath::sumGeometry(std::max(1, info.SumRows), need);
        sumHeight = g.height;
        info.SumGrid->setRowHeight(-1, g.rowHeight);
        info.SumGrid->setScrollBarMode(g.scrollBarMode);
        grid->setScrollBarMode(SpreadGrid::ScrollBarsNone);
        if (info.SumRows > 1)
            info.SumGrid->AddCellSpan(0, 1, 1, info.SumRows);
    } else {
        grid->setScrollBarMode(need ? SpreadGrid::ScrollBarHorizontal : SpreadGrid::ScrollBarsNone);
    }

    // 3.-6. grid height, summary grid under it, panel beside both
    const NavMath::PanelLayout l =
        NavMath::panelLayout(twipsRect(grid), height, hasSum, sumHeight,
                             info.fmeMove ? Twips::height(info.fmeMove) : NavMath::kMoveFrameHeight);
    const int gridPx = Twips::toPixels(l.gridHeight);
    if (grid->height() != gridPx)
        grid->resize(grid->width(), std::max(0, gridPx));
    if (hasSum) {
        // one shared border line with the data grid, the same width to the pixel
        info.SumGrid->setGeometry(grid->x(), grid->y() + grid->height() - Twips::toPixels(15), grid->width(),
                                  Twips::toPixels(l.sum.height()));
    }
    if (info.picBack) {
        const int panelHeightPx = grid->height() + (hasSum ? info.SumGrid->height() - Twips::toPixels(15) : 0);
        info.picBack->setGeometry(grid->x() + grid->width() - Twips::toPixels(15), grid->y(),
                                  Twips::toPixels(NavMath::kPanelWidth), panelHeightPx);
        const double scale = Twips::height(info.picBack);
        if (info.fmeMove)
            Twips::move(info.fmeMove, Twips::left(info.fmeMove), scale - Twips::height(info.fmeMove) + 15);
        if (info.sclMove)
            Twips::resize(info.sclMove, Twips::width(info.sclMove),
                          std::max(0.0,
                                   scale - Twips::top(info.sclMove)
                                       - (info.fmeMove ? Twips::height(info.fmeMove) : NavMath::kMoveFrameHeight)
                                       + 270));
        fitScrollBar(info);
    }
    // the line boxes stand beside the panel and follow it
    if (info.picNow)
        sbSS_MOVE_FocusBox(info, 0, info.txtNow && info.txtNow->hasFocus());
    if (info.picMax)
        sbSS_MOVE_FocusBox(info, 1, info.txtMax && info.txtMax->hasFocus());
}

void sbSS_MOVE_Arrange(SS_MOVE_INFO &info)
{
    if (!info.picBack)
        return;
    const NavMath::PanelArrangement a = NavMath::panelArrangement(Twips::height(info.picBack));
    setGeometryTwips(info.cmdXls, a.xls);
    setGeometryTwips(info.cmdGrp, a.grp);
    setGeometryTwips(info.cmdFnd, a.fnd);
    setGeometryTwips(info.cmdTop, a.top);
    setGeometryTwips(info.cmdPup, a.pup);
    setGeometryTwips(info.cmd1Up, a.up1);
    setGeometryTwips(info.sclMove, a.scroll);
    setGeometryTwips(info.fmeMove, a.frame);
    setGeometryTwips(info.cmd1Dn, a.dn1);
    setGeometryTwips(info.cmdPdn, a.pdn);
    setGeometryTwips(info.cmdEnd, a.end);
    setGeometryTwips(info.cmdRef, a.ref);
    fitScrollBar(info);
    for (QWidget *w : {info.picNow, info.picMax, info.picGo})
        if (w)
            w->raise();
    if (info.picGo)
        info.picGo->hide();
    if (info.picNow)
        sbSS_MOVE_FocusBox(info, 0, false);
    if (info.picMax)
        sbSS_MOVE_FocusBox(info, 1, false);
}

void sbSS_MOVE_FocusBox(SS_MOVE_INFO &info, int boxIndex, bool hasFocus)
{
    QWidget *pic = boxIndex == 0 ? info.picNow : info.picMax;
    QLineEdit *txt = boxIndex == 0 ? info.txtNow : info.txtMax;
    if (!pic || !txt || !info.picBack)
        return;
    const int width = NavMath::focusBoxWidth(txt->text(), hasFocus);
    setGeometryTwips(pic, NavMath::lineBoxRect(boxIndex, twipsRect(info.picBack), width));
    Twips::setGeometry(txt, NavMath::kBoxTextLeft, NavMath::kBoxTextTop,
                       width - (NavMath::kBoxWidth - NavMath::kBoxTextWidth),
                       NavMath::kBoxHeight - 2 * NavMath::kBoxTextTop);
    if (!hasFocus)
        txt->setCursorPosition(int(txt->text().size()));
}

void sbSS_MOVE_Reset(SS_MOVE_INFO &info)
{
    if (!info.Grid)
        return;
    const bool empty = info.Grid->MaxRows() < 1;
    for (QLineEdit *e : {info.txtNow, info.txtMax})
        if (e)
            e->setText(empty ? QString() : QStringLiteral("1"));
    if (info.sclMove)
        info.sclMove->setEnabled(false);
    for (QAbstractButton *b : moveButtons(info))
        if (b)
            b->setEnabled(false);
    if (info.picGo && info.picGo->isVisible())
        info.picGo->hide();
    QCoreApplication::processEvents();
}

void sbSS_MOVE_LineDisp(SS_MOVE_INFO &info)
{
    SpreadGrid *grid = info.Grid;
    if (!grid)
        return;
    const FlagScope busy(info.MoveBusy, true);
    info.PageRows = fnSS_PageRows(info, info.HeaderRows);
    const int R = grid->MaxRows();
    const int P = info.PageRows;
    if (info.sclMove && R > P)
        info.sclMove->setPageStep(NavMath::largeChange(R, P));
    const bool movable = R > P;
    if (info.sclMove)
        info.sclMove->setEnabled(movable);
    for (QAbstractButton *b : moveButtons(info))
        if (b)
            b->setEnabled(movable);

    const int T = grid->FirstVisibleRow();
    int value = NavMath::scrollPos(T, R, P);
    const int last = NavMath::lastTop(R, P);
    if (T > std::max(1, last)) {
        // rows were removed under the last page: show the last page again
        const FlagScope skip(info.SkipTopLeft, true);
        grid->setFirstVisibleRow(std::max(1, last));
        value = NavMath::kScrollMax;
    }
    setScroll(info, std::clamp(value, NavMath::kScrollMin, NavMath::kScrollMax));

    if (info.txtNow)
        info.txtNow->setText(R >= 1 ? NavMath::nowText(grid->FirstVisibleRow()) : QStringLiteral("1"));
    if (info.txtMax) {
        info.txtMax->setText(NavMath::nowText(R));
        info.txtMax->setCursorPosition(int(info.txtMax->text().size()));
    }
}

void sbSS_MOVE_Step(SS_MOVE_INFO &info, NavMath::Direction direction)
{
    SpreadGrid *grid = info.Grid;
    if (!grid)
        return;
    const FlagScope busy(info.MoveBusy, true);
    const FlagScope skip(info.SkipTopLeft, true);
    const int R = grid->MaxRows();
    const int P = info.PageRows;
    const int T = grid->FirstVisibleRow();
    const NavMath::StepResult step = NavMath::stepTarget(direction, T, R, P);
    if (step.clamped && info.timMove)
        info.timMove->stop();
    if (step.target != T) {
        grid->setFirstVisibleRow(step.target);
        setScroll(info, NavMath::scrollPos(step.target, R, P));
    }
    showNow(info, step.target);
    if (info.timMove && !info.timMove->isActive() && step.repeats) {
        info.timMove->press();
        setTag(info.sclMove, NavMath::tagOf(direction));
    }
}

void sbSS_MOVE_Step(SS_MOVE_INFO &info, const QString &direction)
{
    sbSS_MOVE_Step(info, NavMath::directionOf(direction));
}

void sbSS_MOVE_AUTO(SS_MOVE_INFO &info)
{
    const QString dir = tagOf(info.sclMove);
    if (dir.trimmed().isEmpty()) {
        // nothing is held: a stray tick must not send the grid to row 1
        if (info.timMove)
            info.timMove->stop();
        return;
    }
    sbSS_MOVE_Step(info, dir);
}

void GridNav::timSS_MOVE_Timer(SS_MOVE_INFO &info)
{
    if (!info.timMove)
        return;
    // a button disabled while held never sees its release: end the repeat here
    QAbstractButton *held = buttonOf(info, NavMath::directionOf(tagOf(info.sclMove)));
    if (held && !held->isEnabled()) {
        info.timMove->release();
        setTag(info.sclMove, QString());
        return;
    }
    sbSS_MOVE_AUTO(info);
}

void sbSS_MOVE_Stop(SS_MOVE_INFO &info)
{
    if (NavMath::isRepeating(NavMath::directionOf(tagOf(info.sclMove)))) {
        if (info.timMove)
            info.timMove->release();
        setTag(info.sclMove, QString());
    }
    focusGrid(info);
}

void sbSS_MOVE_TopLeftChange(SS_MOVE_INFO &info)
{
    if (info.SkipTopLeft) {
        info.SkipTopLeft = false; // the one notification it was set for has come
        return;
    }
    if (!info.Grid)
        return;
    const FlagScope busy(info.MoveBusy, true);
    const int T = info.Grid->FirstVisibleRow();
    setScroll(info, NavMath::scrollPos(T, info.Grid->MaxRows(), info.PageRows));
    showNow(info, T);
}

void sbSS_MOVE_ScrollChange(SS_MOVE_INFO &info)
{
    if (info.MoveBusy || !info.Grid || !info.sclMove) {
        // the navigator's own change, or the end of a thumb drag
        info.MoveBusy = false;
        return;
    }
    const FlagScope skip(info.SkipTopLeft, true);
    const int R = info.Grid->MaxRows();
    const int P = info.PageRows;
    const int T = info.Grid->FirstVisibleRow();
    const int target = NavMath::scrollClickTarget(info.sclMove->value(), T, R, P);
    if (target != T)
        info.Grid->setFirstVisibleRow(target);
    // the bar shows where the grid is, not where it was clicked
    const FlagScope busy(info.MoveBusy, true);
    setScroll(info, NavMath::scrollPos(target, R, P));
    showNow(info, target);
}

void sbSS_MOVE_ScrollDrag(SS_MOVE_INFO &info)
{
    if (!info.Grid || !info.sclMove)
        return;
    // MoveBusy stays set until the thumb is let go (sbSS_MOVE_ScrollChange clears it then)
    info.MoveBusy = true;
    // the grid answers at once (or has nothing to answer), so a later scroll by other means is not
    // skipped
    const FlagScope skip(info.SkipTopLeft, true);
    const int value = info.sclMove->sliderPosition();
    const int target = value == 1 ? 1 : NavMath::rowOf(value, info.Grid->MaxRows(), info.PageRows);
    if (target != info.Grid->FirstVisibleRow())
        info.Grid->setFirstVisibleRow(target);
    showNow(info, target);
}

void sbSS_MOVE_GoShow(SS_MOVE_INFO &info)
{
    if (!info.Grid || !info.picGo || !info.picBack || !info.navigator)
        return;
    const int R = info.Grid->MaxRows();
    const int P = info.PageRows;
    if (R <= P)
        return;
    if (info.picGo->isVisible()) {
        info.picGo->hide();
        return;
    }
    if (info.lblGo)
        info.lblGo->setText(NavMath::goLabel(NavMath::lastTop(R, P)));
    if (info.txtGo) {
        const QSignalBlocker block(info.txtGo);
        info.txtGo->setText(QString::number(info.Grid->FirstVisibleRow()));
    }
    info.navigator->slideOutGoBox();
}

void sbSS_MOVE_GoLimit(SS_MOVE_INFO &info)
{
    if (!info.Grid || !info.txtGo)
        return;
    const int R = info.Grid->MaxRows();
    const int P = info.PageRows;
    const QString text = info.txtGo->text().trimmed();
    if (R <= P || text.isEmpty())
        return;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok)
        return;
    const int limited = NavMath::goLimit(value, R, P);
    if (limited != value) {
        info.txtGo->setText(QString::number(limited));
        info.txtGo->setCursorPosition(int(info.txtGo->text().size()));
    }
}

void sbSS_MOVE_GoKey(SS_MOVE_INFO &info, int keyCode)
{
    if (!info.Grid)
        return;
    if (keyCode == 13) {
        if (!info.txtGo)
            return;
        bool ok = false;
        const qint64 typed = info.txtGo->text().trimmed().toLongLong(&ok);
        if (!ok) // nothing typed
            return;
        const int R = info.Grid->MaxRows();
        const int P = info.PageRows;
        if (typed == info.Grid->FirstVisibleRow() || R <= P)
            return;
        const int target = NavMath::goLimit(typed, R, P);
        {
            const FlagScope skip(info.SkipTopLeft, true);
            const FlagScope busy(info.MoveBusy, true);
            info.Grid->setFirstVisibleRow(target);
            setScroll(info, NavMath::scrollPos(target, R, P));
            showNow(info, target);
        }
        focusGrid(info);
    } else if (keyCode == 27) {
        if (info.picGo && info.picGo->isVisible()) {
            info.picGo->hide();
            focusGrid(info);
        }
    }
}
