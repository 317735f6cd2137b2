#include "msgscr/frmmsgscr.h"

#include "msgscr/msgscr.h"
#include "msgscr/msgscrbutton.h"
#include "platform/win/koreanfont.h"
#include "platform/win/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSvgWidget>

namespace {

QFont fixedFont(double points, bool bold)
{
    KoreanFont::installSubstitutes();
    QFont f(KoreanFont::fixedFace());
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

QString pic(const char *name)
{
    return QStringLiteral(":/msgscr/") + QLatin1String(name) + QStringLiteral(".svg");
}

// Pixel rectangle of a twips rectangle, rounding its edges so that touching tiles stay touching.
QRect pixelRect(const TwipRect &r)
{
    const int l = Twips::toPixels(r.left);
    const int t = Twips::toPixels(r.top);
    const int rr = Twips::toPixels(r.right());
    const int b = Twips::toPixels(r.bottom());
    return QRect(l, t, std::max(rr - l, 0), std::max(b - t, 0));
}

QSvgWidget *tile(const QString &path, QWidget *parent)
{
    auto *w = new QSvgWidget(path, parent);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    return w;
}

QLabel *plainLabel(const QString &name, const QFont &font, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText); // message texts are shown as they are, never as markup
    l->setFont(font);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

// Width of a label fitted to its text, in twips.
double fittedWidth(const QLabel *l)
{
    return Twips::fromPixels(QFontMetrics(l->font()).horizontalAdvance(l->text()));
}

} // namespace

QColor FrmMsgScr::headlineColour(qint32 kind)
{
    switch (kind) {
    case MSG_INFO:
    case MSG_QUESTION:
        return QColor(0, 0, 192);
    case MSG_WARNING:
        return QColor(192, 64, 0);
    case MSG_ERROR:
        return QColor(255, 0, 0);
    default:
        return QColor(0, 0, 0);
    }
}

namespace {

QWidget *ownerWindow(const QWidget *self)
{
    if (QWidget *o = MsgScr::owner())
        return o->window();
    QWidget *active = QApplication::activeWindow();
    if (active && active != self && !qobject_cast<FrmMsgScr *>(active))
        return active;
    return nullptr;
}

} // namespace

FrmMsgScr::FrmMsgScr(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FrmMsgScr"));
    setWindowTitle(QStringLiteral(" MessageBox..."));

    const char *frameTop[] = {"frm_top_0", "frm_top_1", "frm_top_2"};
    const char *frameMid[] = {"frm_mid_0", "frm_mid_1", "frm_mid_2"};
    const char *frameBtm[] = {"frm_btm_0", "frm_btm_1", "frm_btm_2"};
    const char *textTop[] = {"txt_top_0", "txt_top_1", "txt_top_2"};
    const char *textMid[] = {"txt_mid_0", "txt_mid_1", "txt_mid_2"};
    const char *textBtm[] = {"txt_btm_0", "txt_btm_1", "txt_btm_2"};
    for (int i = 0; i < 3; ++i) {
        m_imgFrmBack_Top[i] = tile(pic(frameTop[i]), this);
        m_imgFrmBack_Mid[i] = tile(pic(frameMid[i]), this);
        m_imgFrmBack_Btm[i] = tile(pic(frameBtm[i]), this);
    }
    for (int i = 0; i < 3; ++i) {
        m_imgTxtBack_Top[i] = tile(pic(textTop[i]), this);
        m_imgTxtBack_Mid[i] = tile(pic(textMid[i]), this);
        m_imgTxtBack_Btm[i] = tile(pic(textBtm[i]), this);
    }

    m_imgIcon = tile(pic("icon_0"), this);
    m_imgIcon->setObjectName(QStringLiteral("imgIcon"));
    m_imgText = tile(pic("head_0"), this);
    m_imgText->setObjectName(QStringLiteral("imgText"));
    m_imgBottom = tile(pic("emblem"), this);
    m_imgBottom->setObjectName(QStringLiteral("imgBottom"));

    // progress bar: the filled bar, the cover that hides its undone part, then the end pieces on top
    m_picProgr = new QWidget(this);
    m_picProgr->setObjectName(QStringLiteral("picProgr"));
    m_imgProgr[1] = tile(pic("progr_1"), m_picProgr);
    m_shpProgr = tile(pic("progr_cover"), m_picProgr);
    m_shpProgr->setObjectName(QStringLiteral("shpProgr"));
    m_imgProgr[0] = tile(pic("progr_0"), m_picProgr);
    m_imgProgr[2] = tile(pic("progr_2"), m_picProgr);
    m_picProgr->hide();

    m_lblTitle = plainLabel(QStringLiteral("lblTitle"), fixedFont(9.75, true), this);
    m_lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_lblInfor = plainLabel(QStringLiteral("lblInfor"), fixedFont(9, false), this);
    m_lblInfor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    {
        QPalette pal = m_lblInfor->palette();
        pal.setColor(QPalette::WindowText, QColor(70, 78, 90));
        m_lblInfor->setPalette(pal);
    }
    m_lblProgr = plainLabel(QStringLiteral("lblProgr"), fixedFont(9, true), this);
    m_lblProgr->setAlignment(Qt::AlignCenter);
    m_lblProgr->setText(QStringLiteral("0.0%"));
    {
        QPalette pal = m_lblProgr->palette();
        pal.setColor(QPalette::WindowText, QColor(24, 60, 130));
        m_lblProgr->setPalette(pal);
    }
    m_lblProgr->hide();

    // Element 0 of the body lines. It was designed with a 45-character gauge text that only fixes
    // the minimum body width; that width is kept by the layout, so the line itself starts empty.
    loadTextLine();
    setKindPictures(0);
    setTitle(QString(), headlineColour(0));

    // answer buttons, created in tab order: 예, 닫기, 확인, 아니오
    struct Face
    {
        int index;
        const char *picture;
        const char *caption;
    };
    const Face faces[] = {
        {2, "btn_yes", "예"}, {1, "btn_close", "닫기"}, {0, "btn_ok", "확인"}, {3, "btn_no", "아니오"}};
    for (const Face &f : faces) {
        auto *b = new MsgScrButton(pic(f.picture), QString::fromUtf8(f.caption), this);
        b->setObjectName(QStringLiteral("cmdClose_%1").arg(f.index));
        b->hide();
        const int index = f.index;
        connect(b, &QAbstractButton::clicked, this, [this, index] { cmdClose_Click(index); });
        m_cmdClose[index] = b;
    }

    // a sensible size until the first layout
    sbForm_InitPosition(0);
}

FrmMsgScr::~FrmMsgScr() = default;

QWidget *FrmMsgScr::imgIcon() const
{
    return m_imgIcon;
}
QWidget *FrmMsgScr::imgText() const
{
    return m_imgText;
}
QWidget *FrmMsgScr::imgBottom() const
{
    return m_imgBottom;
}
QWidget *FrmMsgScr::shpProgr() const
{
    return m_shpProgr;
}

QAbstractButton *FrmMsgScr::cmdClose(int index) const
{
    return index >= 0 && index < 4 ? m_cmdClose[index] : nullptr;
}

QLabel *FrmMsgScr::loadTextLine()
{
    auto *l = plainLabel(QStringLiteral("lblText_%1").arg(m_lblText.size()), fixedFont(9, false), this);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(20, 24, 30));
    l->setPalette(pal);
    m_lblText.append(l);
    return l;
}

void FrmMsgScr::setKindPictures(qint32 kind)
{
    static const char *icons[] = {"icon_0", "icon_info", "icon_question", "icon_warning", "icon_error"};
    static const char *heads[] = {"head_0", "head_info", "head_question", "head_warning", "head_error"};
    if (kind < 0 || kind > 4)
        return;
    m_imgIcon->load(pic(icons[kind]));
    m_imgText->load(pic(heads[kind]));
    m_kindPictures = kind;
}

void FrmMsgScr::setTitle(const QString &text, const QColor &colour)
{
    QPalette pal = m_lblTitle->palette();
    pal.setColor(QPalette::WindowText, colour);
    m_lblTitle->setPalette(pal);
    m_lblTitle->setText(text);
}

void FrmMsgScr::applyLabel(QLabel *label, const TwipRect &rect)
{
    // The label keeps its place in twips; where the font is taller than the designed line it grows
    // evenly up and down so that no glyph is clipped.
    QRect r = pixelRect(rect);
    const int need = QFontMetrics(label->font()).height();
    if (r.height() < need) {
        const int extra = need - r.height();
        r.adjust(0, -extra / 2, 0, extra - extra / 2);
    }
    // 2 pixels of room for a glyph's overhang, on the side away from the label's anchored edge
    if (label->alignment() & Qt::AlignRight)
        r.adjust(-2, 0, 0, 0);
    else if (label->alignment() & Qt::AlignHCenter)
        r.adjust(-1, 0, 1, 0);
    else
        r.adjust(0, 0, 2, 0);
    label->setGeometry(r);
}

void FrmMsgScr::sbForm_InitPosition(qint32 MsgButtons)
{
    MsgScrLayoutInput in;
    for (const QLabel *l : std::as_const(m_lblText))
        in.lineWidths.append(fittedWidth(l));
    in.buttons = MsgButtons;
    in.inforWidth = fittedWidth(m_lblInfor);
    in.progrLabelWidth = fittedWidth(m_lblProgr);
    in.buttonWidth = 1335;
    in.emblemWidth = 825;
    in.bottomTileHeight = 780;

    // Outer frame: the window manager's decoration, judged from the owner's (0 when it has none).
    QWidget *owner = ownerWindow(this);
    QRect ownerFrame;
    if (owner) {
        ownerFrame = owner->frameGeometry();
        in.frameExtraWidth = Twips::fromPixels(ownerFrame.width() - owner->width());
        in.frameExtraHeight = Twips::fromPixels(ownerFrame.height() - owner->height());
    } else {
        QScreen *screen = QGuiApplication::primaryScreen();
        ownerFrame = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        in.frameExtraWidth = 0;
        in.frameExtraHeight = 0;
    }
    m_layout = MsgScrGeometry::layout(in);
    const MsgScrLayout &l = m_layout;

    for (int i = 0; i < 3; ++i) {
        m_imgFrmBack_Top[i]->setGeometry(pixelRect(l.frameTop[i]));
        m_imgFrmBack_Mid[i]->setGeometry(pixelRect(l.frameMid[i]));
        m_imgFrmBack_Btm[i]->setGeometry(pixelRect(l.frameBtm[i]));
        m_imgTxtBack_Top[i]->setGeometry(pixelRect(l.textTop[i]));
        m_imgTxtBack_Mid[i]->setGeometry(pixelRect(l.textMid[i]));
        m_imgTxtBack_Btm[i]->setGeometry(pixelRect(l.textBtm[i]));
    }
    for (qsizetype i = 0; i < m_lblText.size(); ++i) {
        applyLabel(m_lblText[i], l.lines[i]);
        m_lblText[i]->raise();
        m_lblText[i]->show();
    }

    m_picProgr->setGeometry(pixelRect(l.progrBox));
    for (int i = 0; i < 3; ++i)
        m_imgProgr[i]->setGeometry(pixelRect(l.progrPieces[i]));
    m_shpProgr->setGeometry(pixelRect(l.progrCover));
    applyLabel(m_lblProgr, l.progrLabel);
    m_picProgr->setVisible(l.progressVisible);
    m_lblProgr->setVisible(l.progressVisible);

    m_imgIcon->setGeometry(pixelRect(l.icon));
    m_imgText->setGeometry(pixelRect(l.heading));
    applyLabel(m_lblTitle, l.title);
    applyLabel(m_lblInfor, l.infor);
    m_imgBottom->setGeometry(pixelRect(l.emblem));

    for (int i = 0; i < 3; ++i)
        m_cmdClose[i]->setGeometry(pixelRect(l.buttons[i]));
    if (l.lastButtonPlaced)
        m_cmdClose[3]->setGeometry(pixelRect(l.buttons[3]));

    setFixedSize(Twips::toPixels(l.clientWidth), Twips::toPixels(l.clientHeight));

    // centred over the owner's outer rectangle; move() places the outer frame
    const TwipRect ownerTwips{Twips::fromPixels(ownerFrame.x()), Twips::fromPixels(ownerFrame.y()),
                              Twips::fromPixels(ownerFrame.width()), Twips::fromPixels(ownerFrame.height())};
    const QPointF pos = MsgScrGeometry::centredPosition(ownerTwips, l.windowWidth, l.windowHeight);
    move(Twips::toPixels(pos.x()), Twips::toPixels(pos.y()));
}

void FrmMsgScr::setProgress(double percent)
{
    const double left = MsgScrGeometry::coverLeft(m_layout.bodyWidth, percent);
    TwipRect cover = m_layout.progrCover;
    cover.left = left;
    m_shpProgr->setGeometry(pixelRect(cover));

    // the percentage stays centred over the bar as its text grows ("0.0%" .. "100.0%")
    m_lblProgr->setText(MsgScrGeometry::percentText(percent));
    TwipRect label = m_layout.progrLabel;
    label.width = fittedWidth(m_lblProgr);
    label.left = MsgScrMetrics::LineLeft + (m_layout.bodyWidth - label.width) / 2;
    applyLabel(m_lblProgr, label);
}

void FrmMsgScr::cmdClose_Click(int index)
{
    MsgScr::state().MsgScrAnswer = index + 1;
    unload();
}

void FrmMsgScr::Form_Unload()
{
    if (MsgScr::state().MsgScrAnswer == -1)
        MsgScr::state().MsgScrAnswer = 0;
}

void FrmMsgScr::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
    hide(); // ends a modal wait
    // a button pressed during the pointer glide: the glide is still running on this window
    if (m_gliding)
        m_deleteAfterGlide = true;
    else
        deleteLater();
}

void FrmMsgScr::Form_Activate()
{
    if (m_gliding || m_unloaded)
        return;
    m_activated = true;
    QPointer<FrmMsgScr> self(this);
    m_gliding = true;
    if (MsgScr::state().MsgScrDefault == 2) {
        if (m_cmdClose[3]->isVisible()) {
            m_cmdClose[3]->setFocus();
            sbMouse_MoveToCtrl(m_cmdClose[3], this);
        }
    } else if (MsgScr::state().MsgScrDefault != 0) {
        sbMouse_MoveToCtrl(m_cmdClose[0], this);
    }
    if (!self)
        return;
    m_gliding = false;
    if (m_deleteAfterGlide)
        deleteLater();
}

bool FrmMsgScr::event(QEvent *e)
{
    const bool result = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return result;
}

void FrmMsgScr::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // the first visible button in tab order (예, 닫기, 확인, 아니오) holds the focus
    for (int index : {2, 1, 0, 3}) {
        if (m_cmdClose[index]->isVisibleTo(this)) {
            m_cmdClose[index]->setFocus();
            break;
        }
    }
}

void FrmMsgScr::closeEvent(QCloseEvent *e)
{
    // closed by the title bar or the window manager: no answer
    e->accept();
    unload();
}

void FrmMsgScr::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        // Escape closes a question without an answer; a wait notice stays until its caller closes it
        if (isModal())
            unload();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
