#include "spreadheaderview.h"

#include "spreadmodel.h"
#include "spreadpaint.h"
#include "spreadunits.h"

#include <QPainter>

SpreadHeaderView::SpreadHeaderView(Qt::Orientation orientation, SpreadModel *store, QWidget *parent)
    : QHeaderView(orientation, parent)
    , m_store(store)
{
    setHighlightSections(false);
    setSectionsClickable(false);
    setMinimumSectionSize(0);
    if (orientation == Qt::Vertical) {
        setSectionResizeMode(QHeaderView::Fixed); // uniform rows: no per-row size queries
        setDefaultSectionSize(SpreadUnits::heightToPixels(SpreadUnits::DefaultRowHeight));
    } else {
        setSectionResizeMode(QHeaderView::Interactive);
        setDefaultSectionSize(SpreadUnits::widthToPixels(SpreadUnits::DefaultColWidth));
    }
    connect(store, &SpreadModel::headerTextChanged, viewport(), qOverload<>(&QWidget::update));
}

int SpreadHeaderView::headerRowAt(int y) const
{
    int top = 0;
    for (int k = 0; k < m_store->headerRows(); ++k) {
        const int row = SpreadModel::FirstHeaderRow + k;
        const int h = SpreadUnits::heightToPixels(m_store->rowHeight(row));
        if (y >= top && y < top + h)
            return row;
        top += h;
    }
    return 0;
}

void SpreadHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    painter->save();
    if (orientation() == Qt::Horizontal)
        paintColumnHeader(painter, rect, logicalIndex + 1);
    else
        paintRowNumber(painter, rect, logicalIndex + 1);
    painter->restore();
}

void SpreadHeaderView::paintColumnHeader(QPainter *painter, const QRect &rect, int col) const
{
    int top = rect.top();
    for (int k = 0; k < m_store->headerRows(); ++k) {
        const int row = SpreadModel::FirstHeaderRow + k;
        const int h = SpreadUnits::heightToPixels(m_store->rowHeight(row));
        const QRect cellRect(rect.left(), top, rect.width(), h);
        SpreadPaint::paintCell(painter, cellRect, m_store->displayText(col, row), m_store->format(col, row), true);
        top += h;
    }
    if (top <= rect.bottom())
        painter->fillRect(QRect(rect.left(), top, rect.width(), rect.bottom() - top + 1),
                          SpreadPaint::color(m_store->headerFormat().backColor));
}

void SpreadHeaderView::paintRowNumber(QPainter *painter, const QRect &rect, int row) const
{
    QRect cellRect = rect;
    int textRow = row;
    // merged row-number cells are drawn as one block, with the text of its first row
    const QRect span = m_store->spanAt(0, row);
    if (span.isValid() && span.top() >= 1) {
        const int first = span.top() - 1;
        const int last = std::min(span.bottom(), count()) - 1;
        const int y1 = sectionViewportPosition(first);
        const int y2 = sectionViewportPosition(last) + sectionSize(last);
        cellRect = QRect(rect.left(), y1, rect.width(), y2 - y1);
        textRow = span.top();
        painter->setClipRect(viewport()->rect());
    }
    SpreadPaint::paintCell(painter, cellRect, m_store->displayText(0, textRow), m_store->format(0, textRow), true);
}
