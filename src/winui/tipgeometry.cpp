#include "winui/tipgeometry.h"

#include <QPolygonF>

namespace {

int clampInto(int value, int low, int high)
{
    return high < low ? low : qBound(low, value, high);
}

} // namespace

TipGeometry::Layout TipGeometry::place(QSize body, QPoint below, QPoint above, bool balloon, bool centred, QRect screen)
{
    Layout l;
    if (!centred)
        below += QPoint(0, CursorGap); // clear of the mouse pointer's arrow
    const int stem = balloon ? StemHeight : 0;
    const QSize win(body.width(), body.height() + stem);

    // where the pointer (or, for a plain tip, the middle or left edge) meets the anchor
    int offset = 0;
    if (centred)
        offset = body.width() / 2;
    else if (balloon)
        offset = qMin(body.width() / 2, Radius + StemWidth);

    QPoint anchor = below;
    int top = below.y();
    l.stemUp = true;
    if (top + win.height() > screen.bottom() + 1 && above.y() - win.height() >= screen.top()) {
        anchor = above;
        top = above.y() - win.height();
        l.stemUp = false;
    }
    top = clampInto(top, screen.top(), screen.bottom() + 1 - win.height());
    const int left = clampInto(anchor.x() - offset, screen.left(), screen.right() + 1 - win.width());
    l.window = QRect(QPoint(left, top), win);
    l.body = QRect(QPoint(0, l.stemUp ? stem : 0), body);
    if (balloon) {
        const int minX = Radius + StemWidth / 2;
        const int maxX = body.width() - Radius - StemWidth / 2;
        const int x = clampInto(anchor.x() - left, minX, maxX);
        l.stemTip = QPoint(x, l.stemUp ? 0 : win.height() - 1);
    }
    return l;
}

QPainterPath TipGeometry::balloonPath(const Layout &layout)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(layout.body).adjusted(0.5, 0.5, -0.5, -0.5), Radius, Radius);
    const qreal x = layout.stemTip.x() + 0.5;
    const qreal edge = layout.stemUp ? layout.body.top() + 1.0 : layout.body.bottom();
    const qreal tipY = layout.stemTip.y() + 0.5;
    QPolygonF stem;
    stem << QPointF(x - StemWidth / 2.0, edge) << QPointF(x, tipY) << QPointF(x + StemWidth / 2.0, edge);
    QPainterPath stemPath;
    stemPath.addPolygon(stem);
    stemPath.closeSubpath();
    return body.united(stemPath).simplified();
}
