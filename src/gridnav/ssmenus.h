#pragma once

#include "gridnav/ss_move_info.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The navigator's two pop-up menus: the sizing mode of the refresh button and the value column of
// the graph button. Both keep their choice in the button's Tag ("1".."4" / a column number).

namespace GridNav {

// Menu texts of the sizing modes 1..4, in menu order.
QStringList sizeMenuTexts();
// Hint text of the refresh button for sizing mode `mode` (1..4): the mode's text and the two
// mouse-button lines, joined with CR LF.
QString refreshHintText(int mode);

// Hint text of the export button: its one line, and with a right-click menu the two mouse-button
// lines as the graph and refresh buttons have them (joined with CR LF).
QString exportHintText(bool withMenu);

// Graph menu contents for the grid's last header row. `keyLabel` empty takes the key column's header.
struct GraphMenuItems
{
    QStringList texts; // "<key> 별 <column header>" for firstCol..lastCol
    QList<bool> enabled; // false for columns the grid hides
};
GraphMenuItems graphMenuItems(const SS_MOVE_INFO &info, int keyCol, int firstCol, int lastCol, const QString &keyLabel);
// The graph button's Tag brought into firstCol..lastCol (empty or unreadable -> firstCol).
int graphColumnInRange(const QString &tag, int firstCol, int lastCol);

} // namespace GridNav

// Shows the sizing menu at the mouse pointer. Item 2 (fit the widest text) is enabled only when
// `allowTextFit`; the current mode is checked (an empty Tag becomes "1" first). Choosing another
// mode stores it in the refresh button's Tag, rewrites the button's hint and answers true.
bool fnSS_MOVE_SizeMenu(SS_MOVE_INFO &info, bool allowTextFit);

// Shows the graph column menu at the mouse pointer: one item per column firstCol..lastCol, greyed
// for hidden columns, the Tag's column checked (the Tag is brought into range first). Choosing an
// item stores its column in the graph button's Tag and answers true.
bool fnSS_MOVE_GraphMenu(SS_MOVE_INFO &info, int keyCol, int firstCol, int lastCol, const QString &keyLabel);

namespace GridNav {

// The export button's right-click menu "[ 자료 관리 ]": the window that owns the grid adds its
// items (export, import, checks ...) in menu order, each with its own command, so the navigator
// stays free of what the grid holds. The first item gives the export button's hint its mouse
// lines. A right press on the export button shows the menu (forwardEvents); the left click
// stays the window's export.
//   GridNav::addDataItem(m_info, QStringLiteral("..."), [this] { ... });
void addDataItem(SS_MOVE_INFO &info, const QString &text, std::function<void()> run,
                 std::function<bool()> enabled = {});
// Shows the menu at the mouse pointer (items whose `enabled` answers false greyed) and runs the
// chosen item. True when an item ran; false without items or when the menu was dismissed.
bool dataMenu(SS_MOVE_INFO &info);

} // namespace GridNav
