#include "msgscr/mouseglide.h"

#include "msgscr/msgscrlayout.h"

namespace MouseGlide {

QPoint target(double leftTwips, double topTwips, double widthTwips, double heightTwips, double twipsPerPixelX,
              double twipsPerPixelY)
{
    const double tx = (leftTwips + widthTwips * 87 / 100) / twipsPerPixelX;
    const double ty = (topTwips + heightTwips * 60 / 100) / twipsPerPixelY;
    return {int(roundHalfEven(tx)), int(roundHalfEven(ty))};
}

QList<QPoint> path(const QPoint &from, const QPoint &to)
{
    const int sx = int(roundHalfEven((to.x() - from.x()) / double(Steps)));
    const int sy = int(roundHalfEven((to.y() - from.y()) / double(Steps)));
    QList<QPoint> points;
    QPoint p = from;
    for (int i = 0; i < Steps; ++i) {
        p += QPoint(sx, sy);
        points.append(p);
    }
    points.append(to);
    return points;
}

} // namespace MouseGlide
