#include "navtestform.h"

#include "gridnav/navmath.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include <QAbstractButton>
#include <QDate>

NavTestForm::NavTestForm(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("환율관리 프로그램"));
    container = new QWidget(this);
    grid = new SpreadGrid(container);
    grid->setObjectName(QStringLiteral("SS"));
    sum = new SpreadGrid(container);
    sum->setObjectName(QStringLiteral("SS_SUM"));
    Twips::setGeometry(this, 0, 0, 12120, 7000);
    Twips::setGeometry(container, 45, 45, 11895, 6135);
    Twips::setGeometry(grid, 90, 810, 6840, 3570);
    Twips::setGeometry(sum, 90, 5085, 6840, 555);

    new GridNav::Navigator(container, grid, sum);
    info.HasSum = true;
    info.SumRows = 1;
    info.HeaderRows = 1;
    info.ColCount = 5;
    info.LockColour = false;
    sbSS_MOVE_Bind(this, info, 0);
    GridNav::forwardEvents(info, [this] { relayout(); });
    sbSS_GridSetup(info);
    GridNav::defineRateColumns(info);
    sbSS_MOVE_Arrange(info);
    format(GridNav::FormatStep::All);
    sbSS_GridClear(info, 1);
}

NavTestForm::~NavTestForm()
{
    sbSS_MOVE_Release(info);
}

void NavTestForm::format(GridNav::FormatSteps steps)
{
    if (steps & GridNav::FormatStep::ColFormat)
        sbSS_ColFormat(info);
    if (steps & GridNav::FormatStep::HeadText)
        sbSS_HeadText(info);
    if (steps & GridNav::FormatStep::ColSize) {
        sbSS_ColSize(info, 5);
        relayout();
    }
}

void NavTestForm::fill(int rows)
{
    sbSS_GridClear(info, 0);
    sbSS_MOVE_Reset(info);
    grid->setRedraw(false);
    grid->setMaxRows(rows);
    const QDate first(2020, 1, 1);
    for (int r = 1; r <= rows; ++r) {
        grid->SetCellText(0, r, QString::number(r));
        grid->SetCellText(1, r, first.addDays(r - 1).toString(QStringLiteral("yyyy/MM/dd")));
        grid->SetCellText(2, r, 1100.0 + (r % 350) + 0.25);
        grid->SetCellText(3, r, 23000.0 + r % 1000);
        grid->SetCellText(4, r, 0.056123 + (r % 10) / 1000.0);
        grid->SetCellText(5, r, r % 7 == 0 ? QStringLiteral("주말 환율 | 참고") : QString());
    }
    grid->setRedraw(true);
    if (rows > 0) {
        sum->SetCellText(2, 1, 1275.5);
        sum->SetCellText(3, 1, 23500.0);
        sum->SetCellText(4, 1, 0.0605);
    }
    format(GridNav::FormatStep::ColSize);
}

void NavTestForm::relayout()
{
    sbSS_MOVE_Layout(info, Twips::height(container));
    sbSS_MOVE_LineDisp(info);
}

void NavTestForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!container || !info.Grid)
        return;
    Twips::resize(container, Twips::width(this) - 90, Twips::height(this) - 90);
    Twips::resize(grid, Twips::width(container) - 510, Twips::height(grid));
    if (info.cmdRef && info.cmdRef->property("Tag").toString() == QLatin1String("1"))
        format(GridNav::FormatStep::ColSize);
    else
        relayout();
}

int NavTestForm::showPage(int rows, int page)
{
    fill(rows);
    int px = 40;
    while (px < 2000 && NavMath::pageRows(px * 15.0, 1) != page)
        ++px;
    if (px == 2000)
        return -1;
    grid->resize(grid->width(), px);
    sbSS_MOVE_LineDisp(info);
    return info.PageRows;
}
