#include "../../common/xlsxreadback.h"
#include "platform/spread/spreadgrid.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void fillGrid(SpreadGrid &grid)
{
    grid.setColHeaderRows(1);
    grid.setMaxCols(5);
    grid.setRow(-1);
    const int decimals[] = {0, 0, 2, 0, 6, 0};
    for (int c = 2; c <= 4; ++c) {
        grid.setCol(c);
        grid.setCellKind(SpreadGrid::KindNumber);
        grid.setNumberDecimals(decimals[c]);
        grid.setNumberShowGroups(true);
    }
    grid.setCol(1);
    grid.setCellKind(SpreadGrid::KindStaticText);
    grid.setCol(5);
    grid.setCellKind(SpreadGrid::KindStaticText);
    grid.setMaxRows(3);
    grid.SetCellText(1, 1, QStringLiteral("2024/01/02"));
    grid.SetCellText(2, 1, QStringLiteral("1234.5"));
    grid.SetCellText(3, 1, QStringLiteral("24567"));
    grid.SetCellText(4, 1, QStringLiteral("0.0541234"));
    grid.SetCellText(5, 1, QStringLiteral("원화 기준 비고"));
    grid.SetCellText(1, 2, QStringLiteral("2024/01/03"));
    grid.SetCellText(2, 2, -1234567.891);
    grid.SetCellText(5, 2, QStringLiteral("00123")); // static text stays text
    grid.SetCellText(1, 3, QStringLiteral("평균"));
    grid.AddCellSpan(1, 3, 1, 1);
}

} // namespace

class TstSpreadExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportReadBack_data();
    void exportReadBack();
    void mergedAndHidden();
    void coloursAndWidths();
    void unwritable_data();
    void unwritable();
    void failureKeepsExistingFile();
    void replacesExistingFile();
};

void TstSpreadExport::initTestCase()
{
    if (XlsxReadBack::python().isEmpty())
        QFAIL("python3 with openpyxl (python3-openpyxl) is needed to read the workbook back");
}

void TstSpreadExport::exportReadBack_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("expectedSheet");
    QTest::newRow("Sheet1") << "Sheet1"
                            << "Sheet1";
    QTest::newRow("Korean sheet name") << "환율"
                                       << "환율";
    QTest::newRow("empty name gives Sheet1") << ""
                                             << "Sheet1";
}

void TstSpreadExport::exportReadBack()
{
    QFETCH(QString, sheet);
    QFETCH(QString, expectedSheet);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SpreadGrid grid;
    fillGrid(grid);
    const QString file = dir.filePath(QStringLiteral("환율 내보내기.xlsx"));
    const QString log = dir.filePath(QStringLiteral("export.log"));
    QVERIFY(grid.ExportToExcel(file, sheet, log));
    QVERIFY(QFile::exists(file));
    QVERIFY(QFile(log).size() > 0);
    // only the workbook itself is left
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    const QJsonObject wb = XlsxReadBack::read(file);
    QVERIFY(!wb.isEmpty());
    QCOMPARE(wb[QStringLiteral("sheets")].toArray().size(), 1);
    QCOMPARE(wb[QStringLiteral("sheets")].toArray().at(0).toString(), expectedSheet);
    QCOMPARE(wb[QStringLiteral("maxRow")].toInt(), 3);
    QCOMPARE(wb[QStringLiteral("maxCol")].toInt(), 5);
    const QJsonObject cells = wb[QStringLiteral("cells")].toObject();
    auto cell = [&cells](const char *ref) { return cells[QLatin1String(ref)].toObject(); };

    QCOMPARE(cell("A1")[QStringLiteral("value")].toString(), QStringLiteral("2024/01/02"));
    QCOMPARE(cell("A1")[QStringLiteral("type")].toString(), QStringLiteral("text"));
    QCOMPARE(cell("B1")[QStringLiteral("type")].toString(), QStringLiteral("number"));
    QCOMPARE(cell("B1")[QStringLiteral("value")].toDouble(), 1234.5);
    QCOMPARE(cell("B1")[QStringLiteral("format")].toString(), QStringLiteral("#,##0.00"));
    QCOMPARE(cell("C1")[QStringLiteral("value")].toDouble(), 24567.0);
    QCOMPARE(cell("C1")[QStringLiteral("format")].toString(), QStringLiteral("#,##0"));
    QCOMPARE(cell("D1")[QStringLiteral("value")].toDouble(), 0.0541234);
    QCOMPARE(cell("D1")[QStringLiteral("format")].toString(), QStringLiteral("#,##0.000000"));
    QCOMPARE(cell("E1")[QStringLiteral("value")].toString(), QStringLiteral("원화 기준 비고"));
    QCOMPARE(cell("B2")[QStringLiteral("value")].toDouble(), -1234567.891);
    QCOMPARE(cell("E2")[QStringLiteral("value")].toString(), QStringLiteral("00123"));
    QCOMPARE(cell("E2")[QStringLiteral("type")].toString(), QStringLiteral("text"));
    QCOMPARE(cell("A3")[QStringLiteral("value")].toString(), QStringLiteral("평균"));
    QVERIFY(!cells.contains(QStringLiteral("C2"))); // empty cells stay empty
}

void TstSpreadExport::mergedAndHidden()
{
    QTemporaryDir dir;
    SpreadGrid grid;
    fillGrid(grid);
    grid.setMaxRows(4);
    grid.SetCellText(1, 3, QStringLiteral("평균"));
    grid.SetCellText(2, 3, 1300.0);
    grid.AddCellSpan(1, 3, 1, 2); // the summary label over two rows
    grid.setCol(4);
    grid.setRow(-1);
    grid.setColHidden(true);
    const QString file = dir.filePath(QStringLiteral("merged.xlsx"));
    QVERIFY(grid.ExportToExcel(file, QStringLiteral("Sheet1"), QString()));
    const QJsonObject wb = XlsxReadBack::read(file);
    QCOMPARE(wb[QStringLiteral("merged")].toArray().size(), 1);
    QCOMPARE(wb[QStringLiteral("merged")].toArray().at(0).toString(), QStringLiteral("A3:A4"));
    QCOMPARE(
        wb[QStringLiteral("cells")].toObject()[QStringLiteral("A3")].toObject()[QStringLiteral("value")].toString(),
        QStringLiteral("평균"));
    QCOMPARE(wb[QStringLiteral("hidden")].toArray().size(), 1);
    QCOMPARE(wb[QStringLiteral("hidden")].toArray().at(0).toString(), QStringLiteral("D"));
}

void TstSpreadExport::coloursAndWidths()
{
    QTemporaryDir dir;
    SpreadGrid grid;
    fillGrid(grid);
    // colours whose red and blue differ, so that a swap shows (RGB values, red in the low byte)
    grid.setCol(5);
    grid.setRow(1);
    grid.setForeColor(0x2040C0);
    grid.setBackColor(0x80FF10);
    grid.setColWidth(2, 12); // 96 pixels
    grid.setCol(3);
    grid.setRow(-1);
    grid.setColHidden(true);
    const QString file = dir.filePath(QStringLiteral("look.xlsx"));
    QVERIFY(grid.ExportToExcel(file, QStringLiteral("Sheet1"), QString()));
    const QJsonObject wb = XlsxReadBack::read(file);
    const QJsonObject e1 = wb[QStringLiteral("cells")].toObject()[QStringLiteral("E1")].toObject();
    QCOMPARE(e1[QStringLiteral("font")].toString(), QStringLiteral("C04020"));
    QCOMPARE(e1[QStringLiteral("fill")].toString(), QStringLiteral("10FF80"));
    // a cell left in the grid's default look carries no colour of its own
    const QJsonObject a1 = wb[QStringLiteral("cells")].toObject()[QStringLiteral("A1")].toObject();
    QCOMPARE(a1[QStringLiteral("fill")].toString(), QString());
    // the column is as wide in the workbook as on the screen: Excel shows a width w (padding
    // included) as trunc(((256 w + trunc(128 / 7)) / 256) * 7) pixels
    const double w = wb[QStringLiteral("widths")].toObject()[QStringLiteral("B")].toDouble();
    const int pixels = int(((256 * w + 18) / 256) * 7);
    QVERIFY2(qAbs(pixels - 96) <= 1, qPrintable(QStringLiteral("width %1: %2 pixels").arg(w).arg(pixels)));
    QCOMPARE(wb[QStringLiteral("hidden")].toArray().toVariantList(), QVariantList{QStringLiteral("C")});
}

void TstSpreadExport::unwritable_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("folder does not exist") << "%1/없는 폴더/a.xlsx"
                                           << "Sheet1";
    QTest::newRow("name is a folder") << "%1"
                                      << "Sheet1";
    QTest::newRow("folder refuses new files") << "/proc/zozura-export.xlsx"
                                              << "Sheet1";
    QTest::newRow("empty file name") << ""
                                     << "Sheet1";
    QTest::newRow("sheet name Excel refuses") << "%1/a.xlsx"
                                              << "a/b";
    QTest::newRow("sheet name too long") << "%1/a.xlsx"
                                         << "0123456789012345678901234567890123";
}

void TstSpreadExport::unwritable()
{
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QTemporaryDir dir;
    if (file.contains(QLatin1String("%1")))
        file = file.arg(dir.path());
    SpreadGrid grid;
    fillGrid(grid);
    QVERIFY(!grid.ExportToExcel(file, sheet, QString()));
    // nothing half-written left behind
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    QVERIFY(!QFile::exists(QStringLiteral("/proc/zozura-export.xlsx")));
}

void TstSpreadExport::failureKeepsExistingFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("old.xlsx"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("earlier content");
    }
    SpreadGrid grid;
    fillGrid(grid);
    QVERIFY(!grid.ExportToExcel(file, QStringLiteral("bad:name"), QString()));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("earlier content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TstSpreadExport::replacesExistingFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("again.xlsx"));
    SpreadGrid grid;
    fillGrid(grid);
    QVERIFY(grid.ExportToExcel(file, QStringLiteral("Sheet1"), QString()));
    grid.SetCellText(2, 1, QStringLiteral("99.5"));
    QVERIFY(grid.ExportToExcel(file, QStringLiteral("Sheet1"), QString()));
    const QJsonObject wb = XlsxReadBack::read(file);
    QCOMPARE(
        wb[QStringLiteral("cells")].toObject()[QStringLiteral("B1")].toObject()[QStringLiteral("value")].toDouble(),
        99.5);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    // readable by others, like any file the user saves
    QVERIFY(QFileInfo(file).permissions() & QFileDevice::ReadOther);
}

QTEST_MAIN(TstSpreadExport)
#include "tst_spreadexport.moc"
