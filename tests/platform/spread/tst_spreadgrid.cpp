#include "platform/spread/spreadgrid.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QToolTip>
#include <QtTest>

namespace {

// The rate grid's shape: "NO", date, three rates of 2, 0 and 6 decimals, remark.
void defineRateColumns(SpreadGrid &grid)
{
    grid.setColHeaderRows(1);
    grid.setMaxCols(5);
    const int decimals[] = {0, 0, 2, 0, 6, 0};
    grid.setRow(-1);
    for (int c = 1; c <= 5; ++c) {
        grid.setCol(c);
        if (c >= 2 && c <= 4) {
            grid.setCellKind(SpreadGrid::KindNumber);
            grid.setNumberDecimals(decimals[c]);
            grid.setNumberShowGroups(true);
            grid.setNumberGroupChar(QStringLiteral(","));
            grid.setNumberDecimalChar(QStringLiteral("."));
            grid.setHAlign(SpreadGrid::AlignRight);
        } else {
            grid.setCellKind(SpreadGrid::KindStaticText);
        }
    }
}

QLabel *visibleTip()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *l = qobject_cast<QLabel *>(w); l && l->isVisible() && (l->windowFlags() & Qt::ToolTip))
            return l;
    return nullptr;
}

} // namespace

class TstSpreadGrid : public QObject
{
    Q_OBJECT

private slots:
    void modelUnderTester();
    void numberKinds_data();
    void numberKinds();
    void cellKinds_data();
    void cellKinds();
    void editing_data();
    void editing();
    void editingInTheView_data();
    void editingInTheView();
    void addressing_data();
    void addressing();
    void headerRows();
    void mergedHeaderCells();
    void redrawSuspendsNotifications();
    void firstVisibleRow_data();
    void firstVisibleRow();
    void topLeftChangeOnProgramChange();
    void firstVisibleRowWhileRedrawOff();
    void actionScrollsIntoView();
    void actionBeforeShow();
    void scrollBarMode_data();
    void scrollBarMode();
    void columnsFitFlush_data();
    void columnsFitFlush();
    void rowHeights();
    void hiddenColumnsAndRows();
    void maxTextWidth();
    void clickAndColumnDrag();
    void textTip_data();
    void textTip();
    void fontSubstitution();
    void destroyedWhileShown_data();
    void destroyedWhileShown();
    void colours_data();
    void colours();
};

void TstSpreadGrid::modelUnderTester()
{
    SpreadGrid grid;
    QAbstractItemModelTester tester(grid.cellModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    defineRateColumns(grid);
    grid.setMaxRows(3);
    grid.SetCellText(1, 1, QStringLiteral("2024/01/02"));
    grid.SetCellText(-1000 + 1000, -1000, QStringLiteral("NO"));
    grid.setRedraw(false);
    for (int r = 4; r <= 50; ++r) {
        grid.setMaxRows(grid.MaxRows() + 1);
        grid.SetCellText(2, r, QString::number(r * 1.5));
    }
    grid.setMaxCols(7);
    grid.setRedraw(true);
    QCOMPARE(grid.cellModel()->rowCount(), 50);
    QCOMPARE(grid.cellModel()->columnCount(), 7);
    grid.InsertRows(2, 3);
    grid.AddCellSpan(1, 2, 2, 2);
    grid.CopyRange(1, -1000, 5, -1000, 1, 1);
    grid.ClearRange(1, 1, 3, 10, false);
    grid.DeleteRows(2, 3);
    grid.setColHeaderRows(2);
    grid.setMaxRows(0);
    grid.setMaxCols(2);
    grid.setRedraw(false);
    grid.setMaxRows(10);
    grid.setMaxCols(0);
    grid.setRedraw(true);
    QCOMPARE(grid.cellModel()->columnCount(), 0);
    QCOMPARE(grid.cellModel()->rowCount(), 10);
}

void TstSpreadGrid::numberKinds_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("value");
    QTest::newRow("two decimals") << 2 << "1234.5"
                                  << "1,234.50"
                                  << "1234.50";
    QTest::newRow("no decimals") << 0 << "1234567"
                                 << "1,234,567"
                                 << "1234567";
    QTest::newRow("six decimals") << 6 << "0.1234567"
                                  << "0.123457"
                                  << "0.123457";
    QTest::newRow("grouped input") << 2 << "1,234.5"
                                   << "1,234.50"
                                   << "1234.50";
    QTest::newRow("negative") << 2 << "-1234.505"
                              << "-1,234.51"
                              << "-1234.51";
    QTest::newRow("empty stays empty") << 2 << ""
                                       << ""
                                       << "";
    QTest::newRow("zero") << 2 << "0"
                          << "0.00"
                          << "0.00";
    QTest::newRow("not a number kept as typed") << 2 << "n/a"
                                                << "n/a"
                                                << "n/a";
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
    QCOMPARE(grid.cellModel()->index(0, 1).data(Qt::DisplayRole).toString(), shown);
}

void TstSpreadGrid::cellKinds_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("value");
    QTest::newRow("static text as typed") << 1 << QVariant(QStringLiteral(" 2024/01/02 ")) << " 2024/01/02 "
                                          << " 2024/01/02 ";
    QTest::newRow("static text keeps digits") << 5 << QVariant(QStringLiteral("00123")) << "00123"
                                              << "00123";
    QTest::newRow("average as double, 2 decimals") << 2 << QVariant(1320.456789) << "1,320.46"
                                                   << "1320.46";
    QTest::newRow("average as double, dong") << 3 << QVariant(24567.5) << "24,568"
                                             << "24568";
    QTest::newRow("average as double, won") << 4 << QVariant(0.05412345678) << "0.054123"
                                            << "0.054123";
    QTest::newRow("double into text column") << 5 << QVariant(12.5) << "12.5"
                                             << "12.5";
}

void TstSpreadGrid::cellKinds()
{
    QFETCH(int, col);
    QFETCH(QVariant, input);
    QFETCH(QString, shown);
    QFETCH(QString, value);
    SpreadGrid grid;
    defineRateColumns(grid);
    grid.setMaxRows(1);
    if (input.typeId() == QMetaType::Double)
        grid.SetCellText(col, 1, input.toDouble());
    else
        grid.SetCellText(col, 1, input.toString());
    grid.setCol(col);
    grid.setRow(1);
    QCOMPARE(grid.Text(), shown);
    QCOMPARE(grid.CellValue(), value);
    QCOMPARE(grid.GetCellText(col, 1), shown);
}

void TstSpreadGrid::editing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("protect");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("static text never edits") << 5 << false << false << "x" << false << "old";
    QTest::newRow("locked and protected") << 1 << true << true << "x" << false << "old";
    QTest::newRow("locked, protection off") << 1 << true << false << "new" << true << "new";
    QTest::newRow("unlocked text") << 1 << false << true << "새 값" << true << "새 값";
    QTest::newRow("number accepts number") << 13 << false << true << "2500.5" << true << "2,500.50";
    QTest::newRow("number refuses text") << 13 << false << true << "abc" << false << "old";
}

void TstSpreadGrid::editing()
{
    QFETCH(int, kind);
    QFETCH(bool, locked);
    QFETCH(bool, protect);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    SpreadGrid grid;
    grid.setMaxCols(2);
    grid.setMaxRows(2);
    grid.setCol(1);
    grid.setRow(1);
    grid.setText(QStringLiteral("old")); // stored before the kind: a number cell keeps text that is no number
    grid.setCellKind(kind);
    grid.setNumberDecimals(2);
    grid.setNumberShowGroups(true);
    grid.setCellLocked(locked);
    grid.setProtectFlag(protect);
    QAbstractItemModel *m = grid.cellModel();
    const QModelIndex i = m->index(0, 0);
    QCOMPARE(m->setData(i, typed), accepted);
    QCOMPARE(grid.Text(), shown);
}

void TstSpreadGrid::editingInTheView_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("warned");
    QTest::newRow("a number") << "2500"
                              << "2,500.00" << false;
    QTest::newRow("grouped number") << "1,234.5"
                                    << "1,234.50" << false;
    QTest::newRow("letters refused with a word") << "abc"
                                                 << "10.00" << true;
}

void TstSpreadGrid::editingInTheView()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, warned);
    SpreadGrid grid;
    grid.resize(400, 200);
    grid.setMaxCols(2);
    grid.setMaxRows(2);
    grid.setRow(-1);
    grid.setCol(1);
    grid.setCellKind(SpreadGrid::KindNumber);
    grid.setNumberDecimals(2);
    grid.setNumberShowGroups(true);
    grid.SetCellText(1, 1, QStringLiteral("10"));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QToolTip::hideText();
    const QModelIndex i = grid.cellModel()->index(0, 0);
    grid.view()->setCurrentIndex(i);
    grid.view()->edit(i);
    auto *editor = grid.view()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("10.00")); // the plain value is edited
    editor->setText(typed);
    QPointer<QLineEdit> alive(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!alive || !alive->isVisible()); // the view commits after the key, from its event loop
    QCOMPARE(grid.GetCellText(1, 1), shown);
    if (warned) {
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(QStringLiteral("숫자만")));
    } else {
        QTest::qWait(20);
        QVERIFY(!QToolTip::isVisible());
    }
}

void TstSpreadGrid::addressing_data()
{
    QTest::addColumn<bool>("block");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col2");
    QTest::addColumn<int>("row2");
    QTest::addColumn<QString>("expected"); // which of the 3x3 cells turned red, row by row
    QTest::newRow("one cell") << false << 2 << 2 << 0 << 0 << "000010000";
    QTest::newRow("whole column") << false << 3 << -1 << 0 << 0 << "001001001";
    QTest::newRow("whole row") << false << -1 << 1 << 0 << 0 << "111000000";
    QTest::newRow("everything") << false << -1 << -1 << 0 << 0 << "111111111";
    QTest::newRow("block") << true << 1 << 2 << 2 << 3 << "000110110";
    QTest::newRow("block given backwards") << true << 3 << 3 << 2 << 1 << "011011011";
    QTest::newRow("block ignored when off") << false << 1 << 1 << 3 << 3 << "100000000";
}

void TstSpreadGrid::addressing()
{
    QFETCH(bool, block);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(int, col2);
    QFETCH(int, row2);
    QFETCH(QString, expected);
    SpreadGrid grid;
    grid.setMaxCols(3);
    grid.setMaxRows(3);
    grid.setBlockMode(block);
    grid.setCol(col);
    grid.setRow(row);
    grid.setCursorCol2(col2);
    grid.setCursorRow2(row2);
    grid.setForeColor(0x0000FF);
    grid.setBlockMode(false);
    QString got;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            grid.setCol(c);
            grid.setRow(r);
            got += grid.ForeColor() == 0x0000FF ? QLatin1Char('1') : QLatin1Char('0');
        }
    QCOMPARE(got, expected);
}

void TstSpreadGrid::headerRows()
{
    SpreadGrid grid;
    grid.setMaxCols(3);
    grid.setColHeaderRows(2);
    QCOMPARE(grid.ColHeaderRows(), 2);
    grid.setRow(-999); // the last header row
    grid.setCol(2);
    grid.setText(QStringLiteral("미달러"));
    grid.SetCellText(2, -1000, QStringLiteral("환율"));
    QCOMPARE(grid.GetCellText(2, -999), QStringLiteral("미달러"));
    QCOMPARE(grid.GetCellText(2, -1000), QStringLiteral("환율"));
    QCOMPARE(grid.cellModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("환율\n미달러"));
    // a row outside the header rows stores nothing
    grid.SetCellText(2, -998, QStringLiteral("x"));
    QCOMPARE(grid.GetCellText(2, -998), QString());
    // header texts survive a change of data rows
    grid.setMaxRows(5);
    grid.setMaxRows(0);
    QCOMPARE(grid.GetCellText(2, -999), QStringLiteral("미달러"));
    // fewer header rows drop the texts of the removed ones
    grid.setColHeaderRows(1);
    QCOMPARE(grid.GetCellText(2, -999), QString());
    QCOMPARE(grid.GetCellText(2, -1000), QStringLiteral("환율"));
}

// Two header rows, the upper one merged over columns 2-3: no line between them up there, one below.
void TstSpreadGrid::mergedHeaderCells()
{
    SpreadGrid grid;
    grid.resize(500, 200);
    grid.setMaxCols(4);
    grid.setMaxRows(3);
    grid.setColHeaderRows(2);
    grid.SetCellText(2, -1000, QStringLiteral("환율"));
    grid.SetCellText(2, -999, QStringLiteral("미달러"));
    grid.SetCellText(3, -999, QStringLiteral("베트남동"));
    grid.AddCellSpan(2, -1000, 2, 1);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QHeaderView *hh = grid.view()->horizontalHeader();
    const QImage image = hh->viewport()->grab().toImage();
    const int boundary = hh->sectionViewportPosition(2) - 1; // last pixel column of column 2
    const int upper = 4; // inside header row -1000
    const int lower = hh->height() - 4; // inside header row -999
    const QColor background = SpreadGrid::colorFromRgb(0xF2EFEC);
    QCOMPARE(image.pixelColor(boundary, upper), background);
    QVERIFY(image.pixelColor(boundary, lower) != background);
    // a merge that is not there draws the line
    const int otherBoundary = hh->sectionViewportPosition(1) - 1;
    QVERIFY(image.pixelColor(otherBoundary, upper) != background);
}

void TstSpreadGrid::redrawSuspendsNotifications()
{
    SpreadGrid grid;
    defineRateColumns(grid);
    QAbstractItemModel *m = grid.cellModel();
    QSignalSpy changed(m, &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(m, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(m, &QAbstractItemModel::modelReset);

    grid.setRedraw(false);
    QVERIFY(!grid.Redraw());
    QVERIFY(!grid.view()->updatesEnabled());
    for (int i = 1; i <= 500; ++i) {
        grid.setMaxRows(grid.MaxRows() + 1);
        for (int c = 1; c <= 5; ++c)
            grid.SetCellText(c, grid.MaxRows(), QString::number(i * c));
    }
    QCOMPARE(changed.count(), 0);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(m->rowCount(), 0); // the view keeps the count it last saw
    QCOMPARE(grid.MaxRows(), 500);
    QCOMPARE(grid.GetCellText(2, 500), QStringLiteral("1,000.00"));

    grid.setRedraw(true);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(m->rowCount(), 500);
    QVERIFY(grid.view()->updatesEnabled());

    // painting on: each change is announced at once
    grid.SetCellText(1, 1, QStringLiteral("x"));
    QCOMPARE(changed.count(), 1);
    grid.setMaxRows(501);
    QCOMPARE(inserted.count(), 1);
    // switching off and on without a change costs no reset
    grid.setRedraw(false);
    grid.setRedraw(true);
    QCOMPARE(reset.count(), 1);
}

void TstSpreadGrid::firstVisibleRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("expected");
    QTest::newRow("middle") << 1000 << 500 << 500;
    QTest::newRow("first") << 1000 << 1 << 1;
    QTest::newRow("zero taken as one") << 1000 << 0 << 1;
    QTest::newRow("negative taken as one") << 1000 << -7 << 1;
    QTest::newRow("fewer rows than a page") << 3 << -2 << 1;
    QTest::newRow("empty grid") << 0 << 5 << 1;
}

void TstSpreadGrid::firstVisibleRow()
{
    QFETCH(int, rows);
    QFETCH(int, asked);
    QFETCH(int, expected);
    SpreadGrid grid;
    grid.resize(400, 300);
    grid.setScrollBarMode(SpreadGrid::ScrollBarHorizontal);
    grid.setMaxCols(3);
    grid.setMaxRows(rows);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFirstVisibleRow(asked);
    QCOMPARE(grid.FirstVisibleRow(), expected);
}

void TstSpreadGrid::topLeftChangeOnProgramChange()
{
    SpreadGrid grid;
    grid.resize(300, 300);
    grid.setMaxCols(20);
    grid.setMaxRows(1000);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy spy(&grid, &SpreadGrid::TopLeftChange);

    grid.setFirstVisibleRow(200);
    QCOMPARE(spy.count(), 1); // raised synchronously, inside the call
    QCOMPARE(spy.at(0), (QList<QVariant>{1, 1, 1, 200}));

    grid.setFirstVisibleRow(200);
    QCOMPARE(spy.count(), 1); // no move, no event

    grid.setFirstVisibleCol(5);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1), (QList<QVariant>{1, 200, 5, 200}));

    // the user's scrolling reports too
    grid.view()->verticalScrollBar()->setValue(grid.view()->verticalScrollBar()->value() + 3);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(2), (QList<QVariant>{5, 200, 5, 203}));

    // emptying the grid (a new query) brings the first row back to 1, and says so
    grid.setMaxRows(0);
    QCOMPARE(grid.FirstVisibleRow(), 1);
    QCOMPARE(spy.count(), 4);
    QCOMPARE(spy.at(3).at(3).toInt(), 1);
}

void TstSpreadGrid::firstVisibleRowWhileRedrawOff()
{
    SpreadGrid grid;
    grid.resize(300, 300);
    grid.setMaxCols(3);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy spy(&grid, &SpreadGrid::TopLeftChange);
    grid.setRedraw(false);
    grid.setMaxRows(5000);
    grid.setFirstVisibleRow(4000); // rows the view has not been told of yet
    QCOMPARE(grid.FirstVisibleRow(), 4000);
    grid.setRedraw(true);
    QCOMPARE(grid.FirstVisibleRow(), 4000);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(3).toInt(), 4000);
}

void TstSpreadGrid::actionScrollsIntoView()
{
    SpreadGrid grid;
    grid.resize(300, 200);
    grid.setMaxCols(3);
    grid.setMaxRows(10000);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.ActiveCol(), 1);
    QCOMPARE(grid.ActiveRow(), 1);
    grid.setCol(2);
    grid.setRow(7777);
    grid.setAction(0);
    QCOMPARE(grid.ActiveCol(), 2);
    QCOMPARE(grid.ActiveRow(), 7777);
    QVERIFY(grid.FirstVisibleRow() <= 7777);
    QVERIFY(grid.FirstVisibleRow() > 7777 - 15);
    QCOMPARE(grid.view()->currentIndex(), grid.cellModel()->index(7776, 1));
    // the addressed cell is not moved by making it active, and a row outside the grid is refused
    grid.setRow(20000);
    grid.setAction(0);
    QCOMPARE(grid.ActiveRow(), 7777);
}

// The find window may make a far cell active while the grid's window is still hidden.
void TstSpreadGrid::actionBeforeShow()
{
    QWidget window;
    window.resize(400, 300);
    auto *grid = new SpreadGrid(&window);
    grid->setGeometry(0, 0, 400, 300);
    grid->setMaxCols(3);
    grid->setMaxRows(5000);
    grid->setCol(1);
    grid->setRow(3);
    grid->setAction(0);
    grid->setRow(4000);
    grid->setAction(0);
    QCOMPARE(grid->ActiveRow(), 4000);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(grid->FirstVisibleRow() <= 4000);
    QVERIFY(grid->FirstVisibleRow() > 4000 - 20);
}

void TstSpreadGrid::scrollBarMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("none") << 0 << false << false;
    QTest::newRow("horizontal only (navigator beside)") << 1 << true << false;
    QTest::newRow("both") << 3 << true << true;
}

void TstSpreadGrid::scrollBarMode()
{
    QFETCH(int, mode);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    SpreadGrid grid;
    grid.resize(200, 200);
    grid.setMaxCols(30);
    grid.setMaxRows(500);
    grid.setScrollBarMode(mode);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.ScrollBarMode(), mode);
    QCOMPARE(grid.view()->horizontalScrollBar()->isVisible(), horizontal);
    QCOMPARE(grid.view()->verticalScrollBar()->isVisible(), vertical);
    // scrolling by the program works without a visible bar (the navigator relies on it)
    grid.setFirstVisibleRow(100);
    QCOMPARE(grid.FirstVisibleRow(), 100);
}

void TstSpreadGrid::columnsFitFlush_data()
{
    QTest::addColumn<int>("widthTwips");
    // a widget's width in twips is always whole pixels times 15
    QTest::newRow("design width 6840") << 6840;
    QTest::newRow("1000 twips wider, in whole pixels") << 7830;
    QTest::newRow("odd pixel count") << 9015;
    QTest::newRow("narrow") << 3000;
}

// The navigator's "fit the grid's width" sizing: defined widths scaled to the room, the remark
// column taking what the reported widths leave; the last pixel column must be reached exactly.
void TstSpreadGrid::columnsFitFlush()
{
    QFETCH(int, widthTwips);
    SpreadGrid grid;
    defineRateColumns(grid);
    grid.setScrollBarMode(SpreadGrid::ScrollBarsNone);
    const int widthPx = widthTwips / 15;
    grid.resize(widthPx, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setColWidth(0, 4);
    const double defs[] = {0, 10, 10, 10, 10, 50};
    const int n = 5;
    const double sum = 90;
    const double available = ((widthTwips - (n + 3) * 15) / 15.0) * 0.124999 - grid.ColWidth(0);
    double used = 0;
    for (int c = 1; c <= 4; ++c) {
        grid.setColWidth(c, defs[c] / sum * available);
        used += grid.ColWidth(c);
    }
    grid.setColWidth(5, available - used);
    QTest::qWait(0);
    const int columns = grid.view()->horizontalHeader()->length();
    const int numbers = grid.view()->verticalHeader()->width();
    QCOMPARE(numbers + columns + 2, widthPx);
    QCOMPARE(grid.view()->horizontalScrollBar()->maximum(), 0);
}

void TstSpreadGrid::rowHeights()
{
    SpreadGrid grid;
    grid.setMaxCols(2);
    grid.setColHeaderRows(1);
    grid.setMaxRows(1000000);
    QHeaderView *vh = grid.view()->verticalHeader();
    QCOMPARE(grid.RowHeight(1), 10.22);
    QCOMPARE(vh->defaultSectionSize(), 16);
    grid.setRowHeight(-1000, 21.077);
    QCOMPARE(grid.RowHeight(-1000), 21.077);
    QCOMPARE(grid.view()->horizontalHeader()->height(), 33);
    // every row back to the standard: nothing stored per row
    for (int r = 1; r <= 1000000; ++r)
        grid.setRowHeight(r, 10.22);
    QCOMPARE(vh->sectionSize(999999), 16);
    grid.setRowHeight(5, 20.0);
    QCOMPARE(vh->sectionSize(4), 31);
    QCOMPARE(grid.RowHeight(5), 20.0);
    grid.setRowHeight(-1, 13.63); // every data row
    QCOMPARE(grid.RowHeight(5), 13.63);
    QCOMPARE(vh->sectionSize(4), 21);
    QCOMPARE(vh->sectionSize(999999), 21);
    QCOMPARE(grid.RowHeight(-1000), 21.077); // header rows keep theirs
    QCOMPARE(grid.RowHeight(1000001), 0.0);
}

void TstSpreadGrid::hiddenColumnsAndRows()
{
    SpreadGrid grid;
    grid.setMaxCols(4);
    grid.setMaxRows(10);
    grid.setRow(-1);
    grid.setCol(2);
    grid.setColHidden(true);
    QVERIFY(grid.ColHidden());
    QVERIFY(grid.view()->isColumnHidden(1));
    grid.setCol(3);
    QVERIFY(!grid.ColHidden());
    grid.setRow(4);
    grid.setRowHidden(true);
    QVERIFY(grid.RowHidden());
    QVERIFY(grid.view()->isRowHidden(3));
    grid.setRow(5);
    QVERIFY(!grid.RowHidden());
    // hidden rows travel with their row
    grid.InsertRows(2, 1);
    grid.setRow(5);
    QVERIFY(grid.RowHidden());
    QVERIFY(grid.view()->isRowHidden(4));
    QVERIFY(!grid.view()->isRowHidden(3));
    grid.setRowHidden(false);
    QVERIFY(!grid.view()->isRowHidden(4));
    grid.setCol(0);
    grid.setColHidden(true);
    QVERIFY(grid.view()->verticalHeader()->isHidden());
}

void TstSpreadGrid::maxTextWidth()
{
    SpreadGrid grid;
    defineRateColumns(grid);
    grid.setMaxRows(3);
    QCOMPARE(grid.MaxTextWidth(5), 0.0);
    grid.SetCellText(5, 1, QStringLiteral("짧은"));
    const double shortText = grid.MaxTextWidth(5);
    QVERIFY(shortText > 0);
    grid.SetCellText(5, 3, QStringLiteral("훨씬 더 긴 비고 문장입니다"));
    const double longText = grid.MaxTextWidth(5);
    QVERIFY(longText > shortText);
    // the widest text fits when the column gets its width plus half a unit
    const QFontMetrics fm(grid.view()->font());
    grid.setColWidth(5, longText + 0.5);
    const int columnPixels = grid.view()->horizontalHeader()->sectionSize(4);
    QVERIFY(columnPixels >= fm.horizontalAdvance(QStringLiteral("훨씬 더 긴 비고 문장입니다")) + 6);
    // header texts count; numbers are measured as shown
    grid.SetCellText(2, -1000, QStringLiteral("미국 달러 환율 (USD)"));
    grid.SetCellText(2, 1, QStringLiteral("1"));
    QVERIFY(grid.MaxTextWidth(2) * 8 >= fm.horizontalAdvance(QStringLiteral("미국 달러 환율 (USD)")));
    grid.SetCellText(3, 1, QStringLiteral("123456789"));
    QVERIFY(grid.MaxTextWidth(3) * 8 >= fm.horizontalAdvance(QStringLiteral("123,456,789")));
    QCOMPARE(grid.MaxTextWidth(9), 0.0);
}

void TstSpreadGrid::clickAndColumnDrag()
{
    SpreadGrid grid;
    grid.resize(400, 300);
    defineRateColumns(grid);
    grid.setMaxRows(20);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy clicks(&grid, &SpreadGrid::Click);
    QSignalSpy widths(&grid, &SpreadGrid::ColWidthChange);

    const QRect cell = grid.view()->visualRect(grid.cellModel()->index(2, 1));
    QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0), (QList<QVariant>{2, 3}));
    QCOMPARE(grid.ActiveCol(), 2);
    QCOMPARE(grid.ActiveRow(), 3);

    QHeaderView *hh = grid.view()->horizontalHeader();
    QTest::mouseClick(hh->viewport(), Qt::LeftButton, {}, QPoint(hh->sectionViewportPosition(3) + 5, 5));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(1), (QList<QVariant>{4, -1000}));

    // the program's own width changes raise nothing; a drag by the user does
    grid.setColWidth(2, 12);
    QCOMPARE(widths.count(), 0);
    hh->resizeSection(2, 120); // what a drag of the section edge ends in
    QCOMPARE(widths.count(), 1);
    QCOMPARE(widths.at(0), (QList<QVariant>{3, 3}));
    QCOMPARE(grid.ColWidth(3), (120 - 1) / 8.0);
}

void TstSpreadGrid::textTip_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shown");
    QTest::newRow("cut-off text") << 1 << "아주 긴 비고 문장이 칸을 넘어서 잘려 보입니다 정말로" << true;
    QTest::newRow("text that fits") << 1 << "짧음" << false;
    QTest::newRow("tips off") << 0 << "아주 긴 비고 문장이 칸을 넘어서 잘려 보입니다 정말로" << false;
}

void TstSpreadGrid::textTip()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(bool, shown);
    SpreadGrid grid;
    grid.resize(400, 300);
    defineRateColumns(grid);
    grid.setMaxRows(3);
    grid.setColWidth(5, 8);
    grid.setTextTipMode(mode);
    grid.SetTextTipStyle(QStringLiteral("굴림체"), 10, false, false, 0xC0FFFF, 0);
    grid.SetCellText(5, 2, text);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFirstVisibleCol(1);
    const QRect cell = grid.view()->visualRect(grid.cellModel()->index(1, 4));
    QHelpEvent help(QEvent::ToolTip, cell.center(), grid.view()->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(grid.view()->viewport(), &help);
    QLabel *tip = visibleTip();
    QCOMPARE(tip != nullptr, shown);
    if (!tip)
        return;
    QCOMPARE(tip->text(), text);
    QCOMPARE(tip->font().pointSizeF(), 10.0);
    // leaving the grid takes the tip away
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(grid.view()->viewport(), &leave);
    QVERIFY(!tip->isVisible());
}

void TstSpreadGrid::destroyedWhileShown_data()
{
    QTest::addColumn<bool>("withTip");
    QTest::newRow("scrolled, then emptied") << false;
    QTest::newRow("text tip shown before") << true;
}

// Closing a shown grid hides its children, and an emptied grid scrolled to the right moves its
// scroll bars then; the grid must not react (nor report a new top-left cell, nor touch its
// text tip) once its own part is destroyed.
void TstSpreadGrid::destroyedWhileShown()
{
    QFETCH(bool, withTip);
    auto *grid = new SpreadGrid;
    grid->resize(300, 300);
    defineRateColumns(*grid);
    grid->setMaxRows(1000);
    grid->setColWidth(5, 8);
    grid->setTextTipMode(1);
    grid->SetCellText(5, 1, QStringLiteral("비고가 칸보다 훨씬 깁니다 — 끝까지 보이지 않습니다"));
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid));
    grid->setFirstVisibleCol(1);
    if (withTip) {
        const QRect cell = grid->view()->visualRect(grid->cellModel()->index(0, 4));
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid->view()->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid->view()->viewport(), &help);
        QVERIFY(visibleTip());
    }
    grid->setMaxCols(20);
    grid->setFirstVisibleRow(500);
    grid->setFirstVisibleCol(5);
    QCOMPARE(grid->FirstVisibleRow(), 500);
    grid->setMaxRows(0);

    QObject watcher;
    int changes = 0;
    connect(grid, &SpreadGrid::TopLeftChange, &watcher, [&changes] { ++changes; });
    delete grid;
    QCOMPARE(changes, 0);
}

void TstSpreadGrid::fontSubstitution()
{
    SpreadGrid grid;
    grid.setFontName(QStringLiteral("굴림체"));
    grid.setFontSize(9);
    QCOMPARE(grid.FontName(), QStringLiteral("굴림체"));
    QCOMPARE(grid.FontSize(), 9.0);
    QCOMPARE(QFontInfo(grid.view()->font()).family(), QStringLiteral("NanumGothicCoding"));
    QCOMPARE(grid.view()->font().pointSizeF(), 9.0);
}

void TstSpreadGrid::colours_data()
{
    QTest::addColumn<int>("rgb");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red is the low byte") << 0x0000FF << QColor(255, 0, 0);
    QTest::newRow("light yellow 255,255,192") << 0xC0FFFF << QColor(255, 255, 192);
    QTest::newRow("highlight 255,192,192") << 0xC0C0FF << QColor(255, 192, 192);
    QTest::newRow("navy text 0,0,100") << 0x640000 << QColor(0, 0, 100);
}

void TstSpreadGrid::colours()
{
    QFETCH(int, rgb);
    QFETCH(QColor, color);
    QCOMPARE(SpreadGrid::colorFromRgb(rgb), color);
    QCOMPARE(SpreadGrid::rgbFromColor(color), rgb);
    SpreadGrid grid;
    grid.setMaxCols(2);
    grid.setMaxRows(2);
    grid.setCol(2);
    grid.setRow(2);
    grid.setBackColor(rgb);
    grid.setForeColor(rgb);
    QCOMPARE(grid.BackColor(), rgb);
    QCOMPARE(grid.cellModel()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(), color);
    QCOMPARE(grid.cellModel()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), color);
    // the neighbour keeps the defaults: white on black
    grid.setCol(1);
    QCOMPARE(grid.BackColor(), 0xFFFFFF);
    QCOMPARE(grid.ForeColor(), 0);
}

QTEST_MAIN(TstSpreadGrid)
#include "tst_spreadgrid.moc"
