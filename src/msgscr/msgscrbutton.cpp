#include "msgscr/msgscrbutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace {
constexpr int FaceWidth = 82; // pixels
constexpr int FaceHeight = 23;
} // namespace

MsgScrButton::MsgScrButton(const QString &facePath, const QString &caption, QWidget *parent)
    : QAbstractButton(parent)
    , m_face(new QSvgRenderer(facePath, this))
{
    // the caption is drawn on the face; the text serves accessibility and tests
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize MsgScrButton::sizeHint() const
{
    return {FaceWidth + 7, FaceHeight + 6};
}

void MsgScrButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool down = isDown();
    const QRectF face(QPointF((width() - FaceWidth) / 2.0, (height() - FaceHeight) / 2.0),
                      QSizeF(FaceWidth, FaceHeight));

    // soft drop shadow under the face, gone while pressed
    if (!down) {
        QPainterPath shadow;
        shadow.addRoundedRect(face.translated(1, 1.5), 4, 4);
        p.fillPath(shadow, QColor(40, 50, 60, 60));
    }
    const QRectF drawn = down ? face.translated(1, 1) : face;
    m_face->render(&p, drawn);

    if (down || m_hover) {
        QPainterPath path;
        path.addRoundedRect(drawn.adjusted(0.5, 0.5, -0.5, -0.5), 3.5, 3.5);
        p.fillPath(path, down ? QColor(0, 30, 80, 40) : QColor(255, 255, 255, 55));
    }
    if (hasFocus()) {
        QPen pen(QColor(30, 80, 170), 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawRoundedRect(QRectF(face).adjusted(-2, -2, 1, 1), 4, 4);
    }
}

void MsgScrButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void MsgScrButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void MsgScrButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
