#include "platform/controls/xpanel.h"

#include "platform/controls/controlinfo.h"
#include "platform/controls/controlstyle.h"
#include "platform/controls/svgpicture.h"
#include "platform/win/twips.h"

#include <QPainter>

xPanel::xPanel(QWidget *parent)
    : QFrame(parent)
{
    ControlInfo::setTypeName(this, QStringLiteral("xPanel"));
    setAutoFillBackground(false);
}

void xPanel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void xPanel::setPicture(const QString &path)
{
    m_picture = path;
    update();
}

void xPanel::setTitleHeight(int twips)
{
    m_titleHeight = qMax(0, twips);
    update();
}

QString xPanel::tag() const
{
    return ControlInfo::tag(this);
}

void xPanel::setTag(const QString &tag)
{
    ControlInfo::setTag(this, tag);
}

void xPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, ControlStyle::panelBack());
    if (hasTitle()) {
        // title strip across the top, m_titleHeight twips high
        const int h = qMin(Twips::toPixels(m_titleHeight), r.height());
        const QRect strip(r.left(), r.top(), r.width(), h);
        p.fillRect(strip, ControlStyle::captionBack());
        p.setPen(ControlStyle::border());
        p.drawLine(strip.bottomLeft(), strip.bottomRight());
        int x = strip.left() + 6;
        if (!m_picture.isEmpty()) {
            QSize natural = SvgPicture::naturalSize(m_picture);
            if (natural.isValid()) {
                const int ph = h - 4;
                const QSize ps =
                    natural.height() > ph ? natural.scaled(QSize(10000, ph), Qt::KeepAspectRatio) : natural;
                const QPixmap pm = SvgPicture::render(m_picture, ps, devicePixelRatioF());
                p.drawPixmap(x, strip.top() + (h - ps.height()) / 2, pm);
                x += ps.width() + 5;
            }
        }
        if (!m_caption.isEmpty()) {
            QFont f = font();
            f.setBold(true);
            p.setFont(f);
            p.setPen(isEnabled() ? ControlStyle::captionText() : ControlStyle::disabledText());
            p.drawText(QRect(x, strip.top(), strip.right() - x - 4, h - 1), Qt::AlignLeft | Qt::AlignVCenter,
                       m_caption);
        }
    }
    p.setPen(ControlStyle::border());
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}
