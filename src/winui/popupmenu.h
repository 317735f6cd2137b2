#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

class QMenu;

// One-level context menu built from three parallel lists, shown until the user picks an item or
// dismisses it. Keeps no state between calls: the caller owns the texts and remembers which item
// is checked.
class PopupMenu
{
public:
    // Shows the menu and returns the picked item number k (1-based: index + 1), or 0 when the
    // menu was dismissed (Escape, a click outside) or the lists are unusable.
    //  mITEM    item texts, used untrimmed; "-" (blanks trimmed) is a separator line
    //  mENABLE  false greys the item; it cannot be picked
    //  mCHECKED true puts a check mark before the item
    //  mTITLE   when not blank: a title line (untrimmed) above a separator, shown in normal text
    //           but not pickable; item numbers do not change
    //  X, Y     screen position in pixels; the mouse pointer's position when either is -1
    // mENABLE and mCHECKED must be at least as long as mITEM; shorter lists show no menu and
    // answer 0.
    static int CreatPopup(const QStringList &mITEM, const QList<bool> &mENABLE, const QList<bool> &mCHECKED,
                          const QString &mTITLE = {}, int X = -1, int Y = -1);

    // Builds the menu CreatPopup would show (the caller owns it). Each pickable or disabled item
    // carries its item number in QAction::data(); the title line and separators carry 0.
    // Null when the lists are unusable.
    static QMenu *buildMenu(const QStringList &mITEM, const QList<bool> &mENABLE, const QList<bool> &mCHECKED,
                            const QString &mTITLE = {});

    // With the services' popupMenuAnswer set, CreatPopup does not show the menu; it builds it,
    // passes it and the position to that answer, which gives the item number it picks (0 =
    // dismissed). Picking the title, a separator, a disabled item or a number out of range
    // answers 0, as the real menu would.
};
