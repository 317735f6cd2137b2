#include "platform/chart/chartpainter.h"

#include "platform/chart/chartcontrol.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;
using namespace ChartPlot;

ChartPainter::ChartPainter(const ChartSettings &settings, const ChartLayout &layout, double total)
    : m_s(settings)
    , m_l(layout)
    , m_total(total)
{ }

ChartPainter::~ChartPainter() = default;

std::unique_ptr<ChartPainter> ChartPainter::forKind(const ChartSettings &settings, const ChartLayout &layout,
                                                    double total)
{
    switch (settings.kind) {
    case ChartControl::Pie:
        return std::make_unique<ChartPiePainter>(settings, layout, total);
    case ChartControl::Bar:
        return std::make_unique<ChartBarPainter>(settings, layout, total);
    case ChartControl::Line:
        return std::make_unique<ChartLinePainter>(settings, layout, total);
    default:
        return std::make_unique<ChartPainter>(settings, layout, total);
    }
}

void ChartPainter::paint(QPainter *p) const
{
    paintHeader(p);
    paintSeries(p);
    if (m_s.legendVisible && !m_l.legend.isEmpty())
        paintLegend(p);
}

void ChartPainter::paintSeries(QPainter *) const { }

QString ChartPainter::markText(int index) const
{
    return ChartPlot::markText(m_s, index, m_total);
}

void ChartPainter::paintHeader(QPainter *p) const
{
    // line 0 and any further lines, centred
    const QRectF &r = m_l.rect;
    p->setFont(m_l.headerFont);
    p->setPen(m_s.headerColour);
    const QFontMetricsF hfm(m_l.headerFont);
    double y = r.top() + kPad;
    for (const QString &line : m_s.header) {
        if (y + hfm.height() > m_l.headerBottom + 0.5)
            break;
        p->drawText(QRectF(r.left() + kPad, y, r.width() - 2 * kPad, hfm.height()),
                    Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, line);
        y += hfm.height();
    }
}

void ChartPainter::paintLegend(QPainter *p) const
{
    const QFontMetricsF afm(m_l.axisFont);
    p->setPen(QPen(QColor(150, 150, 150), 0.8));
    p->setBrush(QColor(255, 255, 255, 230));
    p->drawRoundedRect(m_l.legend, 3, 3);
    p->setFont(m_l.axisFont);
    double y = m_l.legend.top() + 5;
    for (const ChartPoint &pt : m_s.points) {
        if (y + afm.height() > m_l.legend.bottom())
            break;
        const double s = afm.height() * 0.7;
        p->setPen(Qt::NoPen);
        p->setBrush(pt.colour);
        p->drawRect(QRectF(m_l.legend.left() + 6, y + (afm.height() - s) / 2, s, s));
        p->setPen(Qt::black);
        p->drawText(QRectF(m_l.legend.left() + 10 + s, y, m_l.legend.width() - 14 - s, afm.height()),
                    Qt::AlignLeft | Qt::AlignVCenter,
                    afm.elidedText(pt.label, Qt::ElideRight, m_l.legend.width() - 14 - s));
        y += afm.height() + 2;
    }
}

void ChartPlotPainter::paintAxes(QPainter *p) const
{
    const QRectF &f = m_l.front;
    const QPointF d = m_l.depth;
    const QRectF back = f.translated(d);
    const double lo = m_l.scale.minimum;
    const double hi = m_l.scale.maximum;

    // walls: the back wall lit from above, the left and bottom walls shaded towards the detail colour
    QLinearGradient wall(back.topLeft(), back.bottomLeft());
    wall.setColorAt(0, mix(m_s.wallColour, Qt::white, 0.55));
    wall.setColorAt(1, mix(m_s.wallColour, Qt::white, 0.25));
    p->setPen(Qt::NoPen);
    p->setBrush(wall);
    p->drawRect(back);
    if (m_s.view3D) {
        QPolygonF leftWall;
        leftWall << f.topLeft() << back.topLeft() << back.bottomLeft() << f.bottomLeft();
        QPolygonF floor;
        floor << f.bottomLeft() << back.bottomLeft() << back.bottomRight() << f.bottomRight();
        p->setBrush(mix(mix(m_s.wallColour, Qt::white, 0.35), m_s.wallDetail, 0.18));
        p->drawPolygon(leftWall);
        p->setBrush(mix(mix(m_s.wallColour, Qt::white, 0.25), m_s.wallDetail, 0.22));
        p->drawPolygon(floor);
    }

    // grid on the back wall (and across the left wall in 3D), silver
    const QFontMetricsF afm(m_l.axisFont);
    p->setFont(m_l.axisFont);
    for (double t : m_l.scale.ticks) {
        const double ty = valueToY(t, lo, hi, f);
        const bool zero = std::fabs(t) < m_l.scale.step * 1e-9 && lo < 0;
        p->setPen(QPen(zero ? mix(m_s.wallDetail, Qt::white, 0.3) : QColor(192, 192, 192, 230), zero ? 1.4 : 1.0));
        p->drawLine(QPointF(back.left(), ty + d.y()), QPointF(back.right(), ty + d.y()));
        if (m_s.view3D)
            p->drawLine(QPointF(f.left(), ty), QPointF(back.left(), ty + d.y()));
        // minor tick half-way, on the axis only
        p->setPen(QColor(60, 60, 60));
        p->drawLine(QPointF(f.left() - 4, ty), QPointF(f.left(), ty));
        const double half = t + m_l.scale.step / 2;
        if (half < hi) {
            const double hy = valueToY(half, lo, hi, f);
            p->drawLine(QPointF(f.left() - 2, hy), QPointF(f.left(), hy));
        }
        p->setPen(Qt::black);
        p->drawText(
            QRectF(f.left() - 6 - m_l.labelsWidth - 2, ty - afm.height() / 2, m_l.labelsWidth + 2, afm.height()),
            Qt::AlignRight | Qt::AlignVCenter, tickText(t, m_l.scale.step));
    }

    // wall edges in the detail colour
    p->setPen(QPen(m_s.wallDetail, 1.0));
    p->setBrush(Qt::NoBrush);
    p->drawRect(back);
    if (m_s.view3D) {
        p->drawLine(f.topLeft(), back.topLeft());
        p->drawLine(f.bottomLeft(), back.bottomLeft());
        p->drawLine(f.bottomRight(), back.bottomRight());
        p->drawLine(f.topLeft(), f.bottomLeft());
        p->drawLine(f.bottomLeft(), f.bottomRight());
    }

    // left-axis title, turned to read upwards
    if (!m_s.leftTitle.isEmpty()) {
        p->save();
        p->setPen(Qt::black);
        p->translate(m_l.rect.left() + kPad + afm.ascent(), f.center().y());
        p->rotate(-90);
        p->drawText(QRectF(-f.height() / 2 - 40, -afm.ascent(), f.height() + 80, afm.height()),
                    Qt::AlignCenter | Qt::TextSingleLine, m_s.leftTitle);
        p->restore();
    }

    // bottom labels under the front plane; thinned out when they would overlap
    const int slotCount = std::max(1, m_l.page.slotCount);
    const double slotW = f.width() / slotCount;
    double widest = 0;
    for (int k = 0; k < m_l.page.shown; ++k)
        widest = std::max(widest, afm.horizontalAdvance(m_s.points.at(m_l.page.first + k).label));
    const double need = m_s.labelAngle == 90 ? afm.height() + 2 : widest + 8;
    const int every = std::max(1, int(std::ceil(need / std::max(1.0, slotW))));
    p->setPen(Qt::black);
    const double labelTop = f.bottom() + 7; // clear of the lowest value label beside the axis
    const double maxLen = m_s.labelAngle == 90
        ? std::max(0.0, m_l.rect.bottom() - kPad - labelTop - (m_s.bottomTitle.isEmpty() ? 0 : afm.height() + 4))
        : 0;
    for (int k = 0; k < m_l.page.shown; k += every) {
        const QString text = m_s.points.at(m_l.page.first + k).label;
        const double cx = slotCentreX(k, slotCount, f);
        p->drawLine(QPointF(cx, f.bottom()), QPointF(cx, f.bottom() + 3));
        if (m_s.labelAngle == 90) {
            p->save();
            p->translate(cx, labelTop);
            p->rotate(-90);
            const QString shown = afm.elidedText(text, Qt::ElideLeft, maxLen);
            p->drawText(QRectF(-maxLen, -afm.height() / 2, maxLen, afm.height()),
                        Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, shown);
            p->restore();
        } else {
            const double w = std::max(slotW * every, afm.horizontalAdvance(text) + 2);
            p->drawText(QRectF(cx - w / 2, labelTop, w, afm.height()),
                        Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
        }
    }
    if (!m_s.bottomTitle.isEmpty()) {
        p->drawText(QRectF(f.left(), m_l.rect.bottom() - kPad - afm.height(), f.width(), afm.height()),
                    Qt::AlignCenter | Qt::TextSingleLine, m_s.bottomTitle);
    }
}

void ChartPlotPainter::paintMarks(QPainter *p) const
{
    const ChartMarks m = placedMarks(m_s, m_l, m_total);
    if (m.boxes.isEmpty())
        return;
    p->setFont(m_l.marksFont);
    for (int k = 0; k < m.boxes.size(); ++k)
        if (!m.boxes.at(k).isEmpty())
            drawMark(p, m.boxes.at(k), m.texts.at(k));
}

namespace ChartPlot {

void drawMark(QPainter *p, const QRectF &box, const QString &text)
{
    p->save();
    p->setPen(QPen(QColor(150, 150, 150), 0.8));
    p->setBrush(QColor(255, 255, 255, 235));
    p->drawRoundedRect(box, 3, 3);
    p->setPen(QColor(32, 32, 32));
    p->drawText(box, Qt::AlignCenter, text);
    p->restore();
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() * (1 - t) + b.redF() * t), float(a.greenF() * (1 - t) + b.greenF() * t),
                            float(a.blueF() * (1 - t) + b.blueF() * t));
}

} // namespace ChartPlot
