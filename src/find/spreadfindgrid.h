#pragma once

#include "find/ssfindgrid.h"

class SpreadGrid;

// The find passes over a real grid: hidden columns and rows are read by addressing the cell
// (Col, Row) as the grid wants it, and the search is the grid's own SearchCol.
class SpreadFindGrid : public SSFindGrid
{
public:
    explicit SpreadFindGrid(SpreadGrid *grid);

    int MaxCols() const override;
    int MaxRows() const override;
    bool ColHidden(int col) const override;
    bool RowHidden(int row) const override;
    int SearchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const override;

private:
    SpreadGrid *m_grid;
};
