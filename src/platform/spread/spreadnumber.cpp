#include "spreadnumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace SpreadNumber {

namespace {

int clampDecimals(int decimals)
{
    return decimals < 0 ? 0 : (decimals > MaxDecimals ? MaxDecimals : decimals);
}

// Adds one to the last digit of `digits` ("0999" -> "1000"); may grow by one digit.
void incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The value as plain decimal text with `decimals` places, halves away from zero. The digits come
// from the value's decimal text to 15 significant digits, the most a double holds for every
// decimal: a rate written with up to 15 digits comes back exactly as written (999999999999 with
// six decimals is "999999999999.000000", 1.005 is a half), and nothing past them is binary noise.
std::string plainDigits(double value, int decimals)
{
    constexpr int Significant = 15;
    char buffer[32];
    const auto res =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, Significant - 1);
    // "d.dddddddddddddde+XX"
    std::string digits;
    digits.reserve(Significant);
    const char *p = buffer;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.')
            digits.push_back(*p);
    // the exponent, read within what to_chars wrote (the buffer holds no terminating NUL)
    int exponent = 0;
    bool negativeExponent = false;
    for (const char *e = p + 1; e < res.ptr; ++e) {
        if (*e == '-')
            negativeExponent = true;
        else if (*e >= '0' && *e <= '9')
            exponent = exponent * 10 + (*e - '0');
    }
    if (negativeExponent)
        exponent = -exponent;
    const int pointAt = exponent + 1; // digits before the point
    const int n = int(digits.size());
    std::string whole;
    std::string fraction;
    if (pointAt <= 0) {
        whole = "0";
        fraction.assign(size_t(-pointAt), '0');
        fraction += digits;
    } else if (pointAt >= n) {
        whole = digits;
        whole.append(size_t(pointAt - n), '0');
    } else {
        whole = digits.substr(0, size_t(pointAt));
        fraction = digits.substr(size_t(pointAt));
    }
    if (int(fraction.size()) > decimals) {
        const bool up = fraction[size_t(decimals)] >= '5';
        std::string kept = whole + fraction.substr(0, size_t(decimals));
        if (up)
            incrementDigits(kept);
        whole = kept.substr(0, kept.size() - size_t(decimals));
        fraction = kept.substr(kept.size() - size_t(decimals));
    } else {
        fraction.append(size_t(decimals) - fraction.size(), '0');
    }
    const size_t firstDigit = std::min(whole.find_first_not_of('0'), whole.size() - 1);
    std::string out = whole.substr(firstDigit);
    const bool zero = out == "0" && fraction.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !zero)
        out.insert(out.begin(), '-');
    if (decimals > 0) {
        out.push_back('.');
        out += fraction;
    }
    return out;
}

} // namespace

QString plain(double value, int decimals)
{
    decimals = clampDecimals(decimals);
    if (!std::isfinite(value))
        return QString();
    return QString::fromLatin1(plainDigits(value, decimals));
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
