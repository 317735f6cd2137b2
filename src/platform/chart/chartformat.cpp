#include "platform/chart/chartformat.h"

#include <QRegularExpression>

#include <cmath>

namespace {

bool isDigitChar(QChar c)
{
    return c == u'#' || c == u'0' || c == u',' || c == u'.';
}

// Whole number digits of |v| already rounded to decimals, as text ("1234567").
QString roundedDigits(double absValue, int decimals, QString *fraction)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::round(absValue * scale); // halves away from zero
    QString all;
    if (scaled < 9e15) {
        all = QString::number(static_cast<qint64>(scaled));
    } else {
        all = QString::number(scaled, 'f', 0);
    }
    while (all.size() <= decimals)
        all.prepend(u'0');
    *fraction = all.right(decimals);
    return all.left(all.size() - decimals);
}

} // namespace

namespace ChartFormat {

QString formatNumber(double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return QString::number(value);
    int a = 0;
    while (a < pattern.size() && !isDigitChar(pattern.at(a)))
        ++a;
    int b = a;
    while (b < pattern.size() && isDigitChar(pattern.at(b)))
        ++b;
    const QString prefix = pattern.left(a);
    const QString suffix = pattern.mid(b);
    const QString num = pattern.mid(a, b - a);
    if (num.isEmpty())
        return pattern; // no digits asked for: the text alone

    const int dot = num.indexOf(u'.');
    const QString whole = dot < 0 ? num : num.left(dot);
    const QString frac = dot < 0 ? QString() : num.mid(dot + 1).remove(u',');
    const bool group = whole.contains(u',');
    const int minWhole = int(whole.count(u'0'));
    const int maxDec = int(frac.size());
    const int minDec = int(frac.count(u'0')); // "#" after the point: only when not zero

    QString fracDigits;
    QString intDigits = roundedDigits(std::fabs(value), maxDec, &fracDigits);
    while (fracDigits.size() > minDec && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);
    intDigits.remove(QRegularExpression(QStringLiteral("^0+")));
    while (intDigits.size() < minWhole)
        intDigits.prepend(u'0');
    if (group) {
        for (int i = int(intDigits.size()) - 3; i > 0; i -= 3)
            intDigits.insert(i, u',');
    }
    QString out = intDigits;
    if (!fracDigits.isEmpty())
        out += u'.' + fracDigits;
    bool zero = true;
    for (QChar c : out)
        if (c.isDigit() && c != u'0')
            zero = false;
    if (value < 0 && !zero)
        out.prepend(u'-');
    return prefix + out + suffix;
}

QString markText(int style, const QString &label, double value, double total, const QString &valueFormat,
                 const QString &percentFormat)
{
    const double pct = total != 0 ? value / total * 100.0 : 0.0;
    QString v = formatNumber(value, valueFormat); // returned as it is: not const, so it moves
    QString p = formatNumber(pct, percentFormat);
    const QString t = formatNumber(total, valueFormat);
    switch (style) {
    case 0:
        return v;
    case 1:
        return p;
    case 2:
        return label;
    case 3:
        return label + u' ' + p;
    case 4:
        return label + u' ' + v;
    case 6:
        return p + QStringLiteral(" / ") + t;
    case 7:
        return label + u' ' + p + QStringLiteral(" / ") + t;
    default:
        return v;
    }
}

} // namespace ChartFormat
