#include "winui/tipwindow.h"

#include "platform/controls/svgpicture.h"
#include "winui/tipgeometry.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace {

constexpr int IconSize = 16; // title icon, pixels
constexpr int TitleGap = 6; // between title icon and title, pixels
constexpr int LineGap = 4; // between title line and text, pixels

QStringList splitLines(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

QMargins bodyMargins(bool balloon)
{
    return balloon ? QMargins(10, 7, 10, 8) : QMargins(5, 3, 5, 3);
}

QFont titleFont()
{
    QFont f = QToolTip::font();
    f.setBold(true);
    return f;
}

} // namespace

TipWindow::TipWindow(QWidget *control, bool balloon, bool centred)
    : QWidget(control,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
                  | Qt::WindowTransparentForInput)
    , m_control(control)
    , m_balloon(balloon)
    , m_centred(centred)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(QToolTip::font());
    m_rest.setSingleShot(true);
    m_rest.setInterval(RestDelay);
    connect(&m_rest, &QTimer::timeout, this, [this] {
        if (!m_hovering || !m_control)
            return;
        // the mouse may have gone (into a menu, under a modal window) without a Leave reaching us
        const QPoint here = QCursor::pos();
        if (!pointerRestsOnControl(here)) {
            forgetHover();
            return;
        }
        popUp(m_control->mapFromGlobal(here));
    });
    if (control) {
        control->installEventFilter(this);
        if (control->underMouse()) {
            // attached while the mouse already rests on the control
            m_hovering = true;
            m_restPos = control->mapFromGlobal(QCursor::pos());
            watchApplication(true);
            m_rest.start();
        }
    }
}

TipWindow::~TipWindow()
{
    watchApplication(false);
}

void TipWindow::setText(const QString &text)
{
    m_text = text;
    relayout();
}

void TipWindow::setTitle(const QString &title, int icon)
{
    m_title = title;
    m_icon = icon;
    relayout();
}

void TipWindow::setColours(const QColor &fore, const QColor &back)
{
    m_fore = fore;
    m_back = back;
    update();
}

QColor TipWindow::foreColour() const
{
    return m_fore.isValid() ? m_fore : QToolTip::palette().color(QPalette::ToolTipText);
}

QColor TipWindow::backColour() const
{
    return m_back.isValid() ? m_back : QToolTip::palette().color(QPalette::ToolTipBase);
}

QString TipWindow::iconPath(int icon)
{
    switch (icon) {
    case 1:
        return QStringLiteral(":/winui/tipinfo.svg");
    case 2:
        return QStringLiteral(":/winui/tipwarning.svg");
    case 3:
        return QStringLiteral(":/winui/tiperror.svg");
    default:
        return {};
    }
}

QSize TipWindow::bodySize() const
{
    const QFontMetrics fm(font());
    int w = 0;
    int h = 0;
    if (!m_title.isEmpty()) {
        const QFontMetrics tfm(titleFont());
        int tw = tfm.horizontalAdvance(m_title);
        if (!iconPath(m_icon).isEmpty())
            tw += IconSize + TitleGap;
        w = tw;
        h = qMax(tfm.height(), iconPath(m_icon).isEmpty() ? 0 : IconSize) + LineGap;
    }
    for (const QString &line : splitLines(m_text)) {
        w = qMax(w, fm.horizontalAdvance(line));
        h += fm.height();
    }
    const QMargins m = bodyMargins(m_balloon);
    return QSize(w + m.left() + m.right(), h + m.top() + m.bottom());
}

void TipWindow::popUp(QPoint pos)
{
    if (!m_control || !m_control->isVisible() || (m_text.isEmpty() && m_title.isEmpty()))
        return;
    m_restPos = pos;
    const QWidget *c = m_control;
    QPoint below;
    QPoint above;
    if (m_centred) {
        below = c->mapToGlobal(QPoint(c->width() / 2, c->height()));
        above = c->mapToGlobal(QPoint(c->width() / 2, 0));
    } else {
        below = above = c->mapToGlobal(pos);
    }
    const QScreen *screen = QGuiApplication::screenAt(below);
    if (!screen)
        screen = c->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const TipGeometry::Layout l = TipGeometry::place(bodySize(), below, above, m_balloon, m_centred, area);
    m_body = l.body;
    m_stemTip = l.stemTip;
    m_stemUp = l.stemUp;
    setGeometry(l.window);
    if (m_balloon) {
        const QPainterPath path = TipGeometry::balloonPath(l);
        setMask(QRegion(path.toFillPolygon().toPolygon()).united(QRegion(l.body.adjusted(2, 2, -2, -2))));
    } else {
        clearMask();
    }
    show();
    raise();
    update();
}

void TipWindow::popDown()
{
    m_rest.stop();
    hide();
}

bool TipWindow::pointerRestsOnControl(QPoint here) const
{
    if (!m_control || !m_control->isVisible())
        return false;
    // a menu or a modal window other than the control's own has the mouse
    if (QApplication::activePopupWidget())
        return false;
    const QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != m_control->window())
        return false;
    if (!m_control->rect().contains(m_control->mapFromGlobal(here)))
        return false;
    // another window may lie over the control there
    const QWidget *under = QApplication::widgetAt(here);
    return under == m_control || (under && m_control->isAncestorOf(under));
}

void TipWindow::forgetHover()
{
    m_hovering = false;
    watchApplication(false);
    popDown();
}

void TipWindow::relayout()
{
    if (isVisible() && m_control)
        popUp(m_restPos);
    update();
}

void TipWindow::watchApplication(bool on)
{
    if (on == m_appWatched || !qApp)
        return;
    m_appWatched = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool TipWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control) {
        switch (event->type()) {
        case QEvent::Enter:
            m_hovering = true;
            m_restPos = m_control->mapFromGlobal(QCursor::pos());
            watchApplication(true);
            m_rest.start();
            break;
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            forgetHover();
            break;
        default:
            break;
        }
        return false;
    }
    // while the mouse is over the control: a click, the wheel or a key ends the tip and the hover
    // (a click may open a menu or a window that takes the mouse); a new Enter starts it again
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        forgetHover();
        break;
    case QEvent::MouseMove:
        if (m_hovering && !pointerRestsOnControl(static_cast<QMouseEvent *>(event)->globalPosition().toPoint())) {
            forgetHover();
        } else if (!isVisible() && m_hovering && m_control) {
            // still moving: the rest starts again where the mouse is now
            m_restPos = m_control->mapFromGlobal(QCursor::pos());
            m_rest.start();
        }
        break;
    default:
        break;
    }
    return false;
}

void TipWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor back = backColour();
    const QColor frame = back.lightness() > 128 ? back.darker(260) : back.lighter(200);
    if (m_balloon) {
        TipGeometry::Layout l;
        l.window = rect();
        l.body = m_body;
        l.stemTip = m_stemTip;
        l.stemUp = m_stemUp;
        p.setPen(QPen(frame, 1));
        p.setBrush(back);
        p.drawPath(TipGeometry::balloonPath(l));
    } else {
        p.fillRect(rect(), back);
        p.setPen(frame);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QMargins m = bodyMargins(m_balloon);
    int y = m_body.top() + m.top();
    const int x0 = m_body.left() + m.left();
    p.setPen(foreColour());
    if (!m_title.isEmpty()) {
        const QFont tf = titleFont();
        const QFontMetrics tfm(tf);
        const QString icon = iconPath(m_icon);
        const int lineH = qMax(tfm.height(), icon.isEmpty() ? 0 : IconSize);
        int x = x0;
        if (!icon.isEmpty()) {
            p.drawPixmap(x, y + (lineH - IconSize) / 2,
                         SvgPicture::render(icon, QSize(IconSize, IconSize), devicePixelRatioF()));
            x += IconSize + TitleGap;
        }
        p.setFont(tf);
        p.drawText(QRect(x, y, m_body.right() - x, lineH), Qt::AlignLeft | Qt::AlignVCenter, m_title);
        y += lineH + LineGap;
    }
    p.setFont(font());
    const QFontMetrics fm(font());
    for (const QString &line : splitLines(m_text)) {
        p.drawText(QRect(x0, y, m_body.right() - x0, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += fm.height();
    }
}
