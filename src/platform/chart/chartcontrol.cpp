#include "platform/chart/chartcontrol.h"

#include "platform/chart/charteditor.h"
#include "platform/chart/chartformat.h"
#include "platform/chart/chartgeometry.h"
#include "platform/chart/chartpainter.h"
#include "platform/win/koreanfont.h"
#include "platform/win/services.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;
using namespace ChartPlot;

namespace {

QFont defaultFont(double points, bool bold)
{
    KoreanFont::installSubstitutes();
    QFont f(KoreanFont::fixedFace());
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Tick labels: thousands grouped, as many decimals as the step needs.
// A mark: the text on a rounded white box with a thin border.
} // namespace

ChartControl::ChartControl(QWidget *parent)
    : QWidget(parent)
{
    m_s.marksFont = defaultFont(9, false);
    m_s.headerFont = defaultFont(10, true);
    m_s.axisFont = defaultFont(9, false);
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
    m_s.kind = -1;
    m_s.points.clear();
    m_s.first = 0;
    touch();
}

int ChartControl::addSeries(SeriesKind kind)
{
    m_labelWidth = -1;
    m_s.kind = (kind == Line || kind == Bar || kind == Pie) ? kind : Bar;
    m_s.points.clear();
    m_s.first = 0;
    touch();
    return 0;
}

int ChartControl::seriesCount() const
{
    return m_s.kind < 0 ? 0 : 1;
}

ChartControl::SeriesKind ChartControl::seriesKind() const
{
    return SeriesKind(m_s.kind);
}

void ChartControl::setSeriesKind(SeriesKind kind)
{
    if (kind != Line && kind != Bar && kind != Pie)
        return;
    m_s.kind = kind;
    touch();
}

void ChartControl::clearPoints()
{
    m_labelWidth = -1;
    m_s.points.clear();
    m_s.first = 0;
    touch();
}

int ChartControl::addPoint(double value, const QString &label, const QColor &colour)
{
    if (m_s.kind < 0)
        m_s.kind = Bar; // a point without a series starts one, as adding to series 0 implies
    m_s.points.append({std::isfinite(value) ? value : 0.0, label, colour});
    if (m_labelWidth >= 0) // widen the kept measure instead of measuring every label again
        m_labelWidth = std::max(m_labelWidth, QFontMetricsF(pixelFont(m_s.axisFont)).horizontalAdvance(label));
    touch();
    return int(m_s.points.size()) - 1;
}

int ChartControl::pointCount() const
{
    return int(m_s.points.size());
}

ChartPoint ChartControl::point(int index) const
{
    return index >= 0 && index < m_s.points.size() ? m_s.points.at(index) : ChartPoint{};
}

void ChartControl::setPointColour(int index, const QColor &colour)
{
    if (index < 0 || index >= m_s.points.size())
        return;
    m_s.points[index].colour = colour;
    touch();
}

double ChartControl::seriesTotal() const
{
    if (!m_totalValid) {
        m_total = 0;
        for (const ChartPoint &pt : m_s.points)
            m_total += pt.value;
        m_totalValid = true;
    }
    return m_total;
}

// ---- marks ----

void ChartControl::setMarksVisible(bool on)
{
    m_s.marksVisible = on;
    touch();
}

void ChartControl::setMarksStyle(MarkStyle style)
{
    switch (style) {
    case MarkValue:
    case MarkPercent:
    case MarkLabel:
    case MarkLabelPercent:
    case MarkLabelValue:
    case MarkPercentTotal:
    case MarkLabelPercentTotal:
        m_s.marksStyle = style;
        touch();
        break;
    default:
        break;
    }
}

void ChartControl::setMarksFont(const QFont &font)
{
    m_s.marksFont = font;
    touch();
}

void ChartControl::setValueFormat(const QString &format)
{
    m_s.valueFormat = format;
    touch();
}

void ChartControl::setPercentFormat(const QString &format)
{
    m_s.percentFormat = format;
    touch();
}

QString ChartControl::markText(int index) const
{
    return ChartPlot::markText(m_s, index, seriesTotal());
}

// ---- 3D ----

void ChartControl::setView3D(bool on)
{
    m_s.view3D = on;
    touch();
}

void ChartControl::setView3DDepth(int percent)
{
    m_s.depthPercent = std::clamp(percent, 0, 100);
    touch();
}

void ChartControl::setLineMarkersVisible(bool on)
{
    m_s.lineMarkers = on;
    touch();
}

void ChartControl::setLineMarkerOutline(const QColor &colour)
{
    m_s.markerOutline = colour;
    touch();
}

// ---- header, panel, walls, legend ----

void ChartControl::setHeaderText(const QStringList &lines)
{
    m_s.header = lines;
    touch();
}

void ChartControl::setHeaderLine(int line, const QString &text)
{
    if (line < 0)
        return;
    while (m_s.header.size() <= line)
        m_s.header.append(QString());
    m_s.header[line] = text;
    touch();
}

QString ChartControl::headerLine(int line) const
{
    return line >= 0 && line < m_s.header.size() ? m_s.header.at(line) : QString();
}

void ChartControl::setHeaderFont(const QFont &font)
{
    m_s.headerFont = font;
    touch();
}

void ChartControl::setHeaderColour(const QColor &colour)
{
    m_s.headerColour = colour;
    touch();
}

void ChartControl::setPanelColour(const QColor &colour)
{
    m_s.panelColour = colour;
    touch();
}

void ChartControl::setWallColour(const QColor &colour)
{
    m_s.wallColour = colour;
    touch();
}

void ChartControl::setWallDetailColour(const QColor &colour)
{
    m_s.wallDetail = colour;
    touch();
}

void ChartControl::setLegendVisible(bool on)
{
    m_s.legendVisible = on;
    touch();
}

// ---- axes ----

void ChartControl::setLeftAxisTitle(const QString &title)
{
    m_s.leftTitle = title;
    touch();
}

void ChartControl::setBottomAxisTitle(const QString &title)
{
    m_s.bottomTitle = title;
    touch();
}

void ChartControl::setLeftAxisAutomatic(bool on)
{
    m_s.leftAuto = on;
    touch();
}

void ChartControl::setLeftAxisMinMax(double minimum, double maximum)
{
    m_s.leftMin = minimum;
    m_s.leftMax = maximum;
    touch();
}

void ChartControl::setLeftAxisMaximum(double maximum)
{
    m_s.leftMax = maximum;
    touch();
}

void ChartControl::setLeftAxisMinimum(double minimum)
{
    m_s.leftMin = minimum;
    touch();
}

void ChartControl::setBottomAxisAutomatic(bool on)
{
    m_s.bottomAuto = on;
    touch();
}

void ChartControl::setBottomLabelAngle(int degrees)
{
    m_s.labelAngle = degrees >= 45 ? 90 : 0;
    touch();
}

void ChartControl::setAxisFont(const QFont &font)
{
    m_labelWidth = -1;
    m_s.axisFont = font;
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
    m_s.perPage = std::max(0, points);
    m_s.first = clampFirst(pointCount(), m_s.first);
    touch();
}

void ChartControl::setFirstVisiblePoint(int index)
{
    m_s.first = clampFirst(pointCount(), index);
    touch();
}

void ChartControl::scrollPoints(int delta)
{
    setFirstVisiblePoint(m_s.first + delta);
}

int ChartControl::pageCount() const
{
    return ChartGeometry::pageCount(pointCount(), m_s.perPage);
}

int ChartControl::page() const
{
    return m_s.perPage > 0 ? m_s.first / m_s.perPage + 1 : 1;
}

void ChartControl::setPage(int page)
{
    if (m_s.perPage <= 0)
        return;
    setFirstVisiblePoint((std::clamp(page, 1, pageCount()) - 1) * m_s.perPage);
}

void ChartControl::setScaleLastPage(bool on)
{
    m_s.scaleLastPage = on;
    touch();
}

void ChartControl::setPieRotation(int degrees)
{
    m_s.rotation = ((degrees % 360) + 360) % 360;
    touch();
}

// ---- layout ----

ChartLayout ChartControl::computeLayout(const QRectF &r) const
{
    return ChartPlot::layout(m_s, r, seriesTotal(), m_labelWidth);
}

const ChartLayout &ChartControl::cachedLayout() const
{
    const QRectF r(rect());
    if (!m_layout || m_layoutRect != r) {
        m_layout = std::make_shared<ChartLayout>(computeLayout(r));
        m_layoutRect = r;
    }
    return *m_layout;
}

// ---- painting ----

void ChartControl::paint(QPainter *p, const QRectF &r) const
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setRenderHint(QPainter::TextAntialiasing, true);
    p->setClipRect(r, Qt::IntersectClip);

    p->fillRect(r, m_s.panelColour);

    // the widget's own rectangle reuses the kept layout; pictures and pages get their own
    const std::shared_ptr<ChartLayout> kept =
        m_layout && r == m_layoutRect ? m_layout : std::make_shared<ChartLayout>(computeLayout(r));
    ChartPainter::forKind(m_s, *kept, seriesTotal())->paint(p);
    p->restore();
}

QVector<QRectF> ChartControl::markBoxes() const
{
    return ChartPlot::placedMarks(m_s, cachedLayout(), seriesTotal()).boxes;
}

QRectF ChartControl::plotFront() const
{
    return cachedLayout().front;
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
    const ChartLayout &l = cachedLayout();
    if (m_s.kind == Pie)
        return 0.0;
    return xToAxisValue(xPixel, l.page.first, l.page.slotCount, l.front);
}

double ChartControl::leftAxisValueAt(double yPixel) const
{
    const ChartLayout &l = cachedLayout();
    if (m_s.kind == Pie)
        return 0.0;
    return yToValue(yPixel, l.scale.minimum, l.scale.maximum, l.front);
}

int ChartControl::pointAt(const QPointF &pos) const
{
    const ChartLayout &l = cachedLayout();
    if (m_s.kind == Pie)
        return sliceAt(l.slices, l.pie, pos);
    const int slotCount = std::max(1, l.page.slotCount);
    if (m_s.kind == Bar) {
        const QPointF d = l.depth * 0.8;
        const QPointF shift = l.depth * 0.1;
        for (int k = l.page.shown - 1; k >= 0; --k) {
            const int i = l.page.first + k;
            QRectF front = barRect(k, slotCount, m_s.points.at(i).value, l.scale.minimum, l.scale.maximum, l.front,
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
    const QPointF shift = m_s.view3D ? l.depth * 0.5 : QPointF();
    for (int k = 0; k < l.page.shown; ++k) {
        const int i = l.page.first + k;
        const double v = std::clamp(m_s.points.at(i).value, l.scale.minimum, l.scale.maximum);
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
    if (!m_scrollEnabled || m_s.kind == Pie || m_s.perPage <= 0 || pointCount() <= m_s.perPage) {
        QWidget::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        const int before = m_s.first;
        scrollPoints(-steps);
        if (m_s.first != before)
            emit scrolled(m_s.first);
    }
    event->accept();
}

// ---- output ----

QImage ChartControl::renderImage(const QSize &pixels) const
{
    QImage img(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(m_s.panelColour);
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
    if (ChartEditor::answerHook()) {
        auto answer = ChartEditor::answerHook();
        QTimer::singleShot(0, &dlg, [answer, &dlg] { answer(&dlg); });
    }
    const bool applied = dlg.exec() == QDialog::Accepted;
    setFocus();
    return applied;
}
