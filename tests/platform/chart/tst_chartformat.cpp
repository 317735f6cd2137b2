#include "platform/chart/chartformat.h"

#include <QtTest>

class TestChartFormat : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void marks_data();
    void marks();
};

void TestChartFormat::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("grouped, two decimals") << 1234567.891 << "###,###,###,##0.00"
                                           << "1,234,567.89";
    QTest::newRow("grouped, no decimals") << 1234567.5 << "###,###,###,##0"
                                          << "1,234,568";
    QTest::newRow("four decimals") << 0.5 << "###,###,###,##0.0000"
                                   << "0.5000";
    QTest::newRow("small value keeps its leading zero") << 0.04 << "###,###,###,##0.0"
                                                        << "0.0";
    QTest::newRow("negative") << -1234.5 << "#,###,###,##0.00"
                              << "-1,234.50";
    QTest::newRow("negative rounding to zero has no sign") << -0.004 << "0.00"
                                                           << "0.00";
    QTest::newRow("halves round away from zero") << 2.5 << "0"
                                                 << "3";
    QTest::newRow("negative halves round away from zero") << -2.5 << "0"
                                                          << "-3";
    QTest::newRow("percent sign is literal") << 62.111 << "0.00%"
                                             << "62.11%";
    QTest::newRow("percent without decimals") << 99.6 << "0%"
                                              << "100%";
    QTest::newRow("optional decimals drop zeros") << 12.5 << "##0.## %"
                                                  << "12.5 %";
    QTest::newRow("optional decimals all zero") << 12.0 << "#,##0.###"
                                                << "12";
    QTest::newRow("no grouping without comma") << 123456.0 << "0"
                                               << "123456";
    QTest::newRow("zero with #,##0") << 0.0 << "#,##0"
                                     << "0";
    QTest::newRow("exactly a thousand") << 1000.0 << "#,##0"
                                        << "1,000";
    QTest::newRow("billions") << 9876543210.0 << "###,###,###,##0"
                              << "9,876,543,210";
    QTest::newRow("prefix text") << 5.0 << "X: 0"
                                 << "X: 5";
}

void TestChartFormat::numbers()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QTEST(ChartFormat::formatNumber(value, pattern), "text");
}

void TestChartFormat::marks_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("text");
    // the point "미달러" 25 of a series totalling 200, formats of precision "0.00"
    QTest::newRow("0 value") << 0 << "25.00";
    QTest::newRow("1 percent") << 1 << "12.50%";
    QTest::newRow("2 label") << 2 << "미달러";
    QTest::newRow("3 label and percent") << 3 << "미달러 12.50%";
    QTest::newRow("4 label and value") << 4 << "미달러 25.00";
    QTest::newRow("6 percent and total") << 6 << "12.50% / 200.00";
    QTest::newRow("7 label, percent and total") << 7 << "미달러 12.50% / 200.00";
}

void TestChartFormat::marks()
{
    QFETCH(int, style);
    QTEST(ChartFormat::markText(style, QStringLiteral("미달러"), 25, 200, QStringLiteral("###,###,###,##0.00"),
                                QStringLiteral("0.00%")),
          "text");
}

QTEST_APPLESS_MAIN(TestChartFormat)
#include "tst_chartformat.moc"
