#include "platform/controls/picbutton.h"

#include "platform/controls/controlinfo.h"
#include "platform/controls/controlstyle.h"
#include "platform/controls/svgpicture.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

PicButton::PicButton(QWidget *parent)
    : QAbstractButton(parent)
{
    ControlInfo::setTypeName(this, QStringLiteral("PicButton"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    // MouseMove reports the mouse passing over the button too, not only while a button is held
    setMouseTracking(true);
    connect(this, &QAbstractButton::clicked, this, [this] { emitClick(); });
}

void PicButton::setFaces(const QString &up, const QString &down, const QString &disabled)
{
    m_up = up;
    m_down = down;
    m_disabled = disabled;
    updateGeometry();
    update();
}

void PicButton::setUpFace(const QString &up)
{
    m_up = up;
    update();
}

void PicButton::setPicture(const QString &path)
{
    m_picture = path;
    updateGeometry();
    update();
}

void PicButton::setGlyphSize(QSize pixels)
{
    m_glyphSize = pixels;
    updateGeometry();
    update();
}

void PicButton::setCaption(const QString &caption)
{
    m_caption = caption;
    updateGeometry();
    update();
}

QString PicButton::tag() const
{
    return ControlInfo::tag(this);
}

void PicButton::setTag(const QString &tag)
{
    ControlInfo::setTag(this, tag);
}

QString PicButton::glyphPath(const QString &name)
{
    return QStringLiteral(":/controls/%1.svg").arg(name);
}

QSize PicButton::sizeHint() const
{
    if (!m_up.isEmpty()) {
        const QSize s = SvgPicture::naturalSize(m_up);
        if (s.isValid())
            return s;
    }
    QSize g = m_glyphSize.isValid() ? m_glyphSize : SvgPicture::naturalSize(m_picture);
    if (!g.isValid())
        g = QSize(0, 0);
    int w = g.width() + 8;
    int h = g.height() + 8;
    if (!m_caption.isEmpty()) {
        const QSize t = fontMetrics().size(Qt::TextShowMnemonic, m_caption);
        w += t.width() + (g.width() > 0 ? 4 : 8);
        h = qMax(h, t.height() + 8);
    }
    return QSize(qMax(w, 16), qMax(h, 16));
}

int PicButton::shownFace() const
{
    if (!isEnabled())
        return 2;
    return drawDown() ? 1 : 0;
}

bool PicButton::drawDown() const
{
    return isDown();
}

void PicButton::emitClick()
{
    emit Click();
}

void PicButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal dpr = devicePixelRatioF();
    const bool enabled = isEnabled();
    const bool down = drawDown();
    const QRect r = rect();

    if (!m_up.isEmpty()) {
        QString face = m_up;
        if (!enabled && !m_disabled.isEmpty())
            face = m_disabled;
        else if (enabled && down && !m_down.isEmpty())
            face = m_down;
        QPixmap pm = SvgPicture::render(face, r.size(), dpr);
        if (!enabled && m_disabled.isEmpty())
            pm = QIcon(pm).pixmap(r.size(), dpr, QIcon::Disabled);
        const int shift = (enabled && down && m_down.isEmpty()) ? 1 : 0;
        p.drawPixmap(shift, shift, pm);
        if (hasFocus()) {
            // face pictures carry no focus look of their own: a dotted frame inside the face
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(QPen(ControlStyle::focusBorder(), 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(2, 2, -3, -3));
            p.setRenderHint(QPainter::Antialiasing, true);
        }
    } else {
        // the program's flat face: one-pixel frame, pressed face a shade darker
        QColor fill = ControlStyle::buttonFace();
        if (!enabled)
            fill = ControlStyle::disabledBack();
        else if (down)
            fill = ControlStyle::buttonDown();
        else if (m_hover)
            fill = ControlStyle::buttonHover();
        QColor frame = enabled ? QColor(0x9e, 0xab, 0xba) : QColor(0xd3, 0xd8, 0xde);
        if (enabled && (hasFocus() || down))
            frame = ControlStyle::focusBorder();
        p.setPen(frame);
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    }

    // glyph and caption, centred together
    const int shift = (enabled && down) ? 1 : 0;
    QSize g = m_glyphSize.isValid() ? m_glyphSize : SvgPicture::naturalSize(m_picture);
    if (!g.isValid() || m_picture.isEmpty())
        g = QSize(0, 0);
    // a glyph larger than the button shrinks to fit, keeping its proportions (pixels)
    const QSize room = (r.size() - QSize(4, 4)).expandedTo(QSize(1, 1));
    if (g.width() > room.width() || g.height() > room.height())
        g = g.scaled(room, Qt::KeepAspectRatio);
    QSize t(0, 0);
    if (!m_caption.isEmpty())
        t = fontMetrics().size(Qt::TextShowMnemonic, m_caption);
    const int gap = (g.width() > 0 && t.width() > 0) ? 4 : 0;
    const int total = g.width() + gap + t.width();
    int x = (r.width() - total) / 2 + shift;
    if (g.width() > 0) {
        QPixmap pm = SvgPicture::render(m_picture, g, dpr);
        if (!enabled)
            pm = QIcon(pm).pixmap(g, dpr, QIcon::Disabled);
        p.drawPixmap(x, (r.height() - g.height()) / 2 + shift, pm);
        x += g.width() + gap;
    }
    if (t.width() > 0) {
        p.setPen(enabled ? ControlStyle::text() : ControlStyle::disabledText());
        p.setFont(font());
        p.drawText(QRect(x, shift, t.width() + 1, r.height()), Qt::AlignVCenter | Qt::TextShowMnemonic, m_caption);
    }
}

void PicButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
    if (event->button() == Qt::LeftButton)
        QAbstractButton::mousePressEvent(event);
    else
        event->accept();
}

void PicButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const bool wasDown = isDown();
    const QPointer<PicButton> self(this);
    emit MouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
    if (!self)
        return;
    if (event->button() == Qt::LeftButton) {
        // a MouseUp handler that hands the focus on (to a chart, a grid) lets the button up before
        // the release reaches it; the press and release were still a click on this button
        if (wasDown && !isDown() && isEnabled() && hitButton(pos))
            setDown(true);
        QAbstractButton::mouseReleaseEvent(event);
    } else {
        event->accept();
    }
}

void PicButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseMove(event->buttons(), event->modifiers(), pos.x(), pos.y());
    if (event->buttons() & Qt::LeftButton)
        QAbstractButton::mouseMoveEvent(event);
    else
        event->accept(); // the move was the button's; the window under it does not see it
}

void PicButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PicButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
