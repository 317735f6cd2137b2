#include "platform/win/pointer.h"

#include "platform/win/services.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

namespace {

Qt::CursorShape qtShape(int number)
{
    switch (number) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    case 15:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

namespace Pointer {

int shape()
{
    return services().shared.pointerShape;
}

void setShape(int number)
{
    SharedState &shared = services().shared;
    shared.pointerShape = number;
    if (!qGuiApp)
        return;
    if (number == 0) {
        if (shared.pointerOverridden)
            QGuiApplication::restoreOverrideCursor();
        shared.pointerOverridden = false;
        return;
    }
    const QCursor cursor(qtShape(number));
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
