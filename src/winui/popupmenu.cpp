#include "winui/popupmenu.h"

#include "platform/win/services.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QWidgetAction>

namespace {

// The title line: shown in the normal item colour, but the action is disabled so that neither
// the mouse nor the keyboard can pick it.
QWidgetAction *titleAction(QMenu *menu, const QString &title)
{
    auto *action = new QWidgetAction(menu);
    auto *label = new QLabel(title);
    const QColor text = menu->palette().color(QPalette::Active, QPalette::WindowText);
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; padding: 3px 6px 3px 6px; }").arg(text.name()));
    label->setTextFormat(Qt::PlainText);
    action->setDefaultWidget(label);
    action->setData(0);
    action->setProperty("zzTitle", title);
    action->setEnabled(false);
    return action;
}

bool pickable(const QAction *a)
{
    return a && a->isEnabled() && !a->isSeparator() && !qobject_cast<const QWidgetAction *>(a) && a->data().toInt() > 0;
}

} // namespace

QMenu *PopupMenu::buildMenu(const QStringList &mITEM, const QList<bool> &mENABLE, const QList<bool> &mCHECKED,
                            const QString &mTITLE)
{
    if (mENABLE.size() < mITEM.size() || mCHECKED.size() < mITEM.size())
        return nullptr;
    auto *menu = new QMenu;
    // flat like the program's other controls; a plain check mark rather than a check box
    menu->setStyleSheet(
        QStringLiteral("QMenu { background: #ffffff; border: 1px solid #a7b3c2; padding: 2px 0px; }"
                       "QMenu::item { padding: 3px 18px 3px 14px; color: #1d2733; background: transparent; }"
                       "QMenu::item:selected { background: #dbe7f8; color: #1d2733; }"
                       "QMenu::item:disabled { color: #a3abb5; }"
                       "QMenu::separator { height: 1px; background: #d3d9e1; margin: 3px 4px; }"
                       "QMenu::indicator { width: 14px; height: 14px; left: 5px; }"
                       "QMenu::indicator:checked { image: url(:/winui/menucheck.svg); }"));
    if (!mTITLE.trimmed().isEmpty()) {
        menu->addAction(titleAction(menu, mTITLE));
        menu->addSeparator()->setData(0);
    }
    for (int i = 0; i < mITEM.size(); ++i) {
        const int k = i + 1;
        if (mITEM.at(i).trimmed() == QLatin1String("-")) {
            menu->addSeparator()->setData(0);
            continue;
        }
        QAction *a = menu->addAction(mITEM.at(i));
        a->setData(k);
        a->setEnabled(mENABLE.at(i));
        if (mCHECKED.at(i)) {
            a->setCheckable(true);
            a->setChecked(true);
        }
    }
    return menu;
}

int PopupMenu::CreatPopup(const QStringList &mITEM, const QList<bool> &mENABLE, const QList<bool> &mCHECKED,
                          const QString &mTITLE, int X, int Y)
{
    const QPoint pos = (X == -1 || Y == -1) ? QCursor::pos() : QPoint(X, Y);
    QMenu *menu = buildMenu(mITEM, mENABLE, mCHECKED, mTITLE);
    if (!menu)
        return 0;
    int result = 0;
    if (const auto &answer = Platform::services().popupMenuAnswer) {
        const int k = answer(menu, pos);
        if (k > 0) {
            for (QAction *a : menu->actions())
                if (a->data().toInt() == k && pickable(a))
                    result = k;
        }
    } else {
        // owned by the active window so it stays in front of it; the call waits until it closes
        QPointer<QMenu> guard(menu);
        if (QWidget *owner = QApplication::activeWindow())
            menu->setParent(owner, menu->windowFlags());
        QAction *chosen = menu->exec(pos);
        if (pickable(chosen))
            result = chosen->data().toInt();
        menu = guard.data();
    }
    delete menu;
    return result;
}
