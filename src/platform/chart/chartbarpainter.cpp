#include "platform/chart/chartpainter.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;
using namespace ChartPlot;

// Bars: flat faces with a light sheen, or boxes in 3D; value labels over them.
void ChartBarPainter::paintSeries(QPainter *p) const
{
    paintAxes(p);
    const QRectF &f = m_l.front;
    const double lo = m_l.scale.minimum;
    const double hi = m_l.scale.maximum;
    const int slotCount = std::max(1, m_l.page.slotCount);
    // a bar is as deep as the plot, less a little air at the front and back
    const QPointF d = m_l.depth * 0.8;
    const QPointF shift = m_l.depth * 0.1;
    for (int k = 0; k < m_l.page.shown; ++k) {
        const int i = m_l.page.first + k;
        const ChartPoint &pt = m_s.points.at(i);
        const QColor c = pt.colour.isValid() ? pt.colour : QColor(80, 120, 200);
        QRectF front = barRect(k, slotCount, pt.value, lo, hi, f, kBarWidth, kBarMaxWidth).translated(shift);
        if (front.height() < 0.5)
            front.setHeight(0.5);
        // bars a few pixels wide get flat faces without edges: edges would hide the colour
        const bool thin = front.width() < 5;
        p->setRenderHint(QPainter::Antialiasing, !thin);
        if (m_s.view3D) {
            const Box3D box = box3D(front, d);
            p->setPen(thin ? QPen(Qt::NoPen) : QPen(c.darker(160), 0.6));
            p->setBrush(c.darker(135));
            p->drawPolygon(box.side);
            p->setBrush(c.lighter(125));
            p->drawPolygon(box.top);
        }
        if (thin) {
            p->fillRect(front, c);
        } else {
            QLinearGradient g(front.topLeft(), front.topRight());
            g.setColorAt(0, c.lighter(112));
            g.setColorAt(1, c.darker(106));
            p->setPen(QPen(c.darker(150), 0.8));
            p->setBrush(g);
            p->drawRect(front);
        }
    }
    p->setRenderHint(QPainter::Antialiasing, true);
    paintMarks(p);
}
