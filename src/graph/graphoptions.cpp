#include "graph/graphoptions.h"

#include "graph/graphdataset.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxPageSize = 1000;
constexpr int kPieStep = 45; // degrees per page of the pie
constexpr double kLabelRoom = 1.04;

struct MarkRow
{
    const char *item;
    int style;
};
// label contents in list order with the chart's mark style codes
constexpr MarkRow kMarkRows[] = {
    {"Y값", 0}, {"Y비율", 1}, {"Y비율 Y합계", 6}, {"X값", 2}, {"X값 Y값", 4}, {"X값 Y비율", 3}, {"X값 Y비율 Y합계", 7},
};
constexpr int kDecimalsCount = 5;

double roundHalfAway(double v)
{
    return std::round(v);
}

} // namespace

namespace GraphOptions {

int typeOfOption(int optionIndex)
{
    switch (optionIndex) {
    case 0:
        return ChartControl::Line;
    case 1:
        return ChartControl::Bar;
    case 2:
        return ChartControl::Pie;
    default:
        return ChartControl::Line;
    }
}

int optionOfType(int type)
{
    switch (type) {
    case ChartControl::Line:
        return 0;
    case ChartControl::Bar:
        return 1;
    case ChartControl::Pie:
        return 2;
    default:
        return -1;
    }
}

QStringList valueTypeItems()
{
    QStringList items;
    for (const MarkRow &row : kMarkRows)
        items.append(QString::fromUtf8(row.item));
    return items;
}

int markStyleCode(int index)
{
    if (index < 0 || index >= int(std::size(kMarkRows)))
        return -1;
    return kMarkRows[index].style;
}

QStringList valueRatioItems()
{
    QStringList items;
    for (int d = 0; d < kDecimalsCount; ++d)
        items.append(d == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(d, u'0'));
    return items;
}

QString valueFormat(int index)
{
    if (index < 0 || index >= kDecimalsCount)
        return QString();
    return QStringLiteral("###,###,###,##0") + (index ? QStringLiteral(".") + QString(index, u'0') : QString());
}

QString percentFormat(int index)
{
    if (index < 0 || index >= kDecimalsCount)
        return QString();
    return valueRatioItems().at(index) + u'%';
}

double axisMax(int type, bool labelsOn, double graphMax)
{
    return type == ChartControl::Line && labelsOn ? graphMax * kLabelRoom : graphMax;
}

int labelAngle(int labelBytesMax)
{
    return labelBytesMax >= 5 ? 90 : 0;
}

GraphPreset preset(int type)
{
    GraphPreset p;
    switch (type) {
    case ChartControl::Line:
        p = {false, -1, false, true};
        break;
    case ChartControl::Bar:
        p = {true, 0, true, true};
        break;
    case ChartControl::Pie:
        p = {true, 4, true, false};
        break;
    default:
        break;
    }
    return p;
}

PieFill pieFill(const QVector<double> &values, const QVector<double> &ratios, double total)
{
    PieFill f;
    bool notShown = false;
    f.roles.resize(values.size());
    for (int i = 0; i < values.size(); ++i) {
        const double v = values.at(i);
        const bool drawn = (v > 0 && total > 0) || (v < 0 && total < 0);
        if (!drawn) {
            f.roles[i] = PieNotShown;
            notShown = true;
        } else if (i < ratios.size() && ratios.at(i) < 1.0) {
            f.roles[i] = PieOthers;
            f.othersSum += v;
            f.hasOthers = true;
        } else {
            f.roles[i] = PieSlice;
        }
    }
    if (f.hasOthers)
        f.note = QStringLiteral("비율이 1% 이하인 값은 기타로 표시");
    if (notShown) {
        if (!f.note.isEmpty())
            f.note += QStringLiteral(", ");
        f.note += QStringLiteral("0 이거나 0 보다 작은값은 표시 않됨");
    }
    return f;
}

QString pieNoteText(const QString &note)
{
    return QStringLiteral("※ [주] : ") + note;
}

QString othersLabel()
{
    return QStringLiteral("기타");
}

int clampPageSize(int n, int graphCount)
{
    if (n < 1)
        n = 1;
    if (graphCount <= kMaxPageSize) {
        if (n > graphCount)
            n = graphCount;
    } else if (n > kMaxPageSize) {
        n = kMaxPageSize;
    }
    return std::max(n, 1);
}

GraphScrollRange scrollRange(int type, int n, int graphCount)
{
    GraphScrollRange r;
    if (type == ChartControl::Pie) {
        r.maximum = 359;
        r.largeChange = kPieStep;
        r.resetValue = true;
        r.zoomEnabled = false;
        return r;
    }
    if (graphCount <= n) {
        r.maximum = 0;
    } else {
        r.maximum = graphCount - n;
        r.largeChange = n;
    }
    return r;
}

int scrollStepValue(int button, int value, int minimum, int maximum, int step)
{
    switch (button) {
    case 0:
        return minimum;
    case 1:
        return std::max(value - step, minimum);
    case 2:
        return value > minimum ? value - 1 : value;
    case 3:
        return value < maximum ? value + 1 : value;
    case 4:
        return std::min(value + step, maximum);
    case 5:
        return maximum;
    default:
        return value;
    }
}

int pageStep(int type, int pointsPerPage)
{
    return type == ChartControl::Pie ? kPieStep : pointsPerPage;
}

int zoomTarget(int button, int pointsPerPage, int graphCount)
{
    if (button == 6)
        return pointsPerPage < 2 ? -1 : pointsPerPage - 1;
    if (button == 7)
        return pointsPerPage >= graphCount ? -1 : pointsPerPage + 1;
    return -1;
}

bool scrollRepeats(int button)
{
    return button == 1 || button == 2 || button == 3 || button == 4 || button == 6 || button == 7;
}

GraphPageTexts pageTexts(int type, int value, int maximum, int pointsPerPage)
{
    GraphPageTexts t;
    t.current = QString::number(value + 1);
    t.count = QString::number(maximum + 1);
    t.perScreen = type == ChartControl::Pie ? QString() : QString::number(pointsPerPage);
    return t;
}

CrossReadout crossReadout(double xAxisValue, double yAxisValue, const QStringList &labels,
                          const QVector<double> &values)
{
    CrossReadout out;
    const int count = int(std::min(labels.size(), values.size()));
    if (count == 0 || !std::isfinite(xAxisValue))
        return out;
    const double x = roundHalfAway(xAxisValue + 1);
    out.item = x < 1 ? 1 : (x > count ? count : int(x));
    QString xNumber = GraphData::formatNumber(out.item, 0, true);
    QString yNumber =
        std::isfinite(yAxisValue) ? GraphData::formatNumber(roundHalfAway(yAxisValue), 0, true) : QStringLiteral("0");
    // the shorter number is padded so that both read-outs line up
    const qsizetype width = std::max(xNumber.size(), yNumber.size());
    xNumber = xNumber.leftJustified(width, u' ');
    yNumber = yNumber.leftJustified(width, u' ');
    out.xText = QStringLiteral("X: ") + xNumber + QStringLiteral(" (") + labels.at(out.item - 1) + u')';
    out.yText =
        QStringLiteral("Y: ") + yNumber + QStringLiteral(" (") + GraphData::valueText(values.at(out.item - 1)) + u')';
    return out;
}

int readoutItem(const QString &xReadout)
{
    const qsizetype start = xReadout.indexOf(QStringLiteral("X:"));
    const qsizetype end = xReadout.indexOf(QStringLiteral(" ("), start + 2);
    if (start < 0 || end < 0)
        return 0;
    QString number = xReadout.mid(start + 2, end - start - 2).trimmed();
    number.remove(u',');
    bool ok = false;
    const int item = number.toInt(&ok);
    return ok && item > 0 ? item : 0;
}

int clickTopRow(int item, int rowCount, int visibleRows, int currentTop)
{
    if (item < 1)
        return 0;
    const int lastTop = std::max(rowCount - visibleRows + 1, 1);
    const int top = std::max(std::min(item, lastTop), 1);
    return top == currentTop ? 0 : top;
}

double pieStartY(double chartHeight, bool view3D)
{
    return chartHeight / 2 - (view3D ? 420 : 0);
}

} // namespace GraphOptions
