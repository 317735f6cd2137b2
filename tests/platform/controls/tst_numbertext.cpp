#include "platform/controls/numbertext.h"

#include <QTest>

using Problem = NumberText::Problem;
Q_DECLARE_METATYPE(NumberText::Problem)

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void valueRoundTrip_data();
    void valueRoundTrip();
    void refusedValue_data();
    void refusedValue();
    void typing_data();
    void typing();
    void messagesNameTheLimit();
};

// text given by the program -> (display, plain value) for a box of the given format
void TestNumberText::valueRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("places");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("plain");

    QTest::newRow("dollar zero from text 0") << "0" << 2 << true << "0.00"
                                             << "0.00";
    QTest::newRow("dollar grid value") << "1234.5" << 2 << true << "1,234.50"
                                       << "1234.50";
    QTest::newRow("dollar grouped input") << "1,234.50" << 2 << true << "1,234.50"
                                          << "1234.50";
    QTest::newRow("dollar rounds half up") << "1.005" << 2 << true << "1.01"
                                           << "1.01";
    QTest::newRow("dollar rounds carry") << "999.995" << 2 << true << "1,000.00"
                                         << "1000.00";
    QTest::newRow("dollar rounds down") << "2.344" << 2 << true << "2.34"
                                        << "2.34";
    QTest::newRow("dong no decimals") << "23456789" << 0 << true << "23,456,789"
                                      << "23456789";
    QTest::newRow("dong rounds .5 away") << "2.5" << 0 << true << "3"
                                         << "3";
    QTest::newRow("won six decimals") << "0.000123" << 6 << true << "0.000123"
                                      << "0.000123";
    QTest::newRow("won zero") << "0" << 6 << true << "0.000000"
                              << "0.000000";
    QTest::newRow("won from general number") << "1.2e-5" << 6 << true << "0.000012"
                                             << "0.000012";
    QTest::newRow("exponent big") << "2.3E+07" << 0 << true << "23,000,000"
                                  << "23000000";
    QTest::newRow("blanks and plus") << "  +17.25 " << 2 << true << "17.25"
                                     << "17.25";
    QTest::newRow("leading zeros") << "000123.4" << 2 << true << "123.40"
                                   << "123.40";
    QTest::newRow("point first") << ".5" << 2 << true << "0.50"
                                 << "0.50";
    QTest::newRow("negative") << "-1234.5" << 2 << true << "-1,234.50"
                              << "-1234.50";
    QTest::newRow("negative rounding to zero") << "-0.001" << 2 << true << "0.00"
                                               << "0.00";
    QTest::newRow("not fixed trims zeros") << "12.500" << 3 << false << "12.5"
                                           << "12.5";
    QTest::newRow("not fixed whole") << "12.000" << 3 << false << "12"
                                     << "12";
    QTest::newRow("twelve digits fit") << "999999999999" << 0 << true << "999,999,999,999"
                                       << "999999999999";
}

void TestNumberText::valueRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(int, places);
    QFETCH(bool, fixed);
    QFETCH(QString, display);
    QFETCH(QString, plain);

    NumberText::Number n;
    QCOMPARE(NumberText::parse(text, &n), Problem::None);
    NumberText::Limits limits;
    limits.decimalPlaces = places;
    QCOMPARE(NumberText::fit(&n, limits), Problem::None);
    QCOMPARE(NumberText::format(n, places, fixed, true), display);
    QCOMPARE(NumberText::format(n, places, fixed, false), plain);

    // the display text read back gives the same value again
    NumberText::Number again;
    QCOMPARE(NumberText::parse(display, &again), Problem::None);
    QCOMPARE(NumberText::fit(&again, limits), Problem::None);
    QCOMPARE(NumberText::format(again, places, fixed, false), plain);
}

void TestNumberText::refusedValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxDigits");
    QTest::addColumn<bool>("allowNegative");
    QTest::addColumn<NumberText::Problem>("problem");

    QTest::newRow("empty") << "" << 12 << true << Problem::NotANumber;
    QTest::newRow("blank") << "   " << 12 << true << Problem::NotANumber;
    QTest::newRow("letters") << "abc" << 12 << true << Problem::NotANumber;
    QTest::newRow("digits then letter") << "12a" << 12 << true << Problem::NotANumber;
    QTest::newRow("two points") << "1.2.3" << 12 << true << Problem::NotANumber;
    QTest::newRow("sign in middle") << "12-3" << 12 << true << Problem::NotANumber;
    QTest::newRow("comma in decimals") << "1.2,3" << 12 << true << Problem::NotANumber;
    QTest::newRow("lonely point") << "." << 12 << true << Problem::NotANumber;
    QTest::newRow("lonely sign") << "-" << 12 << true << Problem::NotANumber;
    QTest::newRow("exponent without digits") << "1e" << 12 << true << Problem::NotANumber;
    QTest::newRow("exponent absurd") << "1e999" << 12 << true << Problem::NotANumber;
    QTest::newRow("thirteen digits") << "1234567890123" << 12 << true << Problem::TooManyIntegerDigits;
    QTest::newRow("rounding overflows") << "999999999999.999" << 12 << true << Problem::TooManyIntegerDigits;
    QTest::newRow("exponent too big") << "1E+12" << 12 << true << Problem::TooManyIntegerDigits;
    QTest::newRow("small limit") << "100000" << 5 << true << Problem::TooManyIntegerDigits;
    QTest::newRow("negative refused") << "-5" << 12 << false << Problem::NegativeNotAllowed;
    QTest::newRow("full width digits") << QString::fromUtf8("１２") << 12 << true << Problem::NotANumber;
}

void TestNumberText::refusedValue()
{
    QFETCH(QString, text);
    QFETCH(int, maxDigits);
    QFETCH(bool, allowNegative);
    QFETCH(NumberText::Problem, problem);

    NumberText::Limits limits;
    limits.decimalPlaces = 2;
    limits.maxIntegerDigits = maxDigits;
    limits.allowNegative = allowNegative;
    NumberText::Number n;
    n.integerDigits = QStringLiteral("42");
    NumberText::Problem p = NumberText::parse(text, &n);
    if (p == Problem::None)
        p = NumberText::fit(&n, limits);
    QCOMPARE(p, problem);
    if (problem != Problem::NotANumber)
        return;
    // a refused text leaves the number untouched
    QCOMPARE(n.integerDigits, QStringLiteral("42"));
}

void TestNumberText::typing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("places");
    QTest::addColumn<NumberText::Problem>("problem");

    QTest::newRow("nothing yet") << "" << 2 << Problem::None;
    QTest::newRow("sign only") << "-" << 2 << Problem::None;
    QTest::newRow("point pending") << "12." << 2 << Problem::None;
    QTest::newRow("grouped") << "1,234.5" << 2 << Problem::None;
    QTest::newRow("all decimals") << "1.25" << 2 << Problem::None;
    QTest::newRow("one decimal too many") << "1.255" << 2 << Problem::TooManyDecimals;
    QTest::newRow("point pending in whole box") << "12." << 0 << Problem::None;
    QTest::newRow("digit after the point in whole box") << "12.5" << 0 << Problem::NoDecimalsAllowed;
    QTest::newRow("letter") << "1x" << 2 << Problem::NotANumber;
    QTest::newRow("second point") << "1.2." << 2 << Problem::NotANumber;
    QTest::newRow("late sign") << "1-" << 2 << Problem::NotANumber;
    QTest::newRow("blank inside") << "1 2" << 2 << Problem::NotANumber;
    QTest::newRow("twelve digits") << "123456789012" << 2 << Problem::None;
    QTest::newRow("thirteenth digit") << "1234567890123" << 2 << Problem::TooManyIntegerDigits;
    QTest::newRow("leading zeros do not count") << "0000000000001" << 2 << Problem::None;
    QTest::newRow("exponent not typed") << "1e5" << 2 << Problem::NotANumber;
}

void TestNumberText::typing()
{
    QFETCH(QString, text);
    QFETCH(int, places);
    QFETCH(NumberText::Problem, problem);
    NumberText::Limits limits;
    limits.decimalPlaces = places;
    QCOMPARE(NumberText::checkTyping(text, limits), problem);
}

void TestNumberText::messagesNameTheLimit()
{
    NumberText::Limits limits;
    limits.decimalPlaces = 6;
    limits.maxIntegerDigits = 9;
    QVERIFY(NumberText::message(Problem::TooManyIntegerDigits, limits).contains(QStringLiteral("9자리")));
    QVERIFY(NumberText::message(Problem::TooManyDecimals, limits).contains(QStringLiteral("6자리")));
    QVERIFY(!NumberText::message(Problem::NotANumber, limits).isEmpty());
    QVERIFY(NumberText::message(Problem::None, limits).isEmpty());
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
