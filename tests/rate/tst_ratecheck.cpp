// The jump test of a save and the period check, without a window or a database.

#include "rate/ratecheck.h"

#include <QTest>

using namespace RateCheck;

class TstRateCheck : public QObject
{
    Q_OBJECT

private slots:
    void jumpBoundaries_data();
    void jumpBoundaries();
    void limitsFromRegistry_data();
    void limitsFromRegistry();
    void saveJumpsPickTheNearestSide();
    void questionText_data();
    void questionText();
    void holidaysFile();
    void neighboursInSeries();
    void periodFindingsTable_data();
    void periodFindingsTable();
};

void TstRateCheck::jumpBoundaries_data()
{
    QTest::addColumn<double>("before");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("asks");
    QTest::newRow("exactly +5%") << 1000.0 << 1050.0 << 5.0 << false;
    QTest::newRow("exactly -5%") << 1000.0 << 950.0 << 5.0 << false;
    QTest::newRow("exactly 5% with cents") << 1156.2 << 1214.01 << 5.0 << false;
    QTest::newRow("a cent past +5%") << 1000.0 << 1050.01 << 5.0 << true;
    QTest::newRow("a cent past -5%") << 1000.0 << 949.99 << 5.0 << true;
    QTest::newRow("typo x10") << 1166.52 << 11665.2 << 5.0 << true;
    QTest::newRow("exactly 2.5% won") << 0.054 << 0.05535 << 2.5 << false;
    QTest::newRow("limit 0 is off") << 1000.0 << 5000.0 << 0.0 << false;
    QTest::newRow("zero against non-zero asks past any limit") << 1000.0 << 0.0 << 500.0 << true;
    QTest::newRow("zero off when the limit is 0") << 1000.0 << 0.0 << 0.0 << false;
    QTest::newRow("stored zero is no reference") << 0.0 << 1000.0 << 5.0 << false;
}

void TstRateCheck::jumpBoundaries()
{
    QFETCH(double, before);
    QFETCH(double, value);
    QFETCH(double, limit);
    QFETCH(bool, asks);
    QCOMPARE(isJump(before, value, limit), asks);
}

void TstRateCheck::limitsFromRegistry_data()
{
    QTest::addColumn<QString>("usd");
    QTest::addColumn<QString>("vnd");
    QTest::addColumn<QString>("krw");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("none set: 5 each") << ""
                                      << ""
                                      << "" << QList<double>{5, 5, 5};
    QTest::newRow("own limits") << "3"
                                << " 7.5 "
                                << "0" << QList<double>{3, 7.5, 0};
    QTest::newRow("garbage and negatives: default") << "abc"
                                                    << "-2"
                                                    << "1e400" << QList<double>{5, 5, 5};
}

void TstRateCheck::limitsFromRegistry()
{
    QFETCH(QString, usd);
    QFETCH(QString, vnd);
    QFETCH(QString, krw);
    QFETCH(QList<double>, expected);
    const Limits l = limitsFrom([&](const QString &name) {
        return name == u"REG_JUMP_USD" ? usd
            : name == u"REG_JUMP_VND"  ? vnd
            : name == u"REG_JUMP_KRW"  ? krw
                                       : QString();
    });
    for (int c = 0; c < CurrencyCount; ++c)
        QCOMPARE(l.percent[size_t(c)], expected[c]);
}

void TstRateCheck::saveJumpsPickTheNearestSide()
{
    Neighbours n;
    n.earlier[0] = Neighbour{QStringLiteral("2024/01/05"), 1156.21};
    n.later[0] = Neighbour{QStringLiteral("2024/01/09"), 1300.0};
    n.later[1] = Neighbour{QStringLiteral("2024/01/09"), 25000.0};
    n.earlier[2] = Neighbour{QStringLiteral("2024/01/05"), 0.054};
    const Limits limits;
    // dollar jumps against the earlier day; dong only against the later one; won is steady
    QList<SaveJump> jumps = saveJumps({1274.15, 20000, 0.0541}, n, limits);
    QCOMPARE(jumps.size(), 2);
    QCOMPARE(jumps[0].currency, 0);
    QCOMPARE(jumps[0].reference.day, QStringLiteral("2024/01/05"));
    QCOMPARE(jumps[1].currency, 1);
    QCOMPARE(jumps[1].reference.day, QStringLiteral("2024/01/09"));
    QCOMPARE(jumps[1].percent, -20.0);
    // within the limit of both neighbours: nothing to ask
    n.later[0].reset();
    QVERIFY(saveJumps({1160.0, 25100, 0.054}, n, limits).isEmpty());
}

void TstRateCheck::questionText_data()
{
    QTest::addColumn<int>("currency");
    QTest::addColumn<double>("reference");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("dollar up")
        << 0 << 1156.21 << 1274.15
        << "미달러 환율이 2024/01/05 의 1,156.21 보다 10.2% 높습니다.\r\n그래도 저장하시겠습니까?";
    QTest::newRow("dong down")
        << 1 << 25000.0 << 20000.0
        << "베트남동 환율이 2024/01/05 의 25,000 보다 20.0% 낮습니다.\r\n그래도 저장하시겠습니까?";
    QTest::newRow("won to zero")
        << 2 << 0.054 << 0.0
        << "한국원화 환율이 2024/01/05 의 0.054000 보다 100.0% 낮습니다.\r\n그래도 저장하시겠습니까?";
}

void TstRateCheck::questionText()
{
    QFETCH(int, currency);
    QFETCH(double, reference);
    QFETCH(double, value);
    QFETCH(QString, text);
    const SaveJump j{currency, {QStringLiteral("2024/01/05"), reference}, value, changePercent(reference, value)};
    QCOMPARE(saveQuestionText({j}), text);
}

void TstRateCheck::holidaysFile()
{
    const QSet<QString> days = parseHolidays(QStringLiteral("# 2024 holidays\r\n2024/01/01\n  2024/02/09 # 설날\n"
                                                            "2024/02/30\n2024-03-01\nabc\n#2024/05/05\n"));
    QCOMPARE(days, (QSet<QString>{QStringLiteral("2024/01/01"), QStringLiteral("2024/02/09")}));
}

void TstRateCheck::neighboursInSeries()
{
    QMap<QString, SeriesDay> s;
    s.insert(QStringLiteral("2024/01/02"), seriesDay({"1000", "20000", "0.05"}, QString()));
    s.insert(QStringLiteral("2024/01/03"), seriesDay({"1100", "0", ""}, QString()));
    s.insert(QStringLiteral("2024/01/04"), seriesDay({"9", "9", "9"}, QStringLiteral("휴일")));
    s.insert(QStringLiteral("2024/01/05"), seriesDay({"1200", "21000", "0.06"}, QString()));
    s.insert(QStringLiteral("2024/01/08"), seriesDay({"1300", "22000", "0.07"}, QString()));
    // the day itself, a holiday, a zero and an empty rate are passed over, each currency apart
    const Neighbours n = neighboursIn(s, QStringLiteral("2024/01/05"));
    QCOMPARE(n.earlier[0]->day, QStringLiteral("2024/01/03"));
    QCOMPARE(n.earlier[1]->day, QStringLiteral("2024/01/02"));
    QCOMPARE(n.earlier[2]->value, 0.05);
    QCOMPARE(n.later[0]->day, QStringLiteral("2024/01/08"));
    // a day between stored days, and one before them all
    QCOMPARE(neighboursIn(s, QStringLiteral("2024/01/06")).earlier[0]->value, 1200.0);
    QVERIFY(!neighboursIn(s, QStringLiteral("2024/01/01")).earlier[0]);
    QCOMPARE(neighboursIn(s, QStringLiteral("2024/01/01")).later[2]->day, QStringLiteral("2024/01/02"));
}

void TstRateCheck::periodFindingsTable_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("rows"); // "day|usd|vnd|krw|remark"
    QTest::addColumn<QStringList>("holidays");
    QTest::addColumn<QStringList>("expected"); // findingColumns joined by "|"

    // 2024/01/01 is a Monday
    QTest::newRow("weekdays only, holidays passed over")
        << "2024/01/01"
        << "2024/01/09" << QStringList{"2024/01/02|1300|24000|0.054|", "2024/01/04|1301|24000|0.054|"}
        << QStringList{"2024/01/01"}
        << QStringList{"2024/01/03|빠진 날짜||||", "2024/01/05|빠진 날짜||||", "2024/01/08|빠진 날짜||||",
                       "2024/01/09|빠진 날짜||||"};
    QTest::newRow("jump against the row before, unsorted input")
        << "2024/01/01"
        << "2024/01/03"
        << QStringList{"2024/01/03|1300|24000|0.054|", "2024/01/01|1300|24000|0.054|", "2024/01/02|13000|24000|0.0567|"}
        << QStringList{}
        << QStringList{"2024/01/02|급변|미달러|1,300.00|13,000.00|+900.0",
                       "2024/01/03|급변|미달러|13,000.00|1,300.00|-90.0"};
    QTest::newRow("exactly the limit is no finding")
        << "2024/01/01"
        << "2024/01/02" << QStringList{"2024/01/01|1000|20000|0.05|", "2024/01/02|1050|19000|0.0525|"} << QStringList{}
        << QStringList{};
    QTest::newRow("holiday rows take no part on either side")
        << "2024/01/01"
        << "2024/01/03"
        << QStringList{"2024/01/01|1300|24000|0.054|", "2024/01/02|0|0|0|신정 휴일", "2024/01/03|1310|24100|0.0541|"}
        << QStringList{} << QStringList{};
    QTest::newRow("zero against a rate, empty rate skipped")
        << "2024/01/01"
        << "2024/01/03"
        << QStringList{"2024/01/01|1300|24000|0.054|", "2024/01/02||24000|0|", "2024/01/03|1300|24000|0.054|"}
        << QStringList{} << QStringList{"2024/01/02|급변|한국원화|0.054000|0.000000|-100.0"};
    QTest::newRow("rows outside the period ignored")
        << "2024/01/06"
        << "2024/01/07" << QStringList{"2024/01/05|1|1|1|", "2024/01/08|9|9|9|"} << QStringList{} << QStringList{};
}

void TstRateCheck::periodFindingsTable()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, holidays);
    QFETCH(QStringList, expected);
    QList<Row> in;
    for (const QString &r : rows) {
        const QStringList f = r.split(QLatin1Char('|'));
        in.append({f[0], {f[1], f[2], f[3]}, f[4]});
    }
    QStringList got;
    for (const Finding &f : periodFindings(from, to, in, QSet<QString>(holidays.begin(), holidays.end()), Limits()))
        got << findingColumns(f).join(QLatin1Char('|'));
    QCOMPARE(got, expected);
}

QTEST_APPLESS_MAIN(TstRateCheck)
#include "tst_ratecheck.moc"
