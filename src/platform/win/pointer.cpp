#include "platform/win/pointer.h"

#include "platform/win/services.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

namespace {

Qt::CursorShape qtShape(Pointer::Shape shape)
{
    using Pointer::Shape;
    switch (shape) {
    case Shape::Cross:
        return Qt::CrossCursor;
    case Shape::IBeam:
        return Qt::IBeamCursor;
    case Shape::SizePointer:
        return Qt::SizeAllCursor;
    case Shape::SizeNeSw:
        return Qt::SizeBDiagCursor;
    case Shape::SizeNs:
        return Qt::SizeVerCursor;
    case Shape::SizeNwSe:
        return Qt::SizeFDiagCursor;
    case Shape::SizeWe:
        return Qt::SizeHorCursor;
    case Shape::UpArrow:
        return Qt::UpArrowCursor;
    case Shape::Hourglass:
        return Qt::WaitCursor;
    case Shape::NoDrop:
        return Qt::ForbiddenCursor;
    case Shape::ArrowHourglass:
        return Qt::BusyCursor;
    case Shape::ArrowQuestion:
        return Qt::WhatsThisCursor;
    case Shape::SizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

namespace Pointer {

Shape shape()
{
    return Shape(Platform::services().shared.pointerShape);
}

void setShape(Shape shape)
{
    Platform::SharedState &shared = Platform::services().shared;
    shared.pointerShape = int(shape);
    if (!qGuiApp)
        return;
    if (shape == Shape::Default) {
        if (shared.pointerOverridden)
            QGuiApplication::restoreOverrideCursor();
        shared.pointerOverridden = false;
        return;
    }
    const QCursor cursor(qtShape(shape));
    if (shared.pointerOverridden) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        shared.pointerOverridden = true;
    }
}

QPoint position()
{
    return QCursor::pos();
}

void setPosition(const QPoint &screenPos)
{
    QCursor::setPos(screenPos);
}

QPoint clientToScreen(const QWidget *widget, const QPoint &clientPos)
{
    return widget ? widget->mapToGlobal(clientPos) : clientPos;
}

} // namespace Pointer
