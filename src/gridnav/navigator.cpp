#include "gridnav/navigator.h"

#include "gridnav/navmath.h"
#include "gridnav/ssscroll.h"
#include "platform/controls/holdrepeattimer.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegion>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

// The navigator's widgets and where they stand: the panel and its controls as they are made, the
// go-to box's slide, and the layout of grid, summary grid, panel and line boxes. The moves and the
// line display are in ssscroll.cpp, the binding to a record and the forwarded events in
// navbinding.cpp.

namespace {

constexpr int kRepeatMs = 60; // a held move button repeats this often after the first pause
constexpr int kGoHeight = 345; // go-to box height, twips
constexpr int kGoStepMs = 10; // the go-to box's slide: one step this often

void setGeometryTwips(QWidget *w, const QRectF &r)
{
    if (w)
        Twips::setGeometry(w, r.left(), r.top(), r.width(), r.height());
}

QRectF twipsRect(const QWidget *w)
{
    return QRectF(Twips::left(w), Twips::top(w), Twips::width(w), Twips::height(w));
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

} // namespace

namespace GridNav {

Navigator::Navigator(QWidget *container, SpreadGrid *dataGrid, SpreadGrid *summaryGrid, int index)
    : QObject(container)
    , m_grid(dataGrid)
    , m_sumGrid(summaryGrid)
    , m_index(index)
{
    NavControls &c = m_controls;
    setObjectName(QStringLiteral("SS_MOVE"));
    auto *back = new QFrame(container);
    back->setObjectName(QStringLiteral("picSS_BACK"));
    back->setAutoFillBackground(true);
    QPalette pal = back->palette();
    pal.setColor(QPalette::Window, QColor(0xe9, 0xee, 0xf4));
    back->setPalette(pal);
    c.picBack = back;

    using NavMath::Direction;
    c.cmdXls = makeButton(back, "cmdSS_MOVE_XLS", "export");
    c.cmdGrp = makeButton(back, "cmdSS_MOVE_GRP", "graph");
    c.cmdFnd = makeButton(back, "cmdSS_MOVE_FND", "find");
    c.cmdTop = makeButton(back, "cmdSS_MOVE_TOP", "top", Direction::Top);
    c.cmdPup = makeButton(back, "cmdSS_MOVE_PUP", "pageup", Direction::PageUp);
    c.cmd1Up = makeButton(back, "cmdSS_MOVE_1UP", "up", Direction::LineUp);

    c.sclMove = new QScrollBar(Qt::Vertical, back);
    c.sclMove->setObjectName(QStringLiteral("sclSS_MOVE"));
    c.sclMove->setRange(NavMath::kScrollMin, NavMath::kScrollMax);
    c.sclMove->setFocusPolicy(Qt::NoFocus);
    // the move buttons above and below stand in for the bar's own arrows
    c.sclMove->setStyleSheet(scrollSheet(0));

    c.fmeMove = new QFrame(back);
    c.fmeMove->setObjectName(QStringLiteral("fmeSS_MOVE"));
    c.cmd1Dn = makeButton(c.fmeMove, "cmdSS_MOVE_1DN", "down", Direction::LineDown);
    c.cmdPdn = makeButton(c.fmeMove, "cmdSS_MOVE_PDN", "pagedown", Direction::PageDown);
    c.cmdEnd = makeButton(c.fmeMove, "cmdSS_MOVE_END", "end", Direction::End);
    c.cmdRef = makeButton(c.fmeMove, "cmdSS_MOVE_REF", "refresh");

    c.picNow = makeBox(container, "picSS_MOVE_NOW", "txtSS_MOVE_NOW", &c.txtNow);
    c.picMax = makeBox(container, "picSS_MOVE_MAX", "txtSS_MOVE_MAX", &c.txtMax);

    auto *go = new QFrame(container);
    c.picGo = go;
    go->setObjectName(QStringLiteral("picSS_MOVE_GO"));
    go->setFrameShape(QFrame::Box);
    go->setAutoFillBackground(true);
    QPalette goPal = go->palette();
    goPal.setColor(QPalette::Window, QColor(0xff, 0xfb, 0xe6));
    goPal.setColor(QPalette::WindowText, QColor(0x6f, 0x87, 0xa6));
    c.picGo->setPalette(goPal);
    auto *lay = new QHBoxLayout(c.picGo);
    lay->setContentsMargins(3, 1, 2, 1);
    lay->setSpacing(2);
    c.lblGo = new QLabel(c.picGo);
    c.lblGo->setObjectName(QStringLiteral("lblSS_MOVE_GO"));
    QFont small = c.lblGo->font();
    small.setPixelSize(10);
    QFont tiny = small;
    tiny.setPixelSize(9);
    c.lblGo->setFont(tiny);
    c.lblGo->setStyleSheet(QStringLiteral("color: #44556b;"));
    c.txtGo = new QLineEdit(c.picGo);
    c.txtGo->setObjectName(QStringLiteral("txtSS_MOVE_GO"));
    c.txtGo->setFont(small);
    c.txtGo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.txtGo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), c.txtGo));
    c.txtGo->setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid #8fa3bc; padding: 0px 1px; background: white; }"));
    // the range is always shown whole; the input takes what is left (six digits at least)
    c.lblGo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    c.txtGo->setMinimumWidth(Twips::toPixels(420));
    lay->addWidget(c.lblGo);
    lay->addWidget(c.txtGo, 1);
    c.picGo->hide();

    c.timMove = new HoldRepeatTimer(kRepeatMs, this);
    c.timMove->setObjectName(QStringLiteral("timSS_MOVE"));
    m_timGo = new QTimer(this);
    m_timGo->setInterval(kGoStepMs);
    connect(m_timGo, &QTimer::timeout, this, &Navigator::slideStep);
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

SpreadGrid *Navigator::grid() const
{
    return m_grid.data();
}

SpreadGrid *Navigator::sumGrid() const
{
    return m_sumGrid.data();
}

QRectF Navigator::goRect(int step) const
{
    const QRectF back = twipsRect(m_controls.picBack);
    return NavMath::goSlideRect(step, back.left(), back.top(), kGoHeight);
}

void Navigator::slideOutGoBox()
{
    m_controls.picGo->raise();
    setGeometryTwips(m_controls.picGo, goRect(0));
    m_controls.picGo->show();
    // steps on a timer, not a wait: the window's own events (a close among them) keep flowing
    m_goStep = 0;
    m_timGo->start();
}

bool Navigator::isSliding() const
{
    return m_timGo->isActive();
}

void Navigator::stopSliding()
{
    m_timGo->stop();
}

void Navigator::slideStep()
{
    if (!m_controls.picGo->isVisible()) {
        // closed again while it slid (Escape, a second double-click, a new fill)
        m_timGo->stop();
        return;
    }
    ++m_goStep;
    setGeometryTwips(m_controls.picGo, goRect(m_goStep));
    if (m_goStep < NavMath::kGoSteps)
        return;
    m_timGo->stop();
    setGeometryTwips(m_controls.picGo, goRect(NavMath::kGoSteps + 1));
    m_controls.txtGo->setFocus(Qt::OtherFocusReason);
    m_controls.txtGo->selectAll();
}

} // namespace GridNav

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
        if (!grid->colHidden(c))
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
