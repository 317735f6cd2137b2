#include "platform/controls/btnbutton.h"

#include "platform/controls/controlinfo.h"
#include "platform/controls/controlstyle.h"

#include <QMouseEvent>

namespace {

QString buttonSheet()
{
    return QStringLiteral("QPushButton { background: %1; border: 1px solid #9eabba; border-radius: 3px; color: %2;"
                          " padding: 2px 8px; }"
                          "QPushButton:hover { background: %3; border: 1px solid #6f97cf; }"
                          "QPushButton:focus { border: 1px solid %4; }"
                          "QPushButton:pressed { background: %5; border: 1px solid %4; padding: 3px 7px 1px 9px; }"
                          "QPushButton:disabled { background: %6; color: %7; border: 1px solid #d3d8de; }")
        .arg(ControlStyle::buttonFace().name(), ControlStyle::text().name(), ControlStyle::buttonHover().name(),
             ControlStyle::focusBorder().name(), ControlStyle::buttonDown().name(), ControlStyle::disabledBack().name(),
             ControlStyle::disabledText().name());
}

} // namespace

btnButton::btnButton(QWidget *parent)
    : btnButton(QString(), parent)
{ }

btnButton::btnButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    ControlInfo::setTypeName(this, QStringLiteral("btnButton"));
    setStyleSheet(buttonSheet());
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &btnButton::Click);
}

QString btnButton::tag() const
{
    return ControlInfo::tag(this);
}

void btnButton::setTag(const QString &tag)
{
    ControlInfo::setTag(this, tag);
}

void btnButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
    if (event->button() == Qt::LeftButton)
        QPushButton::mousePressEvent(event);
    else
        event->accept();
}

void btnButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
    if (event->button() == Qt::LeftButton)
        QPushButton::mouseReleaseEvent(event);
    else
        event->accept();
}
