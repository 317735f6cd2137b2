#include "graph/frmssgraph.h"

#include "graph/frmssgraph_parts.h"
#include "graph/graphlayout.h"
#include "graph/graphoptions.h"
#include "gridnav/ss_move_info.h"
#include "platform/chart/chartcontrol.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/spread/spreadunits.h"
#include "platform/win/twips.h"

#include <QDate>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QScreen>

#include <climits>

// The data set: gathered from the grid, listed in SS_TXT, and the window shown or closed.

using namespace FrmSSGraphParts;

qint16 FrmSSGraph::sbDisp_SS_Graph_Init(SS_MOVE_INFO &info, int xCol, int yCol, const QString &title,
                                        const QString &xTitle, const QString &yTitleAddition, bool sortItems)
{
    return sbDisp_SS_Graph_Init(info.Grid, xCol, yCol, title, xTitle, yTitleAddition, sortItems);
}

qint16 FrmSSGraph::sbDisp_SS_Graph_Init(SpreadGrid *grid, int xCol, int yCol, const QString &title,
                                        const QString &xTitle, const QString &yTitleAddition, bool sortItems)
{
    hideCrossIfShown();
    QString xt = xTitle;
    QString yt;
    GraphItems items;
    if (grid) {
        // 1. titles from the last header row
        const int titleRow = GraphData::titleRow(grid->ColHeaderRows());
        if (xt.isEmpty())
            xt = grid->GetCellText(xCol, titleRow);
        yt = GraphData::yTitle(grid->GetCellText(yCol, titleRow), yTitleAddition);

        // 2. gathering
        GraphSource source;
        source.maxRows = grid->MaxRows();
        source.text = [grid](int col, int row) { return grid->GetCellText(col, row); };
        source.cellValue = [grid](int col, int row) { return grid->cellValue(col, row); };
        items = GraphData::gather(source, xCol, yCol);
    } else {
        yt = GraphData::yTitle(QString(), yTitleAddition);
    }
    // 3. nothing of the source grid is kept

    // 4. sorting
    if (GraphData::shouldSort(sortItems, xt))
        sbSort_GraphItems(items.labels, items.values);

    // 5, 6. totals, ratios, colours
    QRandomGenerator rng{quint32(QDateTime::currentMSecsSinceEpoch())};
    m_data = GraphData::makeDataSet(std::move(items), xt, yt, [&rng] { return rng.generateDouble(); });
    m_pieRoles.clear();

    // 7. summary grid
    sbSS_TXT_Format();
    m_SS_TXT->setRedraw(false);
    m_SS_TXT->SetCellText(0, SpreadGrid::FirstHeaderRow, QStringLiteral("NO"));
    m_SS_TXT->SetCellText(1, SpreadGrid::FirstHeaderRow, m_data.XTitle);
    m_SS_TXT->SetCellText(3, SpreadGrid::FirstHeaderRow, QStringLiteral("비율(%)"));
    m_SS_TXT->SetCellText(4, SpreadGrid::FirstHeaderRow, m_data.YTitle);
    m_SS_TXT->setMaxRows(0);
    m_SS_TXT->setMaxRows(m_data.GraphCount);
    for (int i = 0; i < m_data.GraphCount; ++i) {
        const int row = i + 1;
        m_SS_TXT->SetCellText(2, row, m_data.GraphLabels.at(i));
        m_SS_TXT->SetCellText(3, row, GraphData::ratioText(m_data.GraphRatios.at(i)));
        m_SS_TXT->setCol(3);
        m_SS_TXT->setRow(row);
        m_SS_TXT->setForeColor(m_data.GraphRatios.at(i) < 0 ? kRed : 0);
        m_SS_TXT->SetCellText(4, row, GraphData::valueText(m_data.GraphValues.at(i)));
    }

    // 8. totals labels
    m_lblSS_SUM[0]->setText(GraphData::countText(m_SS_TXT->MaxRows()));
    m_lblSS_SUM[0]->setStyleSheet(QStringLiteral("color: %1;").arg(colorOf(kTotalColour).name()));
    m_lblSS_SUM[1]->setText(GraphData::valueText(m_data.GraphTotal));
    m_lblSS_SUM[1]->setStyleSheet(
        QStringLiteral("color: %1;").arg(colorOf(m_data.GraphTotal >= 0 ? kTotalColour : kRed).name()));
    m_SS_TXT->setRedraw(true);
    // a new data set starts at its first item, in the list as in the chart
    m_SS_TXT->setFirstVisibleRow(1);

    // 10, 11. caption and heading
    setWindowTitle(GraphData::caption(title));
    m_chtGraph->setHeaderLine(0, GraphData::heading(m_data.XTitle, m_data.YTitle));

    // 12. chart
    sbGraph_Reset();
    const int type = fnGraph_Type();
    sbGraph_Build(type);
    const int perPage = GraphOptions::clampPageSize(kFirstPageSize, m_data.GraphCount);
    m_chtGraph->setMaxPointsPerPage(perPage);
    sbGraph_SetScroll(type, perPage);
    sbGraph_ShowPage();

    // 13. empty read-out
    m_lblViewCross[0]->setText(QStringLiteral("X: ()"));
    m_lblViewCross[1]->setText(QStringLiteral("Y: ()"));
    for (QLabel *l : m_lblViewCross)
        l->adjustSize();
    const int shapeWidth = m_lblViewCross[0]->width() + Twips::toPixels(kCrossShapeExtra);
    for (int i = 0; i < 2; ++i)
        m_shpViewCross[i]->resize(shapeWidth, m_shpViewCross[i]->height());
    m_fmeViewCross->resize(shapeWidth, m_fmeViewCross->height());
    m_state.crossRow = 0;
    m_state.crossY = LLONG_MIN;

    // 14. placement and show
    placeWindow();
    return 0;
}

void FrmSSGraph::placeWindow()
{
    if (isMinimized() || isMaximized())
        showNormal();
    const double frameW = Twips::fromPixels(frameGeometry().width() - width());
    const double frameH = Twips::fromPixels(frameGeometry().height() - height());
    const double outerW = Twips::width(this) + frameW;
    const double outerH = Twips::height(this) + frameH;
    if (outerW != kGraphShowWidth || outerH != 10000)
        Twips::resize(this, kGraphShowWidth - frameW, kGraphShowHeight - frameH);
    layoutControls();
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->geometry();
        const QPointF pos = GraphWindowLayout::centredPos(
            Twips::fromPixels(avail.width()), Twips::fromPixels(avail.height()), kGraphShowWidth, kGraphShowHeight);
        move(avail.topLeft() + QPoint(Twips::toPixels(pos.x()), Twips::toPixels(pos.y())));
    }
    show();
    raise();
    activateWindow();
}

void FrmSSGraph::sbSS_TXT_Format()
{
    m_SS_TXT->setRedraw(false);
    m_SS_TXT->setRowHeight(SpreadGrid::FirstHeaderRow, 21.077);
    static const double widths[5] = {4, 2.5, 10.62, 6, 9};
    for (int c = 0; c < 5; ++c)
        m_SS_TXT->setColWidth(c, widths[c]);
    m_SS_TXT->setRowHeight(SpreadGrid::AllCells,
                           SpreadUnits::DefaultRowHeight); // the layout counts rows of this height
    m_SS_TXT->setRedraw(true);
    if (isVisible())
        m_SS_TXT->setFocus();
}

void FrmSSGraph::sbSet_SSGraph_Close()
{
    m_tmeScroll->stop();
    m_data.GraphLabels.clear();
    m_data.GraphValues.clear();
    m_data.GraphRatios.clear();
    m_data.GraphColors.clear();
    m_cmdShowEdit->hide();
    hide();
}
