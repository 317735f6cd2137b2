#include "spreadnumber.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace SpreadNumber {

namespace {

int clampDecimals(int decimals)
{
    return decimals < 0 ? 0 : (decimals > MaxDecimals ? MaxDecimals : decimals);
}

// Rounds half away from zero at the given decimals. Values such as 1.005 are held in binary as
// 1.00499999..., so a half is recognised within a tiny relative tolerance.
double roundTo(double value, int decimals)
{
    // from 2^52 on a double holds no fraction, and scaling could overflow to inf
    if (std::fabs(value) >= 0x1p52)
        return value;
    const double scale = std::pow(10.0, decimals);
    const double x = std::fabs(value * scale);
    const double whole = std::floor(x);
    // the tolerance covers a few units in the last place; capped, so a large value whose units
    // are coarse is not pushed up to the next step (1e13 at 2 decimals stays .00)
    const double tolerance = std::min(8 * DBL_EPSILON * (x > 1 ? x : 1), 1e-3);
    const double magnitude = (x - whole >= 0.5 - tolerance) ? whole + 1 : whole;
    const double r = std::copysign(magnitude, value) / scale;
    return r == 0 ? 0.0 : r;
}

} // namespace

QString plain(double value, int decimals)
{
    decimals = clampDecimals(decimals);
    if (!std::isfinite(value))
        return QString();
    return QString::number(roundTo(value, decimals), 'f', decimals);
}

QString format(double value, int decimals, QChar decimalChar, QChar groupChar, bool showGroups)
{
    decimals = clampDecimals(decimals);
    QString p = plain(value, decimals);
    if (p.isEmpty())
        return p;
    const bool negative = p.startsWith(QLatin1Char('-'));
    const qsizetype start = negative ? 1 : 0;
    qsizetype dot = p.indexOf(QLatin1Char('.'));
    if (dot < 0)
        dot = p.size();
    QString out;
    out.reserve(p.size() + p.size() / 3 + 1);
    if (negative)
        out += QLatin1Char('-');
    const qsizetype intDigits = dot - start;
    for (qsizetype i = 0; i < intDigits; ++i) {
        if (showGroups && !groupChar.isNull() && i > 0 && (intDigits - i) % 3 == 0)
            out += groupChar;
        out += p.at(start + i);
    }
    if (dot < p.size()) {
        out += decimalChar.isNull() ? QLatin1Char('.') : decimalChar;
        out += QStringView(p).mid(dot + 1);
    }
    return out;
}

std::optional<double> parse(QStringView text, QChar decimalChar, QChar groupChar)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 64)
        return std::nullopt;
    if (decimalChar.isNull())
        decimalChar = QLatin1Char('.');
    // copied into a small buffer without the separators, then read by from_chars (no allocation:
    // this runs for every number put into the grid)
    char buffer[72];
    int n = 0;
    bool seenDecimal = false;
    bool seenDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            buffer[n++] = char(c.unicode());
            seenDigit = true;
        } else if (c == decimalChar && !seenDecimal) {
            buffer[n++] = '.';
            seenDecimal = true;
        } else if (c == QLatin1Char('-') && i == 0) {
            buffer[n++] = '-';
        } else if ((!groupChar.isNull() && c == groupChar && !seenDecimal && seenDigit)
                   || (c == QLatin1Char('+') && i == 0)) {
            continue; // separators only between integer digits; a leading plus says nothing
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(buffer, buffer + n, v);
    if (ec != std::errc() || end != buffer + n || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace SpreadNumber
