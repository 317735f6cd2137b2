#include "navtestform.h"

#include "gridnav/navmath.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "platform/spread/spreadgrid.h"
#include "platform/spread/spreadunits.h"
#include "platform/win/twips.h"

#include "../common/fakeservices.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTableView>
#include <QtTest>

class TstSsGrid : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void init();
    void cleanup();

    void numberKinds_data();
    void numberKinds();
    void rateDefinition();
    void setUpLeavesOneEmptyRow();
    void headerSplit_data();
    void headerSplit();
    void pipeHeaderShownWhole();
    void sizingModes_data();
    void sizingModes();
    void fitModeFlushAfterResize();
    void hiddenColumn();
    void lockColour();
    void widthSync();
    void redrawRestored_data();
    void redrawRestored();
    void formatSteps_data();
    void formatSteps();

private:
    NavTestForm *m_form = nullptr;
    // Right edge of the last column in the grid's viewport, pixels.
    int columnsRight() const;
};

void TstSsGrid::init()
{
    m_fakes->twipsPerPixel = 15;
    m_form = new NavTestForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TstSsGrid::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

int TstSsGrid::columnsRight() const
{
    QTableView *v = m_form->grid->view();
    const int last = v->model()->columnCount() - 1;
    return v->columnViewportPosition(last) + v->columnWidth(last);
}

void TstSsGrid::numberKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("decimals");
    QTest::newRow("13: no decimals") << 13 << 0;
    QTest::newRow("131") << 131 << 1;
    QTest::newRow("132") << 132 << 2;
    QTest::newRow("136") << 136 << 6;
    QTest::newRow("137 is a number without decimals") << 137 << 0;
    QTest::newRow("1300") << 1300 << 0;
    QTest::newRow("5 is text") << 5 << -1;
    QTest::newRow("31 is not a number") << 31 << -1;
}

void TstSsGrid::numberKinds()
{
    QFETCH(int, kind);
    QFETCH(int, decimals);
    QCOMPARE(GridNav::numberDecimalsOfKind(kind), decimals);
}

void TstSsGrid::rateDefinition()
{
    const SS_MOVE_INFO &i = m_form->info;
    QCOMPARE(i.ColCount, 5);
    QCOMPARE(i.HeaderRows, 1);
    const QStringList headers{"NO", "일자", "미달러", "베트남동", "한국원화", "비고"};
    for (int c = 0; c <= 5; ++c) {
        QCOMPARE(i.HeaderText[c].value(0), headers[c]);
        QCOMPARE(m_form->grid->GetCellText(c, SpreadGrid::FirstHeaderRow), headers[c]);
        QVERIFY(i.ColLockedDef[c]);
        QVERIFY(!i.ColHiddenDef[c]);
        QCOMPARE(i.ColVAlign[c], 2);
    }
    QCOMPARE(i.ColKind, (QVector<int>{5, 5, 132, 13, 136, 5}));
    QCOMPARE(i.ColWidthDef, (QVector<double>{4, 10, 10, 10, 10, 50}));
    QCOMPARE(i.ColHAlign, (QVector<int>{2, 2, 1, 1, 1, 0}));

    // the columns show their numbers as defined, on the grid and on the summary line
    SpreadGrid *g = m_form->grid;
    g->setMaxRows(2);
    g->SetCellText(2, 1, 1234.5);
    g->SetCellText(3, 1, 1234567.0);
    g->SetCellText(4, 1, 0.0561234);
    QCOMPARE(g->GetCellText(2, 1), QStringLiteral("1,234.50"));
    QCOMPARE(g->GetCellText(3, 1), QStringLiteral("1,234,567"));
    QCOMPARE(g->GetCellText(4, 1), QStringLiteral("0.056123"));
    m_form->sum->SetCellText(2, 1, 1275.456);
    QCOMPARE(m_form->sum->GetCellText(2, 1), QStringLiteral("1,275.46"));
    QCOMPARE(m_form->grid->FontName(), QStringLiteral("굴림체"));
    QCOMPARE(m_form->grid->ColHeaderRows(), 1);
    QCOMPARE(m_form->grid->MaxCols(), 5);
    QCOMPARE(m_form->sum->MaxCols(), 5);
    QCOMPARE(m_form->sum->MaxRows(), 1);
}

void TstSsGrid::setUpLeavesOneEmptyRow()
{
    QCOMPARE(m_form->grid->MaxRows(), 1);
    for (int c = 1; c <= 5; ++c)
        QCOMPARE(m_form->grid->GetCellText(c, 1), QString());
    // after a fill, clearing leaves the summary line empty but still formatted
    m_form->fill(30);
    QVERIFY(!m_form->sum->GetCellText(2, 1).isEmpty());
    sbSS_GridClear(m_form->info, 1);
    QCOMPARE(m_form->grid->MaxRows(), 1);
    QCOMPARE(m_form->grid->GetCellText(1, 1), QString());
    for (int c = 1; c <= 5; ++c)
        QCOMPARE(m_form->sum->GetCellText(c, 1), QString());
    m_form->sum->SetCellText(3, 1, 23456.7);
    QCOMPARE(m_form->sum->GetCellText(3, 1), QStringLiteral("23,457"));
}

void TstSsGrid::headerSplit_data()
{
    QTest::addColumn<int>("headerRows");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("one row keeps the separator") << 1 << "환율|미달러" << QStringList{"환율|미달러"};
    QTest::newRow("two rows split") << 2 << "환율|미달러" << QStringList{"환율", "미달러"};
    QTest::newRow("two rows, no separator") << 2 << "일자" << QStringList{"일자", "일자"};
    QTest::newRow("three rows, two parts") << 3 << "A|B" << QStringList{"A", "B", ""};
    QTest::newRow("two rows, three parts") << 2 << "A|B|C" << QStringList{"A", "B"};
}

void TstSsGrid::headerSplit()
{
    QFETCH(int, headerRows);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    SS_MOVE_INFO info;
    info.HeaderRows = headerRows;
    info.ColCount = 2;
    sbSS_GridSetup(info); // no grid bound: sizes the definition only
    sbSS_DefCol(info, 1, text, 10, 5, 0, 2, 0, false, true, false);
    QCOMPARE(info.HeaderText[1], rows);
    // a column outside the definition is ignored
    sbSS_DefCol(info, 7, text, 10, 5, 0, 2, 0, false, true, false);
    QCOMPARE(info.HeaderText.size(), 3);
}

void TstSsGrid::pipeHeaderShownWhole()
{
    sbSS_DefCol(m_form->info, 5, QStringLiteral("비고|메모"), 50, 5, 0, 2, 0, false, true, false);
    sbSS_HeadText(m_form->info);
    QCOMPARE(m_form->grid->GetCellText(5, SpreadGrid::FirstHeaderRow), QStringLiteral("비고|메모"));
    QCOMPARE(m_form->grid->RowHeight(SpreadGrid::FirstHeaderRow), NavMath::kOneHeaderHeight);
}

void TstSsGrid::sizingModes_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("1 fit the grid") << "1";
    QTest::newRow("2 fit the text") << "2";
    QTest::newRow("3 definition widths") << "3";
    QTest::newRow("4 unchanged") << "4";
}

void TstSsGrid::sizingModes()
{
    QFETCH(QString, mode);
    m_form->fill(50);
    SpreadGrid *g = m_form->grid;
    SS_MOVE_INFO &i = m_form->info;
    // something to undo first
    for (int c = 0; c <= 5; ++c)
        g->setColWidth(c, 7);
    g->setFirstVisibleCol(3);
    i.cmdRef->setProperty("Tag", mode);
    sbSS_ColSize(i, 5);

    if (mode == "4") {
        QCOMPARE(g->ColWidth(2), 7.0);
    } else {
        QCOMPARE(g->ColWidth(0), 4.0); // the row numbers keep their width in every mode
        QCOMPARE(g->FirstVisibleCol(), 1);
    }
    if (mode == "1") {
        QCOMPARE(columnsRight(), g->view()->viewport()->width());
        QVERIFY(g->ColWidth(5) > g->ColWidth(1)); // the remark column takes the rest
        QCOMPARE(g->ColWidth(2), g->ColWidth(3)); // equal definitions, equal shares
    } else if (mode == "2") {
        for (int c = 1; c <= 5; ++c) {
            const double text = std::max(g->MaxTextWidth(c), m_form->sum->MaxTextWidth(c));
            QCOMPARE(SpreadUnits::widthToPixels(g->ColWidth(c)), SpreadUnits::widthToPixels(text + 0.5));
        }
    } else if (mode == "3") {
        for (int c = 1; c <= 5; ++c)
            QCOMPARE(SpreadUnits::widthToPixels(g->ColWidth(c)), SpreadUnits::widthToPixels(i.ColWidthDef[c]));
    }
    // the summary line follows the grid column by column
    for (int c = 0; c <= 5; ++c)
        QCOMPARE(m_form->sum->ColWidth(c), g->ColWidth(c));
    QCOMPARE(g->RowHeight(1), NavMath::kDataRowHeight);
}

void TstSsGrid::fitModeFlushAfterResize()
{
    m_form->fill(50);
    const int widths[] = {1000, 1280, 1111, 900};
    for (int w : widths) {
        m_form->resize(w, m_form->height()); // the form re-sizes in mode 1
        QCoreApplication::processEvents();
        QCOMPARE(columnsRight(), m_form->grid->view()->viewport()->width());
        QCOMPARE(m_form->info.picBack->x(), m_form->grid->geometry().right());
    }
}

void TstSsGrid::hiddenColumn()
{
    SS_MOVE_INFO &i = m_form->info;
    sbSS_DefCol(i, 3, QStringLiteral("베트남동"), 10, 13, 1, 2, 0, true, true, false);
    m_form->format(GridNav::FormatStep::All);
    SpreadGrid *g = m_form->grid;
    g->setRow(-1);
    g->setCol(3);
    QVERIFY(g->ColHidden());
    QCOMPARE(columnsRight(), g->view()->viewport()->width());
}

void TstSsGrid::lockColour()
{
    SS_MOVE_INFO &i = m_form->info;
    i.LockColour = true;
    sbSS_DefCol(i, 5, QStringLiteral("비고"), 50, 5, 0, 2, 0, false, false, false);
    sbSS_ColFormat(i);
    SpreadGrid *g = m_form->grid;
    g->setRow(1);
    g->setCol(2);
    QCOMPARE(g->BackColor(), 0xC0FFFF); // locked: light yellow
    g->setCol(5);
    QCOMPARE(g->BackColor(), 0xFFFFFF);
    QVERIFY(!g->CellLocked());
}

void TstSsGrid::widthSync()
{
    SpreadGrid *g = m_form->grid;
    g->setColWidth(2, 17);
    g->setColWidth(3, 21);
    sbSS_WidthSync(m_form->info, 2, 3);
    QCOMPARE(m_form->sum->ColWidth(2), 17.0);
    QCOMPARE(m_form->sum->ColWidth(3), 21.0);
    QVERIFY(m_form->sum->Redraw());
}

void TstSsGrid::redrawRestored_data()
{
    QTest::addColumn<bool>("before");
    QTest::newRow("painting on") << true;
    QTest::newRow("painting off") << false;
}

void TstSsGrid::redrawRestored()
{
    QFETCH(bool, before);
    SS_MOVE_INFO &i = m_form->info;
    i.Grid->setRedraw(before);
    i.SumGrid->setRedraw(before);
    sbSS_GridSetup(i);
    sbSS_ColFormat(i);
    sbSS_HeadText(i);
    sbSS_ColSize(i, 5);
    QCOMPARE(i.Grid->Redraw(), before);
    QCOMPARE(i.SumGrid->Redraw(), before);
    i.Grid->setRedraw(true);
    i.SumGrid->setRedraw(true);
}

void TstSsGrid::formatSteps_data()
{
    using GridNav::FormatStep;
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("steps");
    QTest::newRow("start-up") << "111" << int(FormatStep::All);
    QTest::newRow("query and refresh") << "001" << int(FormatStep::ColSize);
    QTest::newRow("header texts only") << "010" << int(FormatStep::HeadText);
    QTest::newRow("format only") << "100" << int(FormatStep::ColFormat);
    QTest::newRow("none") << "000" << 0;
    QTest::newRow("short text") << "1" << int(FormatStep::ColFormat);
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("other characters") << "x1y" << int(FormatStep::HeadText);
    QTest::newRow("past the third place") << "0001" << 0;
}

void TstSsGrid::formatSteps()
{
    QFETCH(QString, flags);
    QFETCH(int, steps);
    QCOMPARE(int(GridNav::formatStepsOf(flags)), steps);
}

QTEST_MAIN(TstSsGrid)
#include "tst_ssgrid.moc"
