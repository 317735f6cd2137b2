#include "frmssfind.h"

#include "find/cboroutines.h"
#include "find/spreadfindgrid.h"
#include "find/ssfindlayout.h"
#include "find/ssfindpasses.h"
#include "msgscr/msgscr.h"
#include "platform/controls/picbutton.h"
#include "platform/controls/pictoggle.h"
#include "platform/controls/svgpicture.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/koreanfont.h"
#include "platform/win/twips.h"
#include "winui/tipwindow.h" // ToolTip hands out its tip window
#include "winui/tooltip.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace {

constexpr char Caption[] = " FindBox...";
constexpr char PickTip[] = "현제 값 입력";
constexpr char NotFoundTitle[] = "찾을 수 없습니다.";
constexpr char NotFoundText[] = "지정한 문자열을 찾을 수 없습니다.";

constexpr char Background[] = ":/find/background.svg";
constexpr char FaceFindUp[] = ":/find/find_up.svg";
constexpr char FaceFindDown[] = ":/find/find_down.svg";
constexpr char FaceCloseUp[] = ":/find/close_up.svg";
constexpr char FaceCloseDown[] = ":/find/close_down.svg";
constexpr char imgSSFindDF[] = ":/find/pick_normal.svg"; // normal face of the pick button
constexpr char imgSSFindUP[] = ":/find/pick_highlight.svg"; // highlighted face
constexpr char FacePickDown[] = ":/find/pick_down.svg";

// The window's fixed-pitch Korean face.
QFont windowFont()
{
    KoreanFont::installSubstitutes();
    QFont f(KoreanFont::fixedFace());
    f.setPointSizeF(9);
    return f;
}

// Sunken read-only boxes of the upper frame (pixels).
const char *const DisplaySheet = "background:#ffffff; color:#1d2b3e; border:1px solid #b3bfd0; border-radius:2px;"
                                 " padding:0px 3px;";
const char *const ComboSheet =
    "QComboBox { background:#ffffff; color:#1d2b3e; border:1px solid #98a8bf; border-radius:2px;"
    " padding:0px 3px; }"
    "QComboBox:focus { border:1px solid #3a7bc8; background:#fbfdff; }"
    "QComboBox::drop-down { width:16px; border-left:1px solid #c9d3e0; background:#eef2f7; }"
    "QComboBox::down-arrow { image:url(:/find/combo_arrow.svg); width:9px; height:6px; }"
    "QComboBox QAbstractItemView { background:#ffffff; selection-background-color:#d6e6f8;"
    " selection-color:#1d2b3e; border:1px solid #98a8bf; outline:0px; }"
    "QComboBox QAbstractItemView::item { min-height:18px; padding:0px 4px; }";
const char *const CheckSheet = "QCheckBox { color:#1d2b3e; spacing:5px; background:transparent; }"
                               "QCheckBox::indicator { width:13px; height:13px; }"
                               "QCheckBox::indicator:unchecked { image:url(:/find/check_off.svg); }"
                               "QCheckBox::indicator:unchecked:hover { image:url(:/find/check_hover.svg); }"
                               "QCheckBox::indicator:checked { image:url(:/find/check_on.svg); }"
                               "QCheckBox:focus { color:#123f73; }";

void place(QWidget *w, const SSFindLayout::TwipRect &r)
{
    Twips::setGeometry(w, r.left, r.top, r.width, r.height);
}

} // namespace

FrmSSFind::FrmSSFind(QWidget *owner)
    : QDialog(owner,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QString::fromUtf8(Caption));
    setModal(false);
    setFont(windowFont());
    setFixedSize(Twips::toPixels(SSFindLayout::ClientWidth), Twips::toPixels(SSFindLayout::ClientHeight));

    for (int i = 0; i < 2; ++i) {
        auto *lbl = new QLabel(this);
        lbl->setObjectName(QStringLiteral("lblSSFind_%1").arg(i));
        lbl->setStyleSheet(DisplaySheet);
        lbl->setAlignment(i == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        m_lblSSFind[i] = lbl;
    }
    m_lblSSFind[1]->setText("______");
    place(m_lblSSFind[0], SSFindLayout::lblSSFind0);
    place(m_lblSSFind[1], SSFindLayout::lblSSFind1);

    m_txtSSFind = new QLineEdit(this);
    m_txtSSFind->setObjectName("txtSSFind");
    m_txtSSFind->setReadOnly(true); // shows the cell; typing here would change nothing
    m_txtSSFind->setFocusPolicy(Qt::ClickFocus);
    m_txtSSFind->setStyleSheet(QString("QLineEdit {%1}").arg(DisplaySheet));
    place(m_txtSSFind, SSFindLayout::txtSSFind);

    m_cboSSFind = new QComboBox(this);
    m_cboSSFind->setObjectName("cboSSFind");
    m_cboSSFind->setEditable(true);
    m_cboSSFind->setInsertPolicy(QComboBox::NoInsert); // the history is kept by find next
    m_cboSSFind->setCompleter(nullptr); // typed text stays as typed
    m_cboSSFind->setStyleSheet(ComboSheet);
    // the combo box takes Return for itself before its line edit sees it: watch both
    m_cboSSFind->installEventFilter(this);
    m_cboSSFind->lineEdit()->installEventFilter(this);
    place(m_cboSSFind, SSFindLayout::cboSSFind);

    m_cmdSSFind = new PicToggle(this);
    m_cmdSSFind->setObjectName("cmdSSFind");
    m_cmdSSFind->setFaces(imgSSFindDF, FacePickDown);
    m_cmdSSFind->setMouseTracking(true);
    m_cmdSSFind->setFocusPolicy(Qt::TabFocus);
    m_cmdSSFind->installEventFilter(this);
    place(m_cmdSSFind, SSFindLayout::cmdSSFind);

    const char *const checkTexts[2] = {"전체 내용이 일치하는 문자열 찾기", "현제 컬럼에서 찾기"};
    const SSFindLayout::TwipRect checkRects[2] = {SSFindLayout::chkSSFind0, SSFindLayout::chkSSFind1};
    for (int i = 0; i < 2; ++i) {
        auto *chk = new QCheckBox(QString::fromUtf8(checkTexts[i]), this);
        chk->setObjectName(QStringLiteral("chkSSFind_%1").arg(i));
        chk->setStyleSheet(CheckSheet);
        place(chk, checkRects[i]);
        m_chkSSFind[i] = chk;
    }

    m_cmdNEXT = new PicButton(this);
    m_cmdNEXT->setObjectName("cmdNEXT");
    m_cmdNEXT->setFaces(FaceFindUp, FaceFindDown);
    m_cmdNEXT->setAccessibleName("찾기");
    m_cmdNEXT->setFocusPolicy(Qt::StrongFocus);
    m_cmdNEXT->installEventFilter(this);
    place(m_cmdNEXT, SSFindLayout::cmdNEXT);

    m_cmdClose = new PicButton(this);
    m_cmdClose->setObjectName("cmdClose");
    m_cmdClose->setFaces(FaceCloseUp, FaceCloseDown);
    m_cmdClose->setAccessibleName("닫기");
    m_cmdClose->setFocusPolicy(Qt::StrongFocus);
    place(m_cmdClose, SSFindLayout::cmdClose);

    setTabOrder(m_cboSSFind, m_cmdSSFind);
    setTabOrder(m_cmdSSFind, m_chkSSFind[0]);
    setTabOrder(m_chkSSFind[0], m_chkSSFind[1]);
    setTabOrder(m_chkSSFind[1], m_cmdNEXT);
    setTabOrder(m_cmdNEXT, m_cmdClose);

    m_timNEXT = new HoldRepeatTimer(RepeatMs, this);
    m_timNEXT->setObjectName("timNEXT");

    m_pickTip = new ToolTip(this);
    fnSet_ToolTip(m_pickTip, m_cmdSSFind, ToolTip::TipStyle::Rectangular, false, QString::fromUtf8(PickTip));

    connect(m_cmdNEXT, &PicButton::MouseDown, this, [this] { cmdNEXT_MouseDown(); });
    connect(m_cmdNEXT, &PicButton::MouseUp, this, [this] { stopNextRepeat(); });
    connect(m_cmdNEXT, &PicButton::Click, this, [this] { sbFind_SSFind_Next(); });
    connect(m_timNEXT, &QTimer::timeout, this, [this] { timNEXT_Timer(); });
    connect(m_cmdClose, &PicButton::Click, this, [this] { sbSet_SSFind_Close(); });

    connect(m_cmdSSFind, &PicButton::MouseMove, this, [this](Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
        m_pick.mouseMove(x >= 0 && y >= 0 && x <= m_cmdSSFind->width() && y <= m_cmdSSFind->height());
        showPickFace();
    });
    connect(m_cmdSSFind, &PicButton::MouseDown, this, [this](Qt::MouseButton b) {
        m_pick.mouseDown(b == Qt::LeftButton);
        showPickFace();
    });
    connect(m_cmdSSFind, &PicButton::MouseUp, this, [this](Qt::MouseButton b) {
        m_pick.mouseUp(b == Qt::LeftButton);
        if (b == Qt::LeftButton)
            m_cmdSSFind->setValue(false); // pops back up
        showPickFace();
    });
    connect(m_cmdSSFind, &PicButton::Click, this, [this] { cmdSSFind_Click(); });
}

FrmSSFind::~FrmSSFind() = default;

void FrmSSFind::sbSet_SSFind_Init(SpreadGrid *ss)
{
    if (isVisible()) {
        sbSet_SSFind_Close(); // the find button toggles the window
        return;
    }
    if (!ss)
        return;
    m_SSFind_SS = ss;

    // Column headers of the last header row, captured once per opening (element 0 stays empty).
    const int cols = std::max(0, ss->MaxCols());
    m_SSFind_Header = QStringList(cols + 1);
    if (ss->ColHeaderRows() > 0) {
        const int lastHeaderRow = SpreadGrid::FirstHeaderRow + ss->ColHeaderRows() - 1;
        for (int c = 1; c <= cols; ++c)
            m_SSFind_Header[c] = ss->GetCellText(c, lastHeaderRow);
    }

    show();
    raise();
    activateWindow();
    sbSet_SSFind_Current();
}

void FrmSSFind::sbSet_SSFind_Close()
{
    stopNextRepeat();
    hide();
    m_SSFind_SS = nullptr;
    m_SSFind_Header.clear();
}

void FrmSSFind::sbSet_SSFind_Current()
{
    SpreadGrid *ss = m_SSFind_SS;
    if (!ss || ss->MaxCols() < 1 || ss->MaxRows() < 1)
        return;
    // A grid without an active cell shows its first cell instead of addressing cell (0, 0).
    const int col = std::clamp(ss->ActiveCol(), 1, ss->MaxCols());
    const int row = std::clamp(ss->ActiveRow(), 1, ss->MaxRows());
    sbDisp_SSFind_Cell(col, row);
    m_cboSSFind->setEditText(ss->GetCellText(col, row));
    if (isVisible()) {
        m_cboSSFind->setFocus();
        sbMouse_MoveToCtrl(m_cmdNEXT, this);
    }
}

void FrmSSFind::sbDisp_SSFind_Cell(int col, int row)
{
    SpreadGrid *ss = m_SSFind_SS;
    if (!ss)
        return;
    m_txtSSFind->setText(ss->GetCellText(col, row));
    m_txtSSFind->setCursorPosition(0);
    m_lblSSFind[0]->setText(m_SSFind_Header.value(col)); // a column added since the opening has no header
    m_lblSSFind[1]->setText(QString::number(row));
    // the found cell becomes the grid's active cell
    ss->setCol(col);
    ss->setRow(row);
    ss->setAction(0);
}

void FrmSSFind::sbFind_SSFind_Next()
{
    SpreadGrid *ss = m_SSFind_SS;
    if (!ss)
        return;
    const QString text = m_cboSSFind->currentText();
    if (text.trimmed().isEmpty())
        return;

    // Search history: each text once, whatever its letter case.
    using CboRoutines::Op;
    if (fnCbo_SendMsg(m_cboSSFind, text, Op::FindStringExact, 0) == -1) {
        fnCbo_SendMsg(m_cboSSFind, text, Op::AddString, 0);
        fnCbo_SendMsg(m_cboSSFind, text, Op::SetDroppedWidth, 0);
        if (m_cboSSFind->currentText() != text)
            m_cboSSFind->setEditText(text);
    }

    SSFindPasses::Options options;
    options.wholeValue = m_chkSSFind[0]->isChecked();
    options.activeColumnOnly = m_chkSSFind[1]->isChecked();
    const SpreadFindGrid cells(ss);
    const SSFindPasses::Match m = SSFindPasses::findNext(cells, text, options, ss->ActiveCol(), ss->ActiveRow());
    if (m.found()) {
        sbDisp_SSFind_Cell(m.col, m.row);
        emit searched(true, m.col, m.row);
        return;
    }
    // Nothing to repeat for: a held 찾기 must not raise the notice again behind the first one.
    stopNextRepeat();
    emit searched(false, -1, -1);
    MsgScr::notice(MsgScr::Kind::Info, QString::fromUtf8(NotFoundTitle), QString::fromUtf8(NotFoundText));
}

void FrmSSFind::cmdNEXT_MouseDown()
{
    m_timNEXT->press();
}

void FrmSSFind::stopNextRepeat()
{
    m_timNEXT->release();
}

void FrmSSFind::timNEXT_Timer()
{
    sbFind_SSFind_Next();
}

void FrmSSFind::cmdSSFind_Click()
{
    const bool pressedIn = m_cmdSSFind->value();
    m_cmdSSFind->setValue(false);
    if (pressedIn && m_SSFind_SS)
        sbSet_SSFind_Current();
}

void FrmSSFind::showPickFace()
{
    m_cmdSSFind->setUpFace(m_pick.highlighted() ? imgSSFindUP : imgSSFindDF);
}

bool FrmSSFind::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_cboSSFind || watched == m_cboSSFind->lineEdit()) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            sbFind_SSFind_Next();
            return true;
        }
    } else if (watched == m_cmdNEXT && event->type() == QEvent::FocusOut) {
        stopNextRepeat();
    } else if (watched == m_cmdSSFind && event->type() == QEvent::Leave) {
        // leaving arrives as a move outside while the hover is held
        if (m_pick.captured()) {
            m_pick.mouseMove(false);
            showPickFace();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmSSFind::closeEvent(QCloseEvent *event)
{
    sbSet_SSFind_Close();
    event->accept();
}

void FrmSSFind::reject()
{
    sbSet_SSFind_Close();
}

void FrmSSFind::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(rect(), SvgPicture::render(Background, size(), devicePixelRatioF()));
}
