#include "platform/controls/numbertext.h"

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString stripLeadingZeros(const QString &digits)
{
    int i = 0;
    while (i < digits.size() - 1 && digits.at(i) == QLatin1Char('0'))
        ++i;
    return digits.isEmpty() ? QStringLiteral("0") : digits.mid(i);
}

// Adds one to a string of decimal digits ("0999" -> "1000"); may grow by one digit.
QString incrementDigits(QString digits)
{
    for (int i = digits.size() - 1; i >= 0; --i) {
        if (digits.at(i) == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return digits;
        }
    }
    return QLatin1Char('1') + digits;
}

int integerDigitCount(const QString &integerDigits)
{
    const QString s = stripLeadingZeros(integerDigits);
    return s == QLatin1String("0") ? 0 : int(s.size());
}

QString groupDigits(const QString &digits)
{
    QString out;
    const int n = int(digits.size());
    out.reserve(n + n / 3);
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(QLatin1Char(','));
        out.append(digits.at(i));
    }
    return out;
}

// largest exponent taken from text like "1E+20"; anything further is not a rate
constexpr int MaxExponent = 400;

} // namespace

bool NumberText::Number::isZero() const
{
    for (QChar c : integerDigits)
        if (c != QLatin1Char('0'))
            return false;
    for (QChar c : fractionDigits)
        if (c != QLatin1Char('0'))
            return false;
    return true;
}

NumberText::Problem NumberText::parse(const QString &text, Number *out)
{
    const QString t = text.trimmed();
    int i = 0;
    const int n = int(t.size());
    bool negative = false;
    if (i < n && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    QString intDigits;
    QString fracDigits;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = t.at(i);
        if (isDigit(c)) {
            (point ? fracDigits : intDigits).append(c);
        } else if (c == QLatin1Char(',')) {
            // a group separator only between integer digits
            if (point || intDigits.isEmpty())
                return Problem::NotANumber;
        } else if (c == QLatin1Char('.')) {
            if (point)
                return Problem::NotANumber;
            point = true;
        } else {
            break;
        }
    }
    if (intDigits.isEmpty() && fracDigits.isEmpty())
        return Problem::NotANumber;

    int exponent = 0;
    if (i < n) {
        if (t.at(i) != QLatin1Char('e') && t.at(i) != QLatin1Char('E'))
            return Problem::NotANumber;
        ++i;
        bool expNegative = false;
        if (i < n && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
            expNegative = t.at(i) == QLatin1Char('-');
            ++i;
        }
        if (i >= n)
            return Problem::NotANumber;
        for (; i < n; ++i) {
            if (!isDigit(t.at(i)))
                return Problem::NotANumber;
            exponent = exponent * 10 + t.at(i).digitValue();
            if (exponent > MaxExponent)
                return Problem::NotANumber;
        }
        if (expNegative)
            exponent = -exponent;
    }

    if (exponent != 0) {
        // move the decimal point within the digit string
        const QString all = intDigits + fracDigits;
        const int pointAt = int(intDigits.size()) + exponent;
        if (pointAt <= 0) {
            intDigits = QStringLiteral("0");
            fracDigits = QString(-pointAt, QLatin1Char('0')) + all;
        } else if (pointAt >= all.size()) {
            intDigits = all + QString(pointAt - all.size(), QLatin1Char('0'));
            fracDigits.clear();
        } else {
            intDigits = all.left(pointAt);
            fracDigits = all.mid(pointAt);
        }
    }

    if (out) {
        out->negative = negative;
        out->integerDigits = stripLeadingZeros(intDigits);
        out->fractionDigits = fracDigits;
    }
    return Problem::None;
}

NumberText::Problem NumberText::fit(Number *number, const Limits &limits)
{
    Number n = *number;
    if (n.negative && !n.isZero() && !limits.allowNegative)
        return Problem::NegativeNotAllowed;
    const int places = qBound(0, limits.decimalPlaces, 15);
    if (n.fractionDigits.size() > places) {
        const bool up = n.fractionDigits.at(places) >= QLatin1Char('5');
        QString kept = n.integerDigits + n.fractionDigits.left(places);
        if (up)
            kept = incrementDigits(kept);
        n.integerDigits = stripLeadingZeros(kept.left(kept.size() - places));
        n.fractionDigits = kept.right(places);
    }
    if (integerDigitCount(n.integerDigits) > limits.maxIntegerDigits)
        return Problem::TooManyIntegerDigits;
    if (n.isZero())
        n.negative = false;
    *number = n;
    return Problem::None;
}

QString NumberText::format(const Number &number, int decimalPlaces, bool fixed, bool groups)
{
    const int places = qBound(0, decimalPlaces, 15);
    QString frac = number.fractionDigits.left(places);
    if (fixed)
        frac = frac.leftJustified(places, QLatin1Char('0'));
    else
        while (frac.endsWith(QLatin1Char('0')))
            frac.chop(1);
    const QString intPart = stripLeadingZeros(number.integerDigits);
    QString out = groups ? groupDigits(intPart) : intPart;
    if (!frac.isEmpty())
        out += QLatin1Char('.') + frac;
    bool zero = true;
    for (QChar c : out)
        if (c != QLatin1Char('0') && c != QLatin1Char('.') && c != QLatin1Char(','))
            zero = false;
    if (number.negative && !zero)
        out.prepend(QLatin1Char('-'));
    return out;
}

NumberText::Problem NumberText::checkTyping(const QString &text, const Limits &limits)
{
    int i = 0;
    const int n = int(text.size());
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        if (text.at(i) == QLatin1Char('-') && !limits.allowNegative)
            return Problem::NegativeNotAllowed;
        ++i;
    }
    QString intDigits;
    int fracCount = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (isDigit(c)) {
            if (point)
                ++fracCount;
            else
                intDigits.append(c);
        } else if (c == QLatin1Char(',')) {
            if (point)
                return Problem::NotANumber;
        } else if (c == QLatin1Char('.')) {
            // a box without decimals takes the point too and drops what follows it, as a box
            // with decimals drops the digits past them: "23456.7" is 23456, never 234567
            if (point)
                return Problem::NotANumber;
            point = true;
        } else if (c == QLatin1Char('-') || c == QLatin1Char('+')) {
            return limits.allowNegative || c == QLatin1Char('+') ? Problem::NotANumber : Problem::NegativeNotAllowed;
        } else {
            return Problem::NotANumber;
        }
    }
    if (integerDigitCount(intDigits) > limits.maxIntegerDigits)
        return Problem::TooManyIntegerDigits;
    if (fracCount > limits.decimalPlaces)
        return limits.decimalPlaces <= 0 ? Problem::NoDecimalsAllowed : Problem::TooManyDecimals;
    return Problem::None;
}

QString NumberText::message(Problem problem, const Limits &limits)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::NotANumber:
        return QStringLiteral("숫자만 입력할 수 있습니다.");
    case Problem::TooManyIntegerDigits:
        return QStringLiteral("정수 부분은 %1자리까지 입력할 수 있습니다.").arg(limits.maxIntegerDigits);
    case Problem::TooManyDecimals:
        return QStringLiteral("소수점 이하는 %1자리까지 입력할 수 있습니다.").arg(limits.decimalPlaces);
    case Problem::NoDecimalsAllowed:
        return QStringLiteral("소수점 이하는 입력할 수 없습니다.");
    case Problem::NegativeNotAllowed:
        return QStringLiteral("음수는 입력할 수 없습니다.");
    }
    return {};
}
