#pragma once

#include <QHeaderView>

class SpreadModel;

// Column header with the grid's header rows stacked (rows -1000..), or the row-number column
// (column 0) when vertical. Texts, colours and merged row-number cells come from the cell store.
class SpreadHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    SpreadHeaderView(Qt::Orientation orientation, SpreadModel *store, QWidget *parent = nullptr);

    // Header row (-1000..) under a y position in pixels of the column header; 0 when none.
    int headerRowAt(int y) const;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    void paintColumnHeader(QPainter *painter, const QRect &rect, int col) const;
    void paintRowNumber(QPainter *painter, const QRect &rect, int row) const;

    SpreadModel *m_store;
};
