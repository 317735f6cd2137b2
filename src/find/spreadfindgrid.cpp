#include "spreadfindgrid.h"

#include "platform/spread/spreadgrid.h"

SpreadFindGrid::SpreadFindGrid(SpreadGrid *grid)
    : m_grid(grid)
{ }

int SpreadFindGrid::MaxCols() const
{
    return m_grid->MaxCols();
}

int SpreadFindGrid::MaxRows() const
{
    return m_grid->MaxRows();
}

bool SpreadFindGrid::ColHidden(int col) const
{
    return m_grid->colHidden(col);
}

bool SpreadFindGrid::RowHidden(int row) const
{
    return m_grid->rowHidden(row);
}

int SpreadFindGrid::SearchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const
{
    return m_grid->SearchCol(col, rowFrom, rowTo, text, flags);
}
