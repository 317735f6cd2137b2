#pragma once

#include "gridnav/navcontrols.h"

#include <QObject>
#include <QPointer>
#include <QRectF>

class QTimer;
class QWidget;
class SpreadGrid;

namespace GridNav {

// The widgets of one navigator, made in the grids' container (the object is a child of it too):
// the panel picSS_BACK with its buttons, scroll bar and lower frame, the two line boxes and the
// go-to box beside it, the repeat timer timSS_MOVE and the go-to box's slide timer. What they do
// is not here: sbSS_MOVE_Bind hands the controls to an SS_MOVE_INFO, and the moves work on that.
class Navigator : public QObject
{
    Q_OBJECT

public:
    // `summaryGrid` may be null (a grid without one); `index` tells navigators of one form apart.
    Navigator(QWidget *container, SpreadGrid *dataGrid, SpreadGrid *summaryGrid = nullptr, int index = 0);

    // The navigator of `form` (among all its descendants) with the given index, or null.
    static Navigator *find(QWidget *form, int index);

    int index() const { return m_index; }
    SpreadGrid *grid() const;
    SpreadGrid *sumGrid() const;
    // The controls it made, the one record of them.
    const NavControls &controls() const { return m_controls; }

    // The go-to box slides out from under the panel in five steps, 10 ms apart, on the slide timer;
    // at the end the input takes the focus with its text selected.
    void slideOutGoBox();
    bool isSliding() const;
    void stopSliding();

private:
    QRectF goRect(int step) const; // twips, in the container
    void slideStep();

    const QPointer<SpreadGrid> m_grid;
    const QPointer<SpreadGrid> m_sumGrid;
    NavControls m_controls;
    QTimer *m_timGo = nullptr; // the go-to box's slide
    int m_index;
    int m_goStep = 0;
};

} // namespace GridNav
