// The windowless export against the grid's own: for the same rows of EX_RATE, the workbook the
// rate core writes holds the same cells (values, types, number formats, colours), the same
// merged blocks, hidden columns and widths as the one the grid's export writes.

#include "app/connopen.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/rateexport.h"
#include "rate/rateexportform.h"

#include "../common/xlsxreadback.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TstRateExport : public QObject
{
    Q_OBJECT

private slots:
    void sameAsGrid_data();
    void sameAsGrid();
};

void TstRateExport::sameAsGrid_data()
{
    QTest::addColumn<QStringList>("rows"); // VALUES of the INSERT, one a row
    QTest::newRow("one day") << QStringList{QStringLiteral("('2024/03/04', 1310.5, 24400, 0.0531, 'a')")};
    QTest::newRow("missing, negative, huge and odd remarks")
        << QStringList{QStringLiteral("('2024/03/04', NULL, -24400.5, 0.0531, '=cmd|x, \"q\"')"),
                       QStringLiteral("('2024/03/05', -1.5, 1, 2, '-3')"),
                       QStringLiteral("('2024/03/06', 999999999999, 123456789012, 999999.123456, 'a_x0041_b')"),
                       QStringLiteral("('2024/03/07', 'abc', 0, 0, '')"),
                       QStringLiteral("('2024/03/08', 1.005, 0.5, 0.0000005, NULL)")};
}

void TstRateExport::sameAsGrid()
{
    QFETCH(QStringList, rows);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ConnProvider provider;
    const QString dbFile = dir.filePath(QStringLiteral("rates.db"));
    QFile f(dbFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    provider.setServerName(QStringLiteral("sqlite"));
    provider.setDatabaseName(dbFile);
    provider.setSqliteSetup(App::sqliteSchemaStatements());
    provider.OpenConnection();
    DataAccess da;
    da.AttachConnection(provider.GetConnection());
    for (const QString &values : std::as_const(rows))
        QVERIFY2(da.Execute(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ") + values),
                 qPrintable(da.lastError()));

    const QString from = QStringLiteral("2024/01/01");
    const QString to = QStringLiteral("2024/12/31");
    QString error;
    RateExportForm form;
    QCOMPARE(form.fill(da, from, to, &error), long(rows.size()));
    const QString gridFile = dir.filePath(QStringLiteral("grid.xlsx"));
    QVERIFY(form.writeXlsx(gridFile));

    RateExport::Table table;
    QVERIFY(RateExport::read(da, from, to, &table, &error));
    QCOMPARE(table.rows.size(), rows.size());
    const QString coreFile = dir.filePath(QStringLiteral("core.xlsx"));
    QVERIFY(RateExport::writeXlsx(table, coreFile));

    const QJsonObject grid = XlsxReadBack::read(gridFile);
    const QJsonObject core = XlsxReadBack::read(coreFile);
    QVERIFY(!grid.isEmpty());
    // header row, the rows, the "평균" line
    QCOMPARE(grid.value(QStringLiteral("maxRow")).toInt(), int(rows.size()) + 2);
    for (const QString &key : {QStringLiteral("sheets"), QStringLiteral("maxRow"), QStringLiteral("maxCol"),
                               QStringLiteral("merged"), QStringLiteral("hidden"), QStringLiteral("widths")})
        QVERIFY2(core.value(key) == grid.value(key), qPrintable(key));
    const QJsonObject gridCells = grid.value(QStringLiteral("cells")).toObject();
    const QJsonObject coreCells = core.value(QStringLiteral("cells")).toObject();
    QCOMPARE(coreCells.keys(), gridCells.keys());
    for (const QString &cell : gridCells.keys())
        QVERIFY2(coreCells.value(cell) == gridCells.value(cell),
                 qPrintable(cell + u' ' + QString::fromUtf8(QJsonDocument(gridCells.value(cell).toObject()).toJson())
                            + QString::fromUtf8(QJsonDocument(coreCells.value(cell).toObject()).toJson())));
}

QTEST_MAIN(TstRateExport)
#include "tst_rateexport.moc"
