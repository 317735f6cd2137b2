#include "platform/spread/spreadgrid.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

class TstSpreadGrid : public QObject
{
    Q_OBJECT

private slots:
    void modelUnderTester();
    void numberKinds_data();
    void numberKinds();
};

void TstSpreadGrid::modelUnderTester()
{
    SpreadGrid grid;
    QAbstractItemModelTester tester(grid.cellModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.setMaxCols(5);
    grid.setMaxRows(3);
    grid.SetCellText(1, 1, QStringLiteral("2024/01/02"));
    grid.setRedraw(false);
    for (int r = 4; r <= 50; ++r) {
        grid.setMaxRows(grid.MaxRows() + 1);
        grid.SetCellText(2, r, QString::number(r * 1.5));
    }
    grid.setRedraw(true);
    QCOMPARE(grid.cellModel()->rowCount(), 50);
    grid.InsertRows(2, 3);
    grid.DeleteRows(2, 3);
    grid.setMaxRows(0);
    grid.setMaxCols(2);
    QCOMPARE(grid.cellModel()->columnCount(), 2);
}

void TstSpreadGrid::numberKinds_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("value");
    QTest::newRow("two decimals") << 2 << "1234.5" << "1,234.50" << "1234.50";
    QTest::newRow("no decimals") << 0 << "1234567" << "1,234,567" << "1234567";
    QTest::newRow("six decimals") << 6 << "0.1234567" << "0.123457" << "0.123457";
    QTest::newRow("grouped input") << 2 << "1,234.5" << "1,234.50" << "1234.50";
    QTest::newRow("negative") << 2 << "-1234.505" << "-1,234.51" << "-1234.51";
}

void TstSpreadGrid::numberKinds()
{
    QFETCH(int, decimals);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    QFETCH(QString, value);
    SpreadGrid grid;
    grid.setMaxCols(3);
    grid.setMaxRows(2);
    grid.setRow(-1);
    grid.setCol(2);
    grid.setCellKind(SpreadGrid::KindNumber);
    grid.setNumberDecimals(decimals);
    grid.setNumberShowGroups(true);
    grid.SetCellText(2, 1, input);
    grid.setRow(1);
    QCOMPARE(grid.Text(), shown);
    QCOMPARE(grid.CellValue(), value);
}

QTEST_MAIN(TstSpreadGrid)
#include "tst_spreadgrid.moc"
