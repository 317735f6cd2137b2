#pragma once

#include "gridnav/navcontrols.h"
#include "platform/controls/holdrepeattimer.h"
#include "platform/spread/spreadunits.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>
#include <memory>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;
class SpreadGrid;
class ToolTip;

namespace GridNav {

class Navigator;

// One item of the export button's right-click menu, added by the window that owns the grid
// (addDataItem): its text, what it runs, and when it may be picked (empty = always).
struct DataItem
{
    QString text;
    std::function<void()> run;
    std::function<bool()> enabled;
};

} // namespace GridNav

// The navigator record of one data grid: the grid, its summary grid, the controls of the panel beside
// it, the page size, the re-entrancy flags and the column definition that the grid is formatted from.
// A window keeps one as a field (the rate window: one for SS). Its controls are the navigator's own
// record (GridNav::NavControls), taken whole by sbSS_MOVE_Bind and emptied by sbSS_MOVE_Release;
// the record owns none of them, only the hints in Tips.
//
// Geometry fed into and read out of the record is in twips; column widths are in the grid's width
// units (8 pixels), row heights in its row units (a data row is 10.22).
struct SS_MOVE_INFO : GridNav::NavControls
{
    GridNav::Navigator *navigator = nullptr; // the navigator the record is bound to
    SpreadGrid *Grid = nullptr; // the data grid (SS)
    bool HasSum = false; // a summary grid belongs to the grid
    int SumRows = 0; // rows of the summary grid (1 for the rate window)
    SpreadGrid *SumGrid = nullptr; // the summary grid (SS_SUM)

    // Set while the navigator itself changes the scroll bar (and during a thumb drag); the bar's
    // notification then only clears it.
    bool MoveBusy = false;
    // Set while the navigator itself scrolls the grid; the grid's next scroll notification only
    // clears it.
    bool SkipTopLeft = false;

    int PageRows = 0; // data rows that fit in the grid (valid after the first line display)
    double RowHeightStd = SpreadUnits::DefaultRowHeight; // current data-row height in row units

    int HeaderRows = 0; // header rows of the definition
    int ColCount = 0; // data columns of the definition

    // Column definition, each indexed 0..ColCount (0 = the row-number column).
    QVector<int> ColKind; // 13x = number (131..136: 1..6 decimals), otherwise the grid's cell kind
    QVector<double> ColWidthDef; // definition width in width units
    QVector<QStringList> HeaderText; // [col][header row 0..HeaderRows-1]
    QVector<int> ColVAlign;
    QVector<int> ColHAlign; // 0 left, 1 right, 2 centre
    QVector<int> ColOption;
    QVector<bool> ColHiddenDef;
    QVector<bool> ColLockedDef;
    QVector<bool> ColBorder;

    bool LockColour = false; // locked columns light yellow, others white

    // The export button's right-click menu "[ 자료 관리 ]", in menu order; empty = no menu.
    QVector<GridNav::DataItem> DataItems;

    // The navigator's forwarded events (GridNav::forwardEvents); deleting it undoes them.
    QPointer<QObject> Links;

    // The seven hints: summary grid, current-line box, total box, export, graph, find, refresh.
    std::array<std::shared_ptr<ToolTip>, 7> Tips;
};
