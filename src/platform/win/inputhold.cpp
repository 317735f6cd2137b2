#include "platform/win/inputhold.h"

#include "platform/win/services.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>

namespace InputHold {

namespace {

// A modal box or dialog on top, or a pop-up menu, is the command's own question: it keeps its input.
bool answersTheCommand(const QWidget *target)
{
    const QWidget *window = target->window();
    return window == QApplication::activePopupWidget() || window == QApplication::activeModalWidget();
}

class Filter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            break;
        case QEvent::Shortcut:
            // a shortcut of a window acts like its key
            if (auto *s = qobject_cast<QShortcut *>(watched)) {
                auto *owner = qobject_cast<QWidget *>(s->parent());
                return owner && !answersTheCommand(owner);
            }
            return false;
        default:
            return false;
        }
        auto *target = qobject_cast<QWidget *>(watched);
        if (!target || answersTheCommand(target))
            return false;
        if (event->type() == QEvent::MouseButtonRelease) {
            // a button pressed before the command began comes up as usual
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (!(m_heldButtons & mouse->button()))
                return false;
            m_heldButtons &= ~mouse->button();
        } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            m_heldButtons |= static_cast<QMouseEvent *>(event)->button();
        } else if (event->type() == QEvent::KeyRelease) {
            return false; // a key acts on its press; its release alone does nothing
        } else if (event->type() == QEvent::ShortcutOverride) {
            event->accept(); // the key goes to the widget as a key press, which is dropped here too
        }
        return true;
    }

    Qt::MouseButtons m_heldButtons;
};

} // namespace

Scope::Scope()
{
    Platform::SharedState &shared = Platform::services().shared;
    if (shared.inputHoldDepth++ > 0 || !qApp)
        return;
    // made by the first scope, deleted by the last; installed last, so it sees each event before
    // every other filter of the application
    shared.inputHoldFilter = new Filter;
    qApp->installEventFilter(shared.inputHoldFilter);
}

Scope::~Scope()
{
    Platform::SharedState &shared = Platform::services().shared;
    if (--shared.inputHoldDepth > 0)
        return;
    delete shared.inputHoldFilter; // an object deleted leaves the application's filter list by itself
    shared.inputHoldFilter = nullptr;
}

bool active()
{
    return Platform::services().shared.inputHoldDepth > 0;
}

} // namespace InputHold
