#include "platform/spread/spreadgrid.h"

#include <QAbstractItemModelTester>
#include <QTableView>
#include <QtTest>

namespace {

// Data grid shaped like the rate grid, rows filled with recognisable values.
void fillRateGrid(SpreadGrid &grid, int rows)
{
    grid.setColHeaderRows(1);
    grid.setMaxCols(5);
    grid.setRow(-1);
    for (int c = 2; c <= 4; ++c) {
        grid.setCol(c);
        grid.setCellKind(SpreadGrid::KindNumber);
        grid.setNumberDecimals(c == 2 ? 2 : (c == 3 ? 0 : 6));
        grid.setNumberShowGroups(true);
        grid.setHAlign(SpreadGrid::AlignRight);
    }
    grid.setCol(1);
    grid.setCellKind(SpreadGrid::KindStaticText);
    grid.setCol(5);
    grid.setCellKind(SpreadGrid::KindStaticText);
    const char *heads[] = {"NO", "일자", "미달러", "베트남동", "한국원화", "비고"};
    for (int c = 0; c <= 5; ++c)
        grid.SetCellText(c, -1000, QString::fromUtf8(heads[c]));
    grid.setMaxRows(rows);
    for (int r = 1; r <= rows; ++r) {
        grid.SetCellText(1, r, QStringLiteral("2024/05/%1").arg(r, 2, 10, QLatin1Char('0')));
        grid.SetCellText(2, r, QString::number(1300 + r * 10.5));
        grid.SetCellText(3, r, QString::number(24000 + r * 100));
        grid.SetCellText(4, r, QString::number(0.05 + r / 10000.0, 'f', 6));
        grid.SetCellText(5, r, r % 2 ? QStringLiteral("Remark %1").arg(r) : QStringLiteral("비고 %1").arg(r));
    }
}

// Everything a reader of the grid can see: texts, values, looks, heights and merged blocks.
QStringList snapshot(SpreadGrid &grid)
{
    QStringList out;
    out << QStringLiteral("rows %1 cols %2").arg(grid.MaxRows()).arg(grid.MaxCols());
    for (int r = 1; r <= grid.MaxRows(); ++r) {
        grid.setRow(r);
        out << QStringLiteral("h%1 %2 hidden %3").arg(r).arg(grid.RowHeight(r)).arg(grid.RowHidden());
        for (int c = 0; c <= grid.MaxCols(); ++c) {
            grid.setCol(c);
            out << QStringLiteral("%1,%2 [%3] [%4] k%5 a%6/%7 b%8 f%9 s%10x%11")
                       .arg(c)
                       .arg(r)
                       .arg(grid.Text(), grid.CellValue())
                       .arg(grid.CellKind())
                       .arg(grid.HAlign())
                       .arg(grid.VAlign())
                       .arg(grid.BackColor())
                       .arg(grid.ForeColor())
                       .arg(c >= 1 ? grid.view()->rowSpan(r - 1, c - 1) : 0)
                       .arg(c >= 1 ? grid.view()->columnSpan(r - 1, c - 1) : 0);
        }
    }
    return out;
}

} // namespace

class TstSpreadRows : public QObject
{
    Q_OBJECT

private slots:
    void searchCol_data();
    void searchCol();
    void insertRows_data();
    void insertRows();
    void deleteRows_data();
    void deleteRows();
    void headersIntoDataAndBack();
    void spansFollowRows();
    void copyRange_data();
    void copyRange();
    void clearRange_data();
    void clearRange();
    void shrinkingDropsCells();
};

void TstSpreadRows::searchCol_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("expected");
    // rows: 1 "2024/05/01" ... remark odd "Remark n", even "비고 n"
    QTest::newRow("contains, first row") << 1 << 0 << 20 << "05/01" << 2 << 1;
    QTest::newRow("from row is excluded") << 1 << 1 << 20 << "05/01" << 2 << -1;
    QTest::newRow("to row is included") << 1 << 0 << 7 << "05/07" << 2 << 7;
    QTest::newRow("beyond to row") << 1 << 0 << 6 << "05/07" << 2 << -1;
    QTest::newRow("empty range") << 1 << 5 << 5 << "2024" << 2 << -1;
    QTest::newRow("to beyond MaxRows is cut") << 1 << 18 << 999 << "05/20" << 2 << 20;
    QTest::newRow("from below zero") << 1 << -10 << 3 << "2024/05/01" << 4 << 1;
    QTest::newRow("case ignored, contains") << 5 << 0 << 20 << "remark 3" << 2 << 3;
    QTest::newRow("case ignored, equal") << 5 << 0 << 20 << "REMARK 5" << 4 << 5;
    QTest::newRow("equal needs the whole text") << 5 << 0 << 20 << "Remark" << 4 << -1;
    QTest::newRow("contains Korean") << 5 << 0 << 20 << "비고 1" << 2 << 10;
    QTest::newRow("equal Korean") << 5 << 0 << 20 << "비고 12" << 4 << 12;
    QTest::newRow("number as shown") << 2 << 0 << 20 << "1,352.50" << 4 << 5;
    QTest::newRow("number by value") << 2 << 0 << 20 << "1352.5" << 4 << 5;
    QTest::newRow("number contains shown digits") << 3 << 0 << 20 << "24,7" << 2 << 7;
    QTest::newRow("no flags: starts with") << 5 << 0 << 20 << "비고" << 0 << 2;
    QTest::newRow("none found") << 5 << 0 << 20 << "없는 글" << 2 << -1;
    QTest::newRow("row-number column") << 0 << 0 << 20 << "17" << 4 << 17;
    QTest::newRow("column outside the grid") << 9 << 0 << 20 << "x" << 2 << -1;
}

void TstSpreadRows::searchCol()
{
    QFETCH(int, col);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, text);
    QFETCH(int, flags);
    QFETCH(int, expected);
    SpreadGrid grid;
    fillRateGrid(grid, 20);
    QCOMPARE(grid.SearchCol(col, from, to, text, flags), expected);
}

void TstSpreadRows::insertRows_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected"); // column 1 texts' day numbers, "-" for empty
    QTest::newRow("at top") << 1 << 2 << "- - 01 02 03";
    QTest::newRow("in the middle") << 3 << 1 << "01 02 - 03 04";
    QTest::newRow("at the last row") << 5 << 3 << "01 02 03 04 -";
    QTest::newRow("more than fit") << 2 << 10 << "01 - - - -";
    QTest::newRow("outside the grid") << 6 << 1 << "01 02 03 04 05";
    QTest::newRow("nothing") << 2 << 0 << "01 02 03 04 05";
}

void TstSpreadRows::insertRows()
{
    QFETCH(int, at);
    QFETCH(int, count);
    QFETCH(QString, expected);
    SpreadGrid grid;
    QAbstractItemModelTester tester(grid.cellModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    fillRateGrid(grid, 5);
    grid.InsertRows(at, count);
    QCOMPARE(grid.MaxRows(), 5); // rows shift within MaxRows
    QStringList got;
    for (int r = 1; r <= 5; ++r) {
        const QString t = grid.GetCellText(1, r);
        got << (t.isEmpty() ? QStringLiteral("-") : t.right(2));
    }
    QCOMPARE(got.join(QLatin1Char(' ')), expected);
}

void TstSpreadRows::deleteRows_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << 1 << 1 << "02 03 04 05 -";
    QTest::newRow("middle two") << 2 << 2 << "01 04 05 - -";
    QTest::newRow("more than there are") << 4 << 9 << "01 02 03 - -";
    QTest::newRow("row zero refused") << 0 << 1 << "01 02 03 04 05";
}

void TstSpreadRows::deleteRows()
{
    QFETCH(int, at);
    QFETCH(int, count);
    QFETCH(QString, expected);
    SpreadGrid grid;
    fillRateGrid(grid, 5);
    grid.DeleteRows(at, count);
    QCOMPARE(grid.MaxRows(), 5);
    QStringList got;
    for (int r = 1; r <= 5; ++r) {
        const QString t = grid.GetCellText(1, r);
        got << (t.isEmpty() ? QStringLiteral("-") : t.right(2));
    }
    QCOMPARE(got.join(QLatin1Char(' ')), expected);
}

// The export's round trip: header rows copied into new top rows, a summary row with a merged
// label appended, then everything taken away again. The grid must be exactly as before.
void TstSpreadRows::headersIntoDataAndBack()
{
    SpreadGrid grid;
    QAbstractItemModelTester tester(grid.cellModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    fillRateGrid(grid, 12);
    grid.setRow(4);
    grid.setCol(2);
    grid.setForeColor(0x0000FF);
    grid.setBackColor(0xC0C0FF);
    grid.setRowHeight(6, 20.0);
    grid.AddCellSpan(5, 8, 1, 2);
    grid.setCol(0);
    grid.setRow(3);
    grid.setText(QStringLiteral("*"));
    const QStringList before = snapshot(grid);

    for (bool redraw : {true, false}) {
        grid.setRedraw(redraw);
        const int h = grid.ColHeaderRows();
        grid.setMaxRows(grid.MaxRows() + h);
        grid.InsertRows(1, h);
        grid.CopyRange(1, -1000, grid.MaxCols(), -1000 + h - 1, 1, 1);
        grid.setBlockMode(true);
        grid.setCol(1);
        grid.setRow(1);
        grid.setCursorCol2(grid.MaxCols());
        grid.setCursorRow2(h);
        grid.setCellKind(SpreadGrid::KindStaticText);
        grid.setForeColor(0);
        grid.setHAlign(SpreadGrid::AlignCenter);
        grid.setBlockMode(false);
        QCOMPARE(grid.GetCellText(2, 1), QStringLiteral("미달러"));
        QCOMPARE(grid.GetCellText(1, 2), QStringLiteral("2024/05/01"));
        QCOMPARE(grid.GetCellText(2, 5), QStringLiteral("1,342.00"));

        grid.setMaxRows(grid.MaxRows() + 1);
        const int sumRow = grid.MaxRows();
        grid.setRow(sumRow);
        grid.setCol(-1);
        grid.setCellKind(SpreadGrid::KindStaticText);
        grid.setHAlign(SpreadGrid::AlignRight);
        grid.SetCellText(2, sumRow, QStringLiteral("1,365.25"));
        grid.AddCellSpan(1, sumRow, 1, 1);
        grid.SetCellText(1, sumRow, QStringLiteral("평균"));
        QCOMPARE(grid.GetCellText(2, sumRow), QStringLiteral("1,365.25"));

        grid.DeleteRows(1, h);
        grid.setMaxRows(grid.MaxRows() - h);
        grid.setMaxRows(grid.MaxRows() - 1);
        grid.setRedraw(true);
        QCOMPARE(snapshot(grid), before);
    }
}

void TstSpreadRows::spansFollowRows()
{
    SpreadGrid grid;
    fillRateGrid(grid, 10);
    grid.AddCellSpan(2, 4, 2, 3); // columns 2-3, rows 4-6
    QCOMPARE(grid.view()->rowSpan(3, 1), 3);
    QCOMPARE(grid.view()->columnSpan(3, 1), 2);
    grid.InsertRows(2, 2);
    QCOMPARE(grid.view()->rowSpan(5, 1), 3); // now rows 6-8
    QCOMPARE(grid.view()->rowSpan(3, 1), 1);
    grid.InsertRows(7, 1); // inside the block: it grows
    QCOMPARE(grid.view()->rowSpan(5, 1), 4);
    grid.DeleteRows(6, 2); // the block's first two rows go
    QCOMPARE(grid.view()->rowSpan(5, 1), 2);
    grid.DeleteRows(6, 2); // the rest goes
    QCOMPARE(grid.view()->rowSpan(5, 1), 1);
    // a block pushed past the last row is cut there
    grid.AddCellSpan(1, 9, 1, 2);
    grid.InsertRows(1, 1);
    QCOMPARE(grid.view()->rowSpan(9, 0), 1);
    // overlapping blocks: the newer one wins
    grid.AddCellSpan(1, 1, 2, 2);
    grid.AddCellSpan(2, 2, 2, 2);
    QCOMPARE(grid.view()->rowSpan(0, 0), 1);
    QCOMPARE(grid.view()->rowSpan(1, 1), 2);
    grid.RemoveCellSpan(3, 3);
    QCOMPARE(grid.view()->rowSpan(1, 1), 1);
}

void TstSpreadRows::copyRange_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col2");
    QTest::addColumn<int>("row2");
    QTest::addColumn<int>("toCol");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<QString>("checkCell"); // "col,row=text;..."
    QTest::newRow("header row to row 1") << 1 << -1000 << 5 << -1000 << 1 << 1
                                         << "1,1=일자;2,1=미달러;5,1=비고;1,2=2024/05/02";
    QTest::newRow("overlapping downwards")
        << 1 << 1 << 1 << 3 << 1 << 2 << "1,2=2024/05/01;1,3=2024/05/02;1,4=2024/05/03;1,5=2024/05/05";
    QTest::newRow("overlapping upwards") << 1 << 2 << 1 << 4 << 1 << 1
                                         << "1,1=2024/05/02;1,2=2024/05/03;1,3=2024/05/04;1,4=2024/05/04";
    QTest::newRow("number keeps its value") << 2 << 1 << 2 << 1 << 2 << 5 << "2,5=1,310.50";
    QTest::newRow("number into text column shows plainly") << 2 << 1 << 2 << 1 << 5 << 1 << "5,1=1310.5";
    QTest::newRow("cut at the grid's edge") << 4 << 4 << 5 << 5 << 5 << 5 << "5,5=0.0504";
    QTest::newRow("data into header row") << 5 << 2 << 5 << 2 << 5 << -1000 << "5,-1000=비고 2";
}

void TstSpreadRows::copyRange()
{
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(int, col2);
    QFETCH(int, row2);
    QFETCH(int, toCol);
    QFETCH(int, toRow);
    QFETCH(QString, checkCell);
    SpreadGrid grid;
    fillRateGrid(grid, 5);
    grid.CopyRange(col, row, col2, row2, toCol, toRow);
    for (const QString &check : checkCell.split(QLatin1Char(';'))) {
        const auto parts = check.split(QLatin1Char('='));
        const auto at = parts[0].split(QLatin1Char(','));
        QCOMPARE(grid.GetCellText(at[0].toInt(), at[1].toInt()), parts[1]);
    }
}

void TstSpreadRows::clearRange_data()
{
    QTest::addColumn<bool>("dataOnly");
    QTest::addColumn<int>("colourAfter");
    QTest::newRow("data only keeps the looks") << true << 0x0000FF;
    QTest::newRow("everything") << false << 0;
}

void TstSpreadRows::clearRange()
{
    QFETCH(bool, dataOnly);
    QFETCH(int, colourAfter);
    SpreadGrid grid;
    fillRateGrid(grid, 6);
    grid.setCol(2);
    grid.setRow(3);
    grid.setForeColor(0x0000FF);
    grid.ClearRange(1, 2, 3, 4, dataOnly);
    QCOMPARE(grid.GetCellText(2, 3), QString());
    QCOMPARE(grid.ForeColor(), colourAfter);
    QCOMPARE(grid.GetCellText(4, 3), QStringLiteral("0.050300"));
    QCOMPARE(grid.GetCellText(2, 5), QStringLiteral("1,352.50"));
    QCOMPARE(grid.GetCellText(2, 1), QStringLiteral("1,310.50"));
    // the summary grid's clear: every cell of its own counts
    grid.ClearRange(1, 1, grid.MaxCols(), grid.MaxRows(), false);
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 5; ++c)
            QCOMPARE(grid.GetCellText(c, r), QString());
    QCOMPARE(grid.GetCellText(2, -1000), QStringLiteral("미달러"));
    // the number format of the column stays
    grid.SetCellText(2, 1, QStringLiteral("7"));
    QCOMPARE(grid.GetCellText(2, 1), QStringLiteral("7.00"));
}

void TstSpreadRows::shrinkingDropsCells()
{
    SpreadGrid grid;
    fillRateGrid(grid, 5);
    grid.setMaxRows(0);
    grid.setMaxRows(3);
    QCOMPARE(grid.GetCellText(1, 1), QString());
    QCOMPARE(grid.GetCellText(0, 2), QStringLiteral("2")); // row numbers
    QCOMPARE(grid.GetCellText(1, -1000), QStringLiteral("일자"));
    grid.SetCellText(5, 1, QStringLiteral("x"));
    grid.setMaxCols(3);
    grid.setMaxCols(5);
    QCOMPARE(grid.GetCellText(5, 1), QString());
    QCOMPARE(grid.SearchCol(5, 0, 3, QStringLiteral("x"), 2), -1);
    // writing outside the grid changes nothing
    grid.SetCellText(6, 1, QStringLiteral("y"));
    grid.SetCellText(1, 4, QStringLiteral("y"));
    QCOMPARE(grid.SearchCol(1, 0, 3, QStringLiteral("y"), 2), -1);
}

QTEST_MAIN(TstSpreadRows)
#include "tst_spreadrows.moc"
