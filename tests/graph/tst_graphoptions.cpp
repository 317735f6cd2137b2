#include "graph/graphdataset.h"
#include "graph/graphoptions.h"
#include "platform/chart/chartformat.h"

#include <QtTest>

using Roles = QList<int>;

class TstGraphOptions : public QObject
{
    Q_OBJECT
private slots:
    void pieFill_data();
    void pieFill();
    void pageSize_data();
    void pageSize();
    void scrollRange_data();
    void scrollRange();
    void scrollStep_data();
    void scrollStep();
    void zoom_data();
    void zoom();
    void axisMax_data();
    void axisMax();
    void valueLabelContents_data();
    void valueLabelContents();
    void valueLabelList();
    void valuePrecision_data();
    void valuePrecision();
    void presets_data();
    void presets();
    void readout_data();
    void readout();
    void clickTopRow_data();
    void clickTopRow();
    void pageTexts();
};

void TstGraphOptions::pieFill_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<Roles>("roles");
    QTest::addColumn<double>("others");
    QTest::addColumn<QString>("note");

    const QString small = QStringLiteral("비율이 1% 이하인 값은 기타로 표시");
    const QString hidden = QStringLiteral("0 이거나 0 보다 작은값은 표시 않됨");
    QTest::newRow("small share into others")
        << QList<double>{50, 30, 0.5} << Roles{PieSlice, PieSlice, PieOthers} << 0.5 << small;
    QTest::newRow("zero and negative not shown")
        << QList<double>{10, -5, 0} << Roles{PieSlice, PieNotShown, PieNotShown} << 0.0 << hidden;
    QTest::newRow("both notes") << QList<double>{500, 1, -1} << Roles{PieSlice, PieOthers, PieNotShown} << 1.0
                                << small + QStringLiteral(", ") + hidden;
    QTest::newRow("ratio exactly one is a slice")
        << QList<double>{99, 1} << Roles{PieSlice, PieSlice} << 0.0 << QString();
    QTest::newRow("all negative drawn") << QList<double>{-3, -1} << Roles{PieSlice, PieSlice} << 0.0 << QString();
    QTest::newRow("zero total shows nothing")
        << QList<double>{5, -5} << Roles{PieNotShown, PieNotShown} << 0.0 << hidden;
    QTest::newRow("several small summed")
        << QList<double>{1000, 2, 3} << Roles{PieSlice, PieOthers, PieOthers} << 5.0 << small;
}

void TstGraphOptions::pieFill()
{
    QFETCH(QList<double>, values);
    QFETCH(Roles, roles);
    QFETCH(double, others);
    QFETCH(QString, note);
    double total = 0;
    for (double v : values)
        total += v;
    QVector<double> ratios;
    for (double v : values)
        ratios.append(GraphData::ratio(v, total));
    const PieFill f = GraphOptions::pieFill(values, ratios, total);
    QCOMPARE(f.roles.size(), roles.size());
    for (int i = 0; i < roles.size(); ++i)
        QCOMPARE(int(f.roles.at(i)), roles.at(i));
    QCOMPARE(f.othersSum, others);
    QCOMPARE(f.hasOthers, others != 0.0);
    QCOMPARE(f.note, note);
    if (!note.isEmpty())
        QCOMPARE(GraphOptions::pieNoteText(f.note), QStringLiteral("※ [주] : ") + note);
}

void TstGraphOptions::pageSize_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("result");
    QTest::newRow("capped at 1000") << 2000 << 2000 << 1000;
    QTest::newRow("12 items, 15 asked") << 15 << 12 << 12;
    QTest::newRow("below one") << 0 << 12 << 1;
    QTest::newRow("negative") << -4 << 2000 << 1;
    QTest::newRow("exactly 1000 items") << 1500 << 1000 << 1000;
    QTest::newRow("1001 items, 15") << 15 << 1001 << 15;
    QTest::newRow("no items") << 15 << 0 << 1;
}

void TstGraphOptions::pageSize()
{
    QFETCH(int, n);
    QFETCH(int, count);
    QFETCH(int, result);
    QCOMPARE(GraphOptions::clampPageSize(n, count), result);
}

void TstGraphOptions::scrollRange_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("largeChange");
    QTest::addColumn<bool>("zoom");
    QTest::newRow("fits on one page") << int(ChartControl::Bar) << 12 << 12 << 0 << 0 << true;
    QTest::newRow("scrolls by points") << int(ChartControl::Line) << 15 << 100 << 85 << 15 << true;
    QTest::newRow("pie in degrees") << int(ChartControl::Pie) << 0 << 100 << 359 << 45 << false;
}

void TstGraphOptions::scrollRange()
{
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(int, count);
    QFETCH(int, maximum);
    QFETCH(int, largeChange);
    QFETCH(bool, zoom);
    const GraphScrollRange r = GraphOptions::scrollRange(type, n, count);
    QCOMPARE(r.minimum, 0);
    QCOMPARE(r.maximum, maximum);
    QCOMPARE(r.largeChange, largeChange);
    QCOMPARE(r.zoomEnabled, zoom);
    QCOMPARE(r.resetValue, type == ChartControl::Pie);
}

void TstGraphOptions::scrollStep_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("result");
    // range 0..85, step 15
    QTest::newRow("first") << 0 << 40 << 0;
    QTest::newRow("page left") << 1 << 40 << 25;
    QTest::newRow("page left stops at 0") << 1 << 10 << 0;
    QTest::newRow("one left") << 2 << 40 << 39;
    QTest::newRow("one left at 0") << 2 << 0 << 0;
    QTest::newRow("one right") << 3 << 40 << 41;
    QTest::newRow("one right at end") << 3 << 85 << 85;
    QTest::newRow("page right stops at end") << 4 << 80 << 85;
    QTest::newRow("last") << 5 << 3 << 85;
    QTest::newRow("other button") << 9 << 3 << 3;
}

void TstGraphOptions::scrollStep()
{
    QFETCH(int, button);
    QFETCH(int, value);
    QFETCH(int, result);
    QCOMPARE(GraphOptions::scrollStepValue(button, value, 0, 85, 15), result);
    QCOMPARE(GraphOptions::scrollRepeats(button), button >= 1 && button <= 4);
    QCOMPARE(GraphOptions::pageStep(ChartControl::Pie, 15), 45);
    QCOMPARE(GraphOptions::pageStep(ChartControl::Bar, 15), 15);
}

void TstGraphOptions::zoom_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("result");
    QTest::newRow("fewer") << 6 << 15 << 100 << 14;
    QTest::newRow("fewer at one") << 6 << 1 << 100 << -1;
    QTest::newRow("more") << 7 << 15 << 100 << 16;
    QTest::newRow("more at all") << 7 << 12 << 12 << -1;
}

void TstGraphOptions::zoom()
{
    QFETCH(int, button);
    QFETCH(int, n);
    QFETCH(int, count);
    QFETCH(int, result);
    QCOMPARE(GraphOptions::zoomTarget(button, n, count), result);
    QVERIFY(GraphOptions::scrollRepeats(button));
}

void TstGraphOptions::axisMax_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("labels");
    QTest::addColumn<double>("max");
    QTest::newRow("line with labels") << int(ChartControl::Line) << true << 1040.0;
    QTest::newRow("line without labels") << int(ChartControl::Line) << false << 1000.0;
    QTest::newRow("bar with labels") << int(ChartControl::Bar) << true << 1000.0;
}

void TstGraphOptions::axisMax()
{
    QFETCH(int, type);
    QFETCH(bool, labels);
    QFETCH(double, max);
    QCOMPARE(GraphOptions::axisMax(type, labels, 1000), max);
    QCOMPARE(GraphOptions::labelAngle(4), 0);
    QCOMPARE(GraphOptions::labelAngle(5), 90);
}

// The words of a cboValueType item say what its label shows: "X값" the point's label, "Y값" its value,
// "Y비율" its share of the total, "Y합계" the total. Each item's style code must make the chart's
// mark show exactly that.
void TstGraphOptions::valueLabelContents_data()
{
    QTest::addColumn<int>("index");
    const QStringList items = GraphOptions::valueTypeItems();
    for (int i = 0; i < items.size(); ++i)
        QTest::addRow("%s", qPrintable(items.at(i))) << i;
}

void TstGraphOptions::valueLabelContents()
{
    QFETCH(int, index);
    const QString item = GraphOptions::valueTypeItems().at(index);
    const QStringList words = item.split(u' ');
    for (const QString &w : words)
        QVERIFY2(QStringList({"X값", "Y값", "Y비율", "Y합계"}).contains(w), qPrintable(item));

    // a point of 250 out of 1,000 labelled "가나": value 250.00, share 25.00%, total 1,000.00
    const int code = GraphOptions::markStyleCode(index);
    QVERIFY(code >= 0);
    const QString mark = ChartFormat::markText(code, QStringLiteral("가나"), 250, 1000, GraphOptions::valueFormat(2),
                                               GraphOptions::percentFormat(2));
    QCOMPARE(mark.contains(QStringLiteral("가나")), words.contains(QStringLiteral("X값")));
    QCOMPARE(mark.contains(QStringLiteral("250.00")), words.contains(QStringLiteral("Y값")));
    QCOMPARE(mark.contains(QStringLiteral("25.00%")), words.contains(QStringLiteral("Y비율")));
    QCOMPARE(mark.contains(QStringLiteral("1,000.00")), words.contains(QStringLiteral("Y합계")));
}

void TstGraphOptions::valueLabelList()
{
    // seven different contents; an index outside the list changes nothing
    const QStringList items = GraphOptions::valueTypeItems();
    QCOMPARE(items.size(), 7);
    QCOMPARE(QSet<QString>(items.begin(), items.end()).size(), 7);
    QSet<int> codes;
    for (int i = 0; i < items.size(); ++i)
        codes.insert(GraphOptions::markStyleCode(i));
    QCOMPARE(codes.size(), 7);
    QCOMPARE(GraphOptions::markStyleCode(-1), -1);
    QCOMPARE(GraphOptions::markStyleCode(int(items.size())), -1);
}

// cboValueRatio item d is the precision d (0 to 4 decimals): the item, the value format and the
// percent format each write a number with d decimals; the value format groups thousands, the
// percent format ends in "%".
void TstGraphOptions::valuePrecision_data()
{
    QTest::addColumn<int>("decimals");
    for (int d = 0; d <= 4; ++d)
        QTest::addRow("%d decimals", d) << d;
}

void TstGraphOptions::valuePrecision()
{
    QFETCH(int, decimals);
    const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(GraphOptions::valueRatioItems().size(), 5);
    QCOMPARE(ChartFormat::formatNumber(1234.56789, GraphOptions::valueRatioItems().at(decimals)),
             QString::number(1234.56789, 'f', decimals));
    QCOMPARE(ChartFormat::formatNumber(1234567.891, GraphOptions::valueFormat(decimals)),
             grouped.toString(1234567.891, 'f', decimals));
    QCOMPARE(ChartFormat::formatNumber(12.34567, GraphOptions::percentFormat(decimals)),
             QString::number(12.34567, 'f', decimals) + u'%');
    QVERIFY(GraphOptions::valueFormat(5).isEmpty());
    QVERIFY(GraphOptions::percentFormat(-1).isEmpty());
}

// The preset of each option button: the cross-hair only where the chart allows it (not on the
// pie); value labels switched on with an item that shows the value, and on the pie, which has no
// axis to read the items from, also the item's label; labels left off keep the chosen item.
void TstGraphOptions::presets_data()
{
    QTest::addColumn<int>("option");
    QTest::newRow("line") << 0;
    QTest::newRow("bar") << 1;
    QTest::newRow("pie") << 2;
}

void TstGraphOptions::presets()
{
    QFETCH(int, option);
    const int type = GraphOptions::typeOfOption(option);
    QCOMPARE(GraphOptions::optionOfType(type), option);
    const GraphPreset p = GraphOptions::preset(type);
    QCOMPARE(p.viewCross, type != ChartControl::Pie);
    if (!p.viewValue) {
        QCOMPARE(p.valueType, -1);
        return;
    }
    QVERIFY(p.valueType >= 0 && p.valueType < GraphOptions::valueTypeItems().size());
    const QStringList words = GraphOptions::valueTypeItems().at(p.valueType).split(u' ');
    QVERIFY(words.contains(QStringLiteral("Y값")));
    QCOMPARE(words.contains(QStringLiteral("X값")), type == ChartControl::Pie);
}

void TstGraphOptions::readout_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("xText");
    QTest::addColumn<QString>("yText");
    QTest::newRow("y longer: x padded") << 1.2 << 1234.4 << 2 << "X: 2     (B)"
                                        << "Y: 1,234 (2,000.50)";
    QTest::newRow("x longer: y padded") << 0.0 << 5.0 << 1 << "X: 1 (A)"
                                        << "Y: 5 (10.00)";
    QTest::newRow("left of the first point") << -3.0 << -20.0 << 1 << "X: 1   (A)"
                                             << "Y: -20 (10.00)";
    QTest::newRow("beyond the last point") << 40.0 << 0.0 << 3 << "X: 3 (가나)"
                                           << "Y: 0 (-1.00)";
}

void TstGraphOptions::readout()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, item);
    QFETCH(QString, xText);
    QFETCH(QString, yText);
    const CrossReadout r = GraphOptions::crossReadout(x, y, {"A", "B", "가나"}, {10, 2000.5, -1});
    QCOMPARE(r.item, item);
    QCOMPARE(r.xText, xText);
    QCOMPARE(r.yText, yText);
    QCOMPARE(GraphOptions::readoutItem(r.xText), item);
    QCOMPARE(GraphOptions::crossReadout(1, 1, {}, {}).item, 0);
    QCOMPARE(GraphOptions::readoutItem(QStringLiteral("X: ()")), 0);
    QCOMPARE(GraphOptions::readoutItem(QStringLiteral("X: 1,234 (a)")), 1234);
}

void TstGraphOptions::clickTopRow_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("result");
    // 100 rows, 20 visible
    QTest::newRow("middle") << 50 << 1 << 50;
    QTest::newRow("near the end") << 95 << 1 << 81;
    QTest::newRow("already there") << 50 << 50 << 0;
    QTest::newRow("no item") << 0 << 1 << 0;
}

void TstGraphOptions::clickTopRow()
{
    QFETCH(int, item);
    QFETCH(int, top);
    QFETCH(int, result);
    QCOMPARE(GraphOptions::clickTopRow(item, 100, 20, top), result);
    QCOMPARE(GraphOptions::clickTopRow(5, 10, 20, 3), 1); // fewer rows than fit
}

void TstGraphOptions::pageTexts()
{
    const GraphPageTexts bar = GraphOptions::pageTexts(ChartControl::Bar, 4, 85, 15);
    QCOMPARE(bar.current, QStringLiteral("5"));
    QCOMPARE(bar.count, QStringLiteral("86"));
    QCOMPARE(bar.perScreen, QStringLiteral("15"));
    const GraphPageTexts pie = GraphOptions::pageTexts(ChartControl::Pie, 90, 359, 15);
    QCOMPARE(pie.current, QStringLiteral("91"));
    QCOMPARE(pie.count, QStringLiteral("360"));
    QVERIFY(pie.perScreen.isEmpty());
    QCOMPARE(GraphOptions::pieStartY(3000, true), 1080.0);
    QCOMPARE(GraphOptions::pieStartY(3000, false), 1500.0);
}

QTEST_GUILESS_MAIN(TstGraphOptions)
#include "tst_graphoptions.moc"
