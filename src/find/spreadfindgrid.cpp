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
    m_grid->setCol(col);
    return m_grid->ColHidden();
}

bool SpreadFindGrid::RowHidden(int row) const
{
    m_grid->setRow(row);
    return m_grid->RowHidden();
}

int SpreadFindGrid::SearchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const
{
    return m_grid->SearchCol(col, rowFrom, rowTo, text, flags);
}
