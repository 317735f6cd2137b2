#include "graph/frmssgraph.h"

#include "graph/frmssgraph_parts.h"
#include "graph/graphlayout.h"
#include "graph/graphoptions.h"
#include "graph/stripimage.h"
#include "platform/chart/chartcontrol.h"
#include "platform/controls/picbutton.h"
#include "platform/controls/xpanel.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

// Construction of the graph window: its controls, their design places and the window's own events.

using namespace FrmSSGraphParts;

namespace {

// design sizes (twips)
// design sizes (twips)
constexpr double kGridWidth = 4200;
constexpr double kButtonSize = 330; // scroll strip buttons
constexpr double kStripHeight = 405; // picScroll
constexpr double kOptionHeight = 480; // picOption
constexpr double kSumHeight = 435; // picSS_SUM
constexpr double kScrollBarLeft = 3960;

QFont uiFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("NanumGothic"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

PicButton *makeButton(QWidget *parent, const QString &glyph, const QString &tip)
{
    auto *b = new PicButton(parent);
    b->setPicture(PicButton::glyphPath(glyph));
    b->setGlyphSize(QSize(16, 16));
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

FrmSSGraph::FrmSSGraph(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FrmSSGraph"));
    setWindowTitle(QStringLiteral(" Graph..."));
    setMouseTracking(true);
    setFont(uiFont(9));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xEE, 0xF1, 0xF6));
    setPalette(pal);

    createControls();
    m_crossCursor = QCursor(QPixmap(QStringLiteral(":/graph/crosshair.svg")), 16, 16);

    // Load: LineColor yellow, the value lists, the automatic preset checked
    m_lineColor = colorOf(kLineYellow);
    sbInit_ValueCombos();
    m_chkViewAuto->setChecked(true);
    Twips::resize(this, kGraphShowWidth, kGraphShowHeight);
}

FrmSSGraph::~FrmSSGraph() = default;

void FrmSSGraph::createControls()
{
    m_xPanel2 = new xPanel(this);
    m_xPanel2->setObjectName(QStringLiteral("xPanel2"));
    m_xPanel2->setCaption(QStringLiteral("항목별 집계"));
    Twips::setGeometry(m_xPanel2, kGraphPanel2Left, kGraphPanel2Top, 4380, 9000);

    m_SS_TXT = new SpreadGrid(m_xPanel2);
    m_SS_TXT->setObjectName(QStringLiteral("SS_TXT"));
    m_SS_TXT->setMaxCols(4);
    m_SS_TXT->setColHeaderRows(1);
    m_SS_TXT->setMaxRows(0);
    m_SS_TXT->setFontName(QStringLiteral("굴림체"));
    m_SS_TXT->setFontSize(9);
    m_SS_TXT->setScrollBarMode(SpreadGrid::ScrollBarVertical);
    m_SS_TXT->setTextTipMode(1);
    // column looks: swatch, label, ratio and value as static text
    for (int c = 1; c <= 4; ++c) {
        m_SS_TXT->setCol(c);
        m_SS_TXT->setRow(SpreadGrid::AllCells);
        m_SS_TXT->setCellKind(SpreadGrid::KindStaticText);
        m_SS_TXT->setHAlign(c >= 3 ? SpreadGrid::AlignRight : SpreadGrid::AlignLeft);
        m_SS_TXT->setCellLocked(true);
    }
    m_SS_TXT->setProtectFlag(true);
    // the swatch shows the item's colour exactly, also under the active cell
    m_SS_TXT->setColSelectionTint(1, false);
    // the X title reads over the swatch and the label together
    m_SS_TXT->AddCellSpan(1, SpreadGrid::FirstHeaderRow, 2, 1);
    Twips::setGeometry(m_SS_TXT, kGraphGridLeft, 270, kGridWidth, 6000);
    connect(m_SS_TXT, &SpreadGrid::Click, this, &FrmSSGraph::swatchClick);

    m_picSS_SUM = new QWidget(m_xPanel2);
    m_picSS_SUM->setObjectName(QStringLiteral("picSS_SUM"));
    Twips::setGeometry(m_picSS_SUM, kGraphGridLeft, 6300, kGridWidth, kSumHeight);
    m_cmdSS_Reload = new PicButton(m_picSS_SUM);
    m_cmdSS_Reload->setObjectName(QStringLiteral("cmdSS_Reload"));
    m_cmdSS_Reload->setCaption(QStringLiteral(" 새로 고침 "));
    m_cmdSS_Reload->setFont(uiFont(9));
    Twips::setGeometry(m_cmdSS_Reload, 0, 60, 1125, 345);
    connect(m_cmdSS_Reload, &PicButton::Click, this, &FrmSSGraph::sbSS_TXT_Format);
    for (int i = 0; i < 2; ++i) {
        m_lblSS_SUM[i] = new QLabel(m_picSS_SUM);
        m_lblSS_SUM[i]->setObjectName(QStringLiteral("lblSS_SUM_%1").arg(i));
        m_lblSS_SUM[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_lblSS_SUM[i]->setFont(fixedFont(9, true));
    }
    Twips::setGeometry(m_lblSS_SUM[0], 1200, 60, 1050, 345);
    Twips::setGeometry(m_lblSS_SUM[1], 2280, 60, kGridWidth - 2280, 345);

    m_xPanel1 = new xPanel(this);
    m_xPanel1->setObjectName(QStringLiteral("xPanel1"));
    m_xPanel1->setCaption(QStringLiteral("그래프"));
    m_xPanel1->setMouseTracking(true);
    Twips::setGeometry(m_xPanel1, kGraphPanel1Left, kGraphPanel1Top, 10000, 8000);

    m_chtGraph = new ChartControl(m_xPanel1);
    m_chtGraph->setObjectName(QStringLiteral("chtGraph"));
    m_chtGraph->setMouseTracking(true);
    m_chtGraph->setFocusPolicy(Qt::StrongFocus);
    // design look: blue bold heading, grey panel, blue walls, no legend, last page not stretched
    m_chtGraph->setHeaderFont(fixedFont(10, true));
    m_chtGraph->setHeaderColour(QColor(0, 0, 255));
    m_chtGraph->setLegendVisible(false);
    m_chtGraph->setPanelColour(QColor(224, 224, 224));
    m_chtGraph->setWallColour(QColor(128, 128, 255));
    m_chtGraph->setAxisFont(fixedFont(9));
    m_chtGraph->setScaleLastPage(false);
    Twips::setGeometry(m_chtGraph, kGraphChartLeft, kGraphChartTop, 9000, 6000);
    connect(m_chtGraph, &ChartControl::mouseMoved, this, &FrmSSGraph::chartMouseMove);
    connect(m_chtGraph, &ChartControl::chartClicked, this, [this](const QPoint &) { chartClick(); });

    const auto makeLine = [this](const QString &name, const QString &style) {
        auto *line = new QFrame(m_chtGraph);
        line->setObjectName(name);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        line->setStyleSheet(style);
        line->hide();
        return line;
    };
    m_lneX = makeLine(QStringLiteral("lneX"), QStringLiteral("background: rgba(200, 0, 0, 200);"));
    m_lneY = makeLine(QStringLiteral("lneY"), QStringLiteral("background: rgba(200, 0, 0, 200);"));
    m_lneStart = makeLine(QStringLiteral("lneStart"), QStringLiteral("background: rgb(0, 0, 160);"));

    m_fmeViewCross = new QFrame(m_chtGraph);
    m_fmeViewCross->setObjectName(QStringLiteral("fmeViewCross"));
    m_fmeViewCross->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_fmeViewCross->hide();
    for (int i = 0; i < 2; ++i) {
        m_shpViewCross[i] = new QFrame(m_fmeViewCross);
        m_shpViewCross[i]->setStyleSheet(
            QStringLiteral("background: rgba(255, 255, 225, 235); border: 1px solid rgb(160, 120, 60);"
                           " border-radius: 3px;"));
        m_lblViewCross[i] = new QLabel(m_fmeViewCross);
        m_lblViewCross[i]->setObjectName(QStringLiteral("lblViewCross_%1").arg(i));
        m_lblViewCross[i]->setFont(fixedFont(9, i == 0));
        m_lblViewCross[i]->setStyleSheet(QStringLiteral("color: rgb(40, 30, 10); background: transparent;"));
    }

    m_lblRemPie = new QLabel(m_xPanel1);
    m_lblRemPie->setObjectName(QStringLiteral("lblRemPie"));
    m_lblRemPie->setFont(uiFont(9, true));
    m_lblRemPie->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    m_lblRemPie->hide();

    createScrollStrip();
    createOptionStrip();

    // hints: the mouse over any other part of the window takes the cross-hair away. The chart's
    // own panel is not one of them (a move over its margin reaches the window's handler).
    const QList<QWidget *> hinted{m_xPanel2, m_SS_TXT, m_picSS_SUM, m_picScroll, m_picOption};
    for (QWidget *w : hinted) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    for (QWidget *w : m_picScroll->findChildren<QWidget *>())
        w->installEventFilter(this);
    for (QWidget *w : m_picOption->findChildren<QWidget *>())
        w->installEventFilter(this);
}

void FrmSSGraph::createScrollStrip()
{
    m_picScroll = new QWidget(this);
    m_picScroll->setObjectName(QStringLiteral("picScroll"));
    Twips::setGeometry(m_picScroll, kGraphPanel1Left, 8000, 10000, kStripHeight);
    m_imgScroll[0] = new StripImage(QStringLiteral(":/graph/strip_left.svg"), m_picScroll);
    m_imgScroll[1] = new StripImage(QStringLiteral(":/graph/strip_mid.svg"), m_picScroll);
    m_imgScroll[2] = new StripImage(QStringLiteral(":/graph/strip_right.svg"), m_picScroll);
    Twips::setGeometry(m_imgScroll[0], 0, 0, 90, kStripHeight);
    Twips::setGeometry(m_imgScroll[2], 9910, 0, 90, kStripHeight);

    m_cmdPrint = makeButton(m_picScroll, QStringLiteral("print"), QStringLiteral(" 프린트로 출력하기 "));
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdSaveJPG = makeButton(m_picScroll, QStringLiteral("picture"), QStringLiteral(" 그림파일로 저장하기 "));
    m_cmdSaveJPG->setObjectName(QStringLiteral("cmdSaveJPG"));
    Twips::setGeometry(m_cmdPrint, 90, 38, kButtonSize, kButtonSize);
    Twips::setGeometry(m_cmdSaveJPG, 90 + kButtonSize + 15, 38, kButtonSize, kButtonSize);
    connect(m_cmdPrint, &PicButton::Click, this, &FrmSSGraph::cmdPrint_Click);
    connect(m_cmdSaveJPG, &PicButton::Click, this, &FrmSSGraph::cmdSaveJPG_Click);

    static const char *const glyphs[10] = {"first", "prevpage", "prev",   "next",   "nextpage",
                                           "last",  "zoomout",  "zoomin", "fitall", "redraw"};
    static const char *const tips[10] = {" 페이지 처음으로 이동 ", " 왼쪽으로 한페이지 이동 ",   " 왼쪽으로 한칸 이동 ",
                                         " 오른쪽으로 한칸 이동 ", " 오른쪽으로 한페이지 이동 ", " 페이지 끝으로 이동 ",
                                         " 오른쪽 크기 축소 ",     " 오른쪽 크기 확대 ",         " 그래프 모두 보기 ",
                                         " 그래프 다시 그리기 "};
    m_fmeScroll = new QWidget(m_picScroll);
    m_fmeScroll->setObjectName(QStringLiteral("fmeScroll"));
    for (int k = 0; k < 10; ++k) {
        QWidget *parent = k <= 2 ? m_picScroll : m_fmeScroll;
        m_cmdScroll[k] = makeButton(parent, QString::fromLatin1(glyphs[k]), QString::fromUtf8(tips[k]));
        m_cmdScroll[k]->setObjectName(QStringLiteral("cmdScroll_%1").arg(k));
        connect(m_cmdScroll[k], &PicButton::MouseDown, this,
                [this, k](Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            if (b == Qt::LeftButton)
                scrollMouseDown(k);
        });
        connect(m_cmdScroll[k], &PicButton::MouseUp, this,
                [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { scrollMouseUp(); });
        if (k >= 8)
            connect(m_cmdScroll[k], &PicButton::Click, this, [this, k] { cmdScrollAll_Click(k); });
    }
    // buttons 0..2 on the left after print and picture; 3..9 in fmeScroll at the right end
    double x = 90 + 2 * kButtonSize + 120;
    for (int k = 0; k <= 2; ++k, x += kButtonSize)
        Twips::setGeometry(m_cmdScroll[k], x, 38, kButtonSize, kButtonSize);
    double buttons = 0;
    for (int k = 3; k <= 9; ++k) {
        Twips::setGeometry(m_cmdScroll[k], 300 + buttons, 38, kButtonSize, kButtonSize);
        buttons += kButtonSize;
    }
    Twips::setGeometry(m_fmeScroll, 6000, 0, GraphWindowLayout::scrollFrameWidth(buttons), kStripHeight);

    // paging labels between the left buttons and the scroll bar: "current / count  [per screen]"
    static const char *const labelTips[3] = {" 현제 페이지 ", " 총 페이지 수 ", " 한 화면 표시 그래프 개수 "};
    x += 60;
    const double lefts[3] = {x, x + 750, x + 1410};
    const double widths[3] = {600, 600, 540};
    for (int i = 0; i < 3; ++i) {
        m_lblScroll[i] = new QLabel(m_picScroll);
        m_lblScroll[i]->setObjectName(QStringLiteral("lblScroll_%1").arg(i));
        m_lblScroll[i]->setToolTip(QString::fromUtf8(labelTips[i]));
        m_lblScroll[i]->setFont(fixedFont(9, i == 0));
        m_lblScroll[i]->setAlignment(Qt::AlignCenter);
        m_lblScroll[i]->setStyleSheet(i == 2 ? QStringLiteral("background: white; border: 1px solid #9aa7bd;"
                                                              " border-radius: 3px; color: #203060;")
                                             : QStringLiteral("color: #203060;"));
        Twips::setGeometry(m_lblScroll[i], lefts[i], i == 2 ? 60 : 38, widths[i], i == 2 ? 285 : kButtonSize);
    }
    auto *slash = new QLabel(QStringLiteral("/"), m_picScroll);
    slash->setAlignment(Qt::AlignCenter);
    slash->setStyleSheet(QStringLiteral("color: #7080a0;"));
    Twips::setGeometry(slash, lefts[0] + 600, 38, 150, kButtonSize);

    m_sclScroll = new QScrollBar(Qt::Horizontal, m_picScroll);
    m_sclScroll->setObjectName(QStringLiteral("sclScroll"));
    m_sclScroll->setRange(0, 0);
    Twips::setGeometry(m_sclScroll, kScrollBarLeft, 60, 2000, 285);
    connect(m_sclScroll, &QScrollBar::valueChanged, this, [this](int v) {
        hideCrossIfShown();
        sbGraph_ScrollTo(v);
    });
    connect(m_sclScroll, &QScrollBar::sliderMoved, this, [this](int) { focusChart(); });
    m_fmeScroll->raise();

    m_tmeScroll = new HoldRepeatTimer(60, this);
    m_tmeScroll->setObjectName(QStringLiteral("tmeScroll"));
    connect(m_tmeScroll, &QTimer::timeout, this, &FrmSSGraph::tmeScroll_Timer);
}

void FrmSSGraph::createOptionStrip()
{
    m_picOption = new QWidget(this);
    m_picOption->setObjectName(QStringLiteral("picOption"));
    Twips::setGeometry(m_picOption, kGraphPanel1Left, 8500, 10000, kOptionHeight);
    m_imgOption[0] = new StripImage(QStringLiteral(":/graph/strip_left.svg"), m_picOption);
    m_imgOption[1] = new StripImage(QStringLiteral(":/graph/strip_mid.svg"), m_picOption);
    m_picOptionIn = new StripImage(QStringLiteral(":/graph/strip_right.svg"), m_picOption);
    Twips::setGeometry(m_imgOption[0], 0, 0, 90, kOptionHeight);

    static const char *const typeCaptions[3] = {"선형", "막대", "원형"};
    static const char *const typeTips[3] = {" 선형(Line) 타입 그래프 보기 ", " 막대(Bar) 타입 그래프 보기 ",
                                            " 원형(Pie) 타입 그래프 보기 "};
    double x = 165;
    for (int i = 0; i < 3; ++i) {
        m_optType[i] = new QRadioButton(QString::fromUtf8(typeCaptions[i]), m_picOption);
        m_optType[i]->setObjectName(QStringLiteral("optType_%1").arg(i));
        m_optType[i]->setToolTip(QString::fromUtf8(typeTips[i]));
        Twips::setGeometry(m_optType[i], x, 90, 720, 300);
        x += 720;
    }
    m_optType[1]->setChecked(true); // bar when the window is created
    for (int i = 0; i < 3; ++i)
        connect(m_optType[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optType_Click(i);
        });

    auto *sep1 = new QFrame(m_picOption);
    sep1->setFrameShape(QFrame::VLine);
    sep1->setStyleSheet(QStringLiteral("color: #b8c2d4;"));
    Twips::setGeometry(sep1, x, 90, 30, 300);
    x += 120;

    const auto makeCheck = [this, &x](const QString &name, const QString &caption, const QString &tip, double w) {
        auto *c = new QCheckBox(caption, m_picOption);
        c->setObjectName(name);
        c->setToolTip(tip);
        Twips::setGeometry(c, x, 90, w, 300);
        x += w;
        return c;
    };
    m_chkView3D = makeCheck(QStringLiteral("chkView3D"), QStringLiteral("입체"),
                            QStringLiteral(" 입체(3D) 모양의 그래프 보기 "), 720);
    m_chkViewValue = makeCheck(QStringLiteral("chkViewValue"), QStringLiteral("값"),
                               QStringLiteral(" X축 항목의 그래프별 값 보기 "), 600);
    m_cboValueType = new QComboBox(m_picOption);
    m_cboValueType->setObjectName(QStringLiteral("cboValueType"));
    Twips::setGeometry(m_cboValueType, x, 75, 1770, 330);
    x += 1800;
    m_cboValueRatio = new QComboBox(m_picOption);
    m_cboValueRatio->setObjectName(QStringLiteral("cboValueRatio"));
    Twips::setGeometry(m_cboValueRatio, x, 75, 990, 330);
    x += 1110;
    m_chkViewCross = makeCheck(QStringLiteral("chkViewCross"), QStringLiteral("십자선"),
                               QStringLiteral(" 그래프 X, Y 라인 보기 "), 900);
    m_chkViewAuto = makeCheck(QStringLiteral("chkViewAuto"), QStringLiteral("자동"),
                              QStringLiteral(" 그래프 타입별 자동 설정하기 "), 720);

    connect(m_chkView3D, &QCheckBox::toggled, this, [this] { chkView3D_Click(); });
    connect(m_chkViewValue, &QCheckBox::toggled, this, [this](bool on) {
        sbGraph_ShowValue(on);
        focusChart();
    });
    connect(m_cboValueType, &QComboBox::currentIndexChanged, this, [this](int i) {
        hideCrossIfShown();
        sbGraph_SetMarkStyle(i);
        focusChart();
    });
    connect(m_cboValueRatio, &QComboBox::currentIndexChanged, this, [this](int i) {
        hideCrossIfShown();
        sbGraph_SetMarkFormat(i);
        focusChart();
    });
    connect(m_chkViewCross, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            sbGraph_ShowCross(false);
        focusChart();
    });
    connect(m_chkViewAuto, &QCheckBox::toggled, this, [this] {
        hideCrossIfShown();
        focusChart();
    });

    m_cmdShowEdit = new PicButton(m_picOption);
    m_cmdShowEdit->setObjectName(QStringLiteral("cmdShowEdit"));
    m_cmdShowEdit->setPicture(PicButton::glyphPath(QStringLiteral("settings")));
    m_cmdShowEdit->setGlyphSize(QSize(14, 14));
    m_cmdShowEdit->setCaption(QStringLiteral("      고급 설정"));
    m_cmdShowEdit->setToolTip(QStringLiteral(" 그래프 고급 설정 "));
    m_cmdShowEdit->setFocusPolicy(Qt::StrongFocus);
    m_cmdShowEdit->hide();
    m_cmdShowEdit->installEventFilter(this);
    Twips::resize(m_cmdShowEdit, kShowEditWidth, 360);
    connect(m_cmdShowEdit, &PicButton::Click, this, [this] {
        m_chtGraph->showEditor();
        focusChart();
    });

    m_cmdClose = new PicButton(m_picOption);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setPicture(PicButton::glyphPath(QStringLiteral("close")));
    m_cmdClose->setGlyphSize(QSize(12, 12));
    m_cmdClose->setCaption(QStringLiteral("     닫기"));
    m_cmdClose->setFocusPolicy(Qt::StrongFocus);
    m_cmdClose->installEventFilter(this);
    Twips::resize(m_cmdClose, 1050, 360);
    connect(m_cmdClose, &PicButton::Click, this, &FrmSSGraph::sbSet_SSGraph_Close);
}

void FrmSSGraph::sbInit_ValueCombos()
{
    const QSignalBlocker b1(m_cboValueType);
    const QSignalBlocker b2(m_cboValueRatio);
    m_cboValueType->clear();
    m_cboValueType->addItems(GraphOptions::valueTypeItems());
    m_cboValueRatio->clear();
    m_cboValueRatio->addItems(GraphOptions::valueRatioItems());
    m_cboValueType->setCurrentIndex(0);
    m_cboValueRatio->setCurrentIndex(2);
    m_cboValueType->setEnabled(m_chkViewValue->isChecked());
    m_cboValueRatio->setEnabled(m_chkViewValue->isChecked());
}

void FrmSSGraph::focusChart()
{
    if (isVisible())
        m_chtGraph->setFocus();
}

// ---------------------------------------------------------------------------------------------------------
// window

void FrmSSGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void FrmSSGraph::layoutControls()
{
    GraphLayoutInput in;
    const double frameW = isVisible() ? Twips::fromPixels(frameGeometry().width() - width()) : 0;
    const double frameH = isVisible() ? Twips::fromPixels(frameGeometry().height() - height()) : 0;
    in.innerWidth = Twips::width(this);
    in.innerHeight = Twips::height(this);
    in.outerWidth = in.innerWidth + frameW;
    in.outerHeight = in.innerHeight + frameH;
    in.panel2Width = Twips::width(m_xPanel2);
    in.gridTop = Twips::top(m_SS_TXT);
    in.gridHeight = Twips::height(m_SS_TXT);
    in.sumHeight = Twips::height(m_picSS_SUM);
    in.optionHeight = Twips::height(m_picOption);
    in.scrollHeight = Twips::height(m_picScroll);
    in.scrollBarLeft = Twips::left(m_sclScroll);
    in.scrollFrameWidth = Twips::width(m_fmeScroll);
    in.closeWidth = Twips::width(m_cmdClose);
    in.showEditWidth = kShowEditWidth;
    in.noteVisible = m_lblRemPie->isVisibleTo(m_xPanel1);
    if (in.noteVisible) {
        m_lblRemPie->adjustSize();
        in.noteWidth = Twips::width(m_lblRemPie);
        in.noteHeight = Twips::height(m_lblRemPie);
    }
    const std::optional<GraphLayout> layout = GraphWindowLayout::compute(in);
    if (!layout)
        return; // too small: keep the previous layout
    const GraphLayout &l = *layout;
    const auto apply = [](QWidget *w, const QRectF &r) { Twips::setGeometry(w, r.x(), r.y(), r.width(), r.height()); };

    apply(m_xPanel2, l.panel2);
    if (l.gridHeight != in.gridHeight)
        Twips::resize(m_SS_TXT, Twips::width(m_SS_TXT), l.gridHeight);
    Twips::move(m_picSS_SUM, Twips::left(m_picSS_SUM), l.sumTop);
    apply(m_xPanel1, l.panel1);
    apply(m_picScroll, l.scroll);
    Twips::setGeometry(m_imgScroll[1], 90, 0, l.scrollMiddleWidth, l.scroll.height());
    Twips::move(m_imgScroll[2], l.scrollRightLeft, 0);
    Twips::resize(m_sclScroll, l.scrollBarWidth, Twips::height(m_sclScroll));
    Twips::move(m_fmeScroll, l.scrollFrameLeft, 0);
    Twips::resize(m_chtGraph, l.chart.width(), l.chart.height());
    apply(m_picOption, l.option);
    Twips::setGeometry(m_imgOption[1], 90, 0, l.optionMiddleWidth, l.option.height());
    Twips::setGeometry(m_picOptionIn, l.optionRightLeft, 0, 90, l.option.height());
    if (in.noteVisible)
        Twips::move(m_lblRemPie, l.note.x(), l.note.y());
    Twips::move(m_cmdClose, l.close.x(), l.close.y());
    placeShowEdit(l.close.x(), l.close.y());
    if (m_lneStart->isVisibleTo(m_chtGraph))
        placePieStart();
    hideCrossIfShown();
}

void FrmSSGraph::placeShowEdit(double closeLeft, double top)
{
    // beside 닫기, clear of the 자동 box: where the strip is short the gear drops its words
    // (the tip still says them) and takes only the room there is
    const double clearOf = Twips::left(m_chkViewAuto) + Twips::width(m_chkViewAuto) + 45;
    const double room = closeLeft - 15 - clearOf;
    const double width = std::clamp(room, 360.0, kShowEditWidth);
    m_cmdShowEdit->setCaption(QStringLiteral("      고급 설정"));
    if (Twips::fromPixels(m_cmdShowEdit->sizeHint().width()) > width)
        m_cmdShowEdit->setCaption(QString());
    Twips::setGeometry(m_cmdShowEdit, closeLeft - 15 - width, top, width, 360);
}

void FrmSSGraph::closeEvent(QCloseEvent *event)
{
    // the close box hides the window; the next graph request shows it again
    event->ignore();
    sbSet_SSGraph_Close();
}

void FrmSSGraph::mouseMoveEvent(QMouseEvent *event)
{
    hideCrossIfShown();
    QWidget::mouseMoveEvent(event);
}

bool FrmSSGraph::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (watched != m_chtGraph)
            hideCrossIfShown();
        break;
    case QEvent::KeyPress:
        if (watched == m_cmdClose && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
            m_cmdShowEdit->setVisible(!m_cmdShowEdit->isVisible());
            if (m_cmdShowEdit->isVisible())
                m_cmdShowEdit->setFocus();
            return true;
        }
        break;
    case QEvent::FocusOut:
        if (watched == m_cmdShowEdit)
            m_cmdShowEdit->hide();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
