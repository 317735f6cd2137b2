#include "platform/spread/spreadnumber.h"
#include "platform/spread/spreadunits.h"

#include <QtTest>

#include <cfloat>
#include <cmath>

class TstSpreadNumber : public QObject
{
    Q_OBJECT

private slots:
    void format_data();
    void format();
    void plain_data();
    void plain();
    void parse_data();
    void parse();
    void widthUnits_data();
    void widthUnits();
    void heightUnits_data();
    void heightUnits();
};

void TstSpreadNumber::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("groups");
    QTest::addColumn<QString>("expected");
    QTest::newRow("dollar rate") << 1234.5 << 2 << true << "1,234.50";
    QTest::newRow("dong rate") << 1234567.0 << 0 << true << "1,234,567";
    QTest::newRow("won rate six decimals") << 0.0541234 << 6 << true << "0.054123";
    QTest::newRow("no groups") << 1234567.891 << 2 << false << "1234567.89";
    QTest::newRow("negative grouped") << -9876543.21 << 2 << true << "-9,876,543.21";
    QTest::newRow("half rounds away from zero") << 1.005 << 2 << true << "1.01";
    QTest::newRow("negative half") << -2.5 << 0 << true << "-3";
    QTest::newRow("tiny negative is zero") << -0.001 << 2 << true << "0.00";
    QTest::newRow("three digits no separator") << 999.0 << 0 << true << "999";
    QTest::newRow("exactly thousand") << 1000.0 << 0 << true << "1,000";
    QTest::newRow("decimals clamped to six") << 1.123456789 << 9 << true << "1.123457";
    QTest::newRow("negative decimals as zero") << 12.7 << -1 << true << "13";
    // large stored values in full: no step pushed onto a value whose units are coarse
    QTest::newRow("1e13 two decimals") << 1e13 << 2 << true << "10,000,000,000,000.00";
    QTest::newRow("1e12 and a cent") << 1000000000000.01 << 2 << true << "1,000,000,000,000.01";
    QTest::newRow("a cent as the 16th digit") << 10000000000000.01 << 2 << true << "10,000,000,000,000.00";
    QTest::newRow("1e15 two decimals") << 1e15 << 2 << true << "1,000,000,000,000,000.00";
    QTest::newRow("-1e15 no decimals") << -1e15 << 0 << true << "-1,000,000,000,000,000";
    // digits past the 15th significant one are a double's binary noise, never shown
    QTest::newRow("half below 2^52") << 4503599627370495.5 << 0 << true << "4,503,599,627,370,500";
    QTest::newRow("2^52 + 1") << 4503599627370497.0 << 0 << true << "4,503,599,627,370,500";
    QTest::newRow("1e20 six decimals") << 1e20 << 6 << true << "100,000,000,000,000,000,000.000000";
    QTest::newRow("largest double") << DBL_MAX << 0 << true << "179,769,313,486,232" + QString(",000").repeated(98);
    QTest::newRow("inf") << HUGE_VAL << 2 << true << "";
    QTest::newRow("nan") << std::nan("") << 2 << true << "";
}

void TstSpreadNumber::format()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(bool, groups);
    QFETCH(QString, expected);
    QCOMPARE(SpreadNumber::format(value, decimals, QLatin1Char('.'), QLatin1Char(','), groups), expected);
}

void TstSpreadNumber::plain_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two decimals") << 1234.5 << 2 << "1234.50";
    QTest::newRow("none") << 1234567.4 << 0 << "1234567";
    QTest::newRow("negative") << -0.125 << 2 << "-0.13";
    QTest::newRow("not a number") << std::nan("") << 2 << "";
}

void TstSpreadNumber::plain()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(SpreadNumber::plain(value, decimals), expected);
}

void TstSpreadNumber::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimalChar");
    QTest::addColumn<QString>("groupChar");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "1234.5"
                           << "."
                           << "," << true << 1234.5;
    QTest::newRow("grouped") << "1,234,567.25"
                             << "."
                             << "," << true << 1234567.25;
    QTest::newRow("blanks around") << "  42 "
                                   << "."
                                   << "," << true << 42.0;
    QTest::newRow("negative") << "-0.5"
                              << "."
                              << "," << true << -0.5;
    QTest::newRow("plus sign") << "+7"
                               << "."
                               << "," << true << 7.0;
    QTest::newRow("comma decimal") << "1.234,5"
                                   << ","
                                   << "." << true << 1234.5;
    QTest::newRow("empty") << ""
                           << "."
                           << "," << false << 0.0;
    QTest::newRow("letters") << "12a"
                             << "."
                             << "," << false << 0.0;
    QTest::newRow("two points") << "1.2.3"
                                << "."
                                << "," << false << 0.0;
    QTest::newRow("group after point") << "1.234,5"
                                       << "."
                                       << "," << false << 0.0;
    QTest::newRow("leading separator") << ",123"
                                       << "."
                                       << "," << false << 0.0;
    QTest::newRow("sign only") << "-"
                               << "."
                               << "," << false << 0.0;
    QTest::newRow("sign inside") << "12-3"
                                 << "."
                                 << "," << false << 0.0;
    QTest::newRow("fullwidth digits") << QString::fromUtf8("１２") << "."
                                      << "," << false << 0.0;
    QTest::newRow("exponent refused") << "1e5"
                                      << "."
                                      << "," << false << 0.0;
}

void TstSpreadNumber::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, decimalChar);
    QFETCH(QString, groupChar);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto v = SpreadNumber::parse(text, decimalChar.at(0), groupChar.at(0));
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, value);
}

void TstSpreadNumber::widthUnits_data()
{
    QTest::addColumn<double>("units");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<double>("reported");
    QTest::newRow("row-number column 4") << 4.0 << 33 << 4.0;
    QTest::newRow("date column 10") << 10.0 << 81 << 10.0;
    QTest::newRow("fraction rounds to pixels") << 10.62 << 86 << 10.625;
    QTest::newRow("swatch 2.5") << 2.5 << 21 << 2.5;
    QTest::newRow("zero collapses") << 0.0 << 0 << 0.0;
    QTest::newRow("negative collapses") << -3.0 << 0 << 0.0;
}

void TstSpreadNumber::widthUnits()
{
    QFETCH(double, units);
    QFETCH(int, pixels);
    QFETCH(double, reported);
    QCOMPARE(SpreadUnits::widthToPixels(units), pixels);
    QCOMPARE(SpreadUnits::pixelsToWidth(pixels), reported);
}

void TstSpreadNumber::heightUnits_data()
{
    QTest::addColumn<double>("units");
    QTest::addColumn<int>("pixels");
    QTest::newRow("data row 10.22") << 10.22 << 16;
    QTest::newRow("single header 21.077") << 21.077 << 33;
    QTest::newRow("summary 13.63") << 13.63 << 21;
    QTest::newRow("summary with bar 11.59") << 11.59 << 18;
    QTest::newRow("never below one pixel") << 0.1 << 1;
}

void TstSpreadNumber::heightUnits()
{
    QFETCH(double, units);
    QFETCH(int, pixels);
    QCOMPARE(SpreadUnits::heightToPixels(units), pixels);
}

QTEST_APPLESS_MAIN(TstSpreadNumber)
#include "tst_spreadnumber.moc"
