#include "rate/frmrate.h"

#include "rate/clearcontrols.h"
#include "rate/datechecks.h"
#include "rate/keycommands.h"
#include "rate/querystats.h"
#include "rate/ratecalls.h"
#include "rate/ratecheck.h"
#include "rate/rategridfill.h"
#include "rate/rateinputcheck.h"
#include "rate/ratelayout.h"
#include "rate/ratestatements.h"
#include "rate/ratevalue.h"
#include "rate/ratewriter.h"

#include "app/anydsn.h"
#include "app/clsmain.h"
#include "app/personalsetup.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "msgscr/msgscr.h"
#include "platform/controls/btnbutton.h"
#include "platform/controls/cfloat.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/ddate.h"
#include "platform/controls/ltitle.h"
#include "platform/controls/picbutton.h"
#include "platform/controls/pictoggle.h"
#include "platform/controls/xpanel.h"
#include "platform/db/connprovider.h"
#include "platform/db/connspec.h"
#include "platform/db/dataaccess.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/inputhold.h"
#include "platform/win/pointer.h"
#include "platform/win/stdmessagebox.h"
#include "platform/win/tickcount.h"
#include "platform/win/twips.h"
#include "winui/tipwindow.h"
#include "winui/tooltip.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>

#include <exception>
#include <stdexcept>

namespace {

const QString CRLF = QStringLiteral("\r\n");

void notice(const QString &title, const QString &text)
{
    MsgScr::notice(MsgScr::Kind::Info, title, text);
}

template<typename T> T *named(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

FrmRate::FrmRate(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmRate"));
    setWindowTitle(QStringLiteral("환율관리 프로그램"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAcceptDrops(true); // a file dropped on the window is imported
    createControls();
    setFocusChain();
    connectEvents();
    qApp->installEventFilter(this);
}

FrmRate::~FrmRate()
{
    qApp->removeEventFilter(this);
    sbSS_MOVE_Release(m_info);
}

// ------------------------------------------------------------------ controls

void FrmRate::createControls()
{
    createInputPanel();
    createPeriodPanel();
    createToggles();
}

// The top panel: one day's date, rates and remark with their captions, and the three commands.
void FrmRate::createInputPanel()
{
    m_xPanel1 = named<xPanel>(this, "xPanel1");
    m_xPanel1->setCaption(QStringLiteral("기준일 환율 입력"));
    Twips::setGeometry(m_xPanel1, 45, 45, 11895, RateLayout::TopPanelHeight);

    m_imgTOP_BACK = named<QLabel>(m_xPanel1, "imgTOP_BACK");
    m_imgTOP_BACK->setStyleSheet(
        QStringLiteral("QLabel#imgTOP_BACK { border: none; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                       " stop:0 rgba(214,228,242,0), stop:1 rgba(214,228,242,150)); }"));
    Twips::setGeometry(m_imgTOP_BACK, 45, 720, 11805, 735);

    m_fmeTOP_BACK = named<QWidget>(m_xPanel1, "fmeTOP_BACK");
    Twips::setGeometry(m_fmeTOP_BACK, RateLayout::FrameLeft, 330, 10680, 1035);

    // each field with its caption in front: design places in twips (caption 1215 wide, field 45 after it)
    struct Field
    {
        lTitle *&title;
        const char *titleName;
        const char *caption;
        QWidget *field;
        double left, top, width;
    };
    m_txtSTD_DATE = named<dDate>(m_fmeTOP_BACK, "txtSTD_DATE");
    m_txtUSD = named<cFloat>(m_fmeTOP_BACK, "txtUSD");
    m_txtVND = named<cFloat>(m_fmeTOP_BACK, "txtVND");
    m_txtKRW = named<cFloat>(m_fmeTOP_BACK, "txtKRW");
    m_txtREMARK = named<QLineEdit>(m_fmeTOP_BACK, "txtREMARK");
    const Field fields[] = {
        {m_lTitle5, "lTitle5", "기준일", m_txtSTD_DATE, 0, 0, 1320},
        {m_lTitle1, "lTitle1", "미달러", m_txtUSD, 0, 360, 1320},
        {m_lTitle2, "lTitle2", "베트남동", m_txtVND, 2700, 360, 1320},
        {m_lTitle3, "lTitle3", "한국원화", m_txtKRW, 5400, 360, 1320},
        {m_lTitle4, "lTitle4", "비  고", m_txtREMARK, 0, 720, 6720},
    };
    for (const Field &f : fields) {
        f.title = named<lTitle>(m_fmeTOP_BACK, f.titleName);
        f.title->setCaption(QString::fromUtf8(f.caption));
        Twips::setGeometry(f.title, f.left, f.top, 1215, 300);
        Twips::setGeometry(f.field, f.left + 1260, f.top, f.width, 300);
    }

    struct Button
    {
        btnButton *&button;
        const char *name;
        const char *caption;
        double left, top, width;
    };
    const Button buttons[] = {
        {m_btnClear, "btnClear", "초기화", 8145, 45, 2535},
        {m_btnSave, "btnSave", "저  장", 8145, 540, 1230},
        {m_btnDelete, "btnDelete", "삭  제", 9450, 540, 1230},
    };
    for (const Button &b : buttons) {
        b.button = named<btnButton>(m_fmeTOP_BACK, b.name);
        b.button->setCaption(QString::fromUtf8(b.caption));
        Twips::setGeometry(b.button, b.left, b.top, b.width, 390);
    }

    // rates: dollar 2 fixed decimals, dong none, won 6; all with thousands separators
    const std::array<std::pair<cFloat *, int>, 3> rates = {{{m_txtUSD, 2}, {m_txtVND, 0}, {m_txtKRW, 6}}};
    for (const auto &[box, places] : rates) {
        box->setMaskdecimalplaces(places);
        box->setMaskdecimalfixed(true);
        box->setMaskshowthousandsep(true);
        box->setValue(QStringLiteral("0"));
    }
}

// The main panel: the period with 조회, the grid SS, its summary line SS_SUM and the navigator.
void FrmRate::createPeriodPanel()
{

    m_xPanel2 = named<xPanel>(this, "xPanel2");
    m_xPanel2->setCaption(QStringLiteral("기간별 환율 조회"));
    Twips::setGeometry(m_xPanel2, 45, 1980, 11895, 6135);

    m_lTitle6 = named<lTitle>(m_xPanel2, "lTitle6");
    m_lTitle6->setCaption(QStringLiteral("조회기간"));
    Twips::setGeometry(m_lTitle6, 90, 330, 1260, 300);
    m_txtFM_DATE = named<dDate>(m_xPanel2, "txtFM_DATE");
    Twips::setGeometry(m_txtFM_DATE, 1395, 330, 1320, 300);
    m_Label1 = named<QLabel>(m_xPanel2, "Label1");
    m_Label1->setText(QStringLiteral("~"));
    m_Label1->setAlignment(Qt::AlignCenter);
    Twips::setGeometry(m_Label1, 2745, 360, 135, 240);
    m_txtTO_DATE = named<dDate>(m_xPanel2, "txtTO_DATE");
    Twips::setGeometry(m_txtTO_DATE, 2925, 330, 1320, 300);
    m_btnQuery = named<btnButton>(m_xPanel2, "btnQuery");
    m_btnQuery->setCaption(QStringLiteral("조  회"));
    Twips::setGeometry(m_btnQuery, 4365, 285, 1230, 390);

    m_SS = named<SpreadGrid>(m_xPanel2, "SS");
    Twips::setGeometry(m_SS, 90, 810, 6840, 3570);
    m_SS_SUM = named<SpreadGrid>(m_xPanel2, "SS_SUM");
    Twips::setGeometry(m_SS_SUM, 90, 5085, 6840, 555);

    // the navigator's controls beside the grid, taken into the record when it is bound
    new GridNav::Navigator(m_xPanel2, m_SS, m_SS_SUM);
}

// The two toggle pairs at the top panel's right: expand / collapse and centre / left.
void FrmRate::createToggles()
{
    const char *updown[2] = {"optTOP_UpDown", "optTOP_UpDown"};
    const char *align[2] = {"optTOP_UpDown1", "optTOP_UpDown1"};
    const QString updownGlyph[2] = {QStringLiteral("expand"), QStringLiteral("collapse")};
    const QString updownTip[2] = {QStringLiteral("입력창 펼치기"), QStringLiteral("입력창 접기")};
    const QString alignGlyph[2] = {QStringLiteral("aligncenter"), QStringLiteral("alignleft")};
    const QString alignTip[2] = {QStringLiteral("입력창 가운데 정렬"), QStringLiteral("입력창 왼쪽 정렬")};
    for (int i = 0; i < 2; ++i) {
        m_optTOP_UpDown[size_t(i)] = named<PicToggle>(this, updown[i]);
        m_optTOP_UpDown[size_t(i)]->setProperty("Index", i);
        m_optTOP_UpDown[size_t(i)]->setPicture(PicButton::glyphPath(updownGlyph[i]));
        m_optTOP_UpDown[size_t(i)]->setToolTip(updownTip[i]);
        m_optTOP_UpDown[size_t(i)]->setStayDown(true);
        m_optTOP_UpDown1[size_t(i)] = named<PicToggle>(this, align[i]);
        m_optTOP_UpDown1[size_t(i)]->setProperty("Index", i);
        m_optTOP_UpDown1[size_t(i)]->setPicture(PicButton::glyphPath(alignGlyph[i]));
        m_optTOP_UpDown1[size_t(i)]->setToolTip(alignTip[i]);
        m_optTOP_UpDown1[size_t(i)]->setStayDown(true);
        for (PicToggle *t : {m_optTOP_UpDown[size_t(i)], m_optTOP_UpDown1[size_t(i)]}) {
            t->setFocusPolicy(Qt::NoFocus);
            Twips::resize(t, RateLayout::ToggleWidth, RateLayout::ToggleHeight);
        }
    }
    // the window starts expanded, frame at the left
    m_optTOP_UpDown[0]->setValue(true);
    m_optTOP_UpDown[0]->setEnabled(false);
    m_optTOP_UpDown1[1]->setValue(true);
    m_optTOP_UpDown1[1]->setVisible(false);
}

void FrmRate::setFocusChain()
{
    // day, dollar, dong, won, remark, the period, the grid; then the summary line and the buttons.
    // The grids take the focus in their inner view: the chain is built with those views, since a
    // chain through the grid widgets themselves lets the buttons come before the grid.
    const QList<QWidget *> order = {m_txtSTD_DATE, m_txtUSD,     m_txtVND,     m_txtKRW,         m_txtREMARK,
                                    m_txtFM_DATE,  m_txtTO_DATE, m_SS->view(), m_SS_SUM->view(), m_btnClear,
                                    m_btnSave,     m_btnQuery,   m_btnDelete};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void FrmRate::connectEvents()
{
    connect(m_btnQuery, &btnButton::Click, this, &FrmRate::btnQuery_Click);
    connect(m_btnSave, &btnButton::Click, this, &FrmRate::btnSave_Click);
    connect(m_btnDelete, &btnButton::Click, this, &FrmRate::btnDelete_Click);
    connect(m_btnClear, &btnButton::Click, this, &FrmRate::btnClear_Click);
    connect(m_SS, &SpreadGrid::Click, this, &FrmRate::SS_Click);
    connectNavigatorButtons();
    for (int i = 0; i < 2; ++i) {
        connect(m_optTOP_UpDown[size_t(i)], &PicToggle::Click, this, [this, i] {
            if (m_optTOP_UpDown[size_t(i)]->value())
                optTOP_UpDown_Click(i);
        });
        connect(m_optTOP_UpDown1[size_t(i)], &PicToggle::Click, this, [this, i] {
            if (m_optTOP_UpDown1[size_t(i)]->value())
                optTOP_UpDown1_Click(i);
        });
    }
}

// ------------------------------------------------------------------ start-up and end

void FrmRate::showUnexpectedError(const QString &description)
{
    Pointer::setShape(Pointer::Shape::Default);
    StdMessageBox::show(this, QMessageBox::Warning, QStringLiteral("자료 관리"), description);
}

void FrmRate::showSaveFailure()
{
    StdMessageBox::show(this, QMessageBox::Warning, QStringLiteral("저장실패"),
                        QStringLiteral("저장중 에러가 발생하여 실행하지 못했습니다. "));
}

template<typename Step> void FrmRate::runStep(Step step)
{
    try {
        step();
    } catch (const std::exception &e) {
        showUnexpectedError(QString::fromUtf8(e.what()));
    } catch (...) {
        showUnexpectedError(QStringLiteral("알 수 없는 오류가 발생했습니다."));
    }
}

bool FrmRate::Form_Load()
{
    if (App::isAnotherCopyRunning()) {
        StdMessageBox::show(this, QMessageBox::Information, QStringLiteral("경고"),
                            QStringLiteral("프로그램이 이미 실행중입니다."));
        return false;
    }
    // a computer with no system folder at all may get a personal database instead of the
    // start-up failure
    if (!PersonalSetup::offer())
        return false;
    if (!sbInit_Program(this))
        return false;
    MsgScr::setOwner(this);
    // a setting the checks cannot use is told on the message screen where it is first used,
    // once in this run
    RateCheck::setSettingsNotice([](const QString &title, const QString &text) {
        Pointer::setShape(Pointer::Shape::Default); // a read may be under way: the pointer is normal for any message
        MsgScr::notice(MsgScr::Kind::Warning, title, text);
    });
    runStep([this] { attachDataAccess(); });
    runStep([] { sbSet_ReportDSN(); });
    runStep([this] { sbSS_Init(); });
    runStep([this] { sbForm_Layout(); });
    runStep([this] { sbForm_Default(); });
    runStep([this] { showHistoryNotice(); });
    return true;
}

void FrmRate::attachDataAccess()
{
    ConnProvider *provider = App::connProvider();
    if (!provider)
        throw std::runtime_error("데이터베이스 연결이 준비되지 않았습니다.");
    m_dataAccess = std::make_unique<DataAccess>();
    m_dataAccess->AttachConnection(provider->GetConnection());
    m_writer = std::make_unique<RateWriter>(*m_dataAccess, UserCode());
}

void FrmRate::sbSS_Init()
{
    m_info.HasSum = true;
    m_info.SumRows = 1;
    m_info.HeaderRows = 1;
    m_info.ColCount = 5;
    m_info.LockColour = false;
    sbSS_MOVE_Bind(this, m_info, 0);
    addDataMenuItems();
    GridNav::forwardEvents(m_info, [this] { layoutGrid(); });
    sbSS_GridSetup(m_info);
    GridNav::defineRateColumns(m_info);
    sbSS_Format(GridNav::FormatStep::All);
    sbSS_GridClear(m_info, 1);
    // the summary line says what it holds where the data rows show their numbers
    m_SS_SUM->SetCellText(0, 1, QStringLiteral("평균"));
}

void FrmRate::sbSS_Format(GridNav::FormatSteps steps)
{
    GridNav::defineRateColumns(m_info);
    if (steps & GridNav::FormatStep::ColFormat)
        sbSS_ColFormat(m_info);
    if (steps & GridNav::FormatStep::HeadText)
        sbSS_HeadText(m_info);
    if (steps & GridNav::FormatStep::ColSize) {
        sbSS_ColSize(m_info, 5);
        layoutGrid();
    }
}

void FrmRate::layoutGrid()
{
    sbSS_MOVE_Layout(m_info, Twips::height(m_xPanel2));
    sbSS_MOVE_LineDisp(m_info);
}

void FrmRate::sbForm_Layout()
{
    // client area of the designed 12120 x 9510 window, centred on the screen
    Twips::resize(this, RateLayout::ClientWidth, RateLayout::ClientHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
    Twips::move(m_xPanel1, 45, 45);
    Twips::move(m_xPanel2, 45, Twips::top(m_xPanel2));
    Twips::move(m_fmeTOP_BACK, Twips::left(m_fmeTOP_BACK), 330);
    Twips::move(m_imgTOP_BACK, Twips::left(m_imgTOP_BACK), 720);
    for (int i = 0; i < 2; ++i) {
        Twips::move(m_optTOP_UpDown[size_t(i)], Twips::left(m_optTOP_UpDown[size_t(i)]), 45);
        Twips::move(m_optTOP_UpDown1[size_t(i)], Twips::left(m_optTOP_UpDown1[size_t(i)]), 45);
    }
    Twips::move(m_SS, 90, 810);
    sbSS_MOVE_Arrange(m_info);
    m_laidOut = true;
    applySizeRules();
}

QString FrmRate::ScreenMode() const
{
    return m_mode == Mode::Query ? QStringLiteral("조회") : QStringLiteral("추가");
}

void FrmRate::sbForm_Default()
{
    m_mode = Mode::Adding;
    fnClear_Controls(this);
    sbSS_MOVE_Reset(m_info);
    fnSet_ToolTip(m_info.Tips[0].get(), m_SS_SUM, ToolTip::TipStyle::Balloon, false, QStringLiteral("없음"),
                  QStringLiteral("조회정보"), ToolTip::TipIcon::Information);
}

void FrmRate::releaseGridRecord()
{
    sbSS_MOVE_Release(m_info);
}

void FrmRate::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    runStep([this] {
        m_writer.reset();
        m_dataAccess.reset();
    });
    runStep([this] { releaseGridRecord(); });
    RateCheck::setSettingsNotice(nullptr);
    App::endProcess(0);
}

void FrmRate::closeEvent(QCloseEvent *event)
{
    // a close while a command waits would pull the data access away under it: not acted on
    if (InputHold::active()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

// ------------------------------------------------------------------ layout

bool FrmRate::isTopExpanded() const
{
    return m_optTOP_UpDown[0]->value();
}

void FrmRate::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_laidOut)
        applySizeRules();
}

void FrmRate::applySizeRules()
{
    RateLayout::Input in;
    in.clientWidth = Twips::width(this);
    in.clientHeight = Twips::height(this);
    in.expanded = isTopExpanded();
    in.topPanelHeight = Twips::height(m_xPanel1);
    in.frameWidth = Twips::width(m_fmeTOP_BACK);
    in.centerFrame = m_centerFrame;
    in.toggleWidth = Twips::width(m_optTOP_UpDown[1]);
    const RateLayout::Result r = RateLayout::resize(in);

    // each step on its own: a control that refuses its geometry does not stop the others
    if (Twips::width(m_xPanel1) != r.panelWidth) {
        Twips::resize(m_xPanel1, r.panelWidth, Twips::height(m_xPanel1));
        Twips::resize(m_xPanel2, r.panelWidth, Twips::height(m_xPanel2));
        Twips::resize(m_imgTOP_BACK, r.imageWidth, Twips::height(m_imgTOP_BACK));
    }
    if (in.expanded)
        sbTop_Align();
    // the toggles stand on the window (they stay when the top panel is hidden), placed by the
    // panel's right edge: its coordinates become the window's by the panel's left
    const double panelLeft = Twips::left(m_xPanel1);
    if (Twips::toPixels(Twips::left(m_optTOP_UpDown[1])) != Twips::toPixels(panelLeft + r.collapseLeft)) {
        Twips::move(m_optTOP_UpDown[1], panelLeft + r.collapseLeft, 45);
        Twips::move(m_optTOP_UpDown[0], panelLeft + r.expandLeft, 45);
        Twips::move(m_optTOP_UpDown1[0], panelLeft + r.alignLeft, 45);
        Twips::move(m_optTOP_UpDown1[1], panelLeft + r.alignLeft, 45);
    }
    if (Twips::top(m_xPanel2) != r.mainTop)
        Twips::move(m_xPanel2, Twips::left(m_xPanel2), r.mainTop);
    Twips::resize(m_xPanel2, Twips::width(m_xPanel2), r.mainHeight);
    if (Twips::width(m_SS) != r.gridWidth)
        Twips::resize(m_SS, r.gridWidth, Twips::height(m_SS));
    for (PicToggle *t : {m_optTOP_UpDown[0], m_optTOP_UpDown[1], m_optTOP_UpDown1[0], m_optTOP_UpDown1[1]})
        t->raise();

    if (m_info.cmdRef && ControlInfo::tag(m_info.cmdRef) == u"1")
        sbSS_Format(GridNav::FormatStep::ColSize);
    else
        layoutGrid();
}

void FrmRate::sbTop_Align()
{
    if (!m_centerFrame) {
        Twips::move(m_fmeTOP_BACK, RateLayout::FrameLeft, Twips::top(m_fmeTOP_BACK));
        m_optTOP_UpDown1[1]->setValue(true);
    } else {
        Twips::move(m_fmeTOP_BACK, RateLayout::frameLeft(Twips::width(m_xPanel1), Twips::width(m_fmeTOP_BACK), true),
                    Twips::top(m_fmeTOP_BACK));
        m_optTOP_UpDown1[0]->setValue(true);
    }
    m_optTOP_UpDown1[0]->setVisible(!m_centerFrame);
    m_optTOP_UpDown1[1]->setVisible(m_centerFrame);
    m_optTOP_UpDown1[0]->setEnabled(true);
    m_optTOP_UpDown1[1]->setEnabled(true);
}

void FrmRate::optTOP_UpDown_Click(int index)
{
    const InputHold::Scope hold;
    const bool expand = index == 0;
    m_optTOP_UpDown[0]->setEnabled(!expand);
    m_optTOP_UpDown[1]->setEnabled(expand);
    m_optTOP_UpDown1[0]->setEnabled(expand);
    m_optTOP_UpDown1[1]->setEnabled(expand);
    // the pair works as option buttons: the other one comes up
    m_optTOP_UpDown[size_t(1 - index)]->setValue(false);
    m_optTOP_UpDown[size_t(index)]->setValue(true);
    sbSlide_Panel(m_xPanel1, m_fmeTOP_BACK, RateLayout::TopPanelHeight, expand);
    applySizeRules();
}

void FrmRate::optTOP_UpDown1_Click(int index)
{
    const InputHold::Scope hold;
    if (!m_optTOP_UpDown1[0]->isEnabled() && !m_optTOP_UpDown1[1]->isEnabled())
        return;
    m_centerFrame = index == 0;
    m_optTOP_UpDown1[size_t(1 - index)]->setValue(false);
    sbTop_Align();
    m_SS->setFocus();
}

void sbSlide_Panel(QWidget *panel, QWidget *inner, double fullHeight, bool show)
{
    int step = RateLayout::slideStep(fullHeight);
    if (show) {
        Twips::resize(panel, Twips::width(panel), 300);
        panel->setVisible(true);
    } else {
        inner->setVisible(false);
        step = -step;
    }
    QApplication::processEvents();
    double height = Twips::height(panel);
    for (int i = 0; i < 10; ++i) {
        TickCount::waitMoreThan(9);
        height += step;
        Twips::resize(panel, Twips::width(panel), std::max(0.0, height));
    }
    if (!show) {
        panel->setVisible(false);
    } else {
        Twips::resize(panel, Twips::width(panel), fullHeight);
        inner->setVisible(true);
    }
    QApplication::processEvents();
}

// ------------------------------------------------------------------ keyboard

bool FrmRate::isInGrid(QWidget *w) const
{
    for (QWidget *p = w; p; p = p->parentWidget())
        if (qobject_cast<SpreadGrid *>(p))
            return true;
    return false;
}

bool FrmRate::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && m_SS && watched == m_SS->view()->viewport()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton && gridRightPress(mouse->position().toPoint()))
            return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != this || w != QApplication::focusWidget())
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter walks the fields in tab order; the grids and the go-to input keep their own Enter
        if (isInGrid(w) || w == m_info.txtGo)
            return false;
        focusNextChild();
        return true;
    }
    int shift = 0;
    if (key->modifiers() & Qt::ShiftModifier)
        shift |= KeyCommand::ShiftMask;
    if (key->modifiers() & Qt::ControlModifier)
        shift |= KeyCommand::CtrlMask;
    if (key->modifiers() & Qt::AltModifier)
        shift |= KeyCommand::AltMask;
    if (const int vk = KeyCommand::virtualCode(key->key()))
        sbKey_Down(vk, shift);
    // a key with Alt is a command key: the dispatcher had it, the box under the focus does not
    // (Alt+X must not type an "x" into the remark)
    return (key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)
        && key->key() != Qt::Key_Alt;
}

// ------------------------------------------------------------------ input panel

void FrmRate::SS_Click(int, int row)
{
    const InputHold::Scope hold;
    if (m_mode != Mode::Query || row < 1 || row > m_SS->MaxRows())
        return;
    // the panel takes a whole row or nothing: a day another program wrote in another form
    // ("2026/12/17x") would leave the previous day in the date box under this row's rates
    const QString day = m_SS->GetCellText(1, row).trimmed();
    if (const RateInputCheck::Refusal r = RateInputCheck::checkDate(day)) {
        notice(r.title, r.text);
        return;
    }
    // nor does a day get another day's rates: a rate a box cannot hold leaves the whole panel as
    // it was
    cFloat *const boxes[] = {m_txtUSD, m_txtVND, m_txtKRW};
    QString before[3];
    for (int i = 0; i < 3; ++i) {
        before[i] = boxes[i]->value();
        const QString rate = m_SS->cellValue(i + 2, row);
        if (boxes[i]->setValue(rate.isEmpty() ? QStringLiteral("0") : rate))
            continue;
        for (int k = 0; k < i; ++k)
            boxes[k]->setValue(before[k]);
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("환율을 확인하십시오."),
                       RateInputCheck::rateCaption(i)
                           + QStringLiteral(" 환율이 입력창에 표시할 수 있는 범위를 넘습니다.") + CRLF
                           + QStringLiteral("이 일자는 입력창으로 가져오지 않았습니다."));
        return;
    }
    m_txtSTD_DATE->setValue(day);
    m_txtREMARK->setText(m_SS->GetCellText(5, row).trimmed());
}

// ------------------------------------------------------------------ query

void FrmRate::btnQuery_Click()
{
    const InputHold::Scope hold; // no other command starts while this one waits
    const QString from = m_txtFM_DATE->value().trimmed();
    const QString to = m_txtTO_DATE->value().trimmed();
    if (!fnChk_Period(from, to, 0)) {
        notice(QStringLiteral("조회일자를 확인하십시오."),
               QStringLiteral("조회") + RateInputCheck::dateNoticeText(QStringLiteral("기간")));
        return;
    }

    DataAccess *da = m_dataAccess.get();
    try {
        const qint64 startTick = TickCount::now();
        MsgScr::WaitNotice wait(MsgScr::Kind::Info, QStringLiteral("조회중입니다."),
                                QStringLiteral("데이타베이스에서 데이타를 조회하고 있습니다."),
                                MsgScr::PointerShape::Hourglass);
        sbSS_GridClear(m_info, 0);
        sbSS_MOVE_Reset(m_info);

        if (!da)
            throw std::runtime_error("데이터베이스에 연결되어 있지 않습니다.");
        const bool opened = da->OpenQuery(RateStatements::periodStatement(from, to), 1, 3);
        m_mode = Mode::Adding;
        if (!opened) {
            wait.close();
            showQueryFailure(*da);
            return;
        }
        if (!da->IsEof()) {
            wait.setText(QStringLiteral("조회된 데이타를 화면에 표시중입니다."));
            fillQueryRows(*da, from, to);
        }
        wait.close();
        finishQuery(*da, from, to, startTick);
    } catch (const std::exception &e) {
        // the wait notice has closed on the way out of the block
        if (da && da->isQueryOpen() && !da->CloseQuery())
            da->CloseQuery();
        if (!m_SS->Redraw())
            m_SS->setRedraw(true);
        showUnexpectedError(QString::fromUtf8(e.what()));
    }
}

void FrmRate::showQueryFailure(DataAccess &da)
{
    // a failed read is said so, never left to look like an empty period; the database's own
    // words (often English) follow a sentence the user can read
    const QString why = da.lastError().trimmed();
    showUnexpectedError(QStringLiteral("조회중 에러가 발생하여 실행하지 못했습니다.")
                        + (why.isEmpty() ? QString() : CRLF + CRLF + why));
}

// The read rows into SS, their averages into SS_SUM; the window is in query mode from here on.
void FrmRate::fillQueryRows(DataAccess &da, const QString &from, const QString &to)
{
    m_SS->setRedraw(false);
    long double sums[3] = {0, 0, 0};
    RateGridFill::fillRows(da, m_SS, sums);
    sbSS_Format(GridNav::FormatStep::ColSize);
    m_mode = Mode::Query;
    m_queryFrom = from;
    m_queryTo = to;
    m_SS->setRedraw(true);
    for (int k = 0; k < 3; ++k)
        m_SS_SUM->SetCellText(k + 2, 1, RateGridFill::average(sums[k], da.RecordCount()));
}

// The statistics tip of SS_SUM, or the no-rows notice, then the navigator's line boxes.
void FrmRate::finishQuery(DataAccess &da, const QString &from, const QString &to, qint64 startTick)
{
    QString stats;
    if (m_mode == Mode::Query) {
        const qint64 endTick = TickCount::now();
        stats = QueryStats::text(from, to, QDateTime::currentDateTime(), da.RecordCount(), m_SS->MaxRows(),
                                 endTick - startTick);
    } else {
        m_SS->setMaxRows(1);
        stats = QStringLiteral("없음");
        notice(QStringLiteral("조회된 데이타가 없습니다."), QStringLiteral("조회조건을 다시한번 확인하여 주십시오."));
    }
    fnSet_ToolTip(m_info.Tips[0].get(), m_SS_SUM, ToolTip::TipStyle::Balloon, false, stats, QStringLiteral("조회정보"),
                  ToolTip::TipIcon::Information);
    da.CloseQuery();
    // after no rows the reset's empty line boxes stay as they are
    if (m_mode == Mode::Query)
        sbSS_MOVE_LineDisp(m_info);
    m_SS->setFocus();
}

// ------------------------------------------------------------------ save, delete, clear

bool FrmRate::checkInputDate(const QString &date)
{
    const RateInputCheck::Refusal r = RateInputCheck::checkDate(date);
    if (r)
        notice(r.title, r.text);
    return !r;
}

bool FrmRate::checkRemark()
{
    // SQL Server's NVARCHAR counts UTF-16 units; SQLite and PostgreSQL count characters
    const ConnProvider *provider = App::connProvider();
    const bool utf16 =
        provider && ConnSpec::fromServerField(provider->ServerName()).backend == ConnSpec::Backend::SqlServer;
    const RateInputCheck::Refusal r = RateInputCheck::checkRemark(m_txtREMARK->text(), utf16);
    if (!r)
        return true;
    MsgScr::notice(MsgScr::Kind::Warning, r.title, r.text);
    m_txtREMARK->setFocus();
    return false;
}

bool FrmRate::checkRates()
{
    cFloat *const boxes[] = {m_txtUSD, m_txtVND, m_txtKRW};
    for (int i = 0; i < 3; ++i) {
        const RateInputCheck::Refusal r = RateInputCheck::checkRate(i, boxes[i]->value().toDouble());
        if (!r)
            continue;
        MsgScr::notice(MsgScr::Kind::Warning, r.title, r.text);
        boxes[i]->setFocus();
        return false;
    }
    return true;
}

// `busy` is the caller's hourglass, which lasts until the write is done (finishWrite) or refused.
RateCalls::DayState FrmRate::dayStateForWrite(const QString &date, Pointer::Busy &busy)
{
    DataAccess *da = m_dataAccess.get();
    if (!da) {
        busy.done();
        showSaveFailure();
        return RateCalls::DayState::Failed;
    }
    const RateCalls::DayState state = RateCalls::checkDay(*da, date);
    if (state == RateCalls::DayState::Failed) {
        busy.done();
        showSaveFailure();
    }
    return state;
}

void FrmRate::finishWrite(Pointer::Busy &busy, RateHistory::Action action, const QString &date, const QString &title,
                          const QString &text)
{
    const RateHistory::DayValues values{m_txtUSD->value(), m_txtVND->value(),
                                        RateStatements::numberText(m_txtKRW->value().toDouble()), m_txtREMARK->text()};
    const bool written = m_writer->apply(action, date, values);
    busy.done();
    if (!written) {
        showSaveFailure();
        return;
    }
    notice(title, text);
    if (m_mode == Mode::Query)
        btnQuery_Click();
}

void FrmRate::btnSave_Click()
{
    const InputHold::Scope hold;
    const QString date = m_txtSTD_DATE->value().trimmed();
    if (!checkInputDate(date) || !checkRemark() || !checkRates() || !confirmJumps(date))
        return;
    Pointer::Busy busy;
    const RateCalls::DayState state = dayStateForWrite(date, busy);
    if (state == RateCalls::DayState::Failed)
        return;
    const bool present = state == RateCalls::DayState::Present;
    const QString mode = present ? QStringLiteral("수정") : QStringLiteral("저장");
    finishWrite(busy, present ? RateHistory::Action::Update : RateHistory::Action::Insert, date,
                mode + QStringLiteral("하였습니다."),
                QStringLiteral("데이타를 성공적으로 ") + mode + QStringLiteral("하였습니다."));
}

void FrmRate::btnDelete_Click()
{
    const InputHold::Scope hold;
    const QString date = m_txtSTD_DATE->value().trimmed();
    if (!checkInputDate(date))
        return;
    Pointer::Busy busy;
    const RateCalls::DayState state = dayStateForWrite(date, busy);
    if (state == RateCalls::DayState::Failed)
        return;
    if (state == RateCalls::DayState::Missing) {
        busy.done();
        notice(QStringLiteral("데이타가 없습니다."), QStringLiteral("삭제하고자 하는 기준일의 데이타가 없습니다."));
        return;
    }
    finishWrite(busy, RateHistory::Action::Delete, date, QStringLiteral("삭제 하였습니다."),
                QStringLiteral("데이타를 성공적으로 삭제 하였습니다."));
}

void FrmRate::btnClear_Click()
{
    const InputHold::Scope hold;
    sbSS_GridClear(m_info, 1);
    sbForm_Default();
}
