#include "graph/frmssgraph.h"
#include "graph/graphoptions.h"
#include "gridnav/ss_move_info.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/chart/chartcontrol.h"
#include "platform/chart/charteditor.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include "../common/fakeservices.h"
#include "../common/scrollbarparts.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImageReader>
#include <QLabel>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using Rows = QList<QStringList>; // label, value text

namespace {

// A source grid: one header row ("구분", the Y title), column 1 labels, column 2 numbers as text.
void fillGrid(SpreadGrid &g, const Rows &rows, const QString &xTitle = QStringLiteral("구분"),
              const QString &yTitle = QStringLiteral("금액"))
{
    g.setRedraw(false);
    g.setMaxCols(4);
    g.setColHeaderRows(1);
    g.setMaxRows(int(rows.size()));
    g.SetCellText(1, SpreadGrid::FirstHeaderRow, xTitle);
    g.SetCellText(2, SpreadGrid::FirstHeaderRow, yTitle);
    for (int r = 0; r < rows.size(); ++r) {
        g.SetCellText(1, r + 1, rows.at(r).at(0));
        g.SetCellText(2, r + 1, rows.at(r).at(1));
    }
    g.setRedraw(true);
}

Rows manyRows(int n)
{
    Rows rows;
    for (int i = 0; i < n; ++i)
        rows.append({QStringLiteral("항목%1").arg(i, 5, 10, QLatin1Char('0')), QString::number(i + 1)});
    return rows;
}

// What the message screen showed, answered with `answer`.
struct Shown
{
    QString title;
    QStringList lines;
    int count = 0;
};

void answerWith(Shown &shown, int answer)
{
    MsgScr::answerHook() = [&shown, answer](FrmMsgScr &s) {
        ++shown.count;
        shown.title = s.lblTitle()->text();
        shown.lines.clear();
        for (QLabel *l : s.lblText())
            shown.lines.append(l->text());
        MsgScr::answerWith(answer)(s);
    };
}

// The pointer moved to `pos` of `w`, as the window system reports it: the window finds the widget
// under the pointer, with the enter and leave events that go with it.
void moveTo(QWidget *w, QPoint pos)
{
    QTest::mouseMove(w->window()->windowHandle(), w->mapTo(w->window(), pos));
}

void moveTo(QWidget *w)
{
    moveTo(w, w->rect().center());
}

// A click on the colour swatch of an item's row in the summary grid.
void clickSwatch(SpreadGrid *g, int row)
{
    QTableView *view = g->view();
    const QModelIndex cell = g->cellModel()->index(row - 1, 0);
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
}

// A check box clicked until it shows `on`.
void setTicked(QCheckBox *box, bool on)
{
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(box->isChecked(), on);
}

int backColor(SpreadGrid *g, int col, int row)
{
    g->setCol(col);
    g->setRow(row);
    return g->BackColor();
}

} // namespace

class TstFrmSSGraph : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void buildFillsGridAndTotals();
    void noNumericRows();
    void sortAndCompanyAxis_data();
    void sortAndCompanyAxis();
    void pieOthersAndNotShown_data();
    void pieOthersAndNotShown();
    void pieSwatchRefusals_data();
    void pieSwatchRefusals();
    void swatchColourForBarAndLine();
    void swatchUntintedUnderTheActiveCell();
    void valueMarksOverTheirBars_data();
    void valueMarksOverTheirBars();
    void lineHeadroom();
    void pageSizeCaps_data();
    void pageSizeCaps();
    void autoPresetPerType_data();
    void autoPresetPerType();
    void crossReadoutHighlightsRow();
    void crossHairFollowsThePointer();
    void rebuildStartsSummaryAtTop();
    void hintsHideCrossHair_data();
    void hintsHideCrossHair();
    void heldScrollButtonRepeats();
    void showAllAndRedrawButtons_data();
    void stripControls_data();
    void stripControls();
    void showAllAndRedrawButtons();
    void pieScrollInDegrees();
    void smallWindowKeepsLayout();
    void closeHidesAndReopens();
    void f1RevealsAdvancedSettings();
    void jpegSizeAndName();
    void overwriteAnsweredNo();
    void emptyFileName();
    void printing_data();
    void printing();

private:
    FakeServices m_fakes; // the program's services, faked where a test says so
    FrmSSGraph *m_window = nullptr;
    SpreadGrid *m_grid = nullptr;
    QTemporaryDir m_dir;
};

void TstFrmSSGraph::init()
{
    m_fakes->twipsPerPixel = 15;
    m_window = new FrmSSGraph;
    m_grid = new SpreadGrid;
}

void TstFrmSSGraph::cleanup()
{
    m_fakes.reset();
    delete m_window;
    delete m_grid;
}

void TstFrmSSGraph::buildFillsGridAndTotals()
{
    QAbstractItemModelTester tester(m_window->SS_TXT()->cellModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    fillGrid(*m_grid, {{"A", "10"}, {"A", "5"}, {"B", "3"}, {"합계", "18"}, {"C", "-1,000.5"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("환율관리 프로그램"), QString(), QString(), true);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Graph [환율관리 프로그램]"));
    QCOMPARE(m_window->chtGraph()->headerLine(0), QStringLiteral("구분 별 금액"));

    SpreadGrid *g = m_window->SS_TXT();
    QCOMPARE(g->MaxRows(), 3);
    QCOMPARE(g->GetCellText(2, 1), QStringLiteral("A"));
    QCOMPARE(g->GetCellText(4, 1), QStringLiteral("15.00"));
    QCOMPARE(g->GetCellText(2, 3), QStringLiteral("C"));
    QCOMPARE(g->GetCellText(4, 3), QStringLiteral("-1,000.50"));
    // total -982.5: A's ratio is negative and shows red; C's share is positive
    QCOMPARE(g->GetCellText(3, 1), QStringLiteral("-1.53%"));
    g->setCol(3);
    g->setRow(1);
    QCOMPARE(g->ForeColor(), 255);
    g->setRow(3);
    QCOMPARE(g->ForeColor(), 0);
    QCOMPARE(g->GetCellText(1, SpreadGrid::FirstHeaderRow), QStringLiteral("구분"));
    QCOMPARE(g->GetCellText(3, SpreadGrid::FirstHeaderRow), QStringLiteral("비율(%)"));
    QCOMPARE(g->GetCellText(4, SpreadGrid::FirstHeaderRow), QStringLiteral("금액"));

    QCOMPARE(m_window->lblSS_SUM(0)->text(), QStringLiteral("3 건"));
    QCOMPARE(m_window->lblSS_SUM(1)->text(), QStringLiteral("-982.50"));
    QVERIFY(m_window->lblSS_SUM(1)->styleSheet().contains(QStringLiteral("#ff0000")));
    QVERIFY(m_window->lblSS_SUM(0)->styleSheet().contains(QStringLiteral("#000064")));

    // bar chart: one point per item in its own colour, swatch in the same colour
    QCOMPARE(m_window->chtGraph()->seriesKind(), ChartControl::Bar);
    QCOMPARE(m_window->chtGraph()->pointCount(), 3);
    const GraphDataSet &d = m_window->dataSet();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(backColor(g, 1, i + 1), d.GraphColors.at(i));
        QCOMPARE(m_window->chtGraph()->point(i).colour, SpreadGrid::colorFromRgb(d.GraphColors.at(i)));
    }
    QVERIFY(qAbs(g->ColWidth(2) - 10.62) < 1.0 / 8); // whole pixels of 8-pixel units
    QCOMPARE(g->RowHeight(1), 10.22);
}

void TstFrmSSGraph::noNumericRows()
{
    fillGrid(*m_grid, {{"a", "없음"}, {"b", ""}});
    SS_MOVE_INFO info;
    info.Grid = m_grid;
    m_window->sbDisp_SS_Graph_Init(info, 1, 2, QStringLiteral("T"), QString(), QStringLiteral("(원)"), true);
    QCOMPARE(m_window->dataSet().GraphCount, 0);
    QCOMPARE(m_window->SS_TXT()->MaxRows(), 0);
    QCOMPARE(m_window->chtGraph()->pointCount(), 0);
    QCOMPARE(m_window->lblSS_SUM(0)->text(), QStringLiteral("0 건"));
    QCOMPARE(m_window->lblSS_SUM(1)->text(), QStringLiteral("0.00"));
    QCOMPARE(m_window->dataSet().YTitle, QStringLiteral("금액 (원)"));
    QCOMPARE(m_window->chtGraph()->headerLine(0), QStringLiteral("구분 별 금액 (원)"));
    // every option still works on an empty chart
    QTest::mouseClick(m_window->optType(0), Qt::LeftButton);
    m_window->sbGraph_ShowCrossValue(3, 3);
    QCOMPARE(m_window->highlightedRow(), 0);
    QTest::mouseClick(m_window->optType(2), Qt::LeftButton);
    QCOMPARE(m_window->chtGraph()->pointCount(), 0);
    QVERIFY(!m_window->lblRemPie()->isVisibleTo(m_window));
}

void TstFrmSSGraph::sortAndCompanyAxis_data()
{
    QTest::addColumn<QString>("xTitle");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("sorted") << "구분" << QStringList{"A", "b", "c"};
    QTest::newRow("company axis keeps grid order") << "거래업체" << QStringList{"b", "A", "c"};
}

void TstFrmSSGraph::sortAndCompanyAxis()
{
    QFETCH(QString, xTitle);
    QFETCH(QStringList, order);
    fillGrid(*m_grid, {{"b", "1"}, {"A", "2"}, {"c", "3"}}, xTitle, QStringLiteral("중량(kg)"));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QCOMPARE(m_window->dataSet().GraphLabels, order);
    QCOMPARE(m_window->chtGraph()->headerLine(0), xTitle + QStringLiteral(" 별 중량"));
}

void TstFrmSSGraph::pieOthersAndNotShown_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QList<int>>("swatches"); // -1 = item colour
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("note");
    QTest::newRow("others") << Rows{{"a", "50"}, {"b", "30"}, {"c", "0.5"}} << QList<int>{-1, -1, 0xFFFFFF} << 3
                            << QStringLiteral("※ [주] : 비율이 1% 이하인 값은 기타로 표시");
    QTest::newRow("not shown") << Rows{{"a", "10"}, {"b", "-5"}, {"c", "0"}} << QList<int>{-1, 0, 0} << 1
                               << QStringLiteral("※ [주] : 0 이거나 0 보다 작은값은 표시 않됨");
    QTest::newRow("none") << Rows{{"a", "99"}, {"b", "1"}} << QList<int>{-1, -1} << 2 << QString();
}

void TstFrmSSGraph::pieOthersAndNotShown()
{
    QFETCH(Rows, rows);
    QFETCH(QList<int>, swatches);
    QFETCH(int, points);
    QFETCH(QString, note);
    fillGrid(*m_grid, rows);
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QTest::mouseClick(m_window->optType(2), Qt::LeftButton);
    QCOMPARE(m_window->chtGraph()->seriesKind(), ChartControl::Pie);
    QCOMPARE(m_window->chtGraph()->pointCount(), points);
    for (int i = 0; i < swatches.size(); ++i) {
        const int expected = swatches.at(i) < 0 ? m_window->dataSet().GraphColors.at(i) : swatches.at(i);
        QCOMPARE(backColor(m_window->SS_TXT(), 1, i + 1), expected);
    }
    QCOMPARE(m_window->lblRemPie()->isVisibleTo(m_window), !note.isEmpty());
    if (!note.isEmpty()) {
        QCOMPARE(m_window->lblRemPie()->text(), note);
        // the chart makes room for the note
        QVERIFY(m_window->chtGraph()->geometry().bottom() < m_window->lblRemPie()->geometry().top());
    }
    if (swatches.contains(0xFFFFFF)) {
        const ChartPoint others = m_window->chtGraph()->point(points - 1);
        QCOMPARE(others.label, QStringLiteral("기타"));
        QCOMPARE(others.value, 0.5);
        QCOMPARE(others.colour, QColor(Qt::white));
    }
    // the pie has no cross-hair and no zoom buttons
    QVERIFY(!m_window->chkViewCross()->isEnabled());
    QVERIFY(!m_window->cmdScroll(6)->isEnabled());
    QVERIFY(!m_window->cmdScroll(8)->isEnabled());
}

void TstFrmSSGraph::pieSwatchRefusals_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("not shown") << 4 << QStringLiteral("그래프에서 표시되지 않은 영역의 색은 흑색이며,");
    QTest::newRow("others") << 3 << QStringLiteral("그래프에서 기타로 표시되는 영역의 색은 백색이며,");
    QTest::newRow("slice") << 1 << QString();
}

void TstFrmSSGraph::pieSwatchRefusals()
{
    QFETCH(int, row);
    QFETCH(QString, firstLine);
    fillGrid(*m_grid, {{"a", "50"}, {"b", "30"}, {"c", "0.5"}, {"d", "-1"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QTest::mouseClick(m_window->optType(2), Qt::LeftButton);
    Shown shown;
    answerWith(shown, 1);
    int asked = 0;
    m_fakes->colorDialog = [&asked](const QColor &, const QString &title) -> std::optional<QColor> {
        ++asked;
        if (title != QStringLiteral("그래프 색"))
            return std::nullopt;
        return QColor(10, 20, 30);
    };
    clickSwatch(m_window->SS_TXT(), row);
    if (firstLine.isEmpty()) {
        QCOMPARE(shown.count, 0);
        QCOMPARE(asked, 1);
        QCOMPARE(m_window->dataSet().GraphColors.at(row - 1), 10 | (20 << 8) | (30 << 16));
        QCOMPARE(m_window->chtGraph()->point(0).colour, QColor(10, 20, 30));
    } else {
        QCOMPARE(asked, 0);
        QCOMPARE(shown.count, 1);
        QCOMPARE(shown.title, QStringLiteral("색지정을 할 수 없습니다."));
        QCOMPARE(shown.lines.value(0), firstLine);
        QCOMPARE(shown.lines.value(1), QStringLiteral("다른색으로 지정을 할 수 없습니다."));
    }
}

void TstFrmSSGraph::swatchColourForBarAndLine()
{
    fillGrid(*m_grid, {{"a", "5"}, {"b", "6"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    // cancel changes nothing
    m_fakes->colorDialog = [](const QColor &, const QString &) { return std::optional<QColor>(); };
    const int before = m_window->dataSet().GraphColors.at(1);
    clickSwatch(m_window->SS_TXT(), 2);
    QCOMPARE(m_window->dataSet().GraphColors.at(1), before);
    // a line chart has one colour for all points, kept over a rebuild
    QTest::mouseClick(m_window->optType(0), Qt::LeftButton);
    m_fakes->colorDialog = [](const QColor &, const QString &) { return std::optional<QColor>(QColor(0, 128, 0)); };
    clickSwatch(m_window->SS_TXT(), 2);
    QCOMPARE(m_window->lineColor(), QColor(0, 128, 0));
    QCOMPARE(m_window->chtGraph()->point(0).colour, QColor(0, 128, 0));
    QCOMPARE(backColor(m_window->SS_TXT(), 1, 1), 0x008000);
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QCOMPARE(m_window->chtGraph()->point(1).colour, QColor(0, 128, 0));
}

void TstFrmSSGraph::swatchUntintedUnderTheActiveCell()
{
    fillGrid(*m_grid, {{"a", "5"}, {"b", "6"}, {"c", "7"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_fakes->colorDialog = [](const QColor &, const QString &) { return std::optional<QColor>(); };
    SpreadGrid *grid = m_window->SS_TXT();
    QTableView *view = grid->view();
    const QRect swatch = view->visualRect(grid->cellModel()->index(1, 0));
    // the user clicks the second item's swatch: it becomes the active cell
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, swatch.center());
    QCOMPARE(grid->ActiveRow(), 2);
    QCOMPARE(grid->ActiveCol(), 1);
    const QImage shot = view->viewport()->grab().toImage();
    const QColor shown = shot.pixelColor(swatch.center() * shot.devicePixelRatio());
    QCOMPARE(shown.rgb(), m_window->chtGraph()->point(1).colour.rgb());
}

void TstFrmSSGraph::valueMarksOverTheirBars_data()
{
    QTest::addColumn<int>("valueType");
    QTest::addColumn<bool>("all");
    QTest::newRow("Y값") << 0 << true;
    // three bars wide each: every n-th, none stacked above the others
    QTest::newRow("X값 Y값") << 4 << false;
}

void TstFrmSSGraph::valueMarksOverTheirBars()
{
    QFETCH(int, valueType);
    QFETCH(bool, all);
    Rows rows;
    for (int i = 0; i < 15; ++i)
        rows.append({QStringLiteral("2024/03/%1").arg(i + 1, 2, 10, QLatin1Char('0')),
                     QString::number(1285 + (i * 7) % 26, 'f', 2)});
    fillGrid(*m_grid, rows, QStringLiteral("일자"), QStringLiteral("미달러"));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    // a bar chart in 3D with its values
    setTicked(m_window->chkView3D(), true);
    setTicked(m_window->chkViewValue(), true);
    // the arrow key on the list box steps through its items (each choice hands the focus to the chart)
    for (int k = 0; k < valueType; ++k)
        QTest::keyClick(m_window->cboValueType(), Qt::Key_Down);
    QCOMPARE(m_window->cboValueType()->currentIndex(), valueType);
    ChartControl *chart = m_window->chtGraph();
    const QVector<QRectF> boxes = chart->markBoxes();
    QCOMPARE(boxes.size(), 15);
    const QRectF front = chart->plotFront();
    QList<int> shown;
    for (int i = 0; i < boxes.size(); ++i) {
        if (boxes[i].isEmpty())
            continue;
        shown << i;
        // never over the left axis labels, never over the bottom ones
        QVERIFY(boxes[i].left() > front.left());
        QVERIFY(boxes[i].bottom() < front.bottom());
        QVERIFY(chart->rect().contains(boxes[i].toAlignedRect()));
        for (int j = 0; j < i; ++j)
            QVERIFY2(!boxes[i].intersects(boxes[j]),
                     qPrintable(QStringLiteral("marks %1 and %2").arg(j + 1).arg(i + 1)));
    }
    // all of them, or every n-th from the first
    const int n = all ? 1 : shown.value(1);
    QVERIFY(n > (all ? 0 : 1));
    QCOMPARE(shown.size(), (14 / n) + 1);
    for (qsizetype k = 0; k < shown.size(); ++k)
        QCOMPARE(shown.at(k), int(k) * n);
}

void TstFrmSSGraph::lineHeadroom()
{
    fillGrid(*m_grid, {{"a", "500"}, {"b", "1000"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    setTicked(m_window->chkViewAuto(), false);
    QTest::mouseClick(m_window->optType(0), Qt::LeftButton);
    setTicked(m_window->chkViewValue(), true);
    QCOMPARE(m_window->chtGraph()->leftAxisMaximum(), 1040.0);
    QVERIFY(m_window->cboValueType()->isEnabled());
    setTicked(m_window->chkViewValue(), false);
    QCOMPARE(m_window->chtGraph()->leftAxisMaximum(), 1000.0);
    QVERIFY(!m_window->cboValueType()->isEnabled());
    // bars get no headroom
    QTest::mouseClick(m_window->optType(1), Qt::LeftButton);
    setTicked(m_window->chkViewValue(), true);
    QCOMPARE(m_window->chtGraph()->leftAxisMaximum(), 1000.0);
}

void TstFrmSSGraph::pageSizeCaps_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("maximum");
    QTest::newRow("2000 items") << 2000 << 5000 << 1000 << 1000;
    QTest::newRow("12 items") << 12 << 15 << 12 << 0;
    QTest::newRow("below one") << 30 << 0 << 1 << 29;
}

void TstFrmSSGraph::pageSizeCaps()
{
    QFETCH(int, items);
    QFETCH(int, asked);
    QFETCH(int, perPage);
    QFETCH(int, maximum);
    fillGrid(*m_grid, manyRows(items));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    int n = asked;
    m_window->sbGraph_SetPageSize(n);
    QCOMPARE(n, perPage);
    QCOMPARE(m_window->chtGraph()->maxPointsPerPage(), perPage);
    QCOMPARE(m_window->sclScroll()->maximum(), maximum);
    QCOMPARE(m_window->lblScroll(1)->text(), QString::number(maximum + 1));
    QCOMPARE(m_window->lblScroll(2)->text(), QString::number(perPage));
}

void TstFrmSSGraph::autoPresetPerType_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<bool>("viewValue");
    QTest::addColumn<bool>("viewCross");
    QTest::addColumn<int>("valueType");
    QTest::newRow("line") << 0 << false << false << true << 0;
    QTest::newRow("bar") << 1 << true << true << true << 0;
    QTest::newRow("pie") << 2 << true << true << false << 4;
}

void TstFrmSSGraph::autoPresetPerType()
{
    QFETCH(int, option);
    QFETCH(bool, view3D);
    QFETCH(bool, viewValue);
    QFETCH(bool, viewCross);
    QFETCH(int, valueType);
    fillGrid(*m_grid, {{"a", "5"}, {"b", "6"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    if (m_window->optType(option)->isChecked()) {
        // bar is chosen when the window opens: the user goes to the pie and back
        QTest::mouseClick(m_window->optType(2), Qt::LeftButton);
        setTicked(m_window->chkView3D(), false);
    }
    QTest::mouseClick(m_window->optType(option), Qt::LeftButton);
    QCOMPARE(m_window->chkView3D()->isChecked(), view3D);
    QCOMPARE(m_window->chtGraph()->view3D(), view3D);
    QCOMPARE(m_window->chkViewValue()->isChecked(), viewValue);
    QCOMPARE(m_window->chtGraph()->marksVisible(), viewValue);
    QCOMPARE(m_window->chkViewCross()->isChecked(), viewCross);
    QCOMPARE(m_window->cboValueType()->currentIndex(), valueType);
    QCOMPARE(int(m_window->chtGraph()->marksStyle()), GraphOptions::markStyleCode(valueType));
    QCOMPARE(m_window->lneStart()->isVisibleTo(m_window), option == 2);
}

void TstFrmSSGraph::crossReadoutHighlightsRow()
{
    fillGrid(*m_grid, {{"A", "10"}, {"B", "2,000.5"}, {"가나", "-1"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QCOMPARE(m_window->lblViewCross(0)->text(), QStringLiteral("X: ()"));
    m_window->sbGraph_ShowCross(true);
    m_window->sbGraph_ShowCrossValue(1.2, 1234.4);
    QCOMPARE(m_window->lblViewCross(0)->text(), QStringLiteral("X: 2     (B)"));
    QCOMPARE(m_window->lblViewCross(1)->text(), QStringLiteral("Y: 1,234 (2,000.50)"));
    QCOMPARE(m_window->highlightedRow(), 2);
    QCOMPARE(backColor(m_window->SS_TXT(), 2, 2), 0xC0C0FF);
    QCOMPARE(backColor(m_window->SS_TXT(), 4, 2), 0xC0C0FF);
    // moving on restores the old row
    m_window->sbGraph_ShowCrossValue(0, 5);
    QCOMPARE(backColor(m_window->SS_TXT(), 2, 2), 0xFFFFFF);
    QCOMPARE(backColor(m_window->SS_TXT(), 2, 1), 0xC0C0FF);
    // the swatch column keeps its colour
    QCOMPARE(backColor(m_window->SS_TXT(), 1, 1), m_window->dataSet().GraphColors.at(0));
    // the frame is as wide as the wider read-out plus its margin
    QVERIFY(m_window->fmeViewCross()->width() > m_window->lblViewCross(1)->width());
    // turning the cross-hair off clears the highlight
    m_window->sbGraph_ShowCross(false);
    QCOMPARE(backColor(m_window->SS_TXT(), 2, 1), 0xFFFFFF);
    QVERIFY(!m_window->lneX()->isVisibleTo(m_window));
}

void TstFrmSSGraph::crossHairFollowsThePointer()
{
    fillGrid(*m_grid, manyRows(200));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    // the line chart's preset ticks 십자선
    QTest::mouseClick(m_window->optType(0), Qt::LeftButton);
    QVERIFY(m_window->chkViewCross()->isChecked());
    ChartControl *chart = m_window->chtGraph();
    const QPoint at(chart->width() / 2, chart->height() / 2);
    moveTo(chart, QPoint(2, 2)); // from wherever the pointer was left
    moveTo(chart, at);
    QVERIFY(m_window->lneX()->isVisibleTo(m_window));
    QVERIFY(m_window->lneY()->isVisibleTo(m_window));
    QVERIFY(m_window->fmeViewCross()->isVisibleTo(m_window));
    QCOMPARE(m_window->lneX()->x(), at.x());
    QCOMPARE(m_window->lneY()->y(), at.y());
    const int item = GraphOptions::readoutItem(m_window->lblViewCross(0)->text());
    QVERIFY2(item > 1 && item <= 15, qPrintable(m_window->lblViewCross(0)->text()));
    QCOMPARE(m_window->highlightedRow(), item);
    QCOMPARE(backColor(m_window->SS_TXT(), 2, item), 0xC0C0FF);
    // the read-out stands beside the pointer
    QVERIFY(m_window->fmeViewCross()->geometry().left() > at.x());
    // a click on the chart brings the item's row to the top of the summary grid
    QCOMPARE(m_window->SS_TXT()->FirstVisibleRow(), 1);
    QTest::mouseClick(chart, Qt::LeftButton, {}, at);
    QCOMPARE(m_window->SS_TXT()->FirstVisibleRow(), item);
}

void TstFrmSSGraph::rebuildStartsSummaryAtTop()
{
    fillGrid(*m_grid, manyRows(200));
    for (int r = 1; r <= 200; ++r)
        m_grid->SetCellText(3, r, QString::number(r * 2));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // the user pages the summary grid down with its scroll bar
    QScrollBar *bar = m_window->SS_TXT()->view()->verticalScrollBar();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - bar->width() - 4));
    QVERIFY(m_window->SS_TXT()->FirstVisibleRow() > 10);
    // the chart is rebuilt from another column
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 3, QStringLiteral("T"), QString(), QString(), true);
    QCOMPARE(m_window->SS_TXT()->FirstVisibleRow(), 1);
    QCOMPARE(m_window->chtGraph()->firstVisiblePoint(), 0);
}

void TstFrmSSGraph::hintsHideCrossHair_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("summary grid") << "SS_TXT";
    QTest::newRow("option strip") << "picOption";
    QTest::newRow("scroll button") << "cmdScroll_4";
    QTest::newRow("close") << "cmdClose";
    QTest::newRow("type option") << "optType_0";
}

void TstFrmSSGraph::hintsHideCrossHair()
{
    QFETCH(QString, control);
    fillGrid(*m_grid, {{"a", "1"}, {"b", "2"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    if (!m_window->chkViewCross()->isChecked())
        QTest::mouseClick(m_window->chkViewCross(), Qt::LeftButton);
    QVERIFY(m_window->chkViewCross()->isChecked());
    ChartControl *chart = m_window->chtGraph();
    moveTo(chart, QPoint(2, 2)); // from wherever the pointer was left
    moveTo(chart);
    QVERIFY(m_window->lneX()->isVisibleTo(m_window));
    QVERIFY(m_window->highlightedRow() > 0);
    // moving on over the chart keeps it
    moveTo(chart, chart->rect().center() + QPoint(5, 5));
    QVERIFY(m_window->lneX()->isVisibleTo(m_window));
    QWidget *w = m_window->findChild<QWidget *>(control);
    QVERIFY(w);
    moveTo(w);
    QVERIFY(!m_window->lneX()->isVisibleTo(m_window));
    QVERIFY(!m_window->fmeViewCross()->isVisibleTo(m_window));
    QCOMPARE(backColor(m_window->SS_TXT(), 2, m_window->highlightedRow()), 0xFFFFFF);
    // the pie never shows it
    QTest::mouseClick(m_window->optType(2), Qt::LeftButton);
    QVERIFY(m_window->optType(2)->isChecked());
    moveTo(chart, QPoint(10, 10));
    moveTo(chart);
    QVERIFY(!m_window->lneX()->isVisibleTo(m_window));
}

void TstFrmSSGraph::heldScrollButtonRepeats()
{
    fillGrid(*m_grid, manyRows(200));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QCOMPARE(m_window->sclScroll()->maximum(), 185);
    PicButton *right = m_window->cmdScroll(3);
    QElapsedTimer clock;
    qint64 firstRepeatAt = -1;
    connect(m_window->tmeScroll(), &QTimer::timeout, this, [&] {
        if (firstRepeatAt < 0)
            firstRepeatAt = clock.elapsed();
    });
    clock.start();
    QTest::mousePress(right, Qt::LeftButton);
    QCOMPARE(m_window->sclScroll()->value(), 1); // at once
    QTRY_VERIFY_WITH_TIMEOUT(m_window->sclScroll()->value() >= 4, 1500);
    // the first repeat waits 450 ms, so a click never scrolls twice
    QVERIFY2(firstRepeatAt >= 449, qPrintable(QString::number(firstRepeatAt)));
    QCOMPARE(m_window->tmeScroll()->interval(), 60);
    QTest::mouseRelease(right, Qt::LeftButton);
    const int stopped = m_window->sclScroll()->value();
    QVERIFY(!m_window->tmeScroll()->isActive());
    QCOMPARE(m_window->tmeScroll()->interval(), 450);
    QTest::qWait(200);
    QCOMPARE(m_window->sclScroll()->value(), stopped);
    QCOMPARE(m_window->chtGraph()->firstVisiblePoint(), stopped);
    QCOMPARE(m_window->lblScroll(0)->text(), QString::number(stopped + 1));
    // the last button jumps once and never repeats
    QTest::mousePress(m_window->cmdScroll(5), Qt::LeftButton);
    QCOMPARE(m_window->sclScroll()->value(), 185);
    QVERIFY(!m_window->tmeScroll()->isActive());
    QTest::mouseRelease(m_window->cmdScroll(5), Qt::LeftButton);
}

void TstFrmSSGraph::showAllAndRedrawButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<QString>("count");
    QTest::newRow("zoom out: one point fewer") << 6 << 14 << "187";
    QTest::newRow("zoom in: one point more") << 7 << 16 << "185";
    QTest::newRow("show all") << 8 << 782 << "1";
    QTest::newRow("redraw at 15") << 9 << 15 << "768";
}

void TstFrmSSGraph::showAllAndRedrawButtons()
{
    QFETCH(int, button);
    QFETCH(int, perPage);
    QFETCH(QString, count);
    fillGrid(*m_grid, manyRows(button >= 8 ? 782 : 200));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QTest::mouseClick(m_window->optType(0), Qt::LeftButton);
    // a page of 16 first, so that both rebuilds change what the strip shows
    if (button >= 8)
        QTest::mouseClick(m_window->cmdScroll(7), Qt::LeftButton);
    QTest::mouseClick(m_window->cmdScroll(button), Qt::LeftButton);
    QCOMPARE(m_window->chtGraph()->maxPointsPerPage(), perPage);
    QCOMPARE(m_window->lblScroll(1)->text(), count);
    QCOMPARE(m_window->lblScroll(2)->text(), QString::number(perPage));
    // the focus went back to the chart
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window->chtGraph()));
}

// The strips' other controls, each through what a person does with it.
void TstFrmSSGraph::stripControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("effect");
    QTest::newRow("처음으로") << "cmdScroll_0"
                              << "press"
                              << "value 0";
    QTest::newRow("한페이지 왼쪽") << "cmdScroll_1"
                                   << "press"
                                   << "value 35";
    QTest::newRow("한칸 왼쪽") << "cmdScroll_2"
                               << "press"
                               << "value 49";
    QTest::newRow("scroll bar track, right of the thumb") << "sclScroll"
                                                          << "track"
                                                          << "value 65";
    QTest::newRow("value precision, arrow down") << "cboValueRatio"
                                                 << "down"
                                                 << "format 0.000";
    QTest::newRow("새로 고침") << "cmdSS_Reload"
                               << "click"
                               << "widths";
    QTest::newRow("고급 설정") << "cmdShowEdit"
                               << "click"
                               << "editor";
    QTest::newRow("닫기") << "cmdClose"
                          << "click"
                          << "hidden";
}

void TstFrmSSGraph::stripControls()
{
    QFETCH(QString, control);
    QFETCH(QString, event);
    QFETCH(QString, effect);
    fillGrid(*m_grid, manyRows(200));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    setTicked(m_window->chkViewValue(), true);
    m_window->sclScroll()->setValue(50); // the chart stands at point 51 of 200, 15 to a screen
    m_window->SS_TXT()->setColWidth(2, 30);
    bool editorOpened = false;
    ChartEditor::answerHook() = [&editorOpened](ChartEditor *e) {
        editorOpened = true;
        e->reject();
    };
    if (control == u"cmdShowEdit") {
        m_window->cmdClose()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_window->cmdClose(), Qt::Key_F1);
    }
    auto *w = m_window->findChild<QWidget *>(control);
    QVERIFY(w);
    if (event == u"press") {
        QTest::mousePress(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
    } else if (event == u"track") {
        auto *bar = static_cast<QScrollBar *>(w);
        const QRect thumb = ScrollBarParts::rect(bar, QStyle::SC_ScrollBarSlider);
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(thumb.right() + 4, bar->height() / 2));
    } else if (event == u"down") {
        QTest::keyClick(w, Qt::Key_Down);
    } else {
        QTest::mouseClick(w, Qt::LeftButton);
    }
    ChartEditor::answerHook() = nullptr;
    if (effect.startsWith(u"value ")) {
        QCOMPARE(m_window->sclScroll()->value(), effect.mid(6).toInt());
        QCOMPARE(m_window->chtGraph()->firstVisiblePoint(), m_window->sclScroll()->value());
        QCOMPARE(m_window->lblScroll(0)->text(), QString::number(m_window->sclScroll()->value() + 1));
    } else if (effect == u"format 0.000") {
        QCOMPARE(m_window->cboValueRatio()->currentText(), QStringLiteral("0.000"));
        QCOMPARE(m_window->chtGraph()->markText(0), QStringLiteral("1.000"));
    } else if (effect == u"widths") {
        QVERIFY(qAbs(m_window->SS_TXT()->ColWidth(2) - 10.62) < 1.0 / 8);
    } else if (effect == u"editor") {
        QVERIFY(editorOpened);
        QCOMPARE(m_window->focusWidget(), static_cast<QWidget *>(m_window->chtGraph()));
    } else if (effect == u"hidden") {
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_window->dataSet().GraphLabels.isEmpty());
    }
}

void TstFrmSSGraph::pieScrollInDegrees()
{
    fillGrid(*m_grid, manyRows(20));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QTest::mouseClick(m_window->optType(2), Qt::LeftButton);
    QCOMPARE(m_window->sclScroll()->maximum(), 359);
    QCOMPARE(m_window->sclScroll()->pageStep(), 45);
    QVERIFY(m_window->lblScroll(2)->text().isEmpty());
    QTest::mouseClick(m_window->cmdScroll(4), Qt::LeftButton);
    QCOMPARE(m_window->sclScroll()->value(), 45);
    QCOMPARE(m_window->chtGraph()->pieRotation(), 45);
}

void TstFrmSSGraph::smallWindowKeepsLayout()
{
    fillGrid(*m_grid, {{"a", "1"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    const QRect chart = m_window->chtGraph()->geometry();
    // outer size just below the limit, whatever frame the platform adds
    const double frameW = Twips::fromPixels(m_window->frameGeometry().width() - m_window->width());
    const double frameH = Twips::fromPixels(m_window->frameGeometry().height() - m_window->height());
    Twips::resize(m_window, 10185 - frameW, 6585 - frameH);
    QCOMPARE(m_window->chtGraph()->geometry(), chart);
    Twips::resize(m_window, 12000, 8000);
    QVERIFY(m_window->chtGraph()->geometry() != chart);
    // the summary grid holds whole data rows (to the pixel the twips land on)
    const double h = Twips::height(m_window->SS_TXT());
    QVERIFY(qAbs(h - std::round(std::round(h / 15 * 0.637 / 10.22) * 10.22 * 15 / 0.637)) < 15);
}

void TstFrmSSGraph::closeHidesAndReopens()
{
    fillGrid(*m_grid, {{"a", "1"}, {"b", "2"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QPointer<FrmSSGraph> alive(m_window);
    QVERIFY(!m_window->close());
    QVERIFY(alive);
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_window->dataSet().GraphLabels.isEmpty());
    fillGrid(*m_grid, {{"x", "1"}, {"y", "2"}, {"z", "3"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T2"), QString(), QString(), true);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->SS_TXT()->MaxRows(), 3);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Graph [T2]"));
}

void TstFrmSSGraph::f1RevealsAdvancedSettings()
{
    fillGrid(*m_grid, {{"a", "1"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QVERIFY(!m_window->cmdShowEdit()->isVisibleTo(m_window));
    // 닫기 has the focus (tabbed to), then F1
    m_window->cmdClose()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(m_window->cmdShowEdit()->isVisibleTo(m_window));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window->cmdShowEdit()));
    // the gear stands clear of the 자동 box and its caption
    QVERIFY(!m_window->cmdShowEdit()->geometry().intersects(m_window->chkViewAuto()->geometry()));
    QVERIFY(!m_window->cmdShowEdit()->geometry().intersects(m_window->cmdClose()->geometry()));
    // losing the focus hides it again
    QTest::mouseClick(m_window->chtGraph(), Qt::LeftButton);
    QVERIFY(!m_window->cmdShowEdit()->isVisibleTo(m_window));
}

void TstFrmSSGraph::jpegSizeAndName()
{
    fillGrid(*m_grid, {{"가", "1"}, {"나", "2"}}, QStringLiteral("일자"), QStringLiteral("USD"));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    Twips::resize(m_window->chtGraph(), 9000, 6000);
    SaveFileRequest seen;
    const QString target = m_dir.filePath(QStringLiteral("chart"));
    m_fakes->pictureFileDialog = [&seen, target](const SaveFileRequest &r) {
        seen = r;
        return std::optional<QString>(target);
    };
    Shown shown;
    answerWith(shown, 1);
    QTest::mouseClick(m_window->cmdSaveJPG(), Qt::LeftButton);
    QCOMPARE(seen.fileName, QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(" 일자 별 USD"));
    QCOMPARE(seen.title, QStringLiteral("파일로 저장하기"));
    QCOMPARE(seen.defaultSuffix, QStringLiteral("jpg"));
    QCOMPARE(seen.filter, QStringLiteral("JPEG File (*.jpg) | *.jpg"));
    QVERIFY(seen.folder.endsWith(u'/'));
    QCOMPARE(shown.title, QStringLiteral("저장하였습니다."));
    QCOMPARE(shown.lines.value(2), QStringLiteral("경로 : ") + target + QStringLiteral(".jpg"));
    QImageReader reader(target + QStringLiteral(".jpg"));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.read().size(), QSize(600, 400));
    // the next dialog opens in the folder of the last file
    QCOMPARE(m_window->lastSaveFolder(), m_dir.path() + u'/');
    QTest::mouseClick(m_window->cmdSaveJPG(), Qt::LeftButton);
    QCOMPARE(seen.folder, m_dir.path() + u'/');
}

void TstFrmSSGraph::overwriteAnsweredNo()
{
    fillGrid(*m_grid, {{"a", "1"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    const QString target = m_dir.filePath(QStringLiteral("old.jpg"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();
    m_fakes->pictureFileDialog = [target](const SaveFileRequest &) { return std::optional<QString>(target); };
    Shown shown;
    answerWith(shown, 4);
    QTest::mouseClick(m_window->cmdSaveJPG(), Qt::LeftButton);
    QCOMPARE(shown.count, 1);
    QCOMPARE(shown.title, QStringLiteral("파일이 이미 존재합니다."));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("keep me"));
    old.close();
    // yes replaces it
    answerWith(shown, 3);
    QTest::mouseClick(m_window->cmdSaveJPG(), Qt::LeftButton);
    QCOMPARE(shown.title, QStringLiteral("저장하였습니다."));
    QVERIFY(!QImage(target).isNull());
}

void TstFrmSSGraph::emptyFileName()
{
    fillGrid(*m_grid, {{"a", "1"}});
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    Shown shown;
    answerWith(shown, 1);
    m_fakes->pictureFileDialog = [](const SaveFileRequest &) { return std::optional<QString>(QString()); };
    QTest::mouseClick(m_window->cmdSaveJPG(), Qt::LeftButton);
    QCOMPARE(shown.title, QStringLiteral("작업을 취소하셨습니다."));
    // a cancelled dialog says nothing
    shown = Shown();
    m_fakes->pictureFileDialog = [](const SaveFileRequest &) { return std::optional<QString>(); };
    QTest::mouseClick(m_window->cmdSaveJPG(), Qt::LeftButton);
    QCOMPARE(shown.count, 0);
}

void TstFrmSSGraph::printing_data()
{
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("the default printer") << "Office" << QStringList{"Lab", "Office"} << "Office";
    QTest::newRow("printers, none the default: the first") << "" << QStringList{"Lab", "Office"} << "Lab";
    QTest::newRow("no printer at all: the warning") << "" << QStringList{} << "";
}

void TstFrmSSGraph::printing()
{
    QFETCH(QString, defaultName);
    QFETCH(QStringList, names);
    QFETCH(QString, chosen);
    fillGrid(*m_grid, {{"가", "1"}, {"나", "2"}}, QStringLiteral("일자"), QStringLiteral("USD"));
    m_window->sbDisp_SS_Graph_Init(m_grid, 1, 2, QStringLiteral("T"), QString(), QString(), true);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_fakes->printerList = [defaultName, names] { return PrinterList{defaultName, names}; };
    // the printer of the chosen name prints into a PDF file; it tells what the queue would list
    struct Recording : QPrinter
    {
        explicit Recording(QString *docName)
            : QPrinter(QPrinter::HighResolution)
            , m_docName(docName)
        { }
        ~Recording() override { *m_docName = docName(); }
        QString *m_docName;
    };
    const QString pdf = m_dir.filePath(QStringLiteral("chart.pdf"));
    QFile::remove(pdf);
    QString asked;
    QString docName;
    m_fakes->printerByName = [&](const QString &name) -> std::unique_ptr<QPrinter> {
        asked = name;
        auto printer = std::make_unique<Recording>(&docName);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    };
    Shown shown;
    answerWith(shown, 1);
    QTest::mouseClick(m_window->cmdPrint(), Qt::LeftButton);
    QCOMPARE(asked, chosen);
    if (chosen.isEmpty()) {
        QCOMPARE(shown.count, 1);
        QCOMPARE(shown.title, QStringLiteral("출력할 수 없습니다."));
        QCOMPARE(shown.lines.value(0), QStringLiteral("사용할 수 있는 프린터가 없습니다."));
        QVERIFY(!QFile::exists(pdf));
    } else {
        QCOMPARE(shown.count, 0); // no dialog, no message
        QCOMPARE(docName, QStringLiteral("일자 별 USD"));
        QCOMPARE(m_window->chtGraph()->printDetail(), 50);
        QCOMPARE(m_window->chtGraph()->printMargins(), QMargins(15, 15, 15, 15));
        QCOMPARE(m_window->chtGraph()->printOrientation(), 1);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.size() > 1000);
        QVERIFY(f.read(5) == "%PDF-");
    }
    // the focus is back on the chart (the window's, once a notice has had the activation)
    QCOMPARE(m_window->focusWidget(), static_cast<QWidget *>(m_window->chtGraph()));
}

QTEST_MAIN(TstFrmSSGraph)
#include "tst_frmssgraph.moc"
