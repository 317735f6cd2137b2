#include "platform/chart/chartpainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;
using namespace ChartPlot;

// A disc, or a cylinder in 3D, with the marks outside it on leader lines.
void ChartPiePainter::paintSeries(QPainter *p) const
{
    const QRectF top = m_l.pie.top;
    if (top.width() <= 1 || top.height() <= 1)
        return;
    auto colourOf = [this](int i) {
        const QColor c = m_s.points.at(i).colour;
        return c.isValid() ? c : QColor(80, 120, 200);
    };

    if (m_s.view3D && m_l.pie.thickness > 0) {
        const QRectF bottom = top.translated(0, m_l.pie.thickness);
        for (int i = 0; i < m_l.slices.size(); ++i) {
            const PieSlice &s = m_l.slices.at(i);
            if (s.spanDeg <= 0)
                continue;
            const QColor c = colourOf(i);
            // the side of a cylinder: darker towards its left and right ends
            QLinearGradient g(top.topLeft(), top.topRight());
            g.setColorAt(0, c.darker(170));
            g.setColorAt(0.45, c.darker(118));
            g.setColorAt(1, c.darker(175));
            for (const auto &[a, span] : nearHalfParts(s.startDeg, s.spanDeg)) {
                QPainterPath side;
                side.moveTo(ellipsePoint(top, a));
                side.arcTo(top, a, span);
                side.lineTo(ellipsePoint(bottom, a + span));
                side.arcTo(bottom, a + span, -span);
                side.closeSubpath();
                p->setPen(QPen(c.darker(190), 0.6));
                p->setBrush(g);
                p->drawPath(side);
            }
        }
    }

    for (int i = 0; i < m_l.slices.size(); ++i) {
        const PieSlice &s = m_l.slices.at(i);
        if (s.spanDeg <= 0)
            continue;
        const QColor c = colourOf(i);
        QRadialGradient g(top.center(), top.width() / 2);
        g.setColorAt(0, c.lighter(118));
        g.setColorAt(1, c);
        p->setPen(QPen(QColor(255, 255, 255, 220), 1.2));
        p->setBrush(g);
        if (s.spanDeg >= 359.999)
            p->drawEllipse(top);
        else
            p->drawPie(top, int(std::lround(s.startDeg * 16)), int(std::lround(s.spanDeg * 16)));
    }
    p->setPen(QPen(QColor(0, 0, 0, 60), 0.8));
    p->setBrush(Qt::NoBrush);
    p->drawEllipse(top);

    if (!m_s.marksVisible)
        return;

    // marks outside the disc with a leader line; kept apart vertically on each side
    p->setFont(m_l.marksFont);
    const QFontMetricsF mfm(m_l.marksFont);
    struct Placed
    {
        int index;
        QPointF rim;
        QPointF elbow;
        QRectF box;
        bool right;
    };
    QVector<Placed> placed;
    const QRectF outer = top.adjusted(-14, -14 * top.height() / top.width(), 14, 14 * top.height() / top.width());
    for (int i = 0; i < m_l.slices.size(); ++i) {
        const PieSlice &s = m_l.slices.at(i);
        if (s.spanDeg <= 0)
            continue;
        const double mid = s.startDeg + s.spanDeg / 2;
        const double sinMid = std::sin(mid * M_PI / 180.0);
        const double drop = (m_s.view3D && sinMid < 0) ? m_l.pie.thickness : 0.0;
        Placed pl;
        pl.index = i;
        pl.rim = ellipsePoint(top, mid) + QPointF(0, drop);
        pl.elbow = ellipsePoint(outer, mid) + QPointF(0, drop);
        pl.right = std::cos(mid * M_PI / 180.0) >= 0;
        const QString text = markText(i);
        const double w = mfm.horizontalAdvance(text) + 8;
        const double h = mfm.height() + 2;
        const double x = pl.right ? pl.elbow.x() + 8 : pl.elbow.x() - 8 - w;
        pl.box = QRectF(x, pl.elbow.y() - h / 2, w, h);
        placed.append(pl);
    }
    for (bool side : {true, false}) {
        QVector<Placed *> group;
        for (Placed &pl : placed)
            if (pl.right == side)
                group.append(&pl);
        std::sort(group.begin(), group.end(),
                  [](const Placed *a, const Placed *b) { return a->box.top() < b->box.top(); });
        for (int k = 1; k < group.size(); ++k) {
            const double minTop = group.at(k - 1)->box.bottom() + 1;
            if (group.at(k)->box.top() < minTop)
                group[k]->box.moveTop(minTop);
        }
        const double limit = m_l.rect.bottom() - 2;
        for (int k = int(group.size()) - 1; k >= 0; --k) {
            const double maxBottom = k + 1 < group.size() ? group.at(k + 1)->box.top() - 1 : limit;
            if (group.at(k)->box.bottom() > maxBottom)
                group[k]->box.moveBottom(maxBottom);
        }
    }
    // a mark never leaves the picture, even when the chart is narrow
    for (Placed &pl : placed) {
        if (pl.box.right() > m_l.rect.right() - 2)
            pl.box.moveRight(m_l.rect.right() - 2);
        if (pl.box.left() < m_l.rect.left() + 2)
            pl.box.moveLeft(m_l.rect.left() + 2);
    }
    for (const Placed &pl : placed) {
        const QPointF end(pl.right ? pl.box.left() : pl.box.right(), pl.box.center().y());
        p->setPen(QPen(QColor(70, 70, 70), 0.9));
        p->drawPolyline(QPolygonF() << pl.rim << pl.elbow << end);
        drawMark(p, pl.box, markText(pl.index));
    }
}
