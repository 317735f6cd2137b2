#include "spreadview.h"

#include "platform/win/wincolor.h"
#include "spreaddelegate.h"
#include "spreadheaderview.h"
#include "spreadmodel.h"
#include "spreadpaint.h"
#include "spreadunits.h"

#include <QHeaderView>
#include <QPainter>

namespace {

// Header cells of the row-number column, stacked like the column headers.
class CornerCell : public QWidget
{
public:
    CornerCell(SpreadModel *store, QWidget *parent)
        : QWidget(parent)
        , m_store(store)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        connect(store, &SpreadModel::headerTextChanged, this, qOverload<>(&QWidget::update));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setFont(font());
        int top = 0;
        for (int k = 0; k < m_store->headerRows(); ++k) {
            const int row = SpreadModel::FirstHeaderRow + k;
            const int h = SpreadUnits::heightToPixels(m_store->rowHeight(row));
            SpreadPaint::paintCell(&p, QRect(0, top, width(), h), m_store->displayText(0, row), m_store->format(0, row),
                                   true);
            top += h;
        }
        if (top < height())
            p.fillRect(QRect(0, top, width(), height() - top),
                       WinColor::toQColor(quint32(m_store->headerFormat().backColor)));
    }

private:
    SpreadModel *m_store;
};

} // namespace

SpreadView::SpreadView(SpreadModel *store, QWidget *parent)
    : QTableView(parent)
{
    setHorizontalHeader(new SpreadHeaderView(Qt::Horizontal, store, this));
    setVerticalHeader(new SpreadHeaderView(Qt::Vertical, store, this));
    setModel(store);
    setItemDelegate(new SpreadDelegate(store, this));
    setShowGrid(false); // the delegate draws lighter lines itself
    setFrameShape(QFrame::NoFrame);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerItem);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    verticalHeader()->setTextElideMode(Qt::ElideNone);
    m_corner = new CornerCell(store, this);
}

void SpreadView::refreshGeometry()
{
    updateGeometries();
}

void SpreadView::updateGeometries()
{
    QTableView::updateGeometries();
    if (!m_corner)
        return; // called from setModel, before the corner exists
    // the corner sits where the two headers meet
    const QHeaderView *v = verticalHeader();
    const QHeaderView *h = horizontalHeader();
    const int w = v->isHidden() ? 0 : v->width();
    const int hh = h->isHidden() ? 0 : h->height();
    m_corner->setGeometry(viewport()->x() - w, viewport()->y() - hh, w, hh);
    m_corner->setVisible(w > 0 && hh > 0);
    m_corner->raise();
    m_corner->update();
}
