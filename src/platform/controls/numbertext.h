#pragma once

#include <QString>

// Plain-text arithmetic of the number box: reading a number from text exactly (no binary
// floating point, so 0.1 stays 0.1 and six decimals never drift), fitting it to the box's limits
// and writing it back as display text ("1,234.50") or as the plain value ("1234.50").
class NumberText
{
public:
    enum class Problem {
        None,
        NotANumber, // letters, two points, a sign in the middle, empty text ...
        TooManyIntegerDigits, // more digits before the point than the box allows
        TooManyDecimals, // more digits after the point than the box allows (typing only)
        NoDecimalsAllowed, // a digit typed after the point of a box without decimals
        NegativeNotAllowed,
    };

    struct Limits
    {
        int decimalPlaces = 0; // 0..15
        int maxIntegerDigits = 12; // digits before the point; leading zeros do not count
        bool allowNegative = true;
    };

    // A number as digit strings: integerDigits without leading zeros ("0" for none),
    // fractionDigits as written (may be empty or carry trailing zeros).
    struct Number
    {
        bool negative = false;
        QString integerDigits = QStringLiteral("0");
        QString fractionDigits;

        bool isZero() const;
    };

    // Reads a complete value. Blanks around it are ignored, "," group separators are ignored,
    // an optional leading "+" or "-", "." as decimal point, and the exponent form of general
    // number text ("1.5E+3") are accepted. Empty text is NotANumber.
    static Problem parse(const QString &text, Number *out);

    // Brings a parsed number within the limits: extra decimals are rounded half away from zero
    // (so a value with more decimals than the box shows is taken as the box would show it); too
    // many integer digits (also after rounding up) or a refused sign answer the problem and leave
    // the number as it was.
    static Problem fit(Number *number, const Limits &limits);

    // Display text: the given decimals (all of them when fixed, trailing zeros dropped otherwise),
    // "," between groups of three integer digits when groups is true. Zero is never "-0".
    static QString format(const Number &number, int decimalPlaces, bool fixed, bool groups);

    // Whether a text could be on its way to a valid value while the user types:
    // "", "-", "12.", "1,23" are fine; "1a", "1.2.3", too many digits are not.
    static Problem checkTyping(const QString &text, const Limits &limits);

    // The message shown when a value or a keystroke is refused, in the program's words.
    static QString message(Problem problem, const Limits &limits);
};
