// The input panel's pure rules: the date checks, the statistics text, the window geometry and the
// keyboard dispatcher with the program's empty tables.

#include "rate/datechecks.h"
#include "rate/keycommands.h"
#include "rate/querystats.h"
#include "rate/ratelayout.h"
#include "rate/ratevalue.h"

#include "../common/fakeservices.h"

#include <QObject>
#include <QTest>

class Host : public QObject
{
    Q_OBJECT
public:
    QStringList ran;
public slots:
    void Data_Query() { ran << QStringLiteral("Data_Query"); }
    void Data_Find() { ran << QStringLiteral("Data_Find"); }
    void Data_Exit() { ran << QStringLiteral("Data_Exit"); }
    void Data_Print() { ran << QStringLiteral("Data_Print"); }
};

class TstRateInput : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void init() { Platform::systemServices().currentYear = 2026; }
    void cleanup()
    {
        Platform::systemServices().currentYear = 0;
        KeyCommand::tables().KeyCodes = {};
        KeyCommand::tables().KeyEnabled = {};
        KeyCommand::tables().CommandHost = nullptr;
    }

    void date_data();
    void date();
    void yearMonth_data();
    void yearMonth();
    void period_data();
    void period();
    void windowFollowsTheClock();

    void rateFields_data();
    void rateFields();
    void countAndSeconds_data();
    void countAndSeconds();
    void statisticsText();

    void resizeRules();
    void collapsedMainPanel();
    void centredFrame();
    void slideStep_data();
    void slideStep();

    void emptyTablesRunNothing();
    void filledTablesPickByModifier();
};

void TstRateInput::date_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("leap 2000") << "2000/02/29" << true;
    QTest::newRow("leap 2024") << "2024/02/29" << true;
    QTest::newRow("not leap 2023") << "2023/02/29" << false;
    QTest::newRow("april 31") << "2023/04/31" << false;
    QTest::newRow("month 13") << "2023/13/01" << false;
    QTest::newRow("month 00") << "2023/00/10" << false;
    QTest::newRow("day 00") << "2023/01/00" << false;
    QTest::newRow("dashes") << "2023-01-01" << false;
    QTest::newRow("short parts") << "2023/1/1" << false;
    QTest::newRow("100 years back") << "1926/01/01" << false;
    QTest::newRow("99 years back") << "1927/01/01" << true;
    QTest::newRow("100 years on") << "2126/01/01" << false;
    QTest::newRow("99 years on") << "2125/12/31" << true;
    QTest::newRow("blanks around") << "  2024/12/31 " << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters") << "20a4/01/01" << false;
    QTest::newRow("sign in year") << "+202/01/01" << false;
    QTest::newRow("letters in day") << "2024/01/0x" << false;
    QTest::newRow("dot separator") << "2024.01.01" << false;
    QTest::newRow("eleven chars") << "2024/01/011" << false;
    QTest::newRow("december 31") << "2023/12/31" << true;
    QTest::newRow("mask only") << "    /  /  " << false;
}

void TstRateInput::date()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(fnChk_Date(text), ok);
}

void TstRateInput::yearMonth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("january") << "2024/01" << true;
    QTest::newRow("december") << "2024/12" << true;
    QTest::newRow("month 0") << "2024/00" << false;
    QTest::newRow("month 13") << "2024/13" << false;
    QTest::newRow("dash") << "2024-01" << false;
    QTest::newRow("short") << "2024/1" << false;
    QTest::newRow("year out of window") << "1900/01" << false;
}

void TstRateInput::yearMonth()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(fnChk_YearMonth(text), ok);
}

void TstRateInput::period_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("maxDays");
    QTest::addColumn<bool>("ok");
    QTest::newRow("same day") << "2024/05/01"
                              << "2024/05/01" << 0 << true;
    QTest::newRow("from one day after to") << "2000/02/01"
                                           << "2000/01/31" << 0 << false;
    QTest::newRow("a year, no limit") << "2023/01/01"
                                      << "2024/01/01" << 0 << true;
    QTest::newRow("limit reached") << "2024/01/01"
                                   << "2024/01/31" << 30 << true;
    QTest::newRow("limit passed") << "2024/01/01"
                                  << "2024/02/01" << 30 << false;
    QTest::newRow("bad from") << "2024/02/30"
                              << "2024/03/01" << 0 << false;
    QTest::newRow("bad to") << "2024/01/01"
                            << "2024/1/31" << 0 << false;
    QTest::newRow("empty") << ""
                           << "" << 0 << false;
}

void TstRateInput::period()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, maxDays);
    QFETCH(bool, ok);
    QCOMPARE(fnChk_Period(from, to, maxDays), ok);
}

void TstRateInput::windowFollowsTheClock()
{
    Platform::systemServices().currentYear = 2030;
    QVERIFY(!fnChk_Date(QStringLiteral("1930/06/01")));
    QVERIFY(fnChk_Date(QStringLiteral("1931/06/01")));
    QVERIFY(fnChk_Date(QStringLiteral("2129/06/01")));
}

void TstRateInput::rateFields_data()
{
    // what the backends hand back for a rate column, and what other programs may have stored
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal") << "1234.56" << true << 1234.56;
    QTest::newRow("integer") << "22000" << true << 22000.0;
    QTest::newRow("negative") << "-0.05" << true << -0.05;
    QTest::newRow("padded") << " 12.5 " << true << 12.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("exponent as stored by the embedded database") << "1.0e-05" << true << 1e-05;
    QTest::newRow("upper-case exponent") << "2.5E+03" << true << 2500.0;
    QTest::newRow("NULL reads as empty text") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("text") << "n/a" << false << 0.0;
    QTest::newRow("digits then text") << "12abc" << false << 0.0;
    QTest::newRow("grouped digits are not a stored number") << "1,234" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("not a number") << "nan" << false << 0.0;
    QTest::newRow("overflow") << "1e400" << false << 0.0;
}

void TstRateInput::rateFields()
{
    QFETCH(QString, field);
    QFETCH(bool, number);
    QFETCH(double, value);
    double got = -1;
    QCOMPARE(RateValue::parse(field, &got), number);
    QCOMPARE(got, value);
}

void TstRateInput::countAndSeconds_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("rounded down") << 0.04 << "0";
    QTest::newRow("one decimal") << 1.25 << "1.3";
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("thousands") << 1234.56 << "1,234.6";
}

void TstRateInput::countAndSeconds()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(QueryStats::secondsText(seconds), text);
    QCOMPARE(QueryStats::countText(0), QStringLiteral("0"));
    QCOMPARE(QueryStats::countText(1234), QStringLiteral("1,234"));
    QCOMPARE(QueryStats::countText(1234567), QStringLiteral("1,234,567"));
    QCOMPARE(QueryStats::countText(999), QStringLiteral("999"));
}

void TstRateInput::statisticsText()
{
    const QDateTime at(QDate(2024, 3, 5), QTime(7, 8, 9));
    const QString text =
        QueryStats::text(QStringLiteral("2024/01/01"), QStringLiteral("2024/12/31"), at, 1234, 1234, 2350);
    QCOMPARE(text,
             QStringLiteral("조회기간 : 2024/01/01 ~ 2024/12/31\r\n"
                            "조회일시 : 2024/03/05 07:08:09\r\n"
                            "레코드수 : 1,234 건 (라인수 : 1,234 라인)\r\n"
                            "소요시간 : 2.4초"));
    QVERIFY(!text.endsWith(QStringLiteral("\r\n")));
}

void TstRateInput::resizeRules()
{
    RateLayout::Input in;
    in.clientWidth = 11985;
    in.clientHeight = 9015;
    const RateLayout::Result r = RateLayout::resize(in);
    QCOMPARE(r.panelWidth, 11895.0);
    QCOMPARE(r.imageWidth, 11805.0);
    QCOMPARE(r.mainTop, 1590.0);
    QCOMPARE(r.mainHeight, 9015.0 - 1590 - 45);
    QCOMPARE(r.gridWidth, 11895.0 - 510);
    QCOMPARE(r.collapseLeft, 11895.0 - 255 - 105);
    QCOMPARE(r.expandLeft, r.collapseLeft - 255);
    QCOMPARE(r.alignLeft, r.collapseLeft - 510);

    // 1000 twips wider: both panels and the grid 1000 wider, toggles still 105 from the edge
    in.clientWidth += 1000;
    const RateLayout::Result w = RateLayout::resize(in);
    QCOMPARE(w.panelWidth - r.panelWidth, 1000.0);
    QCOMPARE(w.gridWidth - r.gridWidth, 1000.0);
    QCOMPARE(w.panelWidth - (w.collapseLeft + in.toggleWidth), 105.0);
}

void TstRateInput::collapsedMainPanel()
{
    RateLayout::Input in;
    in.clientWidth = 11985;
    in.clientHeight = 9015;
    const RateLayout::Result open = RateLayout::resize(in);
    in.expanded = false;
    const RateLayout::Result shut = RateLayout::resize(in);
    QCOMPARE(shut.mainTop, 45.0);
    // taller by the former top panel height + 45
    QCOMPARE(shut.mainHeight - open.mainHeight, 1500.0 + 45);
}

void TstRateInput::centredFrame()
{
    QCOMPARE(RateLayout::frameLeft(11895, 10680, false), 135.0);
    QCOMPARE(RateLayout::frameLeft(11895, 10680, true), (11895.0 - 10680) / 2);
}

void TstRateInput::slideStep_data()
{
    QTest::addColumn<double>("full");
    QTest::addColumn<int>("step");
    QTest::newRow("top panel") << 1500.0 << 120;
    QTest::newRow("half down to even") << 1505.0 << 120;
    QTest::newRow("half up to even") << 1515.0 << 122;
    QTest::newRow("rounds") << 1304.0 << 100;
}

void TstRateInput::slideStep()
{
    QFETCH(double, full);
    QFETCH(int, step);
    QCOMPARE(RateLayout::slideStep(full), step);
}

void TstRateInput::emptyTablesRunNothing()
{
    Host host;
    KeyCommand::tables().CommandHost = &host;
    for (int shift : {0, 1, 2, 4, 3}) {
        for (int key = 112; key <= 123; ++key) {
            QCOMPARE(fnKey_Command(key, shift), KeyCommand::NoCommand);
            sbKey_Down(key, shift);
        }
        sbKey_Down(80, shift);
        sbKey_Down(88, shift);
    }
    QVERIFY(host.ran.isEmpty());
}

void TstRateInput::filledTablesPickByModifier()
{
    Host host;
    KeyCommand::tables().CommandHost = &host;
    KeyCommand::tables().KeyCodes[0] = QStringLiteral("113"); // F2 query
    KeyCommand::tables().KeyCodes[1] = QStringLiteral("113"); // Shift+F2 find
    KeyCommand::tables().KeyCodes[9] = QStringLiteral("121"); // F10 print
    KeyCommand::tables().KeyCodes[10] = QStringLiteral("88"); // Alt+X exit
    KeyCommand::tables().KeyCodes[3] = QStringLiteral("abc"); // no number: passed over
    KeyCommand::tables().KeyEnabled.fill(true);

    QCOMPARE(fnKey_Command(113, 0), 0);
    QCOMPARE(fnKey_Command(113, 1), 1);
    QCOMPARE(fnKey_Command(88, 4), 10);
    sbKey_Down(113, 0);
    sbKey_Down(113, 1);
    sbKey_Down(120, 0); // F9 never goes on
    sbKey_Down(80, 2); // Ctrl+P: P itself (no entry) then F10
    sbKey_Down(88, 4);
    QCOMPARE(host.ran,
             (QStringList{QStringLiteral("Data_Query"), QStringLiteral("Data_Find"), QStringLiteral("Data_Print"),
                          QStringLiteral("Data_Exit")}));

    KeyCommand::tables().KeyEnabled[0] = false;
    QCOMPARE(fnKey_Command(113, 0), KeyCommand::NoCommand);
}

QTEST_GUILESS_MAIN(TstRateInput)
#include "tst_rateinput.moc"
