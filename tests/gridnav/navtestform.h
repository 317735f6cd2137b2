#pragma once

#include "gridnav/ss_move_info.h"
#include "gridnav/ssgrid.h"

#include <QWidget>

class SpreadGrid;

// A small window with a data grid "SS", its summary grid "SS_SUM" and the navigator beside them, set
// up as the rate window sets up its grid (six columns, one header row, one summary row).
class NavTestForm : public QWidget
{
public:
    explicit NavTestForm(QWidget *parent = nullptr);
    ~NavTestForm() override;

    SS_MOVE_INFO info;
    QWidget *container = nullptr; // the grids' panel
    SpreadGrid *grid = nullptr;
    SpreadGrid *sum = nullptr;

    // All steps at set-up, the sizing after a fill: format / header texts / sizing + layout + line
    // display.
    void format(GridNav::FormatSteps steps);
    // Fills `rows` rows with sample days and rates, then sizes, lays out and shows the lines.
    void fill(int rows);
    // Layout and line display for the container's height.
    void relayout();
    // Fills `rows` rows into a grid sized for a page of `page` rows and shows the lines; the page the
    // navigator then counts (-1 when no grid height gives that page).
    int showPage(int rows, int page);

protected:
    void resizeEvent(QResizeEvent *event) override;
};
