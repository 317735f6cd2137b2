#include "spreadheaderview.h"

#include "platform/win/wincolor.h"
#include "spreadmodel.h"
#include "spreadpaint.h"
#include "spreadunits.h"

#include <QPainter>

#include <vector>

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
    // pixel top of each header row, one more for the bottom
    std::vector<int> tops{rect.top()};
    for (int k = 0; k < m_store->headerRows(); ++k)
        tops.push_back(tops.back() + SpreadUnits::heightToPixels(m_store->rowHeight(SpreadModel::FirstHeaderRow + k)));
    for (int k = 0; k < m_store->headerRows(); ++k) {
        const int row = SpreadModel::FirstHeaderRow + k;
        QRect cellRect(rect.left(), tops[size_t(k)], rect.width(), tops[size_t(k) + 1] - tops[size_t(k)]);
        int textCol = col;
        int textRow = row;
        // merged header cells are drawn as one block with the text of its first cell
        const QRect span = m_store->spanAt(col, row);
        if (span.isValid() && span.left() >= 1) {
            const int first = span.left() - 1;
            const int last = std::min(span.right(), count()) - 1;
            const int x1 = sectionViewportPosition(first);
            const int x2 = sectionViewportPosition(last) + sectionSize(last);
            const int k1 = span.top() - SpreadModel::FirstHeaderRow;
            const int k2 = std::min(span.bottom() - SpreadModel::FirstHeaderRow, m_store->headerRows() - 1);
            cellRect = QRect(x1, tops[size_t(k1)], x2 - x1, tops[size_t(k2) + 1] - tops[size_t(k1)]);
            textCol = span.left();
            textRow = span.top();
            painter->setClipRect(viewport()->rect());
        }
        SpreadPaint::paintCell(painter, cellRect, m_store->displayText(textCol, textRow),
                               m_store->format(textCol, textRow), true);
    }
    const int top = tops.back();
    if (top <= rect.bottom())
        painter->fillRect(QRect(rect.left(), top, rect.width(), rect.bottom() - top + 1),
                          WinColor::toQColor(quint32(m_store->headerFormat().backColor)));
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
