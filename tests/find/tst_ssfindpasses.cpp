#include "celltable.h"
#include "find/ssfindpasses.h"

#include <QTest>

Q_DECLARE_METATYPE(QSet<int>)

class TstSSFindPasses : public QObject
{
    Q_OBJECT

private slots:
    void findNext_data();
    void findNext();
    void flagsFollowWholeValue();
    void farColumnsAreNotSearchedBeyondTheGrid();
};

void TstSSFindPasses::findNext_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QSet<int>>("hiddenCols");
    QTest::addColumn<QSet<int>>("hiddenRows");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("columnOnly");
    QTest::addColumn<int>("activeCol");
    QTest::addColumn<int>("activeRow");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pass");

    const QSet<int> none;
    QTest::newRow("first column with a match below wins over a nearer row")
        << 5 << 30 << QStringList{"1,20=abc", "2,6=abc"} << none << none << "abc" << false << false << 3 << 5 << 1 << 20
        << 2;
    QTest::newRow("match in the active row is found before anything below")
        << 7 << 30 << QStringList{"7,5=abc", "1,6=abc", "4,6=abc"} << none << none << "abc" << false << false << 3 << 5
        << 7 << 5 << 1;
    QTest::newRow("active row left of the active column waits for the wrap")
        << 5 << 30 << QStringList{"2,5=abc"} << none << none << "abc" << false << false << 3 << 5 << 2 << 5 << 3;
    QTest::newRow("wrap to the top when nothing lies below")
        << 5 << 30 << QStringList{"4,3=abc", "2,4=abc"} << none << none << "abc" << false << false << 3 << 5 << 2 << 4
        << 3;
    QTest::newRow("the active cell alone is found again")
        << 5 << 30 << QStringList{"3,5=abc"} << none << none << "abc" << false << false << 3 << 5 << 3 << 5 << 3;
    QTest::newRow("last column active: pass 1 is empty")
        << 5 << 30 << QStringList{"5,9=abc"} << none << none << "abc" << false << false << 5 << 5 << 5 << 9 << 2;
    QTest::newRow("match in the very last row") << 5 << 1000 << QStringList{"5,1000=abc"} << none << none << "abc"
                                                << false << false << 1 << 1 << 5 << 1000 << 2;
    QTest::newRow("active cell in the last row wraps")
        << 5 << 40 << QStringList{"4,1=abc"} << none << none << "abc" << false << false << 2 << 40 << 4 << 1 << 3;

    QTest::newRow("active column only: other columns are not looked at")
        << 5 << 30 << QStringList{"1,7=abc", "4,5=abc", "3,2=abc"} << none << none << "abc" << false << true << 3 << 5
        << 3 << 2 << 3;
    QTest::newRow("active column only: below first") << 5 << 30 << QStringList{"3,2=abc", "3,9=abc"} << none << none
                                                     << "abc" << false << true << 3 << 5 << 3 << 9 << 2;
    QTest::newRow("active column only: the active cell itself by the wrap")
        << 5 << 30 << QStringList{"3,5=abc", "2,5=abc"} << none << none << "abc" << false << true << 3 << 5 << 3 << 5
        << 3;
    QTest::newRow("active column only: the rest of the active row does not count")
        << 5 << 30 << QStringList{"4,5=abc", "5,5=abc"} << none << none << "abc" << false << true << 3 << 5 << -1 << -1
        << 0;

    QTest::newRow("whole value: a cell that merely contains the text is passed over")
        << 5 << 30 << QStringList{"1,7=USD rate", "2,9=usd"} << none << none << "USD" << true << false << 3 << 5 << 2
        << 9 << 2;
    QTest::newRow("whole value: any letter case")
        << 5 << 30 << QStringList{"1,8=Usd"} << none << none << "uSD" << true << false << 3 << 5 << 1 << 8 << 2;
    QTest::newRow("whole value: nothing equal") << 5 << 30 << QStringList{"1,8=usd!", "2,2= usd"} << none << none
                                                << "usd" << true << false << 3 << 5 << -1 << -1 << 0;
    QTest::newRow("partial: contained in any letter case") << 5 << 30 << QStringList{"5,8=미달러 USD환율"} << none
                                                           << none << "usd" << false << false << 3 << 5 << 5 << 8 << 2;
    QTest::newRow("partial: Korean text") << 5 << 30 << QStringList{"5,2=휴일 (설날)"} << none << none << "설날"
                                          << false << false << 3 << 5 << 5 << 2 << 3;

    QTest::newRow("hidden column passed over") << 5 << 30 << QStringList{"1,20=abc", "2,6=abc"} << QSet<int>{1} << none
                                               << "abc" << false << false << 3 << 5 << 2 << 6 << 2;
    QTest::newRow("hidden column passed over in the active row")
        << 5 << 30 << QStringList{"4,5=abc", "5,5=abc"} << QSet<int>{4} << none << "abc" << false << false << 3 << 5
        << 5 << 5 << 1;
    QTest::newRow("hidden row passed over, the column is searched on below it")
        << 5 << 30 << QStringList{"1,10=abc", "1,20=abc", "2,7=abc"} << none << QSet<int>{10} << "abc" << false << false
        << 3 << 5 << 1 << 20 << 2;
    QTest::newRow("a match only in hidden rows is not found")
        << 5 << 30 << QStringList{"1,10=abc", "4,2=abc"} << QSet<int>{4} << QSet<int>{10} << "abc" << false << false
        << 3 << 5 << -1 << -1 << 0;
    QTest::newRow("hidden row in the wrap") << 5 << 30 << QStringList{"2,1=abc", "2,3=abc"} << none << QSet<int>{1}
                                            << "abc" << false << false << 3 << 5 << 2 << 3 << 3;

    QTest::newRow("no match anywhere") << 5 << 30 << QStringList{"1,1=abd"} << none << none << "abc" << false << false
                                       << 1 << 1 << -1 << -1 << 0;
    QTest::newRow("blank text finds nothing")
        << 5 << 30 << QStringList{"1,9=a b"} << none << none << "  " << false << false << 1 << 1 << -1 << -1 << 0;
}

void TstSSFindPasses::findNext()
{
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QStringList, cells);
    QFETCH(QSet<int>, hiddenCols);
    QFETCH(QSet<int>, hiddenRows);
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QFETCH(bool, columnOnly);
    QFETCH(int, activeCol);
    QFETCH(int, activeRow);

    CellTable table(cols, rows, cells);
    table.hiddenCols = hiddenCols;
    table.hiddenRows = hiddenRows;
    SSFindPasses::Options options;
    options.wholeValue = whole;
    options.activeColumnOnly = columnOnly;

    const SSFindPasses::Match m = SSFindPasses::findNext(table, text, options, activeCol, activeRow);
    QTEST(m.col, "col");
    QTEST(m.row, "row");
    QTEST(m.pass, "pass");
}

void TstSSFindPasses::flagsFollowWholeValue()
{
    QCOMPARE(SSFindPasses::searchFlags(true), 4);
    QCOMPARE(SSFindPasses::searchFlags(false), 2);
}

// A grid that names a column beyond its last one must not be asked about it.
void TstSSFindPasses::farColumnsAreNotSearchedBeyondTheGrid()
{
    struct Strict : CellTable
    {
        using CellTable::CellTable;
        int SearchCol(int col, int from, int to, const QString &t, int f) const override
        {
            if (col < 1 || col > MaxCols())
                qFatal("column %d searched", col);
            return CellTable::SearchCol(col, from, to, t, f);
        }
    };
    Strict table(3, 10, {"2,2=x"});
    SSFindPasses::Options colOnly;
    colOnly.activeColumnOnly = true;
    QCOMPARE(SSFindPasses::findNext(table, "x", colOnly, 9, 5).found(), false);
    QCOMPARE(SSFindPasses::findNext(table, "x", {}, 3, 5).col, 2);
}

QTEST_GUILESS_MAIN(TstSSFindPasses)
#include "tst_ssfindpasses.moc"
