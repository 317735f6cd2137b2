#include "spreaddelegate.h"

#include "spreadmodel.h"
#include "spreadpaint.h"

#include <QPainter>

SpreadDelegate::SpreadDelegate(SpreadModel *store, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_store(store)
{
}

void SpreadDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    if (row > m_store->maxRows() || col > m_store->maxCols())
        return;
    painter->save();
    const SpreadFormat f = m_store->format(col, row);
    SpreadPaint::paintCell(painter, option.rect, m_store->displayText(col, row), f, false);
    SpreadPaint::paintBorders(painter, option.rect, f);
    if (option.state & QStyle::State_Selected) {
        // translucent so the cell's own colour still shows
        painter->fillRect(option.rect.adjusted(0, 0, -1, -1), QColor(0x33, 0x7A, 0xE0, 40));
    }
    if (option.state & QStyle::State_HasFocus) {
        QPen pen(QColor(0x2F, 0x6F, 0xD0));
        pen.setWidth(2);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

QSize SpreadDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    // never asked per row: rows are uniform and sized by the grid
    return option.rect.size();
}
