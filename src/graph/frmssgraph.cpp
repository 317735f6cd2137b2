#include "graph/frmssgraph.h"

#include "graph/graphlayout.h"
#include "graph/graphoptions.h"
#include "graph/graphpicture.h"
#include "graph/stripimage.h"
#include "gridnav/ss_move_info.h"
#include "msgscr/msgscr.h"
#include "platform/chart/chartcontrol.h"
#include "platform/controls/picbutton.h"
#include "platform/controls/xpanel.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/filefolder.h"
#include "platform/win/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <climits>
#include <cmath>

namespace {

FrmSSGraph::SaveDialogHook &saveHook()
{
    static FrmSSGraph::SaveDialogHook hook;
    return hook;
}

FrmSSGraph::ColorDialogHook &colorHook()
{
    static FrmSSGraph::ColorDialogHook hook;
    return hook;
}

FrmSSGraph::PrinterListHook &printerListHook()
{
    static FrmSSGraph::PrinterListHook hook;
    return hook;
}

FrmSSGraph::PrinterHook &printerHook()
{
    static FrmSSGraph::PrinterHook hook;
    return hook;
}

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kWhite = zzRgb(255, 255, 255);
constexpr int kBlack = 0;
constexpr int kHighlight = zzRgb(255, 192, 192);
constexpr int kTotalColour = zzRgb(0, 0, 100);
constexpr int kRed = 255;
constexpr int kLineYellow = 65535;
constexpr int kFirstPageSize = 15;
constexpr double kShowEditWidth = 1200; // the advanced-settings button with its words, twips

// design sizes (twips)
constexpr double kGridWidth = 4200;
constexpr double kButtonSize = 330; // scroll strip buttons
constexpr double kStripHeight = 405; // picScroll
constexpr double kOptionHeight = 480; // picOption
constexpr double kSumHeight = 435; // picSS_SUM
constexpr double kScrollBarLeft = 3960;
constexpr double kCrossGap = 150; // read-out frame off the cross-hair
constexpr double kCrossShapeExtra = 90; // read-out background wider than its text

QColor colorOf(int rgb)
{
    return QColor(rgb & 255, (rgb >> 8) & 255, (rgb >> 16) & 255);
}
int rgbOf(const QColor &c)
{
    return zzRgb(c.red(), c.green(), c.blue());
}

QFont uiFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("NanumGothic"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont fixedFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("굴림체"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

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

PicButton *makeButton(QWidget *parent, const QString &glyph, const QString &tip)
{
    auto *b = new PicButton(parent);
    b->setPicture(PicButton::glyphPath(glyph));
    b->setGlyphSize(QSize(16, 16));
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

std::optional<QString> realSaveDialog(QWidget *parent, const FrmSSGraph::SaveRequest &r)
{
    QFileDialog dialog(parent, r.title, r.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(r.defaultSuffix);
    // "description | pattern" as the dialog shows it: "description (pattern)"
    const QStringList parts = r.filter.split(u'|');
    dialog.setNameFilter(parts.value(0).trimmed());
    dialog.selectFile(r.fileName);
    // the overwrite question is the program's own
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFiles().value(0);
}

} // namespace

void FrmSSGraph::setSaveDialogHook(SaveDialogHook hook)
{
    saveHook() = std::move(hook);
}
void FrmSSGraph::setColorDialogHook(ColorDialogHook hook)
{
    colorHook() = std::move(hook);
}
void FrmSSGraph::setPrinterHook(PrinterHook hook)
{
    printerHook() = std::move(hook);
}
void FrmSSGraph::setPrinterListHook(PrinterListHook hook)
{
    printerListHook() = std::move(hook);
}

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
    chkViewAuto->setChecked(true);
    Twips::resize(this, kGraphShowWidth, kGraphShowHeight);
}

FrmSSGraph::~FrmSSGraph() = default;

void FrmSSGraph::createControls()
{
    xPanel2 = new xPanel(this);
    xPanel2->setObjectName(QStringLiteral("xPanel2"));
    xPanel2->setCaption(QStringLiteral("항목별 집계"));
    Twips::setGeometry(xPanel2, kGraphPanel2Left, kGraphPanel2Top, 4380, 9000);

    SS_TXT = new SpreadGrid(xPanel2);
    SS_TXT->setObjectName(QStringLiteral("SS_TXT"));
    SS_TXT->setMaxCols(4);
    SS_TXT->setColHeaderRows(1);
    SS_TXT->setMaxRows(0);
    SS_TXT->setFontName(QStringLiteral("굴림체"));
    SS_TXT->setFontSize(9);
    SS_TXT->setScrollBarMode(SpreadGrid::ScrollBarVertical);
    SS_TXT->setTextTipMode(1);
    // column looks: swatch, label, ratio and value as static text
    for (int c = 1; c <= 4; ++c) {
        SS_TXT->setCol(c);
        SS_TXT->setRow(SpreadGrid::AllCells);
        SS_TXT->setCellKind(SpreadGrid::KindStaticText);
        SS_TXT->setHAlign(c >= 3 ? SpreadGrid::AlignRight : SpreadGrid::AlignLeft);
        SS_TXT->setCellLocked(true);
    }
    SS_TXT->setProtectFlag(true);
    // the swatch shows the item's colour exactly, also under the active cell
    SS_TXT->setColSelectionTint(1, false);
    // the X title reads over the swatch and the label together
    SS_TXT->AddCellSpan(1, SpreadGrid::FirstHeaderRow, 2, 1);
    Twips::setGeometry(SS_TXT, kGraphGridLeft, 270, kGridWidth, 6000);
    connect(SS_TXT, &SpreadGrid::Click, this, &FrmSSGraph::swatchClick);

    picSS_SUM = new QWidget(xPanel2);
    picSS_SUM->setObjectName(QStringLiteral("picSS_SUM"));
    Twips::setGeometry(picSS_SUM, kGraphGridLeft, 6300, kGridWidth, kSumHeight);
    cmdSS_Reload = new PicButton(picSS_SUM);
    cmdSS_Reload->setObjectName(QStringLiteral("cmdSS_Reload"));
    cmdSS_Reload->setCaption(QStringLiteral(" 새로 고침 "));
    cmdSS_Reload->setFont(uiFont(9));
    Twips::setGeometry(cmdSS_Reload, 0, 60, 1125, 345);
    connect(cmdSS_Reload, &PicButton::Click, this, &FrmSSGraph::sbSS_TXT_Format);
    for (int i = 0; i < 2; ++i) {
        lblSS_SUM[i] = new QLabel(picSS_SUM);
        lblSS_SUM[i]->setObjectName(QStringLiteral("lblSS_SUM_%1").arg(i));
        lblSS_SUM[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblSS_SUM[i]->setFont(fixedFont(9, true));
    }
    Twips::setGeometry(lblSS_SUM[0], 1200, 60, 1050, 345);
    Twips::setGeometry(lblSS_SUM[1], 2280, 60, kGridWidth - 2280, 345);

    xPanel1 = new xPanel(this);
    xPanel1->setObjectName(QStringLiteral("xPanel1"));
    xPanel1->setCaption(QStringLiteral("그래프"));
    xPanel1->setMouseTracking(true);
    Twips::setGeometry(xPanel1, kGraphPanel1Left, kGraphPanel1Top, 10000, 8000);

    chtGraph = new ChartControl(xPanel1);
    chtGraph->setObjectName(QStringLiteral("chtGraph"));
    chtGraph->setMouseTracking(true);
    chtGraph->setFocusPolicy(Qt::StrongFocus);
    // design look: blue bold heading, grey panel, blue walls, no legend, last page not stretched
    chtGraph->setHeaderFont(fixedFont(10, true));
    chtGraph->setHeaderColour(QColor(0, 0, 255));
    chtGraph->setLegendVisible(false);
    chtGraph->setPanelColour(QColor(224, 224, 224));
    chtGraph->setWallColour(QColor(128, 128, 255));
    chtGraph->setAxisFont(fixedFont(9));
    chtGraph->setScaleLastPage(false);
    Twips::setGeometry(chtGraph, kGraphChartLeft, kGraphChartTop, 9000, 6000);
    connect(chtGraph, &ChartControl::mouseMoved, this, &FrmSSGraph::chartMouseMove);
    connect(chtGraph, &ChartControl::chartClicked, this, [this](const QPoint &) { chartClick(); });

    const auto makeLine = [this](const QString &name, const QString &style) {
        auto *line = new QFrame(chtGraph);
        line->setObjectName(name);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        line->setStyleSheet(style);
        line->hide();
        return line;
    };
    lneX = makeLine(QStringLiteral("lneX"), QStringLiteral("background: rgba(200, 0, 0, 200);"));
    lneY = makeLine(QStringLiteral("lneY"), QStringLiteral("background: rgba(200, 0, 0, 200);"));
    lneStart = makeLine(QStringLiteral("lneStart"), QStringLiteral("background: rgb(0, 0, 160);"));

    fmeViewCross = new QFrame(chtGraph);
    fmeViewCross->setObjectName(QStringLiteral("fmeViewCross"));
    fmeViewCross->setAttribute(Qt::WA_TransparentForMouseEvents);
    fmeViewCross->hide();
    for (int i = 0; i < 2; ++i) {
        shpViewCross[i] = new QFrame(fmeViewCross);
        shpViewCross[i]->setStyleSheet(
            QStringLiteral("background: rgba(255, 255, 225, 235); border: 1px solid rgb(160, 120, 60);"
                           " border-radius: 3px;"));
        lblViewCross[i] = new QLabel(fmeViewCross);
        lblViewCross[i]->setObjectName(QStringLiteral("lblViewCross_%1").arg(i));
        lblViewCross[i]->setFont(fixedFont(9, i == 0));
        lblViewCross[i]->setStyleSheet(QStringLiteral("color: rgb(40, 30, 10); background: transparent;"));
    }

    lblRemPie = new QLabel(xPanel1);
    lblRemPie->setObjectName(QStringLiteral("lblRemPie"));
    lblRemPie->setFont(uiFont(9, true));
    lblRemPie->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    lblRemPie->hide();

    createScrollStrip();
    createOptionStrip();

    // hints: the mouse over any other part of the window takes the cross-hair away. The chart's
    // own panel is not one of them (a move over its margin reaches the window's handler).
    const QList<QWidget *> hinted{xPanel2, SS_TXT, picSS_SUM, picScroll, picOption};
    for (QWidget *w : hinted) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    for (QWidget *w : picScroll->findChildren<QWidget *>())
        w->installEventFilter(this);
    for (QWidget *w : picOption->findChildren<QWidget *>())
        w->installEventFilter(this);
}

void FrmSSGraph::createScrollStrip()
{
    picScroll = new QWidget(this);
    picScroll->setObjectName(QStringLiteral("picScroll"));
    Twips::setGeometry(picScroll, kGraphPanel1Left, 8000, 10000, kStripHeight);
    imgScroll[0] = new StripImage(QStringLiteral(":/graph/strip_left.svg"), picScroll);
    imgScroll[1] = new StripImage(QStringLiteral(":/graph/strip_mid.svg"), picScroll);
    imgScroll[2] = new StripImage(QStringLiteral(":/graph/strip_right.svg"), picScroll);
    Twips::setGeometry(imgScroll[0], 0, 0, 90, kStripHeight);
    Twips::setGeometry(imgScroll[2], 9910, 0, 90, kStripHeight);

    cmdPrint = makeButton(picScroll, QStringLiteral("print"), QStringLiteral(" 프린트로 출력하기 "));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdSaveJPG = makeButton(picScroll, QStringLiteral("picture"), QStringLiteral(" 그림파일로 저장하기 "));
    cmdSaveJPG->setObjectName(QStringLiteral("cmdSaveJPG"));
    Twips::setGeometry(cmdPrint, 90, 38, kButtonSize, kButtonSize);
    Twips::setGeometry(cmdSaveJPG, 90 + kButtonSize + 15, 38, kButtonSize, kButtonSize);
    connect(cmdPrint, &PicButton::Click, this, &FrmSSGraph::cmdPrint_Click);
    connect(cmdSaveJPG, &PicButton::Click, this, &FrmSSGraph::cmdSaveJPG_Click);

    static const char *const glyphs[10] = {"first", "prevpage", "prev",   "next",   "nextpage",
                                           "last",  "zoomout",  "zoomin", "fitall", "redraw"};
    static const char *const tips[10] = {" 페이지 처음으로 이동 ", " 왼쪽으로 한페이지 이동 ",   " 왼쪽으로 한칸 이동 ",
                                         " 오른쪽으로 한칸 이동 ", " 오른쪽으로 한페이지 이동 ", " 페이지 끝으로 이동 ",
                                         " 오른쪽 크기 축소 ",     " 오른쪽 크기 확대 ",         " 그래프 모두 보기 ",
                                         " 그래프 다시 그리기 "};
    fmeScroll = new QWidget(picScroll);
    fmeScroll->setObjectName(QStringLiteral("fmeScroll"));
    for (int k = 0; k < 10; ++k) {
        QWidget *parent = k <= 2 ? picScroll : fmeScroll;
        cmdScroll[k] = makeButton(parent, QString::fromLatin1(glyphs[k]), QString::fromUtf8(tips[k]));
        cmdScroll[k]->setObjectName(QStringLiteral("cmdScroll_%1").arg(k));
        connect(cmdScroll[k], &PicButton::MouseDown, this,
                [this, k](Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            if (b == Qt::LeftButton)
                scrollMouseDown(k);
        });
        connect(cmdScroll[k], &PicButton::MouseUp, this,
                [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { scrollMouseUp(); });
        if (k >= 8)
            connect(cmdScroll[k], &PicButton::Click, this, [this, k] { cmdScrollAll_Click(k); });
    }
    // buttons 0..2 on the left after print and picture; 3..9 in fmeScroll at the right end
    double x = 90 + 2 * kButtonSize + 120;
    for (int k = 0; k <= 2; ++k, x += kButtonSize)
        Twips::setGeometry(cmdScroll[k], x, 38, kButtonSize, kButtonSize);
    double buttons = 0;
    for (int k = 3; k <= 9; ++k) {
        Twips::setGeometry(cmdScroll[k], 300 + buttons, 38, kButtonSize, kButtonSize);
        buttons += kButtonSize;
    }
    Twips::setGeometry(fmeScroll, 6000, 0, fnGraph_ScrollFrameWidth(buttons), kStripHeight);

    // paging labels between the left buttons and the scroll bar: "current / count  [per screen]"
    static const char *const labelTips[3] = {" 현제 페이지 ", " 총 페이지 수 ", " 한 화면 표시 그래프 개수 "};
    x += 60;
    const double lefts[3] = {x, x + 750, x + 1410};
    const double widths[3] = {600, 600, 540};
    for (int i = 0; i < 3; ++i) {
        lblScroll[i] = new QLabel(picScroll);
        lblScroll[i]->setObjectName(QStringLiteral("lblScroll_%1").arg(i));
        lblScroll[i]->setToolTip(QString::fromUtf8(labelTips[i]));
        lblScroll[i]->setFont(fixedFont(9, i == 0));
        lblScroll[i]->setAlignment(Qt::AlignCenter);
        lblScroll[i]->setStyleSheet(i == 2 ? QStringLiteral("background: white; border: 1px solid #9aa7bd;"
                                                            " border-radius: 3px; color: #203060;")
                                           : QStringLiteral("color: #203060;"));
        Twips::setGeometry(lblScroll[i], lefts[i], i == 2 ? 60 : 38, widths[i], i == 2 ? 285 : kButtonSize);
    }
    auto *slash = new QLabel(QStringLiteral("/"), picScroll);
    slash->setAlignment(Qt::AlignCenter);
    slash->setStyleSheet(QStringLiteral("color: #7080a0;"));
    Twips::setGeometry(slash, lefts[0] + 600, 38, 150, kButtonSize);

    sclScroll = new QScrollBar(Qt::Horizontal, picScroll);
    sclScroll->setObjectName(QStringLiteral("sclScroll"));
    sclScroll->setRange(0, 0);
    Twips::setGeometry(sclScroll, kScrollBarLeft, 60, 2000, 285);
    connect(sclScroll, &QScrollBar::valueChanged, this, [this](int v) {
        hideCrossIfShown();
        sbGraph_ScrollTo(v);
    });
    connect(sclScroll, &QScrollBar::sliderMoved, this, [this](int) { focusChart(); });
    fmeScroll->raise();

    tmeScroll = new HoldRepeatTimer(60, this);
    tmeScroll->setObjectName(QStringLiteral("tmeScroll"));
    connect(tmeScroll, &QTimer::timeout, this, &FrmSSGraph::tmeScroll_Timer);
}

void FrmSSGraph::createOptionStrip()
{
    picOption = new QWidget(this);
    picOption->setObjectName(QStringLiteral("picOption"));
    Twips::setGeometry(picOption, kGraphPanel1Left, 8500, 10000, kOptionHeight);
    imgOption[0] = new StripImage(QStringLiteral(":/graph/strip_left.svg"), picOption);
    imgOption[1] = new StripImage(QStringLiteral(":/graph/strip_mid.svg"), picOption);
    picOptionIn = new StripImage(QStringLiteral(":/graph/strip_right.svg"), picOption);
    Twips::setGeometry(imgOption[0], 0, 0, 90, kOptionHeight);

    static const char *const typeCaptions[3] = {"선형", "막대", "원형"};
    static const char *const typeTips[3] = {" 선형(Line) 타입 그래프 보기 ", " 막대(Bar) 타입 그래프 보기 ",
                                            " 원형(Pie) 타입 그래프 보기 "};
    double x = 165;
    for (int i = 0; i < 3; ++i) {
        optType[i] = new QRadioButton(QString::fromUtf8(typeCaptions[i]), picOption);
        optType[i]->setObjectName(QStringLiteral("optType_%1").arg(i));
        optType[i]->setToolTip(QString::fromUtf8(typeTips[i]));
        Twips::setGeometry(optType[i], x, 90, 720, 300);
        x += 720;
    }
    optType[1]->setChecked(true); // bar when the window is created
    for (int i = 0; i < 3; ++i)
        connect(optType[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optType_Click(i);
        });

    auto *sep1 = new QFrame(picOption);
    sep1->setFrameShape(QFrame::VLine);
    sep1->setStyleSheet(QStringLiteral("color: #b8c2d4;"));
    Twips::setGeometry(sep1, x, 90, 30, 300);
    x += 120;

    const auto makeCheck = [this, &x](const QString &name, const QString &caption, const QString &tip, double w) {
        auto *c = new QCheckBox(caption, picOption);
        c->setObjectName(name);
        c->setToolTip(tip);
        Twips::setGeometry(c, x, 90, w, 300);
        x += w;
        return c;
    };
    chkView3D = makeCheck(QStringLiteral("chkView3D"), QStringLiteral("입체"),
                          QStringLiteral(" 입체(3D) 모양의 그래프 보기 "), 720);
    chkViewValue = makeCheck(QStringLiteral("chkViewValue"), QStringLiteral("값"),
                             QStringLiteral(" X축 항목의 그래프별 값 보기 "), 600);
    cboValueType = new QComboBox(picOption);
    cboValueType->setObjectName(QStringLiteral("cboValueType"));
    Twips::setGeometry(cboValueType, x, 75, 1770, 330);
    x += 1800;
    cboValueRatio = new QComboBox(picOption);
    cboValueRatio->setObjectName(QStringLiteral("cboValueRatio"));
    Twips::setGeometry(cboValueRatio, x, 75, 990, 330);
    x += 1110;
    chkViewCross = makeCheck(QStringLiteral("chkViewCross"), QStringLiteral("십자선"),
                             QStringLiteral(" 그래프 X, Y 라인 보기 "), 900);
    chkViewAuto = makeCheck(QStringLiteral("chkViewAuto"), QStringLiteral("자동"),
                            QStringLiteral(" 그래프 타입별 자동 설정하기 "), 720);

    connect(chkView3D, &QCheckBox::toggled, this, [this] { chkView3D_Click(); });
    connect(chkViewValue, &QCheckBox::toggled, this, [this](bool on) {
        sbGraph_ShowValue(on);
        focusChart();
    });
    connect(cboValueType, &QComboBox::currentIndexChanged, this, [this](int i) {
        hideCrossIfShown();
        sbGraph_SetMarkStyle(i);
        focusChart();
    });
    connect(cboValueRatio, &QComboBox::currentIndexChanged, this, [this](int i) {
        hideCrossIfShown();
        sbGraph_SetMarkFormat(i);
        focusChart();
    });
    connect(chkViewCross, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            sbGraph_ShowCross(false);
        focusChart();
    });
    connect(chkViewAuto, &QCheckBox::toggled, this, [this] {
        hideCrossIfShown();
        focusChart();
    });

    cmdShowEdit = new PicButton(picOption);
    cmdShowEdit->setObjectName(QStringLiteral("cmdShowEdit"));
    cmdShowEdit->setPicture(PicButton::glyphPath(QStringLiteral("settings")));
    cmdShowEdit->setGlyphSize(QSize(14, 14));
    cmdShowEdit->setCaption(QStringLiteral("      고급 설정"));
    cmdShowEdit->setToolTip(QStringLiteral(" 그래프 고급 설정 "));
    cmdShowEdit->setFocusPolicy(Qt::StrongFocus);
    cmdShowEdit->hide();
    cmdShowEdit->installEventFilter(this);
    Twips::resize(cmdShowEdit, kShowEditWidth, 360);
    connect(cmdShowEdit, &PicButton::Click, this, [this] {
        chtGraph->showEditor();
        focusChart();
    });

    cmdClose = new PicButton(picOption);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setPicture(PicButton::glyphPath(QStringLiteral("close")));
    cmdClose->setGlyphSize(QSize(12, 12));
    cmdClose->setCaption(QStringLiteral("     닫기"));
    cmdClose->setFocusPolicy(Qt::StrongFocus);
    cmdClose->installEventFilter(this);
    Twips::resize(cmdClose, 1050, 360);
    connect(cmdClose, &PicButton::Click, this, &FrmSSGraph::sbSet_SSGraph_Close);
}

void FrmSSGraph::sbInit_ValueCombos()
{
    const QSignalBlocker b1(cboValueType);
    const QSignalBlocker b2(cboValueRatio);
    cboValueType->clear();
    cboValueType->addItems(fnGraph_ValueTypeItems());
    cboValueRatio->clear();
    cboValueRatio->addItems(fnGraph_ValueRatioItems());
    cboValueType->setCurrentIndex(0);
    cboValueRatio->setCurrentIndex(2);
    cboValueType->setEnabled(chkViewValue->isChecked());
    cboValueRatio->setEnabled(chkViewValue->isChecked());
}

// ---------------------------------------------------------------------------------------------------------
// data set

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
        grid->setRow(fnGraph_TitleRow(grid->ColHeaderRows()));
        if (xt.isEmpty()) {
            grid->setCol(xCol);
            xt = grid->Text();
        }
        grid->setCol(yCol);
        yt = fnGraph_YTitle(grid->Text(), yTitleAddition);

        // 2. gathering
        GraphSource source;
        source.maxRows = grid->MaxRows();
        source.text = [grid](int col, int row) { return grid->GetCellText(col, row); };
        source.cellValue = [grid](int col, int row) {
            grid->setCol(col);
            grid->setRow(row);
            return grid->CellValue();
        };
        items = fnGraph_Gather(source, xCol, yCol);
    } else {
        yt = fnGraph_YTitle(QString(), yTitleAddition);
    }
    // 3. nothing of the source grid is kept

    // 4. sorting
    if (fnGraph_ShouldSort(sortItems, xt))
        sbSort_GraphItems(items.labels, items.values);

    // 5, 6. totals, ratios, colours
    QRandomGenerator rng{quint32(QDateTime::currentMSecsSinceEpoch())};
    m_data = fnGraph_MakeDataSet(std::move(items), xt, yt, [&rng] { return rng.generateDouble(); });
    m_pieRoles.clear();

    // 7. summary grid
    sbSS_TXT_Format();
    SS_TXT->setRedraw(false);
    SS_TXT->SetCellText(0, SpreadGrid::FirstHeaderRow, QStringLiteral("NO"));
    SS_TXT->SetCellText(1, SpreadGrid::FirstHeaderRow, m_data.XTitle);
    SS_TXT->SetCellText(3, SpreadGrid::FirstHeaderRow, QStringLiteral("비율(%)"));
    SS_TXT->SetCellText(4, SpreadGrid::FirstHeaderRow, m_data.YTitle);
    SS_TXT->setMaxRows(0);
    SS_TXT->setMaxRows(m_data.GraphCount);
    for (int i = 0; i < m_data.GraphCount; ++i) {
        const int row = i + 1;
        SS_TXT->SetCellText(2, row, m_data.GraphLabels.at(i));
        SS_TXT->SetCellText(3, row, fnGraph_RatioText(m_data.GraphRatios.at(i)));
        SS_TXT->setCol(3);
        SS_TXT->setRow(row);
        SS_TXT->setForeColor(m_data.GraphRatios.at(i) < 0 ? kRed : 0);
        SS_TXT->SetCellText(4, row, fnGraph_ValueText(m_data.GraphValues.at(i)));
    }

    // 8. totals labels
    lblSS_SUM[0]->setText(fnGraph_CountText(SS_TXT->MaxRows()));
    lblSS_SUM[0]->setStyleSheet(QStringLiteral("color: %1;").arg(colorOf(kTotalColour).name()));
    lblSS_SUM[1]->setText(fnGraph_ValueText(m_data.GraphTotal));
    lblSS_SUM[1]->setStyleSheet(
        QStringLiteral("color: %1;").arg(colorOf(m_data.GraphTotal >= 0 ? kTotalColour : kRed).name()));
    SS_TXT->setRedraw(true);

    // 10, 11. caption and heading
    setWindowTitle(fnGraph_Caption(title));
    chtGraph->setHeaderLine(0, fnGraph_Heading(m_data.XTitle, m_data.YTitle));

    // 12. chart
    sbGraph_Reset();
    const int type = fnGraph_Type();
    sbGraph_Build(type);
    const int perPage = fnGraph_ClampPageSize(kFirstPageSize, m_data.GraphCount);
    chtGraph->setMaxPointsPerPage(perPage);
    sbGraph_SetScroll(type, perPage);
    sbGraph_ShowPage();

    // 13. empty read-out
    lblViewCross[0]->setText(QStringLiteral("X: ()"));
    lblViewCross[1]->setText(QStringLiteral("Y: ()"));
    for (QLabel *l : lblViewCross)
        l->adjustSize();
    const int shapeWidth = lblViewCross[0]->width() + Twips::toPixels(kCrossShapeExtra);
    for (int i = 0; i < 2; ++i)
        shpViewCross[i]->resize(shapeWidth, shpViewCross[i]->height());
    fmeViewCross->resize(shapeWidth, fmeViewCross->height());
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
    sbForm_Resize();
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->geometry();
        const QPointF pos = fnGraph_CentredPos(Twips::fromPixels(avail.width()), Twips::fromPixels(avail.height()),
                                               kGraphShowWidth, kGraphShowHeight);
        move(avail.topLeft() + QPoint(Twips::toPixels(pos.x()), Twips::toPixels(pos.y())));
    }
    show();
    raise();
    activateWindow();
}

void FrmSSGraph::sbSS_TXT_Format()
{
    SS_TXT->setRedraw(false);
    SS_TXT->setRowHeight(SpreadGrid::FirstHeaderRow, 21.077);
    static const double widths[5] = {4, 2.5, 10.62, 6, 9};
    for (int c = 0; c < 5; ++c)
        SS_TXT->setColWidth(c, widths[c]);
    SS_TXT->setRowHeight(SpreadGrid::AllCells, 10.22);
    SS_TXT->setRedraw(true);
    if (isVisible())
        SS_TXT->setFocus();
}

void FrmSSGraph::sbSet_SSGraph_Close()
{
    tmeScroll->stop();
    m_data.GraphLabels.clear();
    m_data.GraphValues.clear();
    m_data.GraphRatios.clear();
    m_data.GraphColors.clear();
    cmdShowEdit->hide();
    hide();
}

// ---------------------------------------------------------------------------------------------------------
// chart options

void FrmSSGraph::sbGraph_Reset()
{
    chtGraph->removeAllSeries();
    sclScroll->setValue(0);
}

int FrmSSGraph::fnGraph_Type() const
{
    for (int i = 0; i < 3; ++i)
        if (optType[i]->isChecked())
            return fnGraph_TypeOfOption(i);
    return GraphLine;
}

void FrmSSGraph::sbGraph_Build(int type)
{
    chtGraph->addSeries(type);
    chtGraph->setMouseZoomEnabled(false);
    chtGraph->setMouseScrollEnabled(false);
    chtGraph->setPanelColour(QColor(224, 224, 224));

    chtGraph->setBottomAxisAutomatic(true);
    chtGraph->setBottomLabelAngle(fnGraph_LabelAngle(m_data.LabelBytesMax));
    chtGraph->setLeftAxisAutomatic(false);
    QString yTitle = m_data.YTitle;
    chtGraph->setLeftAxisTitle(yTitle.remove(kCrLf));

    switch (type) {
    case GraphLine:
    case GraphBar:
        chtGraph->setLeftAxisMinMax(m_data.GraphMin, fnGraph_AxisMax(type, chkViewValue->isChecked(), m_data.GraphMax));
        chtGraph->setWallColour(QColor(128, 128, 255));
        chtGraph->setWallDetailColour(QColor(0, 0, 192));
        break;
    case GraphPie:
        chtGraph->setWallColour(QColor(224, 224, 224));
        break;
    default:
        break;
    }

    sbGraph_Set3D(chkView3D->isChecked());
    sbGraph_ShowValue(chkViewValue->isChecked());
    sbGraph_SetMarkStyle(cboValueType->currentIndex());
    sbGraph_SetMarkFormat(cboValueRatio->currentIndex());
    chtGraph->setMarksFont(fixedFont(9));

    sbGraph_Fill(type);
    chtGraph->setVisible(true);
}

void FrmSSGraph::sbGraph_Fill(int type)
{
    chtGraph->clearPoints();
    SS_TXT->setRedraw(false);
    const int n = m_data.GraphCount;
    const auto swatch = [this](int row, int rgb) {
        SS_TXT->setCol(1);
        SS_TXT->setRow(row);
        SS_TXT->setBackColor(rgb);
    };
    if (type == GraphPie) {
        const PieFill fill = fnGraph_PieFill(m_data.GraphValues, m_data.GraphRatios, m_data.GraphTotal);
        m_pieRoles.clear();
        for (int i = 0; i < n; ++i) {
            m_pieRoles.append(fill.roles.at(i));
            switch (fill.roles.at(i)) {
            case PieSlice:
                chtGraph->addPoint(m_data.GraphValues.at(i), m_data.GraphLabels.at(i),
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
            chtGraph->addPoint(fill.othersSum, fnGraph_OthersLabel(), colorOf(kWhite));
        if (!fill.note.isEmpty())
            lblRemPie->setText(fnGraph_PieNoteText(fill.note));
        lblRemPie->setVisible(!fill.note.isEmpty());
        placeNote();
    } else {
        m_pieRoles.clear();
        for (int i = 0; i < n; ++i) {
            const int rgb = type == GraphLine ? rgbOf(m_lineColor) : m_data.GraphColors.at(i);
            chtGraph->addPoint(m_data.GraphValues.at(i), m_data.GraphLabels.at(i), colorOf(rgb));
            swatch(i + 1, rgb);
        }
        lblRemPie->hide();
    }
    SS_TXT->setRedraw(true);
}

void FrmSSGraph::placeNote()
{
    const double panelW = Twips::width(xPanel1);
    const double panelH = Twips::height(xPanel1);
    double noteH = 0;
    if (lblRemPie->isVisibleTo(xPanel1)) {
        lblRemPie->adjustSize();
        noteH = Twips::height(lblRemPie);
        Twips::move(lblRemPie, (panelW - Twips::width(lblRemPie)) / 2, panelH - noteH - 75);
    }
    Twips::resize(chtGraph, Twips::width(chtGraph), fnGraph_ChartHeight(panelH, noteH));
}

void FrmSSGraph::sbGraph_Set3D(bool on)
{
    chtGraph->setView3D(on);
    chtGraph->setView3DDepth(15);
    if (chtGraph->seriesKind() == GraphLine) {
        chtGraph->setLineMarkersVisible(true);
        chtGraph->setLineMarkerOutline(on ? QColor(128, 128, 128) : QColor(0, 0, 0));
    }
}

void FrmSSGraph::sbGraph_ShowValue(bool on)
{
    chtGraph->setMarksVisible(on);
    const int kind = chtGraph->seriesKind();
    if (kind == GraphLine || kind == GraphBar)
        chtGraph->setLeftAxisMaximum(fnGraph_AxisMax(kind, on, m_data.GraphMax));
    cboValueType->setEnabled(on);
    cboValueRatio->setEnabled(on);
}

void FrmSSGraph::sbGraph_SetMarkStyle(int index)
{
    const int code = fnGraph_MarkStyleCode(index);
    if (code >= 0)
        chtGraph->setMarksStyle(code);
}

void FrmSSGraph::sbGraph_SetMarkFormat(int index)
{
    const QString value = fnGraph_ValueFormat(index);
    if (value.isEmpty())
        return;
    chtGraph->setValueFormat(value);
    chtGraph->setPercentFormat(fnGraph_PercentFormat(index));
}

void FrmSSGraph::sbGraph_AutoPreset(bool on)
{
    if (!on)
        return;
    const GraphPreset p = fnGraph_Preset(fnGraph_Type());
    chkView3D->setChecked(p.view3D);
    if (p.valueType >= 0)
        cboValueType->setCurrentIndex(p.valueType);
    chkViewValue->setChecked(p.viewValue);
    chkViewCross->setChecked(p.viewCross);
}

bool FrmSSGraph::crossShown() const
{
    return lneX->isVisibleTo(chtGraph) || lneY->isVisibleTo(chtGraph);
}

void FrmSSGraph::hideCrossIfShown()
{
    if (crossShown())
        sbGraph_ShowCross(false);
}

void FrmSSGraph::sbGraph_ShowCross(bool on)
{
    if (on) {
        chtGraph->setCursor(m_crossCursor);
    } else {
        chtGraph->unsetCursor();
    }
    lneX->setVisible(on);
    lneY->setVisible(on);
    fmeViewCross->setVisible(on);
    if (!on) {
        clearHighlights();
        m_state.crossY = LLONG_MIN; // the next read-out is shown again
    }
}

void FrmSSGraph::clearHighlights()
{
    if (SS_TXT->MaxRows() < 1)
        return;
    SS_TXT->setRedraw(false);
    paintBlock(SS_TXT, 2, 1, SS_TXT->MaxCols(), SS_TXT->MaxRows(), kWhite);
    SS_TXT->setRedraw(true);
}

void FrmSSGraph::highlightRow(int row)
{
    if (m_state.crossRow > 0 && m_state.crossRow <= SS_TXT->MaxRows())
        paintBlock(SS_TXT, 2, m_state.crossRow, SS_TXT->MaxCols(), m_state.crossRow, kWhite);
    paintBlock(SS_TXT, 2, row, SS_TXT->MaxCols(), row, kHighlight);
    m_state.crossRow = row;
}

void FrmSSGraph::sbGraph_ShowCrossValue(double xAxisValue, double yAxisValue)
{
    const CrossReadout r = fnGraph_CrossReadout(xAxisValue, yAxisValue, m_data.GraphLabels, m_data.GraphValues);
    if (r.item == 0)
        return;
    const qint64 y = std::isfinite(yAxisValue) ? qint64(std::llround(yAxisValue)) : 0;
    if (r.item == m_state.crossRow && y == m_state.crossY)
        return;
    lblViewCross[0]->setText(r.xText);
    lblViewCross[1]->setText(r.yText);
    int labelWidth = 0;
    for (QLabel *l : lblViewCross) {
        l->adjustSize();
        labelWidth = std::max(labelWidth, l->width());
    }
    // both backgrounds and the frame as wide as the wider text plus a margin
    const int pad = Twips::toPixels(kCrossShapeExtra);
    const int w = labelWidth + pad;
    const int h = lblViewCross[0]->height() + 4;
    for (int i = 0; i < 2; ++i) {
        shpViewCross[i]->setGeometry(0, i * (h + 2), w, h);
        lblViewCross[i]->move(pad / 2, i * (h + 2) + 2);
    }
    fmeViewCross->resize(w, 2 * h + 2);
    highlightRow(r.item);
    m_state.crossY = y;
}

void FrmSSGraph::chartMouseMove(const QPoint &pos)
{
    if (!chkViewCross->isChecked() || fnGraph_Type() == GraphPie)
        return;
    if (!lneX->isVisibleTo(chtGraph) || !lneY->isVisibleTo(chtGraph))
        sbGraph_ShowCross(true);
    lneX->setGeometry(pos.x(), 0, 1, chtGraph->height());
    lneY->setGeometry(0, pos.y(), chtGraph->width(), 1);
    sbGraph_ShowCrossValue(chtGraph->bottomAxisValueAt(pos.x()), chtGraph->leftAxisValueAt(pos.y()));
    const int gap = Twips::toPixels(kCrossGap);
    int fx = pos.x() + gap;
    int fy = pos.y() + gap;
    if (fx + fmeViewCross->width() > chtGraph->width())
        fx = pos.x() - fmeViewCross->width() - gap;
    if (fy + fmeViewCross->height() > chtGraph->height())
        fy = pos.y() - fmeViewCross->height() - gap;
    fmeViewCross->move(fx, fy);
    fmeViewCross->raise();
}

void FrmSSGraph::chartClick()
{
    if (!crossShown() || fnGraph_Type() == GraphPie)
        return;
    const int item = fnGraph_ReadoutItem(lblViewCross[0]->text());
    const int visible = std::max(fnGraph_GridRows(Twips::height(SS_TXT)) - 2, 1);
    const int top = fnGraph_ClickTopRow(item, SS_TXT->MaxRows(), visible, SS_TXT->FirstVisibleRow());
    if (top > 0)
        SS_TXT->setFirstVisibleRow(top);
}

void FrmSSGraph::swatchClick(int col, int row)
{
    if (col != 1 || row < 1 || row > m_data.GraphCount)
        return;
    const int type = fnGraph_Type();
    if (type == GraphPie && row - 1 < m_pieRoles.size()) {
        const int role = m_pieRoles.at(row - 1);
        const QString second = QStringLiteral("다른색으로 지정을 할 수 없습니다.");
        if (role == PieNotShown) {
            fnDisp_MsgScr(0, 1, MSG_INFO, QStringLiteral("색지정을 할 수 없습니다."),
                          QStringLiteral("그래프에서 표시되지 않은 영역의 색은 흑색이며,") + kCrLf + second, 0, 1, 0);
            return;
        }
        if (role == PieOthers) {
            fnDisp_MsgScr(0, 1, MSG_INFO, QStringLiteral("색지정을 할 수 없습니다."),
                          QStringLiteral("그래프에서 기타로 표시되는 영역의 색은 백색이며,") + kCrLf + second, 0, 1, 0);
            return;
        }
    }
    const QColor initial = type == GraphLine ? m_lineColor : colorOf(m_data.GraphColors.at(row - 1));
    const QString title = QStringLiteral("그래프 색");
    std::optional<QColor> chosen;
    if (colorHook()) {
        chosen = colorHook()(initial, title);
    } else {
        const QColor c = QColorDialog::getColor(initial, this, title);
        if (c.isValid())
            chosen = c;
    }
    if (!chosen || !chosen->isValid())
        return; // cancel: nothing changes
    if (type == GraphLine)
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
    sbGraph_AutoPreset(chkViewAuto->isChecked());
    if (type == GraphPie) {
        hideCrossIfShown();
        chkViewCross->setEnabled(false);
        placePieStart();
        sbGraph_SetScroll(GraphPie, 0);
    } else {
        chkViewCross->setEnabled(true);
        lneStart->hide();
        sbGraph_SetScroll(type, chtGraph->maxPointsPerPage());
    }
    sbGraph_ShowPage();
    focusChart();
}

void FrmSSGraph::placePieStart()
{
    const double w = Twips::width(chtGraph);
    const double y = fnGraph_PieStartY(Twips::height(chtGraph), chkView3D->isChecked());
    Twips::setGeometry(lneStart, w * 3 / 4, y, w / 4, 15);
    lneStart->show();
    lneStart->raise();
}

void FrmSSGraph::chkView3D_Click()
{
    sbGraph_Set3D(chkView3D->isChecked());
    if (fnGraph_Type() == GraphPie)
        placePieStart();
    else
        lneStart->hide();
    focusChart();
}

void FrmSSGraph::sbGraph_SetPageSize(int &n)
{
    n = fnGraph_ClampPageSize(n, m_data.GraphCount);
    if (chtGraph->maxPointsPerPage() == n)
        return;
    chtGraph->setMaxPointsPerPage(n);
    sbGraph_SetScroll(fnGraph_Type(), n);
    sbGraph_ShowPage();
}

void FrmSSGraph::sbGraph_SetScroll(int type, int n)
{
    const GraphScrollRange r = fnGraph_ScrollRange(type, n, m_data.GraphCount);
    for (int k = 6; k <= 8; ++k)
        cmdScroll[k]->setEnabled(r.zoomEnabled);
    sclScroll->setMinimum(r.minimum);
    sclScroll->setMaximum(r.maximum);
    if (r.largeChange > 0)
        sclScroll->setPageStep(r.largeChange);
    if (r.resetValue)
        sclScroll->setValue(0);
}

void FrmSSGraph::sbGraph_ShowPage()
{
    const GraphPageTexts t =
        fnGraph_PageTexts(fnGraph_Type(), sclScroll->value(), sclScroll->maximum(), chtGraph->maxPointsPerPage());
    lblScroll[0]->setText(t.current);
    lblScroll[1]->setText(t.count);
    lblScroll[2]->setText(t.perScreen);
}

void FrmSSGraph::sbGraph_ScrollTo(int value)
{
    if (fnGraph_Type() == GraphPie) {
        chtGraph->setPieRotation(value);
    } else {
        chtGraph->setFirstVisiblePoint(value);
        m_state.scrollValue = value;
    }
    sbGraph_ShowPage();
}

void FrmSSGraph::sbGraph_ScrollStep(int button)
{
    const int type = fnGraph_Type();
    if (button >= 0 && button <= 5) {
        const int step = fnGraph_PageStep(type, chtGraph->maxPointsPerPage());
        sclScroll->setValue(
            fnGraph_ScrollStepValue(button, sclScroll->value(), sclScroll->minimum(), sclScroll->maximum(), step));
    } else if (button == 6 || button == 7) {
        int target = fnGraph_ZoomTarget(button, chtGraph->maxPointsPerPage(), m_data.GraphCount);
        if (target > 0 && type != GraphPie) {
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
    if (fnGraph_ScrollRepeats(index)) {
        tmeScroll->press();
        sclScroll->setProperty("Tag", QString::number(index));
    }
}

void FrmSSGraph::scrollMouseUp()
{
    tmeScroll->release();
    sclScroll->setProperty("Tag", QString());
    focusChart();
}

void FrmSSGraph::tmeScroll_Timer()
{
    bool ok = false;
    const int k = sclScroll->property("Tag").toString().toInt(&ok);
    if (ok)
        sbGraph_ScrollStep(k);
}

void FrmSSGraph::cmdScrollAll_Click(int index)
{
    const int type = fnGraph_Type();
    sbGraph_Reset();
    sbGraph_Build(type);
    if (type == GraphPie) {
        sbGraph_SetScroll(GraphPie, 0);
        sbGraph_ShowPage();
    } else {
        int n = index == 8 ? m_data.GraphCount : kFirstPageSize;
        sbGraph_SetPageSize(n);
        // the same page size as before: the range still has to match the rebuilt chart
        sbGraph_SetScroll(type, chtGraph->maxPointsPerPage());
        sbGraph_ShowPage();
    }
}

void FrmSSGraph::focusChart()
{
    if (isVisible())
        chtGraph->setFocus();
}

// ---------------------------------------------------------------------------------------------------------
// window

void FrmSSGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    sbForm_Resize();
}

void FrmSSGraph::sbForm_Resize()
{
    GraphLayoutInput in;
    const double frameW = isVisible() ? Twips::fromPixels(frameGeometry().width() - width()) : 0;
    const double frameH = isVisible() ? Twips::fromPixels(frameGeometry().height() - height()) : 0;
    in.innerWidth = Twips::width(this);
    in.innerHeight = Twips::height(this);
    in.outerWidth = in.innerWidth + frameW;
    in.outerHeight = in.innerHeight + frameH;
    in.panel2Width = Twips::width(xPanel2);
    in.gridTop = Twips::top(SS_TXT);
    in.gridHeight = Twips::height(SS_TXT);
    in.sumHeight = Twips::height(picSS_SUM);
    in.optionHeight = Twips::height(picOption);
    in.scrollHeight = Twips::height(picScroll);
    in.scrollBarLeft = Twips::left(sclScroll);
    in.scrollFrameWidth = Twips::width(fmeScroll);
    in.closeWidth = Twips::width(cmdClose);
    in.showEditWidth = kShowEditWidth;
    in.noteVisible = lblRemPie->isVisibleTo(xPanel1);
    if (in.noteVisible) {
        lblRemPie->adjustSize();
        in.noteWidth = Twips::width(lblRemPie);
        in.noteHeight = Twips::height(lblRemPie);
    }
    const std::optional<GraphLayout> layout = fnGraph_Layout(in);
    if (!layout)
        return; // too small: keep the previous layout
    const GraphLayout &l = *layout;
    const auto apply = [](QWidget *w, const QRectF &r) { Twips::setGeometry(w, r.x(), r.y(), r.width(), r.height()); };

    apply(xPanel2, l.panel2);
    if (l.gridHeight != in.gridHeight)
        Twips::resize(SS_TXT, Twips::width(SS_TXT), l.gridHeight);
    Twips::move(picSS_SUM, Twips::left(picSS_SUM), l.sumTop);
    apply(xPanel1, l.panel1);
    apply(picScroll, l.scroll);
    Twips::setGeometry(imgScroll[1], 90, 0, l.scrollMiddleWidth, l.scroll.height());
    Twips::move(imgScroll[2], l.scrollRightLeft, 0);
    Twips::resize(sclScroll, l.scrollBarWidth, Twips::height(sclScroll));
    Twips::move(fmeScroll, l.scrollFrameLeft, 0);
    Twips::resize(chtGraph, l.chart.width(), l.chart.height());
    apply(picOption, l.option);
    Twips::setGeometry(imgOption[1], 90, 0, l.optionMiddleWidth, l.option.height());
    Twips::setGeometry(picOptionIn, l.optionRightLeft, 0, 90, l.option.height());
    if (in.noteVisible)
        Twips::move(lblRemPie, l.note.x(), l.note.y());
    Twips::move(cmdClose, l.close.x(), l.close.y());
    placeShowEdit(l.close.x(), l.close.y());
    if (lneStart->isVisibleTo(chtGraph))
        placePieStart();
    hideCrossIfShown();
}

void FrmSSGraph::placeShowEdit(double closeLeft, double top)
{
    // beside 닫기, clear of the 자동 box: where the strip is short the gear drops its words
    // (the tip still says them) and takes only the room there is
    const double clearOf = Twips::left(chkViewAuto) + Twips::width(chkViewAuto) + 45;
    const double room = closeLeft - 15 - clearOf;
    const double width = std::clamp(room, 360.0, kShowEditWidth);
    cmdShowEdit->setCaption(QStringLiteral("      고급 설정"));
    if (Twips::fromPixels(cmdShowEdit->sizeHint().width()) > width)
        cmdShowEdit->setCaption(QString());
    Twips::setGeometry(cmdShowEdit, closeLeft - 15 - width, top, width, 360);
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
        if (watched != chtGraph)
            hideCrossIfShown();
        break;
    case QEvent::KeyPress:
        if (watched == cmdClose && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
            cmdShowEdit->setVisible(!cmdShowEdit->isVisible());
            if (cmdShowEdit->isVisible())
                cmdShowEdit->setFocus();
            return true;
        }
        break;
    case QEvent::FocusOut:
        if (watched == cmdShowEdit)
            cmdShowEdit->hide();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------------------
// picture and print

void FrmSSGraph::cmdSaveJPG_Click()
{
    if (m_state.saveFolder.isEmpty())
        m_state.saveFolder = QCoreApplication::applicationDirPath() + u'/';
    SaveRequest request;
    request.title = fnGraph_SaveTitle();
    request.filter = fnGraph_SaveFilter();
    request.defaultSuffix = fnGraph_SaveSuffix();
    request.folder = m_state.saveFolder;
    request.fileName = fnGraph_ProposedName(QDate::currentDate(), chtGraph->headerLine(0));
    const std::optional<QString> chosen = saveHook() ? saveHook()(request) : realSaveDialog(this, request);
    if (!chosen) {
        focusChart(); // cancelled: no message
        return;
    }
    QString fileName = *chosen;
    if (fileName.trimmed().isEmpty()) {
        fnDisp_MsgScr(0, 1, MSG_WARNING, QStringLiteral("작업을 취소하셨습니다."),
                      QStringLiteral("작업이 취소되거나 파일명이 정상적으로 입력되지 않았습니다."), 0, 1, 0);
        focusChart();
        return;
    }
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += u'.' + fnGraph_SaveSuffix();
    m_state.saveFolder = folderOfFile(fileName);
    if (QFileInfo::exists(fileName)) {
        const int answer = fnDisp_MsgScr(0, 3, MSG_QUESTION, QStringLiteral("파일이 이미 존재합니다."),
                                         QStringLiteral("파일을 덮어쓰시겠습니까?"), 0, 2, 0);
        if (answer != 3) {
            focusChart();
            return;
        }
    }
    const QSize pixels(fnGraph_PicturePixels(Twips::width(chtGraph)), fnGraph_PicturePixels(Twips::height(chtGraph)));
    const PictureWrite result = fnGraph_WriteJpeg(chtGraph->renderImage(pixels), fileName);
    if (result.ok) {
        fnDisp_MsgScr(0, 1, MSG_INFO, QStringLiteral("저장하였습니다."), fnGraph_SavedText(fileName), 0, 1, 0);
    } else {
        // every failure is reported; "in use" adds the hint to close the file
        fnDisp_MsgScr(0, 1, MSG_WARNING, QStringLiteral("오류가 발생했습니다."), fnGraph_SaveErrorText(result), 0, 1,
                      0);
    }
    focusChart();
}

void FrmSSGraph::cmdPrint_Click()
{
    const PrinterList printers = printerListHook()
        ? printerListHook()()
        : PrinterList{QPrinterInfo::defaultPrinterName(), QPrinterInfo::availablePrinterNames()};
    const QString name = fnGraph_PrinterName(printers.defaultName, printers.names);
    std::unique_ptr<QPrinter> printer;
    if (!name.isEmpty()) {
        if (printerHook()) {
            printer = printerHook()(name);
        } else {
            const QPrinterInfo info = QPrinterInfo::printerInfo(name);
            if (!info.isNull())
                printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
    }
    // the queue lists the job by the chart's title
    if (printer)
        printer->setDocName(chtGraph->headerLine(0));
    chtGraph->setPrintDetail(50);
    chtGraph->setPrintMargins(15, 15, 15, 15);
    chtGraph->setPrintOrientation(1);
    if (!printer) {
        fnDisp_MsgScr(0, 1, MSG_WARNING, QStringLiteral("출력할 수 없습니다."),
                      QStringLiteral("사용할 수 있는 프린터가 없습니다.") + kCrLf
                          + QStringLiteral("프린터를 설치하거나 연결한 뒤 다시 시도해 주십시오."),
                      0, 1, 0);
    } else if (!chtGraph->print(printer.get())) {
        fnDisp_MsgScr(0, 1, MSG_WARNING, QStringLiteral("출력할 수 없습니다."),
                      QStringLiteral("프린터를 시작하지 못했습니다."), 0, 1, 0);
    }
    focusChart();
}
