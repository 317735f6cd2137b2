#include "graph/frmssgraph.h"

#include "graph/frmssgraph_parts.h"
#include "graph/graphlayout.h"
#include "graph/graphoptions.h"
#include "msgscr/msgscr.h"
#include "platform/chart/chartcontrol.h"
#include "platform/controls/xpanel.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/services.h"
#include "platform/win/twips.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

// Chart options: type, 3D, value labels, presets and the colour of an item.

using namespace FrmSSGraphParts;

void FrmSSGraph::sbGraph_Reset()
{
    m_chtGraph->removeAllSeries();
    m_sclScroll->setValue(0);
}

int FrmSSGraph::fnGraph_Type() const
{
    for (int i = 0; i < 3; ++i)
        if (m_optType[i]->isChecked())
            return GraphOptions::typeOfOption(i);
    return ChartControl::Line;
}

void FrmSSGraph::sbGraph_Build(int type)
{
    m_chtGraph->addSeries(ChartControl::SeriesKind(type));
    m_chtGraph->setMouseZoomEnabled(false);
    m_chtGraph->setMouseScrollEnabled(false);
    m_chtGraph->setPanelColour(QColor(224, 224, 224));

    m_chtGraph->setBottomAxisAutomatic(true);
    m_chtGraph->setBottomLabelAngle(GraphOptions::labelAngle(m_data.LabelBytesMax));
    m_chtGraph->setLeftAxisAutomatic(false);
    QString yTitle = m_data.YTitle;
    m_chtGraph->setLeftAxisTitle(yTitle.remove(kCrLf));

    switch (type) {
    case ChartControl::Line:
    case ChartControl::Bar:
        m_chtGraph->setLeftAxisMinMax(m_data.GraphMin,
                                      GraphOptions::axisMax(type, m_chkViewValue->isChecked(), m_data.GraphMax));
        m_chtGraph->setWallColour(QColor(128, 128, 255));
        m_chtGraph->setWallDetailColour(QColor(0, 0, 192));
        break;
    case ChartControl::Pie:
        m_chtGraph->setWallColour(QColor(224, 224, 224));
        break;
    default:
        break;
    }

    sbGraph_Set3D(m_chkView3D->isChecked());
    sbGraph_ShowValue(m_chkViewValue->isChecked());
    sbGraph_SetMarkStyle(m_cboValueType->currentIndex());
    sbGraph_SetMarkFormat(m_cboValueRatio->currentIndex());
    m_chtGraph->setMarksFont(fixedFont(9));

    sbGraph_Fill(type);
    m_chtGraph->setVisible(true);
}

void FrmSSGraph::sbGraph_Fill(int type)
{
    m_chtGraph->clearPoints();
    m_SS_TXT->setRedraw(false);
    const int n = m_data.GraphCount;
    const auto swatch = [this](int row, int rgb) {
        m_SS_TXT->setCol(1);
        m_SS_TXT->setRow(row);
        m_SS_TXT->setBackColor(rgb);
    };
    if (type == ChartControl::Pie) {
        const PieFill fill = GraphOptions::pieFill(m_data.GraphValues, m_data.GraphRatios, m_data.GraphTotal);
        m_pieRoles.clear();
        for (int i = 0; i < n; ++i) {
            m_pieRoles.append(fill.roles.at(i));
            switch (fill.roles.at(i)) {
            case PieSlice:
                m_chtGraph->addPoint(m_data.GraphValues.at(i), m_data.GraphLabels.at(i),
                                     colorOf(m_data.GraphColors.at(i)));
                swatch(i + 1, m_data.GraphColors.at(i));
                break;
            case PieOthers:
                swatch(i + 1, kWhite);
                break;
            case PieNotShown:
                swatch(i + 1, kBlack);
                break;
            }
        }
        if (fill.hasOthers)
            m_chtGraph->addPoint(fill.othersSum, GraphOptions::othersLabel(), colorOf(kWhite));
        if (!fill.note.isEmpty())
            m_lblRemPie->setText(GraphOptions::pieNoteText(fill.note));
        m_lblRemPie->setVisible(!fill.note.isEmpty());
        placeNote();
    } else {
        m_pieRoles.clear();
        for (int i = 0; i < n; ++i) {
            const int rgb = type == ChartControl::Line ? rgbOf(m_lineColor) : m_data.GraphColors.at(i);
            m_chtGraph->addPoint(m_data.GraphValues.at(i), m_data.GraphLabels.at(i), colorOf(rgb));
            swatch(i + 1, rgb);
        }
        m_lblRemPie->hide();
    }
    m_SS_TXT->setRedraw(true);
}

void FrmSSGraph::placeNote()
{
    const double panelW = Twips::width(m_xPanel1);
    const double panelH = Twips::height(m_xPanel1);
    double noteH = 0;
    if (m_lblRemPie->isVisibleTo(m_xPanel1)) {
        m_lblRemPie->adjustSize();
        noteH = Twips::height(m_lblRemPie);
        Twips::move(m_lblRemPie, (panelW - Twips::width(m_lblRemPie)) / 2, panelH - noteH - 75);
    }
    Twips::resize(m_chtGraph, Twips::width(m_chtGraph), GraphWindowLayout::chartHeight(panelH, noteH));
}

void FrmSSGraph::sbGraph_Set3D(bool on)
{
    m_chtGraph->setView3D(on);
    m_chtGraph->setView3DDepth(15);
    if (m_chtGraph->seriesKind() == ChartControl::Line) {
        m_chtGraph->setLineMarkersVisible(true);
        m_chtGraph->setLineMarkerOutline(on ? QColor(128, 128, 128) : QColor(0, 0, 0));
    }
}

void FrmSSGraph::sbGraph_ShowValue(bool on)
{
    m_chtGraph->setMarksVisible(on);
    const int kind = m_chtGraph->seriesKind();
    if (kind == ChartControl::Line || kind == ChartControl::Bar)
        m_chtGraph->setLeftAxisMaximum(GraphOptions::axisMax(kind, on, m_data.GraphMax));
    m_cboValueType->setEnabled(on);
    m_cboValueRatio->setEnabled(on);
}

void FrmSSGraph::sbGraph_SetMarkStyle(int index)
{
    const int code = GraphOptions::markStyleCode(index);
    if (code >= 0)
        m_chtGraph->setMarksStyle(ChartControl::MarkStyle(code));
}

void FrmSSGraph::sbGraph_SetMarkFormat(int index)
{
    const QString value = GraphOptions::valueFormat(index);
    if (value.isEmpty())
        return;
    m_chtGraph->setValueFormat(value);
    m_chtGraph->setPercentFormat(GraphOptions::percentFormat(index));
}

void FrmSSGraph::sbGraph_AutoPreset(bool on)
{
    if (!on)
        return;
    const GraphPreset p = GraphOptions::preset(fnGraph_Type());
    m_chkView3D->setChecked(p.view3D);
    if (p.valueType >= 0)
        m_cboValueType->setCurrentIndex(p.valueType);
    m_chkViewValue->setChecked(p.viewValue);
    m_chkViewCross->setChecked(p.viewCross);
}

void FrmSSGraph::swatchClick(int col, int row)
{
    if (col != 1 || row < 1 || row > m_data.GraphCount)
        return;
    const int type = fnGraph_Type();
    if (type == ChartControl::Pie && row - 1 < m_pieRoles.size()) {
        const int role = m_pieRoles.at(row - 1);
        const QString second = QStringLiteral("다른색으로 지정을 할 수 없습니다.");
        if (role == PieNotShown) {
            MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("색지정을 할 수 없습니다."),
                           QStringLiteral("그래프에서 표시되지 않은 영역의 색은 흑색이며,") + kCrLf + second);
            return;
        }
        if (role == PieOthers) {
            MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("색지정을 할 수 없습니다."),
                           QStringLiteral("그래프에서 기타로 표시되는 영역의 색은 백색이며,") + kCrLf + second);
            return;
        }
    }
    const QColor initial = type == ChartControl::Line ? m_lineColor : colorOf(m_data.GraphColors.at(row - 1));
    const QString title = QStringLiteral("그래프 색");
    std::optional<QColor> chosen;
    if (Platform::services().colorDialog) {
        chosen = Platform::services().colorDialog(initial, title);
    } else {
        const QColor c = QColorDialog::getColor(initial, this, title);
        if (c.isValid())
            chosen = c;
    }
    if (!chosen || !chosen->isValid())
        return; // cancel: nothing changes
    if (type == ChartControl::Line)
        m_lineColor = *chosen;
    else
        m_data.GraphColors[row - 1] = rgbOf(*chosen);
    sbGraph_Fill(type);
}

void FrmSSGraph::optType_Click(int index)
{
    Q_UNUSED(index);
    const int type = fnGraph_Type();
    sbGraph_Reset();
    sbGraph_Build(type);
    sbGraph_AutoPreset(m_chkViewAuto->isChecked());
    if (type == ChartControl::Pie) {
        hideCrossIfShown();
        m_chkViewCross->setEnabled(false);
        placePieStart();
        sbGraph_SetScroll(ChartControl::Pie, 0);
    } else {
        m_chkViewCross->setEnabled(true);
        m_lneStart->hide();
        sbGraph_SetScroll(type, m_chtGraph->maxPointsPerPage());
    }
    sbGraph_ShowPage();
    focusChart();
}

void FrmSSGraph::placePieStart()
{
    const double w = Twips::width(m_chtGraph);
    const double y = GraphOptions::pieStartY(Twips::height(m_chtGraph), m_chkView3D->isChecked());
    Twips::setGeometry(m_lneStart, w * 3 / 4, y, w / 4, 15);
    m_lneStart->show();
    m_lneStart->raise();
}

void FrmSSGraph::chkView3D_Click()
{
    sbGraph_Set3D(m_chkView3D->isChecked());
    if (fnGraph_Type() == ChartControl::Pie)
        placePieStart();
    else
        m_lneStart->hide();
    focusChart();
}
