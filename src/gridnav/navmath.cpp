#include "gridnav/navmath.h"

#include "platform/win/rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Row values are 32-bit; results outside that range are held at its ends instead of wrapping.
int toInt(double v)
{
    if (!std::isfinite(v))
        return v < 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    if (v >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(v);
}

// Rows per scroll-bar step; zero or less when every row fits in one page.
double rowsPerStep(int rows, int pageRows)
{
    return (double(rows) - (double(pageRows) - 1.0)) / 10000.0;
}

} // namespace

namespace NavMath {

int roundEven(double v)
{
    return toInt(Rounding::halfEven(v));
}

QString nowText(qint64 n)
{
    const bool negative = n < 0;
    QString digits = QString::number(negative ? -n : n);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

qint64 parseNowText(const QString &text)
{
    QString s = text.trimmed();
    s.remove(QLatin1Char(','));
    bool ok = false;
    const qint64 v = s.toLongLong(&ok);
    return ok ? v : 0;
}

int rowsIn(double twips)
{
    return roundEven((twips / 15.0) * kUnitsPerPixelV / kDataRowHeight);
}

int heightOf(int rows)
{
    return roundEven(rows * kDataRowHeight * 15.0 / kUnitsPerPixelV);
}

int pageRows(double gridHeight, int headerRows)
{
    const int headers = headerRows == 1 ? 2 : headerRows;
    return rowsIn(gridHeight) - headers;
}

int fitHeight(double height, double below, double gridTop)
{
    return heightOf(rowsIn(height - below - gridTop - 195.0));
}

int lastTop(int rows, int pageRows)
{
    return toInt(double(rows) - double(pageRows) + 1.0);
}

int scrollPos(int top, int rows, int pageRows)
{
    if (top == 1)
        return 1;
    const double per = rowsPerStep(rows, pageRows);
    if (per <= 0.0) // every row fits: the bar has nowhere to go
        return 1;
    return std::clamp(roundEven(top / per), kScrollMin, kScrollMax);
}

int rowOf(int value, int rows, int pageRows)
{
    if (value == 1)
        return 1;
    const int last = lastTop(rows, pageRows);
    int row = roundEven(rowsPerStep(rows, pageRows) * value);
    if (row < 1)
        row = 1;
    if (row > last)
        row = last;
    return std::max(row, 1);
}

int largeChange(int rows, int pageRows)
{
    if (double(rows) - pageRows <= pageRows)
        return kScrollMax;
    return std::max(1, roundEven(pageRows / rowsPerStep(rows, pageRows)));
}

namespace {

struct DirectionTag
{
    Direction direction;
    QLatin1String tag;
};
constexpr DirectionTag kDirectionTags[] = {
    {Direction::Top, QLatin1String("TOP")},      {Direction::PageUp, QLatin1String("PUP")},
    {Direction::LineUp, QLatin1String("1UP")},   {Direction::LineDown, QLatin1String("1DN")},
    {Direction::PageDown, QLatin1String("PDN")}, {Direction::End, QLatin1String("END")},
};

} // namespace

Direction directionOf(const QString &tag)
{
    const QString t = tag.trimmed();
    for (const DirectionTag &d : kDirectionTags)
        if (t == d.tag)
            return d.direction;
    return Direction::None;
}

QString tagOf(Direction direction)
{
    for (const DirectionTag &d : kDirectionTags)
        if (d.direction == direction)
            return d.tag;
    return {};
}

bool isRepeating(Direction direction)
{
    return direction == Direction::PageUp || direction == Direction::LineUp || direction == Direction::LineDown
        || direction == Direction::PageDown;
}

StepResult stepTarget(Direction direction, int top, int rows, int pageRows)
{
    const double T = top;
    const double P = pageRows;
    const double R = rows;
    double target = 1;
    StepResult r;
    r.repeats = isRepeating(direction);
    switch (direction) {
    case Direction::None:
    case Direction::Top:
        target = 1;
        break;
    case Direction::PageUp:
        target = T - P + 1;
        break;
    case Direction::LineUp:
        target = T - 1;
        break;
    case Direction::LineDown:
        target = T + 1;
        break;
    case Direction::PageDown:
        target = T + P - 1;
        break;
    case Direction::End:
        target = R - P + 1;
        break;
    }
    if (target < 1) {
        target = 1;
        r.clamped = true;
    }
    const double last = R - P + 1;
    if (target > last) {
        target = last;
        r.clamped = true;
    }
    // with fewer rows than a page LastTop is below 1; the grid's first row is 1 then
    r.target = std::max(1, toInt(target));
    return r;
}

int scrollClickTarget(int newValue, int top, int rows, int pageRows)
{
    const Direction dir = newValue <= scrollPos(top, rows, pageRows) ? Direction::PageUp : Direction::PageDown;
    return stepTarget(dir, top, rows, pageRows).target;
}

QString goLabel(int lastTop)
{
    return QStringLiteral("(1 ~ %1)").arg(nowText(lastTop));
}

int goLimit(qint64 value, int rows, int pageRows)
{
    qint64 v = value;
    if (rows > pageRows) {
        const int last = lastTop(rows, pageRows);
        if (v > last)
            v = last;
        if (v < 1)
            v = 1;
    }
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QRectF goSlideRect(int k, double backLeft, double backTop, double boxHeight)
{
    if (k <= 0)
        return QRectF(backLeft, backTop, 15, boxHeight);
    if (k > kGoSteps)
        return QRectF(backLeft - kGoWidth + 15, backTop, kGoWidth, boxHeight);
    return QRectF(backLeft - kGoStep * k, backTop, kGoStep * k, boxHeight);
}

int focusBoxWidth(const QString &text, bool hasFocus)
{
    if (!hasFocus || parseNowText(text) <= 999)
        return kBoxWidth;
    const int L = int(text.size());
    return 105 * L - 15 * (L - 6);
}

SumGeometry sumGeometry(int sumRows, bool needHScroll)
{
    SumGeometry g;
    if (needHScroll) {
        g.height = sumRows * 285 + 315 - (sumRows - 1) * 15;
        g.rowHeight = 11.59;
        g.scrollBarMode = 1;
    } else if (sumRows == 1) {
        g.height = 330;
        g.rowHeight = 13.63;
    } else {
        g.height = sumRows * 285 - (sumRows - 1) * 15;
        g.rowHeight = 11.59;
    }
    return g;
}

bool needsHScroll(double gridWidth, double col0Width, const QVector<double> &visibleWidths)
{
    const double available = (gridWidth / 15.0) * kUnitsPerPixelH - col0Width;
    double needed = 0;
    for (double w : visibleWidths)
        needed += w;
    needed += (visibleWidths.size() + 1) * kUnitsPerPixelH;
    return needed >= available;
}

PanelLayout panelLayout(const QRectF &grid, double height, bool hasSum, double sumHeight, double frameHeight)
{
    PanelLayout l;
    const double below = hasSum ? sumHeight : 0.0;
    l.gridHeight = fitHeight(height, below, grid.top());
    if (hasSum)
        l.sum = QRectF(grid.left(), grid.top() + l.gridHeight - 15, grid.width(), sumHeight);
    const double panelHeight = l.gridHeight + (hasSum ? sumHeight - 15 : 0.0);
    l.panel = QRectF(grid.left() + grid.width() - 15, grid.top(), kPanelWidth, panelHeight);
    // the panel has no border: its scale height is its height
    l.scrollHeight = std::max(0.0, panelHeight - kScrollTop - frameHeight + 270);
    l.frameTop = panelHeight - frameHeight + 15;
    l.nowBox = lineBoxRect(0, l.panel, kBoxWidth);
    l.maxBox = lineBoxRect(1, l.panel, kBoxWidth);
    return l;
}

QRectF lineBoxRect(int boxIndex, const QRectF &panel, double width)
{
    const double top = boxIndex == 0 ? panel.top() + 945 : panel.top() + panel.height() - 600;
    // the box keeps its right edge on the panel's and widens to the left, over the grid
    return QRectF(panel.left() + kPanelWidth - width, top, width, kBoxHeight);
}

PanelArrangement panelArrangement(double scaleHeight)
{
    PanelArrangement a;
    a.xls = QRectF(0, 0, 330, 315);
    a.grp = QRectF(0, 315, 330, 315);
    a.fnd = QRectF(0, 630, 330, 315);
    a.top = QRectF(0, 1215, 330, 250);
    a.pup = QRectF(0, 1465, 330, 250);
    a.up1 = QRectF(0, 1715, 330, 250);
    a.frame = QRectF(0, scaleHeight - kMoveFrameHeight, 330, kMoveFrameHeight);
    a.scroll = QRectF(-15, kScrollTop, 345, std::max(0.0, a.frame.top() - kScrollTop));
    a.dn1 = QRectF(0, 0, 330, 250);
    a.pdn = QRectF(0, 250, 330, 250);
    a.end = QRectF(0, 500, 330, 250);
    a.ref = QRectF(0, 1035, 330, 315);
    return a;
}

double availableWidth(double gridWidth, int visibleCount, double col0Width)
{
    return ((gridWidth - (visibleCount + 3) * 15.0) / 15.0) * kUnitsPerPixelH - col0Width;
}

QVector<double> fitToWidth(const QVector<double> &defWidths, const QVector<bool> &hidden, int fillCol, double available,
                           const std::function<double(int, double)> &apply)
{
    const int n = int(defWidths.size());
    QVector<double> out(n, -1.0);
    auto isHidden = [&](int c) { return c < hidden.size() && hidden[c]; };
    double sum = 0;
    for (int c = 1; c < n; ++c)
        if (!isHidden(c))
            sum += defWidths[c];
    if (sum <= 0) // nothing visible to scale
        return out;
    double used = 0;
    for (int c = 1; c < n; ++c) {
        if (isHidden(c) || c == fillCol)
            continue;
        out[c] = defWidths[c] / sum * available;
        used += apply ? apply(c, out[c]) : out[c];
    }
    if (fillCol >= 1 && fillCol < n && !isHidden(fillCol))
        out[fillCol] = std::max(0.0, available - used);
    return out;
}

} // namespace NavMath
