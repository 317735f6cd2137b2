#pragma once

#include "platform/spread/spreadsearch.h"

#include <QString>

// The grid operations the find passes read, by the names the grid gives them. The find window
// reaches the real grid through SpreadFindGrid; the passes themselves only see this interface, so
// they can be called with a plain table of texts and numbers.
class SSFindGrid
{
public:
    virtual ~SSFindGrid();

    virtual int MaxCols() const = 0;
    virtual int MaxRows() const = 0;
    virtual bool ColHidden(int col) const = 0;
    virtual bool RowHidden(int row) const = 0;

    // First row r with rowFrom < r <= rowTo whose cell in column col matches text, or -1.
    // flags: SpreadSearch::Contains or SpreadSearch::EqualValue; letter case is ignored in both.
    virtual int SearchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const = 0;
};
