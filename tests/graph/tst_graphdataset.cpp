#include "graph/graphdataset.h"
#include "platform/win/wincolor.h"

#include <QtTest>

using Rows = QList<QStringList>; // each row: columns 1..4 (index 0 = column 1)

namespace {

// A source over a small table; the unformatted value of a cell is its text without separators unless
// `values` holds another one for that row (Y column only).
GraphSource sourceOf(const Rows &rows, const QStringList &values = {})
{
    GraphSource s;
    s.maxRows = int(rows.size());
    s.text = [rows](int col, int row) {
        const QStringList &r = rows.at(row - 1);
        return col >= 1 && col <= r.size() ? r.at(col - 1) : QString();
    };
    s.cellValue = [rows, values](int col, int row) {
        if (row - 1 < values.size() && !values.at(row - 1).isEmpty())
            return values.at(row - 1);
        const QStringList &r = rows.at(row - 1);
        return col >= 1 && col <= r.size() ? QString(r.at(col - 1)).remove(u',') : QString();
    };
    return s;
}

double fixedDraw()
{
    return 0.5;
}

} // namespace

class TstGraphDataSet : public QObject
{
    Q_OBJECT
private slots:
    void gather_data();
    void gather();
    void unformattedValueWins();
    void sortOrder_data();
    void sortOrder();
    void sortLarge();
    void yTitle_data();
    void yTitle();
    void heading_data();
    void heading();
    void ansiBytes_data();
    void ansiBytes();
    void itemColorRanges_data();
    void itemColorRanges();
    void dataSet_data();
    void dataSet();
    void numeric_data();
    void numeric();
    void formats_data();
    void formats();
    void titleRow_data();
    void titleRow();
};

void TstGraphDataSet::gather_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<double>>("values");

    // X in column 1, Y in column 2
    QTest::newRow("equal labels summed") << Rows{{"A", "10"}, {"A", "5"}, {"B", "3"}} << QStringList{"A", "B"}
                                         << QList<double>{15, 3};
    QTest::newRow("labels compared case-sensitively")
        << Rows{{"a", "1"}, {"A", "2"}, {"a", "4"}} << QStringList{"a", "A"} << QList<double>{5, 2};
    QTest::newRow("total row skipped after the first")
        << Rows{{"A", "10"}, {"합계", "10"}, {"B", "2"}} << QStringList{"A", "B"} << QList<double>{10, 2};
    QTest::newRow("first counted row taken even as a total")
        << Rows{{"합계", "7"}, {"A", "1"}, {"소계", "8"}} << QStringList{"합계", "A"} << QList<double>{7, 1};
    QTest::newRow("first counted row is after non-numeric rows")
        << Rows{{"머리", "금액"}, {"총계", "7"}, {"A", "1"}} << QStringList{"총계", "A"} << QList<double>{7, 1};
    QTest::newRow("mark in another column skips the row")
        << Rows{{"A", "1", "", ""}, {"B", "2", "", "월계"}, {"C", "3", "집계", ""}} << QStringList{"A"}
        << QList<double>{1};
    QTest::newRow("commas removed before the number test")
        << Rows{{"A", "1,234"}, {"B", "12,345,678.5"}} << QStringList{"A", "B"} << QList<double>{1234, 12345678.5};
    QTest::newRow("non-numeric rows skipped") << Rows{{"A", ""}, {"B", "abc"}, {"C", "-2.5"}, {"D", "1e2"}}
                                              << QStringList{"C", "D"} << QList<double>{-2.5, 100};
    QTest::newRow("no numeric row gives no items") << Rows{{"A", "x"}, {"B", ""}} << QStringList{} << QList<double>{};
}

void TstGraphDataSet::gather()
{
    QFETCH(Rows, rows);
    QFETCH(QStringList, labels);
    QFETCH(QList<double>, values);
    const GraphItems items = GraphData::gather(sourceOf(rows), 1, 2);
    QCOMPARE(items.labels, labels);
    QCOMPARE(items.values.size(), values.size());
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(items.values.at(i), values.at(i));
}

void TstGraphDataSet::unformattedValueWins()
{
    // the shown text is rounded; the sum takes the cell's own value
    const GraphItems items = GraphData::gather(sourceOf(Rows{{"A", "1,234"}, {"A", "1"}}, {"1234.4", "0.75"}), 1, 2);
    QCOMPARE(items.labels, QStringList{"A"});
    QCOMPARE(items.values.at(0), 1235.15);
}

void TstGraphDataSet::sortOrder_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("case ignored") << QStringList{"b", "A", "c"} << QStringList{"A", "b", "c"};
    QTest::newRow("equal under case keep their order")
        << QStringList{"a", "A", "0", "b"} << QStringList{"0", "a", "A", "b"};
    QTest::newRow("hangul after latin") << QStringList{"나", "가", "Z", "1"} << QStringList{"1", "Z", "가", "나"};
    QTest::newRow("text order for digits") << QStringList{"9", "10", "100"} << QStringList{"10", "100", "9"};
    QTest::newRow("empty") << QStringList{} << QStringList{};
}

void TstGraphDataSet::sortOrder()
{
    QFETCH(QStringList, labels);
    QFETCH(QStringList, sorted);
    QVector<double> values;
    for (int i = 0; i < labels.size(); ++i)
        values.append(i);
    QStringList l = labels;
    sbSort_GraphItems(l, values);
    QCOMPARE(l, sorted);
    // values travel with their labels
    for (int i = 0; i < l.size(); ++i)
        QCOMPARE(labels.at(int(values.at(i))), l.at(i));
}

void TstGraphDataSet::sortLarge()
{
    // a century of days in reverse order: must come back ascending
    QStringList labels;
    QVector<double> values;
    const QDate first(2000, 1, 1);
    for (int i = 36524; i >= 0; --i) {
        labels.append(first.addDays(i).toString(QStringLiteral("yyyy/MM/dd")));
        values.append(i);
    }
    sbSort_GraphItems(labels, values);
    QCOMPARE(labels.size(), 36525);
    QCOMPARE(labels.first(), QStringLiteral("2000/01/01"));
    QCOMPARE(values.last(), 36524.0);
    QVERIFY(std::is_sorted(labels.cbegin(), labels.cend()));
}

void TstGraphDataSet::yTitle_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("addition");
    QTest::addColumn<QString>("title");
    QTest::newRow("no addition") << "USD"
                                 << ""
                                 << "USD";
    QTest::newRow("addition equal to header") << "USD"
                                              << "USD"
                                              << "USD";
    QTest::newRow("addition appended") << "중량"
                                       << "(kg)"
                                       << "중량 (kg)";
}

void TstGraphDataSet::yTitle()
{
    QFETCH(QString, header);
    QFETCH(QString, addition);
    QFETCH(QString, title);
    QCOMPARE(GraphData::yTitle(header, addition), title);
}

void TstGraphDataSet::heading_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("heading");
    QTest::newRow("kg cut") << "업체"
                            << "중량(kg)"
                            << "업체 별 중량";
    QTest::newRow("CR LF removed") << "일자"
                                   << "미국\r\n달러"
                                   << "일자 별 미국달러";
    QTest::newRow("other bracket kept whole") << "일자"
                                              << "금액(원)"
                                              << "일자 별 금액(원)";
    QTest::newRow("plain") << "STD_DATE"
                           << "USD"
                           << "STD_DATE 별 USD";
}

void TstGraphDataSet::heading()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, heading);
    QCOMPARE(GraphData::heading(x, y), heading);
    QCOMPARE(GraphData::caption(QStringLiteral("환율관리 프로그램")), QStringLiteral("Graph [환율관리 프로그램]"));
}

void TstGraphDataSet::ansiBytes_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("bytes");
    QTest::newRow("three hangul syllables") << "가나다" << 6;
    QTest::newRow("ascii") << "2024/01/02" << 10;
    QTest::newRow("mixed") << "A사 1" << 5;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("outside code page") << QString::fromUtf8("\xF0\x9F\x98\x80") << 1;
}

void TstGraphDataSet::ansiBytes()
{
    QFETCH(QString, label);
    QFETCH(int, bytes);
    QCOMPARE(GraphData::ansiBytes(label), bytes);
}

void TstGraphDataSet::itemColorRanges_data()
{
    QTest::addColumn<double>("r1");
    QTest::addColumn<double>("r2");
    QTest::addColumn<double>("r3");
    QTest::addColumn<int>("rgb");
    QTest::newRow("lowest") << 0.0 << 0.0 << 0.0 << WinColor::rgb(50, 50, 0);
    QTest::newRow("just below one") << 0.99999 << 0.99999 << 0.99999 << WinColor::rgb(249, 249, 99);
    QTest::newRow("middle") << 0.5 << 0.25 << 0.5 << WinColor::rgb(150, 100, 50);
}

void TstGraphDataSet::itemColorRanges()
{
    QFETCH(double, r1);
    QFETCH(double, r2);
    QFETCH(double, r3);
    QFETCH(int, rgb);
    QCOMPARE(GraphData::itemColor(r1, r2, r3), rgb);
}

void TstGraphDataSet::dataSet_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("total");
    QTest::addColumn<QList<double>>("ratios");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("min");
    QTest::addColumn<int>("bytes");

    QTest::newRow("A 15 B 3") << QStringList{"A", "B"} << QList<double>{15, 3} << 18.0 << QList<double>{83.33, 16.67}
                              << 15.0 << 0.0 << 1;
    QTest::newRow("all negative") << QStringList{"가", "나다"} << QList<double>{-1, -3} << -4.0 << QList<double>{25, 75}
                                  << 0.0 << -3.0 << 4;
    QTest::newRow("zero total") << QStringList{"a", "b"} << QList<double>{5, -5} << 0.0 << QList<double>{0, 0} << 5.0
                                << -5.0 << 1;
    QTest::newRow("negative item") << QStringList{"x"} << QList<double>{-2} << -2.0 << QList<double>{100} << 0.0 << -2.0
                                   << 1;
    QTest::newRow("empty") << QStringList{} << QList<double>{} << 0.0 << QList<double>{} << 0.0 << 0.0 << 0;
}

void TstGraphDataSet::dataSet()
{
    QFETCH(QStringList, labels);
    QFETCH(QList<double>, values);
    QFETCH(double, total);
    QFETCH(QList<double>, ratios);
    QFETCH(double, max);
    QFETCH(double, min);
    QFETCH(int, bytes);
    int draws = 0;
    const GraphDataSet d = GraphData::makeDataSet(GraphItems{labels, values}, "X", "Y", [&draws] {
        ++draws;
        return fixedDraw();
    });
    QCOMPARE(d.GraphCount, int(labels.size()));
    QCOMPARE(draws, 3 * int(labels.size()));
    QCOMPARE(d.GraphTotal, total);
    QCOMPARE(d.GraphMax, max);
    QCOMPARE(d.GraphMin, min);
    QCOMPARE(d.LabelBytesMax, bytes);
    QCOMPARE(d.GraphRatios.size(), ratios.size());
    QCOMPARE(d.GraphColors.size(), ratios.size());
    for (int i = 0; i < ratios.size(); ++i) {
        QCOMPARE(GraphData::ratioText(d.GraphRatios.at(i)), GraphData::ratioText(ratios.at(i)));
        QCOMPARE(d.GraphColors.at(i), WinColor::rgb(150, 150, 50));
    }
}

void TstGraphDataSet::numeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "12" << true << 12.0;
    QTest::newRow("blanks and sign") << " -3.5 " << true << -3.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("exponent") << "1.5E3" << true << 1500.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "  " << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("letters") << "12a" << false << 0.0;
    QTest::newRow("comma left in") << "1,000" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
}

void TstGraphDataSet::numeric()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    QCOMPARE(GraphData::isNumeric(text), numeric);
    bool ok = !numeric;
    QCOMPARE(GraphData::toDouble(text, &ok), value);
    QCOMPARE(ok, numeric);
}

void TstGraphDataSet::formats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("valueText");
    QTest::addColumn<QString>("ratioText");
    QTest::newRow("thousands") << 1234567.891 << "1,234,567.89"
                               << "1234567.89%";
    QTest::newRow("negative") << -1234.5 << "-1,234.50"
                              << "-1234.50%";
    QTest::newRow("below one") << 0.5 << "0.50"
                               << "0.50%";
    QTest::newRow("zero") << 0.0 << "0.00"
                          << "0.00%";
    QTest::newRow("tiny negative shows no sign") << -0.001 << "0.00"
                                                 << "0.00%";
    QTest::newRow("exact hundreds") << 100.0 << "100.00"
                                    << "100.00%";
}

void TstGraphDataSet::formats()
{
    QFETCH(double, value);
    QFETCH(QString, valueText);
    QFETCH(QString, ratioText);
    QCOMPARE(GraphData::valueText(value), valueText);
    QCOMPARE(GraphData::ratioText(value), ratioText);
    QCOMPARE(GraphData::countText(36525), QStringLiteral("36,525 건"));
    QCOMPARE(GraphData::countText(0), QStringLiteral("0 건"));
}

void TstGraphDataSet::titleRow_data()
{
    QTest::addColumn<int>("headerRows");
    QTest::addColumn<int>("row");
    QTest::newRow("none") << 0 << -1000;
    QTest::newRow("one") << 1 << -1000;
    QTest::newRow("two") << 2 << -999;
    QTest::newRow("three") << 3 << -998;
}

void TstGraphDataSet::titleRow()
{
    QFETCH(int, headerRows);
    QFETCH(int, row);
    QCOMPARE(GraphData::titleRow(headerRows), row);
}

QTEST_GUILESS_MAIN(TstGraphDataSet)
#include "tst_graphdataset.moc"
