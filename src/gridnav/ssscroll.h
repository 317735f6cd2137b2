#pragma once

#include "gridnav/ss_move_info.h"

#include <QString>

#include <functional>

class QWidget;

// The navigator beside a data grid: a narrow panel with the export, graph and find buttons, the line
// boxes, six move buttons, a proportional scroll bar (1..10000) and a slide-out go-to box. The grid
// keeps only its horizontal scroll bar; every vertical move goes through FirstVisibleRow.
//
// How a window uses it:
//   1. Name its grids "SS" and "SS_SUM" (objectName; an optional dynamic property "Index" selects a
//      control-array element, none = 0) and put both in one container, e.g. its main panel.
//   2. sbSS_MOVE_Create(container, 0): makes the navigator's controls in that container with the
//      names below and the property Index = 0, plus the repeat timer "timSS_MOVE" (a child of it).
//   3. Fill HasSum, SumRows, HeaderRows, ColCount, LockColour of its SS_MOVE_INFO, then
//      sbSS_MOVE_Bind(container, info, 0): looks every control up by name and index, makes the hints.
//   4. sbSS_MOVE_Connect(info, onLayout): forwards the controls' events (move buttons' MouseDown and
//      MouseUp, the timer, the scroll bar, the line boxes' focus and double-click, the go-to input,
//      the grid's TopLeftChange and the sideways coupling of grid and summary grid) to the procedures
//      below. `onLayout` is what the window runs after the summary grid took new column widths
//      (normally sbSS_MOVE_Layout with its container's height, then sbSS_MOVE_LineDisp).
//      The export, graph, find and refresh buttons are left to the window.
//   5. Grid definition (ssgrid.h), then sbSS_MOVE_Arrange once, sbSS_MOVE_Layout(height) and
//      sbSS_MOVE_LineDisp on set-up, after every fill and on every resize.
//   6. sbSS_MOVE_Release(info) before the record or the controls go away.
//
// Control names: picSS_BACK (the panel) holding cmdSS_MOVE_XLS, cmdSS_MOVE_GRP, cmdSS_MOVE_FND,
// cmdSS_MOVE_TOP, cmdSS_MOVE_PUP, cmdSS_MOVE_1UP, sclSS_MOVE and the frame fmeSS_MOVE with
// cmdSS_MOVE_1DN, cmdSS_MOVE_PDN, cmdSS_MOVE_END, cmdSS_MOVE_REF; in the container beside it
// picSS_MOVE_NOW / txtSS_MOVE_NOW, picSS_MOVE_MAX / txtSS_MOVE_MAX and the go-to box picSS_MOVE_GO with
// lblSS_MOVE_GO and txtSS_MOVE_GO.
//
// Lengths are in twips of the container's coordinates.

// Makes the navigator's controls (hidden go-to box included) in `container`.
void sbSS_MOVE_Create(QWidget *container, int index);

// Binds `info` to the controls of `form` (searched among all its descendants) with the given index;
// a control missing from the form stays nullptr. Creates the seven hints.
void sbSS_MOVE_Bind(QWidget *form, SS_MOVE_INFO &info, int index);
// Forwards the navigator controls' events (see above); undone by sbSS_MOVE_Release.
void sbSS_MOVE_Connect(SS_MOVE_INFO &info, std::function<void()> onLayout = {});
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
void sbSS_MOVE_Step(SS_MOVE_INFO &info, const QString &direction);
void sbSS_MOVE_AUTO(SS_MOVE_INFO &info);
void sbSS_MOVE_Stop(SS_MOVE_INFO &info);
// The repeat timer ticked: 60 ms from now on, then one more step.
void sbSS_MOVE_TimerTick(SS_MOVE_INFO &info);
void sbSS_MOVE_TopLeftChange(SS_MOVE_INFO &info);
void sbSS_MOVE_ScrollChange(SS_MOVE_INFO &info);
void sbSS_MOVE_ScrollDrag(SS_MOVE_INFO &info);

// Go-to box.
void sbSS_MOVE_GoShow(SS_MOVE_INFO &info);
void sbSS_MOVE_GoLimit(SS_MOVE_INFO &info);
void sbSS_MOVE_GoKey(SS_MOVE_INFO &info, int keyCode); // 13 Enter, 27 Escape (and leaving the input)
