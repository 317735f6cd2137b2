#include "graph/frmssgraph.h"

#include "graph/frmssgraph_parts.h"
#include "graph/graphoptions.h"
#include "platform/chart/chartcontrol.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/picbutton.h"

#include <QLabel>
#include <QScrollBar>

// Paging: the scroll strip's buttons, its scroll bar and the repeat of a held button.

using namespace FrmSSGraphParts;

void FrmSSGraph::sbGraph_SetPageSize(int &n)
{
    n = GraphOptions::clampPageSize(n, m_data.GraphCount);
    if (m_chtGraph->maxPointsPerPage() == n)
        return;
    m_chtGraph->setMaxPointsPerPage(n);
    sbGraph_SetScroll(fnGraph_Type(), n);
    sbGraph_ShowPage();
}

void FrmSSGraph::sbGraph_SetScroll(int type, int n)
{
    const GraphScrollRange r = GraphOptions::scrollRange(type, n, m_data.GraphCount);
    for (int k = 6; k <= 8; ++k)
        m_cmdScroll[k]->setEnabled(r.zoomEnabled);
    m_sclScroll->setMinimum(r.minimum);
    m_sclScroll->setMaximum(r.maximum);
    if (r.largeChange > 0)
        m_sclScroll->setPageStep(r.largeChange);
    if (r.resetValue)
        m_sclScroll->setValue(0);
}

void FrmSSGraph::sbGraph_ShowPage()
{
    const GraphPageTexts t = GraphOptions::pageTexts(fnGraph_Type(), m_sclScroll->value(), m_sclScroll->maximum(),
                                                     m_chtGraph->maxPointsPerPage());
    m_lblScroll[0]->setText(t.current);
    m_lblScroll[1]->setText(t.count);
    m_lblScroll[2]->setText(t.perScreen);
}

void FrmSSGraph::sbGraph_ScrollTo(int value)
{
    if (fnGraph_Type() == ChartControl::Pie) {
        m_chtGraph->setPieRotation(value);
    } else {
        m_chtGraph->setFirstVisiblePoint(value);
        m_state.scrollValue = value;
    }
    sbGraph_ShowPage();
}

void FrmSSGraph::sbGraph_ScrollStep(int button)
{
    const int type = fnGraph_Type();
    if (button >= 0 && button <= 5) {
        const int step = GraphOptions::pageStep(type, m_chtGraph->maxPointsPerPage());
        m_sclScroll->setValue(GraphOptions::scrollStepValue(button, m_sclScroll->value(), m_sclScroll->minimum(),
                                                            m_sclScroll->maximum(), step));
    } else if (button == 6 || button == 7) {
        int target = GraphOptions::zoomTarget(button, m_chtGraph->maxPointsPerPage(), m_data.GraphCount);
        if (target > 0 && type != ChartControl::Pie) {
            sbGraph_Reset();
            sbGraph_Build(type);
            sbGraph_SetPageSize(target);
        }
    } else {
        return;
    }
    sbGraph_ShowPage();
}

void FrmSSGraph::scrollMouseDown(int index)
{
    sbGraph_ScrollStep(index);
    if (GraphOptions::scrollRepeats(index)) {
        m_tmeScroll->press();
        ControlInfo::setTag(m_sclScroll, QString::number(index));
    }
}

void FrmSSGraph::scrollMouseUp()
{
    m_tmeScroll->release();
    ControlInfo::setTag(m_sclScroll, QString());
    focusChart();
}

void FrmSSGraph::tmeScroll_Timer()
{
    bool ok = false;
    const int k = ControlInfo::tag(m_sclScroll).toInt(&ok);
    if (ok)
        sbGraph_ScrollStep(k);
}

void FrmSSGraph::cmdScrollAll_Click(int index)
{
    const int type = fnGraph_Type();
    sbGraph_Reset();
    sbGraph_Build(type);
    if (type == ChartControl::Pie) {
        sbGraph_SetScroll(ChartControl::Pie, 0);
        sbGraph_ShowPage();
    } else {
        int n = index == 8 ? m_data.GraphCount : kFirstPageSize;
        sbGraph_SetPageSize(n);
        // the same page size as before: the range still has to match the rebuilt chart
        sbGraph_SetScroll(type, m_chtGraph->maxPointsPerPage());
        sbGraph_ShowPage();
    }
}
