#pragma once

#include "find/ssfindgrid.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// A plain table of cell texts for the find passes, searched the way the grid documents SearchCol.
// Cells are written as "col,row=text".
class CellTable : public SSFindGrid
{
public:
    CellTable(int cols, int rows, const QStringList &cells = {})
        : m_cols(cols)
        , m_rows(rows)
    {
        for (const QString &cell : cells) {
            const int eq = cell.indexOf('=');
            const QStringList at = cell.left(eq).split(',');
            m_text.insert({at.at(0).toInt(), at.at(1).toInt()}, cell.mid(eq + 1));
        }
    }

    QSet<int> hiddenCols;
    QSet<int> hiddenRows;
    mutable int searches = 0;

    int MaxCols() const override { return m_cols; }
    int MaxRows() const override { return m_rows; }
    bool ColHidden(int col) const override { return hiddenCols.contains(col); }
    bool RowHidden(int row) const override { return hiddenRows.contains(row); }
    int SearchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const override
    {
        ++searches;
        for (int r = std::max(rowFrom + 1, 1); r <= std::min(rowTo, m_rows); ++r) {
            const QString cell = m_text.value({col, r});
            const bool hit = flags == SpreadSearch::EqualValue ? cell.compare(text, Qt::CaseInsensitive) == 0
                                                               : cell.contains(text, Qt::CaseInsensitive);
            if (hit)
                return r;
        }
        return -1;
    }

private:
    int m_cols;
    int m_rows;
    QHash<QPair<int, int>, QString> m_text;
};
