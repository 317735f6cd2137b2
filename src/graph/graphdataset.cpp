#include "graph/graphdataset.h"

#include "platform/win/wincolor.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

const QString kTotalMark = QStringLiteral("계");

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits from position i on; returns how many.
int skipDigits(const QString &s, int &i)
{
    const int start = i;
    while (i < s.size() && isDigit(s.at(i)))
        ++i;
    return i - start;
}

QString groupThousands(const QString &digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits.at(i);
    }
    return out;
}

} // namespace

namespace GraphData {

bool isNumeric(const QString &text)
{
    const QString s = text.trimmed();
    int i = 0;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    int digits = skipDigits(s, i);
    if (i < s.size() && s.at(i) == u'.') {
        ++i;
        digits += skipDigits(s, i);
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s.at(i) == u'e' || s.at(i) == u'E')) {
        ++i;
        if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
            ++i;
        if (skipDigits(s, i) == 0)
            return false;
    }
    return i == s.size();
}

double toDouble(const QString &text, bool *ok)
{
    if (!isNumeric(text)) {
        if (ok)
            *ok = false;
        return 0;
    }
    bool good = false;
    const double v = text.trimmed().toDouble(&good);
    if (ok)
        *ok = good && std::isfinite(v);
    return good && std::isfinite(v) ? v : 0;
}

GraphItems gather(const GraphSource &source, int xCol, int yCol)
{
    GraphItems items;
    if (!source.text)
        return items;
    // Label -> item index; the lists never hold two equal labels, so this finds the same item as a
    // search from the front would, without walking the list for every row.
    QHash<QString, int> index;
    int counted = 0;
    for (int r = 1; r <= source.maxRows; ++r) {
        QString yText = source.text(yCol, r);
        yText.remove(u',');
        if (!isNumeric(yText))
            continue;
        ++counted;
        if (counted > 1) {
            bool totalRow = false;
            for (int c = 1; c <= 4 && !totalRow; ++c)
                totalRow = source.text(c, r).contains(kTotalMark);
            if (totalRow)
                continue;
        }
        const QString label = source.text(xCol, r);
        if (counted > 1 && label.contains(kTotalMark))
            continue;
        // The sum comes from the unformatted value; a cell whose value does not read as a number
        // falls back to its displayed text without separators (known to be numeric here).
        bool ok = false;
        double value = source.cellValue ? toDouble(source.cellValue(yCol, r), &ok) : 0;
        if (!ok)
            value = toDouble(yText);
        const auto it = index.constFind(label);
        if (it != index.constEnd()) {
            items.values[*it] += value;
        } else {
            index.insert(label, int(items.labels.size()));
            items.labels.append(label);
            items.values.append(value);
        }
    }
    return items;
}

} // namespace GraphData

void sbSort_GraphItems(QStringList &labels, QVector<double> &values)
{
    const int n = int(std::min(labels.size(), values.size()));
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&labels](int a, int b) {
        return QString::compare(labels.at(a), labels.at(b), Qt::CaseInsensitive) < 0;
    });
    QStringList sortedLabels;
    QVector<double> sortedValues;
    sortedLabels.reserve(n);
    sortedValues.reserve(n);
    for (int i : order) {
        sortedLabels.append(labels.at(i));
        sortedValues.append(values.at(i));
    }
    labels = std::move(sortedLabels);
    values = std::move(sortedValues);
}

namespace GraphData {

bool shouldSort(bool sortRequested, const QString &xTitle)
{
    return sortRequested && !xTitle.contains(QStringLiteral("업체"));
}

QString yTitle(const QString &headerText, const QString &addition)
{
    if (addition.isEmpty())
        return headerText;
    if (addition == headerText)
        return addition;
    return headerText + u' ' + addition;
}

QString heading(const QString &xTitle, const QString &yTitle)
{
    QString y = yTitle;
    y.remove(QStringLiteral("\r\n"));
    if (y.contains(u'(')) {
        // Only a "(kg)" unit is cut off; any other bracket stays part of the title.
        const qsizetype kg = y.indexOf(QStringLiteral("(kg)"));
        if (kg >= 0)
            y = y.left(kg);
    }
    return xTitle + QStringLiteral(" 별 ") + y;
}

QString caption(const QString &title)
{
    return QStringLiteral("Graph [") + title + u']';
}

int ansiBytes(const QString &label)
{
    int bytes = 0;
    for (qsizetype i = 0; i < label.size(); ++i) {
        const QChar c = label.at(i);
        if (c.isHighSurrogate() && i + 1 < label.size() && label.at(i + 1).isLowSurrogate()) {
            ++i;
            bytes += 1; // not in the code page: written as "?"
        } else {
            bytes += c.unicode() < 0x80 ? 1 : 2;
        }
    }
    return bytes;
}

int itemColor(double r1, double r2, double r3)
{
    const auto pick = [](double r, int span) {
        const int v = int(std::floor(span * std::clamp(r, 0.0, 1.0)));
        return std::min(v, span - 1);
    };
    return WinColor::rgb(50 + pick(r1, 200), 50 + pick(r2, 200), pick(r3, 100));
}

double ratio(double value, double total)
{
    return total == 0 ? 0 : value / total * 100;
}

GraphDataSet makeDataSet(GraphItems items, const QString &xTitle, const QString &yTitle,
                         const std::function<double()> &draw)
{
    GraphDataSet d;
    d.XTitle = xTitle;
    d.YTitle = yTitle;
    d.GraphLabels = std::move(items.labels);
    d.GraphValues = std::move(items.values);
    const int n = int(d.GraphLabels.size());
    for (double v : std::as_const(d.GraphValues))
        d.GraphTotal += v;
    d.GraphRatios.resize(n);
    d.GraphColors.resize(n);
    for (int i = 0; i < n; ++i) {
        const double r1 = draw ? draw() : 0;
        const double r2 = draw ? draw() : 0;
        const double r3 = draw ? draw() : 0;
        d.GraphColors[i] = itemColor(r1, r2, r3);
        const double v = d.GraphValues.at(i);
        d.GraphMax = std::max(d.GraphMax, v);
        d.GraphMin = std::min(d.GraphMin, v);
        d.LabelBytesMax = std::max(d.LabelBytesMax, ansiBytes(d.GraphLabels.at(i)));
        d.GraphRatios[i] = ratio(v, d.GraphTotal);
    }
    d.GraphCount = n;
    return d;
}

QString formatNumber(double value, int decimals, bool groups)
{
    if (!std::isfinite(value))
        return QString();
    QString s = QString::number(std::fabs(value), 'f', decimals);
    bool zero = true;
    for (QChar c : std::as_const(s))
        if (c != u'0' && c != u'.')
            zero = false;
    const qsizetype dot = s.indexOf(u'.');
    QString intPart = dot < 0 ? s : s.left(dot);
    const QString frac = dot < 0 ? QString() : s.mid(dot);
    if (groups)
        intPart = groupThousands(intPart);
    return (value < 0 && !zero ? QStringLiteral("-") : QString()) + intPart + frac;
}

QString ratioText(double ratio)
{
    return formatNumber(ratio, 2, false) + u'%';
}

QString valueText(double value)
{
    return formatNumber(value, 2, true);
}

QString countText(int count)
{
    return formatNumber(count, 0, true) + QStringLiteral(" 건");
}

int titleRow(int colHeaderRows)
{
    return colHeaderRows >= 2 ? colHeaderRows - 1001 : -1000;
}

} // namespace GraphData
