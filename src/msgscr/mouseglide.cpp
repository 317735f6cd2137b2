#include "msgscr/mouseglide.h"

#include "platform/win/rounding.h"

namespace MouseGlide {

QPoint target(double leftTwips, double topTwips, double widthTwips, double heightTwips, double twipsPerPixelX,
              double twipsPerPixelY)
{
    const double tx = (leftTwips + widthTwips * 87 / 100) / twipsPerPixelX;
    const double ty = (topTwips + heightTwips * 60 / 100) / twipsPerPixelY;
    return {int(Rounding::halfEven(tx)), int(Rounding::halfEven(ty))};
}

QList<QPoint> path(const QPoint &from, const QPoint &to)
{
    const int sx = int(Rounding::halfEven((to.x() - from.x()) / double(Steps)));
    const int sy = int(Rounding::halfEven((to.y() - from.y()) / double(Steps)));
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
