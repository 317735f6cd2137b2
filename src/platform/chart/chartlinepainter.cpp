#include "platform/chart/chartpainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;
using namespace ChartPlot;

// A line through the points with round markers, or a ribbon in 3D; value labels over it.
void ChartLinePainter::paintSeries(QPainter *p) const
{
    paintAxes(p);
    const QRectF &f = m_l.front;
    const double lo = m_l.scale.minimum;
    const double hi = m_l.scale.maximum;
    const int slotCount = std::max(1, m_l.page.slotCount);
    QVector<QPointF> pts;
    for (int k = 0; k < m_l.page.shown; ++k) {
        const double v = std::clamp(m_s.points.at(m_l.page.first + k).value, lo, hi);
        pts.append(QPointF(slotCentreX(k, slotCount, f), valueToY(v, lo, hi, f)));
    }
    auto colourOf = [this](int k) {
        const QColor c = m_s.points.at(m_l.page.first + k).colour;
        return c.isValid() ? c : QColor(40, 90, 200);
    };

    if (m_s.view3D) {
        // a ribbon half as deep as the plot, in its middle
        const QPointF d = m_l.depth * 0.5;
        const QPointF shift = m_l.depth * 0.25;
        for (int k = 0; k + 1 < pts.size(); ++k) {
            const QColor c = colourOf(k);
            const bool rising = pts.at(k + 1).y() < pts.at(k).y();
            p->setPen(QPen(c.darker(150), 0.8));
            p->setBrush(rising ? c.darker(115) : c.lighter(110));
            p->drawPolygon(ribbonQuad(pts.at(k) + shift, pts.at(k + 1) + shift, d));
        }
        // the front edge as a line, so that a segment running along the depth still shows
        for (int k = 0; k + 1 < pts.size(); ++k) {
            p->setPen(QPen(colourOf(k).darker(135), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p->drawLine(pts.at(k) + shift, pts.at(k + 1) + shift);
        }
        if (pts.size() == 1) {
            p->setPen(QPen(colourOf(0).darker(150), 2));
            p->drawLine(pts.at(0) + shift, pts.at(0) + shift + d);
        }
        if (m_s.lineMarkers && f.width() / slotCount >= 8) {
            p->setPen(QPen(m_s.markerOutline, 1));
            for (int k = 0; k < pts.size(); ++k) {
                p->setBrush(colourOf(k));
                p->drawRect(QRectF(pts.at(k) + shift + d / 2 - QPointF(3, 3), QSizeF(6, 6)));
            }
        }
    } else {
        // a soft dark rim under the line keeps light colours (yellow) readable on the wall
        if (pts.size() > 1) {
            p->setPen(QPen(QColor(0, 0, 0, 45), 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p->drawPolyline(pts.constData(), int(pts.size()));
        }
        for (int k = 0; k + 1 < pts.size(); ++k) {
            p->setPen(QPen(colourOf(k), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p->drawLine(pts.at(k), pts.at(k + 1));
        }
        // markers closer than a few pixels would only blot the line
        const bool roomy = f.width() / slotCount >= 6;
        if ((m_s.lineMarkers && roomy) || pts.size() == 1) {
            for (int k = 0; k < pts.size(); ++k) {
                p->setPen(QPen(colourOf(k).darker(140), 1.6));
                p->setBrush(Qt::white);
                p->drawEllipse(pts.at(k), 3.8, 3.8);
            }
        }
    }

    paintMarks(p);
}
