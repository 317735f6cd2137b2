#include "platform/chart/chartlayout.h"

#include "platform/chart/chartcontrol.h"
#include "platform/chart/chartformat.h"

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;

namespace ChartPlot {

QFont pixelFont(const QFont &font)
{
    QFont f(font);
    if (font.pixelSize() <= 0) {
        const double pt = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
        f.setPixelSize(std::max(1, int(std::lround(pt * 96.0 / 72.0))));
    }
    return f;
}

QString tickText(double v, double step)
{
    const int d = stepDecimals(step);
    QString pattern = QStringLiteral("#,##0");
    if (d > 0)
        pattern += u'.' + QString(d, u'0');
    return ChartFormat::formatNumber(v, pattern);
}

QString markText(const ChartSettings &s, int index, double total)
{
    if (index < 0 || index >= s.points.size())
        return QString();
    const ChartPoint &pt = s.points.at(index);
    return ChartFormat::markText(s.marksStyle, pt.label, pt.value, total, s.valueFormat, s.percentFormat);
}

QRectF markBox(const QFontMetricsF &fm, const QString &text, const QPointF &anchor, bool above)
{
    const double w = fm.horizontalAdvance(text) + 8;
    const double h = fm.height() + 2;
    const double y = above ? anchor.y() - h - 3 : anchor.y() + 3;
    return QRectF(anchor.x() - w / 2, y, w, h);
}

ChartLayout layout(const ChartSettings &s, const QRectF &r, double total, double &labelWidth)
{
    ChartLayout l;
    l.rect = r;
    l.headerFont = pixelFont(s.headerFont);
    l.axisFont = pixelFont(s.axisFont);
    l.marksFont = pixelFont(s.marksFont);
    const QFontMetricsF hfm(l.headerFont);
    const QFontMetricsF afm(l.axisFont);
    const QFontMetricsF mfm(l.marksFont);

    int headerLines = int(s.header.size());
    while (headerLines > 0 && s.header.at(headerLines - 1).trimmed().isEmpty())
        --headerLines;
    l.headerBottom = r.top() + kPad + (headerLines > 0 ? headerLines * hfm.height() + 8 : 0);

    double right = r.right() - kPad;
    if (s.legendVisible && !s.points.isEmpty()) {
        // the legend lists as many points as fit its height; only those are measured
        const int rows = std::max(1, int((r.bottom() - kPad - l.headerBottom - 10) / (afm.height() + 2)));
        double w = 0;
        for (int i = 0; i < std::min(rows, int(s.points.size())); ++i)
            w = std::max(w, afm.horizontalAdvance(s.points.at(i).label));
        w = std::min(w + afm.height() + 16, r.width() * 0.3);
        const double h = std::min(r.bottom() - kPad - l.headerBottom, s.points.size() * (afm.height() + 2) + 10);
        l.legend = QRectF(right - w, l.headerBottom, w, h);
        right -= w + 8;
    }

    if (s.kind == ChartControl::Pie) {
        QRectF room(r.left() + kPad, l.headerBottom, right - r.left() - kPad, r.bottom() - kPad - l.headerBottom);
        if (s.marksVisible) {
            double w = 0;
            for (int i = 0; i < s.points.size(); ++i)
                w = std::max(w, mfm.horizontalAdvance(markText(s, i, total)));
            const double side = std::min(w + 30, room.width() * 0.3);
            room.adjust(side, mfm.height() + 8, -side, -(mfm.height() + 8));
        }
        const double centreY = r.top() + r.height() / 2 - (s.view3D ? kPie3DRaise : 0.0);
        l.pie = pieShape(room, centreY, s.view3D, s.depthPercent);
        QVector<double> values;
        values.reserve(s.points.size());
        for (const ChartPoint &pt : s.points)
            values.append(pt.value);
        l.slices = pieSlices(values, s.rotation);
        return l;
    }

    l.page = pageWindow(int(s.points.size()), s.perPage, s.first, s.scaleLastPage);

    // bottom labels: one text line, or turned upright with the room of the longest label
    double bottomH = afm.height() + 10;
    if (s.labelAngle == 90) {
        // measured over all points, so that the plot does not jump while scrolling
        if (labelWidth < 0) {
            labelWidth = 0;
            for (const ChartPoint &pt : s.points)
                labelWidth = std::max(labelWidth, afm.horizontalAdvance(pt.label));
        }
        bottomH = std::min(labelWidth, r.height() * 0.35) + 10;
    }
    if (!s.bottomTitle.isEmpty())
        bottomH += afm.height() + 4;
    const double marksRoom = s.marksVisible ? mfm.height() + 6 : 4;
    const double top = l.headerBottom + marksRoom;
    const double bottom = r.bottom() - kPad - bottomH;

    double lo = 0;
    double hi = 0;
    if (s.leftAuto) {
        for (const ChartPoint &pt : s.points) {
            lo = std::min(lo, pt.value);
            hi = std::max(hi, pt.value);
        }
    } else {
        lo = s.leftMin;
        hi = s.leftMax;
    }
    const int maxTicks = std::max(2, int((bottom - top) / (afm.height() * 2.4)));
    l.scale = s.leftAuto ? niceScale(lo, hi, maxTicks) : fixedScale(lo, hi, maxTicks);
    for (double t : l.scale.ticks)
        l.labelsWidth = std::max(l.labelsWidth, afm.horizontalAdvance(tickText(t, l.scale.step)));
    l.titleWidth = s.leftTitle.isEmpty() ? 0 : afm.height() + 8;

    const double left = r.left() + kPad + l.titleWidth + l.labelsWidth + 8;
    // room on the right for half of the last bottom label
    right -= s.labelAngle == 90 ? 4 : 8;
    l.area = QRectF(left, top, std::max(0.0, right - left), std::max(0.0, bottom - top));
    l.depth = s.view3D ? depthOffset(l.area.size(), s.depthPercent) : QPointF();
    l.front = frontPlot(l.area, l.depth);
    return l;
}

ChartMarks placedMarks(const ChartSettings &s, const ChartLayout &l, double total)
{
    ChartMarks m;
    if (!s.marksVisible || s.kind == ChartControl::Pie)
        return m;
    const QFontMetricsF mfm(l.marksFont);
    const QRectF &f = l.front;
    const int slotCount = std::max(1, l.page.slotCount);
    QVector<QRectF> boxes;
    QPolygonF line; // the line's points; in 3D the front edge of its ribbon
    for (int k = 0; k < l.page.shown; ++k) {
        const int i = l.page.first + k;
        m.texts.append(markText(s, i, total));
        if (s.kind == ChartControl::Bar) {
            const QPointF d = l.depth * 0.8;
            const QRectF front = barRect(k, slotCount, s.points.at(i).value, l.scale.minimum, l.scale.maximum, f,
                                         kBarWidth, kBarMaxWidth)
                                     .translated(l.depth * 0.1);
            const bool up = s.points.at(i).value >= 0;
            QPointF anchor =
                up ? QPointF(front.center().x(), front.top()) : QPointF(front.center().x(), front.bottom());
            // over the middle of the bar's top face
            if (s.view3D && up)
                anchor += d / 2;
            boxes.append(markBox(mfm, m.texts.last(), anchor, up));
        } else {
            const double v = std::clamp(s.points.at(i).value, l.scale.minimum, l.scale.maximum);
            const QPointF pt(slotCentreX(k, slotCount, f), valueToY(v, l.scale.minimum, l.scale.maximum, f));
            line << pt + l.depth * 0.25;
            // above the ribbon's back edge in 3D
            const QPointF lift = s.view3D ? l.depth * 0.75 : QPointF(0, -3);
            boxes.append(markBox(mfm, m.texts.last(), pt + lift, true));
        }
    }
    QVector<QPolygonF> lines;
    if (s.kind != ChartControl::Bar && !line.isEmpty()) {
        lines << line;
        if (s.view3D)
            lines << line.translated(l.depth * 0.5);
    }
    // beside the left axis labels, above the bottom ones, under the header; in 3D no higher than
    // the back wall
    const double top = s.view3D ? std::max(l.headerBottom, l.area.top()) : l.headerBottom;
    const QRectF room(f.left() + 1, top, std::max(0.0, l.rect.right() - kPad - f.left() - 1),
                      std::max(0.0, f.bottom() - 2 - top));
    // a few crowded marks are staggered; where that leaves any out, every n-th is kept instead
    m.boxes = placeMarks(boxes, room, 2, 4, lines);
    if (std::any_of(m.boxes.cbegin(), m.boxes.cend(), [](const QRectF &b) { return b.isEmpty(); }))
        m.boxes = thinMarks(boxes, room, 2, lines);
    return m;
}

} // namespace ChartPlot
