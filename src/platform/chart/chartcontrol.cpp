#include "platform/chart/chartcontrol.h"

#include "platform/chart/charteditor.h"
#include "platform/chart/chartformat.h"
#include "platform/chart/chartgeometry.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;

namespace {

std::function<void(ChartEditor *)> g_editorHook;

constexpr double kPad = 10.0; // pixels around the chart's contents
constexpr double kPie3DRaise = 28.0; // pixels (420 twips) the 3D disc sits above the middle
constexpr double kBarWidth = 0.68; // share of a point's width taken by its bar
constexpr double kBarMaxWidth = 90.0; // pixels: a few bars on a wide chart stay bars, not blocks

// Fonts are sized in logical pixels (point size at 96 dpi), so every paint device draws alike.
QFont pixelFont(const QFont &font)
{
    QFont f(font);
    if (font.pixelSize() <= 0) {
        const double pt = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
        f.setPixelSize(std::max(1, int(std::lround(pt * 96.0 / 72.0))));
    }
    return f;
}

QFont defaultFont(double points, bool bold)
{
    if (QFont::substitutes(QStringLiteral("굴림체")).isEmpty())
        QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    QFont f(QStringLiteral("굴림체"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() * (1 - t) + b.redF() * t), float(a.greenF() * (1 - t) + b.greenF() * t),
                            float(a.blueF() * (1 - t) + b.blueF() * t));
}

// Tick labels: thousands grouped, as many decimals as the step needs.
QString tickText(double v, double step)
{
    const int d = stepDecimals(step);
    QString pattern = QStringLiteral("#,##0");
    if (d > 0)
        pattern += u'.' + QString(d, u'0');
    return ChartFormat::formatNumber(v, pattern);
}

// A mark: the text on a rounded white box with a thin border.
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

QRectF markBox(const QFontMetricsF &fm, const QString &text, const QPointF &anchor, bool above)
{
    const double w = fm.horizontalAdvance(text) + 8;
    const double h = fm.height() + 2;
    const double y = above ? anchor.y() - h - 3 : anchor.y() + 3;
    return QRectF(anchor.x() - w / 2, y, w, h);
}

} // namespace

// Everything paint() and the mouse functions need, computed once per rectangle.
struct ChartControl::Layout
{
    QRectF rect;
    double headerBottom = 0;
    QFont headerFont;
    QFont axisFont;
    QFont marksFont;
    // line and bar
    QRectF area; // plot area including the depth
    QRectF front; // front plane of the plot
    QPointF depth; // back plane offset
    AxisScale scale;
    PageWindow page;
    double labelsWidth = 0;
    double titleWidth = 0;
    QRectF legend;
    // pie
    PieShape pie;
    QVector<PieSlice> slices;
};

ChartControl::ChartControl(QWidget *parent)
    : QWidget(parent)
    , m_marksFont(defaultFont(9, false))
    , m_headerFont(defaultFont(10, true))
    , m_axisFont(defaultFont(9, false))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(600, 400);
}

ChartControl::~ChartControl() = default;

void ChartControl::touch()
{
    m_layout.reset();
    m_totalValid = false;
    update();
    emit changed();
}

// ---- series ----

void ChartControl::removeAllSeries()
{
    m_labelWidth = -1;
    m_kind = -1;
    m_points.clear();
    m_first = 0;
    touch();
}

int ChartControl::addSeries(int kind)
{
    m_labelWidth = -1;
    m_kind = (kind == Line || kind == Bar || kind == Pie) ? kind : Bar;
    m_points.clear();
    m_first = 0;
    touch();
    return 0;
}

int ChartControl::seriesCount() const
{
    return m_kind < 0 ? 0 : 1;
}

int ChartControl::seriesKind() const
{
    return m_kind;
}

void ChartControl::setSeriesKind(int kind)
{
    if (kind != Line && kind != Bar && kind != Pie)
        return;
    m_kind = kind;
    touch();
}

void ChartControl::clearPoints()
{
    m_labelWidth = -1;
    m_points.clear();
    m_first = 0;
    touch();
}

int ChartControl::addPoint(double value, const QString &label, const QColor &colour)
{
    if (m_kind < 0)
        m_kind = Bar; // a point without a series starts one, as adding to series 0 implies
    m_points.append({std::isfinite(value) ? value : 0.0, label, colour});
    if (m_labelWidth >= 0) // widen the kept measure instead of measuring every label again
        m_labelWidth = std::max(m_labelWidth, QFontMetricsF(pixelFont(m_axisFont)).horizontalAdvance(label));
    touch();
    return int(m_points.size()) - 1;
}

int ChartControl::pointCount() const
{
    return int(m_points.size());
}

ChartPoint ChartControl::point(int index) const
{
    return index >= 0 && index < m_points.size() ? m_points.at(index) : ChartPoint{};
}

void ChartControl::setPointColour(int index, const QColor &colour)
{
    if (index < 0 || index >= m_points.size())
        return;
    m_points[index].colour = colour;
    touch();
}

double ChartControl::seriesTotal() const
{
    if (!m_totalValid) {
        m_total = 0;
        for (const ChartPoint &pt : m_points)
            m_total += pt.value;
        m_totalValid = true;
    }
    return m_total;
}

// ---- marks ----

void ChartControl::setMarksVisible(bool on)
{
    m_marksVisible = on;
    touch();
}

void ChartControl::setMarksStyle(int styleCode)
{
    switch (styleCode) {
    case MarkValue:
    case MarkPercent:
    case MarkLabel:
    case MarkLabelPercent:
    case MarkLabelValue:
    case MarkPercentTotal:
    case MarkLabelPercentTotal:
        m_marksStyle = styleCode;
        touch();
        break;
    default:
        break;
    }
}

void ChartControl::setMarksFont(const QFont &font)
{
    m_marksFont = font;
    touch();
}

void ChartControl::setValueFormat(const QString &format)
{
    m_valueFormat = format;
    touch();
}

void ChartControl::setPercentFormat(const QString &format)
{
    m_percentFormat = format;
    touch();
}

QString ChartControl::markText(int index) const
{
    if (index < 0 || index >= m_points.size())
        return QString();
    const ChartPoint &pt = m_points.at(index);
    return ChartFormat::markText(m_marksStyle, pt.label, pt.value, seriesTotal(), m_valueFormat, m_percentFormat);
}

// ---- 3D ----

void ChartControl::setView3D(bool on)
{
    m_view3D = on;
    touch();
}

void ChartControl::setView3DDepth(int percent)
{
    m_depthPercent = std::clamp(percent, 0, 100);
    touch();
}

void ChartControl::setLineMarkersVisible(bool on)
{
    m_lineMarkers = on;
    touch();
}

void ChartControl::setLineMarkerOutline(const QColor &colour)
{
    m_markerOutline = colour;
    touch();
}

// ---- header, panel, walls, legend ----

void ChartControl::setHeaderText(const QStringList &lines)
{
    m_header = lines;
    touch();
}

void ChartControl::setHeaderLine(int line, const QString &text)
{
    if (line < 0)
        return;
    while (m_header.size() <= line)
        m_header.append(QString());
    m_header[line] = text;
    touch();
}

QString ChartControl::headerLine(int line) const
{
    return line >= 0 && line < m_header.size() ? m_header.at(line) : QString();
}

void ChartControl::setHeaderFont(const QFont &font)
{
    m_headerFont = font;
    touch();
}

void ChartControl::setHeaderColour(const QColor &colour)
{
    m_headerColour = colour;
    touch();
}

void ChartControl::setPanelColour(const QColor &colour)
{
    m_panelColour = colour;
    touch();
}

void ChartControl::setWallColour(const QColor &colour)
{
    m_wallColour = colour;
    touch();
}

void ChartControl::setWallDetailColour(const QColor &colour)
{
    m_wallDetail = colour;
    touch();
}

void ChartControl::setLegendVisible(bool on)
{
    m_legendVisible = on;
    touch();
}

// ---- axes ----

void ChartControl::setLeftAxisTitle(const QString &title)
{
    m_leftTitle = title;
    touch();
}

void ChartControl::setBottomAxisTitle(const QString &title)
{
    m_bottomTitle = title;
    touch();
}

void ChartControl::setLeftAxisAutomatic(bool on)
{
    m_leftAuto = on;
    touch();
}

void ChartControl::setLeftAxisMinMax(double minimum, double maximum)
{
    m_leftMin = minimum;
    m_leftMax = maximum;
    touch();
}

void ChartControl::setLeftAxisMaximum(double maximum)
{
    m_leftMax = maximum;
    touch();
}

void ChartControl::setLeftAxisMinimum(double minimum)
{
    m_leftMin = minimum;
    touch();
}

void ChartControl::setBottomAxisAutomatic(bool on)
{
    m_bottomAuto = on;
    touch();
}

void ChartControl::setBottomLabelAngle(int degrees)
{
    m_labelAngle = degrees >= 45 ? 90 : 0;
    touch();
}

void ChartControl::setAxisFont(const QFont &font)
{
    m_labelWidth = -1;
    m_axisFont = font;
    touch();
}

double ChartControl::leftAxisShownMinimum() const
{
    return cachedLayout().scale.minimum;
}

double ChartControl::leftAxisShownMaximum() const
{
    return cachedLayout().scale.maximum;
}

// ---- paging ----

void ChartControl::setMaxPointsPerPage(int points)
{
    m_perPage = std::max(0, points);
    m_first = clampFirst(pointCount(), m_first);
    touch();
}

void ChartControl::setFirstVisiblePoint(int index)
{
    m_first = clampFirst(pointCount(), index);
    touch();
}

void ChartControl::scrollPoints(int delta)
{
    setFirstVisiblePoint(m_first + delta);
}

int ChartControl::pageCount() const
{
    return ChartGeometry::pageCount(pointCount(), m_perPage);
}

int ChartControl::page() const
{
    return m_perPage > 0 ? m_first / m_perPage + 1 : 1;
}

void ChartControl::setPage(int page)
{
    if (m_perPage <= 0)
        return;
    setFirstVisiblePoint((std::clamp(page, 1, pageCount()) - 1) * m_perPage);
}

void ChartControl::setScaleLastPage(bool on)
{
    m_scaleLastPage = on;
    touch();
}

void ChartControl::setPieRotation(int degrees)
{
    m_rotation = ((degrees % 360) + 360) % 360;
    touch();
}

// ---- layout ----

const ChartControl::Layout &ChartControl::cachedLayout() const
{
    const QRectF r(rect());
    if (!m_layout || m_layoutRect != r) {
        m_layout = std::make_shared<Layout>(computeLayout(r));
        m_layoutRect = r;
    }
    return *m_layout;
}

ChartControl::Layout ChartControl::computeLayout(const QRectF &r) const
{
    Layout l;
    l.rect = r;
    l.headerFont = pixelFont(m_headerFont);
    l.axisFont = pixelFont(m_axisFont);
    l.marksFont = pixelFont(m_marksFont);
    const QFontMetricsF hfm(l.headerFont);
    const QFontMetricsF afm(l.axisFont);
    const QFontMetricsF mfm(l.marksFont);

    int headerLines = int(m_header.size());
    while (headerLines > 0 && m_header.at(headerLines - 1).trimmed().isEmpty())
        --headerLines;
    l.headerBottom = r.top() + kPad + (headerLines > 0 ? headerLines * hfm.height() + 8 : 0);

    double right = r.right() - kPad;
    if (m_legendVisible && !m_points.isEmpty()) {
        // the legend lists as many points as fit its height; only those are measured
        const int rows = std::max(1, int((r.bottom() - kPad - l.headerBottom - 10) / (afm.height() + 2)));
        double w = 0;
        for (int i = 0; i < std::min(rows, pointCount()); ++i)
            w = std::max(w, afm.horizontalAdvance(m_points.at(i).label));
        w = std::min(w + afm.height() + 16, r.width() * 0.3);
        const double h = std::min(r.bottom() - kPad - l.headerBottom, m_points.size() * (afm.height() + 2) + 10);
        l.legend = QRectF(right - w, l.headerBottom, w, h);
        right -= w + 8;
    }

    if (m_kind == Pie) {
        QRectF room(r.left() + kPad, l.headerBottom, right - r.left() - kPad, r.bottom() - kPad - l.headerBottom);
        if (m_marksVisible) {
            double w = 0;
            for (int i = 0; i < m_points.size(); ++i)
                w = std::max(w, mfm.horizontalAdvance(markText(i)));
            const double side = std::min(w + 30, room.width() * 0.3);
            room.adjust(side, mfm.height() + 8, -side, -(mfm.height() + 8));
        }
        const double centreY = r.top() + r.height() / 2 - (m_view3D ? kPie3DRaise : 0.0);
        l.pie = pieShape(room, centreY, m_view3D, m_depthPercent);
        QVector<double> values;
        values.reserve(m_points.size());
        for (const ChartPoint &pt : m_points)
            values.append(pt.value);
        l.slices = pieSlices(values, m_rotation);
        return l;
    }

    l.page = pageWindow(pointCount(), m_perPage, m_first, m_scaleLastPage);

    // bottom labels: one text line, or turned upright with the room of the longest label
    double bottomH = afm.height() + 10;
    if (m_labelAngle == 90) {
        // measured over all points, so that the plot does not jump while scrolling
        if (m_labelWidth < 0) {
            m_labelWidth = 0;
            for (const ChartPoint &pt : m_points)
                m_labelWidth = std::max(m_labelWidth, afm.horizontalAdvance(pt.label));
        }
        bottomH = std::min(m_labelWidth, r.height() * 0.35) + 10;
    }
    if (!m_bottomTitle.isEmpty())
        bottomH += afm.height() + 4;
    const double marksRoom = m_marksVisible ? mfm.height() + 6 : 4;
    const double top = l.headerBottom + marksRoom;
    const double bottom = r.bottom() - kPad - bottomH;

    double lo = 0;
    double hi = 0;
    if (m_leftAuto) {
        for (const ChartPoint &pt : m_points) {
            lo = std::min(lo, pt.value);
            hi = std::max(hi, pt.value);
        }
    } else {
        lo = m_leftMin;
        hi = m_leftMax;
    }
    const int maxTicks = std::max(2, int((bottom - top) / (afm.height() * 2.4)));
    l.scale = m_leftAuto ? niceScale(lo, hi, maxTicks) : fixedScale(lo, hi, maxTicks);
    for (double t : l.scale.ticks)
        l.labelsWidth = std::max(l.labelsWidth, afm.horizontalAdvance(tickText(t, l.scale.step)));
    l.titleWidth = m_leftTitle.isEmpty() ? 0 : afm.height() + 8;

    const double left = r.left() + kPad + l.titleWidth + l.labelsWidth + 8;
    // room on the right for half of the last bottom label
    right -= m_labelAngle == 90 ? 4 : 8;
    l.area = QRectF(left, top, std::max(0.0, right - left), std::max(0.0, bottom - top));
    l.depth = m_view3D ? depthOffset(l.area.size(), m_depthPercent) : QPointF();
    l.front = frontPlot(l.area, l.depth);
    return l;
}

// ---- painting ----

void ChartControl::paint(QPainter *p, const QRectF &r) const
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setRenderHint(QPainter::TextAntialiasing, true);
    p->setClipRect(r, Qt::IntersectClip);

    p->fillRect(r, m_panelColour);

    // the widget's own rectangle reuses the kept layout; pictures and pages get their own
    const std::shared_ptr<Layout> kept =
        m_layout && r == m_layoutRect ? m_layout : std::make_shared<Layout>(computeLayout(r));
    const Layout &l = *kept;

    // header: line 0 and any further lines, centred
    p->setFont(l.headerFont);
    p->setPen(m_headerColour);
    const QFontMetricsF hfm(l.headerFont);
    double y = r.top() + kPad;
    for (const QString &line : m_header) {
        if (y + hfm.height() > l.headerBottom + 0.5)
            break;
        p->drawText(QRectF(r.left() + kPad, y, r.width() - 2 * kPad, hfm.height()),
                    Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, line);
        y += hfm.height();
    }

    if (m_kind == Pie) {
        paintPie(p, l);
    } else if (m_kind >= 0) {
        paintAxes(p, l);
        if (m_kind == Bar)
            paintBars(p, l);
        else
            paintLine(p, l);
    }
    if (m_legendVisible && !l.legend.isEmpty())
        paintLegend(p, l);
    p->restore();
}

void ChartControl::paintAxes(QPainter *p, const Layout &l) const
{
    const QRectF &f = l.front;
    const QPointF d = l.depth;
    const QRectF back = f.translated(d);
    const double lo = l.scale.minimum;
    const double hi = l.scale.maximum;

    // walls: the back wall lit from above, the left and bottom walls shaded towards the detail colour
    QLinearGradient wall(back.topLeft(), back.bottomLeft());
    wall.setColorAt(0, mix(m_wallColour, Qt::white, 0.55));
    wall.setColorAt(1, mix(m_wallColour, Qt::white, 0.25));
    p->setPen(Qt::NoPen);
    p->setBrush(wall);
    p->drawRect(back);
    if (m_view3D) {
        QPolygonF leftWall;
        leftWall << f.topLeft() << back.topLeft() << back.bottomLeft() << f.bottomLeft();
        QPolygonF floor;
        floor << f.bottomLeft() << back.bottomLeft() << back.bottomRight() << f.bottomRight();
        p->setBrush(mix(mix(m_wallColour, Qt::white, 0.35), m_wallDetail, 0.18));
        p->drawPolygon(leftWall);
        p->setBrush(mix(mix(m_wallColour, Qt::white, 0.25), m_wallDetail, 0.22));
        p->drawPolygon(floor);
    }

    // grid on the back wall (and across the left wall in 3D), silver
    const QFontMetricsF afm(l.axisFont);
    p->setFont(l.axisFont);
    for (double t : l.scale.ticks) {
        const double ty = valueToY(t, lo, hi, f);
        const bool zero = std::fabs(t) < l.scale.step * 1e-9 && lo < 0;
        p->setPen(QPen(zero ? mix(m_wallDetail, Qt::white, 0.3) : QColor(192, 192, 192, 230), zero ? 1.4 : 1.0));
        p->drawLine(QPointF(back.left(), ty + d.y()), QPointF(back.right(), ty + d.y()));
        if (m_view3D)
            p->drawLine(QPointF(f.left(), ty), QPointF(back.left(), ty + d.y()));
        // minor tick half-way, on the axis only
        p->setPen(QColor(60, 60, 60));
        p->drawLine(QPointF(f.left() - 4, ty), QPointF(f.left(), ty));
        const double half = t + l.scale.step / 2;
        if (half < hi) {
            const double hy = valueToY(half, lo, hi, f);
            p->drawLine(QPointF(f.left() - 2, hy), QPointF(f.left(), hy));
        }
        p->setPen(Qt::black);
        p->drawText(QRectF(f.left() - 6 - l.labelsWidth - 2, ty - afm.height() / 2, l.labelsWidth + 2, afm.height()),
                    Qt::AlignRight | Qt::AlignVCenter, tickText(t, l.scale.step));
    }

    // wall edges in the detail colour
    p->setPen(QPen(m_wallDetail, 1.0));
    p->setBrush(Qt::NoBrush);
    p->drawRect(back);
    if (m_view3D) {
        p->drawLine(f.topLeft(), back.topLeft());
        p->drawLine(f.bottomLeft(), back.bottomLeft());
        p->drawLine(f.bottomRight(), back.bottomRight());
        p->drawLine(f.topLeft(), f.bottomLeft());
        p->drawLine(f.bottomLeft(), f.bottomRight());
    }

    // left-axis title, turned to read upwards
    if (!m_leftTitle.isEmpty()) {
        p->save();
        p->setPen(Qt::black);
        p->translate(l.rect.left() + kPad + afm.ascent(), f.center().y());
        p->rotate(-90);
        p->drawText(QRectF(-f.height() / 2 - 40, -afm.ascent(), f.height() + 80, afm.height()),
                    Qt::AlignCenter | Qt::TextSingleLine, m_leftTitle);
        p->restore();
    }

    // bottom labels under the front plane; thinned out when they would overlap
    const int slotCount = std::max(1, l.page.slotCount);
    const double slotW = f.width() / slotCount;
    double widest = 0;
    for (int k = 0; k < l.page.shown; ++k)
        widest = std::max(widest, afm.horizontalAdvance(m_points.at(l.page.first + k).label));
    const double need = m_labelAngle == 90 ? afm.height() + 2 : widest + 8;
    const int every = std::max(1, int(std::ceil(need / std::max(1.0, slotW))));
    p->setPen(Qt::black);
    const double labelTop = f.bottom() + 7; // clear of the lowest value label beside the axis
    const double maxLen = m_labelAngle == 90
        ? std::max(0.0, l.rect.bottom() - kPad - labelTop - (m_bottomTitle.isEmpty() ? 0 : afm.height() + 4))
        : 0;
    for (int k = 0; k < l.page.shown; k += every) {
        const QString text = m_points.at(l.page.first + k).label;
        const double cx = slotCentreX(k, slotCount, f);
        p->drawLine(QPointF(cx, f.bottom()), QPointF(cx, f.bottom() + 3));
        if (m_labelAngle == 90) {
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
    if (!m_bottomTitle.isEmpty()) {
        p->drawText(QRectF(f.left(), l.rect.bottom() - kPad - afm.height(), f.width(), afm.height()),
                    Qt::AlignCenter | Qt::TextSingleLine, m_bottomTitle);
    }
}

void ChartControl::paintBars(QPainter *p, const Layout &l) const
{
    const QRectF &f = l.front;
    const double lo = l.scale.minimum;
    const double hi = l.scale.maximum;
    const int slotCount = std::max(1, l.page.slotCount);
    // a bar is as deep as the plot, less a little air at the front and back
    const QPointF d = l.depth * 0.8;
    const QPointF shift = l.depth * 0.1;
    for (int k = 0; k < l.page.shown; ++k) {
        const int i = l.page.first + k;
        const ChartPoint &pt = m_points.at(i);
        const QColor c = pt.colour.isValid() ? pt.colour : QColor(80, 120, 200);
        QRectF front = barRect(k, slotCount, pt.value, lo, hi, f, kBarWidth, kBarMaxWidth).translated(shift);
        if (front.height() < 0.5)
            front.setHeight(0.5);
        // bars a few pixels wide get flat faces without edges: edges would hide the colour
        const bool thin = front.width() < 5;
        p->setRenderHint(QPainter::Antialiasing, !thin);
        if (m_view3D) {
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
    paintMarks(p, l);
}

ChartControl::Marks ChartControl::placedMarks(const Layout &l) const
{
    Marks m;
    if (!m_marksVisible || m_kind == Pie)
        return m;
    const QFontMetricsF mfm(l.marksFont);
    const QRectF &f = l.front;
    const int slotCount = std::max(1, l.page.slotCount);
    QVector<QRectF> boxes;
    for (int k = 0; k < l.page.shown; ++k) {
        const int i = l.page.first + k;
        m.texts.append(markText(i));
        if (m_kind == Bar) {
            const QPointF d = l.depth * 0.8;
            const QRectF front = barRect(k, slotCount, m_points.at(i).value, l.scale.minimum, l.scale.maximum, f,
                                         kBarWidth, kBarMaxWidth)
                                     .translated(l.depth * 0.1);
            const bool up = m_points.at(i).value >= 0;
            QPointF anchor =
                up ? QPointF(front.center().x(), front.top()) : QPointF(front.center().x(), front.bottom());
            if (m_view3D && up)
                anchor += d / 2;
            boxes.append(markBox(mfm, m.texts.last(), anchor, up));
        } else {
            const double v = std::clamp(m_points.at(i).value, l.scale.minimum, l.scale.maximum);
            const QPointF pt(slotCentreX(k, slotCount, f), valueToY(v, l.scale.minimum, l.scale.maximum, f));
            const QPointF lift = m_view3D ? l.depth * 0.5 : QPointF(0, -3);
            boxes.append(markBox(mfm, m.texts.last(), pt + lift, true));
        }
    }
    // beside the left axis labels, above the bottom ones, under the header; crowded marks are
    // staggered rather than left out
    const QRectF room(f.left() + 1, l.headerBottom, std::max(0.0, l.rect.right() - kPad - f.left() - 1),
                      std::max(0.0, f.bottom() - 2 - l.headerBottom));
    m.boxes = placeMarks(boxes, room, 2);
    return m;
}

void ChartControl::paintMarks(QPainter *p, const Layout &l) const
{
    const Marks m = placedMarks(l);
    if (m.boxes.isEmpty())
        return;
    p->setFont(l.marksFont);
    for (int k = 0; k < m.boxes.size(); ++k)
        if (!m.boxes.at(k).isEmpty())
            drawMark(p, m.boxes.at(k), m.texts.at(k));
}

QVector<QRectF> ChartControl::markBoxes() const
{
    return placedMarks(cachedLayout()).boxes;
}

QRectF ChartControl::plotFront() const
{
    return cachedLayout().front;
}

void ChartControl::paintLine(QPainter *p, const Layout &l) const
{
    const QRectF &f = l.front;
    const double lo = l.scale.minimum;
    const double hi = l.scale.maximum;
    const int slotCount = std::max(1, l.page.slotCount);
    QVector<QPointF> pts;
    for (int k = 0; k < l.page.shown; ++k) {
        const double v = std::clamp(m_points.at(l.page.first + k).value, lo, hi);
        pts.append(QPointF(slotCentreX(k, slotCount, f), valueToY(v, lo, hi, f)));
    }
    auto colourOf = [this, &l](int k) {
        const QColor c = m_points.at(l.page.first + k).colour;
        return c.isValid() ? c : QColor(40, 90, 200);
    };

    if (m_view3D) {
        // a ribbon half as deep as the plot, in its middle
        const QPointF d = l.depth * 0.5;
        const QPointF shift = l.depth * 0.25;
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
        if (m_lineMarkers && f.width() / slotCount >= 8) {
            p->setPen(QPen(m_markerOutline, 1));
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
        if ((m_lineMarkers && roomy) || pts.size() == 1) {
            for (int k = 0; k < pts.size(); ++k) {
                p->setPen(QPen(colourOf(k).darker(140), 1.6));
                p->setBrush(Qt::white);
                p->drawEllipse(pts.at(k), 3.8, 3.8);
            }
        }
    }

    paintMarks(p, l);
}

void ChartControl::paintPie(QPainter *p, const Layout &l) const
{
    const QRectF top = l.pie.top;
    if (top.width() <= 1 || top.height() <= 1)
        return;
    auto colourOf = [this](int i) {
        const QColor c = m_points.at(i).colour;
        return c.isValid() ? c : QColor(80, 120, 200);
    };

    if (m_view3D && l.pie.thickness > 0) {
        const QRectF bottom = top.translated(0, l.pie.thickness);
        for (int i = 0; i < l.slices.size(); ++i) {
            const PieSlice &s = l.slices.at(i);
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

    for (int i = 0; i < l.slices.size(); ++i) {
        const PieSlice &s = l.slices.at(i);
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

    if (!m_marksVisible)
        return;

    // marks outside the disc with a leader line; kept apart vertically on each side
    p->setFont(l.marksFont);
    const QFontMetricsF mfm(l.marksFont);
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
    for (int i = 0; i < l.slices.size(); ++i) {
        const PieSlice &s = l.slices.at(i);
        if (s.spanDeg <= 0)
            continue;
        const double mid = s.startDeg + s.spanDeg / 2;
        const double sinMid = std::sin(mid * M_PI / 180.0);
        const double drop = (m_view3D && sinMid < 0) ? l.pie.thickness : 0.0;
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
        const double limit = l.rect.bottom() - 2;
        for (int k = int(group.size()) - 1; k >= 0; --k) {
            const double maxBottom = k + 1 < group.size() ? group.at(k + 1)->box.top() - 1 : limit;
            if (group.at(k)->box.bottom() > maxBottom)
                group[k]->box.moveBottom(maxBottom);
        }
    }
    // a mark never leaves the picture, even when the chart is narrow
    for (Placed &pl : placed) {
        if (pl.box.right() > l.rect.right() - 2)
            pl.box.moveRight(l.rect.right() - 2);
        if (pl.box.left() < l.rect.left() + 2)
            pl.box.moveLeft(l.rect.left() + 2);
    }
    for (const Placed &pl : placed) {
        const QPointF end(pl.right ? pl.box.left() : pl.box.right(), pl.box.center().y());
        p->setPen(QPen(QColor(70, 70, 70), 0.9));
        p->drawPolyline(QPolygonF() << pl.rim << pl.elbow << end);
        drawMark(p, pl.box, markText(pl.index));
    }
}

void ChartControl::paintLegend(QPainter *p, const Layout &l) const
{
    const QFontMetricsF afm(l.axisFont);
    p->setPen(QPen(QColor(150, 150, 150), 0.8));
    p->setBrush(QColor(255, 255, 255, 230));
    p->drawRoundedRect(l.legend, 3, 3);
    p->setFont(l.axisFont);
    double y = l.legend.top() + 5;
    for (const ChartPoint &pt : m_points) {
        if (y + afm.height() > l.legend.bottom())
            break;
        const double s = afm.height() * 0.7;
        p->setPen(Qt::NoPen);
        p->setBrush(pt.colour);
        p->drawRect(QRectF(l.legend.left() + 6, y + (afm.height() - s) / 2, s, s));
        p->setPen(Qt::black);
        p->drawText(QRectF(l.legend.left() + 10 + s, y, l.legend.width() - 14 - s, afm.height()),
                    Qt::AlignLeft | Qt::AlignVCenter,
                    afm.elidedText(pt.label, Qt::ElideRight, l.legend.width() - 14 - s));
        y += afm.height() + 2;
    }
}

void ChartControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    cachedLayout();
    paint(&p, QRectF(rect()));
}

// ---- mouse ----

double ChartControl::bottomAxisValueAt(double xPixel) const
{
    const Layout &l = cachedLayout();
    if (m_kind == Pie)
        return 0.0;
    return xToAxisValue(xPixel, l.page.first, l.page.slotCount, l.front);
}

double ChartControl::leftAxisValueAt(double yPixel) const
{
    const Layout &l = cachedLayout();
    if (m_kind == Pie)
        return 0.0;
    return yToValue(yPixel, l.scale.minimum, l.scale.maximum, l.front);
}

int ChartControl::pointAt(const QPointF &pos) const
{
    const Layout &l = cachedLayout();
    if (m_kind == Pie)
        return sliceAt(l.slices, l.pie, pos);
    const int slotCount = std::max(1, l.page.slotCount);
    if (m_kind == Bar) {
        const QPointF d = l.depth * 0.8;
        const QPointF shift = l.depth * 0.1;
        for (int k = l.page.shown - 1; k >= 0; --k) {
            const int i = l.page.first + k;
            QRectF front = barRect(k, slotCount, m_points.at(i).value, l.scale.minimum, l.scale.maximum, l.front,
                                   kBarWidth, kBarMaxWidth)
                               .translated(shift);
            front.setHeight(std::max(front.height(), 3.0)); // a zero bar can still be clicked
            const Box3D box = box3D(front, d);
            if (front.contains(pos) || box.top.containsPoint(pos, Qt::OddEvenFill)
                || box.side.containsPoint(pos, Qt::OddEvenFill))
                return i;
        }
        return -1;
    }
    const QPointF shift = m_view3D ? l.depth * 0.5 : QPointF();
    for (int k = 0; k < l.page.shown; ++k) {
        const int i = l.page.first + k;
        const double v = std::clamp(m_points.at(i).value, l.scale.minimum, l.scale.maximum);
        const QPointF c(slotCentreX(k, slotCount, l.front), valueToY(v, l.scale.minimum, l.scale.maximum, l.front));
        if (QLineF(c + shift, pos).length() <= 6.0)
            return i;
    }
    return -1;
}

void ChartControl::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position().toPoint());
    // the move was the chart's: the panel and the window under it must not take it for their own
    event->accept();
}

void ChartControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        const int i = pointAt(pos);
        if (i >= 0)
            emit pointClicked(i);
        emit chartClicked(pos);
    }
    QWidget::mousePressEvent(event);
}

void ChartControl::wheelEvent(QWheelEvent *event)
{
    if (!m_scrollEnabled || m_kind == Pie || m_perPage <= 0 || pointCount() <= m_perPage) {
        QWidget::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        const int before = m_first;
        scrollPoints(-steps);
        if (m_first != before)
            emit scrolled(m_first);
    }
    event->accept();
}

// ---- output ----

QImage ChartControl::renderImage(const QSize &pixels) const
{
    QImage img(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(m_panelColour);
    QPainter p(&img);
    paint(&p, QRectF(QPointF(0, 0), QSizeF(img.size())));
    p.end();
    return img;
}

ChartControl::ExportResult ChartControl::exportJpeg(const QString &fileName, int widthPx, int heightPx, int quality,
                                                    bool greyScale) const
{
    ExportResult res;
    if (widthPx <= 0 || heightPx <= 0) {
        res.fileError = QFileDevice::WriteError;
        res.errorText = QStringLiteral("Invalid picture size");
        return res;
    }
    // An existing file that may not be written stays as it is, and the reason is reported; the
    // replacement below would otherwise pass over its permissions.
    if (QFileInfo::exists(fileName)) {
        QFile probe(fileName);
        if (!probe.open(QIODevice::ReadWrite)) {
            res.fileError = probe.error();
            res.errorText = probe.errorString();
            return res;
        }
    }
    QImage img = renderImage(QSize(widthPx, heightPx));
    if (greyScale)
        img = img.convertToFormat(QImage::Format_Grayscale8);
    QSaveFile out(fileName);
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) {
        res.fileError = out.error();
        res.errorText = out.errorString();
        return res;
    }
    QImageWriter writer(&out, "jpg");
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(img)) {
        out.cancelWriting();
        res.fileError = out.error() != QFileDevice::NoError ? out.error() : QFileDevice::WriteError;
        res.errorText = writer.errorString();
        return res;
    }
    if (!out.commit()) {
        res.fileError = out.error();
        res.errorText = out.errorString();
        return res;
    }
    res.ok = true;
    return res;
}

void ChartControl::setPrintDetail(int detail)
{
    m_printDetail = std::clamp(detail, -100, 100);
}

void ChartControl::setPrintMargins(int left, int top, int right, int bottom)
{
    auto c = [](int v) { return std::clamp(v, 0, 45); };
    m_printMargins = QMargins(c(left), c(top), c(right), c(bottom));
}

void ChartControl::setPrintOrientation(int code)
{
    m_printOrientation = code == 2 ? 2 : 1;
}

bool ChartControl::print(QPrinter *printer) const
{
    if (!printer)
        return false;
    printer->setPageOrientation(m_printOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter p;
    if (!p.begin(printer))
        return false;
    const QRectF page(0, 0, printer->width(), printer->height());
    const QRectF target =
        page.adjusted(page.width() * m_printMargins.left() / 100.0, page.height() * m_printMargins.top() / 100.0,
                      -page.width() * m_printMargins.right() / 100.0, -page.height() * m_printMargins.bottom() / 100.0);
    // the chart keeps its on-screen proportions; more detail draws it on a larger canvas, so that
    // text and lines come out finer on the page
    const QSizeF base = width() > 50 && height() > 50 ? QSizeF(size()) : QSizeF(600, 400);
    const double grow = std::max(0.5, 1.0 + m_printDetail / 200.0);
    const QSizeF logical = base * grow;
    const double s = std::min(target.width() / logical.width(), target.height() / logical.height());
    p.translate(target.left() + (target.width() - logical.width() * s) / 2, target.top());
    p.scale(s, s);
    paint(&p, QRectF(QPointF(0, 0), logical));
    return p.end();
}

// ---- editor ----

bool ChartControl::showEditor()
{
    ChartEditor dlg(this);
    if (g_editorHook) {
        auto hook = g_editorHook;
        QTimer::singleShot(0, &dlg, [hook, &dlg] { hook(&dlg); });
    }
    const bool applied = dlg.exec() == QDialog::Accepted;
    setFocus();
    return applied;
}

void ChartControl::setEditorHook(std::function<void(ChartEditor *)> hook)
{
    g_editorHook = std::move(hook);
}
