#pragma once

#include "gridnav/navigator.h"
#include "gridnav/navmath.h"
#include "gridnav/ss_move_info.h"

#include <QString>

#include <functional>

class QWidget;

// The navigator beside a data grid: a narrow panel with the export, graph and find buttons, the line
// boxes, six move buttons, a proportional scroll bar (1..10000) and a slide-out go-to box. The grid
// keeps only its horizontal scroll bar; every vertical move goes through FirstVisibleRow.
//
// How a window uses it:
//   1. Put its grids SS and SS_SUM in one container, e.g. its main panel, and make a
//      GridNav::Navigator in that container for them: it makes the navigator's controls there, plus
//      the repeat timer timSS_MOVE and the go-to box's slide timer.
//   2. Fill HasSum, SumRows, HeaderRows, ColCount, LockColour of its SS_MOVE_INFO, then
//      sbSS_MOVE_Bind(form, info, 0): takes the controls of the form's navigator with that index into
//      the record and makes the hints.
//   3. GridNav::forwardEvents(info, onLayout): forwards the controls' events (move buttons' MouseDown
//      and MouseUp, the timers, the scroll bar, the line boxes' focus and double-click, the go-to
//      input, the grid's TopLeftChange and the sideways coupling of grid and summary grid) to the
//      procedures below. `onLayout` is what the window runs after the summary grid took new column
//      widths (normally sbSS_MOVE_Layout with its container's height, then sbSS_MOVE_LineDisp).
//      The export, graph, find and refresh buttons are left to the window.
//   4. Grid definition (ssgrid.h), then sbSS_MOVE_Arrange once, sbSS_MOVE_Layout(height) and
//      sbSS_MOVE_LineDisp on set-up, after every fill and on every resize.
//   5. sbSS_MOVE_Release(info) before the record or the controls go away.
//
// The controls keep their names as object names: picSS_BACK (the panel) holding cmdSS_MOVE_XLS,
// cmdSS_MOVE_GRP, cmdSS_MOVE_FND, cmdSS_MOVE_TOP, cmdSS_MOVE_PUP, cmdSS_MOVE_1UP, sclSS_MOVE and the
// frame fmeSS_MOVE with cmdSS_MOVE_1DN, cmdSS_MOVE_PDN, cmdSS_MOVE_END, cmdSS_MOVE_REF; in the
// container beside it picSS_MOVE_NOW / txtSS_MOVE_NOW, picSS_MOVE_MAX / txtSS_MOVE_MAX and the go-to
// box picSS_MOVE_GO with lblSS_MOVE_GO and txtSS_MOVE_GO.
//
// Lengths are in twips of the container's coordinates.
//
// The module is in three files: the widgets and their layout (navigator.cpp: GridNav::Navigator,
// sbSS_MOVE_Layout, sbSS_MOVE_Arrange, sbSS_MOVE_FocusBox, fnSS_FitHeight), the binding and the
// forwarded events (navbinding.cpp: sbSS_MOVE_Bind, sbSS_MOVE_Release, GridNav::forwardEvents), and
// the moves and line display (ssscroll.cpp: the rest).

namespace GridNav {

// Forwards the navigator controls' events (see above); undone by sbSS_MOVE_Release.
void forwardEvents(SS_MOVE_INFO &info, const std::function<void()> &onLayout = {});

// The repeat timer ticked: 60 ms from now on, then one more step (or the end of the repeat when
// the held button was disabled meanwhile).
void timSS_MOVE_Timer(SS_MOVE_INFO &info);

} // namespace GridNav

// Binds `info` to the controls of the navigator of `form` with the given index (the record stays
// empty when there is none) and creates the seven hints. The summary grid is taken only with HasSum.
void sbSS_MOVE_Bind(QWidget *form, SS_MOVE_INFO &info, int index);
// Drops the hints and the forwarded events and sets every control reference to nullptr.
void sbSS_MOVE_Release(SS_MOVE_INFO &info);

// Places grid, summary grid, panel and line boxes for the available height (twips, from the top of
// the grid's container).
void sbSS_MOVE_Layout(SS_MOVE_INFO &info, double height);
// Places the controls inside the panel; hides the go-to box.
void sbSS_MOVE_Arrange(SS_MOVE_INFO &info);
// Recomputes PageRows, refreshes the scroll bar, the move buttons and the two line boxes.
void sbSS_MOVE_LineDisp(SS_MOVE_INFO &info);
// Empty state before the grid is refilled or cleared.
void sbSS_MOVE_Reset(SS_MOVE_INFO &info);
// Widens (focused, number above 999) or restores line box 0 (current line) or 1 (total).
void sbSS_MOVE_FocusBox(SS_MOVE_INFO &info, int boxIndex, bool hasFocus);

int fnSS_PageRows(const SS_MOVE_INFO &info, int headerRows);
int fnSS_FitHeight(const SS_MOVE_INFO &info, double height, double below);

// Movement.
void sbSS_MOVE_Step(SS_MOVE_INFO &info, NavMath::Direction direction);
// The same move named by a Tag text ("TOP", "PUP", ...; blanks around it ignored).
void sbSS_MOVE_Step(SS_MOVE_INFO &info, const QString &direction);
void sbSS_MOVE_AUTO(SS_MOVE_INFO &info);
void sbSS_MOVE_Stop(SS_MOVE_INFO &info);
void sbSS_MOVE_TopLeftChange(SS_MOVE_INFO &info);
void sbSS_MOVE_ScrollChange(SS_MOVE_INFO &info);
void sbSS_MOVE_ScrollDrag(SS_MOVE_INFO &info);

// Go-to box.
void sbSS_MOVE_GoShow(SS_MOVE_INFO &info);
void sbSS_MOVE_GoLimit(SS_MOVE_INFO &info);
void sbSS_MOVE_GoKey(SS_MOVE_INFO &info, int keyCode); // 13 Enter, 27 Escape (and leaving the input)
