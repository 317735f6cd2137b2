#include "graph/frmssgraph.h"

#include "graph/frmssgraph_parts.h"
#include "graph/graphlayout.h"
#include "graph/graphoptions.h"
#include "platform/chart/chartcontrol.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include <climits>
#include <cmath>

// The cross-hair: its lines, the read-out and the highlighted row of SS_TXT.

using namespace FrmSSGraphParts;

namespace {

// Paints a block of SS_TXT's cells in one colour.
void paintBlock(SpreadGrid *g, int col, int row, int col2, int row2, int rgb)
{
    if (row2 < row || col2 < col)
        return;
    g->setCol(col);
    g->setRow(row);
    g->setCursorCol2(col2);
    g->setCursorRow2(row2);
    g->setBlockMode(true);
    g->setBackColor(rgb);
    g->setBlockMode(false);
}

} // namespace

bool FrmSSGraph::crossShown() const
{
    return m_lneX->isVisibleTo(m_chtGraph) || m_lneY->isVisibleTo(m_chtGraph);
}

void FrmSSGraph::hideCrossIfShown()
{
    if (crossShown())
        sbGraph_ShowCross(false);
}

void FrmSSGraph::sbGraph_ShowCross(bool on)
{
    if (on) {
        m_chtGraph->setCursor(m_crossCursor);
    } else {
        m_chtGraph->unsetCursor();
    }
    m_lneX->setVisible(on);
    m_lneY->setVisible(on);
    m_fmeViewCross->setVisible(on);
    if (!on) {
        clearHighlights();
        m_state.crossY = LLONG_MIN; // the next read-out is shown again
    }
}

void FrmSSGraph::clearHighlights()
{
    if (m_SS_TXT->MaxRows() < 1)
        return;
    m_SS_TXT->setRedraw(false);
    paintBlock(m_SS_TXT, 2, 1, m_SS_TXT->MaxCols(), m_SS_TXT->MaxRows(), kWhite);
    m_SS_TXT->setRedraw(true);
}

void FrmSSGraph::highlightRow(int row)
{
    if (m_state.crossRow > 0 && m_state.crossRow <= m_SS_TXT->MaxRows())
        paintBlock(m_SS_TXT, 2, m_state.crossRow, m_SS_TXT->MaxCols(), m_state.crossRow, kWhite);
    paintBlock(m_SS_TXT, 2, row, m_SS_TXT->MaxCols(), row, kHighlight);
    m_state.crossRow = row;
}

void FrmSSGraph::sbGraph_ShowCrossValue(double xAxisValue, double yAxisValue)
{
    const CrossReadout r = GraphOptions::crossReadout(xAxisValue, yAxisValue, m_data.GraphLabels, m_data.GraphValues);
    if (r.item == 0)
        return;
    const qint64 y = std::isfinite(yAxisValue) ? qint64(std::llround(yAxisValue)) : 0;
    if (r.item == m_state.crossRow && y == m_state.crossY)
        return;
    m_lblViewCross[0]->setText(r.xText);
    m_lblViewCross[1]->setText(r.yText);
    int labelWidth = 0;
    for (QLabel *l : m_lblViewCross) {
        l->adjustSize();
        labelWidth = std::max(labelWidth, l->width());
    }
    // both backgrounds and the frame as wide as the wider text plus a margin
    const int pad = Twips::toPixels(kCrossShapeExtra);
    const int w = labelWidth + pad;
    const int h = m_lblViewCross[0]->height() + 4;
    for (int i = 0; i < 2; ++i) {
        m_shpViewCross[i]->setGeometry(0, i * (h + 2), w, h);
        m_lblViewCross[i]->move(pad / 2, i * (h + 2) + 2);
    }
    m_fmeViewCross->resize(w, 2 * h + 2);
    highlightRow(r.item);
    m_state.crossY = y;
}

void FrmSSGraph::chartMouseMove(const QPoint &pos)
{
    if (!m_chkViewCross->isChecked() || fnGraph_Type() == ChartControl::Pie)
        return;
    if (!m_lneX->isVisibleTo(m_chtGraph) || !m_lneY->isVisibleTo(m_chtGraph))
        sbGraph_ShowCross(true);
    m_lneX->setGeometry(pos.x(), 0, 1, m_chtGraph->height());
    m_lneY->setGeometry(0, pos.y(), m_chtGraph->width(), 1);
    sbGraph_ShowCrossValue(m_chtGraph->bottomAxisValueAt(pos.x()), m_chtGraph->leftAxisValueAt(pos.y()));
    const int gap = Twips::toPixels(kCrossGap);
    int fx = pos.x() + gap;
    int fy = pos.y() + gap;
    if (fx + m_fmeViewCross->width() > m_chtGraph->width())
        fx = pos.x() - m_fmeViewCross->width() - gap;
    if (fy + m_fmeViewCross->height() > m_chtGraph->height())
        fy = pos.y() - m_fmeViewCross->height() - gap;
    m_fmeViewCross->move(fx, fy);
    m_fmeViewCross->raise();
}

void FrmSSGraph::chartClick()
{
    if (!crossShown() || fnGraph_Type() == ChartControl::Pie)
        return;
    const int item = GraphOptions::readoutItem(m_lblViewCross[0]->text());
    const int visible = std::max(GraphWindowLayout::gridRows(Twips::height(m_SS_TXT)) - 2, 1);
    const int top = GraphOptions::clickTopRow(item, m_SS_TXT->MaxRows(), visible, m_SS_TXT->FirstVisibleRow());
    if (top > 0)
        m_SS_TXT->setFirstVisibleRow(top);
}
