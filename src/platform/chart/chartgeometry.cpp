#include "platform/chart/chartgeometry.h"

#include <QSizeF>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr double kEps = 1e-9;

double normDeg(double deg)
{
    double d = std::fmod(deg, 360.0);
    if (d < 0)
        d += 360.0;
    return d;
}

// Half of hi - lo, which stays finite even for a range across the whole double scale.
double halfSpan(double lo, double hi)
{
    return hi / 2 - lo / 2;
}

// Ticks at whole multiples of step inside lo..hi (a little slack for rounding).
QVector<double> ticksInside(double lo, double hi, double step)
{
    QVector<double> ticks;
    if (step <= 0 || !std::isfinite(step))
        return ticks;
    const double slack = step * 1e-7;
    const double k0 = std::ceil((lo - slack) / step);
    const double k1 = std::floor((hi + slack) / step);
    for (double k = k0; k <= k1 && ticks.size() < 1000; k += 1.0) {
        double v = k * step;
        if (std::fabs(v) < step * 1e-9)
            v = 0.0; // no "-0"
        ticks.append(v);
    }
    return ticks;
}

} // namespace

namespace ChartGeometry {

double niceNumber(double x, bool round)
{
    if (!(x > 0) || !std::isfinite(x))
        return 1.0;
    const double e = std::floor(std::log10(x));
    const double p = std::pow(10.0, e);
    const double f = x / p;
    double nf;
    if (round)
        nf = f < 1.5 ? 1 : f < 3 ? 2 : f < 7 ? 5 : 10;
    else
        nf = f <= 1 + kEps ? 1 : f <= 2 + kEps ? 2 : f <= 5 + kEps ? 5 : 10;
    return nf * p;
}

AxisScale niceScale(double lo, double hi, int maxTicks)
{
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0;
        hi = 1;
    }
    if (hi < lo)
        std::swap(lo, hi);
    if (hi - lo <= std::fabs(hi) * 1e-12) {
        // a flat series: open a range around it so that it still has a scale
        if (lo == 0) {
            hi = 1;
        } else {
            const double pad = std::fabs(lo) * 0.1;
            lo = lo > 0 ? 0 : lo - pad;
            hi = hi < 0 ? 0 : hi + pad;
        }
    }
    const int intervals = std::max(1, maxTicks);
    AxisScale s;
    s.step = niceNumber(halfSpan(lo, hi) / intervals * 2, false);
    s.minimum = std::max(std::floor(lo / s.step + kEps) * s.step, -DBL_MAX);
    s.maximum = std::min(std::ceil(hi / s.step - kEps) * s.step, DBL_MAX);
    if (s.maximum <= s.minimum)
        s.maximum = s.minimum + s.step;
    s.ticks = ticksInside(s.minimum, s.maximum, s.step);
    return s;
}

AxisScale fixedScale(double lo, double hi, int maxTicks)
{
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0;
        hi = 1;
    }
    if (hi < lo)
        std::swap(lo, hi);
    if (hi - lo <= std::fabs(hi) * 1e-12) {
        // an empty range (all values 0, or min = max) would divide by zero: show one unit
        if (hi == 0)
            hi = 1;
        else if (hi > 0)
            lo = 0;
        else
            hi = 0;
    }
    AxisScale s;
    s.minimum = lo;
    s.maximum = hi;
    s.step = niceNumber(halfSpan(lo, hi) / std::max(1, maxTicks) * 2, false);
    s.ticks = ticksInside(lo, hi, s.step);
    return s;
}

int stepDecimals(double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    for (int d = 0; d < 10; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            return d;
    }
    return 10;
}

int clampFirst(int pointCount, int first)
{
    if (pointCount <= 0)
        return 0;
    return std::clamp(first, 0, pointCount - 1);
}

int pageCount(int pointCount, int perPage)
{
    if (perPage <= 0 || pointCount <= perPage)
        return 1;
    return (pointCount + perPage - 1) / perPage;
}

PageWindow pageWindow(int pointCount, int perPage, int first, bool scaleLastPage)
{
    PageWindow w;
    if (pointCount <= 0) {
        w.slotCount = std::max(1, perPage);
        return w;
    }
    w.first = clampFirst(pointCount, first);
    if (perPage <= 0 || (w.first == 0 && pointCount <= perPage)) {
        w.shown = pointCount;
        w.slotCount = pointCount;
        return w;
    }
    w.shown = std::min(perPage, pointCount - w.first);
    w.slotCount = scaleLastPage ? w.shown : perPage;
    return w;
}

QPointF depthOffset(const QSizeF &area, int depthPercent)
{
    const double pct = std::clamp(depthPercent, 0, 100) / 100.0;
    const double len = std::max(0.0, std::min(area.width(), area.height())) * pct;
    const double d = len * 0.7071; // 45 degrees
    return QPointF(d, -d);
}

QRectF frontPlot(const QRectF &area, const QPointF &depth)
{
    const double dx = std::fabs(depth.x());
    const double dy = std::fabs(depth.y());
    return QRectF(area.left(), area.top() + dy, std::max(0.0, area.width() - dx), std::max(0.0, area.height() - dy));
}

double valueToY(double value, double lo, double hi, const QRectF &plot)
{
    if (hi <= lo)
        return plot.bottom();
    return plot.bottom() - (value / 2 - lo / 2) / halfSpan(lo, hi) * plot.height();
}

double yToValue(double y, double lo, double hi, const QRectF &plot)
{
    if (plot.height() <= 0)
        return lo;
    return lo + (plot.bottom() - y) / plot.height() * halfSpan(lo, hi) * 2;
}

double slotCentreX(int slot, int slotCount, const QRectF &plot)
{
    const double w = plot.width() / std::max(1, slotCount);
    return plot.left() + (slot + 0.5) * w;
}

double xToAxisValue(double x, int first, int slotCount, const QRectF &plot)
{
    const double w = plot.width() / std::max(1, slotCount);
    if (w <= 0)
        return first;
    return first + (x - plot.left()) / w - 0.5;
}

QRectF barRect(int slot, int slotCount, double value, double lo, double hi, const QRectF &plot, double widthRatio,
               double maxWidth)
{
    const double slotW = plot.width() / std::max(1, slotCount);
    const double w = std::min(slotW * std::clamp(widthRatio, 0.0, 1.0), std::max(0.0, maxWidth));
    const double cx = slotCentreX(slot, slotCount, plot);
    const double base = std::clamp(0.0, std::min(lo, hi), std::max(lo, hi));
    const double v = std::clamp(value, std::min(lo, hi), std::max(lo, hi));
    const double y0 = valueToY(base, lo, hi, plot);
    const double y1 = valueToY(v, lo, hi, plot);
    return QRectF(QPointF(cx - w / 2, std::min(y0, y1)), QPointF(cx + w / 2, std::max(y0, y1)));
}

bool lineSpan(const QPolygonF &line, double x0, double x1, double *minY, double *maxY)
{
    bool any = false;
    double lo = DBL_MAX;
    double hi = -DBL_MAX;
    const auto take = [&](double y) {
        lo = std::min(lo, y);
        hi = std::max(hi, y);
        any = true;
    };
    for (qsizetype k = 0; k < line.size(); ++k) {
        const QPointF &a = line.at(k);
        if (a.x() >= x0 && a.x() <= x1)
            take(a.y());
        if (k + 1 == line.size())
            break;
        const QPointF &b = line.at(k + 1);
        // where the segment crosses the ends of the span
        for (const double x : {x0, x1}) {
            if (b.x() - a.x() > kEps && x > a.x() && x < b.x())
                take(a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        }
    }
    *minY = lo;
    *maxY = hi;
    return any;
}

bool coversLine(const QRectF &box, const QPolygonF &line, double gap)
{
    const QRectF g = box.adjusted(-gap, -gap, gap, gap);
    for (qsizetype k = 0; k + 1 < line.size(); ++k) {
        const QPointF &a = line.at(k);
        const QPointF &b = line.at(k + 1);
        const double x0 = std::max(g.left(), std::min(a.x(), b.x()));
        const double x1 = std::min(g.right(), std::max(a.x(), b.x()));
        if (x0 > x1)
            continue;
        double lo = 0;
        double hi = 0;
        if (!lineSpan(QPolygonF{a, b}, x0, x1, &lo, &hi))
            continue;
        if (hi >= g.top() && lo <= g.bottom())
            return true;
    }
    if (line.size() == 1)
        return g.contains(line.at(0));
    return false;
}

namespace {

bool clearOfLines(const QRectF &b, const QVector<QPolygonF> &lines, double gap)
{
    return std::none_of(lines.begin(), lines.end(), [&](const QPolygonF &l) { return coversLine(b, l, gap); });
}

// The box slid sideways into the area; empty when it is wider or taller than the area, or when
// staying over its own point matters (`ownPoint`) and the slide would move it off its middle.
QRectF slidInto(QRectF b, const QRectF &area, bool ownPoint = false)
{
    if (b.width() > area.width() || b.height() > area.height())
        return {};
    const double middle = b.center().x();
    if (b.left() < area.left())
        b.moveLeft(area.left());
    else if (b.right() > area.right())
        b.moveRight(area.right());
    if (ownPoint && (middle < b.left() || middle > b.right()))
        return {};
    return b;
}

// Whether b keeps gap from every box of placed (in the order of their centres' x) listed in done.
bool clearOfBoxes(const QRectF &b, const QVector<QRectF> &placed, const QVector<int> &done, double gap, double widest)
{
    const QRectF grown = b.adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2);
    // centres grow from left to right, so only the last placed boxes can reach this one
    for (qsizetype k = done.size() - 1; k >= 0; --k) {
        const QRectF o = placed.at(done.at(k)).adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2);
        if (o.center().x() < grown.left() - widest)
            break;
        if (o.intersects(grown))
            return false;
    }
    return true;
}

} // namespace

QVector<QRectF> placeMarks(const QVector<QRectF> &boxes, const QRectF &area, double gap, int levels,
                           const QVector<QPolygonF> &lines)
{
    QVector<QRectF> placed(boxes.size());
    QVector<int> done; // indexes of the boxes placed, left to right
    double widest = 0;
    for (int i = 0; i < boxes.size(); ++i) {
        const QRectF b = slidInto(boxes.at(i), area);
        if (b.isEmpty())
            continue;
        const double step = b.height() + gap;
        for (int n = 0; n <= 2 * levels; ++n) {
            // 0, one up, one down, two up, two down, ...
            const int level = (n + 1) / 2;
            const QRectF c = b.translated(0, n % 2 == 1 ? -level * step : level * step);
            if (c.top() >= area.top() && c.bottom() <= area.bottom() && clearOfBoxes(c, placed, done, gap, widest)
                && clearOfLines(c, lines, gap)) {
                placed[i] = c;
                done.append(i);
                widest = std::max(widest, c.width() + gap);
                break;
            }
        }
    }
    return placed;
}

QVector<QRectF> thinMarks(const QVector<QRectF> &boxes, const QRectF &area, double gap, const QVector<QPolygonF> &lines)
{
    QVector<QRectF> own(boxes.size());
    double widest = 0;
    for (int i = 0; i < boxes.size(); ++i) {
        QRectF b = slidInto(boxes.at(i), area, true);
        if (b.isEmpty())
            continue;
        if (b.top() < area.top())
            b.moveTop(area.top());
        else if (b.bottom() > area.bottom())
            b.moveBottom(area.bottom());
        if (!clearOfLines(b, lines, gap)) {
            double lo = DBL_MAX;
            double hi = -DBL_MAX;
            for (const QPolygonF &l : lines) {
                double a = 0;
                double z = 0;
                if (lineSpan(l, b.left() - gap, b.right() + gap, &a, &z)) {
                    lo = std::min(lo, a);
                    hi = std::max(hi, z);
                }
            }
            const QRectF above = b.translated(0, lo - 2 * gap - b.bottom());
            const QRectF below = b.translated(0, hi + 2 * gap - b.top());
            if (above.top() >= area.top() && clearOfLines(above, lines, gap))
                b = above;
            else if (below.bottom() <= area.bottom() && clearOfLines(below, lines, gap))
                b = below;
            else
                continue;
        }
        own[i] = b;
        widest = std::max(widest, b.width() + gap);
    }
    for (int n = 1; n <= std::max(1, int(boxes.size())); ++n) {
        QVector<QRectF> kept(boxes.size());
        QVector<int> done;
        bool apart = true;
        for (int i = 0; i < boxes.size() && apart; i += n) {
            if (own.at(i).isEmpty())
                continue;
            apart = clearOfBoxes(own.at(i), kept, done, gap, widest);
            kept[i] = own.at(i);
            done.append(i);
        }
        if (apart)
            return kept;
    }
    return QVector<QRectF>(boxes.size());
}

Box3D box3D(const QRectF &f, const QPointF &d)
{
    Box3D b;
    b.front << f.topLeft() << f.topRight() << f.bottomRight() << f.bottomLeft();
    b.top << f.topLeft() << f.topRight() << f.topRight() + d << f.topLeft() + d;
    b.side << f.topRight() << f.bottomRight() << f.bottomRight() + d << f.topRight() + d;
    return b;
}

QPolygonF ribbonQuad(const QPointF &a, const QPointF &b, const QPointF &depth)
{
    QPolygonF q;
    q << a << b << b + depth << a + depth;
    return q;
}

QVector<PieSlice> pieSlices(const QVector<double> &values, double rotationDeg)
{
    QVector<PieSlice> slices;
    slices.reserve(values.size());
    // shares are taken of values scaled by the largest, so that huge values cannot overflow the sum
    double largest = 0;
    for (double v : values)
        if (std::isfinite(v))
            largest = std::max(largest, std::fabs(v));
    double sum = 0;
    for (double v : values)
        if (std::isfinite(v) && largest > 0)
            sum += std::fabs(v) / largest;
    double at = normDeg(rotationDeg);
    for (double v : values) {
        PieSlice s;
        s.startDeg = normDeg(at);
        s.spanDeg = sum > 0 && std::isfinite(v) ? std::fabs(v) / largest / sum * 360.0 : 0.0;
        at += s.spanDeg;
        slices.append(s);
    }
    return slices;
}

PieShape pieShape(const QRectF &room, double centreY, bool view3D, int depthPercent, double tilt)
{
    PieShape p;
    const double cx = room.center().x();
    const double up = centreY - room.top();
    const double down = room.bottom() - centreY;
    double rx;
    double ry;
    if (!view3D) {
        rx = std::min({room.width() / 2, up, down});
        ry = rx;
    } else {
        const double k = std::clamp(depthPercent, 0, 100) / 100.0;
        tilt = std::clamp(tilt, 0.1, 1.0);
        rx = std::min({room.width() / 2, up / tilt, down / (tilt + k)});
        ry = rx * tilt;
        p.thickness = std::max(0.0, rx * k);
    }
    rx = std::max(0.0, rx);
    ry = std::max(0.0, ry);
    p.top = QRectF(cx - rx, centreY - ry, 2 * rx, 2 * ry);
    return p;
}

QPointF ellipsePoint(const QRectF &e, double deg)
{
    const double a = deg * M_PI / 180.0;
    return QPointF(e.center().x() + e.width() / 2 * std::cos(a), e.center().y() - e.height() / 2 * std::sin(a));
}

int sliceAt(const QVector<PieSlice> &slices, const PieShape &shape, const QPointF &pos)
{
    const double rx = shape.top.width() / 2;
    const double ry = shape.top.height() / 2;
    if (rx <= 0 || ry <= 0)
        return -1;
    const double nx = (pos.x() - shape.top.center().x()) / rx;
    const double ny = (pos.y() - shape.top.center().y()) / ry;
    if (nx * nx + ny * ny > 1.0)
        return -1;
    const double angle = normDeg(std::atan2(-ny, nx) * 180.0 / M_PI);
    for (int i = 0; i < slices.size(); ++i) {
        const PieSlice &s = slices.at(i);
        if (s.spanDeg <= 0)
            continue;
        if (normDeg(angle - s.startDeg) < s.spanDeg || s.spanDeg >= 360.0)
            return i;
    }
    return -1;
}

QVector<QPair<double, double>> nearHalfParts(double startDeg, double spanDeg)
{
    QVector<QPair<double, double>> parts;
    const double s = normDeg(startDeg);
    const double e = s + std::clamp(spanDeg, 0.0, 360.0);
    for (double base : {180.0, 540.0}) {
        const double a = std::max(s, base);
        const double b = std::min(e, base + 180.0);
        if (b - a > 1e-9)
            parts.append({a, b - a});
    }
    return parts;
}

} // namespace ChartGeometry
