#pragma once

#include <QList>
#include <QString>

// Where the find window's controls sit on its 240 x 178 pixel client area, in twips
// (15 twips = 1 pixel at 96 dpi), matching the framed areas of the background picture.
namespace SSFindLayout {

struct TwipRect
{
    double left, top, width, height;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

constexpr double ClientWidth = 3600; // 240 px
constexpr double ClientHeight = 2670; // 178 px

// The framed areas drawn on the background: the shown cell (위치, 내용) and the search.
constexpr TwipRect CellFrame{83, 83, 3435, 840};
constexpr TwipRect SearchFrame{83, 1013, 3435, 1125};

constexpr TwipRect lblSSFind0{690, 180, 1770, 270}; // header text of the shown cell's column
constexpr TwipRect lblSSFind1{2520, 180, 870, 270}; // row number
constexpr TwipRect txtSSFind{690, 540, 2700, 270}; // text of the shown cell
constexpr TwipRect cboSSFind{210, 1140, 2820, 300}; // search text and history
constexpr TwipRect cmdSSFind{3120, 1155, 270, 270}; // pick-current-cell, 18 x 18 px
constexpr TwipRect chkSSFind0{210, 1500, 3210, 270}; // whole-value match
constexpr TwipRect chkSSFind1{210, 1800, 3210, 270}; // active column only
constexpr TwipRect cmdNEXT{1110, 2235, 1170, 345}; // 찾기, 78 x 23 px
constexpr TwipRect cmdClose{2340, 2235, 1170, 345}; // 닫기, 78 x 23 px

struct Placed
{
    QString name;
    TwipRect rect;
};

// Every control with its object name and place, in tab order.
QList<Placed> controls();

} // namespace SSFindLayout
