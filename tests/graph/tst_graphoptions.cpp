#include "graph/graphdataset.h"
#include "graph/graphoptions.h"

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
    void markTables_data();
    void markTables();
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
        ratios.append(fnGraph_Ratio(v, total));
    const PieFill f = fnGraph_PieFill(values, ratios, total);
    QCOMPARE(f.roles.size(), roles.size());
    for (int i = 0; i < roles.size(); ++i)
        QCOMPARE(int(f.roles.at(i)), roles.at(i));
    QCOMPARE(f.othersSum, others);
    QCOMPARE(f.hasOthers, others != 0.0);
    QCOMPARE(f.note, note);
    if (!note.isEmpty())
        QCOMPARE(fnGraph_PieNoteText(f.note), QStringLiteral("※ [주] : ") + note);
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
    QCOMPARE(fnGraph_ClampPageSize(n, count), result);
}

void TstGraphOptions::scrollRange_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("largeChange");
    QTest::addColumn<bool>("zoom");
    QTest::newRow("fits on one page") << int(GraphBar) << 12 << 12 << 0 << 0 << true;
    QTest::newRow("scrolls by points") << int(GraphLine) << 15 << 100 << 85 << 15 << true;
    QTest::newRow("pie in degrees") << int(GraphPie) << 0 << 100 << 359 << 45 << false;
}

void TstGraphOptions::scrollRange()
{
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(int, count);
    QFETCH(int, maximum);
    QFETCH(int, largeChange);
    QFETCH(bool, zoom);
    const GraphScrollRange r = fnGraph_ScrollRange(type, n, count);
    QCOMPARE(r.minimum, 0);
    QCOMPARE(r.maximum, maximum);
    QCOMPARE(r.largeChange, largeChange);
    QCOMPARE(r.zoomEnabled, zoom);
    QCOMPARE(r.resetValue, type == GraphPie);
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
    QCOMPARE(fnGraph_ScrollStepValue(button, value, 0, 85, 15), result);
    QCOMPARE(fnGraph_ScrollRepeats(button), button >= 1 && button <= 4);
    QCOMPARE(fnGraph_PageStep(GraphPie, 15), 45);
    QCOMPARE(fnGraph_PageStep(GraphBar, 15), 15);
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
    QCOMPARE(fnGraph_ZoomTarget(button, n, count), result);
    QVERIFY(fnGraph_ScrollRepeats(button));
}

void TstGraphOptions::axisMax_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("labels");
    QTest::addColumn<double>("max");
    QTest::newRow("line with labels") << int(GraphLine) << true << 1040.0;
    QTest::newRow("line without labels") << int(GraphLine) << false << 1000.0;
    QTest::newRow("bar with labels") << int(GraphBar) << true << 1000.0;
}

void TstGraphOptions::axisMax()
{
    QFETCH(int, type);
    QFETCH(bool, labels);
    QFETCH(double, max);
    QCOMPARE(fnGraph_AxisMax(type, labels, 1000), max);
    QCOMPARE(fnGraph_LabelAngle(4), 0);
    QCOMPARE(fnGraph_LabelAngle(5), 90);
}

void TstGraphOptions::markTables_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("valueFormat");
    QTest::addColumn<QString>("percentFormat");
    QTest::newRow("0") << 0 << 0 << "###,###,###,##0"
                       << "0%";
    QTest::newRow("1") << 1 << 1 << "###,###,###,##0.0"
                       << "0.0%";
    QTest::newRow("2") << 2 << 6 << "###,###,###,##0.00"
                       << "0.00%";
    QTest::newRow("3") << 3 << 2 << "###,###,###,##0.000"
                       << "0.000%";
    QTest::newRow("4") << 4 << 4 << "###,###,###,##0.0000"
                       << "0.0000%";
    QTest::newRow("5") << 5 << 3 << ""
                       << "";
    QTest::newRow("6") << 6 << 7 << ""
                       << "";
    QTest::newRow("outside") << 7 << -1 << ""
                             << "";
    QTest::newRow("negative") << -1 << -1 << ""
                              << "";
}

void TstGraphOptions::markTables()
{
    QFETCH(int, index);
    QFETCH(int, style);
    QFETCH(QString, valueFormat);
    QFETCH(QString, percentFormat);
    QCOMPARE(fnGraph_MarkStyleCode(index), style);
    QCOMPARE(fnGraph_ValueFormat(index), valueFormat);
    QCOMPARE(fnGraph_PercentFormat(index), percentFormat);
    QCOMPARE(fnGraph_ValueTypeItems().size(), 7);
    QCOMPARE(fnGraph_ValueTypeItems().at(6), QStringLiteral("X값 Y비율 Y합계"));
    QCOMPARE(fnGraph_ValueRatioItems(), (QStringList{"0", "0.0", "0.00", "0.000", "0.0000"}));
}

void TstGraphOptions::presets_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<int>("valueType");
    QTest::addColumn<bool>("viewValue");
    QTest::addColumn<bool>("viewCross");
    QTest::newRow("line") << int(GraphLine) << false << -1 << false << true;
    QTest::newRow("bar") << int(GraphBar) << true << 0 << true << true;
    QTest::newRow("pie") << int(GraphPie) << true << 4 << true << false;
}

void TstGraphOptions::presets()
{
    QFETCH(int, type);
    QFETCH(bool, view3D);
    QFETCH(int, valueType);
    QFETCH(bool, viewValue);
    QFETCH(bool, viewCross);
    const GraphPreset p = fnGraph_Preset(type);
    QCOMPARE(p.view3D, view3D);
    QCOMPARE(p.valueType, valueType);
    QCOMPARE(p.viewValue, viewValue);
    QCOMPARE(p.viewCross, viewCross);
    QCOMPARE(fnGraph_TypeOfOption(fnGraph_OptionOfType(type)), type);
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
    const CrossReadout r = fnGraph_CrossReadout(x, y, {"A", "B", "가나"}, {10, 2000.5, -1});
    QCOMPARE(r.item, item);
    QCOMPARE(r.xText, xText);
    QCOMPARE(r.yText, yText);
    QCOMPARE(fnGraph_ReadoutItem(r.xText), item);
    QCOMPARE(fnGraph_CrossReadout(1, 1, {}, {}).item, 0);
    QCOMPARE(fnGraph_ReadoutItem(QStringLiteral("X: ()")), 0);
    QCOMPARE(fnGraph_ReadoutItem(QStringLiteral("X: 1,234 (a)")), 1234);
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
    QCOMPARE(fnGraph_ClickTopRow(item, 100, 20, top), result);
    QCOMPARE(fnGraph_ClickTopRow(5, 10, 20, 3), 1); // fewer rows than fit
}

void TstGraphOptions::pageTexts()
{
    const GraphPageTexts bar = fnGraph_PageTexts(GraphBar, 4, 85, 15);
    QCOMPARE(bar.current, QStringLiteral("5"));
    QCOMPARE(bar.count, QStringLiteral("86"));
    QCOMPARE(bar.perScreen, QStringLiteral("15"));
    const GraphPageTexts pie = fnGraph_PageTexts(GraphPie, 90, 359, 15);
    QCOMPARE(pie.current, QStringLiteral("91"));
    QCOMPARE(pie.count, QStringLiteral("360"));
    QVERIFY(pie.perScreen.isEmpty());
    QCOMPARE(fnGraph_PieStartY(3000, true), 1080.0);
    QCOMPARE(fnGraph_PieStartY(3000, false), 1500.0);
}

QTEST_GUILESS_MAIN(TstGraphOptions)
#include "tst_graphoptions.moc"
