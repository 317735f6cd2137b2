#include "gridnav/ssscroll.h"

#include "gridnav/navigator.h"
#include "gridnav/navmath.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/holdrepeattimer.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

// The navigator's moves and its line display: every vertical move of the grid, the repeat of a held
// button, the scroll bar both ways, the go-to box's input and the two line boxes' numbers.

namespace {

// The navigator's own changes to the grid or the scroll bar: each flag is set for the life of the
// scope and given back its earlier value after (a notification in between may clear it first).
using FlagScope = QScopedValueRollback<bool>;

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
        if (b && NavMath::directionOf(ControlInfo::tag(b)) == direction)
            return b;
    return nullptr;
}

void focusGrid(SS_MOVE_INFO &info)
{
    if (info.Grid)
        info.Grid->setFocus(Qt::OtherFocusReason);
}

} // namespace

int fnSS_PageRows(const SS_MOVE_INFO &info, int headerRows)
{
    if (!info.Grid)
        return 0;
    return NavMath::pageRows(Twips::height(info.Grid), headerRows);
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
        ControlInfo::setTag(info.sclMove, NavMath::tagOf(direction));
    }
}

void sbSS_MOVE_Step(SS_MOVE_INFO &info, const QString &direction)
{
    sbSS_MOVE_Step(info, NavMath::directionOf(direction));
}

void sbSS_MOVE_AUTO(SS_MOVE_INFO &info)
{
    const QString dir = ControlInfo::tag(info.sclMove);
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
    QAbstractButton *held = buttonOf(info, NavMath::directionOf(ControlInfo::tag(info.sclMove)));
    if (held && !held->isEnabled()) {
        info.timMove->release();
        ControlInfo::setTag(info.sclMove, QString());
        return;
    }
    sbSS_MOVE_AUTO(info);
}

void sbSS_MOVE_Stop(SS_MOVE_INFO &info)
{
    if (NavMath::isRepeating(NavMath::directionOf(ControlInfo::tag(info.sclMove)))) {
        if (info.timMove)
            info.timMove->release();
        ControlInfo::setTag(info.sclMove, QString());
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
